#include "editor/wall_overlap.h"

#include "editor/editor_state.h"

namespace rqx {

OverlapCheck checkWallOverlap(const Project &project, int level, const QString &memberKey, EditMode editMode,
                              const NodeRect &span)
{
    OverlapCheck result;
    const bool braceChosen = memberKey == kKeyKesa || memberKey == kKeyTasuki;
    const bool boardChosen = memberKey == kKeyMenzai;
    if (!braceChosen && !boardChosen)
        return result;
    const NodeArray &n = project.nodes;
    const bool alongX = span.iy1 == span.iy2;
    const int dir = alongX ? kDirX : kDirY;
    const int first = alongX ? span.ix1 : span.iy1;
    const int last = (alongX ? span.ix2 : span.iy2) - 1;
    const bool placing = editMode == kModePlace;
    auto differs = [&](const WallMember &m) {
        return m.kind != 0 && (m.firstIndex != first || m.lastIndex != last);
    };
    const QString tailReplace =
        placing ? QStringLiteral("置換できません。") : QStringLiteral("削除できません。");
    const QString tailPlace =
        placing ? QStringLiteral("配置できません。") : QStringLiteral("削除できません。");
    for (int k = first; k <= last; ++k) {
        const int x = alongX ? k : span.ix1;
        const int y = alongX ? span.iy1 : k;
        if (!n.valid(x, y, level))
            continue;
        const NodeRecord &r = n(x, y, level);
        const bool braceDiffers = differs(r.brace[dir]);
        const bool boardDiffers = differs(r.board[dir]);
        // The other kind's extent matters where both kinds would share the span: always when placing,
        // when deleting only where the span holds a wall of the chosen kind (a span without one
        // deletes nothing there, whatever the other kind's extent).
        const bool chosenHere = placing || (braceChosen ? r.brace[dir].kind != 0 : r.board[dir].kind != 0);
        if (braceChosen) {
            if (braceDiffers)
                result.message =
                    QStringLiteral("指定した始点、終点が異なる筋かい、または２部材にまたがる筋かいは、") +
                    tailReplace;
            else if (boardDiffers && chosenHere)
                result.message = QStringLiteral("面材と始点、終点が異なる重複する筋かいは、") + tailPlace;
        } else {
            if (boardDiffers)
                result.message =
                    QStringLiteral("指定した始点、終点が異なる面材、または２部材にまたがる面材は、") +
                    tailReplace;
            else if (braceDiffers && chosenHere)
                result.message = QStringLiteral("筋かいと始点、終点が異なる重複する面材は、") + tailPlace;
        }
        if (!result.message.isEmpty()) {
            result.refused = true;
            return result;
        }
    }
    return result;
}

}  // namespace rqx
