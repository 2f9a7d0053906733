#include "drivers/win32/config/PageTemplate.h"

#include <cstring>
#include <cwchar>

namespace vireluna::win32 {
namespace {

constexpr WORD ExtendedSignature = 0xFFFF;
constexpr WORD OrdinalMark = 0xFFFF;
// dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy.
constexpr std::size_t ExtendedHeaderBytes = 2 + 2 + 4 + 4 + 4 + 2 + 2 * 4;
constexpr std::size_t StyleOffset = 12;
// pointsize, weight, italic, charset; the typeface follows.
constexpr std::size_t FontFixedBytes = 2 + 2 + 1 + 1;

std::size_t AlignToDword(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

// Skips a menu or class field: none, an ordinal, or a zero-terminated string.
bool SkipNameOrOrdinal(const std::uint8_t* data, std::size_t size, std::size_t& at) {
    if (at + 2 > size) return false;
    WORD first;
    std::memcpy(&first, data + at, 2);
    if (first == OrdinalMark) {
        at += 4;
        return at <= size;
    }
    return false;
}

bool SkipString(const std::uint8_t* data, std::size_t size, std::size_t& at) {
    for (;;) {
        if (at + 2 > size) return false;
        WORD unit;
        std::memcpy(&unit, data + at, 2);
        at += 2;
        if (unit == 0) return true;
    }
}

bool SkipField(const std::uint8_t* data, std::size_t size, std::size_t& at) {
    return SkipNameOrOrdinal(data, size, at) || SkipString(data, size, at);
}

}  // namespace

std::vector<std::uint8_t> PageTemplateInFont(HINSTANCE instance, int templateId,
                                             const wchar_t* typeface, WORD points) {
    const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    if (found == nullptr) return {};
    const HGLOBAL loaded = LoadResource(instance, found);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    const std::size_t size = SizeofResource(instance, found);
    if (data == nullptr || size < ExtendedHeaderBytes) return {};
    WORD signature;
    DWORD style;
    std::memcpy(&signature, data + 2, 2);
    std::memcpy(&style, data + StyleOffset, 4);
    if (signature != ExtendedSignature || (style & DS_SETFONT) == 0) return {};

    std::size_t at = ExtendedHeaderBytes;
    if (!SkipField(data, size, at) || !SkipField(data, size, at) || !SkipString(data, size, at)) {
        return {};
    }
    const std::size_t fontAt = at;
    at += FontFixedBytes;
    if (!SkipString(data, size, at)) return {};
    const std::size_t itemsAt = AlignToDword(at);
    if (itemsAt > size) return {};

    std::vector<std::uint8_t> copy(data, data + fontAt + FontFixedBytes);
    std::memcpy(copy.data() + fontAt, &points, 2);
    copy[fontAt + FontFixedBytes - 1] = DEFAULT_CHARSET;
    const std::size_t faceBytes = (std::wcslen(typeface) + 1) * sizeof(wchar_t);
    const auto* face = reinterpret_cast<const std::uint8_t*>(typeface);
    copy.insert(copy.end(), face, face + faceBytes);
    // The items keep their alignment when they start on a DWORD boundary again.
    copy.resize(AlignToDword(copy.size()), 0);
    copy.insert(copy.end(), data + itemsAt, data + size);
    return copy;
}

}  // namespace vireluna::win32
