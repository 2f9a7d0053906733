#include "tools/windriver/DialogReader.h"

#include <cstdlib>
#include <set>
#include <vector>

#include "tools/windriver/Picture.h"

namespace vireluna::e2e {

namespace {

constexpr wchar_t DialogClass[] = L"#32770";
constexpr int MaxText = 4096;

std::wstring WindowText(HWND window) {
    wchar_t text[MaxText] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, MaxText, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM parameter) {
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(child);
    return TRUE;
}

std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> children;
    EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// Ink: clearly darker or lighter than the text's background (anti-aliased edges included).
constexpr int InkContrast = 60;

bool IsInk(Colour pixel, Colour background) {
    return std::abs(pixel.red - background.red) + std::abs(pixel.green - background.green) +
               std::abs(pixel.blue - background.blue) >
           InkContrast;
}

}  // namespace

DialogView ReadDialog(HWND dialog) {
    DialogView view;
    view.window = dialog;
    view.caption = WindowText(dialog);
    for (HWND child : Children(dialog)) {
        const std::wstring type = ClassOf(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (_wcsicmp(type.c_str(), L"Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                GetWindowRect(child, &view.iconArea);
            } else {
                if (view.text.empty()) GetWindowRect(child, &view.textArea);
                view.text += WindowText(child) + L"\n";
            }
        } else if (_wcsicmp(type.c_str(), L"Button") == 0) {
            view.buttons += WindowText(child) + L"\n";
        }
    }
    return view;
}

DialogView WaitForDialog(const SaverProcess& process, Clock::duration limit) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : process.TopLevelWindows()) {
                if (ClassOf(window) == DialogClass) {
                    found = window;
                    return true;
                }
            }
            return !process.Running();
        },
        limit);
    return found != nullptr ? ReadDialog(found) : DialogView{};
}

bool PressButton(HWND dialog, const std::wstring& label) {
    for (HWND child : Children(dialog)) {
        if (_wcsicmp(ClassOf(child).c_str(), L"Button") != 0) continue;
        std::wstring text = WindowText(child);
        std::erase(text, L'&');
        if (text != label) continue;
        PostMessageW(child, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

double RedShareOfIcon(const DialogView& dialog) {
    const RECT& area = dialog.iconArea;
    if (area.right <= area.left || area.bottom <= area.top) return 0.0;
    const Picture icon = Picture::FromScreen(area);
    int red = 0;
    for (int y = 0; y < icon.Height(); ++y) {
        for (int x = 0; x < icon.Width(); ++x) {
            const Colour c = icon.At(x, y);
            red += (c.red > 160 && c.green < 90 && c.blue < 90) ? 1 : 0;
        }
    }
    return static_cast<double>(red) / (icon.Width() * icon.Height());
}

int DistinctShapesOnFirstTextLine(const DialogView& dialog) {
    const RECT& area = dialog.textArea;
    if (area.right <= area.left || area.bottom <= area.top) return 0;
    const Picture text = Picture::FromScreen(area);
    const Colour background = text.At(0, 0);
    auto rowHasInk = [&](int y) {
        for (int x = 0; x < text.Width(); ++x)
            if (IsInk(text.At(x, y), background)) return true;
        return false;
    };
    // The first line: the first band of rows with ink.
    int top = 0;
    while (top < text.Height() && !rowHasInk(top)) ++top;
    int bottom = top;
    while (bottom < text.Height() && rowHasInk(bottom)) ++bottom;
    if (top == bottom) return 0;

    std::set<std::vector<bool>> shapes;
    std::vector<bool> shape;
    for (int x = 0; x <= text.Width(); ++x) {
        std::vector<bool> column;
        bool ink = false;
        for (int y = top; y < bottom && x < text.Width(); ++y) {
            column.push_back(IsInk(text.At(x, y), background));
            ink = ink || column.back();
        }
        if (ink) {
            shape.insert(shape.end(), column.begin(), column.end());
        } else if (!shape.empty()) {
            shapes.insert(shape);
            shape.clear();
        }
    }
    return static_cast<int>(shapes.size());
}

}  // namespace vireluna::e2e
