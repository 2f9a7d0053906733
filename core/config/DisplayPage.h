#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/config/PageControls.h"
#include "core/config/PropertyPage.h"

namespace vireluna {

inline constexpr int MonitorsButtons = 2;
inline constexpr int LookButtons = 2;
inline constexpr int PlaybackButtons = 2;

// The controls of the "Display" page, bound when the page's window exists. Buttons in index
// order.
struct DisplayPageControls {
    std::array<RadioButtonControl*, MonitorsButtons> monitors{};
    std::array<RadioButtonControl*, LookButtons> look{};
    // The folder of designs, its picker, and the check box of Fit (a check box answers as
    // a radio button does). Pages bound without them leave those values as they are.
    EditControl* folder = nullptr;
    FolderDialog* folderDialog = nullptr;
    RadioButtonControl* fit = nullptr;
    std::array<RadioButtonControl*, PlaybackButtons> playback{};
};

// The display page: what the other monitors show, how stitches are drawn and how a design
// is played, each a radio group as on the option page; the folder of designs played with the
// list, and Fit.
class CDisplayPage : public CPropertyPage {
  public:
    void Bind(const DisplayPageControls& controls);

    bool OnInitDialog() override;
    bool OnApply() override;
    // "Browse...": the folder picker; a folder chosen replaces the field's text.
    void OnBrowseFolder();
    // "Clear": no folder.
    void OnClearFolder();

    // The stored values of "Monitors", "Look" and "Playback". A value the saver does not know
    // shows, and is applied, as the choice the saver uses for it: the default.
    std::int32_t m_nMonitors = 0;
    std::int32_t m_nLook = 0;
    // "Folder" of the "Display File List": empty for none.
    std::string m_strFolder;
    // The stored value of "Fit"; shown, and applied, as the saver uses it.
    std::int32_t m_nFit = 0;
    std::int32_t m_nPlayback = 0;

  protected:
    bool DoDataExchange(bool saveAndValidate) override;

  private:
    DisplayPageControls controls_;
};

}  // namespace vireluna
