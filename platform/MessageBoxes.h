#pragma once

#include <string_view>

namespace vireluna {

enum class MessageIcon { Stop, Exclamation, Information, None };

// The caption of every message box but one.
inline constexpr std::string_view ApplicationTitle = "VirelunaLogo";

// Modal message boxes with an OK button: each returns when the user has closed the box.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void Show(std::string_view utf8Text, std::string_view utf8Caption,
                      MessageIcon icon) = 0;
};

}  // namespace vireluna
