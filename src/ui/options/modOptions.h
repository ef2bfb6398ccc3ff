#pragma once

#include "text/Text.h"
#include "ui/common/modCommon.h"

#include <QFont>
#include <QString>

#include <exception>
#include <initializer_list>

class QLineEdit;
class QObject;
class QWidget;

namespace brevlin {

// The program identifier, the title of message boxes that have no title of their own.
inline const QString kProgramTitle = QStringLiteral("Brevlin");

inline QString ToQString(const Text& text) {
    return QString::fromStdU16String(text);
}
inline Text ToText(const QString& text) {
    return text.toStdU16String();
}

// Selects the whole text of a box; installed as a focus-in handler on every text box.
void SelectAllText(QLineEdit* box);
void SelectAllTextOnFocus(QLineEdit* box);

// "ＭＳ ゴシック" 9 pt where installed, else the system's fixed-pitch font at 9 pt.
QFont TextBoxFont();

// The help number of a control's (or a menu entry's) pop-up text, kept for the context help.
void SetHelpContextID(QObject* control, int id);
int HelpContextID(const QObject* control);

// The number at the start of the text (leading blanks skipped), 0 when there is none.
double Val(const QString& text);

// Gives the keyboard focus to the first of `candidates` that is shown, enabled and takes the
// focus, and makes its window the active one again. Called after a message box, a file dialog
// or the rule editor closed, and after a command changed the page: a window manager may give
// the activation to another window, and without one nobody gives it back at all.
void ReturnFocus(std::initializer_list<QWidget*> candidates);

// The message boxes below give the focus back to where it was in their parent's window.
// Yes/No question with the question icon, Yes as default.
bool AskYesNo(QWidget* parent, const QString& text, const QString& title = kProductName);
// A failure that ended a command: its description, the error icon and OK.
void ShowError(QWidget* parent, const std::exception& error);
// Refusal with the exclamation icon and OK; `detail`, when given, is shown below the text.
void Exclaim(QWidget* parent, const QString& text, const QString& title = kProductName,
             const QString& detail = QString());

} // namespace brevlin
