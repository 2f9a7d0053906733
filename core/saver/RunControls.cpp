#include "core/saver/RunControls.h"

#include <limits>

namespace vireluna {
namespace {

// Plain decimal digits only, at most max; no sign, blank or other character.
std::optional<std::uint64_t> ParseDecimal(std::string_view text, std::uint64_t max) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (max - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

std::optional<std::uint32_t> ParseSeed(std::string_view text) {
    const auto value = ParseDecimal(text, std::numeric_limits<std::uint32_t>::max());
    if (!value) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<std::int64_t> ParseTickCount(std::string_view text) {
    const auto value = ParseDecimal(text, std::numeric_limits<std::int64_t>::max());
    if (!value) return std::nullopt;
    return static_cast<std::int64_t>(*value);
}

std::uint32_t ChooseSeed(std::optional<std::string_view> seedVariable, std::uint32_t secondsNow) {
    if (seedVariable) {
        if (const auto seed = ParseSeed(*seedVariable)) return *seed;
    }
    return secondsNow;
}

}  // namespace vireluna
