#include "ui/shell/tray/DBusMenuExporter.h"

#include <QAction>
#include <QActionEvent>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QMenu>
#include <QMetaObject>

namespace brevlin::shell {

namespace {

QVariantMap Only(const QVariantMap& properties, const QStringList& names) {
    if (names.isEmpty())
        return properties;
    QVariantMap chosen;
    for (const QString& name : names) {
        const auto found = properties.constFind(name);
        if (found != properties.constEnd())
            chosen.insert(name, found.value());
    }
    return chosen;
}

} // namespace

DBusMenuExporter::DBusMenuExporter(QObject* host, QMenu* menu)
    : QDBusAbstractAdaptor(host), m_menu(menu) {
    RegisterDBusTrayTypes();
    // Entries added, removed or changed reach the host as the protocol's signals.
    menu->installEventFilter(this);
    setAutoRelaySignals(false);
}

void DBusMenuExporter::SetEnabled(bool value) {
    if (value == m_enabled)
        return;
    m_enabled = value;
    if (!m_menu)
        return;
    DBusMenuItemPropertiesList updated;
    for (QAction* action : m_menu->actions()) {
        if (action->isSeparator())
            continue;
        const int id = IdOf(action);
        updated.append({id, PropertiesOf(id, {QStringLiteral("enabled")})});
    }
    emit ItemsPropertiesUpdated(updated, {});
}

QString DBusMenuExporter::LabelOf(const QString& text) {
    QString label;
    label.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'_') {
            label += QStringLiteral("__");
        } else if (c == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                label += u'&';
                ++i;
            } else {
                label += u'_';
            }
        } else {
            label += c;
        }
    }
    return label;
}

QString DBusMenuExporter::TextDirection() const {
    return QGuiApplication::isRightToLeft() ? QStringLiteral("rtl") : QStringLiteral("ltr");
}

QAction* DBusMenuExporter::ActionOf(int id) const {
    for (auto it = m_ids.constBegin(); it != m_ids.constEnd(); ++it) {
        if (it.value() == id)
            return it.key();
    }
    return nullptr;
}

int DBusMenuExporter::IdOf(QAction* action) {
    auto found = m_ids.find(action);
    if (found == m_ids.end()) {
        found = m_ids.insert(action, m_nextId++);
        connect(action, &QObject::destroyed, this, [this, action] { m_ids.remove(action); });
    }
    return found.value();
}

QVariantMap DBusMenuExporter::PropertiesOf(int id, const QStringList& names) {
    QVariantMap properties;
    if (id == 0) {
        properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        return Only(properties, names);
    }
    QAction* action = ActionOf(id);
    if (action == nullptr)
        return {};
    if (action->isSeparator()) {
        properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
    } else {
        properties.insert(QStringLiteral("type"), QStringLiteral("standard"));
        properties.insert(QStringLiteral("label"), LabelOf(action->text()));
        properties.insert(QStringLiteral("enabled"), m_enabled && action->isEnabled());
        if (action->isCheckable()) {
            properties.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
            properties.insert(QStringLiteral("toggle-state"), action->isChecked() ? 1 : 0);
        }
    }
    properties.insert(QStringLiteral("visible"), action->isVisible());
    return Only(properties, names);
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                 const QDBusMessage& message, DBusMenuLayoutItem& layout) {
    layout = {};
    if (!m_menu || (parentId != 0 && ActionOf(parentId) == nullptr)) {
        SendError(message, QStringLiteral("No menu entry %1").arg(parentId));
        return m_revision;
    }
    layout.id = parentId;
    layout.properties = PropertiesOf(parentId, propertyNames);
    // The menu is flat: only the menu itself has children.
    if (parentId == 0 && recursionDepth != 0) {
        for (QAction* action : m_menu->actions()) {
            const int id = IdOf(action);
            layout.children.append({id, PropertiesOf(id, propertyNames), {}});
        }
    }
    return m_revision;
}

DBusMenuItemPropertiesList DBusMenuExporter::GetGroupProperties(const QList<int>& ids,
                                                                const QStringList& propertyNames) {
    DBusMenuItemPropertiesList result;
    for (int id : ids) {
        if (id == 0 || ActionOf(id) != nullptr)
            result.append({id, PropertiesOf(id, propertyNames)});
    }
    return result;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString& name,
                                           const QDBusMessage& message) {
    const QVariantMap properties = PropertiesOf(id, {name});
    if (properties.isEmpty()) {
        SendError(message, QStringLiteral("No property %1 on menu entry %2").arg(name).arg(id));
        return QDBusVariant(QString());
    }
    return QDBusVariant(properties.first());
}

void DBusMenuExporter::Event(int id, const QString& eventId, const QDBusVariant& data,
                             uint timestamp, const QDBusMessage& message) {
    (void)data;
    (void)timestamp;
    if (id != 0 && ActionOf(id) == nullptr) {
        SendError(message, QStringLiteral("No menu entry %1").arg(id));
        return;
    }
    Deliver(id, eventId);
}

QList<int> DBusMenuExporter::EventGroup(const DBusMenuEventList& events) {
    QList<int> idErrors;
    for (const DBusMenuEvent& event : events) {
        if (!Deliver(event.id, event.eventId))
            idErrors.append(event.id);
    }
    return idErrors;
}

bool DBusMenuExporter::Deliver(int id, const QString& eventId) {
    QAction* action = ActionOf(id);
    if (id != 0 && action == nullptr)
        return false;
    if (id == 0 && eventId == u"opened" && m_menu)
        QMetaObject::invokeMethod(m_menu, &QMenu::aboutToShow, Qt::QueuedConnection);
    if (eventId != u"clicked" || action == nullptr)
        return true;
    if (!m_enabled || !action->isEnabled() || !action->isVisible() || action->isSeparator())
        return true;
    // After the reply has gone: the command may open windows or end the program.
    QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
    return true;
}

bool DBusMenuExporter::AboutToShow(int id) {
    (void)id;
    return false;
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    idErrors.clear();
    for (int id : ids) {
        if (id != 0 && ActionOf(id) == nullptr)
            idErrors.append(id);
    }
    return {};
}

bool DBusMenuExporter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_menu) {
        switch (event->type()) {
        case QEvent::ActionAdded:
        case QEvent::ActionRemoved:
            emit LayoutUpdated(++m_revision, 0);
            break;
        case QEvent::ActionChanged: {
            QAction* action = static_cast<QActionEvent*>(event)->action();
            const int id = IdOf(action);
            emit ItemsPropertiesUpdated({{id, PropertiesOf(id, {})}}, {});
            break;
        }
        default:
            break;
        }
    }
    return QDBusAbstractAdaptor::eventFilter(watched, event);
}

void DBusMenuExporter::SendError(const QDBusMessage& message, const QString& text) const {
    message.setDelayedReply(true);
    QDBusConnection::sessionBus().send(message.createErrorReply(QDBusError::InvalidArgs, text));
}

} // namespace brevlin::shell
