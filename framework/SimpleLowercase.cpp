#include "framework/SimpleLowercase.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace fw {

namespace {

// Capitals that follow each other (A to Z) or alternate with their small letters (U+0100, U+0102,
// ...) and lie the same distance from their lower case share one run, which keeps the table to a
// few kilobytes.
struct Run {
    char32_t first;
    std::int32_t delta;
    std::uint8_t count;
    std::uint8_t stride;
};

// Written at build time from UnicodeData.txt.
constexpr Run kRuns[] = {
#include "framework/LowercaseRuns.inc"
};

constexpr char32_t Last(const Run& run) {
    return run.first + static_cast<char32_t>((run.count - 1) * run.stride);
}

// The search below needs runs that hold something, in order and not overlapping.
constexpr bool RunsAreOrdered() {
    for (std::size_t i = 0; i < std::size(kRuns); ++i) {
        const Run& run = kRuns[i];
        if (run.count == 0 || run.stride == 0 || (i > 0 && Last(kRuns[i - 1]) >= run.first)) {
            return false;
        }
    }
    return true;
}
static_assert(RunsAreOrdered());

} // namespace

char32_t SimpleLowercase(char32_t codePoint) noexcept {
    // The last run that starts at or before the code point is the only one that can hold it.
    const auto after = std::upper_bound(std::begin(kRuns), std::end(kRuns), codePoint,
                                        [](char32_t c, const Run& run) { return c < run.first; });
    if (after == std::begin(kRuns)) {
        return codePoint;
    }
    const Run& run = *std::prev(after);
    const char32_t offset = codePoint - run.first;
    if (codePoint > Last(run) || offset % run.stride != 0) {
        return codePoint;
    }
    return static_cast<char32_t>(static_cast<std::int32_t>(codePoint) + run.delta);
}

} // namespace fw
