#include "core/saver/SaverRun.h"

#include "core/saver/DesignFolder.h"
#include "core/settings/SaverSettings.h"

namespace vireluna {

std::vector<std::string> MissingPlaylistFiles(ProfileStore& profile, FileSystem& files) {
    const Playlist playlist = ReadPlaylist(profile, files.DefaultDesignPath());
    std::vector<std::string> missing;
    for (std::int32_t i = 0; i < playlist.fileCount; ++i) {
        const std::string& path = playlist.paths[static_cast<std::size_t>(i)];
        // A path the saver could not open is refused here, not on every pass of the cycle.
        if (path.empty() || !PathWithinLimit(path, files.DesignPathLimit()) ||
            !files.DirectorySearchFinds(path)) {
            missing.push_back(path);
        }
    }
    if (!playlist.folder.empty()) {
        const FolderLook look = LookIntoFolder(files, playlist.folder, files.DesignPathLimit());
        if (look == FolderLook::CannotBeRead) {
            missing.push_back(playlist.folder);
        } else if (look == FolderLook::NoDesign && playlist.fileCount == 0) {
            missing.push_back(playlist.folder + std::string(NoDesignInFolderNote));
        }
    }
    return missing;
}

bool CheckPlaylistFiles(ProfileStore& profile, FileSystem& files, MessageBoxes& boxes) {
    const std::vector<std::string> missing = MissingPlaylistFiles(profile, files);
    if (missing.empty()) return true;
    std::string text(MissingFilesHeading);
    for (const std::string& path : missing) text += path + '\n';
    boxes.Show(text, ApplicationTitle, MessageIcon::Stop);
    return false;
}

SaverRun::SaverRun(RunMode mode, ProfileStore& profile, WindowHost& host, FileSystem& files,
                   RunStart start, FolderListing* listing)
    : mode_(mode), host_(host), random_(start.seed), ticks_(start.tickLimit) {
    WindowHost& limited = *this;  // the saver window sees the host through the limit
    if (mode == RunMode::FullScreen) {
        window_ = std::make_unique<CFullScreenSaverWnd>(profile, limited, random_, files, listing);
    } else {
        window_ = std::make_unique<CSaverWnd>(profile, limited, random_, files, listing);
    }
}

SaverRun::~SaverRun() = default;

void SaverRun::OnCreate() {
    window_->OnCreate();
}

void SaverRun::OnSize(int clientWidth, int clientHeight) {
    window_->OnSize(clientWidth, clientHeight);
}

void SaverRun::Start(ScreenSize client) {
    OnCreate();
    OnSize(client.width, client.height);
    host_.InvalidateWithErase();  // the window's first paint
}

bool SaverRun::Erase(Surface& surface, int clientWidth, int clientHeight) {
    return window_->OnEraseBkgnd(surface, clientWidth, clientHeight);
}

void SaverRun::Step() {
    if (!ticks_.AllowsTick()) {
        host_.KillTimer();
        return;
    }
    // A repaint asked for earlier comes before the timer message, as a message loop orders them.
    ErasePending();
    window_->OnTimer();
    if (ticks_.CountTick()) host_.KillTimer();
    ErasePending();
}

void SaverRun::CollectOverlays(std::vector<MachineOverlay>& into) const {
    const MachineOverlay overlay = window_->Overlay();
    if (overlay.shown) into.push_back(overlay);
}

void SaverRun::SetTimer(int periodMs) {
    // Once the tick limit is reached the picture stays as it is.
    if (ticks_.AllowsTick()) host_.SetTimer(periodMs);
}

void SaverRun::ErasePending() {
    if (!host_.TakePendingErase()) return;
    const ScreenSize client = host_.ClientSize();
    Erase(host_.AcquireSurface(), client.width, client.height);
    host_.ReleaseSurface();
}

}  // namespace vireluna
