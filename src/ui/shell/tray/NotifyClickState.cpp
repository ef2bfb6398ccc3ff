#include "ui/shell/tray/NotifyClickState.h"

namespace brevlin::shell {

NotifyClickState::NotifyClickState(ClickTimer& timer, Events events)
    : m_timer(timer), m_events(std::move(events)) {}

void NotifyClickState::Notify(int message, EventTime time) {
    switch (static_cast<NotifyMessage>(message)) {
    case NotifyMessage::LButtonDown:
    case NotifyMessage::LButtonUp:
    case NotifyMessage::LButtonDblClk:
    case NotifyMessage::RButtonDown:
    case NotifyMessage::RButtonUp:
    case NotifyMessage::RButtonDblClk:
        // The interval that ran out before this notification happened counts first, as the
        // timer would have made it count had the program not been busy meanwhile.
        CatchUp(time);
        break;
    default:
        break;
    }
    if (!m_enabled)
        return;
    switch (static_cast<NotifyMessage>(message)) {
    case NotifyMessage::MouseMove:
        if (m_events.MouseMove)
            m_events.MouseMove();
        break;
    case NotifyMessage::LButtonDown:
        ButtonDown(m_left, time);
        break;
    case NotifyMessage::LButtonUp:
        ButtonUp(m_left, vbLeftButton);
        break;
    case NotifyMessage::LButtonDblClk:
        Reset();
        Raise(m_events.DblClick, vbLeftButton);
        break;
    case NotifyMessage::RButtonDown:
        ButtonDown(m_right, time);
        break;
    case NotifyMessage::RButtonUp:
        ButtonUp(m_right, vbRightButton);
        break;
    case NotifyMessage::RButtonDblClk:
        Reset();
        Raise(m_events.DblClick, vbRightButton);
        break;
    default:
        break; // the middle button and anything else are not reported
    }
}

void NotifyClickState::TimerTick(EventTime now) {
    if (!m_timerRunning)
        return;
    // A tick ahead of the input clock waits for it; one that the clock puts more than an
    // interval ahead (a host whose clock jumped) counts at once rather than never.
    const std::int32_t early = Elapsed(now, Deadline());
    if (early > 0 && early <= m_pressInterval) {
        m_timer.Start(Deadline());
        return;
    }
    Tick();
}

bool NotifyClickState::CompletesDoubleClick(EventTime time) const {
    return m_left == ClickPending && m_timerRunning && Elapsed(m_pressTime, time) < m_pressInterval;
}

void NotifyClickState::CatchUp(EventTime time) {
    if (m_timerRunning && Elapsed(Deadline(), time) >= 0)
        Tick();
}

void NotifyClickState::ButtonDown(State& state, EventTime time) {
    state = Pressed;
    m_timer.Stop();
    m_timerRunning = true;
    m_pressTime = time;
    m_pressInterval = m_interval;
    m_timer.Start(Deadline());
}

void NotifyClickState::ButtonUp(State& state, int button) {
    if (state == Pressed) {
        state = ClickPending;
    } else if (state == Held) {
        // The interval ran out while the button was down: the click counts now.
        Raise(m_events.Click, button);
    } else {
        Reset();
    }
}

void NotifyClickState::Tick() {
    StopTimer();
    // The left button is resolved first; one tick resolves at most one button.
    if (m_left == Pressed) {
        m_left = Held;
    } else if (m_left == ClickPending) {
        m_left = Idle;
        Raise(m_events.Click, vbLeftButton);
    } else if (m_right == Pressed) {
        m_right = Held;
    } else if (m_right == ClickPending) {
        m_right = Idle;
        Raise(m_events.Click, vbRightButton);
    } else {
        m_left = Idle;
        m_right = Idle;
    }
}

void NotifyClickState::Reset() {
    StopTimer();
    m_left = Idle;
    m_right = Idle;
}

void NotifyClickState::StopTimer() {
    m_timerRunning = false;
    m_timer.Stop();
}

void NotifyClickState::Raise(const std::function<void(int)>& event, int button) {
    if (event)
        event(button);
}

} // namespace brevlin::shell
