#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace vireluna::e2e {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How often a condition is looked at again while a test waits for it.
inline constexpr auto PollInterval = 20ms;

// Waits until the condition holds or the time is up; true when it held.
inline bool WaitUntil(const std::function<bool()>& condition, Clock::duration limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        // Keep the driver's own windows answering while it waits.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(static_cast<DWORD>(std::chrono::milliseconds(PollInterval).count()));
    }
}

}  // namespace vireluna::e2e
