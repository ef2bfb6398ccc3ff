#pragma once

#include "ClickTimer.h"
#include "NotifyClickState.h"

#include <QIcon>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>

namespace brevlin::shell {

// The program's icon in the notification area, with its tooltip, and the tray's mouse
// activity decoded into Click, DblClick and MouseMove (see NotifyClickState).
//
// On X11 the tray icon is a small window of its own, so real presses, releases and double
// clicks reach the decoder. Tray hosts that only report activations (the D-Bus item of some
// desktops, Windows) are mapped onto the same messages. One instance per process: the X11
// icon window is recognised by its class.
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
    void SetEnabled(bool value) { m_state.SetEnabled(value); }

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

signals:
    void Click(int button);
    void DblClick(int button);
    void MouseMove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Start() override;
    void Stop() override;
    void TrayActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon* m_tray;
    QTimer m_timer;
    NotifyClickState m_state;
    int m_iconId = 0;
    QIcon m_icon;
    QString m_tipText;
    bool m_shown = false;
};

} // namespace brevlin::shell
