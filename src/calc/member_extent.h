#pragma once
// The member (a brace wall, a board wall or a beam) that contains one segment: where it begins,
// where its last segment starts and how long it is.

#include "calc/calculation.h"

namespace rqx {

inline constexpr int kMemberBrace = 1;
inline constexpr int kMemberBoard = 2;
inline constexpr int kMemberBeam = 4;

struct MemberExtent {
    int first = 0;      // index along d of the member's first node
    int last = 0;       // index along d at which the member's last segment starts
    float span = 0.0f;  // distance from node first to node last+1; 0 = no member on that segment
};

// The wall member of the given kind (kMemberBrace or kMemberBoard) containing the segment that starts at
// node (x, y) in direction d on this level, by the positions the editor stored. span 0 (first and last 0)
// when the segment holds no such member.
MemberExtent FindMemberExtent(const Project &project, int kind, int level, int d, int x, int y);
// The beam member containing that segment, by the positions the calculation found.
MemberExtent FindBeamExtent(const Project &project, const Array3<BeamSegmentPair> &segments, int level, int d,
                            int x, int y);

}  // namespace rqx
