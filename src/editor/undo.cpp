#include "editor/undo.h"

#include <utility>

namespace rqx {

namespace {

bool sameShape(const Project &project, const UndoState &undo)
{
    return undo.sizeX == project.nodes.sizeX() && undo.sizeY == project.nodes.sizeY() &&
           undo.sizeLevel == project.nodes.sizeLevel();
}

// The fields the plan editor writes; everything else of a record belongs to other windows. Beam
// segments are left out: the calculation recomputes them.
bool sameMembers(const NodeRecord &a, const NodeRecord &b)
{
    return a.brace == b.brace && a.board == b.board && a.columnKind == b.columnKind &&
           a.throughOrigin == b.throughOrigin && a.beam[1].present == b.beam[1].present &&
           a.beam[2].present == b.beam[2].present && a.cellFloor == b.cellFloor;
}

void copyMembers(NodeRecord &to, const NodeRecord &from)
{
    to.brace = from.brace;
    to.board = from.board;
    to.columnKind = from.columnKind;
    to.throughOrigin = from.throughOrigin;
    to.beam = from.beam;
    to.cellFloor = from.cellFloor;
}

}  // namespace

void beginSnapshot(Project &project, UndoState &undo)
{
    const NodeArray &n = project.nodes;
    if (project.undoNodes.sizeX() != n.sizeX() || project.undoNodes.sizeY() != n.sizeY() ||
        project.undoNodes.sizeLevel() != n.sizeLevel())
        project.undoNodes.reset(n.sizeX(), n.sizeY(), n.sizeLevel());
    if (!sameShape(project, undo) || undo.savedMark.size() != n.count()) {
        undo.savedMark.assign(n.count(), 0);
        undo.saved.clear();
    }
    for (std::size_t offset : undo.saved)
        if (offset < undo.savedMark.size())
            undo.savedMark[offset] = 0;
    undo.saved.clear();
    undo.after.clear();
    undo.undoTool = 0;
    undo.sizeX = n.sizeX();
    undo.sizeY = n.sizeY();
    undo.sizeLevel = n.sizeLevel();
}

NodeRecord &editableNode(Project &project, UndoState &undo, int x, int y, int level)
{
    NodeArray &n = project.nodes;
    NodeRecord &record = n(x, y, level);
    const std::size_t offset = static_cast<std::size_t>(&record - n.data());
    if (offset < undo.savedMark.size() && !undo.savedMark[offset]) {
        undo.savedMark[offset] = 1;
        undo.saved.push_back(offset);
        project.undoNodes.data()[offset] = record;
    }
    return record;
}

void recordUndo(Project &project, EditorState &editor, int editMode, int tool, const NodeRect &region)
{
    UndoState &undo = editor.undo;
    undo.after.clear();
    undo.after.reserve(undo.saved.size());
    for (std::size_t offset : undo.saved)
        undo.after.push_back(project.nodes.data()[offset]);
    editor.undoAvailable = 1;
    undo.undoEditMode = editMode;
    undo.undoTool = tool;
    undo.regionIx1 = region.ix1;
    undo.regionIy1 = region.iy1;
    undo.regionIx2 = region.ix2;
    undo.regionIy2 = region.iy2;
}

void clearUndo(EditorState &editor)
{
    editor.undo.undoTool = 0;
    editor.undoAvailable = 0;
}

bool canUndo(const Project &project, const UndoState &undo)
{
    if (undo.undoTool == 0 || !sameShape(project, undo) ||
        project.undoNodes.count() != project.nodes.count() || undo.after.size() != undo.saved.size())
        return false;
    for (std::size_t k = 0; k < undo.saved.size(); ++k)
        if (!sameMembers(project.nodes.data()[undo.saved[k]], undo.after[k]))
            return false;
    return true;
}

NodeRect undoRegion(const UndoState &undo)
{
    return NodeRect{undo.regionIx1, undo.regionIy1, undo.regionIx2, undo.regionIy2};
}

void swapSnapshot(Project &project, UndoState &undo)
{
    if (!sameShape(project, undo) || project.undoNodes.count() != project.nodes.count())
        return;
    for (std::size_t offset : undo.saved)
        std::swap(project.nodes.data()[offset], project.undoNodes.data()[offset]);
}

bool undoLastEdit(Project &project, EditorState &editor)
{
    if (!canUndo(project, editor.undo)) {
        clearUndo(editor);
        return false;
    }
    for (std::size_t offset : editor.undo.saved)
        copyMembers(project.nodes.data()[offset], project.undoNodes.data()[offset]);
    clearUndo(editor);
    return true;
}

}  // namespace rqx
