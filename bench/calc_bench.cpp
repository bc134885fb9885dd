// The calculation every result view reads (beam positions, wall sides, N values, wall lines) on the largest
// project the dialogs allow and on a typical house.
// Targets on the project machine: under 20 ms for the largest, under 0.2 ms for the typical house.
#include <benchmark/benchmark.h>

#include "calc/calculation.h"
#include "support/house_builder.h"

using namespace rqx;
using namespace rqx::samples;

namespace {

struct TurnWall {
    QString key;
    WallOptions options;
};

// The wall kinds in turn: single braces rising toward the higher and the lower index, a cross brace, a board.
const TurnWall &WallOfTurn(int turn)
{
    static const TurnWall walls[] = {
        {kKeyKesa, {}}, {kKeyKesa, {.towardLower = true}}, {kKeyTasuki, {}}, {kKeyMenzai, {}}};
    return walls[turn % 4];
}

// Walls of every kind in turn on every span of the storey's lines through `onLine` nodes.
void WallsOnLines(Project &p, int level, int every)
{
    const int nx = p.dims.spanCountX;
    const int ny = p.dims.spanCountY;
    int turn = 0;
    for (int y = 1; y <= ny + 1; y += every)
        for (int x = 1; x <= nx; ++x, ++turn) {
            const TurnWall &w = WallOfTurn(turn);
            PlaceWall(p, level, kDirX, y, x, x + 1, w.key, w.key == kKeyMenzai ? 1 + turn % 10 : 1 + turn % 4,
                      w.options);
            if (turn % 3 == 0)
                PlaceWall(p, level, kDirX, y, x, x + 1, kKeyMenzai, 1 + turn % 10);
        }
    for (int x = 1; x <= nx + 1; x += every)
        for (int y = 1; y <= ny; ++y, ++turn) {
            const TurnWall &w = WallOfTurn(turn);
            PlaceWall(p, level, kDirY, x, y, y + 1, w.key, w.key == kKeyMenzai ? 1 + turn % 10 : 1 + turn % 4,
                      w.options);
        }
}

void BeamsOnLines(Project &p, int level, int every)
{
    for (int y = 1; y <= p.dims.spanCountY + 1; y += every)
        PlaceBeam(p, level, kDirX, y, 1, p.dims.spanCountX + 1);
    for (int x = 1; x <= p.dims.spanCountX + 1; x += every)
        PlaceBeam(p, level, kDirY, x, 1, p.dims.spanCountY + 1);
}

// 30 × 30 modules, 4 divisions (120 × 120 spans), two storeys, fully floored. Walls on every
// grid line of both storeys, beams on every span of both beam planes. First-storey columns on
// every node of the module lines; second-storey columns on every other node of the whole grid,
// so that many of them stand on beams over no first-storey column and pass their pull-out
// along and across the floor beams.
Project LargestHouse()
{
    Project p = NewProject(120, 120, 2, 4, LineNames::kNone);
    for (int level = 1; level <= 2; ++level) {
        PlaceFloor(p, level, 1, 1, 121, 121);
        WallsOnLines(p, level, 1);
    }
    BeamsOnLines(p, 2, 1);
    BeamsOnLines(p, 3, 1);
    for (int y = 1; y <= 121; ++y)
        for (int x = 1; x <= 121; ++x) {
            if ((x - 1) % 4 == 0 || (y - 1) % 4 == 0)
                PlaceColumn(p, 1, x, y);
            if ((x + y) % 2 == 1)
                PlaceColumn(p, 2, x, y);
        }
    return p;
}

// The largest grid again, with first-storey columns on every other node of the module lines
// only: the floor beams between the even lines rest on no column at all, so most second-storey
// columns are not carried and every search runs to the far end of its grid line.
Project LargestUnsupportedHouse()
{
    Project p = LargestHouse();
    for (int y = 1; y <= 121; ++y)
        for (int x = 1; x <= 121; ++x)
            if ((x + y) % 2 == 1 && p.nodes(x, y, 1).columnKind == 1)
                p.nodes(x, y, 1).columnKind = 0;
    return p;
}

// 10 × 10 modules, 2 divisions (20 × 20 spans), two storeys. Walls and beams on the module
// lines; about 60 columns per storey: on the outline and the two middle lines, the second
// storey's shifted by one span along the middle lines so that some stand on beams between
// first-storey columns.
Project TypicalHouse()
{
    Project p = NewProject(20, 20, 2, 2, LineNames::kNone);
    PlaceFloor(p, 1, 1, 1, 21, 21);
    PlaceFloor(p, 2, 1, 1, 15, 21);
    for (int level = 1; level <= 2; ++level)
        WallsOnLines(p, level, 2);
    BeamsOnLines(p, 2, 2);
    BeamsOnLines(p, 3, 2);
    for (int y = 1; y <= 21; ++y)
        for (int x = 1; x <= 21; ++x) {
            const bool outline = x == 1 || x == 21 || y == 1 || y == 21;
            const bool middle = x == 11 || y == 11;
            if ((outline && (x + y) % 2 == 0) || (middle && x % 2 == 1 && y % 2 == 1 && (x + y) % 4 == 2))
                PlaceColumn(p, 1, x, y);
            if (x <= 15 && ((outline && (x + y) % 2 == 0) || (x == 15 && y % 2 == 1) ||
                            (middle && x % 2 == 1 && y % 2 == 1 && (x + y) % 4 == 0)))
                PlaceColumn(p, 2, x, y);
        }
    return p;
}

void RunSequence(benchmark::State &state, const Project p)
{
    Calculation c;
    for (auto _ : state) {
        Calculate(p, c);  // as the document calculates after every change, into the arrays it has
        benchmark::DoNotOptimize(c.results(1, 1, 1));
    }
    state.counters["columns1"] = c.columnCount[1];
    state.counters["columns2"] = c.columnCount[2];
    int notCarried = 0;
    for (const ColumnResult &r : c.results)
        notCarried += r.notCarried;
    state.counters["notCarried"] = notCarried;
}

void BM_CalculationLargest(benchmark::State &state)
{
    RunSequence(state, LargestHouse());
}
void BM_CalculationLargestUnsupported(benchmark::State &state)
{
    RunSequence(state, LargestUnsupportedHouse());
}
void BM_CalculationTypical(benchmark::State &state)
{
    RunSequence(state, TypicalHouse());
}

}  // namespace

BENCHMARK(BM_CalculationLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculationLargestUnsupported)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculationTypical)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
