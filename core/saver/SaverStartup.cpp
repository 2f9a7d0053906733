#include "core/saver/SaverStartup.h"

namespace vireluna {

bool StartSaver(SaverDriver& driver, const StartRequest& request) {
    const RunStart start{request.seed.value_or(driver.SecondsNow()), request.tickLimit};
    switch (request.action) {
        case StartAction::ShowAbout:
            driver.ShowAboutBox();
            return false;
        case StartAction::End:
            return false;
        case StartAction::FullScreen:
        case StartAction::InWindow:
            break;
    }
    ProfileStore* profile = driver.OpenProfile();
    if (profile == nullptr) return false;
    MessageBoxes* early = driver.BoxesBeforeWindow();
    if (early != nullptr && !CheckPlaylistFiles(*profile, driver.Files(), *early)) return false;
    const RunMode mode =
        request.action == StartAction::FullScreen ? RunMode::FullScreen : RunMode::Picture;
    if (!driver.OpenWindow(mode, *profile, start)) return false;
    if (early == nullptr &&
        !CheckPlaylistFiles(*profile, driver.Files(), driver.WindowMessages())) {
        driver.CloseWindow();
        return false;
    }
    return true;
}

}  // namespace vireluna
