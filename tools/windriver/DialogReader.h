#pragma once

#include <windows.h>

#include <string>

#include "tools/windriver/SaverProcess.h"

namespace vireluna::e2e {

// A dialog box of the saver (a message box or the About box), read from outside.
struct DialogView {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;  // the texts of its static controls, each followed by '\n'
    std::wstring buttons;
    RECT iconArea{};  // screen rectangle of its icon, empty when it has none
    RECT textArea{};  // screen rectangle of its first text, empty when it has none
};

// Waits for a visible dialog of the process; window is null when none came in time.
DialogView WaitForDialog(const SaverProcess& process, Clock::duration limit = StartLimit);
DialogView ReadDialog(HWND dialog);
// Presses the dialog's button with this text, as a click would.
bool PressButton(HWND dialog, const std::wstring& label);
// The share of the icon's pixels that are a strong red: the stop icon is a red disc.
double RedShareOfIcon(const DialogView& dialog);
// How many different shapes the first line of the dialog's text shows, read from the screen:
// the ink between blank columns, compared pixel for pixel. A font without the line's
// characters draws the same empty box for each of them: one shape.
int DistinctShapesOnFirstTextLine(const DialogView& dialog);

}  // namespace vireluna::e2e
