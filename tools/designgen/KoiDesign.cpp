#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/designgen/Curves.h"
#include "tools/designgen/Density.h"
#include "tools/designgen/Designs.h"
#include "tools/designgen/Motifs.h"
#include "tools/designgen/RunningStitch.h"
#include "tools/designgen/SatinColumn.h"
#include "tools/designgen/TatamiFill.h"
#include "tools/designgen/Threads.h"

// A koi seen from above, swimming past a lily pad through rings of ripples:
// an orange fill body with white and red patches, scale arcs, white satin fins
// with orange rays, black eyes and barbels.
namespace vireluna::designgen {
namespace {

// The spine, nose to the root of the tail.
constexpr Point Nose = {-240.0, 110.0};
constexpr Point SpineBend1 = {-100.0, 185.0};
constexpr Point SpineBend2 = {60.0, -50.0};
constexpr Point TailRoot = {190.0, -80.0};
constexpr double HalfWidth = 72.0;
constexpr double WidestAt = 0.28;   // along the spine
constexpr double TailWidth = 0.22;  // half-width at the tail root, as a share of the widest
constexpr int OutlineSteps = 80;

constexpr double BodyAngle = -0.42;  // the general heading of the fish
constexpr double ScaleRadius = 11.0;
constexpr double FinSpacing = 3.0;
constexpr double BodyRowSpacing = 3.5;
// Patches lie across the body's rows so that they catch the light differently.
constexpr double PatchTurn = 0.5;
constexpr double PatchRowSpacing = 3.5;
constexpr double PatchStitch = 24.0;

Point Spine(double t) {
    const double u = 1.0 - t;
    return Nose * (u * u * u) + SpineBend1 * (3 * u * u * t) + SpineBend2 * (3 * u * t * t) +
           TailRoot * (t * t * t);
}

Point SpineNormal(double t) {
    constexpr double Step = 1e-3;
    return Normal(Spine(std::min(1.0, t + Step)) - Spine(std::max(0.0, t - Step)));
}

// Half the body's width: a round head, widest a quarter of the way, then a long taper.
double BodyHalfWidth(double t) {
    if (t < WidestAt) return HalfWidth * std::pow(std::sin(Pi / 2 * t / WidestAt), 0.55);
    const double taper = (t - WidestAt) / (1.0 - WidestAt);
    return HalfWidth * (1.0 - (1.0 - TailWidth) * std::pow(taper, 1.3));
}

// A point of the body by its place along the spine (0..1) and across it (-1..1).
Point BodyPoint(double t, double across) {
    return Spine(t) + SpineNormal(t) * (across * BodyHalfWidth(t));
}

Polygon BodyOutline() {
    Polygon outline;
    for (int i = 0; i <= OutlineSteps; ++i)
        outline.push_back(BodyPoint(double(i) / OutlineSteps, 1.0));
    for (int i = OutlineSteps - 1; i > 0; --i) {
        outline.push_back(BodyPoint(double(i) / OutlineSteps, -1.0));
    }
    return outline;
}

// An oval patch laid on the body in its own coordinates, so it stays on the fish.
Polygon Patch(double t, double across, double alongRadius, double acrossRadius, double wobble) {
    constexpr int Steps = 36;
    Polygon outline;
    for (int i = 0; i < Steps; ++i) {
        const double angle = 2 * Pi * i / Steps;
        const double swell = 1.0 + wobble * std::sin(3 * angle);
        const double pt = t + alongRadius * swell * std::cos(angle);
        const double pa = across + acrossRadius * swell * std::sin(angle);
        outline.push_back(BodyPoint(std::clamp(pt, 0.02, 0.98), std::clamp(pa, -0.9, 0.9)));
    }
    return outline;
}

void AddWater(StitchPlan& plan) {
    plan.UseThread(thread::OceanBlue);
    struct Ring {
        Point centre;
        double radius;
        double from;
        double to;
    };
    const Ring rings[] = {
        {{-250.0, 130.0}, 110.0, 0.9, 2.6},  {{-250.0, 130.0}, 145.0, 1.0, 2.4},
        {{-250.0, 130.0}, 180.0, 1.1, 2.2},  {{260.0, -120.0}, 80.0, -1.8, 0.4},
        {{260.0, -120.0}, 115.0, -1.6, 0.2}, {{260.0, -120.0}, 150.0, -1.4, 0.0},
    };
    for (const Ring& ring : rings) {
        plan.AddRun(RunningStitch(Arc(ring.centre, ring.radius, ring.from, ring.to, 60),
                                  density::RunLength));
    }
    const Polygon bubbles[] = {Circle({-330.0, 40.0}, 9.0, 12), Circle({-352.0, 68.0}, 6.0, 10),
                               Circle({-318.0, 84.0}, 5.0, 8)};
    for (const Polygon& bubble : bubbles) plan.AddRun(RunningStitch(ClosedPath(bubble), 6.0));
}

void AddLilyPad(StitchPlan& plan) {
    const Point centre = {-120.0, -150.0};
    constexpr double Radius = 95.0;
    constexpr double NotchAngle = 0.35;
    constexpr double NotchHalf = 0.22;
    Polygon pad = {centre};
    Append(pad, Arc(centre, Radius, NotchAngle + NotchHalf, NotchAngle + 2 * Pi - NotchHalf, 72));

    plan.UseThread(thread::MeadowGreen);
    plan.AddRun(RunningStitch(ClosedPath(pad), density::UnderlayLength));
    plan.AddRuns(TatamiFill({pad}, {0.9, density::FillRowSpacing, density::FillStitchLength, 3}));

    plan.UseThread(thread::Green);
    Polyline veins = {centre};
    for (int i = 1; i < 8; ++i) {
        const double angle = NotchAngle + NotchHalf + (2 * Pi - 2 * NotchHalf) * i / 8;
        Append(veins, RunningStitch({centre, centre + Polar(Radius * 0.85, angle)}, 18.0));
        Append(veins, RunningStitch({veins.back(), centre}, 18.0));
    }
    plan.AddRun(veins);
    plan.AddRun(RunningStitch(ClosedPath(pad), 12.0));
}

// A fin from its root, between a leading and a trailing edge that bulge apart.
Rails Fin(Point root, Point leading, Point trailing, double bulge) {
    const Point spread = (leading - trailing) * bulge;
    return {CubicBezier(root, Lerp(root, leading, 0.45) + spread,
                        Lerp(root, leading, 0.85) + spread * 0.5, leading, 30),
            CubicBezier(root, Lerp(root, trailing, 0.45) - spread,
                        Lerp(root, trailing, 0.85) - spread * 0.5, trailing, 30)};
}

std::vector<Rails> Fins() {
    const Point leftRoot = BodyPoint(0.26, 0.75);
    const Point rightRoot = BodyPoint(0.26, -0.75);
    const Point tail = Spine(1.0);
    const Point back = tail - Spine(0.95);
    const Point heading = back * (1.0 / Length(back));
    const Point side = Normal(heading);
    const Point fork = tail + heading * 80.0;
    return {
        Fin(leftRoot, leftRoot + Point{-5.0, 100.0}, leftRoot + Point{75.0, 65.0}, 0.25),
        Fin(rightRoot, rightRoot + Point{-55.0, -85.0}, rightRoot + Point{25.0, -100.0}, 0.25),
        Fin(tail + side * 12.0, tail + heading * 150.0 + side * 100.0, fork + side * 4.0, 0.22),
        Fin(tail - side * 12.0, tail + heading * 140.0 - side * 105.0, fork - side * 4.0, 0.22),
    };
}

void AddFins(StitchPlan& plan) {
    const std::vector<Rails> fins = Fins();
    plan.UseThread(thread::White);
    for (const Rails& fin : fins) plan.AddRun(SlantedSatin(fin.a, fin.b, FinSpacing, 0.1));

    plan.UseThread(thread::Tangerine);
    for (const Rails& fin : fins) {
        // Rays fan out from the root to the fin's far edge, there and back.
        Polyline rays = {fin.a.front()};
        for (const double share : {0.2, 0.45, 0.7, 0.9}) {
            const Point edge = Lerp(fin.a.back(), fin.b.back(), share);
            Append(rays, RunningStitch({fin.a.front(), edge}, density::RunLength));
            Append(rays, RunningStitch({edge, fin.a.front()}, density::RunLength));
        }
        plan.AddRun(rays);
    }
}

void AddBody(StitchPlan& plan) {
    const Polygon body = BodyOutline();
    plan.UseThread(thread::Orange);
    plan.AddRun(RunningStitch(ClosedPath(body), density::UnderlayLength));
    plan.AddRuns(TatamiFill({body}, {BodyAngle, BodyRowSpacing, density::FillStitchLength, 3}));

    plan.UseThread(thread::White);
    for (const Polygon& patch :
         {Patch(0.5, 0.35, 0.1, 0.5, 0.12), Patch(0.72, -0.3, 0.09, 0.55, 0.1),
          Patch(0.33, -0.55, 0.06, 0.3, 0.15)}) {
        plan.AddRuns(TatamiFill({patch}, {BodyAngle + PatchTurn, PatchRowSpacing, PatchStitch, 3}));
    }
    plan.UseThread(thread::Vermilion);
    const Polygon crown = Patch(0.14, 0.0, 0.07, 0.6, 0.08);
    plan.AddRuns(TatamiFill({crown}, {BodyAngle - PatchTurn, PatchRowSpacing, PatchStitch, 3}));
}

void AddScales(StitchPlan& plan) {
    plan.UseThread(thread::BurntOrange);
    plan.AddRun(RunningStitch(ClosedPath(BodyOutline()), 12.0));
    constexpr double Diameter = 2 * ScaleRadius;
    int column = 0;
    for (double t = 0.3; t < 0.92; t += 0.052, ++column) {
        const double reach = BodyHalfWidth(t) * 0.8;
        const Point centre = Spine(t);
        const Point across = SpineNormal(t);
        const Point along = Normal(across) * -1.0;  // towards the tail
        // Scallops bulging towards the tail, laid from one side of the body to the other.
        const double shift = (column % 2) * ScaleRadius;
        const int count = static_cast<int>((2 * reach - shift) / Diameter);
        if (count < 1) continue;
        Polyline scallops;
        const double first = -reach + shift + (2 * reach - shift - count * Diameter) / 2;
        for (int i = 0; i < count; ++i) {
            const double middle = first + (i + 0.5) * Diameter;
            for (int k = 0; k <= 6; ++k) {
                const double angle = Pi * k / 6;
                Append(scallops, {centre + across * (middle - ScaleRadius * std::cos(angle)) +
                                  along * (ScaleRadius * 0.9 * std::sin(angle))});
            }
        }
        plan.AddRun(RunningStitch(scallops, 8.0));
    }
}

void AddEyesAndBarbels(StitchPlan& plan) {
    plan.UseThread(thread::Black);
    for (const double side : {0.55, -0.55}) {
        const Polygon eye = Circle(BodyPoint(0.07, side), 7.0, 16);
        plan.AddRuns(TatamiFill({eye}, {0.0, 2.0, 10.0, 2}));
    }
    plan.UseThread(thread::BurntOrange);
    for (const double side : {1.0, -1.0}) {
        const Point root = BodyPoint(0.03, side * 0.4);
        const Point out = SpineNormal(0.03) * (side * 30.0);
        const Point ahead = (Spine(0.0) - Spine(0.05)) * 0.8;
        plan.AddRun(RunningStitch(
            CubicBezier(root, root + ahead, root + ahead + out, root + out * 1.4 + ahead * 0.4, 12),
            8.0));
    }
}

}  // namespace

StitchPlan MakeKoi() {
    StitchPlan plan;
    AddWater(plan);
    AddLilyPad(plan);
    AddFins(plan);
    AddBody(plan);
    AddScales(plan);
    AddEyesAndBarbels(plan);
    return plan;
}

}  // namespace vireluna::designgen
