#include "drivers/win32/MessageBox.h"

#include "resources/win32/ResourceIds.h"
#include "systems/win32/WideText.h"

namespace vireluna::win32 {
namespace {

constexpr std::string_view FallbackTitle = "VirelunaLogo";

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return MB_ICONHAND;
        case MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MessageIcon::Information:
            return MB_ICONINFORMATION;
        case MessageIcon::None:
            return 0;
    }
    return 0;
}

}  // namespace

std::string LoadApplicationTitle() {
    // With a zero length LoadString hands out the resource's own read-only text.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), IDS_APPLICATION_TITLE,
                                   reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::string(FallbackTitle);
    return Utf8(std::wstring_view(text, static_cast<std::size_t>(length)));
}

void ShowMessageBox(std::string_view utf8Text, std::string_view utf8Caption, MessageIcon icon,
                    const MessageBoxOptions& options) {
    const std::wstring text = Wide(utf8Text);
    const std::wstring caption = Wide(utf8Caption.empty() ? LoadApplicationTitle() : utf8Caption);
    UINT style = MB_OK | IconStyle(icon);
    if (options.topmost) style |= MB_TOPMOST | MB_SETFOREGROUND;
    MessageBoxW(options.owner, text.c_str(), caption.c_str(), style);
}

}  // namespace vireluna::win32
