#include "engine/Cp932Width.h"

namespace brevlin {

namespace {

struct Run {
    char16_t first;
    char16_t last;
};

constexpr Run kRuns[] = {
#include "engine/Cp932WidthTable.inc"
};

constexpr std::array<std::uint64_t, 1024> Bits() {
    std::array<std::uint64_t, 1024> bits{};
    for (const Run& run : kRuns) {
        for (unsigned c = run.first; c <= run.last; ++c)
            bits[c >> 6] |= std::uint64_t{1} << (c & 63);
    }
    return bits;
}

} // namespace

constinit const std::array<std::uint64_t, 1024> Cp932Width::kDoubleByte = Bits();

} // namespace brevlin
