#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The structured values of the StatusNotifierItem and DBusMenu protocols, with their D-Bus
// marshalling. RegisterDBusTrayTypes must run once before any of them crosses the bus.
namespace brevlin::shell {

// One icon image: width, height and ARGB32 pixels in network byte order, "(iiay)".
struct DBusIconPixmap {
    int width = 0;
    int height = 0;
    QByteArray pixels;
};
using DBusIconPixmapList = QList<DBusIconPixmap>;

// The tooltip: icon name, icon images, title and description, "(sa(iiay)ss)".
struct DBusToolTip {
    QString iconName;
    DBusIconPixmapList pixmaps;
    QString title;
    QString description;
};

// A menu entry with its properties and, down to the depth asked for, its children, "(ia{sv}av)".
struct DBusMenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

// The properties of one entry, "(ia{sv})".
struct DBusMenuItemProperties {
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItemPropertiesList = QList<DBusMenuItemProperties>;

// The names of the properties an entry no longer has, "(ias)".
struct DBusMenuItemKeys {
    int id = 0;
    QStringList names;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// One event of a group of events sent to the menu, "(isvu)".
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

void RegisterDBusTrayTypes();

QDBusArgument& operator<<(QDBusArgument& argument, const DBusIconPixmap& value);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusIconPixmap& value);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusToolTip& value);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusToolTip& value);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayoutItem& value);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayoutItem& value);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemProperties& value);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemProperties& value);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemKeys& value);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemKeys& value);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& value);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& value);

} // namespace brevlin::shell

Q_DECLARE_METATYPE(brevlin::shell::DBusIconPixmap)
Q_DECLARE_METATYPE(brevlin::shell::DBusIconPixmapList)
Q_DECLARE_METATYPE(brevlin::shell::DBusToolTip)
Q_DECLARE_METATYPE(brevlin::shell::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(brevlin::shell::DBusMenuItemProperties)
Q_DECLARE_METATYPE(brevlin::shell::DBusMenuItemPropertiesList)
Q_DECLARE_METATYPE(brevlin::shell::DBusMenuItemKeys)
Q_DECLARE_METATYPE(brevlin::shell::DBusMenuItemKeysList)
Q_DECLARE_METATYPE(brevlin::shell::DBusMenuEvent)
Q_DECLARE_METATYPE(brevlin::shell::DBusMenuEventList)
