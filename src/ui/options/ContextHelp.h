#pragma once

#include <QCoreApplication>
#include <QString>

class QToolButton;
class QWidget;

namespace brevlin {

class HelpPopups;

// Context help of a dialog. A control's help ID (SetHelpContextID) selects its text in the
// pop-up file. Shift+F1 shows the text of the control under the mouse pointer (of the focused
// control when the pointer is on no control of the dialog); where there is no text it starts
// the "?" mode. The "?" button starts the "?" mode, in which a click on a control shows its
// text.
class ContextHelp {
    Q_DECLARE_TR_FUNCTIONS(ContextHelp)

public:
    // Gives every control of `dialog` with a help ID its text from the program's pop-up file
    // (also as its accessible description, as to menu entries with a help ID), installs Shift+F1,
    // and returns the "?" button (object name "cmdWhatsThis") for the caller to place.
    static QToolButton* Attach(QWidget* dialog);
    // Same, with the texts given.
    static QToolButton* Attach(QWidget* dialog, const HelpPopups& popups);

    // The text Shift+F1 shows at this moment: that of the control under the pointer (a part of
    // a control has the control's text); empty for a control without a help ID; that of the
    // focused control when the pointer is outside the dialog or over a frame or page.
    static QString TextAt(QWidget* dialog, QWidget* underPointer);
};

} // namespace brevlin
