// The project's undo history on the largest project (120 × 120 spans, two storeys, every node
// carrying walls, a column, beams and hardware texts): undo and redo of a group delete of 5 × 5
// modules with the plan region erased and drawn again on a full-screen raster, and the memory the
// history holds after 100 typical edits.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <QUndoStack>

#include <memory>

#include "document_screen.h"
#include "support/house_builder.h"

namespace {

using namespace rqx;

// Undo (Arg 0) or redo (Arg 1) of the walls, both kinds, of 5 × 5 modules (20 × 20 spans).
void BM_UndoRedoOfGroupDelete(benchmark::State &state)
{
    DocumentScreen sc;
    sc.editor.deleteBothKinds = 1;
    sc.span(kToolWall, 41, 41, 61, 61, kModeGroupDelete);
    if (sc.doc.undoStack()->count() != 1) {
        state.SkipWithError("the group delete made no step");
        return;
    }
    const bool redo = state.range(0) == 1;
    for (auto _ : state) {
        if (redo) {
            state.PauseTiming();
            sc.doc.undo();
            state.ResumeTiming();
            sc.doc.redo();
        } else {
            sc.doc.undo();
            state.PauseTiming();
            sc.doc.redo();
            state.ResumeTiming();
        }
    }
    state.SetLabel(redo ? "redo" : "undo");
}
BENCHMARK(BM_UndoRedoOfGroupDelete)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Heap held by the history after 100 typical edits on the largest grid, drawn from empty: two-span
// walls, columns, beam spans and floor cells across the plan.
void BM_HistoryOf100Edits(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto sc = std::make_unique<DocumentScreen>(samples::NewProject(120, 120, 2, 4));
        // The editor's working snapshot arrays are made by the first edit: not the history's.
        sc->span(kToolColumn, 2, 2, 2, 2, kModeDelete);
        sc->doc.undoStack()->clear();
        const std::size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        for (int k = 0; k < 100; ++k) {
            const int x = 3 + (k * 11) % 110;
            const int y = 3 + (k * 7) % 110;
            const EditMode mode = kModePlace;
            switch (k % 4) {
                case 0:
                    sc->span(kToolWall, x, y, x + 2, y, mode);
                    break;
                case 1:
                    sc->span(kToolColumn, x, y, x, y, mode);
                    break;
                case 2:
                    sc->span(kToolBeam, x, y, x, y + 4, mode);
                    break;
                default:
                    sc->span(kToolFloor, x, y, x + 2, y + 2, mode);
                    break;
            }
        }
        state.PauseTiming();
        const std::size_t after = mallinfo2().uordblks;
        state.counters["steps"] = sc->doc.undoStack()->count();
        state.counters["history_MB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
        sc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HistoryOf100Edits)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
