#include "drivers/x11/X11Errors.h"

#include <unistd.h>

#include <cstring>

namespace vireluna::x11 {
namespace {

unsigned long lastFailedRequest = 0;
bool anyFailure = false;

int RememberError(Display*, XErrorEvent* event) {
    lastFailedRequest = event->serial;
    anyFailure = true;
    return 0;
}

// The display went away (the session ended): nothing is left to draw on, and this handler
// may not return, so the process ends here, as a normal end of the saver.
int ConnectionLost(Display*) {
    constexpr const char note[] = "vireluna-saver: the connection to the X display was lost\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, note, std::strlen(note));
    _exit(0);
}

}  // namespace

void InstallErrorHandlers() {
    XSetErrorHandler(RememberError);
    XSetIOErrorHandler(ConnectionLost);
}

bool FailedSince(Display* display, unsigned long firstRequest) {
    XSync(display, False);
    return anyFailure && lastFailedRequest >= firstRequest;
}

}  // namespace vireluna::x11
