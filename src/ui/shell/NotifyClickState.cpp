#include "NotifyClickState.h"

namespace brevlin::shell {

NotifyClickState::NotifyClickState(ClickTimer& timer, Events events)
    : m_timer(timer), m_events(std::move(events)) {}

void NotifyClickState::Notify(int message) {
    if (!m_enabled)
        return;
    switch (static_cast<NotifyMessage>(message)) {
    case NotifyMessage::MouseMove:
        if (m_events.MouseMove)
            m_events.MouseMove();
        break;
    case NotifyMessage::LButtonDown:
        ButtonDown(m_left);
        break;
    case NotifyMessage::LButtonUp:
        ButtonUp(m_left, vbLeftButton);
        break;
    case NotifyMessage::LButtonDblClk:
        Reset();
        Raise(m_events.DblClick, vbLeftButton);
        break;
    case NotifyMessage::RButtonDown:
        ButtonDown(m_right);
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

void NotifyClickState::ButtonDown(State& state) {
    state = Pressed;
    m_timer.Stop();
    m_timer.Start();
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

void NotifyClickState::TimerTick() {
    m_timer.Stop();
    // The left button is resolved first; one tick resolves at most one button.
    if (m_left == Pressed) {
        m_left = Held;
    } else if (m_left == ClickPending) {
        Raise(m_events.Click, vbLeftButton);
        m_left = Idle;
    } else if (m_right == Pressed) {
        m_right = Held;
    } else if (m_right == ClickPending) {
        Raise(m_events.Click, vbRightButton);
        m_right = Idle;
    } else {
        m_left = Idle;
        m_right = Idle;
    }
}

void NotifyClickState::Reset() {
    m_timer.Stop();
    m_left = Idle;
    m_right = Idle;
}

void NotifyClickState::Raise(const std::function<void(int)>& event, int button) {
    if (event)
        event(button);
}

} // namespace brevlin::shell
