// The member containing a segment: beams run from support to support, walls as drawn.
#include "calc/member_extent.h"

#include <gtest/gtest.h>

#include "support/house_builder.h"

using namespace rqx;
using namespace rqx::samples;

TEST(MemberExtent, FloorBeamRunsFromSupportToSupport)
{
    Project p = NewProject(8, 4, 2, 2, LineNames::kNone);
    // Second-storey floor beam along y = 2 from x = 1 to x = 8; first-storey columns at x = 1
    // and x = 4 are supports, x = 8 is the run's end.
    PlaceBeam(p, 2, kDirX, 2, 1, 8);
    PlaceColumn(p, 1, 1, 2);
    PlaceColumn(p, 1, 4, 2);
    PlaceColumn(p, 2, 6, 2);  // an upper column is no support

    MemberExtent m = FindBeamExtent(p, Calculate(p).beamSegments, 2, kDirX, 2, 2);  // middle of 1..4
    EXPECT_EQ(m.first, 1);
    EXPECT_EQ(m.last, 3);
    EXPECT_FLOAT_EQ(m.span, 3 * 0.455f);
    m = FindBeamExtent(p, Calculate(p).beamSegments, 2, kDirX, 4, 2);  // first segment of 4..8
    EXPECT_EQ(m.first, 4);
    EXPECT_EQ(m.last, 7);
    EXPECT_FLOAT_EQ(m.span, 4 * 0.455f);
    m = FindBeamExtent(p, Calculate(p).beamSegments, 2, kDirX, 7, 2);  // last segment of 4..8
    EXPECT_EQ(m.first, 4);
    EXPECT_EQ(m.last, 7);
}

TEST(MemberExtent, NoMemberGivesSpanZero)
{
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceBeam(p, 2, kDirY, 3, 1, 3);
    MemberExtent m = FindBeamExtent(p, Calculate(p).beamSegments, 2, kDirY, 3, 3);
    EXPECT_EQ(m.span, 0.0f);
    EXPECT_EQ(m.first, 0);
    EXPECT_EQ(m.last, 0);
    // The beam exists in Y only.
    EXPECT_EQ(FindBeamExtent(p, Calculate(p).beamSegments, 2, kDirX, 3, 1).span, 0.0f);
    // Single-span member: the segment itself.
    PlaceColumn(p, 1, 3, 2);
    m = FindBeamExtent(p, Calculate(p).beamSegments, 2, kDirY, 3, 2);
    EXPECT_EQ(m.first, 2);
    EXPECT_EQ(m.last, 2);
    EXPECT_FLOAT_EQ(m.span, 0.455f);
}

TEST(MemberExtent, BeamsOfAnyPresentValueFormOneRun)
{
    // The beam tool writes the chosen item into present; any value from 1 up is a beam.
    Project p = NewProject(4, 4, 2, 2, LineNames::kNone);
    PlaceBeam(p, 2, kDirX, 1, 1, 4);
    p.nodes(2, 1, 2).beam[kDirX].present = 2;
    const MemberExtent m = FindBeamExtent(p, Calculate(p).beamSegments, 2, kDirX, 2, 1);
    EXPECT_EQ(m.first, 1);
    EXPECT_EQ(m.last, 3);
    EXPECT_FLOAT_EQ(m.span, 3 * 0.455f);
}

TEST(MemberExtent, WallsFollowTheirStoredPositions)
{
    Project p = NewProject(6, 6, 1, 2, LineNames::kNone);
    PlaceWall(p, 1, kDirY, 2, 2, 6, kKeyTasuki, 2);  // four spans 2..5
    PlaceWall(p, 1, kDirY, 2, 2, 3, kKeyMenzai, 3);  // one span, same line
    MemberExtent m = FindMemberExtent(p, kMemberBrace, 1, kDirY, 2, 4);
    EXPECT_EQ(m.first, 2);
    EXPECT_EQ(m.last, 5);
    EXPECT_FLOAT_EQ(m.span, 4 * 0.455f);
    m = FindMemberExtent(p, kMemberBoard, 1, kDirY, 2, 2);
    EXPECT_EQ(m.first, 2);
    EXPECT_EQ(m.last, 2);
    EXPECT_EQ(FindMemberExtent(p, kMemberBoard, 1, kDirY, 2, 3).span, 0.0f);
}

TEST(MemberExtent, InconsistentPositionsNeverJumpAGap)
{
    // Positions written by hand (a file): "first" with no "last" after it, then a gap.
    Project p = NewProject(6, 2, 1, 2, LineNames::kNone);
    PlaceWall(p, 1, kDirX, 1, 1, 3, kKeyMenzai, 2);
    PlaceWall(p, 1, kDirX, 1, 4, 6, kKeyMenzai, 2);
    p.nodes(2, 1, 1).board[kDirX].segment = 2;  // should have been 3
    const MemberExtent m = FindMemberExtent(p, kMemberBoard, 1, kDirX, 1, 1);
    EXPECT_EQ(m.first, 1);
    EXPECT_EQ(m.last, 2);
}
