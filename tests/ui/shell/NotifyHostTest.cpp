// The tray on StatusNotifierItem hosts: activations decoded as clicks, and the command menu
// as the host reads and uses it.
#include "ui/shell/tray/DBusMenuExporter.h"
#include "ui/shell/tray/ctlNotify.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>

using namespace brevlin::shell;

class NotifyHostTest : public QObject {
    Q_OBJECT

    static int Interval() { return QGuiApplication::styleHints()->mouseDoubleClickInterval(); }

    static QStringList Labels(const DBusMenuLayoutItem& layout) {
        QStringList labels;
        for (const DBusMenuLayoutItem& child : layout.children) {
            labels << (child.properties.value(QStringLiteral("type")).toString() == u"separator"
                           ? QStringLiteral("-")
                           : child.properties.value(QStringLiteral("label")).toString());
        }
        return labels;
    }

    static QList<bool> EnabledOf(const DBusMenuLayoutItem& layout) {
        QList<bool> enabled;
        for (const DBusMenuLayoutItem& child : layout.children) {
            if (child.properties.contains(QStringLiteral("enabled")))
                enabled << child.properties.value(QStringLiteral("enabled")).toBool();
        }
        return enabled;
    }

private slots:
    void ActivationsDecodeAsTheClicksOfTheXEmbedTray() {
        ctlNotify icon;
        QSignalSpy clicks(&icon, &ctlNotify::Click);
        QSignalSpy doubleClicks(&icon, &ctlNotify::DblClick);

        // One activation: a left click, reported only once the double-click time is over.
        icon.HostActivate();
        QCOMPARE(clicks.count(), 0);
        QVERIFY(clicks.wait(Interval() + 2000));
        QCOMPARE(clicks.takeFirst().at(0).toInt(), vbLeftButton);

        // Two within the double-click time: a double click alone.
        icon.HostActivate();
        icon.HostActivate();
        QCOMPARE(doubleClicks.count(), 1);
        QCOMPARE(doubleClicks.takeFirst().at(0).toInt(), vbLeftButton);
        QTest::qWait(Interval() + 100);
        QCOMPARE(clicks.count(), 0);

        // Three: a double click, then the third starts a new click.
        icon.HostActivate();
        icon.HostActivate();
        icon.HostActivate();
        QCOMPARE(doubleClicks.count(), 1);
        doubleClicks.clear();
        QVERIFY(clicks.wait(Interval() + 2000));
        QCOMPARE(clicks.count(), 1);
        clicks.clear();

        // The middle button opens what a double click opens; a context request is a right click.
        icon.HostSecondaryActivate();
        QCOMPARE(doubleClicks.count(), 1);
        doubleClicks.clear();
        icon.HostContextMenu();
        QVERIFY(clicks.wait(Interval() + 2000));
        QCOMPARE(clicks.takeFirst().at(0).toInt(), vbRightButton);

        // While disabled, the host's calls do nothing.
        icon.SetEnabled(false);
        icon.HostActivate();
        icon.HostActivate();
        icon.HostSecondaryActivate();
        icon.HostContextMenu();
        QTest::qWait(Interval() + 100);
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(doubleClicks.count(), 0);
    }

    void LabelsCarryTheAccessKeyAsTheProtocolWritesIt() {
        QCOMPARE(DBusMenuExporter::LabelOf(QStringLiteral("オプション(&O)....")),
                 QStringLiteral("オプション(_O)...."));
        QCOMPARE(DBusMenuExporter::LabelOf(QStringLiteral("a_b && c&D")),
                 QStringLiteral("a__b & c_D"));
    }

    void ExportedMenuFollowsTheMenuAndTheIconsState() {
        QMenu menu;
        QAction* options = menu.addAction(QStringLiteral("オプション(&O)...."));
        menu.addSeparator();
        QAction* exit = menu.addAction(QStringLiteral("閉じる(&X)"));
        QObject host;
        auto* exporter = new DBusMenuExporter(&host, &menu);

        DBusMenuLayoutItem layout;
        const uint revision = exporter->GetLayout(0, -1, {}, QDBusMessage(), layout);
        QCOMPARE(Labels(layout), (QStringList{QStringLiteral("オプション(_O)...."),
                                              QStringLiteral("-"), QStringLiteral("閉じる(_X)")}));
        QCOMPARE(EnabledOf(layout), (QList<bool>{true, true}));
        const int optionsId = layout.children.at(0).id;
        const int exitId = layout.children.at(2).id;

        // A click from the host triggers the entry once the call has been answered.
        QSignalSpy triggered(options, &QAction::triggered);
        exporter->Event(optionsId, QStringLiteral("clicked"), QDBusVariant(0), 0, QDBusMessage());
        QCOMPARE(triggered.count(), 0);
        QVERIFY(triggered.wait(2000));
        QCOMPARE(exporter->EventGroup({{exitId, QStringLiteral("hovered"), QDBusVariant(0), 0},
                                       {9999, QStringLiteral("clicked"), QDBusVariant(0), 0}}),
                 QList<int>{9999});

        // Disabled with the tray icon: every entry reads as disabled and a click does nothing.
        QSignalSpy updated(exporter, &DBusMenuExporter::ItemsPropertiesUpdated);
        exporter->SetEnabled(false);
        QCOMPARE(updated.count(), 1);
        exporter->GetLayout(0, -1, {}, QDBusMessage(), layout);
        QCOMPARE(EnabledOf(layout), (QList<bool>{false, false}));
        triggered.clear();
        exporter->Event(optionsId, QStringLiteral("clicked"), QDBusVariant(0), 0, QDBusMessage());
        QTest::qWait(100);
        QCOMPARE(triggered.count(), 0);
        exporter->SetEnabled(true);

        // A disabled entry stays disabled; changes of the menu reach the host.
        exit->setEnabled(false);
        QCOMPARE(updated.count(), 3);
        QSignalSpy relaid(exporter, &DBusMenuExporter::LayoutUpdated);
        menu.addAction(QStringLiteral("New"));
        QCOMPARE(relaid.count(), 1);
        QVERIFY(relaid.takeFirst().at(0).toUInt() > revision);
        exporter->GetLayout(0, -1, {QStringLiteral("enabled")}, QDBusMessage(), layout);
        QCOMPARE(EnabledOf(layout), (QList<bool>{true, false, true}));
        QVERIFY(!layout.children.at(0).properties.contains(QStringLiteral("label")));
    }
};

QTEST_MAIN(NotifyHostTest)
#include "NotifyHostTest.moc"
