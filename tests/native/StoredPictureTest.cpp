// The saver's picture kept outside the program (the X server), drawn through small tiles: the
// same pixels as the picture in memory, little of it held, and a lost picture started afresh.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "drivers/headless/RasterWindowHost.h"
#include "raster/PictureStore.h"
#include "raster/RasterImage.h"
#include "raster/RasterSurface.h"
#include "raster/TileSurface.h"

namespace vireluna {
namespace {

constexpr ColourValue Field = 0x02FFD7BE;

// A store over an image of its own; it can refuse new pictures and lose the one it has.
class ImageStore final : public raster::PictureStore {
  public:
    bool Read(const raster::PixelBox& box, raster::RasterImage& into) override {
        ++reads;
        if (lost) return false;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                into.SetPixel(x - box.left, y - box.top, picture.PixelAt(x, y));
            }
        }
        return true;
    }
    void Write(const raster::RasterImage& image, const raster::PixelBox& part, int toX,
               int toY) override {
        for (int y = part.top; y < part.bottom; ++y) {
            for (int x = part.left; x < part.right; ++x) {
                picture.SetPixel(toX + x - part.left, toY + y - part.top, image.PixelAt(x, y));
            }
        }
    }
    void Fill(const raster::PixelBox& box, raster::Rgb colour) override {
        picture.FillRect(box.left, box.top, box.right, box.bottom, colour);
    }
    bool Resize(int width, int height) override {
        if (refuse) return false;
        picture = raster::RasterImage(width, height);
        lost = false;
        return true;
    }

    raster::RasterImage picture;
    int reads = 0;
    bool refuse = false;
    bool lost = false;
};

// What the saver draws, at random, on both surfaces alike: stitches in either look on two
// monitors' clips and across them, stitches longer than a tile holds, the emblem, notices,
// fills and the erase.
void DrawAtRandom(Surface& surface, int round, int width, int height) {
    const int x = std::rand() % (width + 80) - 40;
    const int y = std::rand() % (height + 80) - 40;
    switch (round % 8) {
        case 0:
            surface.SetPen(1 + round % 3, 0x02000000u + static_cast<unsigned>(round) * 0x10305u);
            break;
        case 1:
            surface.SetThreadPen({SubpixelScale + round % 600, 0x02203040u + round, Field});
            break;
        case 2:
            surface.SetClip(round % 3 == 0   ? Unclipped
                            : round % 3 == 1 ? ClipRect{0, 0, width / 2, height}
                                             : ClipRect{width / 2, 0, width, height});
            break;
        case 3:
            surface.DrawLogo(x, y);
            break;
        case 4:
            surface.DrawText(x, y, "Vireluna stitches", {"Arial", -13 - round % 20, 700, true, 0},
                             Field);
            break;
        case 5:
            surface.FillRect(x, y, x + std::rand() % 900, y + std::rand() % 600,
                             round % 5 == 0 ? Field : 0x02000000u + round * 0x30201u);
            break;
        default:
            // A chain of stitches, most short, some right across the picture.
            surface.MoveTo(x, y);
            for (int i = 0; i < 12; ++i) {
                const int reach = i % 6 == 5 ? width : 24;
                surface.LineTo(x + std::rand() % (2 * reach) - reach,
                               y + std::rand() % (2 * reach) - reach);
            }
            break;
    }
}

TEST(TileSurface, DrawsThePixelsOfThePictureInMemoryWhileHoldingLittleOfIt) {
    constexpr int Width = 1200;
    constexpr int Height = 900;
    const raster::RasterImage logo(LogoWidth, LogoHeight, {9, 120, 60});
    raster::RasterImage whole(Width, Height);
    raster::RasterSurface inMemory(whole, logo);
    ImageStore store;
    ASSERT_TRUE(store.Resize(Width, Height));
    raster::TileSurface tiled(logo, store, Width, Height);
    std::srand(23);
    for (int round = 0; round < 400; ++round) {
        const unsigned seed = static_cast<unsigned>(std::rand());
        std::srand(seed);
        DrawAtRandom(inMemory, round, Width, Height);
        std::srand(seed);
        DrawAtRandom(tiled, round, Width, Height);
        EXPECT_LE(tiled.HeldPixelCount(), std::int64_t{raster::TileSurface::MaxTiles} *
                                              raster::TileSurface::TileSide *
                                              raster::TileSurface::TileSide)
            << "round " << round;
        if (round % 7 != 6) continue;  // a tick's end
        tiled.WriteBack();
        ASSERT_EQ(store.picture.Bytes(), whole.Bytes()) << "after round " << round;
    }
    // Drawing beside what was drawn last reads nothing new.
    const int reads = store.reads;
    tiled.SetClip(Unclipped);
    tiled.MoveTo(600, 450);
    tiled.LineTo(610, 455);
    tiled.MoveTo(600, 450);
    tiled.LineTo(605, 445);
    EXPECT_LE(store.reads, reads + 1);
}

// A long stitch is drawn only on the tiles it crosses: a diagonal crosses two or three in
// each row of tiles, not every tile of its bounding box, and still gives the same pixels.
TEST(TileSurface, ALongStitchReadsOnlyTheTilesItCrosses) {
    constexpr int Side = 10 * raster::TileSurface::TileSide;
    const raster::RasterImage logo;
    raster::RasterImage whole(Side, Side);
    raster::RasterSurface inMemory(whole, logo);
    ImageStore store;
    ASSERT_TRUE(store.Resize(Side, Side));
    raster::TileSurface tiled(logo, store, Side, Side);
    // Both looks, steep and shallow, either way, and an end outside the picture.
    const std::vector<std::array<int, 4>> stitches{{20, 30, 1250, 1200},
                                                   {1270, 5, 3, 1100},
                                                   {600, 1279, 700, -300},
                                                   {-50, 900, 1279, 640},
                                                   {1200, 40, 40, 1240}};
    for (std::size_t look = 0; look < 2; ++look) {
        for (const std::array<int, 4>& stitch : stitches) {
            for (Surface* surface :
                 {static_cast<Surface*>(&inMemory), static_cast<Surface*>(&tiled)}) {
                if (look == 0) {
                    surface->SetPen(3, 0x02102030);
                } else {
                    surface->SetThreadPen({4 * SubpixelScale, 0x02306090, Field});
                }
                surface->MoveTo(stitch[0], stitch[1]);
                surface->LineTo(stitch[2], stitch[3]);
            }
        }
    }
    tiled.WriteBack();
    EXPECT_EQ(store.picture.Bytes(), whole.Bytes());

    // One diagonal alone, from the top left tile to the bottom right one, 100 tiles in its box.
    ImageStore alone;
    ASSERT_TRUE(alone.Resize(Side, Side));
    raster::TileSurface diagonal(logo, alone, Side, Side);
    diagonal.SetPen(2, 0x02102030);
    diagonal.MoveTo(20, 30);
    diagonal.LineTo(1250, 1200);
    EXPECT_LE(alone.reads, 3 * 10);
}

// Thread stitches many times longer than the picture, a diagonal zig-zag through it, ends far
// outside: each tile shows its part of the same band, so nothing changes where tiles meet.
TEST(TileSurface, VeryLongThreadStitchesGiveThePixelsOfThePictureInMemory) {
    constexpr int Width = 640;
    constexpr int Height = 480;
    const raster::RasterImage logo;
    raster::RasterImage whole(Width, Height);
    raster::RasterSurface inMemory(whole, logo);
    ImageStore store;
    ASSERT_TRUE(store.Resize(Width, Height));
    raster::TileSurface tiled(logo, store, Width, Height);
    for (Surface* surface : {static_cast<Surface*>(&inMemory), static_cast<Surface*>(&tiled)}) {
        surface->FillRect(0, 0, Width, Height, Field);
        surface->SetThreadPen({6 * SubpixelScale + 77, 0x02306090, Field});
        // Each stitch passes through a point of the picture, its ends some 50000 pixels out.
        int x = -40000;
        int y = -30017;
        surface->MoveTo(x, y);
        for (int i = 0; i < 6; ++i) {
            x = 2 * (100 + 90 * i) - x;
            y = 2 * (60 + 71 * i) - y;
            surface->LineTo(x, y);
        }
    }
    tiled.WriteBack();
    long different = 0;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x)
            different += store.picture.PixelAt(x, y) != whole.PixelAt(x, y);
    }
    long inked = 0;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x)
            inked += whole.PixelAt(x, y) != raster::RgbOfColourValue(Field);
    }
    EXPECT_EQ(different, 0) << "of " << inked << " pixels drawn";
    EXPECT_GT(inked, 5 * Width) << "the stitches cross the picture";
}

struct HostWithStore {
    explicit HostWithStore(ScreenSize size)
        : host(size, size, raster::RasterImage(LogoWidth, LogoHeight), messages) {}

    std::ostringstream log;
    headless::MessageLog messages{log};
    ImageStore store;
    headless::RasterWindowHost host;
};

TEST(RasterWindowHost, APictureKeptInAStoreThatIsLostOrRefusedStartsAgainErased) {
    HostWithStore window({640, 480});
    window.host.AcquireSurface().FillRect(10, 10, 50, 50, 0x020000FF);
    window.host.ReleaseSurface();
    ASSERT_TRUE(window.host.KeepPictureIn(window.store));
    EXPECT_FALSE(window.host.PictureInMemory());
    EXPECT_EQ(window.store.picture.PixelAt(20, 20), (raster::Rgb{255, 0, 0}));  // handed over
    EXPECT_TRUE(window.host.Image().Bytes().empty());

    window.host.AcquireSurface().FillRect(100, 100, 120, 120, 0x0200FF00);
    window.host.ReleaseSurface();
    raster::ChangedArea changed;
    ASSERT_TRUE(window.host.TakeChangedArea(changed));
    EXPECT_EQ(window.store.picture.PixelAt(110, 110), (raster::Rgb{0, 255, 0}));
    EXPECT_FALSE(window.host.TakePendingErase());

    // The store lost its picture: the next read notices, and the host gets a new one and an
    // erase, as a window repainted by its system starts from the field.
    window.store.lost = true;
    Surface& later = window.host.AcquireSurface();
    later.MoveTo(400, 300);
    later.LineTo(410, 310);
    window.host.ReleaseSurface();
    window.host.TakeChangedArea(changed);
    EXPECT_FALSE(window.store.lost);
    EXPECT_EQ(window.store.picture.PixelAt(110, 110), (raster::Rgb{0, 0, 0}));
    EXPECT_TRUE(window.host.TakePendingErase());
    EXPECT_FALSE(window.host.PictureInMemory());

    // A resize the store cannot hold: the picture comes back into memory and still draws.
    window.store.refuse = true;
    window.host.Resize({800, 600});
    EXPECT_TRUE(window.host.PictureInMemory());
    EXPECT_TRUE(window.host.TakePendingErase());
    window.host.AcquireSurface().FillRect(0, 0, 800, 600, Field);
    window.host.ReleaseSurface();
    ASSERT_TRUE(window.host.TakeChangedArea(changed));
    EXPECT_EQ(window.host.Image().Width(), 800);
    EXPECT_EQ(window.host.Image().PixelAt(799, 599), (raster::Rgb{190, 215, 255}));

    // Lost for good in the middle of a tick (a message box flushes the picture): the surface
    // in use stays valid until it is released; then the picture is in memory.
    HostWithStore busy({320, 240});
    ASSERT_TRUE(busy.host.KeepPictureIn(busy.store));
    Surface& inUse = busy.host.AcquireSurface();
    busy.store.lost = true;
    busy.store.refuse = true;
    inUse.MoveTo(10, 10);
    inUse.LineTo(20, 20);
    busy.host.TakeChangedArea(changed);
    inUse.LineTo(30, 30);
    EXPECT_FALSE(busy.host.PictureInMemory());
    busy.host.ReleaseSurface();
    EXPECT_TRUE(busy.host.PictureInMemory());
    EXPECT_TRUE(busy.host.TakePendingErase());

    HostWithStore refused({320, 240});
    refused.store.refuse = true;
    EXPECT_FALSE(refused.host.KeepPictureIn(refused.store));
    EXPECT_TRUE(refused.host.PictureInMemory());
}

}  // namespace
}  // namespace vireluna
