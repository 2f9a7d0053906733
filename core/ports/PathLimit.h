#pragma once

#include <string_view>

namespace vireluna {

// The longest path the platform's file functions open, counted as the platform counts it
// (without the terminating zero). Each platform supplies its own; one rule applies it
// wherever a design path is taken, so that every path accepted anywhere can be played.
struct PathLimit {
    enum class Unit { Bytes, Utf16Units };
    Unit unit;
    int longest;
};

// Room for the longest path any platform opens, in UTF-8 with the terminating zero: 259
// UTF-16 units on Windows take at most 777 bytes, PATH_MAX is 4096. Each platform's limit is
// checked against it where the platform defines its limit.
inline constexpr int MaxPathBytes = 4096;

// The most UTF-8 bytes a path within the limit can take: a UTF-16 unit stands for at most
// three bytes (a pair of units for four).
constexpr int MaxUtf8Bytes(PathLimit limit) {
    return limit.unit == PathLimit::Unit::Bytes ? limit.longest : limit.longest * 3;
}

// The length of a UTF-8 path in the limit's unit.
int PathLength(std::string_view utf8Path, PathLimit::Unit unit);

// True when the platform can open a path of this text: within the limit, and no zero byte,
// which would cut it into the name of some other file.
bool PathWithinLimit(std::string_view utf8Path, PathLimit limit);

}  // namespace vireluna
