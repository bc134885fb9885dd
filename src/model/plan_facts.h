#pragma once
// Facts of the plan derived from the project the same way wherever they are needed: the calculation,
// the screen's plan, the printed figures and frames. One definition each, so the printed label and
// the calculation can never disagree.

#include "model/project.h"

namespace rqx {

// A brace and a board in one span add up, but never beyond this.
inline constexpr float kMaxSpanMultiplier = 5.0f;

// The multiplier of the span stored at a node in a direction: brace + board, at most 5.0.
float SpanMultiplier(const NodeRecord &node, int direction);
inline float SpanMultiplier(const Project &p, int x, int y, int level, int direction)
{
    return SpanMultiplier(p.nodes(x, y, level), direction);
}

// Node counts of the grid in X and Y (the lines that exist in both the dimensions and the arrays).
int NodeCountX(const Project &p);
int NodeCountY(const Project &p);

// A grid line on a module boundary (every line when a module is not divided).
bool OnModuleLine(int index, int divisions);

// The first and the end node index (along the direction) of the wall a stored member belongs to; a member
// whose indices do not lie on the line (a damaged file) is the span itself.
void WallExtent(const Project &p, int direction, int own, int firstIndex, int lastIndex, int &first,
                int &end);

}  // namespace rqx
