#include "tools/logogen/Emblem.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/logogen/PixelFont.h"
#include "tools/logogen/Shapes.h"

namespace vireluna::logogen {

namespace {

constexpr double kPi = std::numbers::pi;

constexpr PaletteEntry Mix(PaletteEntry a, PaletteEntry b, double amountOfB) {
    auto channel = [&](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(x + (y - x) * amountOfB + 0.5);
    };
    return {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue)};
}

constexpr PaletteEntry kField{198, 222, 255};
constexpr PaletteEntry kNavy{22, 34, 94};
constexpr PaletteEntry kNavySheen{58, 80, 158};
constexpr PaletteEntry kLeafGreen{44, 132, 62};
constexpr PaletteEntry kLeafLight{118, 188, 92};
constexpr PaletteEntry kStemGreen{34, 96, 44};
constexpr PaletteEntry kGold{238, 174, 28};
constexpr PaletteEntry kGoldLight{255, 226, 120};
constexpr PaletteEntry kGoldDeep{196, 126, 18};
constexpr PaletteEntry kWhite{255, 255, 255};

// The pure colours, then the in-between tones that let the edges blend into the field.
constexpr Palette kPalette = {
    kField,     kNavy,      kNavySheen, Mix(kNavy, kField, 1.0 / 3),  Mix(kNavy, kField, 2.0 / 3),
    kLeafGreen, kLeafLight, kStemGreen, Mix(kLeafGreen, kField, 0.5), Mix(kStemGreen, kNavy, 0.5),
    kGold,      kGoldLight, kGoldDeep,  Mix(kGold, kField, 0.5),      Mix(kLeafGreen, kNavy, 0.5),
    kWhite,
};

// The picture is laid out in the units of the stitched emblem (y up), then scaled into the
// space above the lettering.
constexpr PictureFrame kEmblemFrame{0.22, 4.0, 5.0};

constexpr double kMoonRadius = 170.0;
constexpr double kHollowRadius = 145.0;
constexpr double kHollowShift = 65.0;
constexpr double kMoonTilt = -12.0 * kPi / 180.0;
constexpr double kSheenInset = 14.0;

constexpr Vec kStarCentre{172.0, 150.0};
constexpr double kStarArm = 56.0;
constexpr double kStarWaist = 17.0;
constexpr double kShineScale = 0.45;

// Stem widths in pixels at the emblem's size; larger pictures widen them with the scale.
constexpr double kStemHalfWidthPixels = 0.8;
constexpr double kTendrilHalfWidthPixels = 0.55;
constexpr double kLeafWidth = 40.0;

constexpr const char* kName = "VIRELUNA";
constexpr int kLetterSpacing = 2;
constexpr int kLetteringTop = 95;

Region InModel(Region model, const PictureFrame& frame) {
    return [model = std::move(model), frame](Vec pixel) {
        return model({(pixel.x - frame.left) / frame.scale + kPictureModelLeft,
                      kPictureModelTop - (pixel.y - frame.top) / frame.scale});
    };
}

// A stroke half width in model units: its pixel width at the emblem's size, or wider.
double HalfWidth(double pixelsAtEmblemSize, const PictureFrame& frame) {
    return pixelsAtEmblemSize / std::min(frame.scale, kEmblemFrame.scale);
}

Region Tilted(Region region, double radians) {
    const double c = std::cos(-radians), s = std::sin(-radians);
    return [=](Vec p) { return region({p.x * c - p.y * s, p.x * s + p.y * c}); };
}

Region Crescent(double radius, double hollowRadius) {
    return Tilted(Difference(Disc({0.0, 0.0}, radius), Disc({kHollowShift, 0.0}, hollowRadius)),
                  kMoonTilt);
}

void PaintMoon(Canvas& canvas, const PictureFrame& frame) {
    canvas.Paint(InModel(Crescent(kMoonRadius, kHollowRadius), frame), ToColour(kNavy));
    // A lighter sliver along the hollow's edge gives the moon some roundness.
    const Region sheen =
        Difference(Crescent(kMoonRadius - kSheenInset, kHollowRadius),
                   Crescent(kMoonRadius - kSheenInset, kHollowRadius + kSheenInset / 2));
    canvas.Paint(InModel(sheen, frame), ToColour(kNavySheen));
}

void PaintVine(Canvas& canvas, const PictureFrame& frame) {
    const Path stem =
        CubicBezier({-30.0, -125.0}, {-80.0, -40.0}, {-50.0, 60.0}, {55.0, 100.0}, 60);
    const Vec tendrilRoot = PointAlong(stem, 0.62);
    const Vec curlCentre{tendrilRoot.x + 30.0, tendrilRoot.y + 4.0};
    const Path tendril = Spiral(curlCentre, 30.0, 6.0, kPi + 0.13, -1.3, 60);
    canvas.Paint(InModel(Stroke(stem, HalfWidth(kStemHalfWidthPixels, frame)), frame),
                 ToColour(kStemGreen));
    canvas.Paint(InModel(Stroke(tendril, HalfWidth(kTendrilHalfWidthPixels, frame)), frame),
                 ToColour(kStemGreen));

    struct LeafPlace {
        double along;
        Vec reach;
        double bend;
    };
    constexpr LeafPlace kLeaves[] = {
        {0.2, {82.0, 8.0}, 0.07}, {0.45, {-14.0, 80.0}, -0.09}, {1.0, {80.0, -20.0}, 0.06}};
    for (const LeafPlace& place : kLeaves) {
        const Vec base = PointAlong(stem, place.along);
        const Vec tip{base.x + place.reach.x, base.y + place.reach.y};
        canvas.Paint(InModel(Leaf(base, tip, kLeafWidth, place.bend), frame), ToColour(kLeafGreen));
        // The lit half of the leaf, on the side its bow turns to.
        const Region half =
            Leaf(base, tip, kLeafWidth / 2, place.bend + (place.bend > 0 ? 0.06 : -0.06));
        canvas.Paint(InModel(half, frame), ToColour(kLeafLight));
    }
}

void PaintStar(Canvas& canvas, const PictureFrame& frame) {
    canvas.Paint(
        InModel(PolygonRegion(StarOutline(kStarCentre, 4, kStarArm, kStarWaist, kPi / 2)), frame),
        ToColour(kGold));
    canvas.Paint(InModel(PolygonRegion(StarOutline(kStarCentre, 4, kStarArm * kShineScale,
                                                   kStarWaist * kShineScale, kPi / 2)),
                         frame),
                 ToColour(kGoldLight));
}

}  // namespace

const Palette& EmblemPalette() {
    return kPalette;
}

Colour EmblemField() {
    return ToColour(kField);
}

void PaintEmblemPicture(Canvas& canvas, const PictureFrame& frame) {
    PaintMoon(canvas, frame);
    PaintVine(canvas, frame);
    PaintStar(canvas, frame);
}

bool DrawEmblem(IndexedPicture& picture) {
    Canvas canvas(kEmblemWidth, kEmblemHeight, ToColour(kField));
    PaintEmblemPicture(canvas, kEmblemFrame);
    const int letteringWidth = LetteringWidth(kName, kLetterSpacing);
    if (letteringWidth < 0 || !DrawLettering(canvas, kName, (kEmblemWidth - letteringWidth) / 2,
                                             kLetteringTop, kLetterSpacing, ToColour(kNavy))) {
        return false;
    }
    picture.palette = kPalette;
    picture.indices = Quantise(canvas, kPalette);
    return true;
}

}  // namespace vireluna::logogen
