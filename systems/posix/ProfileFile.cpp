#include "systems/posix/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

namespace vireluna {
namespace {

// Far beyond any real profile; a bigger file is not one.
constexpr std::size_t MaxProfileBytes = 16 * 1024 * 1024;
constexpr std::size_t ReadChunkBytes = 64 * 1024;
constexpr int TemporaryNameAttempts = 100;
constexpr mode_t NewFileMode = 0666;  // narrowed by the umask
constexpr mode_t PermissionBits = 07777;

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool WriteAll(int fd, const std::string& contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t wrote = ::write(fd, contents.data() + done, contents.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// Creates a file of a fresh name beside target; returns its descriptor or -1.
int CreateTemporaryBeside(const std::string& target, std::string& temporaryPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        temporaryPath = target + ".tmp-" + std::to_string(::getpid()) + "-" +
                        std::to_string(counter.fetch_add(1));
        const int fd = OpenRetrying(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                    NewFileMode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A rename is only durable once its folder is flushed; the file itself is safe either way.
void FlushFolder(const std::filesystem::path& folder) {
    const std::string name = folder.empty() ? std::string(".") : folder.string();
    Descriptor dir(OpenRetrying(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
}

}  // namespace

ProfileFileState ReadProfileFile(const std::string& path, std::string& contents) {
    contents.clear();
    if (path.empty()) return ProfileFileState::Missing;
    Descriptor file(OpenRetrying(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        return errno == ENOENT || errno == ENOTDIR ? ProfileFileState::Missing
                                                   : ProfileFileState::Unreadable;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) > MaxProfileBytes) {
        return ProfileFileState::Unreadable;
    }
    std::string text;
    char chunk[ReadChunkBytes];
    for (;;) {
        const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            return ProfileFileState::Unreadable;
        }
        if (got == 0) break;
        text.append(chunk, static_cast<std::size_t>(got));
        if (text.size() > MaxProfileBytes) return ProfileFileState::Unreadable;
    }
    contents = std::move(text);
    return ProfileFileState::Read;
}

bool ReplaceProfileFile(const std::string& path, const std::string& contents) {
    if (path.empty()) return false;
    std::error_code error;
    std::string target = path;
    if (std::filesystem::is_symlink(path, error)) {
        const std::filesystem::path resolved = std::filesystem::canonical(path, error);
        if (!error) target = resolved.string();
    }
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
        if (error) return false;
    }
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) return false;  // never put a file over a folder

    std::string temporaryPath;
    Descriptor file(CreateTemporaryBeside(target, temporaryPath));
    if (file.Get() < 0) return false;
    bool written = WriteAll(file.Get(), contents);
    if (written && replacing) written = ::fchmod(file.Get(), old.st_mode & PermissionBits) == 0;
    written = written && ::fsync(file.Get()) == 0;
    written = file.Close() && written;
    if (!written || ::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        ::unlink(temporaryPath.c_str());
        return false;
    }
    FlushFolder(folder);
    return true;
}

}  // namespace vireluna
