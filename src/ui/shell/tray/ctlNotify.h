#pragma once

#include "ui/shell/tray/ClickTimer.h"
#include "ui/shell/tray/NotifyClickState.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>

class QMenu;

namespace brevlin::shell {

class StatusNotifierItem;

// The program's icon in the notification area, with its tooltip, and the tray's mouse
// activity decoded into Click, DblClick and MouseMove (see NotifyClickState).
//
// Two kinds of tray host: where a StatusNotifierWatcher with a host is on the session bus,
// the icon is a StatusNotifierItem; otherwise it is Qt's tray icon, which on X11 is a small
// window of its own in the XEmbed notification area, so real presses, releases and double
// clicks reach the decoder. The icon moves between the two as hosts come and go. Hosts that
// only report activations are mapped onto the same messages: an activation is a click, a
// second one within the double-click time a double click, a secondary activation (the
// middle button) a double click, a context-menu request a right click. One instance per
// process: the X11 icon window is recognised by its class.
//
// Times: a button of the X11 icon carries the X server's time of the press; an activation,
// which carries none, the time it reached the program. The click timer is set on that clock,
// and when it runs out the input already waiting is handled first, so a second press that a
// busy program had not yet read still makes a double click.
class ctlNotify : public QObject, private ClickTimer {
    Q_OBJECT

public:
    static constexpr int AppIconID = 1;
    static constexpr int BusyIconID = 101;
    static constexpr int TipTextBytes = 63;

    explicit ctlNotify(QObject* parent = nullptr);
    ~ctlNotify() override;

    // While false every mouse notification is ignored; a pending click still fires.
    bool Enabled() const { return m_state.Enabled(); }
    void SetEnabled(bool value);

    // 1 the application icon, 101 the icon shown while converting, 0 none loaded.
    int IconID() const { return m_iconId; }
    void SetIconID(int value);

    const QString& TipText() const { return m_tipText; }
    void SetTipText(const QString& value);

    void Show();
    void Hide();
    bool Shown() const { return m_shown; }

    // The tooltip cut to 63 CP932 bytes; a double-byte character that would straddle the cut
    // is left out whole.
    static QString CutTipText(const QString& text);
    // The icon of a resource identifier; a null icon for an unknown one.
    static QIcon LoadIcon(int id);

    // The decoder, for feeding notifications directly.
    NotifyClickState& ClickState() { return m_state; }

    // The menu that a StatusNotifierItem host may show by itself; disabled with the icon.
    void SetMenu(QMenu* menu);
    // Where a pop-up for the last click belongs: the point the host reported, else the pointer.
    QPoint PopupPosition() const;
    // Whether the icon is offered to a StatusNotifierItem host now (else to the XEmbed tray).
    bool OnStatusNotifierHost() const;

    // An activation from a host that reports no buttons, at the time it was received.
    void HostActivate();
    void HostSecondaryActivate();
    void HostContextMenu();
    // A notification with its time on the input clock, as the tray hosts deliver them.
    void Deliver(NotifyMessage message, EventTime time);

signals:
    void Click(int button);
    void DblClick(int button);
    void MouseMove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Start(EventTime deadline) override;
    void Stop() override;
    void TimerFired();
    // The input clock now, estimated from the last notification: never ahead of it.
    EventTime InputNow() const;
    EventTime ActivationTime() const;
    void TrayActivated(QSystemTrayIcon::ActivationReason reason);
    void UpdateHost();
    QSystemTrayIcon& Tray();
    void HostPoint(QPoint position);

    // Created only when needed: Qt picks its kind of tray icon once, when it first makes one.
    QSystemTrayIcon* m_tray = nullptr;
    StatusNotifierItem* m_item = nullptr; // none where D-Bus is not
    QPoint m_hostPoint;
    QTimer m_timer;
    NotifyClickState m_state;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceInput;
    EventTime m_inputTime = 0;
    bool m_flushing = false;
    int m_delivered = 0;
    int m_iconId = 0;
    QIcon m_icon;
    QString m_tipText;
    bool m_shown = false;
};

} // namespace brevlin::shell
