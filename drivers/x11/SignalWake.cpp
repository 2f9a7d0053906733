#include "drivers/x11/SignalWake.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace vireluna::x11 {
namespace {

constexpr int EndingSignals[] = {SIGTERM, SIGINT, SIGHUP};
volatile std::sig_atomic_t wakeFd = -1;

void OnEndingSignal(int) {
    const char byte = 1;
    if (wakeFd < 0) return;
    [[maybe_unused]] const ssize_t written = write(wakeFd, &byte, 1);
}

}  // namespace

SignalWake::SignalWake() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readFd_ = fds[0];
    writeFd_ = fds[1];
    wakeFd = writeFd_;
    struct sigaction action {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : EndingSignals) sigaction(signal, &action, nullptr);
}

SignalWake::~SignalWake() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    for (int signal : EndingSignals) sigaction(signal, &action, nullptr);
    wakeFd = -1;
    if (readFd_ >= 0) close(readFd_);
    if (writeFd_ >= 0) close(writeFd_);
}

bool SignalWake::Drain() {
    char buffer[64];
    bool any = false;
    while (read(readFd_, buffer, sizeof buffer) > 0) any = true;
    return any;
}

}  // namespace vireluna::x11
