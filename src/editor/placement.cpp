#include "editor/placement.h"

#include <algorithm>

#include "editor/group_delete.h"
#include "editor/wall_overlap.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

const QChar kCR = QLatin1Char('\r');

bool isBraceKey(const QString &key)
{
    return key == kKeyKesa || key == kKeyTasuki;
}

int otherStorey(int level)
{
    return level == 1 ? 2 : 1;
}

// Node (i, j) of a wall's line: along X the line is row `line`, along Y column `line`.
void nodeOnLine(int dir, int line, int along, int &x, int &y)
{
    x = dir == kDirX ? along : line;
    y = dir == kDirX ? line : along;
}

bool innerByStart(const WallMember &m)
{
    return m.kind != 0 && (m.segment == 2 || m.segment == 3);
}

bool innerByEnd(const WallMember &m)
{
    return m.kind != 0 && (m.segment == 1 || m.segment == 2);
}

// A wall of direction dir (0 = either) has (i, j) as one of its inner nodes.
bool wallInnerAt(const NodeArray &n, int i, int j, int level, int dir)
{
    if (!n.valid(i, j, level))
        return false;
    const NodeRecord &here = n(i, j, level);
    for (int d = kDirX; d <= kDirY; ++d) {
        if (dir != 0 && d != dir)
            continue;
        if (innerByStart(here.brace[d]) || innerByStart(here.board[d]))
            return true;
        const int pi = d == kDirX ? i - 1 : i;
        const int pj = d == kDirY ? j - 1 : j;
        if (n.valid(pi, pj, level)) {
            const NodeRecord &prev = n(pi, pj, level);
            if (innerByEnd(prev.brace[d]) || innerByEnd(prev.board[d]))
                return true;
        }
    }
    return false;
}

int segmentOf(int k, int first, int last)
{
    if (first == last)
        return 0;
    if (k == first)
        return 1;
    if (k == last)
        return 3;
    return 2;
}

WallMember &wallOf(NodeRecord &r, bool board, int dir)
{
    return board ? r.board[dir] : r.brace[dir];
}

// Writes through the recorder when the change is being recorded.
NodeRecord &writable(Project &project, NodeRecorder *recorder, int x, int y, int level)
{
    return recorder ? recorder->node(x, y, level) : project.nodes(x, y, level);
}

// Cuts the board wall of one direction through node index `at` on its line.
void splitBoardLineAt(Project &project, NodeRecorder *recorder, int level, int dir, int line, int at)
{
    const NodeArray &n = project.nodes;
    const int spanCount = (dir == kDirX ? n.sizeX() : n.sizeY()) - 1;
    auto member = [&](int k) -> const WallMember & {
        int x, y;
        nodeOnLine(dir, line, k, x, y);
        return n(x, y, level).board[dir];
    };
    const bool hasLeft = at - 1 >= 1 && at - 1 <= spanCount;
    const bool hasRight = at >= 1 && at <= spanCount;
    int first = 0, last = 0;
    if (hasLeft && innerByEnd(member(at - 1))) {
        first = member(at - 1).firstIndex;
        last = member(at - 1).lastIndex;
    } else if (hasRight && innerByStart(member(at))) {
        first = member(at).firstIndex;
        last = member(at).lastIndex;
    } else {
        return;
    }
    bool leftDone = false, rightDone = false;
    // Every span of the wall takes the extent of its part.
    if (first < at && last >= at) {
        for (int k = std::max(first, 1); k <= std::min(last, spanCount); ++k) {
            const WallMember &m = member(k);
            if (m.kind == 0 || m.firstIndex != first || m.lastIndex != last)
                continue;
            int x, y;
            nodeOnLine(dir, line, k, x, y);
            WallMember &w = writable(project, recorder, x, y, level).board[dir];
            if (k < at) {
                w.lastIndex = at - 1;
                w.segment = segmentOf(k, first, at - 1);
                leftDone = leftDone || k == at - 1;
            } else {
                w.firstIndex = at;
                w.segment = segmentOf(k, at, last);
                rightDone = rightDone || k == at;
            }
        }
    }
    // Indices that do not describe the wall: the two spans at the column still end there.
    if (hasLeft && !leftDone && innerByEnd(member(at - 1))) {
        int x, y;
        nodeOnLine(dir, line, at - 1, x, y);
        WallMember &w = writable(project, recorder, x, y, level).board[dir];
        w.segment = w.segment == 1 ? 0 : 3;
        w.lastIndex = at - 1;
    }
    if (hasRight && !rightDone && innerByStart(member(at))) {
        int x, y;
        nodeOnLine(dir, line, at, x, y);
        WallMember &w = writable(project, recorder, x, y, level).board[dir];
        w.segment = w.segment == 2 ? 1 : 0;
        w.firstIndex = at;
    }
}

bool insideGrid(const Project &project, const NodeRect &r)
{
    const NodeArray &n = project.nodes;
    return r.ix1 >= 1 && r.iy1 >= 1 && r.ix2 <= n.sizeX() && r.iy2 <= n.sizeY() && r.ix1 <= r.ix2 &&
           r.iy1 <= r.iy2;
}

}  // namespace

QString lineNameOfX(const Project &project, int ix)
{
    return project.grid.lineNameX.valid(ix) ? ShownText(project.grid.lineNameX[ix], kShownLineName)
                                            : QString();
}

QString lineNameOfY(const Project &project, int iy)
{
    return project.grid.lineNameY.valid(iy) ? ShownText(project.grid.lineNameY[iy], kShownLineName)
                                            : QString();
}

WallKinds handledWallKinds(const EditorState &editor, EditMode editMode)
{
    WallKinds k;
    if (editMode != kModePlace && editor.span.menuDeletion == 1) {
        k.braces = editor.span.deleteKind == WallDeletion::Braces || editor.span.deleteKind == WallDeletion::Both;
        k.boards = editor.span.deleteKind == WallDeletion::Boards || editor.span.deleteKind == WallDeletion::Both;
        return k;
    }
    if (editMode != kModePlace && editor.deleteBothKinds == 1) {
        k.braces = k.boards = true;
        return k;
    }
    k.braces = isBraceKey(editor.memberKey);
    k.boards = editor.memberKey == kKeyMenzai;
    return k;
}

int beamLevel(int floor)
{
    return floor + 1;
}

QString refusalText(const Project &project, int code, int ix, int iy)
{
    switch (code) {
        case kRefuseOrthogonalWall:
            return QStringLiteral("筋かい・面材に直交する他の筋かい・面材は、配置できません。");
        case kRefuseColumnInside:
            return QStringLiteral("配置しようとする筋かい・面材の中間部分に柱があります。") + kCR + kCR +
                   QStringLiteral("この筋かい・面材は、配置できません");
        case kRefuseColumnOnWall:
            return QStringLiteral("筋かい・面材の中間部分に柱は、配置できません。") + kCR + kCR +
                   QStringLiteral("位置： ") + lineNameOfX(project, ix) + QStringLiteral(" - ") +
                   lineNameOfY(project, iy);
        default:
            return QString();
    }
}

NodeRect orderedSpan(const EditorState &editor)
{
    const SpanState &s = editor.span;
    NodeRect r{std::min(s.startIx, s.endIx), std::min(s.startIy, s.endIy), std::max(s.startIx, s.endIx),
               std::max(s.startIy, s.endIy)};
    if (editor.currentTool == kToolWall || editor.currentTool == kToolBeam) {
        if (s.axisLock == AxisLock::AlongX)
            r.iy2 = r.iy1;
        else if (s.axisLock == AxisLock::AlongY)
            r.ix2 = r.ix1;
    }
    return r;
}

QString nothingToDeleteText(const Project &project, int floor, const EditorState &editor, const NodeRect &span)
{
    const WallKinds kinds = handledWallKinds(editor, kModeDelete);
    const bool alongX = span.iy1 == span.iy2;
    const int dir = alongX ? kDirX : kDirY;
    const int first = alongX ? span.ix1 : span.iy1;
    const int last = (alongX ? span.ix2 : span.iy2) - 1;
    const NodeArray &n = project.nodes;
    for (int k = first; k <= last; ++k) {
        const int x = alongX ? k : span.ix1;
        const int y = alongX ? span.iy1 : k;
        if (!n.valid(x, y, floor))
            continue;
        const NodeRecord &r = n(x, y, floor);
        if ((kinds.braces && r.brace[dir].kind != 0) || (kinds.boards && r.board[dir].kind != 0))
            return QString();
    }
    const QString what = kinds.braces && kinds.boards ? QStringLiteral("筋かい・面材")
                         : kinds.braces              ? QStringLiteral("筋かい")
                                                     : QStringLiteral("面材");
    return QStringLiteral("指定した位置には、削除する%1がありません。").arg(what);
}

SpanVerdict checkSpan(const Project &project, int floor, const EditorState &editor, EditMode editMode,
                      const NodeRect &span)
{
    SpanVerdict v;
    // A span that changes nothing is dropped without a word, whatever the rules would say.
    if (!isEditSpan(project, floor, editor, editMode, span))
        return v;
    if (editor.currentTool == kToolWall && editMode == kModeDelete) {
        const QString nothing = nothingToDeleteText(project, floor, editor, span);
        if (!nothing.isEmpty()) {
            v.allowed = false;
            v.message = nothing;
            return v;
        }
    }
    if (editor.currentTool == kToolWall) {
        const OverlapCheck o = checkWallOverlap(project, floor, editor.memberKey, editMode, span);
        if (o.refused) {
            v.allowed = false;
            v.byReplacementRule = true;
            v.message = o.message;
            return v;
        }
    }
    if (editMode == kModePlace) {
        const Refusal r = validateSpan(project, floor, editor, span);
        if (r.code != 0) {
            v.allowed = false;
            v.message = r.message;
        }
    }
    return v;
}

Refusal validateSpan(const Project &project, int floor, const EditorState &editor, const NodeRect &span)
{
    Refusal r;
    const Tool tool = editor.currentTool;
    if (tool != kToolWall && tool != kToolColumn)
        return r;
    const NodeArray &n = project.nodes;
    const int level = floor;
    const bool alongX = span.iy1 == span.iy2;
    const bool alongY = span.ix1 == span.ix2;
    auto refuse = [&](int code) {
        r.code = code;
        r.message = refusalText(project, code, span.ix1, span.iy1);
        return r;
    };
    for (int i = span.ix1; i <= span.ix2; ++i)
        for (int j = span.iy1; j <= span.iy2; ++j) {
            if (!n.valid(i, j, level))
                continue;
            if (tool == kToolWall) {
                if (alongX && wallInnerAt(n, i, j, level, kDirY))
                    return refuse(kRefuseOrthogonalWall);
                if (!alongX && alongY && wallInnerAt(n, i, j, level, kDirX))
                    return refuse(kRefuseOrthogonalWall);
                const bool strictlyInside =
                    alongX ? (span.ix1 < i && i < span.ix2) : (span.iy1 < j && j < span.iy2);
                if (strictlyInside && n(i, j, level).columnKind > 0)
                    return refuse(kRefuseColumnInside);
            } else {
                if (wallInnerAt(n, i, j, level, 0))
                    return refuse(kRefuseColumnOnWall);
                // A through column stands on the other storey as well.
                if (editor.selectedItem[kToolColumn] == 2 && wallInnerAt(n, i, j, otherStorey(level), 0))
                    return refuse(kRefuseColumnOnWall);
            }
        }
    return r;
}

void ClearPlacedHardware(NodeRecord &node)
{
    node.hardware[1].clear();
    node.hardware[2].clear();
}

void splitBoardWallsAtColumns(Project &project, int level, const NodeRect &rect, NodeRecorder *recorder)
{
    const NodeArray &n = project.nodes;
    if (level < 1 || level > n.sizeLevel())
        return;
    const int x1 = std::max(rect.ix1, 1), x2 = std::min(rect.ix2, n.sizeX());
    const int y1 = std::max(rect.iy1, 1), y2 = std::min(rect.iy2, n.sizeY());
    for (int j = y1; j <= y2; ++j)
        for (int i = x1; i <= x2; ++i) {
            if (n(i, j, level).columnKind <= 0)
                continue;
            splitBoardLineAt(project, recorder, level, kDirX, j, i);
            splitBoardLineAt(project, recorder, level, kDirY, i, j);
        }
}

QString warnThroughColumnHardware(const Project &project, int floor, int ix, int iy)
{
    const NodeArray &n = project.nodes;
    if (!n.valid(ix, iy, floor) || n(ix, iy, floor).throughOrigin != 1)
        return QString();
    const bool top = n.valid(ix, iy, 1) && !n(ix, iy, 1).hardware[1].isEmpty();
    const bool foot = n.valid(ix, iy, 2) && !n(ix, iy, 2).hardware[2].isEmpty();
    QString first;
    if (top && foot)
        first = QStringLiteral("配置した通し柱の１階柱頭・２階柱脚部分に金物が配置されています。");
    else if (top)
        first = QStringLiteral("配置した通し柱の１階柱頭部分に金物が配置されています。");
    else if (foot)
        first = QStringLiteral("配置した通し柱の２階柱脚部分に金物が配置されています。");
    else
        return QString();
    return first + kCR + kCR + QStringLiteral("必要に応じて [金物]-[配置金物] で削除してください。");
}

namespace {

void placeOrDeleteWalls(Project &project, NodeRecorder &recorder, const EditorState &editor,
                        EditMode editMode, int level, const NodeRect &s)
{
    const bool alongX = s.iy1 == s.iy2;
    const int dir = alongX ? kDirX : kDirY;
    const int first = alongX ? s.ix1 : s.iy1;
    const int last = (alongX ? s.ix2 : s.iy2) - 1;
    const int line = alongX ? s.iy1 : s.ix1;
    const WallKinds kinds = handledWallKinds(editor, editMode);
    const bool placing = editMode == kModePlace;
    const bool board = editor.memberKey == kKeyMenzai;

    WallMember wall;
    if (placing) {
        wall.kind = editor.selectedItem[kToolWall];
        wall.firstIndex = first;
        wall.lastIndex = last;
        wall.key = editor.memberKey;
        if (editor.memberKey == kKeyKesa) {
            const int from = alongX ? editor.span.startIx : editor.span.startIy;
            const int to = alongX ? editor.span.endIx : editor.span.endIy;
            wall.code = from <= to ? 1 : 2;
        } else {
            wall.code = editor.memberKey == kKeyTasuki ? 3 : 4;
        }
        wall.multiplier = editor.multiplier;
    }
    const bool link = placing && editor.linkColumnsAndBeams == 1;
    const NodeArray &n = project.nodes;
    for (int k = first; k <= last; ++k) {
        int x, y;
        nodeOnLine(dir, line, k, x, y);
        NodeRecord &r = recorder.node(x, y, level);
        if (placing) {
            if (kinds.braces || kinds.boards) {
                wall.segment = segmentOf(k, first, last);
                wallOf(r, board, dir) = wall;
            }
        } else {
            if (kinds.braces)
                r.brace[dir] = WallMember{};
            if (kinds.boards)
                r.board[dir] = WallMember{};
        }
        if (link && (r.brace[dir].kind != 0 || r.board[dir].kind != 0)) {
            r.beam[dir] = BeamInfo{1, 1};
            if (n.valid(x, y, level + 1))
                recorder.node(x, y, level + 1).beam[dir] = BeamInfo{1, 1};
        }
    }
    if (link) {
        for (const auto &[x, y] : {std::pair{s.ix1, s.iy1}, std::pair{s.ix2, s.iy2}}) {
            if (n(x, y, level).columnKind == 0)
                recorder.node(x, y, level).columnKind = 1;
        }
    }
    splitBoardWallsAtColumns(project, level, s, &recorder);
}

void placeOrDeleteColumn(Project &project, NodeRecorder &recorder, const EditorState &editor,
                         EditMode editMode, int level, int x, int y)
{
    NodeArray &n = project.nodes;
    const int other = otherStorey(level);
    const bool hasPartnerLevel = n.valid(x, y, other);
    const bool throughHere =
        n(x, y, level).columnKind == 2 && hasPartnerLevel && n(x, y, other).columnKind == 2;
    // The other storey's half of a through column that is taken away or replaced here: deleting
    // takes it too; a storey column put in its place leaves a storey column there (none on the
    // roof plane of a one-storey house).
    auto endPartner = [&](bool keepColumn) {
        if (!throughHere)
            return;
        NodeRecord &p = recorder.node(x, y, other);
        p.columnKind = keepColumn && other <= project.dims.floorCount ? 1 : 0;
        p.throughOrigin = 0;
        if (p.columnKind == 0)
            ClearPlacedHardware(p);
    };
    if (editMode == kModePlace) {
        const int kind = editor.selectedItem[kToolColumn];
        if (kind != 2)
            endPartner(true);
        NodeRecord &r = recorder.node(x, y, level);
        r.columnKind = kind;
        r.throughOrigin = 0;
        if (kind == 2) {
            r.throughOrigin = 1;
            if (hasPartnerLevel) {
                NodeRecord &p = recorder.node(x, y, other);
                p.columnKind = 2;
                p.throughOrigin = 1;
                splitBoardWallsAtColumns(project, other, NodeRect{x, y, x, y}, &recorder);
            }
        }
        splitBoardWallsAtColumns(project, level, NodeRect{x, y, x, y}, &recorder);
    } else {
        endPartner(false);
        NodeRecord &r = recorder.node(x, y, level);
        r.columnKind = 0;
        r.throughOrigin = 0;
        ClearPlacedHardware(r);
    }
}

void placeOrDeleteBeams(NodeRecorder &recorder, const EditorState &editor, EditMode editMode, int level,
                        const NodeRect &s)
{
    const bool alongX = s.iy1 == s.iy2;
    const int dir = alongX ? kDirX : kDirY;
    const int first = alongX ? s.ix1 : s.iy1;
    const int last = (alongX ? s.ix2 : s.iy2) - 1;
    const int line = alongX ? s.iy1 : s.ix1;
    const BeamInfo beam = editMode == kModePlace ? BeamInfo{editor.selectedItem[kToolBeam], 0} : BeamInfo{};
    for (int k = first; k <= last; ++k) {
        int x, y;
        nodeOnLine(dir, line, k, x, y);
        recorder.node(x, y, level).beam[dir] = beam;
    }
}

void placeOrDeleteFloors(NodeRecorder &recorder, const EditorState &editor, EditMode editMode, int level,
                         const NodeRect &s)
{
    const int value = editMode == kModePlace ? editor.selectedItem[kToolFloor] : 0;
    for (int j = s.iy1; j <= s.iy2 - 1; ++j)
        for (int i = s.ix1; i <= s.ix2 - 1; ++i)
            recorder.node(i, j, level).cellFloor = value;
}

// Nodes whose drawing an edit may change: the span and every touched record, one node around
// (a span is drawn up to its end node, a brace symbol beside its line).
NodeRect changedRegion(const Project &project, const NodeRecorder &recorder, const NodeRect &span)
{
    const NodeArray &n = project.nodes;
    NodeRect r = span;
    const std::size_t perLevel = static_cast<std::size_t>(n.sizeX()) * static_cast<std::size_t>(n.sizeY());
    for (std::size_t offset : recorder.offsets()) {
        const std::size_t inLevel = offset % perLevel;
        const int x = static_cast<int>(inLevel % static_cast<std::size_t>(n.sizeX())) + 1;
        const int y = static_cast<int>(inLevel / static_cast<std::size_t>(n.sizeX())) + 1;
        r.ix1 = std::min(r.ix1, x);
        r.iy1 = std::min(r.iy1, y);
        r.ix2 = std::max(r.ix2, x);
        r.iy2 = std::max(r.iy2, y);
    }
    r.ix1 = std::max(r.ix1 - 1, 1);
    r.iy1 = std::max(r.iy1 - 1, 1);
    r.ix2 = std::min(r.ix2 + 1, n.sizeX());
    r.iy2 = std::min(r.iy2 + 1, n.sizeY());
    return r;
}

}  // namespace

bool isEditSpan(const Project &project, int floor, const EditorState &editor, EditMode editMode,
                const NodeRect &span)
{
    const Tool tool = editor.currentTool;
    const int level = tool == kToolBeam ? beamLevel(floor) : floor;
    if (!insideGrid(project, span) || level < 1 || level > project.nodes.sizeLevel())
        return false;
    if (editMode == kModePlace && (tool < kToolFloor || tool > kToolBeam || editor.selectedItem[tool] == 0))
        return false;  // nothing chosen to place
    if (editMode == kModeGroupDelete)
        return true;
    const bool alongX = span.iy1 == span.iy2;
    const bool alongY = span.ix1 == span.ix2;
    switch (tool) {
        case kToolFloor:
            return span.ix1 != span.ix2 && span.iy1 != span.iy2;  // a cell between the corners
        case kToolWall:
        case kToolBeam:
            return alongX != alongY;  // not one node, nor a slanted line
        case kToolColumn:
            return true;
        default:
            return false;
    }
}

EditOutcome applyEdit(Project &project, int floor, const EditorState &editor, EditMode editMode,
                      const NodeRect &span)
{
    EditOutcome out;
    if (!isEditSpan(project, floor, editor, editMode, span))
        return out;
    const Tool tool = editor.currentTool;
    const int level = tool == kToolBeam ? beamLevel(floor) : floor;

    NodeRecorder recorder(project);
    if (editMode == kModeGroupDelete) {
        applyGroupDelete(project, recorder, editor, level, span);
    } else {
        switch (tool) {
            case kToolFloor:
                placeOrDeleteFloors(recorder, editor, editMode, level, span);
                break;
            case kToolWall:
                placeOrDeleteWalls(project, recorder, editor, editMode, level, span);
                break;
            case kToolColumn:
                placeOrDeleteColumn(project, recorder, editor, editMode, level, span.ix1, span.iy1);
                break;
            case kToolBeam:
                placeOrDeleteBeams(recorder, editor, editMode, level, span);
                break;
        }
    }
    out.applied = true;
    out.region = changedRegion(project, recorder, span);
    // The placed hardware goes with the members: the calculation empties it where a column was
    // removed, and the undo must bring both back.
    out.change = recorder.take(QString(), NodeFields::MembersAndPlacedHardware,
                               NodeRegion{out.region.ix1, out.region.iy1, out.region.ix2, out.region.iy2});
    return out;
}

}  // namespace rqx
