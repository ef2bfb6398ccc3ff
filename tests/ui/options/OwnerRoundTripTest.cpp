// The dialog in its real owner: OK stores every edit and rebuilds the tray menu, any other
// close brings back the stored state.
#include "settings/SettingsLayout.h"
#include "tests/ui/options/UiTestSupport.h"
#include "ui/options/modOptions.h"
#include "ui/shell/clsVarMenu.h"
#include "ui/shell/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace brevlin;
using namespace brevlin::test;

namespace {

struct Stored {
    Languages languages;
    bool beepOnProcess = false;
    bool optimizeTags = false;
};

std::unique_ptr<Stored> LoadStored() {
    auto stored = std::make_unique<Stored>();
    clsRegistry registry;
    SettingsLayout::LoadSettings(registry, stored->languages, stored->beepOnProcess,
                                 stored->optimizeTags);
    return stored;
}

QStringList Names(const Languages& languages) {
    QStringList names;
    for (int i = 1; i <= languages.Count(); ++i)
        names << ToQString(languages.Item(i).Name());
    return names;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class OwnerRoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void okStoresEveryEditAndRebuildsTheMenu();
    void cancelBringsBackTheStoredState_data();
    void cancelBringsBackTheStoredState();
    void closingDuringAKeywordEditKeepsNothingOfIt();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<shell::frmMain> m_main;
    QString m_settings;

    frmOptions* OpenDialog() {
        m_main->ShowOptionsDialog();
        frmOptions* dialog = m_main->OptionForm();
        if (dialog != nullptr) {
            dialog->activateWindow();
            if (!QTest::qWaitForWindowActive(dialog))
                return nullptr;
        }
        return dialog;
    }
    template <typename T> T* Find(frmOptions* dialog, const char* name) {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    void ClickTab(frmOptions* dialog, int index) {
        auto* tabs = Find<QTabBar>(dialog, "tbsOptions");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }
};

void OwnerRoundTripTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = m_dir->filePath(QStringLiteral("settings.reg"));
    qputenv("BREVLIN_SETTINGS", m_settings.toLocal8Bit());
    Languages languages;
    AddLanguage(languages, QStringLiteral("C"));
    AddLanguage(languages, QStringLiteral("Perl"));
    clsRegistry registry;
    SettingsLayout::SaveSettings(registry, languages, false, true);
    m_main = std::make_unique<shell::frmMain>();
}

void OwnerRoundTripTest::cleanup() {
    m_main.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void OwnerRoundTripTest::okStoresEveryEditAndRebuildsTheMenu() {
    frmOptions* dialog = OpenDialog();
    QVERIFY(dialog != nullptr);
    ClickCheckBox(Find<QCheckBox>(dialog, "chkBeepOnProcess"));

    ClickTab(dialog, 1);
    Find<QLineEdit>(dialog, "txtName")->setFocus();
    Type(QStringLiteral("C99"));
    Press(Qt::Key_Tab);
    Find<QTreeWidget>(dialog, "lvwKeywords")->setFocus();
    Press(Qt::Key_Insert);
    Type(QStringLiteral("zz"));
    Press(Qt::Key_Return);

    QTest::mouseClick(Find<QPushButton>(dialog, "cmdNew"), Qt::LeftButton);
    Type(QStringLiteral("Go"));
    Press(Qt::Key_Return); // OK, with the new name still in the box
    QTRY_VERIFY(m_main->OptionForm() == nullptr);

    std::unique_ptr<Stored> stored = LoadStored();
    QCOMPARE(Names(stored->languages),
             QStringList({QStringLiteral("C99"), QStringLiteral("Perl"), QStringLiteral("Go")}));
    QVERIFY(stored->beepOnProcess);
    QVERIFY(stored->optimizeTags);
    const Keywords& keywords = stored->languages.Item(1).Keywords();
    QCOMPARE(keywords.Count(), 4);
    QCOMPARE(ToQString(keywords.Item(4)), QStringLiteral("zz"));

    shell::clsVarMenu& menu = m_main->LanguageMenu();
    QCOMPARE(menu.Count(), 3);
    QCOMPARE(menu.Item(1)->text(), QStringLiteral("C99"));
    QCOMPARE(menu.Item(3)->text(), QStringLiteral("Go"));
}

void OwnerRoundTripTest::cancelBringsBackTheStoredState_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << QStringLiteral("cancel");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("close box") << QStringLiteral("close");
}

void OwnerRoundTripTest::cancelBringsBackTheStoredState() {
    QFETCH(QString, how);
    const QByteArray before = FileBytes(m_settings);
    QVERIFY(!before.isEmpty());
    frmOptions* dialog = OpenDialog();
    QVERIFY(dialog != nullptr);
    ClickCheckBox(Find<QCheckBox>(dialog, "chkOptimizeTags"));
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdNew"), Qt::LeftButton);
    ClickTab(dialog, 1);
    auto yes = AnswerNextMessageBox(QMessageBox::Yes);
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdDelete"), Qt::LeftButton);
    QVERIFY(yes->shown);
    QCOMPARE(Names(m_main->AllLanguages()),
             QStringList({QStringLiteral("Perl"), QStringLiteral("新しい言語1")}));

    // An empty name does not stop the dialog from being cancelled.
    ClickTab(dialog, 1);
    Find<QLineEdit>(dialog, "txtName")->setFocus();
    Press(Qt::Key_Backspace);
    if (how == QStringLiteral("cancel"))
        QTest::mouseClick(Find<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    else if (how == QStringLiteral("escape"))
        Press(Qt::Key_Escape);
    else
        dialog->close();
    QTRY_VERIFY(m_main->OptionForm() == nullptr);

    QCOMPARE(Names(m_main->AllLanguages()),
             QStringList({QStringLiteral("C"), QStringLiteral("Perl")}));
    QVERIFY(m_main->Switches.OptimizeTags);
    QVERIFY(!m_main->Switches.BeepOnProcess);
    QCOMPARE(m_main->LanguageMenu().Count(), 2);
    QCOMPARE(FileBytes(m_settings), before);
}

void OwnerRoundTripTest::closingDuringAKeywordEditKeepsNothingOfIt() {
    frmOptions* dialog = OpenDialog();
    QVERIFY(dialog != nullptr);
    ClickTab(dialog, 1);
    auto* list = Find<QTreeWidget>(dialog, "lvwKeywords");
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    Press(Qt::Key_F2);
    Type(QStringLiteral("zz"));
    dialog->close(); // the close box, with the keyword still in its editor
    QTRY_VERIFY(m_main->OptionForm() == nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The reloaded languages are what is stored: the edit did not land in them afterwards.
    const Keywords& keywords = m_main->AllLanguages().Item(1).Keywords();
    QCOMPARE(keywords.Count(), 3);
    QCOMPARE(ToQString(keywords.Item(2)), QStringLiteral("if"));
}

QTEST_MAIN(OwnerRoundTripTest)
#include "OwnerRoundTripTest.moc"
