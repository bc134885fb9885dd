// Plan drawing speed on the largest project (30 × 30 modules, 4 divisions, every kind of member),
// on a raster of a full-screen plan viewport, offscreen.

#include <benchmark/benchmark.h>

#include "editor/plan_render.h"
#include "support/sample_houses.h"

namespace {

constexpr int kViewportW = 1400;
constexpr int kViewportH = 900;

struct Scene {
    rqx::Project project = rqx::samples::LargestHouse();
    rqx::EditorState editor;
};

Scene &SharedScene()
{
    static Scene scene;
    return scene;
}

QSize PaperSize(float zoom)
{
    return {static_cast<int>(zoom * kViewportW) - 4, static_cast<int>(zoom * kViewportH) - 4};
}

// drawWholePlan alone, over a cleared and fitted surface; arg = zoom × 10.
void BM_DrawWholePlan(benchmark::State &state)
{
    Scene &sc = SharedScene();
    sc.editor.zoomFactor = static_cast<float>(state.range(0)) / 10.0f;
    sc.editor.currentTool = rqx::kToolWall;
    rqx::PlanSurface surface(PaperSize(sc.editor.zoomFactor));
    rqx::fitPlan(surface, sc.project, sc.editor.fit);
    const rqx::PlanInputs in{sc.project, sc.editor, 1};
    for (auto _ : state) {
        rqx::drawWholePlan(surface, in);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_DrawWholePlan)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

// The full redraw of a zoom change or a resize: new raster, clear, fit, line names, whole plan.
void BM_ZoomOrResizeRepaint(benchmark::State &state)
{
    Scene &sc = SharedScene();
    sc.editor.zoomFactor = static_cast<float>(state.range(0)) / 10.0f;
    sc.editor.currentTool = rqx::kToolColumn;
    rqx::PlanSurface surface;
    int turn = 0;
    for (auto _ : state) {
        // A new size every time, so that every repaint allocates its raster as a real change does.
        surface.resize(PaperSize(sc.editor.zoomFactor) + QSize(++turn % 2, 0));
        rqx::RedrawPlan(surface, sc.project, sc.editor, 2);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_ZoomOrResizeRepaint)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

// Erase and draw of one span in the middle of the plan, as around one edit.
void BM_DrawRegionOneSpan(benchmark::State &state)
{
    Scene &sc = SharedScene();
    sc.editor.zoomFactor = 1.0f;
    sc.editor.currentTool = rqx::kToolWall;
    rqx::PlanSurface surface(PaperSize(1.0f));
    rqx::RedrawPlan(surface, sc.project, sc.editor, 1);
    const rqx::PlanInputs in{sc.project, sc.editor, 1};
    for (auto _ : state) {
        rqx::drawRegion(surface, in, true, 61, 61, 62, 61);
        rqx::drawRegion(surface, in, false, 61, 61, 62, 61);
    }
}
BENCHMARK(BM_DrawRegionOneSpan)->Unit(benchmark::kMicrosecond);

}  // namespace
