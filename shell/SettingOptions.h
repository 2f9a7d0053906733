#pragma once

#include <array>
#include <span>
#include <string_view>

#include "shell/SaverSettings.h"

namespace vireluna {

// How each of the six "Config" settings is offered outside the profile: its command-line flag
// (the render tool and the X11 saver) and its label on the option page, which the
// XScreenSaver settings page repeats. Ranges and defaults stay in StoredSettingFields.
struct SettingOption {
    std::string_view entry;  // the "Config" entry
    std::string_view flag;   // takes the stored value: "--pen-size 2"
    std::string_view label;
    // The option page's buttons in index order; empty for a number field.
    std::span<const std::string_view> choices;
};

inline constexpr std::array<std::string_view, 3> PenSizeChoices{"Thin (1 pix.)", "Regular (2 pix.)",
                                                                "Bold (3 pix.)"};
inline constexpr std::array<std::string_view, 4> RotationChoices{
    "None", "-8 to +8 deg.", "-90 to +90 deg.", "0 to 360 deg."};
inline constexpr std::array<std::string_view, 4> DrawStepChoices{
    "1stitch/unit time", "2stitch/unit time", "3stitch/unit time", "5stitch/unit time"};

inline constexpr std::array<SettingOption, 6> SettingOptions{{
    {"PenSize", "--pen-size", "Line thickness", PenSizeChoices},
    {"Rotation", "--rotation", "Rotate", RotationChoices},
    {"DrawStep", "--draw-step", "Drawing speed", DrawStepChoices},
    {"DrawSpeed", "--draw-speed", "Unit time", {}},
    {"Reduction", "--reduction", "Size (%)", {}},
    {"HoldTime", "--hold-time", "Interval", {}},
}};

// The stored field (range, default) behind an option.
constexpr const StoredSettingField& FieldOf(const SettingOption& option) {
    for (const StoredSettingField& field : StoredSettingFields) {
        if (field.entry == option.entry) return field;
    }
    return StoredSettingFields.front();
}

}  // namespace vireluna
