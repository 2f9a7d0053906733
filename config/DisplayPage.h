#pragma once

#include <array>
#include <cstdint>

#include "config/PageControls.h"
#include "config/PropertyPage.h"

namespace vireluna {

inline constexpr int MonitorsButtons = 2;
inline constexpr int LookButtons = 2;
inline constexpr int PlaybackButtons = 2;

// The controls of the "Display" page, bound when the page's window exists. Buttons in index
// order.
struct DisplayPageControls {
    std::array<RadioButtonControl*, MonitorsButtons> monitors{};
    std::array<RadioButtonControl*, LookButtons> look{};
    std::array<RadioButtonControl*, PlaybackButtons> playback{};
};

// The display page: what the other monitors show, how stitches are drawn and how a design
// is played, each a radio group as on the option page.
class CDisplayPage : public CPropertyPage {
  public:
    void Bind(const DisplayPageControls& controls);

    bool OnInitDialog() override;
    bool OnApply() override;

    // The stored values of "Monitors", "Look" and "Playback". A value the saver does not know
    // shows, and is applied, as the choice the saver uses for it: the default.
    std::int32_t m_nMonitors = 0;
    std::int32_t m_nLook = 0;
    std::int32_t m_nPlayback = 0;

  private:
    DisplayPageControls controls_;
};

}  // namespace vireluna
