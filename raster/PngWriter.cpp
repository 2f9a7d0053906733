#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include "raster/RasterImage.h"

namespace vireluna::raster {

namespace {

constexpr int kTempNameAttempts = 16;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the user's umask, as for any new file

// Creates a fresh file beside the target, so the final rename stays on one file system.
std::FILE* CreateTempBeside(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter = 0;
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        tempPath = path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        const int fd =
            open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0) {
            std::FILE* file = fdopen(fd, "wb");
            if (file == nullptr) {
                close(fd);
                unlink(tempPath.c_str());
            }
            return file;
        }
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

bool Encode(const RasterImage& image, std::FILE* file) {
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    header.width = static_cast<png_uint_32>(image.Width());
    header.height = static_cast<png_uint_32>(image.Height());
    header.format = PNG_FORMAT_RGB;
    const bool written =
        png_image_write_to_stdio(&header, file, 0, image.Bytes().data(), 0, nullptr) != 0;
    png_image_free(&header);
    return written;
}

}  // namespace

bool WritePng(const RasterImage& image, const std::string& path) {
    if (image.Width() < 1 || image.Height() < 1 || path.empty()) return false;
    std::string tempPath;
    std::FILE* file = CreateTempBeside(path, tempPath);
    if (file == nullptr) return false;
    bool ok = Encode(image, file);
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    ok = ok && std::rename(tempPath.c_str(), path.c_str()) == 0;
    if (!ok) unlink(tempPath.c_str());
    return ok;
}

}  // namespace vireluna::raster
