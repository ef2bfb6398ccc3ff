#include "ui/options/clsLeaveCheck.h"

#include "ui/options/modOptions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QTimer>

namespace brevlin {

namespace {

const char* const kCausesValidation = "CausesValidation";

bool Inside(const QWidget* widget, const QWidget* container) {
    return widget != nullptr && container != nullptr &&
           (widget == container || container->isAncestorOf(widget));
}

// The control a mouse press acts on: the first one up the parents that a click can
// reach. Presses on labels, frames and page backgrounds move nothing and check nothing.
QWidget* ClickTarget(QWidget* receiver) {
    for (QWidget* w = receiver; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QTabBar*>(w) ||
            (w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus)
            return w;
    }
    return nullptr;
}

} // namespace

clsLeaveCheck::clsLeaveCheck(QWidget* window) : QObject(window), m_window(window) {
    connect(qApp, &QApplication::focusChanged, this, &clsLeaveCheck::OnFocusChanged);
    qApp->installEventFilter(this);
}

clsLeaveCheck::~clsLeaveCheck() {
    qApp->removeEventFilter(this);
}

void clsLeaveCheck::Watch(QWidget* control, Check check) {
    m_entries.push_back(Entry{control, std::move(check)});
}

void clsLeaveCheck::SetCausesValidation(QWidget* control, bool causes) {
    control->setProperty(kCausesValidation, causes);
}

bool clsLeaveCheck::CausesValidation(const QWidget* control) {
    for (const QWidget* w = control; w != nullptr; w = w->parentWidget()) {
        const QVariant value = w->property(kCausesValidation);
        if (value.isValid())
            return value.toBool();
        if (w->isWindow())
            break;
    }
    return true;
}

bool clsLeaveCheck::ValidatePending() {
    Entry* entry = DueEntry();
    return entry == nullptr || Run(*entry);
}

clsLeaveCheck::Entry* clsLeaveCheck::EntryFor(const QWidget* widget) {
    for (auto& entry : m_entries) {
        if (Inside(widget, entry.control))
            return &entry;
    }
    return nullptr;
}

clsLeaveCheck::Entry* clsLeaveCheck::DueEntry() {
    QWidget* focus = m_window->focusWidget();
    if (focus != nullptr && focus->isVisible()) {
        if (Entry* entry = EntryFor(focus))
            return entry;
    }
    return m_passedOver ? EntryFor(m_passedOver) : nullptr;
}

bool clsLeaveCheck::Run(Entry& entry) {
    if (m_running)
        return true;
    // Once run, or moot for a control no longer shown, the check is no longer due.
    m_passedOver = nullptr;
    if (!entry.control || !entry.control->isVisible() || !entry.control->isEnabled())
        return true;
    m_running = true;
    bool cancel = false;
    entry.check(cancel);
    m_running = false;
    if (cancel && entry.control && m_window->isVisible())
        ReturnFocus({entry.control});
    return !cancel;
}

void clsLeaveCheck::OnFocusChanged(QWidget* old, QWidget* now) {
    if (m_running || now == nullptr || now->window() != m_window)
        return;
    if (Entry* left = EntryFor(old); left != nullptr && !Inside(now, left->control))
        m_passedOver = left->control;
    Entry* entry = m_passedOver ? EntryFor(m_passedOver) : nullptr;
    if (entry == nullptr)
        return;
    if (Inside(now, entry->control)) {
        m_passedOver = nullptr;
        return;
    }
    if (!CausesValidation(now))
        return;
    if (!Run(*entry)) {
        // The mouse press that moved the focus arrives next; it must not click.
        m_refusedJustNow = true;
        QTimer::singleShot(0, this, [this] { m_refusedJustNow = false; });
    }
}

bool clsLeaveCheck::Refuses(QWidget* target) {
    if (target == nullptr || target->window() != m_window)
        return false;
    Entry* entry = DueEntry();
    if (entry == nullptr || Inside(target, entry->control) || !CausesValidation(target))
        return false;
    return !Run(*entry);
}

bool clsLeaveCheck::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType() || m_running)
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (m_refusedJustNow) {
            m_refusedJustNow = false;
            m_swallowRelease = true;
            return true;
        }
        if (Refuses(ClickTarget(widget))) {
            m_swallowRelease = true;
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (m_swallowRelease) {
            m_swallowRelease = false;
            return true;
        }
        return false;
    case QEvent::Wheel:
        // A wheel turn over the tab strip switches pages without moving the focus.
        if (qobject_cast<QTabBar*>(widget) != nullptr)
            return Refuses(widget);
        return false;
    case QEvent::Shortcut: {
        // An access key: a label hands the focus to its buddy, a button clicks at once.
        QWidget* target = widget;
        if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->buddy())
            target = label->buddy();
        return Refuses(target);
    }
    default:
        return false;
    }
}

} // namespace brevlin
