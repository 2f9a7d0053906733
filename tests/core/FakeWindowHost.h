#pragma once

#include <string>
#include <vector>

#include "core/ports/WindowHost.h"
#include "tests/core/FakeSurface.h"

namespace vireluna::fakes {

// A window host that records what the saver window asks of it, over a recording surface.
class FakeWindowHost : public WindowHost {
  public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
        bool timerRunningWhileOpen;
    };

    explicit FakeWindowHost(ScreenSize screenSize) : screen(screenSize) {}

    ScreenSize screen;
    FakeSurface surface;
    int surfacesHeld = 0;  // acquired and not yet released
    int eraseRequests = 0;
    bool timerRunning = false;
    int timerPeriod = 0;
    std::vector<Message> messages;
    int closeRequests = 0;
    bool messageOpen = false;  // handed over and not yet answered

    Surface& AcquireSurface() override {
        ++surfacesHeld;
        return surface;
    }
    void ReleaseSurface() override { --surfacesHeld; }
    void InvalidateWithErase() override { ++eraseRequests; }
    bool TakePendingErase() override { return false; }
    void SetTimer(int periodMs) override {
        timerRunning = true;
        timerPeriod = periodMs;
    }
    void KillTimer() override { timerRunning = false; }
    void PostCloseRequest() override { ++closeRequests; }
    ScreenSize GetScreenSize() const override { return screen; }
    ScreenSize ClientSize() const override { return screen; }
    bool OpenMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(caption), icon, timerRunning});
        messageOpen = true;
        return true;
    }
    // The user answers the open message, once the step that handed it is over, as a driver
    // tells it; true when one was open.
    template <typename Runs>
    bool AnswerMessage(Runs& runs) {
        if (!messageOpen) return false;
        messageOpen = false;
        runs.OnMessageClosed();
        return true;
    }
};

}  // namespace vireluna::fakes
