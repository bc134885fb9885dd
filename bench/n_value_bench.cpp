// The N values shown while drawing: one edit (a column placed or removed in the middle of the plan,
// its region erased and drawn), the calculation run again, the marks laid out and painted over a
// full-screen plan viewport. On the largest project the program allows and on a typical house,
// beside the same edit without the values (the baseline). Target: within one 60 Hz frame (16 ms)
// on the largest project, 2 ms on a typical house.
#include <benchmark/benchmark.h>

#include <QPainter>

#include "calc/wall_placement.h"
#include "calc/wall_quantity.h"
#include "document_screen.h"
#include "editor/column_n_marks.h"
#include "model/plan_facts.h"

namespace {

using namespace rqx;

struct LivePlan {
    DocumentScreen screen;
    ProjectDocument &doc = screen.doc;
    EditorState &editor = screen.editor;
    PlanSurface &surface = screen.surface;
    std::vector<ColumnNMark> marks;
    NMarkLayout layout;
    int ix = NodeCountX(doc.project()) / 2;
    int iy = NodeCountY(doc.project()) / 2;

    explicit LivePlan(Project project) : screen(std::move(project)) {}
    void toggleColumn()
    {
        NodeEdit edit(doc, QStringLiteral("柱"), NodeFields::Members);
        NodeRecord &n = edit.node(ix, iy, 1);
        n.columnKind = n.columnKind > 0 ? 0 : 1;
        edit.commit();
    }
    // What the overlay does after an edit: the result, the marks, their places, the paint of the
    // area around the edit (the window repaints where marks changed) or of the whole viewport.
    void showValues(bool wholeViewport)
    {
        marks = ColumnNMarksOf(doc.project(), doc.calculation(), 1);
        layout = LayOutNMarksOnPlan(surface, PlanInputs{doc.project(), editor, 1}, marks);
        const QPointF c = NodePoint(PlanInputs{doc.project(), editor, 1}, ix, iy);
        const QPoint px = surface.planToPixel(c.x(), c.y());
        const QRect around(px - QPoint(80, 80), QSize(160, 160));
        QPainter painter(&surface.image());
        PaintNMarks(painter, marks, layout, wholeViewport ? surface.image().rect() : around, NMarkFont());
    }
};

LivePlan &Plan(int which)
{
    static LivePlan largest(samples::LargestProject());
    static LivePlan typical(samples::TwoStoreyHouse());
    return which == 0 ? largest : typical;
}

// The plan with typed Lw entered, the values shown.
LivePlan &PlanWithConditions(int which)
{
    LivePlan &plan = Plan(which);
    WallInputs in;
    in.lw = {46.0, 30.0, 38.0};
    plan.doc.setWallInputs(in);
    plan.showValues(true);
    return plan;
}

void BM_EditWithNValues(benchmark::State &state)
{
    LivePlan &plan = Plan(static_cast<int>(state.range(0)));
    plan.showValues(true);
    for (auto _ : state) {
        plan.toggleColumn();
        plan.showValues(false);
    }
    state.counters["columns"] = static_cast<double>(plan.marks.size());
    state.counters["texts_fit"] = plan.layout.fits ? 1 : 0;
}

// The same edit with the status bar's wall-quantity figure of the storey on screen computed again as
// well (the wall quantities under entered conditions): the whole of what follows an edit.
void BM_EditWithNValuesAndWallFigure(benchmark::State &state)
{
    LivePlan &plan = PlanWithConditions(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        plan.toggleColumn();
        plan.showValues(false);
        benchmark::DoNotOptimize(WallStatusText(plan.doc.wallQuantities(), 1));
    }
}

// The same with the wall placement shown too: the placement result of the storey, the status text and
// its four side portions tinted over the whole viewport (translucent fills, as the overlay paints).
void BM_EditWithBothOverlays(benchmark::State &state)
{
    LivePlan &plan = PlanWithConditions(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        plan.toggleColumn();
        plan.showValues(false);
        const WallPlacementResult &r = plan.doc.wallPlacement();
        benchmark::DoNotOptimize(WallStatusText(plan.doc.wallQuantities(), 1));
        benchmark::DoNotOptimize(PlacementStatusText(r, 1));
        QPainter painter(&plan.surface.image());
        const QRect all = plan.surface.image().rect();
        for (int d = kDirX; d <= kDirY; ++d)
            for (int side = 0; side < 2; ++side) {
                const QRect strip = d == kDirX ? QRect(all.left(), side * all.height() * 3 / 4, all.width(), all.height() / 4)
                                               : QRect(side * all.width() * 3 / 4, all.top(), all.width() / 4, all.height());
                painter.fillRect(strip, QColor(0, 170, 0, 70));
            }
    }
}

void BM_EditWithoutNValues(benchmark::State &state)
{
    LivePlan &plan = Plan(static_cast<int>(state.range(0)));
    for (auto _ : state)
        plan.toggleColumn();
}

// The parts of the first: the calculation alone; the marks with their layout and the paint of the
// whole viewport (a scroll, a zoom, the values switched on).
void BM_CalculationAfterAnEdit(benchmark::State &state)
{
    LivePlan &plan = Plan(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        plan.toggleColumn();
        state.ResumeTiming();
        benchmark::DoNotOptimize(&plan.doc.calculation());
    }
}

void BM_MarksLayoutAndPaint(benchmark::State &state)
{
    LivePlan &plan = Plan(static_cast<int>(state.range(0)));
    plan.doc.calculation();
    for (auto _ : state)
        plan.showValues(true);
}

}  // namespace

// typical:0 is the largest project, typical:1 the typical house.
BENCHMARK(BM_EditWithNValues)->ArgName("typical")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditWithNValuesAndWallFigure)->ArgName("typical")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditWithBothOverlays)->ArgName("typical")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditWithoutNValues)->ArgName("typical")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculationAfterAnEdit)->ArgName("typical")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarksLayoutAndPaint)->ArgName("typical")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
