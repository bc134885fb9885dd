#include "model/project.h"

#include <gtest/gtest.h>

using namespace rqx;

namespace {

Project StartupProject()
{
    Project p;
    SetStartupDimensions(p, 10);
    ResetProject(p);
    return p;
}

}  // namespace

TEST(ProjectModel, StartupGridIsTwoStoreysOf20By20HalfModules)
{
    Project p = StartupProject();
    EXPECT_EQ(p.dims.spanCountX, 20);
    EXPECT_EQ(p.dims.floorCount, 2);
    EXPECT_FLOAT_EQ(p.dims.spanLength, 0.455f);
    EXPECT_EQ(p.nodes.sizeX(), 21);
    EXPECT_EQ(p.nodes.sizeY(), 21);
    EXPECT_EQ(p.nodes.sizeLevel(), 3);
    EXPECT_EQ(p.nodes.count(), 21u * 21u * 3u);
    EXPECT_EQ(p.grid.lineNameX.size(), 21);
}

TEST(ProjectModel, NodeArrayIsStoredXFastestThenYThenLevel)
{
    Array3<int> a(3, 2, 2);
    a(2, 1, 1) = 1;
    a(1, 2, 1) = 2;
    a(1, 1, 2) = 3;
    EXPECT_EQ(a.data()[1], 1);
    EXPECT_EQ(a.data()[3], 2);
    EXPECT_EQ(a.data()[6], 3);
}

TEST(ProjectModel, NodeCoordsFollowSpanLengthAndLevelHeight)
{
    Project p;
    SetStartupDimensions(p, 10);
    p.info.levelHeight[2] = 3;
    ResetProject(p);
    NodeCoord c = GetNodeCoord(p, 2, 3, 5);
    EXPECT_FLOAT_EQ(c.x, 2 * 0.455f);
    EXPECT_FLOAT_EQ(c.y, 4 * 0.455f);
    EXPECT_FLOAT_EQ(c.z, 3.0f);
    NodeCoord none = GetNodeCoord(p, 1, 0, 5);
    EXPECT_EQ(none, NodeCoord{});
    EXPECT_EQ(GetNodeCoord(p, 0, 1, 1), NodeCoord{});
}

TEST(ProjectModel, CornerRuleCountsFlooredCellsAroundTheNode)
{
    Project p = StartupProject();
    EXPECT_TRUE(IsCornerNode(p, 5, 5, 1));  // no floor at all
    p.nodes(5, 5, 1).cellFloor = 1;         // one cell: outside corner
    EXPECT_TRUE(IsCornerNode(p, 5, 5, 1));
    p.nodes(4, 5, 1).cellFloor = 2;  // a void counts like a floor: straight edge
    EXPECT_FALSE(IsCornerNode(p, 5, 5, 1));
    // A node on the grid edge never looks at cells with index 0.
    p.nodes(1, 1, 1).cellFloor = 1;
    EXPECT_EQ(FlooredCellsAround(p, 1, 1, 1), 1);
}

TEST(ProjectModel, BeamSegmentsBreakAtSupportsAndRunEnds)
{
    Project p = StartupProject();
    // Floor beams on level 2 from x = 2 to x = 5 (three spans), a first-storey column at x = 3.
    for (int x = 2; x <= 4; ++x)
        p.nodes(x, 4, 2).beam[kDirX].present = 1;
    p.nodes(3, 4, 1).columnKind = 1;
    // A lone level-1 beam span: level 1 reads its own columns.
    p.nodes(7, 7, 1).beam[kDirY].present = 1;
    p.nodes(7, 7, 1).columnKind = 1;
    // Beam at the last span of the grid: no next span.
    p.nodes(20, 10, 3).beam[kDirX].present = 1;
    p.nodes(19, 10, 3).beam[kDirX].present = 1;
    UpdateBeamSegments(p);
    EXPECT_EQ(p.nodes(2, 4, 2).beam[kDirX].segment, 0);  // run ends at x = 3 (column below)
    EXPECT_EQ(p.nodes(3, 4, 2).beam[kDirX].segment, 1);  // starts at the support, continues
    EXPECT_EQ(p.nodes(4, 4, 2).beam[kDirX].segment, 3);
    EXPECT_EQ(p.nodes(7, 7, 1).beam[kDirY].segment, 0);
    EXPECT_EQ(p.nodes(19, 10, 3).beam[kDirX].segment, 1);
    EXPECT_EQ(p.nodes(20, 10, 3).beam[kDirX].segment, 3);
}

TEST(ProjectModel, BeamRunOfThreeWithoutSupportsHasFirstMiddleLast)
{
    Project p = StartupProject();
    for (int y = 2; y <= 4; ++y)
        p.nodes(6, y, 3).beam[kDirY].present = 1;
    UpdateBeamSegments(p);
    EXPECT_EQ(p.nodes(6, 2, 3).beam[kDirY].segment, 1);
    EXPECT_EQ(p.nodes(6, 3, 3).beam[kDirY].segment, 2);
    EXPECT_EQ(p.nodes(6, 4, 3).beam[kDirY].segment, 3);
}

TEST(ProjectModel, OutlineMarksTraceTheFlooredArea)
{
    Project p = StartupProject();
    // An L of three cells: (2,2), (3,2), (2,3).
    p.nodes(2, 2, 1).cellFloor = 1;
    p.nodes(3, 2, 1).cellFloor = 1;
    p.nodes(2, 3, 1).cellFloor = 2;
    p.nodes(9, 9, 1).outlineEdge[1] = 1;  // stale mark is cleared
    UpdateOutlineMarks(p, 1);
    EXPECT_EQ(p.nodes(9, 9, 1).outlineEdge[1], 0);
    EXPECT_EQ(p.nodes(2, 2, 1).outlineEdge[kDirX], 1);  // bottom of (2,2)
    EXPECT_EQ(p.nodes(3, 2, 1).outlineEdge[kDirX], 1);  // bottom of (3,2)
    EXPECT_EQ(p.nodes(2, 2, 1).outlineEdge[kDirY], 1);  // left of (2,2)
    EXPECT_EQ(p.nodes(2, 3, 1).outlineEdge[kDirY], 1);  // left of (2,3)
    EXPECT_EQ(p.nodes(4, 2, 1).outlineEdge[kDirY], 1);  // right of (3,2)
    EXPECT_EQ(p.nodes(3, 3, 1).outlineEdge[kDirX], 1);  // top of (3,2)
    EXPECT_EQ(p.nodes(3, 3, 1).outlineEdge[kDirY], 1);  // right of (2,3)
    EXPECT_EQ(p.nodes(2, 4, 1).outlineEdge[kDirX], 1);  // top of (2,3)
    EXPECT_EQ(p.nodes(3, 2, 1).outlineEdge[kDirY], 0);  // inner edge between (2,2) and (3,2)
    EXPECT_EQ(p.nodes(2, 3, 1).outlineEdge[kDirX], 0);  // inner edge between (2,2) and (2,3)
}

TEST(ProjectModel, OutlineAtTheGridEdgeIsMarked)
{
    Project p = StartupProject();
    p.nodes(20, 20, 2).cellFloor = 1;  // last cell of the grid
    UpdateOutlineMarks(p, 2);
    EXPECT_EQ(p.nodes(21, 20, 2).outlineEdge[kDirY], 1);
    EXPECT_EQ(p.nodes(20, 21, 2).outlineEdge[kDirX], 1);
}

TEST(ProjectModel, NewProjectDefaultsComeFromDefaultSettings)
{
    Project p;
    AppState s;
    s.defaultSettings = {3, 2, 5, 7, 1, 0, 1, 1, 0};
    p.grid.useDoublePull = 0;
    ApplyNewProjectDefaults(p, s);
    EXPECT_EQ(p.info.spanCountX, 20);
    EXPECT_EQ(p.grid.lineStyleX, 3);
    EXPECT_EQ(p.grid.lineStartY, 7);
    EXPECT_EQ(p.grid.lineReverseX, 1);
    EXPECT_EQ(p.grid.lCoefficientMode, 1);
    EXPECT_EQ(p.grid.crossBeamIgnored, 1);
    EXPECT_EQ(p.grid.useDoublePull, 1);
    EXPECT_EQ(VersionText(), QStringLiteral("Ver.1.0.1"));
}
