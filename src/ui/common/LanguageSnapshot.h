#pragma once

#include "engine/Language.h"

#include <memory>

namespace brevlin {

// A deep copy of a language for a conversion off the user-interface thread: the options
// dialog may edit the live language meanwhile.
class LanguageSnapshot {
public:
    static std::shared_ptr<const Language> Of(const Language& language);
};

} // namespace brevlin
