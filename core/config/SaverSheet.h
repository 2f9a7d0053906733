#pragma once

#include <functional>
#include <utility>

#include "core/config/DisplayPage.h"
#include "core/config/ListPage.h"
#include "core/config/OptionPage.h"
#include "core/config/PageControls.h"

namespace vireluna {

// The configuration sheet: the "File" page, the "Option" page, then the "Display" page. The
// platform's property sheet shows them, gives each page its site and calls them.
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

    // What an accepted Apply or OK does with the pages' values: on Windows, Apply stores them
    // at once, so that Cancel afterwards keeps them. False when they could not be stored,
    // which keeps the sheet open.
    void SetStore(std::function<bool()> store) { store_ = std::move(store); }
    // Every displayed page has accepted an Apply or OK: the values are stored.
    bool Store() { return !store_ || store_(); }

    CListPage m_pageList;
    COptionPage m_pageOption;
    CDisplayPage m_pageDisplay;

  private:
    std::function<bool()> store_;
};

}  // namespace vireluna
