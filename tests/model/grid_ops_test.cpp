#include "model/grid_ops.h"

#include <gtest/gtest.h>

using namespace rqx;

namespace {

Project StartupProject()
{
    Project p;
    SetStartupDimensions(p, 10);  // 20 × 20 spans, 2 divisions, 2 storeys
    ResetProject(p);
    return p;
}

// Stores a wall of spans first..last (span starts) along dir on the line `across`.
void PlaceWall(Project &p, int level, int dir, int across, int first, int last, bool board)
{
    for (int i = first; i <= last; ++i) {
        NodeRecord &n = dir == kDirX ? p.nodes(i, across, level) : p.nodes(across, i, level);
        WallMember &w = board ? n.board[dir] : n.brace[dir];
        w.kind = 3;
        w.firstIndex = first;
        w.lastIndex = last;
        w.key = board ? kKeyMenzai : kKeyTasuki;
        w.code = board ? 4 : 3;
        w.segment = first == last ? 0 : i == first ? 1 : i == last ? 3 : 2;
        w.multiplier = 4.0f;
    }
}

}  // namespace

TEST(ResizeGrid, ShrinkingCutsWallsAndBeamsAtTheNewEdge)
{
    Project p = StartupProject();
    PlaceWall(p, 1, kDirX, 1, 17, 20, false);  // spans 17..20 on Y line 1
    PlaceWall(p, 1, kDirX, 3, 18, 20, true);   // spans 18..20 on Y line 3
    PlaceWall(p, 1, kDirY, 19, 1, 2, true);    // along Y on the future edge line x = 19
    p.nodes(19, 1, 1).columnKind = 1;
    p.nodes(19, 1, 1).hardware[0] = "(ろ)";
    p.nodes(19, 5, 1).cellFloor = 1;
    p.nodes(18, 5, 1).cellFloor = 2;
    for (int x = 15; x <= 20; ++x)
        p.nodes(x, 1, 2).beam[kDirX] = BeamInfo{1, 1};

    ResizeGrid(p, 18, 20);  // one module less in X: the new right edge is node 19

    EXPECT_EQ(p.info.spanCountX, 18);
    EXPECT_EQ(p.dims.spanCountX, 18);
    EXPECT_EQ(p.nodes.sizeX(), 19);

    // The four-span brace keeps spans 17 and 18: a two-span wall 17..18.
    const WallMember &a = p.nodes(17, 1, 1).brace[kDirX];
    const WallMember &b = p.nodes(18, 1, 1).brace[kDirX];
    EXPECT_EQ(a.lastIndex, 18);
    EXPECT_EQ(a.segment, 1);
    EXPECT_EQ(b.firstIndex, 17);
    EXPECT_EQ(b.lastIndex, 18);
    EXPECT_EQ(b.segment, 3);
    EXPECT_EQ(b.key, kKeyTasuki);
    EXPECT_EQ(p.nodes(19, 1, 1).brace[kDirX], WallMember{});

    // The three-span board keeps only span 18: a single-span wall.
    const WallMember &c = p.nodes(18, 3, 1).board[kDirX];
    EXPECT_EQ(c.firstIndex, 18);
    EXPECT_EQ(c.lastIndex, 18);
    EXPECT_EQ(c.segment, 0);
    EXPECT_EQ(p.nodes(19, 3, 1).board[kDirX], WallMember{});

    // On the edge: the Y-direction wall, the column and its hardware stay; the cell floor goes.
    EXPECT_EQ(p.nodes(19, 1, 1).board[kDirY].segment, 1);
    EXPECT_EQ(p.nodes(19, 2, 1).board[kDirY].segment, 3);
    EXPECT_EQ(p.nodes(19, 1, 1).columnKind, 1);
    EXPECT_EQ(p.nodes(19, 1, 1).hardware[0], "(ろ)");
    EXPECT_EQ(p.nodes(19, 5, 1).cellFloor, 0);
    EXPECT_EQ(p.nodes(18, 5, 1).cellFloor, 2);

    // Beam spans 15..18 remain as one run without supports: first, middle, middle, last.
    EXPECT_EQ(p.nodes(15, 1, 2).beam[kDirX].segment, 1);
    EXPECT_EQ(p.nodes(16, 1, 2).beam[kDirX].segment, 2);
    EXPECT_EQ(p.nodes(18, 1, 2).beam[kDirX].segment, 3);
    EXPECT_EQ(p.nodes(19, 1, 2).beam[kDirX], BeamInfo{});
}

TEST(ResizeGrid, ShrinkingYCutsWallsAlongY)
{
    Project p = StartupProject();
    PlaceWall(p, 2, kDirY, 2, 17, 20, false);
    ResizeGrid(p, 20, 18);
    EXPECT_EQ(p.nodes.sizeY(), 19);
    EXPECT_EQ(p.nodes(2, 17, 2).brace[kDirY].segment, 1);
    EXPECT_EQ(p.nodes(2, 18, 2).brace[kDirY].segment, 3);
    EXPECT_EQ(p.nodes(2, 18, 2).brace[kDirY].lastIndex, 18);
    EXPECT_EQ(p.nodes(2, 19, 2).brace[kDirY], WallMember{});
}

TEST(ResizeGrid, GrowingKeepsEveryRecordAndAddsEmptySpans)
{
    Project p = StartupProject();
    PlaceWall(p, 1, kDirX, 21, 1, 20, false);  // along the old top edge
    PlaceWall(p, 1, kDirY, 21, 1, 20, true);   // along the old right edge
    p.nodes(21, 21, 1).columnKind = 2;
    p.nodes(21, 21, 1).throughOrigin = 1;
    p.nodes(20, 20, 1).cellFloor = 1;
    const NodeArray before = p.nodes;

    ResizeGrid(p, 24, 22);

    EXPECT_EQ(p.nodes.sizeX(), 25);
    EXPECT_EQ(p.nodes.sizeY(), 23);
    EXPECT_EQ(p.nodes.sizeLevel(), 3);
    for (int level = 1; level <= 3; ++level)
        for (int y = 1; y <= 21; ++y)
            for (int x = 1; x <= 21; ++x)
                ASSERT_EQ(p.nodes(x, y, level), before(x, y, level)) << x << "," << y << "," << level;
    EXPECT_EQ(p.nodes(25, 23, 1), NodeRecord{});
    EXPECT_EQ(p.nodes(22, 1, 1), NodeRecord{});
}
