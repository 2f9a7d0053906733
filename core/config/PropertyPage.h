#pragma once

#include "core/config/PageControls.h"

namespace vireluna {

// The least of a property page that the configuration pages need. The sheet calls the
// On... handlers; a page transfers between its members and its controls in DoDataExchange.
class CPropertyPage {
  public:
    virtual ~CPropertyPage() = default;

    void SetSite(PageSite* site) { site_ = site; }

    // The first display, once the page's controls exist: members to controls.
    virtual bool OnInitDialog() { return UpdateData(false); }
    // Every display; from the second on, the members go back into the controls.
    bool OnSetActive();
    // Leaving the page, and OK or Apply while it is in front: false keeps it in front.
    bool OnKillActive() { return UpdateData(true); }
    // True accepts.
    virtual bool OnApply() { return true; }
    // A user's change of a control (a click on a radio button, a field's text): marks the
    // page modified. Control notifications are not handled while values are transferred.
    void OnChange() {
        if (!exchanging_) SetModified(true);
    }

    // Controls to members (and validation) when saveAndValidate, else members to controls.
    bool UpdateData(bool saveAndValidate);

  protected:
    virtual bool DoDataExchange(bool /*saveAndValidate*/) { return true; }
    void SetModified(bool modified);

  private:
    PageSite* site_ = nullptr;
    bool displayedBefore_ = false;
    bool exchanging_ = false;
};

}  // namespace vireluna
