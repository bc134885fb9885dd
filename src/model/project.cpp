#include "model/project.h"

#include <algorithm>

#include "model/beam_segment.h"
#include "model/project_values.h"

namespace rqx {

void RefreshDimensions(Project &project)
{
    const ProjectInfo &info = project.info;
    Dimensions &d = project.dims;
    d.spanCountX = info.spanCountX;
    d.spanCountY = info.spanCountY;
    d.floorCount = info.floorCount;
    d.divisions = info.divisions;
    d.spanLength = info.divisions != 0 ? info.moduleLength / static_cast<float>(info.divisions) : 0.0f;
}

void AllocateProjectArrays(Project &project)
{
    RefreshDimensions(project);
    const Dimensions &d = project.dims;
    const int nx = d.spanCountX + 1;
    const int ny = d.spanCountY + 1;
    const int nl = d.floorCount + 1;
    project.nodes.reset(nx, ny, nl);
    project.coords.reset(nx, ny, nl);
    project.grid.lineNameX = OneBasedArray<QString>(nx);
    project.grid.lineNameY = OneBasedArray<QString>(ny);
}

void InitNodeCoords(Project &project)
{
    const float span = project.dims.spanLength;
    Array3<NodeCoord> &c = project.coords;
    for (int level = 1; level <= c.sizeLevel(); ++level) {
        const float z = level <= 4 ? static_cast<float>(project.info.levelHeight[level]) : 0.0f;
        for (int j = 1; j <= c.sizeY(); ++j)
            for (int i = 1; i <= c.sizeX(); ++i)
                c(i, j, level) =
                    NodeCoord{static_cast<float>(i - 1) * span, static_cast<float>(j - 1) * span, z};
    }
}

void ResetProject(Project &project)
{
    AllocateProjectArrays(project);
    InitNodeCoords(project);
}

NodeCoord GetNodeCoord(const Project &project, int level, int x, int y)
{
    if (x < 1 || y < 1 || level < 1 || !project.coords.valid(x, y, level))
        return NodeCoord{};
    return project.coords(x, y, level);
}

void UpdateBeamSegments(Project &project)
{
    NodeArray &n = project.nodes;
    for (int level = 1; level <= n.sizeLevel(); ++level)
        for (int y = 1; y <= n.sizeY(); ++y)
            for (int x = 1; x <= n.sizeX(); ++x)
                for (int dir = kDirX; dir <= kDirY; ++dir) {
                    BeamInfo &b = n(x, y, level).beam[dir];
                    if (IsBeamPresent(b))
                        b.segment = BeamSegmentAt(project, x, y, level, dir);
                }
}

void UpdateOutlineMarks(Project &project, int level)
{
    NodeArray &n = project.nodes;
    if (level < 1 || level > n.sizeLevel())
        return;
    const int nx = n.sizeX();
    const int ny = n.sizeY();
    for (int y = 1; y <= ny; ++y)
        for (int x = 1; x <= nx; ++x) {
            n(x, y, level).outlineEdge[1] = 0;
            n(x, y, level).outlineEdge[2] = 0;
        }
    // Cells exist for lower-left nodes 1..nx-1 / 1..ny-1 only.
    auto floored = [&](int i, int j) {
        return i >= 1 && j >= 1 && i <= nx - 1 && j <= ny - 1 && n(i, j, level).cellFloor > 0;
    };
    for (int j = 1; j <= ny - 1; ++j)
        for (int i = 1; i <= nx - 1; ++i) {
            if (n(i, j, level).cellFloor <= 0)
                continue;
            if (!floored(i + 1, j))
                n(i + 1, j, level).outlineEdge[kDirY] = 1;  // right side
            if (!floored(i, j + 1))
                n(i, j + 1, level).outlineEdge[kDirX] = 1;  // upper side
            if (!floored(i - 1, j))
                n(i, j, level).outlineEdge[kDirY] = 1;  // left side
            if (!floored(i, j - 1))
                n(i, j, level).outlineEdge[kDirX] = 1;  // lower side
        }
}

int FlooredCellsAround(const Project &project, int x, int y, int level)
{
    const NodeArray &n = project.nodes;
    int count = 0;
    const int cells[4][2] = {{x, y}, {x - 1, y}, {x - 1, y - 1}, {x, y - 1}};
    for (const auto &c : cells) {
        if (c[0] < 1 || c[1] < 1 || !n.valid(c[0], c[1], level))
            continue;
        if (n(c[0], c[1], level).cellFloor >= 1)
            ++count;
    }
    return count;
}

bool IsCornerNode(const Project &project, int x, int y, int level)
{
    return FlooredCellsAround(project, x, y, level) <= 1;
}

void SetStartupDimensions(Project &project, int defaultGridCount)
{
    project.info.floorCount = 2;
    project.info.divisions = 2;
    project.info.moduleLength = 0.91f;
    project.info.spanCountX = 2 * defaultGridCount;
    project.info.spanCountY = 2 * defaultGridCount;
}

void ApplyNewProjectDefaults(Project &project, const AppState &state)
{
    SetStartupDimensions(project, state.defaultGridCount);
    GridInfo &g = project.grid;
    g.showRequiredWhenBlank = 0;
    g.useDoublePull = 1;
    const auto &def = state.defaultSettings;
    // A damaged defaults file gives a fresh start's value instead of one the project file refuses.
    auto within = [](int32_t value, int32_t lo, int32_t hi, int32_t fallback) {
        return value >= lo && value <= hi ? value : fallback;
    };
    g.lineStyleX = within(def[0], 0, 4, 1);
    g.lineStyleY = within(def[1], 0, 4, 1);
    g.lineStartX = def[2];
    g.lineStartY = def[3];
    g.lineReverseX = within(def[4], 0, 1, 0);
    g.lineReverseY = within(def[5], 0, 1, 0);
    g.lCoefficientMode = within(def[6], 0, 1, 0);
    g.crossBeamIgnored = within(def[7], 0, 1, 0);
    g.crossBeamNoWarning = within(def[8], 0, 1, 0);
    // The storey heights H1, H2 in millimetres (0 = not entered).
    project.info.levelHeight[1] = within(def[9], 0, kMaxLevelHeight, 0);
    project.info.levelHeight[2] = within(def[10], 0, kMaxLevelHeight, 0);
}

QString VersionText()
{
    return QStringLiteral("Ver.%1.%2.%3")
        .arg(VELM_VERSION_MAJOR)
        .arg(VELM_VERSION_MINOR)
        .arg(VELM_VERSION_REVISION);
}

}  // namespace rqx
