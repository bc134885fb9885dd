#pragma once
// The replacement rule for braced and board walls: a wall may be drawn over, or deleted from, spans
// that already hold walls only when those walls have exactly its extent.

#include <QString>

#include "editor/coords.h"
#include "model/project.h"

namespace rqx {

struct OverlapCheck {
    bool refused = false;
    QString message;  // shown with an OK button when refused
};

// Walks the spans of the ordered span (along X when iy1 = iy2, else along Y) at level; memberKey is
// the chosen member ("Kesa"/"Tasuki" brace, "Menzai" board), editMode 0 placing, else deleting.
OverlapCheck checkWallOverlap(const Project &project, int level, const QString &memberKey, EditMode editMode,
                              const NodeRect &span);

}  // namespace rqx
