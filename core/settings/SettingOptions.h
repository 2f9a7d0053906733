#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/settings/SaverSettings.h"

namespace vireluna {

// How each "Config" setting is offered outside the profile: its command-line flag (the render
// tool and the X11 saver) and its label on its settings page, which the XScreenSaver
// settings page repeats. Ranges and defaults stay in StoredSettingFields.
struct SettingOption {
    std::string_view entry;  // the "Config" entry
    // Takes the stored value ("--pen-size 2"), or for a named choice one of the names
    // ("--look thread").
    std::string_view flag;
    std::string_view label;
    // The page's buttons in index order; empty for a number field.
    std::span<const std::string_view> choices;
    // The command line's names of the choices in index order; empty: the flag takes a number.
    std::span<const std::string_view> names = {};
    // The flag takes no value and sets the choice 1 ("--fit"); names still name the choices.
    bool isSwitch = false;
};

inline constexpr std::array<std::string_view, 3> PenSizeChoices{"Thin (1 pix.)", "Regular (2 pix.)",
                                                                "Bold (3 pix.)"};
inline constexpr std::array<std::string_view, 4> RotationChoices{
    "None", "-8 to +8 deg.", "-90 to +90 deg.", "0 to 360 deg."};
inline constexpr std::array<std::string_view, 4> DrawStepChoices{
    "1stitch/unit time", "2stitch/unit time", "3stitch/unit time", "5stitch/unit time"};

// The display page's choices, indexed by OtherMonitors, StitchLook and Playback.
inline constexpr std::array<std::string_view, 2> MonitorsChoices{"Every monitor stitches",
                                                                 "Only the primary stitches"};
inline constexpr std::array<std::string_view, 2> MonitorsNames{"stitch", "plain"};
inline constexpr std::array<std::string_view, 2> LookChoices{"Flat lines", "Thread (shaded)"};
inline constexpr std::array<std::string_view, 2> LookNames{"flat", "thread"};
inline constexpr std::string_view FitLabel = "Shrink designs that do not fit the screen";
inline constexpr std::array<std::string_view, 2> FitNames{"off", "on"};
inline constexpr std::array<std::string_view, 2> PlaybackChoices{"Exact (stitches only)",
                                                                 "Machine (needle and thread)"};
inline constexpr std::array<std::string_view, 2> PlaybackNames{"exact", "machine"};

inline constexpr std::array<SettingOption, 10> SettingOptions{{
    {"PenSize", "--pen-size", "Line thickness", PenSizeChoices},
    {"Rotation", "--rotation", "Rotate", RotationChoices},
    {"DrawStep", "--draw-step", "Drawing speed", DrawStepChoices},
    {"DrawSpeed", "--draw-speed", "Unit time", {}},
    {"Reduction", "--reduction", "Size (%)", {}},
    {"HoldTime", "--hold-time", "Interval", {}},
    {"Monitors", "--other-monitors", "Monitors", MonitorsChoices, MonitorsNames},
    {"Look", "--look", "Stitch look", LookChoices, LookNames},
    {"Fit", "--fit", FitLabel, {}, FitNames, true},
    {"Playback", "--playback", "Playback", PlaybackChoices, PlaybackNames},
}};

// The stored field (range, default) behind an option.
constexpr const StoredSettingField& FieldOf(const SettingOption& option) {
    for (const StoredSettingField& field : StoredSettingFields) {
        if (field.entry == option.entry) return field;
    }
    return StoredSettingFields.front();
}

// The option of a "Config" entry.
constexpr const SettingOption& OptionOf(std::string_view entry) {
    for (const SettingOption& option : SettingOptions) {
        if (option.entry == entry) return option;
    }
    return SettingOptions.front();
}

// The stored value a command-line name stands for; none for a name the option lacks.
constexpr std::optional<std::int32_t> ChoiceNamed(const SettingOption& option,
                                                  std::string_view name) {
    for (std::size_t i = 0; i < option.names.size(); ++i) {
        if (option.names[i] == name) return static_cast<std::int32_t>(i);
    }
    return std::nullopt;
}

// "flat or thread", "stitch or plain": what a named option takes, for messages and help.
std::string NamesText(const SettingOption& option, std::string_view between = ", ",
                      std::string_view last = " or ");

}  // namespace vireluna
