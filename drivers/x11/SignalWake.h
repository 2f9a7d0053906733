#pragma once

namespace vireluna::x11 {

// SIGTERM, SIGINT and SIGHUP (how a saver daemon ends its modules) make a pipe readable, so
// the event loop wakes from its wait at once and ends the program normally.
class SignalWake {
  public:
    SignalWake();
    ~SignalWake();
    SignalWake(const SignalWake&) = delete;
    SignalWake& operator=(const SignalWake&) = delete;

    bool Ready() const { return readFd_ >= 0; }
    int Fd() const { return readFd_; }
    // Empties the pipe; true when a signal had arrived.
    bool Drain();

  private:
    int readFd_ = -1;
    int writeFd_ = -1;
};

}  // namespace vireluna::x11
