#pragma once

#include <array>
#include <functional>
#include <utility>

#include "config/DisplayPage.h"
#include "config/ListPage.h"
#include "config/OptionPage.h"
#include "config/PageControls.h"

namespace vireluna {

// The configuration sheet: the "File" page, the "Option" page, then the "Display" page. On Windows
// the platform's property sheet drives the pages; the Press.../SelectPage operations drive them the
// same way without a window system: modified marks and Apply, leaving a page that may refuse, apply
// only for pages displayed, Cancel that asks no page.
class CSaverSheet {
  public:
    static constexpr int PageCount = 3;
    static constexpr int ListPageIndex = 0;
    static constexpr int OptionPageIndex = 1;
    static constexpr int DisplayPageIndex = 2;

    CSaverSheet(MessageBoxes& boxes, DesignHeaderProbe& probe);
    CSaverSheet(const CSaverSheet&) = delete;
    CSaverSheet& operator=(const CSaverSheet&) = delete;

    CPropertyPage& Page(int index);

    // Each page's site; the Windows sheet replaces them with its own marks.
    PageSite& Site(int index) { return sites_[static_cast<std::size_t>(index)]; }

    // Opens the sheet with a page in front; the pages' controls must be bound.
    void Open(int frontPage = ListPageIndex);
    // Brings another page to the front; false when the page in front refused to be left.
    bool SelectPage(int index);
    // True when every displayed page accepted and the values were stored; the marks are then
    // cleared.
    bool PressApply();
    // True when the sheet closed.
    bool PressOk();
    void PressCancel();

    // What an accepted Apply or OK does with the pages' values: on Windows, Apply stores them
    // at once, so that Cancel afterwards keeps them. False when they could not be stored,
    // which keeps the sheet open.
    void SetStore(std::function<bool()> store) { store_ = std::move(store); }
    // Every displayed page has accepted an Apply or OK: the values are stored.
    bool Store() { return !store_ || store_(); }

    bool IsOpen() const { return open_; }
    int FrontPage() const { return front_; }
    bool IsApplyEnabled() const;
    bool IsPageModified(int index) const { return sites_[static_cast<std::size_t>(index)].marked; }

    CListPage m_pageList;
    COptionPage m_pageOption;
    CDisplayPage m_pageDisplay;

  private:
    struct MarkSite final : PageSite {
        void SetModified(bool modified) override { marked = modified; }
        bool marked = false;
    };

    void Display(int index);

    std::array<MarkSite, PageCount> sites_;
    std::array<bool, PageCount> displayed_{};
    std::function<bool()> store_;
    int front_ = -1;
    bool open_ = false;
};

}  // namespace vireluna
