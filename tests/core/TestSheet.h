#pragma once

#include <array>
#include <cstddef>

#include "core/config/SaverSheet.h"

namespace vireluna::fakes {

// The sheet driven as the platform's property sheet drives it, without a window system:
// modified marks and Apply, leaving a page that may refuse, apply only for pages displayed,
// Cancel that asks no page.
class TestSheet : public CSaverSheet {
  public:
    TestSheet(MessageBoxes& boxes, DesignHeaderProbe& probe) : CSaverSheet(boxes, probe) {
        for (int i = 0; i < PageCount; ++i) Page(i).SetSite(&sites_[Slot(i)]);
    }

    // Opens the sheet with a page in front; the pages' controls must be bound.
    void Open(int frontPage = ListPageIndex) {
        open_ = true;
        displayed_ = {};
        for (MarkSite& site : sites_) site.marked = false;
        Display(frontPage);
    }
    // Brings another page to the front; false when the page in front refused to be left.
    bool SelectPage(int index) {
        if (!open_ || index == front_) return open_;
        if (!Page(front_).OnKillActive()) return false;
        Display(index);
        return true;
    }
    // True when every displayed page accepted and the values were stored; the marks are then
    // cleared.
    bool PressApply() {
        if (!open_ || !Page(front_).OnKillActive()) return false;
        for (int i = 0; i < PageCount; ++i) {
            if (displayed_[Slot(i)] && !Page(i).OnApply()) return false;
        }
        if (!Store()) return false;
        for (MarkSite& site : sites_) site.marked = false;
        return true;
    }
    // True when the sheet closed.
    bool PressOk() {
        if (!PressApply()) return false;
        open_ = false;
        return true;
    }
    void PressCancel() { open_ = false; }

    bool IsOpen() const { return open_; }
    int FrontPage() const { return front_; }
    bool IsApplyEnabled() const {
        for (const MarkSite& site : sites_) {
            if (site.marked) return true;
        }
        return false;
    }
    bool IsPageModified(int index) const { return sites_[Slot(index)].marked; }

  private:
    struct MarkSite final : PageSite {
        void SetModified(bool modified) override { marked = modified; }
        bool marked = false;
    };

    static std::size_t Slot(int index) { return static_cast<std::size_t>(index); }
    void Display(int index) {
        if (!displayed_[Slot(index)]) {
            displayed_[Slot(index)] = true;
            Page(index).OnInitDialog();
        }
        front_ = index;
        Page(index).OnSetActive();
    }

    std::array<MarkSite, PageCount> sites_;
    std::array<bool, PageCount> displayed_{};
    int front_ = -1;
    bool open_ = false;
};

}  // namespace vireluna::fakes
