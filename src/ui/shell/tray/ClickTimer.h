#pragma once

#include <cstdint>

namespace brevlin::shell {

// A moment on the clock of the tray's input: milliseconds as the X server stamps its events
// (32 bits, wrapping after 49 days), or as the program received a tray host's activation.
// Only differences of two moments are meaningful.
using EventTime = std::uint32_t;

// How far the later moment lies after the earlier one; negative when it lies before.
constexpr std::int32_t Elapsed(EventTime earlier, EventTime later) {
    return static_cast<std::int32_t>(later - earlier);
}

// The one-shot timer of the tray icon's click decoding. Start asks for one call of
// NotifyClickState::TimerTick once the input clock has passed the deadline and the input
// that arrived before then has been handled; a later Start replaces an earlier one.
class ClickTimer {
public:
    virtual ~ClickTimer() = default;
    virtual void Start(EventTime deadline) = 0;
    virtual void Stop() = 0;
};

} // namespace brevlin::shell
