#include "drivers/x11/SaverOptions.h"

#include <charconv>
#include <limits>
#include <sstream>
#include <string_view>

#include "core/saver/RunControls.h"
#include "core/saver/ScreenSizeText.h"
#include "core/settings/SettingOptions.h"

namespace vireluna::saver {
namespace {

// Options that are not one of the six settings.
struct Flag {
    std::string_view name;
    std::string_view argument;  // empty: takes none
    std::string_view help;
};
// Where a setting's description starts: after the longest flag and its names.
constexpr std::size_t SettingColumn = 30;

constexpr Flag Flags[] = {
    {"--root", "", "draw into $XSCREENSAVER_WINDOW, else the (virtual) root window"},
    {"--window-id", "ID", "draw into an existing window (decimal or 0x hex)"},
    {"--window", "", "an ordinary window of its own (the default)"},
    {"--fullscreen", "", "cover the screen; any key, button or pointer move ends it"},
    {"--geometry", "WxH", "size of the --window window (1024x768)"},
    {"--display", "NAME", "the X display (default: $DISPLAY)"},
    {"--seed", "N", "random seed (default: the time)"},
    {"--ticks", "N", "stop ticking after N ticks and keep the picture"},
    {"--profile", "FILE", "the profile file (default: the user's)"},
    {"--folder", "DIR", "also play every design in DIR and below (alone when no file is given)"},
    {"--stats", "", "at the end, tell how many ticks ran and at what rate"},
    {"--help", "", "show this text"},
    {"--version", "", "show the version"},
};

bool ParseInteger(std::string_view text, long long& value) {
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    return failure == std::errc() && stop == end && !text.empty();
}

bool ParseWindowId(std::string_view text, unsigned long& id) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, id, base);
    return failure == std::errc() && stop == end && !text.empty() && id != 0;
}

class Parser {
  public:
    Parser(const std::vector<std::string>& arguments, SaverOptions& options, std::string& error)
        : arguments_(arguments), options_(options), error_(error) {}

    ParseOutcome Parse() {
        bool modeGiven = false;
        for (index_ = 0; index_ < arguments_.size(); ++index_) {
            std::string_view argument = arguments_[index_];
            if (argument == "--") {
                for (++index_; index_ < arguments_.size(); ++index_) {
                    options_.files.push_back(arguments_[index_]);
                }
                break;
            }
            if (argument.size() < 2 || argument[0] != '-') {
                options_.files.push_back(std::string(argument));
                continue;
            }
            std::string name =
                argument[1] == '-' ? std::string(argument) : "-" + std::string(argument);
            inlineValue_.reset();
            if (const std::size_t equals = name.find('='); equals != std::string::npos) {
                inlineValue_ = name.substr(equals + 1);
                name.resize(equals);
            }
            const std::optional<ParseOutcome> outcome = Option(name, modeGiven);
            if (outcome) return *outcome;
        }
        if (options_.files.size() > static_cast<std::size_t>(MaxPlaylistEntries)) {
            error_ = "give at most " + std::to_string(MaxPlaylistEntries) + " design files";
            return ParseOutcome::UsageError;
        }
        return ParseOutcome::Run;
    }

  private:
    // Empty optional: go on with the next argument.
    std::optional<ParseOutcome> Option(const std::string& name, bool& modeGiven) {
        if (name == "--help") return ParseOutcome::Help;
        if (name == "--stats") {
            if (inlineValue_) return Usage("--stats takes no value");
            options_.stats = true;
            return std::nullopt;
        }
        if (name == "--version") return ParseOutcome::Version;
        if (name == "--root" || name == "--window" || name == "--fullscreen" ||
            name == "--window-id") {
            // The same mode twice is harmless (a daemon may add the --root it always gives).
            const SaverMode previous = options_.mode;
            const std::optional<ParseOutcome> outcome = Mode(name);
            if (outcome) return outcome;
            if (modeGiven && options_.mode != previous) {
                return Usage("give only one of --root, --window-id, --window, --fullscreen");
            }
            modeGiven = true;
            return std::nullopt;
        }
        if (name == "--geometry") {
            std::string value;
            if (!Value(name, value)) return ParseOutcome::UsageError;
            const std::optional<ScreenSize> size = ParseScreenSize(value);
            if (!size) return Usage("--geometry wants WIDTHxHEIGHT, not '" + value + "'");
            options_.geometry = *size;
            return std::nullopt;
        }
        if (name == "--display") return Text(name, options_.display);
        if (name == "--profile") return Text(name, options_.profilePath);
        if (name == "--folder") {
            std::string folder;
            if (!Value(name, folder)) return ParseOutcome::UsageError;
            if (folder.empty()) return Usage("--folder needs a folder");
            options_.folder = folder;
            return std::nullopt;
        }
        if (name == "--seed") {
            long long seed = 0;
            if (!Number(name, 0, std::numeric_limits<std::uint32_t>::max(), seed)) {
                return ParseOutcome::UsageError;
            }
            options_.seed = static_cast<std::uint32_t>(seed);
            return std::nullopt;
        }
        if (name == "--ticks") {
            long long ticks = 0;
            if (!Number(name, 1, MaxTicksOnRequest, ticks)) return ParseOutcome::UsageError;
            options_.ticks = static_cast<std::int32_t>(ticks);
            return std::nullopt;
        }
        for (const SettingOption& setting : SettingOptions) {
            if (name != setting.flag) continue;
            if (setting.isSwitch) {
                if (inlineValue_) return Usage(name + " takes no value");
                options_.configOverrides[std::string(setting.entry)] = 1;
                return std::nullopt;
            }
            if (!setting.names.empty()) return NamedChoice(name, setting);
            // Any value a hand-edited profile could hold, as the render tool takes it; the
            // saver guards against the ones it cannot use.
            long long value = 0;
            if (!Number(name, std::numeric_limits<std::int32_t>::min(),
                        std::numeric_limits<std::int32_t>::max(), value)) {
                return ParseOutcome::UsageError;
            }
            options_.configOverrides[std::string(setting.entry)] = static_cast<std::int32_t>(value);
            return std::nullopt;
        }
        return Usage("unknown option '" + arguments_[index_] + "'");
    }

    std::optional<ParseOutcome> NamedChoice(const std::string& name, const SettingOption& setting) {
        std::string value;
        if (!Value(name, value)) return ParseOutcome::UsageError;
        const std::optional<std::int32_t> choice = ChoiceNamed(setting, value);
        if (!choice) return Usage(name + " wants " + NamesText(setting) + ", not '" + value + "'");
        options_.configOverrides[std::string(setting.entry)] = *choice;
        return std::nullopt;
    }

    std::optional<ParseOutcome> Mode(const std::string& name) {
        if (name == "--root") {
            options_.mode = SaverMode::Root;
        } else if (name == "--window") {
            options_.mode = SaverMode::Window;
        } else if (name == "--fullscreen") {
            options_.mode = SaverMode::FullScreen;
        } else {
            std::string value;
            if (!Value(name, value)) return ParseOutcome::UsageError;
            if (!ParseWindowId(value, options_.windowId)) {
                return Usage("--window-id wants a window id (decimal or 0x hex), not '" + value +
                             "'");
            }
            options_.mode = SaverMode::WindowId;
        }
        if (name != "--window-id" && inlineValue_) return Usage(name + " takes no value");
        return std::nullopt;
    }

    std::optional<ParseOutcome> Text(const std::string& name, std::string& target) {
        if (!Value(name, target)) return ParseOutcome::UsageError;
        return std::nullopt;
    }

    bool Value(const std::string& name, std::string& value) {
        if (inlineValue_) {
            value = *inlineValue_;
            return true;
        }
        if (index_ + 1 >= arguments_.size()) {
            error_ = name + " needs a value";
            return false;
        }
        value = arguments_[++index_];
        return true;
    }

    bool Number(const std::string& name, long long low, long long high, long long& value) {
        std::string text;
        if (!Value(name, text)) return false;
        if (!ParseInteger(text, value) || value < low || value > high) {
            const bool anyInt32 = low == std::numeric_limits<std::int32_t>::min() &&
                                  high == std::numeric_limits<std::int32_t>::max();
            error_ = name + " wants a whole number" +
                     (anyInt32 ? std::string()
                               : " from " + std::to_string(low) + " to " + std::to_string(high)) +
                     ", not '" + text + "'";
            return false;
        }
        return true;
    }

    std::optional<ParseOutcome> Usage(std::string message) {
        error_ = std::move(message);
        return ParseOutcome::UsageError;
    }

    const std::vector<std::string>& arguments_;
    SaverOptions& options_;
    std::string& error_;
    std::size_t index_ = 0;
    std::optional<std::string> inlineValue_;
};

}  // namespace

ParseOutcome ParseSaverOptions(const std::vector<std::string>& arguments, SaverOptions& options,
                               std::string& error) {
    return Parser(arguments, options, error).Parse();
}

std::string SaverUsage() {
    std::ostringstream text;
    text << "usage: vireluna-saver [OPTION]... [DESIGN]...\n"
            "Stitches embroidery designs on X: as an XScreenSaver module (--root, --window-id),\n"
            "in a window, or full screen. Design files given (.pxs, .dst, .exp, .pes, .vp3,\n"
            ".hus, .vip, .xxx, .pcs) replace the profile's playlist.\n\n";
    for (const Flag& flag : Flags) {
        std::string left = std::string(flag.name);
        if (!flag.argument.empty()) left += " " + std::string(flag.argument);
        text << "  " << left << std::string(left.size() < 22 ? 22 - left.size() : 1, ' ')
             << flag.help << '\n';
    }
    text << "\nSettings over the profile's (each also as -name, as XScreenSaver passes them),\n"
            "with their settings page's range; other numbers are used as in a hand-edited\n"
            "profile:\n";
    for (const SettingOption& setting : SettingOptions) {
        const StoredSettingField& field = FieldOf(setting);
        const bool named = !setting.names.empty();
        std::string left = std::string(setting.flag);
        if (!setting.isSwitch) left += " " + (named ? NamesText(setting, "|", "|") : "N");
        text << "  " << left << std::string(SettingColumn - left.size(), ' ') << setting.label
             << ", ";
        if (setting.isSwitch) {
            text << "default " << setting.names[static_cast<std::size_t>(field.defaultValue)];
        } else if (named) {
            text << "default " << setting.names[static_cast<std::size_t>(field.defaultValue)];
        } else {
            text << field.range.min << " to " << field.range.max << ", default "
                 << field.defaultValue;
        }
        text << " (" << setting.entry << ")\n";
        for (std::size_t value = 0; value < setting.choices.size(); ++value) {
            text << std::string(SettingColumn + 4, ' ');
            if (named) {
                text << setting.names[value];
            } else {
                text << value;
            }
            text << ": " << setting.choices[value] << '\n';
        }
    }
    return text.str();
}

}  // namespace vireluna::saver
