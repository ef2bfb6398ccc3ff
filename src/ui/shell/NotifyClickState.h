#pragma once

#include "ClickTimer.h"

#include <functional>

namespace brevlin::shell {

// Mouse notifications of the tray icon, numbered as the window messages they stand for
// (WM_MOUSEMOVE, WM_LBUTTONDOWN, ...), so every tray host maps onto one decoding table.
enum class NotifyMessage : int {
    MouseMove = 0x200,
    LButtonDown = 0x201,
    LButtonUp = 0x202,
    LButtonDblClk = 0x203,
    RButtonDown = 0x204,
    RButtonUp = 0x205,
    RButtonDblClk = 0x206,
};

constexpr int vbLeftButton = 1;
constexpr int vbRightButton = 2;

// Turns the tray's button presses and releases into Click, DblClick and MouseMove. A single
// click is reported only when the double-click interval has passed without a second click,
// so a double click is reported alone; a press held past the interval is reported at release.
class NotifyClickState {
public:
    enum State { Idle = 0, Pressed = 1, ClickPending = 2, Held = 3 };

    struct Events {
        std::function<void(int button)> Click;
        std::function<void(int button)> DblClick;
        std::function<void()> MouseMove;
    };

    NotifyClickState(ClickTimer& timer, Events events);

    // While false every notification is ignored; a click already pending still fires.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }

    // Any other message number (the middle button, for one) is ignored.
    void Notify(int message);
    void Notify(NotifyMessage message) { Notify(static_cast<int>(message)); }
    void TimerTick();

    State LeftState() const { return m_left; }
    State RightState() const { return m_right; }

private:
    void ButtonDown(State& state);
    void ButtonUp(State& state, int button);
    void Reset();
    void Raise(const std::function<void(int)>& event, int button);

    ClickTimer& m_timer;
    Events m_events;
    bool m_enabled = true;
    State m_left = Idle;
    State m_right = Idle;
};

} // namespace brevlin::shell
