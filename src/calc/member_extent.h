#pragma once
// The member (a brace wall, a board wall or a beam) that contains one segment: where it begins,
// where its last segment starts and how long it is.

#include "model/project.h"

namespace rqx {

inline constexpr int kMemberBrace = 1;
inline constexpr int kMemberBoard = 2;
inline constexpr int kMemberBeam = 4;

struct MemberExtent {
    int first = 0;      // index along d of the member's first node
    int last = 0;       // index along d at which the member's last segment starts
    float span = 0.0f;  // distance from node first to node last+1; 0 = no member on that segment
};

// The member of the given kind containing the segment that starts at node (x, y) in direction d
// on this level. Beams use the positions UpdateBeamSegments wrote; walls the positions the editor
// stored. span 0 (first and last 0) when the segment holds no such member.
MemberExtent FindMemberExtent(const Project &project, int kind, int level, int d, int x, int y);

}  // namespace rqx
