#include "tools/logogen/Emblem.h"

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
constexpr double kScale = 0.22;
constexpr double kModelLeft = -170.0;
constexpr double kModelTop = 206.0;
constexpr double kPictureLeft = 4.0;
constexpr double kPictureTop = 5.0;

constexpr double kMoonRadius = 170.0;
constexpr double kHollowRadius = 145.0;
constexpr double kHollowShift = 65.0;
constexpr double kMoonTilt = -12.0 * kPi / 180.0;
constexpr double kSheenInset = 14.0;

constexpr Vec kStarCentre{172.0, 150.0};
constexpr double kStarArm = 56.0;
constexpr double kStarWaist = 17.0;
constexpr double kShineScale = 0.45;

constexpr double kStemHalfWidth = 0.8 / kScale;  // pixels, in model units
constexpr double kTendrilHalfWidth = 0.55 / kScale;
constexpr double kLeafWidth = 40.0;

constexpr const char* kName = "VIRELUNA";
constexpr int kLetterSpacing = 2;
constexpr int kLetteringTop = 95;

Vec ToModel(Vec pixel) {
    return {(pixel.x - kPictureLeft) / kScale + kModelLeft,
            kModelTop - (pixel.y - kPictureTop) / kScale};
}

Region InModel(Region model) {
    return [model = std::move(model)](Vec pixel) { return model(ToModel(pixel)); };
}

Region Tilted(Region region, double radians) {
    const double c = std::cos(-radians), s = std::sin(-radians);
    return [=](Vec p) { return region({p.x * c - p.y * s, p.x * s + p.y * c}); };
}

Region Crescent(double radius, double hollowRadius) {
    return Tilted(Difference(Disc({0.0, 0.0}, radius), Disc({kHollowShift, 0.0}, hollowRadius)),
                  kMoonTilt);
}

void PaintMoon(Canvas& canvas) {
    canvas.Paint(InModel(Crescent(kMoonRadius, kHollowRadius)), ToColour(kNavy));
    // A lighter sliver along the hollow's edge gives the moon some roundness.
    const Region sheen =
        Difference(Crescent(kMoonRadius - kSheenInset, kHollowRadius),
                   Crescent(kMoonRadius - kSheenInset, kHollowRadius + kSheenInset / 2));
    canvas.Paint(InModel(sheen), ToColour(kNavySheen));
}

void PaintVine(Canvas& canvas) {
    const Path stem =
        CubicBezier({-30.0, -125.0}, {-80.0, -40.0}, {-50.0, 60.0}, {55.0, 100.0}, 60);
    const Vec tendrilRoot = PointAlong(stem, 0.62);
    const Vec curlCentre{tendrilRoot.x + 30.0, tendrilRoot.y + 4.0};
    const Path tendril = Spiral(curlCentre, 30.0, 6.0, kPi + 0.13, -1.3, 60);
    canvas.Paint(InModel(Stroke(stem, kStemHalfWidth)), ToColour(kStemGreen));
    canvas.Paint(InModel(Stroke(tendril, kTendrilHalfWidth)), ToColour(kStemGreen));

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
        canvas.Paint(InModel(Leaf(base, tip, kLeafWidth, place.bend)), ToColour(kLeafGreen));
        // The lit half of the leaf, on the side its bow turns to.
        const Region half =
            Leaf(base, tip, kLeafWidth / 2, place.bend + (place.bend > 0 ? 0.06 : -0.06));
        canvas.Paint(InModel(half), ToColour(kLeafLight));
    }
}

void PaintStar(Canvas& canvas) {
    canvas.Paint(InModel(PolygonRegion(StarOutline(kStarCentre, 4, kStarArm, kStarWaist, kPi / 2))),
                 ToColour(kGold));
    canvas.Paint(InModel(PolygonRegion(StarOutline(kStarCentre, 4, kStarArm * kShineScale,
                                                   kStarWaist * kShineScale, kPi / 2))),
                 ToColour(kGoldLight));
}

}  // namespace

bool DrawEmblem(IndexedPicture& picture) {
    Canvas canvas(kEmblemWidth, kEmblemHeight, ToColour(kField));
    PaintMoon(canvas);
    PaintVine(canvas);
    PaintStar(canvas);
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
