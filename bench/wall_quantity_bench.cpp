// The wall quantities of the largest project the dialogs allow (30 × 30 modules, 4 divisions, two
// storeys, walls on every span of both storeys) and of a typical house, with every condition entered
// so the whole check runs (Lw, heights, roof); then the wall placement (quarter method and
// eccentricity) on that result. Target: each within 1 ms for the largest project.
#include <benchmark/benchmark.h>

#include "calc/wall_placement.h"
#include "calc/wall_quantity.h"
#include "support/sample_houses.h"

using namespace rqx;
using namespace rqx::samples;

namespace {

Project WithConditions(Project p)
{
    p.info.levelHeight[1] = 2900;
    p.info.levelHeight[2] = 2800;
    WallInputs in;
    in.lw = {46.0, 30.0, 38.0};
    in.roof = {RoofKind::Gable, kDirX, 1500, 600, 450};
    WriteWallInputs(p, in);
    return p;
}

// arg 0: the largest project, 1: the typical house.
const Project &House(int which)
{
    static const Project largest = WithConditions(LargestProject());
    static const Project typical = WithConditions(TwoStoreyHouse());
    return which == 0 ? largest : typical;
}

void BM_WallQuantities(benchmark::State &state)
{
    const Project &p = House(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        WallQuantityResult r = ComputeWallQuantities(p);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_WallQuantities)->ArgName("typical")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_WallPlacement(benchmark::State &state)
{
    const Project &p = House(static_cast<int>(state.range(0)));
    const WallQuantityResult q = ComputeWallQuantities(p);
    for (auto _ : state) {
        WallPlacementResult r = ComputeWallPlacement(p, q);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_WallPlacement)->ArgName("typical")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
