#include "core/saver/CommandLine.h"

#include <limits>

namespace vireluna {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool MatchSwitch(std::string_view argument, char letter) {
    if (!argument.empty() && (argument.front() == '-' || argument.front() == '/')) {
        argument = argument.substr(1, 1);
    }
    return argument.size() == 1 && LowerAscii(argument.front()) == LowerAscii(letter);
}

std::optional<std::int64_t> ParseWindowHandle(std::string_view argument) {
    std::size_t at = 0;
    while (at < argument.size() && IsBlank(argument[at])) ++at;
    bool negative = false;
    if (at < argument.size() && (argument[at] == '+' || argument[at] == '-')) {
        negative = argument[at] == '-';
        ++at;
    }
    constexpr std::uint64_t Limit = std::numeric_limits<std::int64_t>::max();
    std::uint64_t value = 0;
    bool anyDigit = false;
    for (; at < argument.size() && argument[at] >= '0' && argument[at] <= '9'; ++at) {
        const auto digit = static_cast<std::uint64_t>(argument[at] - '0');
        if (value > (Limit - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
        anyDigit = true;
    }
    if (!anyDigit) return std::nullopt;
    const auto magnitude = static_cast<std::int64_t>(value);
    return negative ? -magnitude : magnitude;
}

}  // namespace vireluna
