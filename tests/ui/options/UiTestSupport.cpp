#include "tests/ui/options/UiTestSupport.h"

#include "ui/options/modOptions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace brevlin::test {

MessageSeen::MessageSeen() : watch(std::make_unique<QTimer>()) {}

MessageSeen::~MessageSeen() = default;

namespace {

// Watches for a message box, answers it and records it; then starts `next`, if any.
void WatchForMessageBox(MessageSeen* record, QMessageBox::StandardButton button,
                        MessageSeen* next) {
    QObject::connect(record->watch.get(), &QTimer::timeout, record->watch.get(),
                     [record, button, next] {
                         auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                         if (box == nullptr || !box->isVisible())
                             return;
                         record->watch->stop();
                         record->shown = true;
                         record->text = box->text();
                         record->informative = box->informativeText();
                         record->title = box->windowTitle();
                         record->icon = box->icon();
                         // A window manager gives the activation back to the owner; offscreen
                         // does not.
                         if (QWidget* owner = box->parentWidget()) {
                             QPointer<QWidget> window = owner->window();
                             QTimer::singleShot(0, qApp, [window] {
                                 if (window && window->isVisible())
                                     window->activateWindow();
                             });
                         }
                         if (QAbstractButton* answer = box->button(button))
                             answer->click();
                         else
                             box->reject();
                         if (next != nullptr)
                             next->watch->start(10);
                     });
}

} // namespace

std::unique_ptr<MessageSeen> AnswerNextMessageBox(QMessageBox::StandardButton button) {
    auto seen = std::make_unique<MessageSeen>();
    WatchForMessageBox(seen.get(), button, nullptr);
    seen->watch->start(10);
    return seen;
}

std::vector<std::unique_ptr<MessageSeen>>
AnswerMessageBoxes(const std::vector<QMessageBox::StandardButton>& buttons) {
    std::vector<std::unique_ptr<MessageSeen>> seen;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        seen.push_back(std::make_unique<MessageSeen>());
    for (std::size_t i = 0; i < buttons.size(); ++i)
        WatchForMessageBox(seen[i].get(), buttons[i],
                           i + 1 < seen.size() ? seen[i + 1].get() : nullptr);
    if (!seen.empty())
        seen.front()->watch->start(10);
    return seen;
}

FileDialogSeen::FileDialogSeen() : watch(std::make_unique<QTimer>()) {}

FileDialogSeen::~FileDialogSeen() = default;

std::unique_ptr<FileDialogSeen> AnswerNextFileDialog(const QString& path) {
    return AnswerNextFileDialog(path.isEmpty() ? QStringList() : QStringList{path});
}

std::unique_ptr<FileDialogSeen> AnswerNextFileDialog(const QStringList& paths) {
    // Windows' own file dialog is no widget that a test can find and type into.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    auto seen = std::make_unique<FileDialogSeen>();
    FileDialogSeen* record = seen.get();
    QObject::connect(record->watch.get(), &QTimer::timeout, record->watch.get(), [record, paths] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        record->watch->stop();
        record->shown = true;
        record->title = dialog->windowTitle();
        record->filters = dialog->nameFilters();
        record->selectedFilter = dialog->selectedNameFilter();
        record->directory = dialog->directory().absolutePath();
        record->proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        record->save = dialog->acceptMode() == QFileDialog::AcceptSave;
        if (paths.isEmpty()) {
            dialog->reject();
        } else {
            // Typed into the name box, as a user would: selectFile() leaves a focused box
            // alone. Several names are each put in quotes.
            const QFileInfo first(paths.first());
            dialog->setDirectory(first.absolutePath());
            QString typed = first.fileName();
            if (paths.size() > 1) {
                typed.clear();
                for (const QString& path : paths)
                    typed += QLatin1Char('"') + QFileInfo(path).fileName() + QStringLiteral("\" ");
            }
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(typed.trimmed());
            else
                dialog->selectFile(paths.first());
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides its override
        }
    });
    record->watch->start(10);
    return seen;
}

BeepCounter::BeepCounter() : m_count(std::make_shared<int>(0)) {
    SetBeepHandler([count = m_count] { ++*count; });
}

BeepCounter::~BeepCounter() {
    SetBeepHandler({});
}

Language& AddLanguage(Languages& languages, const QString& name) {
    Language& language = languages.Add(ToText(name));
    language.SetStartTag(ToText(QStringLiteral("<b class=\"") + name + QStringLiteral("\">")));
    language.SetEndTag(u"</b>");
    language.SetTabColumns(4);
    language.Keywords().Add(u"else");
    language.Keywords().Add(u"if");
    language.Keywords().Add(u"int");
    Comment& line = language.Comments().Add();
    line.SetClauseStart(u"//");
    line.SetStartTag(u"<i>");
    line.SetEndTag(u"</i>");
    Comment& text = language.Comments().Add();
    text.SetClauseStart(u"\"");
    text.SetClauseEnd(u"\"");
    text.SetEscapeChar(u"\\");
    text.SetStartTag(u"<s>");
    text.SetEndTag(u"</s>");
    return language;
}

OptionsFixture::OptionsFixture() = default;

OptionsFixture::~OptionsFixture() = default;

bool OptionsFixture::Open() {
    form = std::make_unique<frmOptions>(
        languages, switches, nullptr,
        frmOptions::PasteControls{.htmlClipboard = false, .styleSheet = choosePasteStyleSheet});
    QObject::connect(form.get(), &frmOptions::Unload, form.get(), [this](bool canceled) {
        ++unloadCount;
        unloadCanceled = canceled;
    });
    form->show();
    form->activateWindow();
    return QTest::qWaitForWindowActive(form.get());
}

void OptionsFixture::ClickTab(int index) {
    auto* tabs = Find<QTabBar>(QStringLiteral("tbsOptions"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

namespace {

// The widget that receives typing; after a message box closes the dialog takes a moment to
// become active again.
QWidget* KeyboardTarget() {
    if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 2000))
        qWarning("no widget has the keyboard focus");
    return QApplication::focusWidget();
}

} // namespace

void Type(const QString& text) {
    // One key event per character, carrying the character itself, so that any text types.
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, KeyboardTarget(), Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
        QCoreApplication::processEvents();
    }
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(KeyboardTarget(), key, modifiers);
    // Item views commit and close their editors through queued calls.
    QCoreApplication::processEvents();
}

QWidget* Focused() {
    return QApplication::focusWidget();
}

void ClickCheckBox(QWidget* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

} // namespace brevlin::test
