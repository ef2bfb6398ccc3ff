// Renders the pages of the options dialog and the rule editor for the documentation, in the
// language the program would speak (BREVLIN_UI_LANGUAGE=en or ja chooses).
// usage: options_screenshots LANGUAGES_FOLDER OUTPUT_FOLDER   (QT_QPA_PLATFORM=offscreen)

#include "settings/LanguageSet.h"
#include "ui/common/AppFolders.h"
#include "ui/common/HelpLocation.h"
#include "ui/common/InterfaceLanguage.h"
#include "ui/options/frmEditComment.h"
#include "ui/options/frmOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include <cstdio>
#include <exception>

using namespace brevlin;

namespace {

bool Save(QWidget* widget, const QString& path) {
    QCoreApplication::processEvents();
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "options_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: options_screenshots LANGUAGES_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    // The translations and the context help of the build tree.
    InterfaceLanguage::Install(QStringLiteral(BREVLIN_BINARY_DIR));
    HelpLocation::SetProgramHelpFile(
        AppFolders::HelpFileSetting(QStringLiteral(BREVLIN_BINARY_DIR)));
    const QDir languagesFolder(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    Languages languages;
    GeneralSwitches switches;
    switches.OptimizeTags = true;
    switches.HtmlClipboard = true;
    try {
        for (const char* name : {"c", "cpp", "java", "python", "sql", "vb"}) {
            LanguageSet::ImportLanguage(
                languages,
                AppFolders::FilePath(languagesFolder.filePath(QString::fromLatin1(name) + ".bvl")),
                [](const Text&) { return false; });
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "options_screenshots: %s\n", error.what());
        return 1;
    }

    languages.Item(1).SetPreviewSample(
        u"/* Greatest common divisor */\r\nint gcd(int a, int b)\r\n{\r\n"
        u"    while (b != 0) {\r\n        int t = a % b;  // remainder\r\n"
        u"        a = b;\r\n        b = t;\r\n    }\r\n    return a;\r\n}\r\n"
        u"const char* s = \"a<b\";\r\n");
    frmOptions form(languages, switches, nullptr, {.htmlClipboard = true, .styleSheet = true});
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    bool ok = Save(&form, output.filePath("options-general.png"));

    auto* tabs = form.findChild<QTabBar*>("tbsOptions");
    tabs->setCurrentIndex(1);
    // The preview converts on a thread of its own a moment after the page is shown.
    auto* preview = form.findChild<QTextBrowser*>("txtPreview");
    for (int i = 0; i < 100 && preview->toPlainText().isEmpty(); ++i)
        QTest::qWait(50);
    ok = Save(&form, output.filePath("options-language.png")) && ok;

    auto* rules = form.findChild<QTreeWidget*>("lvwComments");
    rules->setCurrentItem(rules->topLevelItem(1));
    form.findChild<QPushButton*>("cmdCmEdit")->click();
    auto* editor = form.findChild<frmEditComment*>("frmEditComment");
    if (editor == nullptr || !QTest::qWaitForWindowExposed(editor))
        return 1;
    ok = Save(editor, output.filePath("rule-editor.png")) && ok;
    editor->close();
    return ok ? 0 : 1;
}
