#include "core/config/SaverSheet.h"

namespace vireluna {

CSaverSheet::CSaverSheet(MessageBoxes& boxes, DesignHeaderProbe& probe)
    : m_pageList(boxes, probe), m_pageOption(boxes) {
    // The display page's folder as it stands: a page left, or in front when OK is pressed,
    // has already taken its field's text.
    m_pageList.AcceptEmptyListWhen([this] { return !m_pageDisplay.m_strFolder.empty(); });
}

CPropertyPage& CSaverSheet::Page(int index) {
    if (index == ListPageIndex) return m_pageList;
    if (index == OptionPageIndex) return m_pageOption;
    return m_pageDisplay;
}

}  // namespace vireluna
