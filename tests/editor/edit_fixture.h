#pragma once
// A small two-storey project with line names "X1".."X13" / "Y1".."Y11" and an editor, driven span
// by span as the plan surface does after the second click: every applied span is one step of the
// document's history.

#include <QString>

#include "document/project_document.h"
#include "editor/editor_state.h"
#include "editor/placement.h"
#include "model/project.h"
#include "support/writable_project.h"

namespace rqx::test {

struct SpanResult {
    bool applied = false;
    bool refused = false;
    bool byReplacementRule = false;
    QString message;
};

struct EditFixture {
    ProjectDocument doc;
    Project &p = rqx::test::Writable(doc);
    EditorState ed;
    int floor = 1;  // the storey being edited
    int dirty = 0;  // set by every applied span, as the caller of an edit marks the project

    explicit EditFixture(int spansX = 12, int spansY = 10, int floors = 2)
    {
        p.info.floorCount = floors;
        p.info.divisions = 2;
        p.info.moduleLength = 0.91f;
        p.info.spanCountX = spansX;
        p.info.spanCountY = spansY;
        ResetProject(p);
        for (int i = 1; i <= spansX + 1; ++i)
            p.grid.lineNameX[i] = QStringLiteral("X%1").arg(i);
        for (int j = 1; j <= spansY + 1; ++j)
            p.grid.lineNameY[j] = QStringLiteral("Y%1").arg(j);
        ed.selectedItem[1] = 1;
        ed.selectedItem[3] = 1;
        ed.selectedItem[4] = 1;
        ed.linkColumnsAndBeams = 0;
        doc.replaceProject(p);  // as a new project: the history starts empty
    }

    // Chooses a tree node of the wall tool: "Kesa"/"Tasuki" tags 1-4, "Menzai" rows 1-10.
    void chooseWall(const QString &key, int tag)
    {
        ed.currentTool = kToolWall;
        ed.memberKey = key;
        ed.selectedItem[kToolWall] = tag;
        static const float kesa[] = {1.0f, 1.5f, 2.0f, 3.0f};
        static const float tasuki[] = {2.0f, 3.0f, 4.0f, 5.0f};
        ed.multiplier = key == kKeyKesa ? kesa[tag - 1] : key == kKeyTasuki ? tasuki[tag - 1] : 0.5f * tag;
    }
    void chooseColumn(int tag)
    {
        ed.currentTool = kToolColumn;
        ed.selectedItem[kToolColumn] = tag;
        ed.memberKey = tag == 2 ? kKeyCol2 : kKeyCol1;
    }
    void chooseTool(Tool tool) { ed.currentTool = tool; }

    // The span from (x1, y1) to (x2, y2) as drawn: ordered, checked, applied.
    SpanResult span(int x1, int y1, int x2, int y2, EditMode mode = kModePlace)
    {
        ed.span.startIx = x1;
        ed.span.startIy = y1;
        ed.span.endIx = x2;
        ed.span.endIy = y2;
        const NodeRect r = orderedSpan(ed);
        SpanResult out;
        if (mode != kModeGroupDelete) {
            const SpanVerdict v = checkSpan(p, floor, ed, mode, r);
            if (!v.allowed) {
                out.refused = true;
                out.byReplacementRule = v.byReplacementRule;
                out.message = v.message;
                return out;
            }
        }
        EditOutcome edit = applyEdit(p, floor, ed, mode, r);
        out.applied = edit.applied;
        if (out.applied) {
            dirty = 1;
            doc.pushNodeEdit(std::move(edit.change));
        }
        return out;
    }
    SpanResult click(int x, int y, EditMode mode = kModePlace) { return span(x, y, x, y, mode); }

    NodeRecord &at(int x, int y, int level) { return p.nodes(x, y, level); }
};

// Wall member as the editor writes it.
inline WallMember wallMember(int kind, int first, int last, const QString &key, int code, int segment,
                             float multiplier)
{
    return WallMember{kind, first, last, key, code, segment, multiplier};
}

}  // namespace rqx::test
