#include "core/saver/ScreenSizeText.h"

#include <charconv>
#include <vector>

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

// "+N" or "-N", N plain digits, no further than MaxRenderSide from the origin.
std::optional<int> ParseOffset(std::string_view text) {
    if (text.size() < 2 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    const std::string_view digits = text.substr(1);
    if (digits[0] == '+' || digits[0] == '-') return std::nullopt;
    int value = 0;
    const auto [end, fault] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (fault != std::errc{} || end != digits.data() + digits.size() || value > MaxRenderSide) {
        return std::nullopt;
    }
    return text[0] == '-' ? -value : value;
}

std::optional<MonitorRect> ParseMonitor(std::string_view text) {
    const std::size_t offsets = text.find_first_of("+-");
    if (offsets == text.npos) return std::nullopt;
    const std::optional<ScreenSize> size = ParseScreenSize(text.substr(0, offsets));
    const std::string_view place = text.substr(offsets);
    const std::size_t second = place.find_first_of("+-", 1);
    if (!size || second == place.npos) return std::nullopt;
    const std::optional<int> x = ParseOffset(place.substr(0, second));
    const std::optional<int> y = ParseOffset(place.substr(second));
    if (!x || !y) return std::nullopt;
    return MonitorRect{*x, *y, size->width, size->height};
}

}  // namespace

std::optional<MonitorLayout> ParseMonitorList(std::string_view text) {
    std::vector<MonitorRect> monitors;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::optional<MonitorRect> monitor = ParseMonitor(text.substr(0, comma));
        if (!monitor) return std::nullopt;
        for (const MonitorRect& earlier : monitors) {
            if (earlier == *monitor) return std::nullopt;
        }
        monitors.push_back(*monitor);
        if (comma == text.npos) break;
        text.remove_prefix(comma + 1);
    }
    MonitorLayout layout(monitors);
    const MonitorRect bounds = layout.Bounds();
    if (bounds.width > MaxRenderSide || bounds.height > MaxRenderSide) return std::nullopt;
    return layout;
}

std::optional<ScreenSize> ParseScreenSize(std::string_view text) {
    const std::size_t separator = text.find_first_of("xX");
    if (separator == text.npos) return std::nullopt;
    const std::optional<int> width = ParseSide(text.substr(0, separator));
    const std::optional<int> height = ParseSide(text.substr(separator + 1));
    if (!width || !height) return std::nullopt;
    return ScreenSize{*width, *height};
}

}  // namespace vireluna
