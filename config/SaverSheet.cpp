#include "config/SaverSheet.h"

namespace vireluna {

CSaverSheet::CSaverSheet(MessageBoxes& boxes, DesignHeaderProbe& probe)
    : m_pageList(boxes, probe), m_pageOption(boxes) {
    for (int i = 0; i < PageCount; ++i) Page(i).SetSite(&Site(i));
}

CPropertyPage& CSaverSheet::Page(int index) {
    if (index == ListPageIndex) return m_pageList;
    if (index == OptionPageIndex) return m_pageOption;
    return m_pageDisplay;
}

void CSaverSheet::Open(int frontPage) {
    open_ = true;
    displayed_ = {};
    for (MarkSite& site : sites_) site.marked = false;
    Display(frontPage);
}

void CSaverSheet::Display(int index) {
    if (!displayed_[static_cast<std::size_t>(index)]) {
        displayed_[static_cast<std::size_t>(index)] = true;
        Page(index).OnInitDialog();
    }
    front_ = index;
    Page(index).OnSetActive();
}

bool CSaverSheet::SelectPage(int index) {
    if (!open_ || index == front_) return open_;
    if (!Page(front_).OnKillActive()) return false;
    Display(index);
    return true;
}

bool CSaverSheet::PressApply() {
    if (!open_ || !Page(front_).OnKillActive()) return false;
    for (int i = 0; i < PageCount; ++i) {
        if (displayed_[static_cast<std::size_t>(i)] && !Page(i).OnApply()) return false;
    }
    if (!Store()) return false;
    for (MarkSite& site : sites_) site.marked = false;
    return true;
}

bool CSaverSheet::PressOk() {
    if (!PressApply()) return false;
    open_ = false;
    return true;
}

void CSaverSheet::PressCancel() {
    open_ = false;
}

bool CSaverSheet::IsApplyEnabled() const {
    for (const MarkSite& site : sites_) {
        if (site.marked) return true;
    }
    return false;
}

}  // namespace vireluna
