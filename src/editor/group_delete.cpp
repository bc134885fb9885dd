#include "editor/group_delete.h"

#include <algorithm>

#include "editor/placement.h"

namespace rqx {

QString groupDeleteLabel(const EditorState &editor)
{
    switch (editor.currentTool) {
        case kToolFloor:
            return QStringLiteral("床");
        case kToolWall: {
            const WallKinds k = handledWallKinds(editor, kModeGroupDelete);
            if (k.braces && k.boards)
                return QStringLiteral("筋かい と 面材耐力壁");
            return k.boards ? QStringLiteral("面材耐力壁") : QStringLiteral("筋かい");
        }
        case kToolColumn:
            return QStringLiteral("柱");
        case kToolBeam:
            return QStringLiteral("梁");
        default:
            return QString();
    }
}

QString groupDeleteConfirmation(const Project &project, const EditorState &editor)
{
    const SpanState &s = editor.span;
    return QStringLiteral("(") + lineNameOfX(project, s.startIx) + QStringLiteral(",") +
           lineNameOfY(project, s.startIy) + QStringLiteral(") - ") + QStringLiteral("(") +
           lineNameOfX(project, s.endIx) + QStringLiteral(",") + lineNameOfY(project, s.endIy) +
           QStringLiteral(") ") + QStringLiteral("内の「") + groupDeleteLabel(editor) +
           QStringLiteral("」をグループ削除します。");
}

namespace {

// Removes the wall of one kind and direction found at span k of a line when it starts there and
// lies within lo..hi (span indices along the line).
void removeWallIfInside(Project &project, NodeRecorder &recorder, int level, bool board, int dir, int line,
                        int k, int lo, int hi)
{
    NodeArray &n = project.nodes;
    auto at = [&](int along) -> NodeRecord & {
        return dir == kDirX ? n(along, line, level) : n(line, along, level);
    };
    auto member = [&](NodeRecord &r) -> WallMember & { return board ? r.board[dir] : r.brace[dir]; };
    const WallMember found = member(at(k));
    if (found.kind == 0 || (found.segment != 0 && found.segment != 1))
        return;
    if (found.firstIndex < lo || found.lastIndex > hi)
        return;
    const int spanCount = (dir == kDirX ? n.sizeX() : n.sizeY()) - 1;
    // The spans of this wall only; indices from a larger grid stop at the edge.
    for (int along = std::max(found.firstIndex, 1); along <= std::min(found.lastIndex, spanCount); ++along) {
        const WallMember &m = member(at(along));
        if (along != k && (m.kind == 0 || m.firstIndex != found.firstIndex || m.lastIndex != found.lastIndex))
            continue;
        const int x = dir == kDirX ? along : line;
        const int y = dir == kDirX ? line : along;
        NodeRecord &r = recorder.node(x, y, level);
        member(r) = WallMember{};
    }
    NodeRecord &self = recorder.node(dir == kDirX ? k : line, dir == kDirX ? line : k, level);
    member(self) = WallMember{};
}

}  // namespace

void applyGroupDelete(Project &project, NodeRecorder &recorder, const EditorState &editor, int level,
                      const NodeRect &rect)
{
    NodeArray &n = project.nodes;
    if (level < 1 || level > n.sizeLevel())
        return;
    const int x1 = std::max(rect.ix1, 1), x2 = std::min(rect.ix2, n.sizeX());
    const int y1 = std::max(rect.iy1, 1), y2 = std::min(rect.iy2, n.sizeY());
    switch (editor.currentTool) {
        case kToolFloor:
            for (int j = y1; j <= y2 - 1; ++j)
                for (int i = x1; i <= x2 - 1; ++i)
                    if (n(i, j, level).cellFloor != 0)
                        recorder.node(i, j, level).cellFloor = 0;
            break;
        case kToolWall: {
            const WallKinds kinds = handledWallKinds(editor, kModeGroupDelete);
            for (bool board : {false, true}) {
                if ((board && !kinds.boards) || (!board && !kinds.braces))
                    continue;
                for (int j = y1; j <= y2; ++j)
                    for (int i = x1; i <= x2 - 1; ++i)
                        removeWallIfInside(project, recorder, level, board, kDirX, j, i, x1, x2 - 1);
                for (int i = x1; i <= x2; ++i)
                    for (int j = y1; j <= y2 - 1; ++j)
                        removeWallIfInside(project, recorder, level, board, kDirY, i, j, y1, y2 - 1);
            }
            break;
        }
        case kToolColumn: {
            const int other = level == 1 ? 2 : 1;
            for (int j = y1; j <= y2; ++j)
                for (int i = x1; i <= x2; ++i) {
                    if (n(i, j, level).columnKind == 0 && n(i, j, level).throughOrigin == 0)
                        continue;
                    if (n(i, j, level).columnKind == 2 && n.valid(i, j, other) &&
                        n(i, j, other).columnKind == 2) {
                        NodeRecord &p = recorder.node(i, j, other);
                        p.columnKind = 0;
                        p.throughOrigin = 0;
                        ClearPlacedHardware(p);
                    }
                    NodeRecord &r = recorder.node(i, j, level);
                    r.columnKind = 0;
                    r.throughOrigin = 0;
                    ClearPlacedHardware(r);
                }
            break;
        }
        case kToolBeam:
            for (int j = y1; j <= y2; ++j)
                for (int i = x1; i <= x2; ++i) {
                    const int touching[4][3] = {
                        {i, j, kDirX}, {i, j, kDirY}, {i - 1, j, kDirX}, {i, j - 1, kDirY}};
                    for (const auto &t : touching) {
                        if (!n.valid(t[0], t[1], level) || n(t[0], t[1], level).beam[t[2]] == BeamInfo{})
                            continue;
                        recorder.node(t[0], t[1], level).beam[t[2]] = BeamInfo{};
                    }
                }
            break;
        default:
            break;
    }
}

}  // namespace rqx
