#include "shell/ScreenSizeText.h"

#include <charconv>

namespace vireluna {
namespace {

std::optional<int> ParseSide(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    int value = 0;
    const auto [end, fault] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    // from_chars takes a sign; a side is plain digits.
    if (fault != std::errc{} || end != digits.data() + digits.size() || digits[0] == '-') {
        return std::nullopt;
    }
    if (value < 1 || value > MaxRenderSide) return std::nullopt;
    return value;
}

}  // namespace

std::optional<ScreenSize> ParseScreenSize(std::string_view text) {
    const std::size_t separator = text.find_first_of("xX");
    if (separator == text.npos) return std::nullopt;
    const std::optional<int> width = ParseSide(text.substr(0, separator));
    const std::optional<int> height = ParseSide(text.substr(separator + 1));
    if (!width || !height) return std::nullopt;
    return ScreenSize{*width, *height};
}

}  // namespace vireluna
