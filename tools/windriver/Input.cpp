#include "tools/windriver/Input.h"

#include "tools/windriver/Deadline.h"

namespace vireluna::e2e::input {

namespace {

constexpr int AbsoluteRange = 65536;  // absolute pointer coordinates span 0 .. 65535

// Under Wine the cursor can take a moment to follow a move, or be put back by a pointer event
// from the X server that was still on its way; a move is sent again until the cursor stays.
constexpr int MoveAttempts = 5;
constexpr auto MoveSettleTime = 400ms;

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
    const auto arrived = [x, y] {
        POINT now{};
        return GetCursorPos(&now) && now.x == x && now.y == y;
    };
    for (int attempt = 0; attempt < MoveAttempts; ++attempt) {
        Send(event);
        if (WaitUntil(arrived, MoveSettleTime)) return true;
    }
    return false;
}

}  // namespace vireluna::e2e::input
