#pragma once

#include "ui/shell/tray/ClickTimer.h"

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
//
// The interval is measured on the input's own clock, from the moment the user pressed, not
// from when a busy program got round to the press: every notification carries its time, and
// one that comes later than the interval after the last press first runs the interval out,
// so a burst of late notifications is decoded in the order and at the pace the user made it.
class NotifyClickState {
public:
    enum State { Idle = 0, Pressed = 1, ClickPending = 2, Held = 3 };

    struct Events {
        std::function<void(int button)> Click;
        std::function<void(int button)> DblClick;
        std::function<void()> MouseMove;
    };

    static constexpr int DefaultInterval = 500;

    NotifyClickState(ClickTimer& timer, Events events);

    // While false every notification is ignored; a click already pending still fires.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }

    // The double-click interval in milliseconds, taken at each press.
    int Interval() const { return m_interval; }
    void SetInterval(int milliseconds) { m_interval = milliseconds; }

    // Any other message number (the middle button, for one) is ignored.
    void Notify(int message, EventTime time);
    void Notify(NotifyMessage message, EventTime time) { Notify(static_cast<int>(message), time); }
    // The timer's call: runs the interval out if it has passed by `now`, else asks again.
    void TimerTick(EventTime now);

    // Whether the interval that the last press started is still running, and when it ends.
    bool TimerRunning() const { return m_timerRunning; }
    EventTime Deadline() const { return m_pressTime + static_cast<EventTime>(m_pressInterval); }
    // Whether a press of the left button at `time` would complete a pending click into a
    // double click, for hosts that report activations instead of buttons.
    bool CompletesDoubleClick(EventTime time) const;

    State LeftState() const { return m_left; }
    State RightState() const { return m_right; }

private:
    void CatchUp(EventTime time);
    void Tick();
    void ButtonDown(State& state, EventTime time);
    void ButtonUp(State& state, int button);
    void Reset();
    void StopTimer();
    void Raise(const std::function<void(int)>& event, int button);

    ClickTimer& m_timer;
    Events m_events;
    bool m_enabled = true;
    int m_interval = DefaultInterval;
    State m_left = Idle;
    State m_right = Idle;
    bool m_timerRunning = false;
    EventTime m_pressTime = 0;
    int m_pressInterval = DefaultInterval;
};

} // namespace brevlin::shell
