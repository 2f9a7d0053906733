#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/windriver/Deadline.h"

namespace vireluna::e2e {

// How long a saver may take to show its first window, or to end once asked.
inline constexpr auto StartLimit = 15s;
inline constexpr auto EndLimit = 10s;

// One run of VirelunaLogo.scr, started with a command line and extra environment variables.
// A run that is still alive when the object goes is ended by force (the test has failed then).
class SaverProcess {
  public:
    SaverProcess(const std::wstring& arguments,
                 const std::map<std::string, std::string>& environment = {});
    ~SaverProcess();
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool Running() const;
    // Waits for the end; the exit code, or nothing if it is still running at the deadline.
    std::optional<DWORD> WaitForExit(Clock::duration limit = EndLimit);

    // The process's visible top-level windows, and all its windows including children.
    std::vector<HWND> TopLevelWindows() const;
    // The first visible top-level window of the given class ("" for any), or null.
    HWND WaitForWindow(const std::wstring& className, Clock::duration limit = StartLimit) const;
    int WindowCount() const;
    // GDI objects the process holds: GetGuiResources where the system answers it, otherwise
    // the entries of the process's shared GDI handle table.
    int GdiObjectCount() const;
    // The fewest GDI objects seen over a few looks: a look may fall inside a tick, with its pen
    // or font alive for a moment.
    int SettledGdiObjectCount() const;
    // Kernel handles the process holds, from the system's handle list (Wine answers
    // GetProcessHandleCount with 0); -1 when the list cannot be read.
    int HandleCount() const;

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace vireluna::e2e
