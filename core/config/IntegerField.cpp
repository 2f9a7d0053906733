#include "core/config/IntegerField.h"

#include <algorithm>
#include <limits>

namespace vireluna {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The leading characters of a UTF-8 text, not cutting into a character.
std::string_view FirstCharacters(std::string_view text, int characters) {
    std::size_t end = 0;
    for (int n = 0; n < characters && end < text.size(); ++n) {
        ++end;
        while (end < text.size() && IsUtf8Continuation(text[end])) ++end;
    }
    return text.substr(0, end);
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

std::optional<std::int32_t> ParseIntegerField(std::string_view utf8Text) {
    const std::string_view text = FirstCharacters(utf8Text, IntegerFieldReadCharacters);
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    const std::size_t digitsStart = at;
    constexpr std::int64_t Saturation = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    while (at < text.size() && IsDigit(text[at])) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[at] - '0'), Saturation);
        ++at;
    }
    if (at == digitsStart) return std::nullopt;
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at != text.size()) return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    constexpr std::int64_t Lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t Highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, Lowest, Highest));
}

std::string OutOfRangeMessage(SettingRange range) {
    std::string text = "%1 から %2 までの整数を入力してください。";
    text = ReplaceAll(text, "%1", std::to_string(range.min));
    return ReplaceAll(text, "%2", std::to_string(range.max));
}

}  // namespace vireluna
