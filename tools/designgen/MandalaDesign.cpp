#include <cstdint>
#include <vector>

#include "tools/designgen/Curves.h"
#include "tools/designgen/Density.h"
#include "tools/designgen/Designs.h"
#include "tools/designgen/Motifs.h"
#include "tools/designgen/RunningStitch.h"
#include "tools/designgen/SatinColumn.h"
#include "tools/designgen/TatamiFill.h"
#include "tools/designgen/Threads.h"

// A large, dense mandala: rings of filled petals sewn over their underlay, with
// satin bands, satin borders and rings of knots, in many colours. Heavy enough
// to exercise the saver with close to the most records a file may hold.
namespace vireluna::designgen {
namespace {

constexpr Point Centre = {0.0, 0.0};
constexpr double FillSpacing = 3.0;
constexpr double FillStitch = 15.0;
constexpr double UnderlaySpacing = 12.0;
constexpr double UnderlayStitch = 35.0;
constexpr double SatinSpacing = 2.8;
constexpr double BorderWidth = 6.0;
constexpr int CircleSegments = 180;

double Spoke(int index, int count, double shift) {
    return 2 * Pi * (index + shift) / count + Pi / 2;
}

// A filled area as a machine sews it: a run round the edge and sparse rows
// across the fill's direction to hold the fabric, then the dense rows.
void AddFill(StitchPlan& plan, const std::vector<Polygon>& rings, double radians) {
    for (const Polygon& ring : rings)
        plan.AddRun(RunningStitch(ClosedPath(ring), density::UnderlayLength));
    plan.AddRuns(TatamiFill(rings, {radians + Pi / 2, UnderlaySpacing, UnderlayStitch, 1}));
    plan.AddRuns(TatamiFill(rings, {radians, FillSpacing, FillStitch, 3}));
}

void AddBorder(StitchPlan& plan, const Polygon& outline, double width) {
    const Rails rails = BorderRails(outline, width);
    plan.AddRun(SatinColumn(rails.a, rails.b, SatinSpacing));
}

void AddBand(StitchPlan& plan, double radius, double width) {
    const Rails rails = BorderRails(Circle(Centre, radius, CircleSegments), width);
    plan.AddRun(CentreRun(rails.a, rails.b, density::UnderlayLength));
    plan.AddRun(Reversed(SatinColumn(rails.a, rails.b, SatinSpacing)));
}

// A small raised dot: a short satin across a tiny column.
Polyline Knot(Point at, double radians, double size) {
    const Point along = Polar(size / 2, radians);
    const Point side = Normal(along) * (size / 2);
    return SatinColumn({at - along + side, at + along + side},
                       {at - along - side, at + along - side}, SatinSpacing * 0.7);
}

void AddKnots(StitchPlan& plan, double radius, int count, double shift, double size) {
    for (int i = 0; i < count; ++i) {
        const double angle = Spoke(i, count, shift);
        plan.AddRun(Knot(Centre + Polar(radius, angle), angle, size));
    }
}

struct PetalRing {
    int count;
    double shift;  // in petal steps, to interleave rings
    double inner;
    double outer;
    double width;
    double widest;  // share of the length; 0 for a rounded petal
};

Polygon RingPetal(const PetalRing& ring, int index, double share) {
    const double angle = Spoke(index, ring.count, ring.shift);
    const Point base = Centre + Polar(ring.inner, angle);
    const Point tip = Lerp(base, Centre + Polar(ring.outer, angle), share);
    if (ring.widest <= 0.0) return PetalOutline(base, tip, ring.width * share);
    return PointedPetal(base, tip, ring.width * share, ring.widest);
}

void AddPetals(StitchPlan& plan, const PetalRing& ring, double share, std::int32_t thread,
               double turn) {
    plan.UseThread(thread);
    for (int i = 0; i < ring.count; ++i) {
        AddFill(plan, {RingPetal(ring, i, share)}, Spoke(i, ring.count, ring.shift) + turn);
    }
}

void AddBorders(StitchPlan& plan, const PetalRing& ring, std::int32_t thread) {
    plan.UseThread(thread);
    for (int i = 0; i < ring.count; ++i) AddBorder(plan, RingPetal(ring, i, 1.0), BorderWidth);
}

void AddVeins(StitchPlan& plan, const PetalRing& ring, double share, std::int32_t thread) {
    plan.UseThread(thread);
    for (int i = 0; i < ring.count; ++i) {
        const double angle = Spoke(i, ring.count, ring.shift);
        const Point from = Centre + Polar(ring.inner + (ring.outer - ring.inner) * 0.12, angle);
        const Point to = Centre + Polar(ring.inner + (ring.outer - ring.inner) * share, angle);
        Polyline vein = RunningStitch({from, to}, density::RunLength * 0.6);
        Append(vein, Reversed(RunningStitch({from, to}, density::RunLength * 0.6)));
        plan.AddRun(vein);
    }
}

constexpr PetalRing InnerPetals = {8, 0.0, 48.0, 140.0, 78.0, 0.0};
constexpr PetalRing MiddlePetals = {12, 0.0, 125.0, 275.0, 92.0, 0.45};
constexpr PetalRing MiddleSprigs = {12, 0.5, 140.0, 240.0, 44.0, 0.4};
constexpr PetalRing OuterPetals = {16, 0.0, 300.0, 445.0, 100.0, 0.42};
constexpr PetalRing OuterDrops = {16, 0.5, 330.0, 410.0, 40.0, 0.55};
constexpr PetalRing LotusPetals = {24, 0.0, 462.0, 565.0, 100.0, 0.0};
constexpr PetalRing LotusShadows = {24, 0.5, 470.0, 540.0, 60.0, 0.5};

// The ground everything inside the navy band is sewn onto.
void AddInnerGround(StitchPlan& plan) {
    plan.UseThread(thread::BabyBlue);
    AddFill(plan, {Circle(Centre, 280.0, CircleSegments), Circle(Centre, 56.0, 48)}, Pi / 4);
}

void AddHeart(StitchPlan& plan) {
    plan.UseThread(thread::Gold);
    AddFill(plan, {Circle(Centre, 46.0, 48)}, 0.3);
    plan.UseThread(thread::BurntOrange);
    AddBand(plan, 48.0, 12.0);
    AddKnots(plan, 24.0, 6, 0.0, 10.0);
}

void AddInnerRing(StitchPlan& plan) {
    AddPetals(plan, InnerPetals, 1.0, thread::CardinalRed, 0.0);
    AddPetals(plan, InnerPetals, 0.5, thread::Coral, Pi / 2);
    AddBorders(plan, InnerPetals, thread::Burgundy);
}

void AddMiddleRing(StitchPlan& plan) {
    AddPetals(plan, MiddleSprigs, 1.0, thread::Purple, 0.0);
    AddPetals(plan, MiddlePetals, 1.0, thread::RoyalPurple, 0.0);
    AddPetals(plan, MiddlePetals, 0.55, thread::PaleViolet, Pi / 2);
    AddVeins(plan, MiddlePetals, 0.8, thread::White);
    plan.UseThread(thread::NavyBlue);
    AddBand(plan, 288.0, 22.0);
    plan.UseThread(thread::Gold);
    AddKnots(plan, 288.0, 48, 0.25, 9.0);
}

void AddOuterRing(StitchPlan& plan) {
    // The ground the outer petals are sewn onto.
    plan.UseThread(thread::PaleYellow);
    AddFill(plan, {Circle(Centre, 452.0, CircleSegments), Circle(Centre, 294.0, CircleSegments)},
            0.0);
    AddPetals(plan, OuterPetals, 1.0, thread::PeacockGreen, 0.0);
    AddPetals(plan, OuterPetals, 0.5, thread::EmeraldGreen, Pi / 2);
    AddBorders(plan, OuterPetals, thread::DarkGreen);
    AddPetals(plan, OuterDrops, 1.0, thread::Sunflower, 0.0);
    plan.UseThread(thread::Gold);
    AddBand(plan, 455.0, 16.0);
}

void AddLotusRing(StitchPlan& plan) {
    AddPetals(plan, LotusShadows, 1.0, thread::Pink, 0.0);
    AddPetals(plan, LotusPetals, 1.0, thread::SolarBlue, 0.0);
    AddPetals(plan, LotusPetals, 0.55, thread::Sky, Pi / 2);
    AddBorders(plan, LotusPetals, thread::BlueInk);
    AddVeins(plan, LotusPetals, 0.85, thread::White);
    plan.UseThread(thread::PeonyPurple);
    AddKnots(plan, 585.0, 48, 0.5, 12.0);
}

}  // namespace

StitchPlan MakeMandala() {
    StitchPlan plan;
    AddInnerGround(plan);
    AddHeart(plan);
    AddInnerRing(plan);
    AddMiddleRing(plan);
    AddOuterRing(plan);
    AddLotusRing(plan);
    return plan;
}

}  // namespace vireluna::designgen
