#include "drivers/win32/config/Win32Controls.h"

#include <commctrl.h>
#include <prsht.h>

#include "drivers/win32/MessageBox.h"
#include "systems/win32/WideText.h"

namespace vireluna::win32 {
namespace {

std::string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return Utf8(text);
}

}  // namespace

void Win32ListBox::Append(std::string_view utf8Text) {
    const std::wstring text = Wide(utf8Text);
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int Win32ListBox::Count() const {
    return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
}

std::string Win32ListBox::Text(int index) const {
    const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
    return Utf8(text);
}

std::vector<int> Win32ListBox::SelectedIndexes() const {
    const LRESULT count = SendMessageW(list_, LB_GETSELCOUNT, 0, 0);
    if (count == LB_ERR || count <= 0) return {};
    // As many as are selected: no fixed table.
    std::vector<int> indexes(static_cast<std::size_t>(count));
    const LRESULT got = SendMessageW(list_, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                     reinterpret_cast<LPARAM>(indexes.data()));
    indexes.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
    return indexes;
}

void Win32ListBox::DeleteAt(int index) {
    SendMessageW(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void Win32ListBox::Clear() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
}

void Win32ListBox::SetHorizontalExtent(int pixels) {
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels), 0);
}

void Win32RadioButton::SetChecked(bool checked) {
    SendMessageW(button_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32RadioButton::IsChecked() const {
    return SendMessageW(button_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Win32Edit::Text() const {
    return WindowText(edit_);
}

void Win32Edit::SetText(std::string_view utf8Text) {
    SetWindowTextW(edit_, Wide(utf8Text).c_str());
}

void Win32Edit::FocusAndSelectAll() {
    SetFocus(edit_);
    SendMessageW(edit_, EM_SETSEL, 0, -1);
}

void Win32Spin::SetRange(int lower, int upper) {
    // The upper end in the low word, so that the Up arrow increases the value.
    SendMessageW(spin_, UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
}

void Win32PageSite::SetModified(bool modified) {
    const HWND sheet = GetParent(page_);
    SendMessageW(sheet, modified ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(page_), 0);
}

}  // namespace vireluna::win32
