#pragma once

#include "ui/shell/tray/DBusTrayTypes.h"

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QHash>
#include <QPointer>

class QAction;
class QMenu;

namespace brevlin::shell {

// Publishes a QMenu on the session bus as a DBusMenu ("com.canonical.dbusmenu"), so a tray
// host that draws menus itself shows the program's entries and reports their choice back.
// Entries get stable numbers (0 is the menu itself); an entry chosen through the bus is
// triggered as if clicked. While not enabled, every entry reads as disabled and choices are
// ignored, as clicks on the tray icon are.
class DBusMenuExporter : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ Version)
    Q_PROPERTY(QString TextDirection READ TextDirection)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(QStringList IconThemePath READ IconThemePath)

public:
    // The adaptor lives on `host`, the object registered at the menu's path.
    DBusMenuExporter(QObject* host, QMenu* menu);

    void SetEnabled(bool value);
    bool Enabled() const { return m_enabled; }

    // A DBusMenu label: '&' marks the access key as '_' does there; a literal '_' is doubled.
    static QString LabelOf(const QString& text);

    uint Version() const { return 3; }
    QString TextDirection() const;
    QString Status() const { return QStringLiteral("normal"); }
    QStringList IconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   const QDBusMessage& message, brevlin::shell::DBusMenuLayoutItem& layout);
    brevlin::shell::DBusMenuItemPropertiesList GetGroupProperties(const QList<int>& ids,
                                                                  const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name, const QDBusMessage& message);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp,
               const QDBusMessage& message);
    QList<int> EventGroup(const brevlin::shell::DBusMenuEventList& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    void ItemsPropertiesUpdated(const brevlin::shell::DBusMenuItemPropertiesList& updatedProps,
                                const brevlin::shell::DBusMenuItemKeysList& removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* ActionOf(int id) const;
    int IdOf(QAction* action);
    QVariantMap PropertiesOf(int id, const QStringList& names);
    bool Deliver(int id, const QString& eventId);
    void SendError(const QDBusMessage& message, const QString& text) const;

    QPointer<QMenu> m_menu;
    QHash<QAction*, int> m_ids;
    int m_nextId = 1;
    uint m_revision = 1;
    bool m_enabled = true;
};

} // namespace brevlin::shell
