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

// A flowering branch: a tapering bark column with twigs, satin leaves, five-petal
// blossoms filled in two pinks with darker hearts, gold centres and stamens.
namespace vireluna::designgen {
namespace {

constexpr int PetalCount = 5;
constexpr double PetalWidthShare = 0.88;  // petal width for its length
constexpr double HeartShare = 0.55;       // the darker heart of a petal, by length
constexpr double CentreShare = 0.18;      // the gold centre, by petal length
constexpr double StamenShare = 0.55;      // stamen length, by petal length
constexpr int StamenCount = 9;
constexpr double AntherReach = 3.5;
constexpr double PetalRowSpacing = 3.0;
constexpr double PetalStitch = 24.0;
constexpr double BranchSpacing = 3.5;
constexpr double LeafSpacing = 3.2;
constexpr double LeafWidth = 40.0;
constexpr double BudWidth = 30.0;
constexpr double CalyxWidth = 26.0;
constexpr double CalyxShare = 0.55;  // of the bud's length
constexpr double BudSpacing = 2.5;
constexpr FillStyle CentreFill = {0.5, 2.5, 12.0, 3};
constexpr int CurveSegments = 60;

struct Flower {
    Point centre;
    double petalLength;
    double turn;  // direction of the first petal
    std::int32_t petalThread;
};

const Flower Flowers[] = {
    {{-150.0, 105.0}, 74.0, 0.3, thread::PalePink},
    {{-10.0, -40.0}, 70.0, 1.1, thread::OrchidPink},
    {{250.0, 150.0}, 62.0, 0.7, thread::PalePink},
    {{150.0, -150.0}, 54.0, 0.2, thread::OrchidPink},
};

struct Bud {
    Point base;
    Point tip;
};

const Bud Buds[] = {
    {{322.0, 232.0}, {352.0, 272.0}},
    {{-262.0, 20.0}, {-292.0, 55.0}},
    {{62.0, 150.0}, {60.0, 196.0}},
};

Polyline MainBranch() {
    return CubicBezier({-340.0, -215.0}, {-160.0, -170.0}, {80.0, 60.0}, {330.0, 165.0},
                       CurveSegments);
}

std::vector<Polyline> Twigs() {
    const Polyline branch = MainBranch();
    const Point first = PointAlong(branch, 0.3);
    const Point second = PointAlong(branch, 0.62);
    const Point third = PointAlong(branch, 0.82);
    const Point fourth = PointAlong(branch, 0.12);
    return {
        CubicBezier(first, first + Point{-10.0, 50.0}, {-120.0, 80.0}, {-150.0, 105.0}, 30),
        CubicBezier(second, second + Point{30.0, -30.0}, {120.0, -120.0}, {150.0, -150.0}, 30),
        CubicBezier(third, third + Point{20.0, 40.0}, {300.0, 210.0}, Buds[0].base, 30),
        CubicBezier(fourth, fourth + Point{20.0, 60.0}, {-230.0, 10.0}, Buds[1].base, 30),
        CubicBezier(PointAlong(branch, 0.55), PointAlong(branch, 0.55) + Point{5.0, 40.0},
                    {60.0, 120.0}, Buds[2].base, 30),
    };
}

Point PetalTip(const Flower& flower, int petal) {
    return flower.centre + Polar(flower.petalLength, flower.turn + 2 * Pi * petal / PetalCount);
}

Polygon Petal(const Flower& flower, int petal, double share) {
    const Point tip = Lerp(flower.centre, PetalTip(flower, petal), share);
    return PetalOutline(flower.centre, tip, flower.petalLength * share * PetalWidthShare);
}

FillStyle PetalFill(const Flower& flower, int petal) {
    return {flower.turn + 2 * Pi * petal / PetalCount, PetalRowSpacing, PetalStitch, 3};
}

void AddBranch(StitchPlan& plan) {
    const Rails bark = ColumnAlong(MainBranch(), 22.0, 7.0);
    plan.UseThread(thread::DarkBrown);
    plan.AddRun(CentreRun(bark.a, bark.b, density::UnderlayLength));
    plan.AddRun(Reversed(SlantedSatin(bark.a, bark.b, BranchSpacing, 0.02)));

    plan.UseThread(thread::Sepia);
    for (const Polyline& twig : Twigs()) {
        const Rails sides = ColumnAlong(twig, 8.0, 4.0);
        plan.AddRun(SatinColumn(sides.a, sides.b, BranchSpacing));
    }
}

void AddLeaves(StitchPlan& plan) {
    const Polyline branch = MainBranch();
    struct Sprout {
        double at;
        Point reach;
        double bend;
    };
    const Sprout sprouts[] = {
        {0.05, {20.0, -95.0}, 0.08}, {0.22, {40.0, -92.0}, -0.08}, {0.4, {-95.0, 40.0}, 0.07},
        {0.7, {20.0, -100.0}, 0.08}, {0.9, {60.0, -80.0}, -0.06},
    };
    plan.UseThread(thread::MeadowGreen);
    for (const Sprout& sprout : sprouts) {
        const Point base = PointAlong(branch, sprout.at);
        plan.AddRuns(SatinLeaf({base, base + sprout.reach, LeafWidth, sprout.bend}, LeafSpacing));
    }
    plan.UseThread(thread::Green);
    for (const Bud& bud : Buds) {
        // The green cup the bud sits in.
        const LeafShape calyx = {bud.base, Lerp(bud.base, bud.tip, CalyxShare), CalyxWidth, 0.0};
        const Rails sides = LeafRails(calyx);
        plan.AddRun(SatinColumn(sides.a, sides.b, BudSpacing));
    }
}

void AddPetals(StitchPlan& plan, std::int32_t petalThread) {
    plan.UseThread(petalThread);
    for (const Flower& flower : Flowers) {
        if (flower.petalThread != petalThread) continue;
        for (int petal = 0; petal < PetalCount; ++petal) {
            plan.AddRuns(TatamiFill({Petal(flower, petal, 1.0)}, PetalFill(flower, petal)));
        }
    }
}

void AddBlossoms(StitchPlan& plan) {
    AddPetals(plan, thread::PalePink);
    AddPetals(plan, thread::OrchidPink);

    plan.UseThread(thread::Pink);
    for (const Flower& flower : Flowers) {
        for (int petal = 0; petal < PetalCount; ++petal) {
            plan.AddRuns(TatamiFill({Petal(flower, petal, HeartShare)}, PetalFill(flower, petal)));
        }
    }
    for (const Bud& bud : Buds) {
        const Rails sides = LeafRails({bud.base, bud.tip, BudWidth, 0.0});
        plan.AddRun(SatinColumn(sides.a, sides.b, BudSpacing));
    }

    plan.UseThread(thread::FloralPink);
    for (const Flower& flower : Flowers) {
        for (int petal = 0; petal < PetalCount; ++petal) {
            plan.AddRun(
                RunningStitch(ClosedPath(Petal(flower, petal, 1.0)), density::RunLength * 0.6));
        }
    }
}

void AddCentres(StitchPlan& plan) {
    plan.UseThread(thread::Gold);
    for (const Flower& flower : Flowers) {
        const Polygon disc = Circle(flower.centre, flower.petalLength * CentreShare, 24);
        plan.AddRuns(TatamiFill({disc}, CentreFill));
    }

    plan.UseThread(thread::WineRed);
    for (const Flower& flower : Flowers) {
        Polyline spokes = {flower.centre};
        for (int i = 0; i < StamenCount; ++i) {
            const double angle = flower.turn + Pi / PetalCount + 2 * Pi * i / StamenCount;
            spokes.push_back(flower.centre + Polar(flower.petalLength * StamenShare, angle));
            spokes.push_back(flower.centre);
        }
        plan.AddRun(spokes);
    }

    plan.UseThread(thread::Sunflower);
    for (const Flower& flower : Flowers) {
        for (int i = 0; i < StamenCount; ++i) {
            const double angle = flower.turn + Pi / PetalCount + 2 * Pi * i / StamenCount;
            const Point tip = flower.centre + Polar(flower.petalLength * StamenShare, angle);
            // A knot: a few tiny stitches crossing over the stamen's end.
            plan.AddRun({tip + Point{-AntherReach, 0.0}, tip + Point{AntherReach, 0.0},
                         tip + Point{0.0, AntherReach}, tip + Point{0.0, -AntherReach},
                         tip + Point{-AntherReach, 0.0}});
        }
    }
}

}  // namespace

StitchPlan MakeBlossom() {
    StitchPlan plan;
    AddBranch(plan);
    AddLeaves(plan);
    AddBlossoms(plan);
    AddCentres(plan);
    return plan;
}

}  // namespace vireluna::designgen
