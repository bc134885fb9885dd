#pragma once
// Member placement on the plan: which wall kinds an edit handles, the placing rules, the change of
// the model for every tool and mode, the splitting of board walls at columns and the warning about
// hardware under a new through column.

#include <QString>

#include "editor/coords.h"
#include "document/project_document.h"
#include "editor/editor_state.h"
#include "model/project.h"

namespace rqx {

// Refusals of the placing rules.
inline constexpr int kRefuseOrthogonalWall = 1;  // wall ending inside an orthogonal wall
inline constexpr int kRefuseColumnInside = 2;    // column strictly inside the new wall
inline constexpr int kRefuseColumnOnWall = 3;    // column inside an existing wall

struct Refusal {
    int code = 0;  // 0 allowed
    QString message;
};

struct WallKinds {
    bool braces = false;
    bool boards = false;
};

struct EditOutcome {
    bool applied = false;
    NodeRect region;    // nodes whose drawing may have changed (plan positions, clamped to the grid)
    NodeChange change;  // the records it changed, before and after: the caller makes it a step
};

// What stands between a finished span and its edit: for the wall tool the replacement rule, then
// when placing the placing rules; nothing when the span is no edit. A refusal by the replacement
// rule also ends a deletion chosen from the right-click menu.
struct SpanVerdict {
    bool allowed = true;
    bool byReplacementRule = false;
    QString message;
};

// The span in progress ordered low to high; for the wall and beam tools forced onto the line of the
// axis lock.
NodeRect orderedSpan(const EditorState &editor);

// The message of a wall deletion on a line that holds no wall of the kinds it deletes ("指定した位置
// には、削除する面材がありません。"), or empty when there is one to delete.
QString nothingToDeleteText(const Project &project, int floor, const EditorState &editor, const NodeRect &span);
SpanVerdict checkSpan(const Project &project, int floor, const EditorState &editor, EditMode editMode,
                      const NodeRect &span);

// Wall kinds an edit in editMode touches: the chosen member's kind when placing; when deleting both
// with "筋かい・面材を同時に削除", the right-click menu's choice for a deletion started from it.
WallKinds handledWallKinds(const EditorState &editor, EditMode editMode);

// Level on which the beam tool works: the plane its floor buttons name ("２階 床梁" level 2,
// "２階 小屋梁"/"１階 小屋梁" the roof plane), one above the storey being edited.
int beamLevel(int floor);

// The placing rules of the wall and column tools (ordered span). A through column is also checked
// on the other storey, where it stands as well.
Refusal validateSpan(const Project &project, int floor, const EditorState &editor, const NodeRect &span);

// Message of refusal code at the node (ix, iy) (the node is named for code 3).
QString refusalText(const Project &project, int code, int ix, int iy);

// Whether the span changes the model at all: false for the start node clicked twice, a slanted wall
// or beam, floor corners on one line, nodes off the grid, a storey the project lacks, or nothing
// chosen to place. Such spans are neither checked nor applied.
bool isEditSpan(const Project &project, int floor, const EditorState &editor, EditMode editMode,
                const NodeRect &span);

// Changes the model for the current tool at the current storey (ordered span; the drawing direction
// of a single brace is read from editor.span), recording every record it writes; `floor` is the
// storey being edited. A span that is no edit (isEditSpan) is not applied.
EditOutcome applyEdit(Project &project, int floor, const EditorState &editor, EditMode editMode,
                      const NodeRect &span);

// The hardware placed at the top and foot of a column that is taken away goes with it, in the same step.
void ClearPlacedHardware(NodeRecord &node);

// Cuts the board walls through every column of the rectangle at that level into two walls that end
// at the column. The records written are recorded when a recorder is given.
void splitBoardWallsAtColumns(Project &project, int level, const NodeRect &rect,
                              NodeRecorder *recorder = nullptr);

// Message about placed hardware where a through column now passes the floor (column top of storey 1,
// column foot of storey 2), or empty.
QString warnThroughColumnHardware(const Project &project, int floor, int ix, int iy);

// Line names of a node, empty when the index has none.
QString lineNameOfX(const Project &project, int ix);
QString lineNameOfY(const Project &project, int iy);

}  // namespace rqx
