#include <cmath>

#include "tools/designgen/Curves.h"
#include "tools/designgen/Density.h"
#include "tools/designgen/Designs.h"
#include "tools/designgen/Motifs.h"
#include "tools/designgen/RunningStitch.h"
#include "tools/designgen/SatinColumn.h"
#include "tools/designgen/Threads.h"

// The emblem: a crescent moon open to the right, a vine sprig in its hollow and
// a four-point star at its upper right.
namespace vireluna::designgen {
namespace {

constexpr double MoonRadius = 170.0;
constexpr double HollowRadius = 145.0;
constexpr double HollowShift = 65.0;  // the hollow's centre lies right of the moon's
constexpr double MoonTilt = -12.0 * Pi / 180.0;
constexpr int ArcSegments = 120;

constexpr Point StarCentre = {172.0, 150.0};
constexpr double StarArm = 56.0;
constexpr double StarArmHalfWidth = 13.0;

constexpr double StemStitch = 14.0;
constexpr double TendrilStitch = 7.0;
constexpr double LeafSpacing = 3.2;
constexpr double StarSpacing = 3.0;

// Angle of the point where the two circles meet, seen from a circle's centre.
double HornAngle(Point circleCentre, Point horn) {
    return std::atan2(horn.y - circleCentre.y, horn.x - circleCentre.x);
}

void AddMoon(StitchPlan& plan) {
    const double hornX =
        (MoonRadius * MoonRadius - HollowRadius * HollowRadius + HollowShift * HollowShift) /
        (2.0 * HollowShift);
    const Point topHorn = {hornX, std::sqrt(MoonRadius * MoonRadius - hornX * hornX)};
    const Point hollowCentre = {HollowShift, 0.0};
    const double outerStart = HornAngle({}, topHorn);
    const double innerStart = HornAngle(hollowCentre, topHorn);
    // Both edges run counter-clockwise from the upper horn round to the lower one.
    const Polyline outer = Transformed(
        Arc({}, MoonRadius, outerStart, 2 * Pi - outerStart, ArcSegments), 1.0, MoonTilt, {});
    const Polyline inner =
        Transformed(Arc(hollowCentre, HollowRadius, innerStart, 2 * Pi - innerStart, ArcSegments),
                    1.0, MoonTilt, {});

    plan.UseThread(thread::NavyBlue);
    plan.AddRun(CentreRun(outer, inner, density::UnderlayLength));
    plan.AddRun(SatinColumn(Reversed(outer), Reversed(inner), density::SatinSpacing));
}

void AddVine(StitchPlan& plan) {
    const Polyline stem =
        CubicBezier({-30.0, -125.0}, {-80.0, -40.0}, {-50.0, 60.0}, {55.0, 100.0}, 60);
    const Point tendrilRoot = PointAlong(stem, 0.62);
    // The curl starts at the stem and winds inward.
    const Point curlCentre = tendrilRoot + Point{30.0, 4.0};
    const Polyline tendril = Spiral(curlCentre, 30.0, 6.0, Pi + 0.13, -1.3, 40);

    plan.UseThread(thread::Green);
    plan.AddRun(RunningStitch(stem, StemStitch));
    plan.AddRun(RunningStitch(tendril, TendrilStitch));

    const LeafShape leaves[] = {
        {PointAlong(stem, 0.2), PointAlong(stem, 0.2) + Point{82.0, 8.0}, 40.0, 0.07},
        {PointAlong(stem, 0.45), PointAlong(stem, 0.45) + Point{-14.0, 80.0}, 38.0, -0.09},
        {stem.back(), stem.back() + Point{80.0, -20.0}, 40.0, 0.06},
    };
    plan.UseThread(thread::MeadowGreen);
    for (const LeafShape& leaf : leaves) plan.AddRuns(SatinLeaf(leaf, LeafSpacing));
}

void AddStar(StitchPlan& plan) {
    plan.UseThread(thread::Gold);
    for (int arm = 0; arm < 4; ++arm) {
        const Rails rails =
            StarArmRails(StarCentre, Pi / 2 * arm + Pi / 2, StarArm, StarArmHalfWidth);
        plan.AddRun(SatinColumn(rails.a, rails.b, StarSpacing));
    }
}

}  // namespace

StitchPlan MakeLogo() {
    StitchPlan plan;
    AddMoon(plan);
    AddVine(plan);
    AddStar(plan);
    return plan;
}

}  // namespace vireluna::designgen
