#pragma once
// Area deletion: which members of the dragged rectangle are removed, and the question asked first.

#include <QString>

#include "document/project_document.h"
#include "editor/coords.h"
#include "editor/editor_state.h"
#include "model/project.h"

namespace rqx {

// What the rectangle removes, as named in the confirmation: "床", "筋かい", "面材耐力壁",
// "筋かい と 面材耐力壁", "柱" or "梁".
QString groupDeleteLabel(const EditorState &editor);

// "(X1,Y1) - (X2,Y2) 内の「label」をグループ削除します。" with the line names of the start and end
// nodes as dragged.
QString groupDeleteConfirmation(const Project &project, const EditorState &editor);

// Removes the members of the current tool inside the rectangle (nodes, clamped to the grid) at
// level, recording every record it changes:
// floors: the cells of the rectangle; walls of the handled kinds: those lying wholly inside it,
// whole; columns: every column of the rectangle, a through column on both storeys; beams: the four
// beams touching every node, also where they reach one span outside.
void applyGroupDelete(Project &project, NodeRecorder &recorder, const EditorState &editor, int level,
                      const NodeRect &rect);

}  // namespace rqx
