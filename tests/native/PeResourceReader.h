#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Reads the resources of a built Windows program straight from its file, on any system, so
// that both builds (PE32 and PE32+) are checked without running them.
namespace vireluna::testing::pe {

inline constexpr std::uint16_t TypeCursor = 1;
inline constexpr std::uint16_t TypeBitmap = 2;
inline constexpr std::uint16_t TypeIcon = 3;
inline constexpr std::uint16_t TypeDialog = 5;
inline constexpr std::uint16_t TypeString = 6;
inline constexpr std::uint16_t TypeGroupCursor = 12;
inline constexpr std::uint16_t TypeGroupIcon = 14;

class ResourceFile {
  public:
    // Empty with a reason in error when the file is not a program with resources.
    static std::optional<ResourceFile> Load(const std::string& path, std::string& error);

    // The data of the resource of this type and numeric id, in its first language.
    std::optional<std::span<const std::uint8_t>> Find(std::uint16_t type, std::uint16_t id) const;
    // String resource id from its table of sixteen, as UTF-8.
    std::optional<std::string> String(std::uint16_t id) const;

  private:
    std::optional<std::uint32_t> FileOffset(std::uint32_t rva, std::uint32_t size) const;
    std::optional<std::uint32_t> Entry(std::uint32_t directory, std::uint16_t id,
                                       bool wantDirectory) const;

    struct Section {
        std::uint32_t address, size, fileOffset, fileSize;
    };
    std::vector<std::uint8_t> bytes_;
    std::vector<Section> sections_;
    std::uint32_t resourceBase_ = 0;  // file offset of the resource directory
};

// A control's class or text: a name, or a number (a class atom, a resource id).
struct NameOrNumber {
    std::string name;
    std::optional<std::uint16_t> number;
    bool operator==(const NameOrNumber&) const = default;
};

struct DialogControl {
    std::int32_t id = 0;
    std::uint32_t style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string className;  // a predefined class's atom as its name: "Button", "Static", ...
    NameOrNumber text;
};

// A dialog template, plain or extended.
struct DialogTemplate {
    std::uint32_t style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string caption;
    int fontPoints = 0;
    std::string typeface;
    std::vector<DialogControl> controls;
};

std::optional<DialogTemplate> ParseDialog(std::span<const std::uint8_t> data);

// The header of a device-independent bitmap, as icons, cursors and bitmaps carry it.
struct ImageShape {
    int width = 0;
    int height = 0;  // of the picture alone, without an icon's or cursor's mask
    int bitCount = 0;
};

// The pictures of an icon group, each read from its own image.
std::vector<ImageShape> IconImages(const ResourceFile& file, std::uint16_t groupId);

struct CursorImage {
    ImageShape shape;
    int hotSpotX = 0, hotSpotY = 0;
    bool fullyTransparent = false;  // every pixel leaves the screen as it is
};
std::vector<CursorImage> CursorImages(const ResourceFile& file, std::uint16_t groupId);

std::optional<ImageShape> BitmapShape(const ResourceFile& file, std::uint16_t id);

}  // namespace vireluna::testing::pe
