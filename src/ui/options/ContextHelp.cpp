#include "ui/options/ContextHelp.h"

#include "ui/common/AccessibleMenuEntry.h"
#include "ui/common/HelpLocation.h"
#include "ui/options/HelpPopups.h"
#include "ui/options/modOptions.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QGroupBox>
#include <QShortcut>
#include <QToolButton>
#include <QWhatsThis>
#include <QWidget>

namespace brevlin {

namespace {

// Pop-up texts are plain text; shown as rich text they must not be read as markup.
QString AsWhatsThis(const QString& text) {
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p>") +
           text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

QString TextOf(QWidget* dialog, QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (!w->whatsThis().isEmpty())
            return w->whatsThis();
        if (w == dialog)
            break;
    }
    return {};
}

// Frames and pages only hold controls; the pointer over them is over no control.
bool IsContainer(const QWidget* widget) {
    return qobject_cast<const QGroupBox*>(widget) != nullptr ||
           widget->metaObject() == &QWidget::staticMetaObject ||
           widget->metaObject() == &QFrame::staticMetaObject;
}

bool OnControl(const QWidget* dialog, const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr && w != dialog; w = w->parentWidget()) {
        if (!IsContainer(w))
            return true;
    }
    return false;
}

} // namespace

QString ContextHelp::TextAt(QWidget* dialog, QWidget* underPointer) {
    if (underPointer != nullptr && underPointer->window() == dialog) {
        const QString text = TextOf(dialog, underPointer);
        // A control without a help ID has no text; another control's would mislead.
        if (!text.isEmpty() || OnControl(dialog, underPointer))
            return text;
    }
    QWidget* focus = dialog->focusWidget();
    return focus != nullptr ? TextOf(dialog, focus) : QString();
}

QToolButton* ContextHelp::Attach(QWidget* dialog) {
    return Attach(dialog, HelpPopups(HelpLocation(HelpLocation::ProgramHelpFile()).PopupFile()));
}

QToolButton* ContextHelp::Attach(QWidget* dialog, const HelpPopups& popups) {
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    // A screen reader reads the same text as the control's description.
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        const int id = HelpContextID(control);
        if (id == 0)
            continue;
        control->setWhatsThis(AsWhatsThis(popups.Text(id)));
        if (control->accessibleDescription().isEmpty())
            control->setAccessibleDescription(popups.Text(id));
    }
    for (QAction* entry : dialog->findChildren<QAction*>()) {
        if (const int id = HelpContextID(entry); id != 0)
            AccessibleMenuEntry::Describe(entry, popups.Text(id));
    }

    auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), dialog);
    QObject::connect(shortcut, &QShortcut::activated, dialog, [dialog]() {
        const QPoint at = QCursor::pos();
        const QString text = TextAt(dialog, QApplication::widgetAt(at));
        if (text.isEmpty())
            QWhatsThis::enterWhatsThisMode();
        else
            QWhatsThis::showText(at, text, dialog);
    });

    auto* button = new QToolButton(dialog);
    button->setObjectName(QStringLiteral("cmdWhatsThis"));
    button->setText(QStringLiteral("?"));
    button->setToolTip(tr("項目の説明を表示します (Shift+F1)"));
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, dialog,
                     []() { QWhatsThis::enterWhatsThisMode(); });
    return button;
}

} // namespace brevlin
