#pragma once

#include "engine/Languages.h"
#include "ui/options/frmOptions.h"

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

namespace brevlin::test {

// What a message box showed before the test answered it. Watching stops when it goes.
struct MessageSeen {
    bool shown = false;
    QString text;
    QString informative;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;

    MessageSeen();
    ~MessageSeen();
    std::unique_ptr<QTimer> watch;
};

// Answers the next modal message box with `button` and records it.
std::unique_ptr<MessageSeen> AnswerNextMessageBox(QMessageBox::StandardButton button);
// Answers the next message boxes in turn, one button each.
std::vector<std::unique_ptr<MessageSeen>>
AnswerMessageBoxes(const std::vector<QMessageBox::StandardButton>& buttons);

// What a file dialog showed before the test answered it. Watching stops when it goes.
struct FileDialogSeen {
    bool shown = false;
    QString title;
    QStringList filters;
    QString selectedFilter;
    QString directory;
    QString proposed; // the file name the dialog offered
    bool save = false;

    FileDialogSeen();
    ~FileDialogSeen();
    std::unique_ptr<QTimer> watch;
};

// Answers the next file dialog with the path, or cancels it when the path is empty.
std::unique_ptr<FileDialogSeen> AnswerNextFileDialog(const QString& path);
// Answers it with several files of one folder, typed as a user types them: "a" "b".
std::unique_ptr<FileDialogSeen> AnswerNextFileDialog(const QStringList& paths);

// Counts system beeps while it lives.
class BeepCounter {
public:
    BeepCounter();
    ~BeepCounter();
    int Count() const { return *m_count; }

private:
    std::shared_ptr<int> m_count;
};

// Adds a language with a few settings, keywords and rules.
Language& AddLanguage(Languages& languages, const QString& name);

// An options dialog over its own languages and switches, shown and active.
class OptionsFixture {
public:
    Languages languages;
    GeneralSwitches switches;
    // When set before Open, the paste style sheet can be chosen on the general page.
    bool choosePasteStyleSheet = false;
    std::unique_ptr<frmOptions> form;
    int unloadCount = 0;
    bool unloadCanceled = false;

    OptionsFixture();
    ~OptionsFixture();
    // Creates, shows and activates the dialog; false if it never became active.
    bool Open();

    template <typename T> T* Find(const QString& name) const { return form->findChild<T*>(name); }
    // Selects the tab at the 0-based index by clicking it.
    void ClickTab(int index);
};

// Keyboard and focus helpers that go through the focused widget, as typing does.
void Type(const QString& text);
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
QWidget* Focused();
// Clicks a check box on its box, wherever the layout stretched it.
void ClickCheckBox(QWidget* box);

} // namespace brevlin::test
