#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/config/DesignListCheck.h"
#include "core/config/PageControls.h"
#include "core/config/PropertyPage.h"
#include "core/settings/SaverSettings.h"

namespace vireluna {

// The controls of the "File" page, bound when the page's window exists.
struct ListPageControls {
    ListBoxControl* files = nullptr;
    FileOpenDialog* fileDialog = nullptr;
};

// The design list page: edits the playlist and checks it before taking it.
class CListPage : public CPropertyPage {
  public:
    // So that long paths can be scrolled sideways.
    static constexpr int ListHorizontalExtentPixels = 700;

    CListPage(MessageBoxes& boxes, DesignHeaderProbe& probe) : boxes_(boxes), probe_(probe) {}

    void Bind(const ListPageControls& controls);
    // An empty list is accepted while this says a folder of designs is chosen: the folder
    // then plays alone.
    void AcceptEmptyListWhen(std::function<bool()> folderChosen) {
        folderChosen_ = std::move(folderChosen);
    }

    bool OnInitDialog() override;
    void OnAdd();
    void OnDelete();
    void OnDeleteAll();
    bool OnApply() override;
    bool CheckDesignFiles();

    // The playlist paths; the used slots are contiguous from slot 0, the rest are empty.
    std::array<std::string, MaxPlaylistEntries> m_strFiles;

  private:
    std::vector<std::string> ListedPaths() const;
    void ShowRefusal(const std::string& message);

    ListBoxControl* m_lstFiles = nullptr;
    FileOpenDialog* fileDialog_ = nullptr;
    MessageBoxes& boxes_;
    DesignHeaderProbe& probe_;
    std::function<bool()> folderChosen_;
};

// The one box with its own caption, shown when the file dialog's buffer overflows.
inline constexpr std::string_view TooManyChosenMessage =
    "You choose too many files, then over memory limits.";
inline constexpr std::string_view TooManyChosenCaption = "Error";

}  // namespace vireluna
