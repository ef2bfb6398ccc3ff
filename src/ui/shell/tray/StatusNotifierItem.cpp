#include "ui/shell/tray/StatusNotifierItem.h"

#include "ui/shell/tray/DBusMenuExporter.h"
#include "ui/shell/tray/StatusNotifierItemAdaptor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QImage>
#include <QMenu>
#include <QtEndian>

namespace brevlin::shell {

namespace {

const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString WatcherInterface = QString::fromLatin1(StatusNotifierItem::WatcherService);
// How long the start waits for a watcher that does not answer.
constexpr int QueryTimeoutMs = 2000;

QDBusMessage HostQuery() {
    QDBusMessage query = QDBusMessage::createMethodCall(
        WatcherInterface, WatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    query << WatcherInterface << QStringLiteral("IsStatusNotifierHostRegistered");
    return query;
}

bool HostAnswer(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

} // namespace

StatusNotifierItem::StatusNotifierItem(QObject* parent) : QObject(parent) {
    RegisterDBusTrayTypes();
    QDBusConnection bus = QDBusConnection::sessionBus();
    m_connected = bus.isConnected();
    if (!m_connected)
        return;
    m_service =
        QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid());
    new StatusNotifierItemAdaptor(this);
    bus.registerObject(QString::fromLatin1(ItemPath), this, QDBusConnection::ExportAdaptors);

    m_watcher = new QDBusServiceWatcher(WatcherInterface, bus,
                                        QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this,
            &StatusNotifierItem::WatcherAppeared);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &StatusNotifierItem::WatcherVanished);
    for (const char* name : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
        bus.connect(WatcherInterface, WatcherPath, WatcherInterface, QString::fromLatin1(name),
                    this, SLOT(HostsChanged()));
    }
    // The start decides between this item and an XEmbed icon, so it waits for the answer.
    m_hostAvailable = HostAnswer(bus.call(HostQuery(), QDBus::Block, QueryTimeoutMs));
}

StatusNotifierItem::~StatusNotifierItem() {
    if (!m_connected)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (m_registered)
        bus.unregisterService(m_service);
    bus.unregisterObject(QString::fromLatin1(ItemPath));
    if (m_menuHost != nullptr)
        bus.unregisterObject(QString::fromLatin1(MenuPath));
}

void StatusNotifierItem::SetShown(bool value) {
    m_shown = value;
    UpdateRegistration();
}

void StatusNotifierItem::SetIcon(const QIcon& icon) {
    m_pixmaps = PixmapsOf(icon);
    emit NewIcon();
}

void StatusNotifierItem::SetToolTip(const QString& text) {
    if (text == m_toolTip)
        return;
    m_toolTip = text;
    emit NewTitle();
    emit NewToolTip();
}

void StatusNotifierItem::SetMenu(QMenu* menu) {
    if (!m_connected || m_menuHost != nullptr)
        return;
    // The adaptor exists before the object is published, so the bus sees its interface.
    m_menuHost = new QObject(this);
    m_menu = new DBusMenuExporter(m_menuHost, menu);
    QDBusConnection::sessionBus().registerObject(QString::fromLatin1(MenuPath), m_menuHost,
                                                 QDBusConnection::ExportAdaptors);
}

void StatusNotifierItem::SetMenuEnabled(bool value) {
    if (m_menu != nullptr)
        m_menu->SetEnabled(value);
}

DBusIconPixmapList StatusNotifierItem::PixmapsOf(const QIcon& icon) {
    DBusIconPixmapList pixmaps;
    if (icon.isNull())
        return pixmaps;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
        if (image.isNull())
            continue;
        if (image.size() != QSize(size, size))
            image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        image = image.convertToFormat(QImage::Format_ARGB32);
        DBusIconPixmap pixmap{image.width(), image.height(), QByteArray()};
        pixmap.pixels.resize(qsizetype(image.width()) * image.height() * 4);
        char* out = pixmap.pixels.data();
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x, out += 4)
                qToBigEndian<quint32>(line[x], out);
        }
        pixmaps.append(pixmap);
    }
    return pixmaps;
}

DBusToolTip StatusNotifierItem::ToolTip() const {
    return DBusToolTip{QString(), {}, m_toolTip, QString()};
}

void StatusNotifierItem::HostContextMenu(int x, int y) {
    emit ContextMenuRequested(QPoint(x, y));
}

void StatusNotifierItem::HostActivate(int x, int y) {
    emit Activated(QPoint(x, y));
}

void StatusNotifierItem::HostSecondaryActivate(int x, int y) {
    emit SecondaryActivated(QPoint(x, y));
}

void StatusNotifierItem::WatcherAppeared() {
    // A new watcher knows no items: offer this one again once it has a host.
    m_registered = false;
    QueryHost();
}

void StatusNotifierItem::WatcherVanished() {
    m_registered = false;
    SetHostAvailable(false);
}

void StatusNotifierItem::HostsChanged() {
    QueryHost();
}

void StatusNotifierItem::QueryHost() {
    auto* call =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(HostQuery()), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        SetHostAvailable(HostAnswer(done->reply()));
    });
}

void StatusNotifierItem::SetHostAvailable(bool value) {
    const bool changed = value != m_hostAvailable;
    m_hostAvailable = value;
    UpdateRegistration();
    if (changed)
        emit HostAvailableChanged(value);
}

void StatusNotifierItem::UpdateRegistration() {
    if (!m_connected)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    const bool wanted = m_shown && m_hostAvailable;
    if (wanted && !m_registered) {
        if (!bus.interface()->isServiceRegistered(m_service).value())
            bus.registerService(m_service);
        QDBusMessage call =
            QDBusMessage::createMethodCall(WatcherInterface, WatcherPath, WatcherInterface,
                                           QStringLiteral("RegisterStatusNotifierItem"));
        call << m_service;
        bus.asyncCall(call);
        m_registered = true;
    } else if (!wanted && m_registered) {
        // A watcher forgets an item whose name leaves the bus.
        bus.unregisterService(m_service);
        m_registered = false;
    }
}

} // namespace brevlin::shell
