// Photographs the full-screen saver for the main job: starts VirelunaLogo.scr with a fixed seed
// and tick count, waits until its picture stands still, writes the screen as a PPM picture and
// ends the saver with a key, as a user would.
//
// Usage: saver_snapshot.exe OUT.ppm SEED TICKS   (the saver in VIRELUNA_E2E_SAVER; the profile
// as the caller set it)
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/windriver/Input.h"
#include "tools/windriver/Picture.h"
#include "tools/windriver/SaverProcess.h"
#include "tools/windriver/TestPaths.h"

namespace {

using namespace vireluna::e2e;

constexpr auto RunLimit = 120s;
constexpr auto StillFor = 1500ms;  // no change for this long: the last tick has been drawn

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: saver_snapshot OUT.ppm SEED TICKS\n");
        return 2;
    }
    const std::string output = Narrow(argv[1]);
    input::MoveTo(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) / 2);
    SaverProcess saver(L"/s",
                       {{"VIRELUNA_SEED", Narrow(argv[2])}, {"VIRELUNA_TICKS", Narrow(argv[3])}});
    if (!saver.Started() || saver.WaitForWindow(L"") == nullptr) {
        std::fprintf(stderr, "saver_snapshot: the saver did not start\n");
        return 1;
    }
    Picture last = Picture::FromScreen();
    Clock::time_point lastChange = Clock::now();
    const bool still = WaitUntil(
        [&] {
            Picture now = Picture::FromScreen();
            if (!(now == last)) {
                last = std::move(now);
                lastChange = Clock::now();
            }
            return Clock::now() - lastChange >= StillFor;
        },
        RunLimit);
    const bool written = still && last.WritePpm(output);
    input::Key(VK_SPACE);
    const std::optional<DWORD> code = saver.WaitForExit();
    if (!written) std::fprintf(stderr, "saver_snapshot: no still picture to write\n");
    return written && code == std::optional<DWORD>(0) ? 0 : 1;
}
