#include "core/config/DisplayPage.h"

#include "core/config/OptionPage.h"
#include "core/settings/SaverSettings.h"

namespace vireluna {
namespace {

// Blanks typed around a path are not part of it.
std::string TrimmedFolder(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

void CDisplayPage::Bind(const DisplayPageControls& controls) {
    controls_ = controls;
}

bool CDisplayPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    // The saver's own rule decides what an unknown value stands for.
    StoredSettings stored;
    stored.Monitors = m_nMonitors;
    stored.Look = m_nLook;
    stored.Fit = m_nFit;
    stored.Playback = m_nPlayback;
    const StoredSettings used = UsableSettings(stored);
    SelectRadioIndex(controls_.monitors, used.Monitors);
    SelectRadioIndex(controls_.look, used.Look);
    if (controls_.fit != nullptr) {
        controls_.fit->SetChecked(used.Fit == static_cast<std::int32_t>(FitToScreen::On));
    }
    SelectRadioIndex(controls_.playback, used.Playback);
    return true;
}

bool CDisplayPage::OnApply() {
    m_nMonitors = SelectedRadioIndex(controls_.monitors);
    m_nLook = SelectedRadioIndex(controls_.look);
    if (controls_.fit != nullptr) {
        m_nFit = static_cast<std::int32_t>(controls_.fit->IsChecked() ? FitToScreen::On
                                                                      : FitToScreen::Off);
    }
    m_nPlayback = SelectedRadioIndex(controls_.playback);
    return true;
}

// The folder field is text: it is set while values are transferred, so that the change it
// reports does not mark the page.
bool CDisplayPage::DoDataExchange(bool saveAndValidate) {
    if (controls_.folder == nullptr) return true;
    if (saveAndValidate) {
        m_strFolder = TrimmedFolder(controls_.folder->Text());
    } else {
        controls_.folder->SetText(m_strFolder);
    }
    return true;
}

void CDisplayPage::OnBrowseFolder() {
    if (controls_.folderDialog == nullptr || controls_.folder == nullptr) return;
    const std::optional<std::string> chosen =
        controls_.folderDialog->Choose(TrimmedFolder(controls_.folder->Text()));
    if (!chosen) return;
    controls_.folder->SetText(*chosen);
    OnChange();
}

void CDisplayPage::OnClearFolder() {
    if (controls_.folder == nullptr || controls_.folder->Text().empty()) return;
    controls_.folder->SetText("");
    OnChange();
}

}  // namespace vireluna
