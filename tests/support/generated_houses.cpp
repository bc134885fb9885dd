#include "support/generated_houses.h"

#include <random>

#include "support/house_builder.h"

namespace rqx::samples {

namespace {

const QString kLabels[] = {QStringLiteral("(い)"), QStringLiteral("(ろ)"), QStringLiteral("(は)"),
                           QStringLiteral("(に)"), QStringLiteral("(ほ)"), QStringLiteral("(へ)"),
                           QStringLiteral("(と)"), QStringLiteral("(ち)"), QStringLiteral("(り)"),
                           QStringLiteral("(ぬ)"), QStringLiteral("(る)*")};

}  // namespace

HouseShape GeneratedShape(unsigned seed, int divisions, int lMode, int crossBeamIgnored)
{
    std::mt19937 rng(seed);
    HouseShape s;
    s.modulesX = std::uniform_int_distribution<int>(2, 8)(rng);
    s.modulesY = std::uniform_int_distribution<int>(2, 8)(rng);
    s.floors = std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? 1 : 2;
    s.divisions = divisions;
    s.lMode = lMode;
    s.crossBeamIgnored = crossBeamIgnored;
    return s;
}

Project GeneratedHouse(const HouseShape &shape, unsigned seed)
{
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int div = shape.divisions;
    const int nx = shape.modulesX * div;
    const int ny = shape.modulesY * div;
    Project p = NewProject(nx, ny, shape.floors, div, LineNames::kNumberedIroha);
    p.grid.lCoefficientMode = shape.lMode;
    p.grid.crossBeamIgnored = shape.crossBeamIgnored;
    p.info.buildingName = QStringLiteral("生成邸%1").arg(seed);
    PlaceFloor(p, 1, 1, 1, nx + 1, ny + 1, 1);

    // The second storey over a rectangle of whole modules, one of its cells a void now and then.
    int ux1 = 1, uy1 = 1, ux2 = nx + 1, uy2 = ny + 1;
    if (shape.floors == 2) {
        ux1 = 1 + div * pick(0, shape.modulesX / 3);
        uy1 = 1 + div * pick(0, shape.modulesY / 3);
        ux2 = nx + 1 - div * pick(0, shape.modulesX / 3);
        uy2 = ny + 1 - div * pick(0, shape.modulesY / 3);
        PlaceFloor(p, 2, ux1, uy1, ux2, uy2, 1);
        if (pick(0, 1) == 1)
            PlaceFloor(p, 2, ux1, uy1, ux1 + div, uy1 + div, 2);
    }

    // Walls along module lines, a module or two long, with their linked columns and beams.
    const QString keys[] = {kKeyKesa, kKeyTasuki, kKeyMenzai};
    for (int level = 1; level <= shape.floors; ++level) {
        const int x1 = level == 1 ? 1 : ux1, x2 = level == 1 ? nx + 1 : ux2;
        const int y1 = level == 1 ? 1 : uy1, y2 = level == 1 ? ny + 1 : uy2;
        for (int dir = kDirX; dir <= kDirY; ++dir) {
            const int lineLo = dir == kDirX ? y1 : x1, lineHi = dir == kDirX ? y2 : x2;
            const int alongLo = dir == kDirX ? x1 : y1, alongHi = dir == kDirX ? x2 : y2;
            for (int line = lineLo; line <= lineHi; line += div) {
                for (int from = alongLo; from < alongHi;) {
                    const int len = div * pick(1, 2);
                    const int to = std::min(from + len, alongHi);
                    if (pick(0, 2) > 0) {
                        const QString &key = keys[pick(0, 2)];
                        const int kind = key == kKeyMenzai ? pick(1, 10) : pick(1, 4);
                        WallOptions o;
                        o.towardLower = pick(0, 1) == 1;
                        o.linked = true;
                        PlaceWall(p, level, dir, line, from, to, key, kind, o);
                        // Now and then a board shares the brace's spans.
                        if (key != kKeyMenzai && pick(0, 3) == 0)
                            PlaceWall(p, level, dir, line, from, to, kKeyMenzai, pick(1, 6));
                    }
                    from = to;
                }
            }
        }
    }
    // Loose columns on sub-grid nodes, and a few through columns.
    for (int level = 1; level <= shape.floors; ++level) {
        const int loose = pick(0, (nx + ny) / 2);
        for (int i = 0; i < loose; ++i) {
            const int x = level == 1 ? pick(1, nx + 1) : pick(ux1, ux2);
            const int y = level == 1 ? pick(1, ny + 1) : pick(uy1, uy2);
            if (p.nodes(x, y, level).columnKind == 0)
                PlaceColumn(p, level, x, y, shape.floors == 2 && pick(0, 5) == 0 ? 2 : 1);
        }
    }
    // Placed hardware on about half the columns, any class.
    for (int level = 1; level <= shape.floors; ++level)
        for (int y = 1; y <= ny + 1; ++y)
            for (int x = 1; x <= nx + 1; ++x)
                if (p.nodes(x, y, level).columnKind > 0 && pick(0, 1) == 1)
                    SetHardware(p, level, x, y, QString(), kLabels[pick(0, 10)],
                                pick(0, 2) == 0 ? QString() : kLabels[pick(0, 10)]);
    FinishAsSaved(p);
    return p;
}

Project InEarlierFileForm(Project p)
{
    for (NodeRecord &n : p.nodes)
        for (int d = kDirX; d <= kDirY; ++d) {
            n.beam[d].present = -n.beam[d].present;
            n.beam[d].segment = -n.beam[d].segment;
        }
    p.grid.lineStyleX = 0;
    p.grid.lineStyleY = 0;
    p.grid.lineStartX = 0;
    p.grid.lineStartY = -7;
    return p;
}

}  // namespace rqx::samples
