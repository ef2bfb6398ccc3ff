#pragma once

namespace brevlin {

// What a conversion tells the program around it: the tray shows icon 101 while a
// conversion runs and 1 afterwards, and beeps at the end when asked to.
class ConversionHook {
public:
    virtual ~ConversionHook() = default;
    virtual void ConversionStarted() = 0;
    virtual void ConversionEnded() = 0;
    virtual void Beep() = 0;
};

struct HighlightOptions {
    bool OptimizeTags = false;
    bool BeepOnProcess = false;
};

} // namespace brevlin
