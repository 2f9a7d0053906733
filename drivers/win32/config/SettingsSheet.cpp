#include "drivers/win32/config/SettingsSheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "drivers/win32/config/PageTemplate.h"
#include "drivers/win32/config/Win32FileOpenDialog.h"
#include "drivers/win32/config/Win32FolderDialog.h"
#include "resources/win32/ConfigPageIds.h"
#include "resources/win32/ResourceIds.h"
#include "systems/win32/WideText.h"

namespace vireluna::win32 {
namespace {

constexpr std::array<int, CSaverSheet::PageCount> PageTemplates{IDD_FILE_PAGE, IDD_OPTION_PAGE,
                                                                IDD_DISPLAY_PAGE};
// The font of the platform's property sheet, which sizes the pages in its dialog units.
constexpr wchar_t SheetTypeface[] = L"MS Shell Dlg";
constexpr WORD SheetFontPoints = 8;
constexpr std::array<int, 3> OptionEdits{IDC_DRAW_SPEED_EDIT, IDC_REDUCTION_EDIT,
                                         IDC_HOLD_TIME_EDIT};

// Everything the pages' windows need while the sheet is shown. Each window procedure only
// translates a message into a call of its page.
class SheetSession {
  public:
    SheetSession(CSaverSheet& sheet, Win32MessageBoxes& boxes) : sheet_(sheet), boxes_(boxes) {}
    // The windows are gone: the pages keep no handle on their controls.
    ~SheetSession() {
        sheet_.m_pageList.Bind({});
        sheet_.m_pageOption.Bind({});
        sheet_.m_pageDisplay.Bind({});
        for (int i = 0; i < CSaverSheet::PageCount; ++i) sheet_.Page(i).SetSite(nullptr);
        boxes_.SetOwner(nullptr);
    }

    void OnInitPage(HWND page, int index);
    INT_PTR OnCommand(int index, int id, int code);
    INT_PTR OnNotify(HWND page, int index, const NMHDR& header);
    bool ClosedByOk() const { return closedByOk_; }

  private:
    void BindListPage(HWND page);
    void BindOptionPage(HWND page);
    void BindDisplayPage(HWND page);
    template <typename Control>
    Control* Make(HWND page, int id) {
        return Keep(std::make_shared<Control>(GetDlgItem(page, id)));
    }
    template <typename Object>
    Object* Keep(std::shared_ptr<Object> object) {
        controls_.push_back(object);
        return object.get();
    }

    CSaverSheet& sheet_;
    Win32MessageBoxes& boxes_;
    Win32FileOpenDialog fileDialog_;
    Win32FolderDialog folderDialog_;
    std::vector<std::shared_ptr<void>> controls_;
    bool closedByOk_ = false;
    int lastDisplayed_ = -1;  // the highest page whose window exists
};

void SheetSession::OnInitPage(HWND page, int index) {
    const HWND sheetWindow = GetParent(page);
    boxes_.SetOwner(sheetWindow);
    CPropertyPage& logic = sheet_.Page(index);
    lastDisplayed_ = std::max(lastDisplayed_, index);
    logic.SetSite(Keep(std::make_shared<Win32PageSite>(page)));
    switch (index) {
        case CSaverSheet::ListPageIndex:
            BindListPage(page);
            break;
        case CSaverSheet::OptionPageIndex:
            BindOptionPage(page);
            break;
        default:
            BindDisplayPage(page);
    }
    logic.OnInitDialog();
}

void SheetSession::BindListPage(HWND page) {
    fileDialog_.SetOwner(page);
    sheet_.m_pageList.Bind({Make<Win32ListBox>(page, IDC_FILE_LIST), &fileDialog_});
}

void SheetSession::BindOptionPage(HWND page) {
    OptionPageControls controls;
    for (int i = 0; i < PenSizeButtons; ++i) {
        controls.penSize[i] = Make<Win32RadioButton>(page, IDC_PEN_SIZE_FIRST + i);
    }
    for (int i = 0; i < RotationButtons; ++i) {
        controls.rotation[i] = Make<Win32RadioButton>(page, IDC_ROTATION_FIRST + i);
    }
    for (int i = 0; i < DrawStepButtons; ++i) {
        controls.drawStep[i] = Make<Win32RadioButton>(page, IDC_DRAW_STEP_FIRST + i);
    }
    controls.drawSpeed = Make<Win32Edit>(page, IDC_DRAW_SPEED_EDIT);
    controls.reduction = Make<Win32Edit>(page, IDC_REDUCTION_EDIT);
    controls.holdTime = Make<Win32Edit>(page, IDC_HOLD_TIME_EDIT);
    controls.spinDrawSpeed = Make<Win32Spin>(page, IDC_DRAW_SPEED_SPIN);
    controls.spinReduction = Make<Win32Spin>(page, IDC_REDUCTION_SPIN);
    controls.spinHoldTime = Make<Win32Spin>(page, IDC_HOLD_TIME_SPIN);
    sheet_.m_pageOption.Bind(controls);
}

void SheetSession::BindDisplayPage(HWND page) {
    DisplayPageControls controls;
    for (int i = 0; i < MonitorsButtons; ++i) {
        controls.monitors[i] = Make<Win32RadioButton>(page, IDC_MONITORS_FIRST + i);
    }
    for (int i = 0; i < LookButtons; ++i) {
        controls.look[i] = Make<Win32RadioButton>(page, IDC_LOOK_FIRST + i);
    }
    folderDialog_.SetOwner(page);
    controls.folder = Make<Win32Edit>(page, IDC_FOLDER_EDIT);
    controls.folderDialog = &folderDialog_;
    controls.fit = Make<Win32RadioButton>(page, IDC_FIT_CHECK);
    for (int i = 0; i < PlaybackButtons; ++i) {
        controls.playback[i] = Make<Win32RadioButton>(page, IDC_PLAYBACK_FIRST + i);
    }
    sheet_.m_pageDisplay.Bind(controls);
}

bool IsRadioOfDisplayPage(int id) {
    return (id >= IDC_MONITORS_FIRST && id < IDC_MONITORS_FIRST + MonitorsButtons) ||
           (id >= IDC_LOOK_FIRST && id < IDC_LOOK_FIRST + LookButtons) ||
           (id >= IDC_PLAYBACK_FIRST && id < IDC_PLAYBACK_FIRST + PlaybackButtons);
}

bool IsRadioOfOptionPage(int id) {
    return (id >= IDC_PEN_SIZE_FIRST && id < IDC_PEN_SIZE_FIRST + PenSizeButtons) ||
           (id >= IDC_ROTATION_FIRST && id < IDC_ROTATION_FIRST + RotationButtons) ||
           (id >= IDC_DRAW_STEP_FIRST && id < IDC_DRAW_STEP_FIRST + DrawStepButtons);
}

INT_PTR SheetSession::OnCommand(int index, int id, int code) {
    if (index == CSaverSheet::ListPageIndex) {
        if (code != BN_CLICKED) return FALSE;
        switch (id) {
            case IDC_FILE_ADD:
                sheet_.m_pageList.OnAdd();
                return TRUE;
            case IDC_FILE_DELETE:
                sheet_.m_pageList.OnDelete();
                return TRUE;
            case IDC_FILE_DELETE_ALL:
                sheet_.m_pageList.OnDeleteAll();
                return TRUE;
        }
        return FALSE;
    }
    if (index == CSaverSheet::DisplayPageIndex) {
        CDisplayPage& display = sheet_.m_pageDisplay;
        if (code == EN_CHANGE && id == IDC_FOLDER_EDIT) {
            display.OnChange();
            return TRUE;
        }
        if (code != BN_CLICKED) return FALSE;
        if (id == IDC_FOLDER_BROWSE) {
            display.OnBrowseFolder();
        } else if (id == IDC_FOLDER_CLEAR) {
            display.OnClearFolder();
        } else if (IsRadioOfDisplayPage(id) || id == IDC_FIT_CHECK) {
            display.OnChange();
        } else {
            return FALSE;
        }
        return TRUE;
    }
    const bool isEdit = std::find(OptionEdits.begin(), OptionEdits.end(), id) != OptionEdits.end();
    if ((code == BN_CLICKED && IsRadioOfOptionPage(id)) || (code == EN_CHANGE && isEdit)) {
        sheet_.m_pageOption.OnChange();
        return TRUE;
    }
    return FALSE;
}

INT_PTR SheetSession::OnNotify(HWND page, int index, const NMHDR& header) {
    CPropertyPage& logic = sheet_.Page(index);
    LONG_PTR result = 0;
    switch (header.code) {
        case PSN_SETACTIVE:
            logic.OnSetActive();
            break;
        case PSN_KILLACTIVE:
            result = logic.OnKillActive() ? FALSE : TRUE;
            break;
        case PSN_APPLY: {
            // The displayed pages hear the request in their order, until one refuses: once
            // the last of them accepts, every one has, and the values are stored.
            bool accepted = logic.OnApply();
            if (accepted && index == lastDisplayed_) accepted = sheet_.Store();
            closedByOk_ = accepted && reinterpret_cast<const PSHNOTIFY&>(header).lParam != FALSE;
            result = accepted ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            break;
        }
        case PSN_RESET:
            closedByOk_ = false;
            break;
        default:
            return FALSE;
    }
    SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
    return TRUE;
}

struct PageBinding {
    SheetSession* session;
    int index;
};

INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        auto* binding = reinterpret_cast<PageBinding*>(sheetPage->lParam);
        SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(binding));
        binding->session->OnInitPage(page, binding->index);
        return TRUE;
    }
    auto* binding = reinterpret_cast<PageBinding*>(GetWindowLongPtrW(page, DWLP_USER));
    if (binding == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND:
            return binding->session->OnCommand(binding->index, LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY:
            return binding->session->OnNotify(page, binding->index,
                                              *reinterpret_cast<const NMHDR*>(lParam));
    }
    return FALSE;
}

}  // namespace

bool ShowSettingsSheet(CSaverSheet& sheet, Win32MessageBoxes& boxes, HINSTANCE instance,
                       std::string_view utf8Caption) {
    SheetSession session(sheet, boxes);
    std::array<PageBinding, CSaverSheet::PageCount> bindings{};
    std::array<PROPSHEETPAGEW, CSaverSheet::PageCount> pages{};
    std::array<std::vector<std::uint8_t>, CSaverSheet::PageCount> templates;
    for (int i = 0; i < CSaverSheet::PageCount; ++i) {
        bindings[i] = {&session, i};
        PROPSHEETPAGEW& page = pages[i];
        page.dwSize = sizeof page;
        page.hInstance = instance;
        templates[i] =
            PageTemplateInFont(instance, PageTemplates[i], SheetTypeface, SheetFontPoints);
        if (templates[i].empty()) {
            page.dwFlags = PSP_DEFAULT;
            page.pszTemplate = MAKEINTRESOURCEW(PageTemplates[i]);
        } else {
            page.dwFlags = PSP_DLGINDIRECT;
            page.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(templates[i].data());
        }
        page.pfnDlgProc = PageProcedure;
        page.lParam = reinterpret_cast<LPARAM>(&bindings[i]);
    }
    const std::wstring caption = Wide(utf8Caption);
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USEICONID | PSH_NOCONTEXTHELP;
    header.hInstance = instance;
    header.pszIcon = MAKEINTRESOURCEW(IDI_VIRELUNA);
    header.pszCaption = caption.c_str();
    header.nPages = CSaverSheet::PageCount;
    header.nStartPage = CSaverSheet::ListPageIndex;
    header.ppsp = pages.data();
    if (PropertySheetW(&header) < 0) return false;
    return session.ClosedByOk();
}

}  // namespace vireluna::win32
