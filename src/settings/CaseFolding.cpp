#include "settings/CaseFolding.h"

#include "text/Surrogates.h"

#include <algorithm>
#include <iterator>

namespace brevlin {

namespace {

struct Run {
    char32_t first, last;
    int distance;
    int step;
};

constexpr Run kRuns[] = {
#include "settings/CaseFoldingTable.inc"
};

} // namespace

char32_t CaseFolding::Fold(char32_t c) {
    const Run* run = std::upper_bound(std::begin(kRuns), std::end(kRuns), c,
                                      [](char32_t x, const Run& r) { return x < r.first; });
    if (run == std::begin(kRuns))
        return c;
    --run;
    if (c > run->last || (c - run->first) % static_cast<char32_t>(run->step) != 0)
        return c;
    return static_cast<char32_t>(static_cast<int>(c) + run->distance);
}

Text CaseFolding::Fold(TextView text) {
    Text folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (surrogates::IsPairAt(text, i)) {
            const char32_t f = Fold(surrogates::Combine(c, text[i + 1]));
            folded += surrogates::High(f);
            folded += surrogates::Low(f);
            ++i;
        } else if (c < 0x80) {
            folded += c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
        } else {
            folded += static_cast<char16_t>(Fold(c));
        }
    }
    return folded;
}

} // namespace brevlin
