#include "tests/e2e_win32/driver/Input.h"

namespace vireluna::e2e::input {

namespace {

constexpr int AbsoluteRange = 65536;  // absolute pointer coordinates span 0 .. 65535

void Send(INPUT event) {
    SendInput(1, &event, sizeof event);
}

INPUT KeyEvent(WORD virtualKey, DWORD flags) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = virtualKey;
    event.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    event.ki.dwFlags = flags;
    return event;
}

INPUT MouseEvent(DWORD flags) {
    INPUT event{};
    event.type = INPUT_MOUSE;
    event.mi.dwFlags = flags;
    return event;
}

// The absolute coordinate whose pixel is the given one: the middle of the pixel's share.
LONG Absolute(int pixel, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(pixel) * AbsoluteRange + AbsoluteRange / 2) /
                             screenSize);
}

}  // namespace

void KeyDown(WORD virtualKey) {
    Send(KeyEvent(virtualKey, 0));
}

void KeyUp(WORD virtualKey) {
    Send(KeyEvent(virtualKey, KEYEVENTF_KEYUP));
}

void Key(WORD virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void Click(DWORD downFlag, DWORD upFlag) {
    Send(MouseEvent(downFlag));
    Send(MouseEvent(upFlag));
}

void Wheel(int delta) {
    INPUT event = MouseEvent(MOUSEEVENTF_WHEEL);
    event.mi.mouseData = static_cast<DWORD>(delta);
    Send(event);
}

bool MoveTo(int x, int y) {
    INPUT event = MouseEvent(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    event.mi.dx = Absolute(x, GetSystemMetrics(SM_CXSCREEN));
    event.mi.dy = Absolute(y, GetSystemMetrics(SM_CYSCREEN));
    Send(event);
    POINT now{};
    GetCursorPos(&now);
    return now.x == x && now.y == y;
}

}  // namespace vireluna::e2e::input
