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

// Fast: exact scanners for the generated patterns, linear in the text (the default).
// Regex: the patterns run on the regular-expression engine, kept as the reference.
enum class HighlightEngine { Fast, Regex };

struct HighlightOptions {
    bool OptimizeTags = false;
    bool BeepOnProcess = false;
    HighlightEngine Engine = HighlightEngine::Fast;
};

} // namespace brevlin
