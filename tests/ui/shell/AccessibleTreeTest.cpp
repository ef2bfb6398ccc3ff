// What a screen reader reads: the accessible tree of the options dialog (both pages), the rule
// editor, the about box and the four pop-up menus, as Qt's accessibility layer hands it to
// AT-SPI. Every control and menu entry has a name; every one with context help reads that
// help as its description.
#include "ui/common/AppFolders.h"
#include "ui/common/HelpLocation.h"
#include "ui/options/HelpPopups.h"
#include "ui/options/frmEditComment.h"
#include "ui/options/frmOptions.h"
#include "ui/options/modOptions.h"
#include "ui/shell/frmAbout.h"
#include "ui/shell/frmMain.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace brevlin;
using namespace brevlin::shell;

namespace {

// Roles that only hold other things, and the scroll bars of a view, which a screen reader
// reads as part of it.
bool IsContainer(QAccessible::Role role) {
    return role == QAccessible::Client || role == QAccessible::Pane ||
           role == QAccessible::Border || role == QAccessible::Separator ||
           role == QAccessible::ScrollBar;
}

// Rows, cells and headers of a list are its data, read as the list's content.
bool IsListContent(QAccessibleInterface* node) {
    for (QAccessibleInterface* up = node->parent(); up != nullptr; up = up->parent()) {
        const QAccessible::Role role = up->role();
        if (role == QAccessible::Table || role == QAccessible::Tree || role == QAccessible::List)
            return true;
        if (role == QAccessible::Window || role == QAccessible::Dialog)
            break;
    }
    return false;
}

QString PathOf(QAccessibleInterface* node) {
    QStringList parts;
    for (QAccessibleInterface* n = node; n != nullptr; n = n->parent()) {
        QObject* object = n->object();
        parts.prepend(object && !object->objectName().isEmpty()
                          ? object->objectName()
                          : QStringLiteral("role 0x") + QString::number(n->role(), 16));
        if (n->role() == QAccessible::Window || n->role() == QAccessible::Dialog ||
            n->role() == QAccessible::PopupMenu)
            break;
    }
    return parts.join(QLatin1Char('/'));
}

// Walks the tree below `node`; the nodes that a screen reader stops at without a name.
void Unnamed(QAccessibleInterface* node, QStringList& out, int& seen) {
    if (node == nullptr || !node->isValid())
        return;
    if (!IsContainer(node->role()) && !IsListContent(node)) {
        ++seen;
        if (node->text(QAccessible::Name).trimmed().isEmpty())
            out << PathOf(node);
    }
    for (int i = 0; i < node->childCount(); ++i)
        Unnamed(node->child(i), out, seen);
}

QStringList UnnamedIn(QObject* top, int& seen) {
    QStringList out;
    Unnamed(QAccessible::queryAccessibleInterface(top), out, seen);
    if (!out.isEmpty())
        qWarning() << "unnamed:" << out;
    return out;
}

QString DescriptionOf(QObject* object) {
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(object);
    return node ? node->text(QAccessible::Description) : QString();
}

} // namespace

class AccessibleTreeTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<frmMain> main;
    std::unique_ptr<HelpPopups> popups;

    frmOptions* OpenOptions() {
        main->ShowOptionsDialog();
        return main->OptionForm();
    }

    // Every control of the dialog that the keyboard reaches or that has context help has a
    // description, and one with context help has exactly its help text; returns the count.
    // Controls named in `without` (and their parts) are passed over.
    int CheckDescriptions(QWidget* dialog, const QStringList& without) {
        int count = 0;
        for (QWidget* control : dialog->findChildren<QWidget*>()) {
            const int id = HelpContextID(control);
            const bool reached = (control->focusPolicy() & Qt::TabFocus) != 0;
            bool excepted = false;
            for (QWidget* w = control; w != dialog && !excepted; w = w->parentWidget())
                excepted = without.contains(w->objectName());
            if ((id == 0 && !reached) || excepted)
                continue;
            ++count;
            const QString description = DescriptionOf(control);
            if (description.isEmpty() || (id != 0 && description != popups->Text(id))) {
                qWarning() << control->objectName() << id << description;
                return -1;
            }
        }
        return count;
    }

private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        qputenv("BREVLIN_SETTINGS", QFile::encodeName(folder.filePath(QStringLiteral("s.reg"))));
        HelpLocation::SetProgramHelpFile(
            AppFolders::HelpFileSetting(QStringLiteral(BREVLIN_BINARY_DIR)));
        popups =
            std::make_unique<HelpPopups>(HelpLocation(HelpLocation::ProgramHelpFile()).PopupFile());
        QVERIFY(!popups->Text(1000).isEmpty());
        main = std::make_unique<frmMain>();
    }
    void cleanupTestCase() {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void TrayMenusNameAndDescribeEveryEntry() {
        const auto check = [this](int languages) {
            for (const char* name : {"mnuLeftClick", "mnuRightClick"}) {
                auto* menu = main->findChild<QMenu*>(QString::fromLatin1(name));
                QVERIFY(menu != nullptr);
                int seen = 0;
                QCOMPARE(UnnamedIn(menu, seen), QStringList());
                QVERIFY(seen > 1);
                for (QAction* entry : menu->actions()) {
                    if (!entry->isSeparator() && entry->isVisible())
                        QVERIFY2(!DescriptionOf(entry).isEmpty(), qPrintable(entry->text()));
                }
            }
            QCOMPARE(main->LanguageMenu().Count(), languages);
        };
        main->AllLanguages().Clear();
        main->RebuildLanguageMenu();
        check(0); // the placeholder entry
        main->AllLanguages().Add(u"C");
        main->AllLanguages().Add(u"Go");
        main->RebuildLanguageMenu();
        check(2);
        QVERIFY(DescriptionOf(main->LanguageMenu().Item(2)).contains(QStringLiteral("「Go」")));
    }

    void OptionsDialogOnBothPagesAndItsPopupMenus() {
        main->AllLanguages().Clear();
        Language& language = main->AllLanguages().Add(u"C");
        language.Keywords().Add(u"int");
        language.Comments().Add().SetClauseStart(u"//");
        frmOptions* options = OpenOptions();
        QVERIFY(options != nullptr);
        int seen = 0;
        QCOMPARE(UnnamedIn(options, seen), QStringList());
        options->findChild<QTabBar*>(QStringLiteral("tbsOptions"))->setCurrentIndex(1);
        QCOMPARE(UnnamedIn(options, seen), QStringList());
        QVERIFY(seen > 60);
        // The tab strip (with its scroll buttons) has no context help; its tabs read the page
        // names.
        QCOMPARE(CheckDescriptions(options, {QStringLiteral("tbsOptions")}), 37);

        for (const char* name : {"mnuKwPopup", "mnuCmPopup"}) {
            auto* menu = options->findChild<QMenu*>(QString::fromLatin1(name));
            QVERIFY(menu != nullptr);
            QCOMPARE(UnnamedIn(menu, seen), QStringList());
            for (QAction* entry : menu->actions()) {
                QVERIFY(HelpContextID(entry) != 0);
                QCOMPARE(DescriptionOf(entry), popups->Text(HelpContextID(entry)));
            }
        }
        options->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void RuleEditorAndAboutBox() {
        main->AllLanguages().Clear();
        main->AllLanguages().Add(u"C");
        frmOptions* options = OpenOptions();
        options->findChild<QTabBar*>(QStringLiteral("tbsOptions"))->setCurrentIndex(1);
        options->findChild<QPushButton*>(QStringLiteral("cmdCmAdd"))->click();
        auto* editor = options->findChild<frmEditComment*>();
        QVERIFY(editor != nullptr);
        int seen = 0;
        QCOMPARE(UnnamedIn(editor, seen), QStringList());
        QVERIFY(seen > 12);
        QCOMPARE(CheckDescriptions(editor, {}), 12);
        editor->reject();
        options->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        frmAbout about(nullptr);
        seen = 0;
        QCOMPARE(UnnamedIn(&about, seen), QStringList());
        QVERIFY(seen > 3);
    }
};

QTEST_MAIN(AccessibleTreeTest)
#include "AccessibleTreeTest.moc"
