#include "raster/Utf8.h"

namespace vireluna::raster {

namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kSurrogateLast = 0xDFFF;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the sequence a lead byte starts, with the payload bits it carries; 0 if none.
int SequenceLength(unsigned char lead, char32_t& payload) {
    if (lead < 0x80) {
        payload = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        payload = lead & 0x1F;
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        payload = lead & 0x0F;
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        payload = lead & 0x07;
        return 4;
    }
    return 0;
}

// The smallest code point each length may encode; anything below is an overlong form.
char32_t SmallestForLength(int length) {
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    return kSmallest[length];
}

}  // namespace

std::vector<char32_t> DecodeUtf8(std::string_view text) {
    std::vector<char32_t> codePoints;
    codePoints.reserve(text.size());
    std::size_t index = 0;
    while (index < text.size()) {
        char32_t value = 0;
        const int length = SequenceLength(static_cast<unsigned char>(text[index]), value);
        bool valid = length > 0 && index + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[index + k]);
            valid = IsContinuation(byte);
            value = (value << 6) | (byte & 0x3F);
        }
        valid = valid && value >= SmallestForLength(length) && value <= kMaxCodePoint &&
                !(value >= kSurrogateFirst && value <= kSurrogateLast);
        if (valid) {
            codePoints.push_back(value);
            index += length;
        } else {
            codePoints.push_back(kReplacementCharacter);
            ++index;
        }
    }
    return codePoints;
}

}  // namespace vireluna::raster
