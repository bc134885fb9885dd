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

void BM_WallQuantitiesLargest(benchmark::State &state)
{
    const Project p = WithConditions(LargestProject());
    for (auto _ : state) {
        WallQuantityResult r = ComputeWallQuantities(p);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_WallQuantitiesLargest)->Unit(benchmark::kMillisecond);

void BM_WallQuantitiesTypical(benchmark::State &state)
{
    const Project p = WithConditions(TwoStoreyHouse());
    for (auto _ : state) {
        WallQuantityResult r = ComputeWallQuantities(p);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_WallQuantitiesTypical)->Unit(benchmark::kMicrosecond);

void BM_WallPlacementLargest(benchmark::State &state)
{
    const Project p = WithConditions(LargestProject());
    const WallQuantityResult q = ComputeWallQuantities(p);
    for (auto _ : state) {
        WallPlacementResult r = ComputeWallPlacement(p, q);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_WallPlacementLargest)->Unit(benchmark::kMillisecond);

void BM_WallPlacementTypical(benchmark::State &state)
{
    const Project p = WithConditions(TwoStoreyHouse());
    const WallQuantityResult q = ComputeWallQuantities(p);
    for (auto _ : state) {
        WallPlacementResult r = ComputeWallPlacement(p, q);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_WallPlacementTypical)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
