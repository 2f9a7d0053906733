#include "core/config/ListPage.h"

#include <algorithm>

namespace vireluna {

void CListPage::Bind(const ListPageControls& controls) {
    m_lstFiles = controls.files;
    fileDialog_ = controls.fileDialog;
}

bool CListPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_lstFiles->SetHorizontalExtent(ListHorizontalExtentPixels);
    for (const std::string& path : m_strFiles) {
        if (path.empty()) break;
        m_lstFiles->Append(path);
    }
    return true;
}

void CListPage::OnAdd() {
    const FileChoice choice = fileDialog_->Choose();
    switch (choice.outcome) {
        case FileChoice::Outcome::Chosen:
            // Nothing is compared or limited here: the list is tested when it is applied.
            for (const std::string& path : choice.utf8Paths) m_lstFiles->Append(path);
            break;
        case FileChoice::Outcome::TooManyFiles:
            boxes_.Show(TooManyChosenMessage, TooManyChosenCaption, MessageIcon::None);
            break;
        case FileChoice::Outcome::Cancelled:
            break;
    }
    SetModified(true);
}

void CListPage::OnDelete() {
    std::vector<int> selected = m_lstFiles->SelectedIndexes();
    // Highest first, so that the indexes still to be deleted stay valid.
    std::sort(selected.begin(), selected.end(), std::greater<>());
    for (const int index : selected) m_lstFiles->DeleteAt(index);
    SetModified(true);
}

void CListPage::OnDeleteAll() {
    m_lstFiles->Clear();
    SetModified(true);
}

bool CListPage::OnApply() {
    const std::vector<std::string> paths = ListedPaths();
    bool accepted = true;
    if (paths.empty() && folderChosen_ && folderChosen_()) {
        accepted = true;
    } else if (const DesignListVerdict length = CheckDesignListLength(paths.size());
               !length.accepted) {
        ShowRefusal(length.message);
        accepted = false;
    } else {
        accepted = CheckDesignFiles();
    }
    if (!accepted) {
        // The list keeps its entries so that the user can correct it.
        SetModified(false);
        return false;
    }
    for (std::size_t slot = 0; slot < m_strFiles.size(); ++slot) {
        m_strFiles[slot] = slot < paths.size() ? paths[slot] : std::string();
    }
    return true;
}

bool CListPage::CheckDesignFiles() {
    const DesignListVerdict verdict = CheckDesignFileHeaders(ListedPaths(), probe_);
    if (!verdict.accepted) ShowRefusal(verdict.message);
    return verdict.accepted;
}

std::vector<std::string> CListPage::ListedPaths() const {
    std::vector<std::string> paths;
    const int count = m_lstFiles->Count();
    paths.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) paths.push_back(m_lstFiles->Text(i));
    return paths;
}

void CListPage::ShowRefusal(const std::string& message) {
    boxes_.Show(message, ApplicationTitle, MessageIcon::Stop);
}

}  // namespace vireluna
