#include "config/SaverSheet.h"

namespace vireluna {

CSaverSheet::CSaverSheet(MessageBoxes& boxes, DesignHeaderProbe& probe)
    : m_pageList(boxes, probe), m_pageOption(boxes) {}

CPropertyPage& CSaverSheet::Page(int index) {
    if (index == ListPageIndex) return m_pageList;
    if (index == OptionPageIndex) return m_pageOption;
    return m_pageDisplay;
}

}  // namespace vireluna
