#include "core/design/DesignByteSource.h"

#include <algorithm>

namespace vireluna {

std::size_t DesignByteSource::PeekFirst(std::size_t size) {
    size = std::min(size, BufferBytes);
    // A file may hand its bytes over in several reads.
    while (consumed_ == 0 && filled_ < size) {
        const std::size_t got = file_.Read(buffer_ + filled_, size - filled_);
        if (got == 0) break;
        filled_ += got;
    }
    return std::min(filled_, size);
}

std::uint64_t DesignByteSource::Read(std::uint8_t* out, std::uint64_t size) {
    std::uint64_t done = 0;
    while (done < size) {
        if (position_ == filled_ && !Refill()) break;
        const std::size_t take =
            static_cast<std::size_t>(std::min<std::uint64_t>(size - done, filled_ - position_));
        if (out != nullptr) std::memcpy(out + done, buffer_ + position_, take);
        position_ += take;
        done += take;
    }
    consumed_ += done;
    return done;
}

bool DesignByteSource::Refill() {
    filled_ = file_.Read(buffer_, sizeof buffer_);
    position_ = 0;
    return filled_ > 0;
}

}  // namespace vireluna
