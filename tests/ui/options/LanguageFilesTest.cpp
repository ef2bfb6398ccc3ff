// New languages, and languages in and out of language files through the file dialog.
#include "settings/LanguageFile.h"
#include "tests/ui/options/UiTestSupport.h"
#include "ui/common/AppFolders.h"
#include "ui/options/DialogMemory.h"
#include "ui/options/modOptions.h"

#include <QDir>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

using namespace brevlin;
using namespace brevlin::test;

namespace {

QStringList Names(const Languages& languages) {
    QStringList names;
    for (int i = 1; i <= languages.Count(); ++i)
        names << ToQString(languages.Item(i).Name());
    return names;
}

QStringList Tabs(QTabBar* tabs) {
    QStringList captions;
    for (int i = 1; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    return captions;
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

const QByteArray kTiny = "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=Tiny\r\n"
                         "StartTag=<b>\r\nEndTag=</b>\r\nReplaceTab=True\r\nTabColumns=8\r\n"
                         "IgnoreCase=False\r\nKeywords1=loop,and,do\r\n"
                         "[Comment1]\r\nClauseStart=//\r\nClauseEnd=\r\nEscapeChar=\r\n"
                         "MatchWord=False\r\nStartTag=<i>\r\nEndTag=</i>\r\n";

} // namespace

class LanguageFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void newLanguageTakesTheFirstFreeNumber();
    void newLanguageByKeyboardSelectsItsNameForTyping();
    void exportProposesTheNameWithoutForbiddenCharacters();
    void exportOverAnExistingFileReplacesItWhole();
    void exportThatCannotWriteShowsAnError();
    void exportNeverWritesOverTheSettingsFile();
    void importAddsANewLastLanguageAndShowsIt();
    void importOverAnExistingLanguageAnsweredYes();
    void importOverAnExistingLanguageAnsweredNo();
    void keywordListsAddALanguageOrReplaceItsKeywords();
    void importTakesSeveralFilesEachWithItsQuestions();
    void fileDialogsOpenInTheLastFolderUsed();
    void cleanup();
    void refusedFilesChangeNothing_data();
    void refusedFilesChangeNothing();

private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // The user's documents folder: the test's own home's on Linux; Windows keeps its own
    // whatever HOME says.
    QString Documents() const {
#ifdef Q_OS_WIN
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
#else
        return Path(QStringLiteral("home/Documents"));
#endif
    }
    QTabBar* TabsOf(OptionsFixture& f) {
        return f.Find<QTabBar>(QStringLiteral("tbsOptions"));
    }
};

void LanguageFilesTest::initTestCase() {
    // The file dialog keeps its last folder in the user's configuration: not this user's.
    qputenv("XDG_CONFIG_HOME", Path(QStringLiteral("config")).toLocal8Bit());
    // A home of the test's own, with the documents folder exports start in.
    qputenv("HOME", Path(QStringLiteral("home")).toLocal8Bit());
    QVERIFY(QDir().mkpath(Path(QStringLiteral("home/Documents"))));
}

void LanguageFilesTest::cleanup() {
    DialogMemory::Forget();
}

void LanguageFilesTest::newLanguageTakesTheFirstFreeNumber() {
    OptionsFixture f;
    QVERIFY(f.Open());
    auto* add = f.Find<QPushButton>(QStringLiteral("cmdNew"));
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(Names(f.languages),
             QStringList({QStringLiteral("新しい言語1"), QStringLiteral("新しい言語2")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
    QCOMPARE(f.form->CurrentIndex(), 2);

    // A gap left by a rename is filled first.
    f.languages.Item(1).SetName(u"C");
    TabsOf(f)->setTabText(1, QStringLiteral("C"));
    f.languages.Add(u"新しい言語3");
    TabsOf(f)->addTab(QStringLiteral("新しい言語3"));
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(ToQString(f.languages.Item(4).Name()), QStringLiteral("新しい言語1"));

    const Language& fresh = f.languages.Item(4);
    QVERIFY(fresh.StartTag().empty() && fresh.EndTag().empty());
    QVERIFY(!fresh.IgnoreCase() && !fresh.ReplaceTab());
    QCOMPARE(fresh.Keywords().Count(), 0);
    QCOMPARE(fresh.Comments().Count(), 0);
}

void LanguageFilesTest::newLanguageByKeyboardSelectsItsNameForTyping() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    QTest::keyClick(f.form.get(), Qt::Key_A, Qt::AltModifier);
    auto* name = f.Find<QLineEdit>(QStringLiteral("txtName"));
    QTRY_COMPARE(Focused(), name); // an access key clicks its button a moment later
    QCOMPARE(name->selectedText(), QStringLiteral("新しい言語1"));
    Type(QStringLiteral("Go"));
    Press(Qt::Key_Tab);
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("C"), QStringLiteral("Go")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));

    // From the name box itself: the access key leaves the focus there, and the next name
    // still replaces the default one instead of being appended to it.
    name->setFocus();
    Type(QStringLiteral("Rust"));
    QTest::keyClick(f.form.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(f.languages.Count(), 3);
    QCOMPARE(Focused(), name);
    QCOMPARE(name->selectedText(), QStringLiteral("新しい言語1"));
    Type(QStringLiteral("Lua"));
    Press(Qt::Key_Tab);
    QCOMPARE(Names(f.languages),
             QStringList({QStringLiteral("C"), QStringLiteral("Rust"), QStringLiteral("Lua")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
}

void LanguageFilesTest::exportProposesTheNameWithoutForbiddenCharacters() {
    OptionsFixture f;
    Language& language = AddLanguage(f.languages, QStringLiteral("C/C++"));
    language.SetIgnoreCase(true);
    QVERIFY(f.Open());
    f.ClickTab(1);
    const QString path = Path(QStringLiteral("out.bvl"));
    auto seen = AnswerNextFileDialog(path);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdExport")), Qt::LeftButton);
    QVERIFY(seen->shown);
    QVERIFY(seen->save);
    QCOMPARE(seen->title, QStringLiteral("言語設定のエクスポート"));
    QCOMPARE(seen->proposed, QStringLiteral("CC++.bvl"));
    QCOMPARE(seen->filters, QStringList({QStringLiteral("言語設定ファイル (*.bvl)"),
                                         QStringLiteral("すべてのファイル (*.*)")}));
    QCOMPARE(seen->selectedFilter, seen->filters.first());
    // The user's documents, never the bundled languages' folder.
    QCOMPARE(QDir(seen->directory), QDir(Documents()));

    std::unique_ptr<Language> back = LanguageFile::Load(AppFolders::FilePath(path));
    QCOMPARE(ToQString(back->Name()), QStringLiteral("C/C++"));
    QVERIFY(back->IgnoreCase());
    QCOMPARE(back->Keywords().Count(), 3);
    QCOMPARE(back->Comments().Count(), 2);
    QCOMPARE(f.languages.Count(), 1);
}

void LanguageFilesTest::exportOverAnExistingFileReplacesItWhole() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    f.ClickTab(1);
    const QString path = Path(QStringLiteral("existing.bvl"));
    WriteFile(path, "[Extra]\r\nKey=kept?\r\n");
    auto overwrite = AnswerNextMessageBox(QMessageBox::Yes);
    auto seen = AnswerNextFileDialog(path);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdExport")), Qt::LeftButton);
    QVERIFY(seen->shown);
    QVERIFY(overwrite->shown); // the save dialog asks before replacing a file
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(!content.contains("Extra"));
    QVERIFY(content.contains("Name=C"));
}

void LanguageFilesTest::exportThatCannotWriteShowsAnError() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    f.ClickTab(1);
#ifdef Q_OS_WIN
    QSKIP("Windows makes a shortcut file, not a link that writing follows");
#endif
    // A link to a folder that does not exist: writing fails for root too.
    const QString path = Path(QStringLiteral("dangling.bvl"));
    QVERIFY(QFile::link(Path(QStringLiteral("missing/target.bvl")), path));
    auto error = AnswerNextMessageBox(QMessageBox::Ok);
    auto seen = AnswerNextFileDialog(path);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdExport")), Qt::LeftButton);
    QVERIFY(seen->shown);
    QTRY_VERIFY(error->shown);
    QCOMPARE(error->title, QStringLiteral("Brevlin Glosser"));
    QCOMPARE(error->icon, QMessageBox::Critical);
    QVERIFY(!error->text.isEmpty());
    QVERIFY(!QFile::exists(Path(QStringLiteral("missing/target.bvl"))));
}

void LanguageFilesTest::exportNeverWritesOverTheSettingsFile() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    f.ClickTab(1);
    const QByteArray store = "Windows Registry Editor Version 5.00\r\n";
    WriteFile(Path(QStringLiteral("settings.reg")), store);
    qputenv("BREVLIN_SETTINGS", Path(QStringLiteral("settings.reg")).toLocal8Bit());
    // Named another way than the program names it.
    QVERIFY(QDir().mkpath(Path(QStringLiteral("elsewhere"))));
    auto answers = AnswerMessageBoxes({QMessageBox::Yes, QMessageBox::Ok});
    auto seen = AnswerNextFileDialog(Path(QStringLiteral("elsewhere/../settings.reg")));
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdExport")), Qt::LeftButton);
    qunsetenv("BREVLIN_SETTINGS");
    QVERIFY(seen->shown);
    QTRY_VERIFY(answers[1]->shown);
    QCOMPARE(answers[1]->icon, QMessageBox::Warning);
    QVERIFY(answers[1]->text.contains(QStringLiteral("設定ファイル")));
    QFile file(Path(QStringLiteral("settings.reg")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), store);
}

void LanguageFilesTest::importAddsANewLastLanguageAndShowsIt() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    const QString path = Path(QStringLiteral("tiny.bvl"));
    WriteFile(path, kTiny);
    auto seen = AnswerNextFileDialog(path);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QVERIFY(seen->shown);
    QVERIFY(!seen->save);
    QCOMPARE(seen->title, QStringLiteral("言語設定のインポート"));
    QCOMPARE(seen->filters, QStringList({QStringLiteral("言語設定ファイル (*.bvl)"),
                                         QStringLiteral("キーワードの一覧 (*.txt)"),
                                         QStringLiteral("すべてのファイル (*.*)")}));

    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("C"), QStringLiteral("Tiny")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
    QCOMPARE(f.form->CurrentIndex(), 2);
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtName"))->text(), QStringLiteral("Tiny"));
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtTabs"))->text(), QStringLiteral("8"));
    auto* keywords = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    QCOMPARE(keywords->topLevelItemCount(), 3);
    QCOMPARE(keywords->topLevelItem(0)->text(0), QStringLiteral("and"));
    QCOMPARE(f.Find<QTreeWidget>(QStringLiteral("lvwComments"))->topLevelItemCount(), 1);
}

void LanguageFilesTest::importOverAnExistingLanguageAnsweredYes() {
    OptionsFixture f;
    Language& shown = AddLanguage(f.languages, QStringLiteral("Tiny"));
    shown.SetIgnoreCase(true);
    shown.SetTabColumns(2);
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    f.ClickTab(1);
    // No keywords, no rules, and neither IgnoreCase, ReplaceTab nor TabColumns.
    const QString path = Path(QStringLiteral("bare.bvl"));
    WriteFile(path, "[Brevlin]\r\nVersion=1.0\r\n[Language]\r\nName=Tiny\r\nStartTag=<u>\r\n");

    auto question = AnswerNextMessageBox(QMessageBox::Yes);
    auto seen = AnswerNextFileDialog(path);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QVERIFY(question->shown);
    QCOMPARE(question->text,
             QStringLiteral("言語設定「Tiny」は既に存在します。ファイルの内容で置き換えますか？"));
    QCOMPARE(question->title, QStringLiteral("Brevlin Glosser"));
    QCOMPARE(question->icon, QMessageBox::Question);

    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("Tiny"), QStringLiteral("C")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
    const Language& tiny = f.languages.Item(1);
    QCOMPARE(tiny.Keywords().Count(), 0);
    QCOMPARE(tiny.Comments().Count(), 0);
    QVERIFY(tiny.IgnoreCase());
    QVERIFY(!tiny.ReplaceTab());
    QCOMPARE(tiny.TabColumns(), 4);
    // The page was showing this language and is refilled.
    QCOMPARE(f.form->CurrentIndex(), 1);
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtStartHTML"))->text(), QStringLiteral("<u>"));
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtTabs"))->text(), QStringLiteral("4"));
    QCOMPARE(f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"))->topLevelItemCount(), 0);
    QCOMPARE(f.Find<QTreeWidget>(QStringLiteral("lvwComments"))->topLevelItemCount(), 0);
}

void LanguageFilesTest::importOverAnExistingLanguageAnsweredNo() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("Tiny"));
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    f.ClickTab(2);
    const QString path = Path(QStringLiteral("tiny.bvl"));
    WriteFile(path, kTiny);
    auto question = AnswerNextMessageBox(QMessageBox::No);
    auto seen = AnswerNextFileDialog(path);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QVERIFY(question->shown);
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("Tiny"), QStringLiteral("C")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
    QCOMPARE(f.languages.Item(1).Keywords().Count(), 3);
    QCOMPARE(ToQString(f.languages.Item(1).StartTag()), QStringLiteral("<b class=\"Tiny\">"));
    QCOMPARE(f.form->CurrentIndex(), 2);
}

void LanguageFilesTest::refusedFilesChangeNothing_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("version 3") << QByteArray("[Brevlin]\r\nVersion=3\r\n[Language]\r\nName=X\r\n");
    QTest::newRow("no version") << QByteArray("[Language]\r\nName=X\r\n");
    QTest::newRow("no language section") << QByteArray("[Brevlin]\r\nVersion=2.0\r\n");
}

void LanguageFilesTest::refusedFilesChangeNothing() {
    QFETCH(QByteArray, content);
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    const QString path = Path(QStringLiteral("bad.bvl"));
    WriteFile(path, content);
    auto refusal = AnswerNextMessageBox(QMessageBox::Ok);
    auto seen = AnswerNextFileDialog(path);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QVERIFY(refusal->shown);
    QCOMPARE(refusal->text,
             QStringLiteral("ファイル形式が認識できないか、または互換性がありません。"));
    QCOMPARE(refusal->title, QStringLiteral("Brevlin Glosser"));
    QCOMPARE(refusal->icon, QMessageBox::Warning);
    QCOMPARE(Names(f.languages), QStringList{QStringLiteral("C")});
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
    QCOMPARE(f.form->CurrentIndex(), 0);
}

QTEST_MAIN(LanguageFilesTest)
#include "LanguageFilesTest.moc"

void LanguageFilesTest::keywordListsAddALanguageOrReplaceItsKeywords() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    const QString path = Path(QStringLiteral("Words.txt"));
    WriteFile(path, "if\nelse\n");
    auto seen = AnswerNextFileDialog(path);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QVERIFY(seen->shown);
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("C"), QStringLiteral("Words")}));
    QCOMPARE(f.form->CurrentIndex(), 2);
    auto* keywords = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    QCOMPARE(keywords->topLevelItemCount(), 2);
    QCOMPARE(keywords->topLevelItem(0)->text(0), QStringLiteral("else"));

    // Again, over the language of that name: asked so, and only the keywords change.
    f.languages.Item(2).SetStartTag(u"<u>");
    f.ClickTab(1);
    WriteFile(path, "while\n");
    auto question = AnswerNextMessageBox(QMessageBox::Yes);
    seen = AnswerNextFileDialog(path);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QVERIFY(question->shown);
    QCOMPARE(question->text, QStringLiteral("言語設定「Words」は既に存在します。キーワードを一覧の"
                                            "内容で置き換えますか？"));
    QCOMPARE(f.languages.Count(), 2);
    QCOMPARE(f.form->CurrentIndex(), 2);
    QCOMPARE(keywords->topLevelItemCount(), 1);
    QCOMPARE(keywords->topLevelItem(0)->text(0), QStringLiteral("while"));
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtStartHTML"))->text(), QStringLiteral("<u>"));
}

void LanguageFilesTest::importTakesSeveralFilesEachWithItsQuestions() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    WriteFile(Path(QStringLiteral("tiny.bvl")), kTiny);
    WriteFile(Path(QStringLiteral("c.bvl")), "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\n"
                                             "Name=C\r\nStartTag=<em>\r\n");
    WriteFile(Path(QStringLiteral("future.bvl")),
              "[Brevlin]\r\nVersion=3\r\n[Language]\r\nName=Future\r\n");
    WriteFile(Path(QStringLiteral("extra.bvl")), "[Brevlin]\r\nVersion=1.0\r\n[Language]\r\n"
                                                 "Name=Extra\r\nKeywords1=if,else\r\n");
    // Replace C? Yes; the refusal of the third file names it and what is wrong with it.
    auto answers = AnswerMessageBoxes({QMessageBox::Yes, QMessageBox::Ok});
    auto seen = AnswerNextFileDialog(
        QStringList{Path(QStringLiteral("tiny.bvl")), Path(QStringLiteral("c.bvl")),
                    Path(QStringLiteral("future.bvl")), Path(QStringLiteral("extra.bvl"))});
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QVERIFY(seen->shown);
    QVERIFY(answers[0]->shown);
    QCOMPARE(answers[0]->text,
             QStringLiteral("言語設定「C」は既に存在します。ファイルの内容で置き換えますか？"));
    QVERIFY(answers[1]->shown);
    QCOMPARE(answers[1]->text,
             QStringLiteral("ファイル形式が認識できないか、または互換性がありません。"));
    QVERIFY(answers[1]->informative.contains(QStringLiteral("future.bvl")));
    QVERIFY(answers[1]->informative.contains(QStringLiteral("Version=3")));

    // The dialog hands the files over in its own order.
    QStringList names = Names(f.languages);
    std::sort(names.begin() + 1, names.end());
    QCOMPARE(names,
             QStringList({QStringLiteral("C"), QStringLiteral("Extra"), QStringLiteral("Tiny")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
    QCOMPARE(ToQString(f.languages.Item(1).StartTag()), QStringLiteral("<em>"));
    QCOMPARE(f.languages.ItemByName(u"Tiny")->Keywords().Count(), 3);
    QCOMPARE(f.languages.ItemByName(u"Extra")->Keywords().Count(), 2);
    // The last language taken in is shown.
    QCOMPARE(f.form->CurrentIndex(), 3);
}

void LanguageFilesTest::fileDialogsOpenInTheLastFolderUsed() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    f.ClickTab(1);
    const QDir bundled(AppFolders::LanguagesFolder(AppFolders::ProgramFolder()));
    QVERIFY(QDir().mkpath(Path(QStringLiteral("imports"))));
    QVERIFY(QDir().mkpath(Path(QStringLiteral("exports"))));
    WriteFile(Path(QStringLiteral("imports/tiny.bvl")), kTiny);

    // First the bundled languages and the documents; then wherever the user went.
    auto seen = AnswerNextFileDialog(Path(QStringLiteral("imports/tiny.bvl")));
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QCOMPARE(QDir(seen->directory), bundled);
    seen = AnswerNextFileDialog(Path(QStringLiteral("exports/tiny.bvl")));
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdExport")), Qt::LeftButton);
    QCOMPARE(QDir(seen->directory), QDir(Documents()));
    QVERIFY(QFile::exists(Path(QStringLiteral("exports/tiny.bvl"))));

    // Also in a dialog opened later.
    f.form.reset();
    QVERIFY(f.Open());
    f.ClickTab(1);
    seen = AnswerNextFileDialog(QString());
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QCOMPARE(QDir(seen->directory), QDir(Path(QStringLiteral("imports"))));
    seen = AnswerNextFileDialog(QString());
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdExport")), Qt::LeftButton);
    QCOMPARE(QDir(seen->directory), QDir(Path(QStringLiteral("exports"))));
}
