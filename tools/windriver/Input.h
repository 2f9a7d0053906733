#pragma once

#include <windows.h>

namespace vireluna::e2e {

// Real input through SendInput, as a user's keyboard and mouse would give it.
namespace input {

void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
void Key(WORD virtualKey);  // press and release
// MOUSEEVENTF_LEFTDOWN and its partners: a press and its release.
void Click(DWORD downFlag, DWORD upFlag);
void Wheel(int delta);
// Moves the pointer to a pixel of the primary screen; true when the pointer got there.
bool MoveTo(int x, int y);

}  // namespace input

}  // namespace vireluna::e2e
