#include "core/config/PropertyPage.h"

namespace vireluna {

bool CPropertyPage::OnSetActive() {
    if (!displayedBefore_) {
        displayedBefore_ = true;
        return true;
    }
    return UpdateData(false);
}

bool CPropertyPage::UpdateData(bool saveAndValidate) {
    exchanging_ = true;
    const bool ok = DoDataExchange(saveAndValidate);
    exchanging_ = false;
    return ok;
}

void CPropertyPage::SetModified(bool modified) {
    if (site_ != nullptr) site_->SetModified(modified);
}

}  // namespace vireluna
