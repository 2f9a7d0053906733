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

// Where a run hands its load-failure message to the driver. The call returns at once: the
// driver shows the box once the handler that handed it has returned, never inside it, and then
// tells the runs it was closed (SteppedSaver::OnMessageClosed). False when no box is shown for
// it (a monitor other than the primary): the run goes on at once.
class MessageHandOff {
  public:
    virtual ~MessageHandOff() = default;
    virtual bool OpenMessage(std::string_view utf8Text, std::string_view utf8Caption,
                             MessageIcon icon) = 0;
};

}  // namespace vireluna
