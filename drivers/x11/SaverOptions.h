#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/WindowHost.h"

namespace vireluna::saver {

inline constexpr int ExitNormal = 0;
inline constexpr int ExitCannotStart = 1;
inline constexpr int ExitUsage = 2;

enum class SaverMode { Window, FullScreen, Root, WindowId };

inline constexpr ScreenSize DefaultWindowSize{1024, 768};

struct SaverOptions {
    SaverMode mode = SaverMode::Window;
    unsigned long windowId = 0;  // for WindowId
    ScreenSize geometry = DefaultWindowSize;
    std::string display;  // empty: $DISPLAY
    std::optional<std::uint32_t> seed;
    std::optional<std::int32_t> ticks;
    std::string profilePath;                              // empty: the user's profile
    std::map<std::string, std::int32_t> configOverrides;  // "Config" entry to value
    std::vector<std::string> files;                       // empty: the profile's playlist
    // A folder of designs instead of the profile's; given without files, it plays alone.
    std::optional<std::string> folder;
    bool stats = false;  // at the end, the tick count and rate on stderr
};

enum class ParseOutcome { Run, Help, Version, UsageError };

// Reads the command line (without the program name). Every long option may also be written
// with one dash, as XScreenSaver writes its modules' options, and "--name=value" works too.
// On UsageError, error says what is wrong.
ParseOutcome ParseSaverOptions(const std::vector<std::string>& arguments, SaverOptions& options,
                               std::string& error);

// The --help text: every option with its argument and, for the settings, its range.
std::string SaverUsage();

}  // namespace vireluna::saver
