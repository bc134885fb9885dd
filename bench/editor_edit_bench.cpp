// Speed of one edit on the largest project (30 × 30 modules, 4 divisions, two storeys, members on
// every module line): a click that places or deletes a member with the redrawing of its region, a
// group delete, and the undo of each, on the raster of a full-screen plan viewport, offscreen.

#include <benchmark/benchmark.h>

#include "editor/placement.h"
#include "document/project_document.h"
#include "editor/plan_mouse.h"
#include "editor/plan_render.h"

namespace {

using namespace rqx;

constexpr int kDiv = 4;
constexpr int kSpans = 30 * kDiv;

void putWall(Project &p, int level, int dir, int line, int from, int to, const QString &key, int kind)
{
    for (int k = from; k < to; ++k) {
        NodeRecord &r = dir == kDirX ? p.nodes(k, line, level) : p.nodes(line, k, level);
        WallMember &m = key == kKeyMenzai ? r.board[dir] : r.brace[dir];
        const int seg = to - from == 1 ? 0 : k == from ? 1 : k == to - 1 ? 3 : 2;
        m = WallMember{kind, from, to - 1, key, key == kKeyKesa ? 1 : key == kKeyTasuki ? 3 : 4, seg, 1.0f};
    }
}

Project largestProject()
{
    Project p;
    p.info.floorCount = 2;
    p.info.divisions = kDiv;
    p.info.moduleLength = 0.91f;
    p.info.spanCountX = p.info.spanCountY = kSpans;
    ResetProject(p);
    const int n = kSpans + 1;
    for (int i = 1; i <= n; ++i) {
        p.grid.lineNameX[i] = QStringLiteral("X%1").arg(i);
        p.grid.lineNameY[i] = QStringLiteral("Y%1").arg(i);
    }
    const QString keys[3] = {kKeyKesa, kKeyTasuki, kKeyMenzai};
    for (int level = 1; level <= 2; ++level) {
        for (int j = 1; j < n; ++j)
            for (int i = 1; i < n; ++i)
                p.nodes(i, j, level).cellFloor = 1;
        int turn = 0;
        for (int line = 1; line <= n; line += kDiv)
            for (int m = 0; m < 30; ++m, ++turn) {
                const int from = m * kDiv + 1;
                const QString &key = keys[turn % 3];
                putWall(p, level, kDirX, line, from, from + 2, key, 1 + turn % 4);
                putWall(p, level, kDirY, line, from + 2, from + 4, key, 1 + turn % 4);
            }
        for (int iy = 1; iy <= n; iy += kDiv)
            for (int ix = 1; ix <= n; ix += kDiv)
                p.nodes(ix, iy, level).columnKind = 1;
    }
    for (int level = 2; level <= 3; ++level)
        for (int line = 1; line <= n; line += 2)
            for (int k = 1; k < n; ++k) {
                p.nodes(k, line, level).beam[kDirX].present = 1;
                p.nodes(line, k, level).beam[kDirY].present = 1;
            }
    UpdateOutlineMarks(p, 1);
    UpdateOutlineMarks(p, 2);
    UpdateBeamSegments(p);
    return p;
}

// The input screen without its window: the largest project drawn on a 1400 × 900 raster, the
// mouse protocol drawing regions on it.
struct Screen : PlanMouseHost {
    ProjectDocument doc;
    const Project &project = doc.project();
    EditorState editor;
    PlanSurface surface{QSize(1396, 896)};
    PlanMouse mouse{doc, editor, *this, false, {}};

    void xorRubberBand(const RubberBand &b) override
    {
        drawLineTwips(surface, b.x1, b.y1, b.x2, b.y2, QBColor(b.colour), 2, kDrawXorPen);
    }

    Screen()
    {
        doc.replaceProject(largestProject());
        editor.selectedItem[1] = editor.selectedItem[3] = editor.selectedItem[4] = 1;
        editor.linkColumnsAndBeams = 1;
        RedrawPlan(surface, project, editor, 1);
        // Every edit and undo is drawn through the document's signals, as on the input screen.
        auto draw = [this](const NodeRegion &r, bool erase) {
            drawRegion(surface, PlanInputs{project, editor, 1}, erase, r.ix1, r.iy1, r.ix2, r.iy2);
        };
        QObject::connect(&doc, &ProjectDocument::nodesAboutToChange,
                         [draw](const NodeRegion &r) { draw(r, true); });
        QObject::connect(&doc, &ProjectDocument::nodesChanged,
                         [draw](const NodeRegion &r) { draw(r, false); });
    }
    void click(int ix, int iy, int button = kButtonLeft)
    {
        const ScreenPoint s = nodeToScreen(project, editor.fit, ix, iy);
        Paper_MouseDown(mouse, button, s.x, s.y);
    }
    void move(int ix, int iy)
    {
        const ScreenPoint s = nodeToScreen(project, editor.fit, ix, iy);
        Paper_MouseMove(mouse, s.x, s.y);
    }
};

Screen &screen()
{
    static Screen s;
    return s;
}

// The second click of a two-span brace in the middle of the plan (a sub-grid row without walls),
// placing and deleting in turn; the first click and the pointer moves are outside the timing.
void BM_ClickPlacesOrDeletesWall(benchmark::State &state)
{
    Screen &sc = screen();
    sc.editor.currentTool = kToolWall;
    sc.editor.memberKey = kKeyKesa;
    sc.editor.selectedItem[2] = 3;
    bool place = true;
    for (auto _ : state) {
        state.PauseTiming();
        sc.editor.editMode = place ? kModePlace : kModeDelete;
        sc.click(58, 62);
        sc.move(60, 62);
        state.ResumeTiming();
        sc.click(60, 62);
        place = !place;
    }
    // After an odd number of clicks the wall stands: the clicks did edit.
    if (!place && sc.project.nodes(58, 62, 1).brace[kDirX].kind != 3)
        state.SkipWithError("the click placed nothing");
    if (!place) {  // leave the row empty again
        sc.editor.editMode = kModeDelete;
        sc.click(58, 62);
        sc.move(60, 62);
        sc.click(60, 62);
    }
    sc.editor.editMode = kModePlace;
}
BENCHMARK(BM_ClickPlacesOrDeletesWall)->Unit(benchmark::kMillisecond);

// One click of the column tool: a through column placed, then deleted.
void BM_ClickPlacesOrDeletesColumn(benchmark::State &state)
{
    Screen &sc = screen();
    sc.editor.currentTool = kToolColumn;
    sc.editor.selectedItem[3] = 2;
    bool place = true;
    for (auto _ : state) {
        sc.editor.editMode = place ? kModePlace : kModeDelete;
        sc.click(63, 63);
        place = !place;
    }
    sc.editor.editMode = kModeDelete;
    sc.click(63, 63);
    sc.editor.editMode = kModePlace;
}
BENCHMARK(BM_ClickPlacesOrDeletesColumn)->Unit(benchmark::kMillisecond);

// Undo of a click: the region erased, the members put back, the region drawn.
void BM_UndoOfAClick(benchmark::State &state)
{
    Screen &sc = screen();
    sc.editor.currentTool = kToolWall;
    sc.editor.memberKey = kKeyMenzai;
    sc.editor.selectedItem[2] = 4;
    sc.editor.editMode = kModePlace;
    for (auto _ : state) {
        state.PauseTiming();
        sc.click(58, 66);
        sc.move(61, 66);
        sc.click(61, 66);
        state.ResumeTiming();
        if (sc.project.nodes(58, 66, 1).board[kDirX].kind != 4) {
            state.SkipWithError("the click placed nothing");
            break;
        }
        sc.doc.undo();
    }
}
BENCHMARK(BM_UndoOfAClick)->Unit(benchmark::kMillisecond);

// Group delete of the walls of a 5 × 5-module area (confirmed), and its undo.
void BM_GroupDeleteAndUndo(benchmark::State &state)
{
    Screen &sc = screen();
    sc.editor.currentTool = kToolWall;
    sc.editor.memberKey = kKeyKesa;
    sc.editor.selectedItem[2] = 1;
    sc.editor.deleteBothKinds = 1;
    const bool undoPart = state.range(0) == 1;
    for (auto _ : state) {
        sc.editor.editMode = kModeGroupDelete;
        if (undoPart)
            state.PauseTiming();
        sc.click(40, 40);
        sc.click(62, 62);
        if (sc.project.nodes(41, 41, 1).brace[kDirX].kind != 0) {
            state.SkipWithError("the group delete removed nothing");
            break;
        }
        if (undoPart)
            state.ResumeTiming();
        else
            state.PauseTiming();
        sc.doc.undo();
        if (!undoPart)
            state.ResumeTiming();
    }
    sc.editor.editMode = kModePlace;
    sc.editor.deleteBothKinds = 0;
}
BENCHMARK(BM_GroupDeleteAndUndo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
