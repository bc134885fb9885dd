#include "model/plan_facts.h"

#include <algorithm>

namespace rqx {

float SpanMultiplier(const NodeRecord &node, int direction)
{
    const float sum = node.brace[direction].multiplier + node.board[direction].multiplier;
    return sum > kMaxSpanMultiplier ? kMaxSpanMultiplier : sum;
}

int NodeCountX(const Project &p)
{
    return std::min(p.dims.spanCountX + 1, p.nodes.sizeX());
}

int NodeCountY(const Project &p)
{
    return std::min(p.dims.spanCountY + 1, p.nodes.sizeY());
}

bool OnModuleLine(int index, int divisions)
{
    return divisions <= 1 || index % divisions == 1;
}

void WallExtent(const Project &p, int direction, int own, int firstIndex, int lastIndex, int &first, int &end)
{
    const int count = direction == kDirX ? NodeCountX(p) : NodeCountY(p);
    first = firstIndex;
    end = lastIndex + 1;
    if (first < 1 || end > count || first >= end || own < first || own >= end) {
        first = own;
        end = own + 1;
    }
}

}  // namespace rqx
