#include "ui/shell/tray/ctlNotify.h"

#include "ui/shell/tray/ClickReport.h"
#if BREVLIN_STATUS_NOTIFIER
#include "ui/shell/tray/StatusNotifierItem.h"
#endif
#include "platform/CodePage.h"
#include "text/Surrogates.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QStyleHints>

#include <algorithm>

// The icons live in this static library, whose resources are not registered by themselves.
static void InitShellResources() {
    Q_INIT_RESOURCE(shell);
}

namespace brevlin::shell {

namespace {

bool IsTrayIconWindow(QObject* object) {
    return object->isWidgetType() &&
           qstrcmp(object->metaObject()->className(), "QSystemTrayIconSys") == 0;
}

int MessageOf(QEvent::Type type, Qt::MouseButton button) {
    const bool left = button == Qt::LeftButton;
    const bool right = button == Qt::RightButton;
    if (!left && !right)
        return 0;
    NotifyMessage message;
    switch (type) {
    case QEvent::MouseButtonPress:
        message = left ? NotifyMessage::LButtonDown : NotifyMessage::RButtonDown;
        break;
    case QEvent::MouseButtonRelease:
        message = left ? NotifyMessage::LButtonUp : NotifyMessage::RButtonUp;
        break;
    case QEvent::MouseButtonDblClick:
        message = left ? NotifyMessage::LButtonDblClk : NotifyMessage::RButtonDblClk;
        break;
    default:
        return 0;
    }
    return static_cast<int>(message);
}

QString NameOf(NotifyMessage message) {
    switch (message) {
    case NotifyMessage::MouseMove:
        return QStringLiteral("MouseMove");
    case NotifyMessage::LButtonDown:
        return QStringLiteral("LButtonDown");
    case NotifyMessage::LButtonUp:
        return QStringLiteral("LButtonUp");
    case NotifyMessage::LButtonDblClk:
        return QStringLiteral("LButtonDblClk");
    case NotifyMessage::RButtonDown:
        return QStringLiteral("RButtonDown");
    case NotifyMessage::RButtonUp:
        return QStringLiteral("RButtonUp");
    case NotifyMessage::RButtonDblClk:
        return QStringLiteral("RButtonDblClk");
    }
    return QString::number(static_cast<int>(message));
}

QString StatesOf(const NotifyClickState& state) {
    return QStringLiteral("left=%1 right=%2 timer=%3")
        .arg(state.LeftState())
        .arg(state.RightState())
        .arg(state.TimerRunning() ? QString::number(state.Deadline()) : QStringLiteral("-"));
}

} // namespace

ctlNotify::ctlNotify(QObject* parent)
    : QObject(parent),
      m_state(*this, NotifyClickState::Events{
                         [this](int button) {
                             ClickReport::Write(QStringLiteral("raise Click(%1)").arg(button));
                             emit Click(button);
                         },
                         [this](int button) {
                             ClickReport::Write(QStringLiteral("raise DblClick(%1)").arg(button));
                             emit DblClick(button);
                         },
                         [this] { emit MouseMove(); },
                     }) {
    m_sinceStart.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ctlNotify::TimerFired);
#if BREVLIN_STATUS_NOTIFIER
    m_item = new StatusNotifierItem(this);
    connect(m_item, &StatusNotifierItem::Activated, this, [this](QPoint position) {
        HostPoint(position);
        HostActivate();
    });
    connect(m_item, &StatusNotifierItem::SecondaryActivated, this, [this](QPoint position) {
        HostPoint(position);
        HostSecondaryActivate();
    });
    connect(m_item, &StatusNotifierItem::ContextMenuRequested, this, [this](QPoint position) {
        HostPoint(position);
        HostContextMenu();
    });
    connect(m_item, &StatusNotifierItem::HostAvailableChanged, this, &ctlNotify::UpdateHost);
#endif
    // The X11 icon window is created by Qt, and created anew when the tray restarts.
    QCoreApplication::instance()->installEventFilter(this);
}

ctlNotify::~ctlNotify() {
    Hide();
}

void ctlNotify::SetIconID(int value) {
    if (value == m_iconId)
        return;
    // The tray gets the new icon before the old one goes.
    QIcon icon = LoadIcon(value);
    if (m_tray != nullptr)
        m_tray->setIcon(icon);
#if BREVLIN_STATUS_NOTIFIER
    m_item->SetIcon(icon);
#endif
    m_icon = std::move(icon);
    m_iconId = value;
}

void ctlNotify::SetTipText(const QString& value) {
    m_tipText = value.isEmpty() ? QString() : CutTipText(value);
    if (m_tray != nullptr)
        m_tray->setToolTip(m_tipText);
#if BREVLIN_STATUS_NOTIFIER
    m_item->SetToolTip(m_tipText);
#endif
}

void ctlNotify::SetEnabled(bool value) {
    if (value != m_state.Enabled())
        ClickReport::Write(value ? QStringLiteral("enabled") : QStringLiteral("disabled"));
    m_state.SetEnabled(value);
#if BREVLIN_STATUS_NOTIFIER
    m_item->SetMenuEnabled(value);
#endif
}

void ctlNotify::Show() {
    if (m_shown)
        return;
    m_shown = true;
    UpdateHost();
}

void ctlNotify::Hide() {
    if (!m_shown)
        return;
    m_shown = false;
    UpdateHost();
}

void ctlNotify::SetMenu(QMenu* menu) {
#if BREVLIN_STATUS_NOTIFIER
    m_item->SetMenu(menu);
#else
    (void)menu;
#endif
}

QPoint ctlNotify::PopupPosition() const {
    return m_hostPoint.isNull() ? QCursor::pos() : m_hostPoint;
}

bool ctlNotify::OnStatusNotifierHost() const {
#if BREVLIN_STATUS_NOTIFIER
    return m_item->Registered();
#else
    return false;
#endif
}

void ctlNotify::UpdateHost() {
#if BREVLIN_STATUS_NOTIFIER
    const bool onItem = m_shown && m_item->HostAvailable();
    m_item->SetShown(onItem);
#else
    const bool onItem = false; // Windows has its notification area only
#endif
    if (m_shown && !onItem) {
        // Without a notification area yet, Qt adds the icon once one appears.
        Tray().show();
    } else if (m_tray != nullptr) {
        m_tray->hide();
    }
}

QSystemTrayIcon& ctlNotify::Tray() {
    if (m_tray == nullptr) {
        m_tray = new QSystemTrayIcon(this);
        connect(m_tray, &QSystemTrayIcon::activated, this, &ctlNotify::TrayActivated);
        m_tray->setIcon(m_icon);
        m_tray->setToolTip(m_tipText);
    }
    return *m_tray;
}

void ctlNotify::HostPoint(QPoint position) {
    m_hostPoint = position;
}

void ctlNotify::HostActivate() {
    const EventTime time = ActivationTime();
    // A second activation within the double-click time completes a double click.
    if (m_state.Enabled() && m_state.CompletesDoubleClick(time)) {
        Deliver(NotifyMessage::LButtonDblClk, time);
    } else {
        Deliver(NotifyMessage::LButtonDown, time);
    }
    Deliver(NotifyMessage::LButtonUp, time);
}

void ctlNotify::HostSecondaryActivate() {
    const EventTime time = ActivationTime();
    Deliver(NotifyMessage::LButtonDblClk, time);
    Deliver(NotifyMessage::LButtonUp, time);
}

void ctlNotify::HostContextMenu() {
    const EventTime time = ActivationTime();
    Deliver(NotifyMessage::RButtonDown, time);
    Deliver(NotifyMessage::RButtonUp, time);
}

void ctlNotify::Deliver(NotifyMessage message, EventTime time) {
    m_state.SetInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    // Made after the interval ran out, yet handled before the timer said so.
    if (m_state.TimerRunning() && Elapsed(m_state.Deadline(), time) >= 0)
        ClickReport::Write(QStringLiteral("late: the interval ran out at t=%1 before this")
                               .arg(m_state.Deadline()));
    ++m_delivered;
    m_inputTime = time;
    m_sinceInput.start();
    if (!ClickReport::Active() || message == NotifyMessage::MouseMove) {
        m_state.Notify(message, time);
        return;
    }
    // Written as its handling starts, so the line's time less t is how late it was handled.
    ClickReport::Write(
        QStringLiteral("%1 t=%2%3 %4")
            .arg(NameOf(message))
            .arg(time)
            .arg(m_state.Enabled() ? QString() : QStringLiteral(" (disabled)"), StatesOf(m_state)));
    m_state.Notify(message, time);
    ClickReport::Write(QStringLiteral("  -> %1").arg(StatesOf(m_state)));
}

EventTime ctlNotify::InputNow() const {
    if (!m_sinceInput.isValid())
        return ActivationTime();
    return m_inputTime + static_cast<EventTime>(m_sinceInput.elapsed());
}

EventTime ctlNotify::ActivationTime() const {
    return static_cast<EventTime>(m_sinceStart.elapsed());
}

QString ctlNotify::CutTipText(const QString& text) {
    const std::u16string units = text.toStdU16String();
    std::size_t bytes = 0;
    std::size_t end = 0;
    while (end < units.size()) {
        const std::size_t length = surrogates::IsPairAt(units, end) ? 2 : 1;
        const std::size_t width =
            platform::CodePage::ByteWidth(std::u16string_view(units).substr(end, length));
        if (bytes + width > static_cast<std::size_t>(TipTextBytes))
            break;
        bytes += width;
        end += length;
    }
    return QString::fromStdU16String(units.substr(0, end));
}

QIcon ctlNotify::LoadIcon(int id) {
    static const bool registered = (InitShellResources(), true);
    (void)registered;
    QString name;
    switch (id) {
    case AppIconID:
        name = QStringLiteral("app");
        break;
    case BusyIconID:
        name = QStringLiteral("busy");
        break;
    default:
        return QIcon();
    }
#ifdef Q_OS_WIN
    // The Windows build's Qt reads no SVG: the icons are rendered at the tray's sizes.
    QIcon icon;
    for (const char* size : {"16", "32"})
        icon.addFile(QStringLiteral(":/brevlin/icons/%1-%2.png").arg(name, QLatin1String(size)));
    return icon;
#else
    return QIcon(QStringLiteral(":/brevlin/icons/%1.svg").arg(name));
#endif
}

bool ctlNotify::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
        return false;
    if (!IsTrayIconWindow(watched))
        return false;
    m_hostPoint = QPoint();
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto time = static_cast<EventTime>(mouse->timestamp());
    if (type == QEvent::MouseMove) {
        Deliver(NotifyMessage::MouseMove, time);
        return false;
    }
    const int message = MessageOf(type, mouse->button());
    if (message != 0)
        Deliver(static_cast<NotifyMessage>(message), time);
    // Taken here, so Qt raises no activation of its own for the same press.
    return true;
}

void ctlNotify::Start(EventTime deadline) {
    const std::int32_t wait = std::max(0, Elapsed(InputNow(), deadline));
    ClickReport::Write(QStringLiteral("timer %1 ms to t=%2").arg(wait).arg(deadline));
    m_timer.start(wait);
}

void ctlNotify::TimerFired() {
    ClickReport::Write(QStringLiteral("timer ran out at t~%1").arg(InputNow()));
    if (!m_flushing) {
        // Input that reached the program before the timer ran out counts first: a second
        // press still waiting in the queue makes a double click, not a click.
        m_flushing = true;
        const int before = m_delivered;
        QCoreApplication::processEvents();
        m_flushing = false;
        if (m_delivered != before)
            ClickReport::Write(QStringLiteral("waiting input handled first: %1 notifications")
                                   .arg(m_delivered - before));
    }
    const QString before = StatesOf(m_state);
    m_state.TimerTick(InputNow());
    ClickReport::Write(QStringLiteral("tick %1 -> %2").arg(before, StatesOf(m_state)));
}

void ctlNotify::Stop() {
    m_timer.stop();
}

void ctlNotify::TrayActivated(QSystemTrayIcon::ActivationReason reason) {
    // Hosts that report activations instead of buttons: the shell's message sequences.
    m_hostPoint = QPoint();
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        HostActivate();
        break;
    case QSystemTrayIcon::DoubleClick:
    case QSystemTrayIcon::MiddleClick:
        HostSecondaryActivate();
        break;
    case QSystemTrayIcon::Context:
        HostContextMenu();
        break;
    default:
        break;
    }
}

} // namespace brevlin::shell
