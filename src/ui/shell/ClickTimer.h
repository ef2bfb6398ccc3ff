#pragma once

namespace brevlin::shell {

// The one-shot timer of the tray icon's click decoding. Start always restarts the full
// double-click interval; the owner calls NotifyClickState::TimerTick when it runs out.
class ClickTimer {
public:
    virtual ~ClickTimer() = default;
    virtual void Start() = 0;
    virtual void Stop() = 0;
};

} // namespace brevlin::shell
