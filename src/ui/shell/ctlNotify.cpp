#include "ctlNotify.h"

#include "StatusNotifierItem.h"
#include "platform/CodePage.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QStyleHints>

// The icons live in this static library, whose resources are not registered by themselves.
static void InitShellResources() {
    Q_INIT_RESOURCE(shell);
}

namespace brevlin::shell {

namespace {

bool IsTrayIconWindow(QObject* object) {
    return object->isWidgetType() &&
           qstrcmp(object->metaObject()->className(), "QSystemTrayIconSys") == 0;
}

int MessageOf(QEvent::Type type, Qt::MouseButton button) {
    const bool left = button == Qt::LeftButton;
    const bool right = button == Qt::RightButton;
    if (!left && !right)
        return 0;
    NotifyMessage message;
    switch (type) {
    case QEvent::MouseButtonPress:
        message = left ? NotifyMessage::LButtonDown : NotifyMessage::RButtonDown;
        break;
    case QEvent::MouseButtonRelease:
        message = left ? NotifyMessage::LButtonUp : NotifyMessage::RButtonUp;
        break;
    case QEvent::MouseButtonDblClick:
        message = left ? NotifyMessage::LButtonDblClk : NotifyMessage::RButtonDblClk;
        break;
    default:
        return 0;
    }
    return static_cast<int>(message);
}

} // namespace

ctlNotify::ctlNotify(QObject* parent)
    : QObject(parent), m_item(new StatusNotifierItem(this)),
      m_state(*this, NotifyClickState::Events{
                         [this](int button) { emit Click(button); },
                         [this](int button) { emit DblClick(button); },
                         [this] { emit MouseMove(); },
                     }) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_state.TimerTick(); });
    connect(m_item, &StatusNotifierItem::Activated, this, [this](QPoint position) {
        HostPoint(position);
        HostActivate();
    });
    connect(m_item, &StatusNotifierItem::SecondaryActivated, this, [this](QPoint position) {
        HostPoint(position);
        HostSecondaryActivate();
    });
    connect(m_item, &StatusNotifierItem::ContextMenuRequested, this, [this](QPoint position) {
        HostPoint(position);
        HostContextMenu();
    });
    connect(m_item, &StatusNotifierItem::HostAvailableChanged, this, &ctlNotify::UpdateHost);
    // The X11 icon window is created by Qt, and created anew when the tray restarts.
    QCoreApplication::instance()->installEventFilter(this);
}

ctlNotify::~ctlNotify() {
    Hide();
}

void ctlNotify::SetIconID(int value) {
    if (value == m_iconId)
        return;
    // The tray gets the new icon before the old one goes.
    QIcon icon = LoadIcon(value);
    if (m_tray != nullptr)
        m_tray->setIcon(icon);
    m_item->SetIcon(icon);
    m_icon = std::move(icon);
    m_iconId = value;
}

void ctlNotify::SetTipText(const QString& value) {
    m_tipText = value.isEmpty() ? QString() : CutTipText(value);
    if (m_tray != nullptr)
        m_tray->setToolTip(m_tipText);
    m_item->SetToolTip(m_tipText);
}

void ctlNotify::SetEnabled(bool value) {
    m_state.SetEnabled(value);
    m_item->SetMenuEnabled(value);
}

void ctlNotify::Show() {
    if (m_shown)
        return;
    m_shown = true;
    UpdateHost();
}

void ctlNotify::Hide() {
    if (!m_shown)
        return;
    m_shown = false;
    UpdateHost();
}

void ctlNotify::SetMenu(QMenu* menu) {
    m_item->SetMenu(menu);
}

QPoint ctlNotify::PopupPosition() const {
    return m_hostPoint.isNull() ? QCursor::pos() : m_hostPoint;
}

bool ctlNotify::OnStatusNotifierHost() const {
    return m_item->Registered();
}

void ctlNotify::UpdateHost() {
    const bool onItem = m_shown && m_item->HostAvailable();
    m_item->SetShown(onItem);
    if (m_shown && !onItem) {
        // Without a notification area yet, Qt adds the icon once one appears.
        Tray().show();
    } else if (m_tray != nullptr) {
        m_tray->hide();
    }
}

QSystemTrayIcon& ctlNotify::Tray() {
    if (m_tray == nullptr) {
        m_tray = new QSystemTrayIcon(this);
        connect(m_tray, &QSystemTrayIcon::activated, this, &ctlNotify::TrayActivated);
        m_tray->setIcon(m_icon);
        m_tray->setToolTip(m_tipText);
    }
    return *m_tray;
}

void ctlNotify::HostPoint(QPoint position) {
    m_hostPoint = position;
}

void ctlNotify::HostActivate() {
    // A second activation within the double-click time completes a double click.
    if (m_state.Enabled() && m_state.LeftState() == NotifyClickState::ClickPending) {
        m_state.Notify(NotifyMessage::LButtonDblClk);
    } else {
        m_state.Notify(NotifyMessage::LButtonDown);
    }
    m_state.Notify(NotifyMessage::LButtonUp);
}

void ctlNotify::HostSecondaryActivate() {
    m_state.Notify(NotifyMessage::LButtonDblClk);
    m_state.Notify(NotifyMessage::LButtonUp);
}

void ctlNotify::HostContextMenu() {
    m_state.Notify(NotifyMessage::RButtonDown);
    m_state.Notify(NotifyMessage::RButtonUp);
}

QString ctlNotify::CutTipText(const QString& text) {
    const std::u16string units = text.toStdU16String();
    std::size_t bytes = 0;
    std::size_t end = 0;
    while (end < units.size()) {
        std::size_t length = 1;
        if (QChar::isHighSurrogate(units[end]) && end + 1 < units.size() &&
            QChar::isLowSurrogate(units[end + 1]))
            length = 2;
        const std::size_t width =
            platform::CodePage::ByteWidth(std::u16string_view(units).substr(end, length));
        if (bytes + width > static_cast<std::size_t>(TipTextBytes))
            break;
        bytes += width;
        end += length;
    }
    return QString::fromStdU16String(units.substr(0, end));
}

QIcon ctlNotify::LoadIcon(int id) {
    static const bool registered = (InitShellResources(), true);
    (void)registered;
    switch (id) {
    case AppIconID:
        return QIcon(QStringLiteral(":/brevlin/icons/app.svg"));
    case BusyIconID:
        return QIcon(QStringLiteral(":/brevlin/icons/busy.svg"));
    default:
        return QIcon();
    }
}

bool ctlNotify::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
        return false;
    if (!IsTrayIconWindow(watched))
        return false;
    m_hostPoint = QPoint();
    if (type == QEvent::MouseMove) {
        m_state.Notify(NotifyMessage::MouseMove);
        return false;
    }
    const int message = MessageOf(type, static_cast<QMouseEvent*>(event)->button());
    if (message != 0)
        m_state.Notify(message);
    // Taken here, so Qt raises no activation of its own for the same press.
    return true;
}

void ctlNotify::Start() {
    m_timer.stop();
    m_timer.start(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

void ctlNotify::Stop() {
    m_timer.stop();
}

void ctlNotify::TrayActivated(QSystemTrayIcon::ActivationReason reason) {
    // Hosts that report activations instead of buttons: the shell's message sequences.
    m_hostPoint = QPoint();
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        HostActivate();
        break;
    case QSystemTrayIcon::DoubleClick:
    case QSystemTrayIcon::MiddleClick:
        HostSecondaryActivate();
        break;
    case QSystemTrayIcon::Context:
        HostContextMenu();
        break;
    default:
        break;
    }
}

} // namespace brevlin::shell
