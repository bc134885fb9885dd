#pragma once
// One level of undo. An edit saves every node record it is about to change into project.undoNodes
// (same indices) before changing it; undo puts the members of those records back. Each edit
// overwrites the previous snapshot. Only the records an edit touches are copied, so an edit and
// its undo cost the same on the largest grid as on the smallest.

#include "editor/coords.h"
#include "editor/editor_state.h"
#include "model/project.h"

namespace rqx {

// Starts the snapshot of a new edit: forgets the previous one.
void beginSnapshot(Project &project, UndoState &undo);

// The record at (x, y, level), saved into the snapshot the first time an edit asks for it.
// Every change made by an edit goes through here. The node must exist.
NodeRecord &editableNode(Project &project, UndoState &undo, int x, int y, int level);

// Stores mode, tool and region of the edit just made; the "Undo" button is then enabled.
void recordUndo(Project &project, EditorState &editor, int editMode, int tool, const NodeRect &region);

// Nothing to undo; the "Undo" button is disabled. Also after New, Open and a grid-size change.
void clearUndo(EditorState &editor);

// True while the last edit can be taken back into this project's arrays.
bool canUndo(const Project &project, const UndoState &undo);

// The node rectangle of the edit that can be undone (plan positions, any level).
NodeRect undoRegion(const UndoState &undo);

// Exchanges the saved records with the current ones: called twice around a drawing of the
// pre-edit model, it leaves the project as it was.
void swapSnapshot(Project &project, UndoState &undo);

// The "Undo" command without drawing: puts the members saved by the last edit back (floors, walls,
// columns, beams; hardware texts and the calculation's marks written since stay), then clearUndo.
// False, with undo cleared, when there is nothing to undo or the members are no longer those the
// edit left (another project or another grid since).
bool undoLastEdit(Project &project, EditorState &editor);

}  // namespace rqx
