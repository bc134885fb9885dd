// Report window: how soon the first page is on screen once a report of thousands of pages is built, and
// how long a page change takes, in our own preview (renders only the pages in view) beside Qt's
// QPrintPreviewWidget showing the same document (it paints every page up front).
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <memory>

#include "calc/n_value.h"
#include "print/font_names.h"
#include "print/page_render.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "report/report_builder.h"
#include "report/ui/page_preview.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"

namespace rqx {
namespace {

// Argument 0: the calculation report of the largest project the program allows (120 × 120 spans, the
// sample's members: 126 pages); 1: the same grid with a column on every node of both storeys and walls
// on most lines (about 1,550 pages). Built once each.
const std::shared_ptr<const PrintDocument> &LargeReport(int which)
{
    auto build = [](bool full) {
        Project project = samples::LargestHouse();
        const int n = project.dims.spanCountX + 1;
        for (int level = 1; full && level <= 2; ++level)
            for (int iy = 1; iy <= n; ++iy)
                for (int ix = 1; ix <= n; ++ix)
                    if (project.nodes(ix, iy, level).columnKind == 0)
                        samples::PlaceColumn(project, level, ix, iy, 1);
        for (int line = 2; full && line <= n; ++line)
            if ((line - 1) % 4 != 0) {
                samples::PlaceWall(project, 1, kDirX, line, 1, 3, kKeyMenzai, 2);
                samples::PlaceWall(project, 1, kDirY, line, 1, 3, kKeyMenzai, 2);
            }
        PrintSurface s;
        BuildReport(s, project, Calculate(project));
        return std::shared_ptr<const PrintDocument>(s.TakeDocument());
    };
    static const std::shared_ptr<const PrintDocument> largest = build(false);
    if (which == 0)
        return largest;
    static const std::shared_ptr<const PrintDocument> full = build(true);
    return full;
}

// Paints the widget as the screen would (the whole window into its backing image).
void Show(QWidget &w)
{
    benchmark::DoNotOptimize(w.grab());
}

void BM_PreviewFirstPage(benchmark::State &state)
{
    const auto &doc = LargeReport(int(state.range(0)));
    for (auto _ : state) {
        PagePreview view;
        view.resize(1200, 900);
        view.setDocument(doc);
        Show(view);
    }
    state.counters["pages"] = doc->pageCount();
}
BENCHMARK(BM_PreviewFirstPage)->Arg(0)->Arg(1)->ArgName("full")->Unit(benchmark::kMillisecond);

// A page change to a page not prepared yet (the designer jumps far) and to the next page after the
// window was idle a moment (the neighbours are prepared then).
void BM_PreviewPageChange(benchmark::State &state)
{
    const bool idle = state.range(1) != 0;
    const auto &doc = LargeReport(int(state.range(0)));
    PagePreview view;
    view.resize(1200, 900);
    view.setDocument(doc);
    Show(view);
    int page = 1;
    for (auto _ : state) {
        if (idle) {
            state.PauseTiming();
            QApplication::processEvents();
            QApplication::processEvents();
            state.ResumeTiming();
            page = page % doc->pageCount() + 1;
        } else {
            page = (page + 97) % doc->pageCount() + 1;
        }
        view.setCurrentPage(page);
        Show(view);
    }
}
BENCHMARK(BM_PreviewPageChange)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"full", "after_idle"})
    ->Unit(benchmark::kMillisecond);

void BM_QtPreviewFirstPage(benchmark::State &state)
{
    const auto &doc = LargeReport(int(state.range(0)));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        QPrintPreviewWidget view(&printer);
        QObject::connect(&view, &QPrintPreviewWidget::paintRequested,
                         [&](QPrinter *p) { RenderPages(*doc, *p, 1, doc->pageCount()); });
        view.resize(1200, 900);
        view.setZoomMode(QPrintPreviewWidget::FitToWidth);
        view.updatePreview();
        Show(view);
    }
    state.counters["pages"] = doc->pageCount();
}
BENCHMARK(BM_QtPreviewFirstPage)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("full")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_QtPreviewPageChange(benchmark::State &state)
{
    const auto &doc = LargeReport(int(state.range(0)));
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QPrintPreviewWidget view(&printer);
    QObject::connect(&view, &QPrintPreviewWidget::paintRequested,
                     [&](QPrinter *p) { RenderPages(*doc, *p, 1, doc->pageCount()); });
    view.resize(1200, 900);
    view.setZoomMode(QPrintPreviewWidget::FitToWidth);
    view.updatePreview();
    Show(view);
    int page = 1;
    for (auto _ : state) {
        page = (page + 97) % doc->pageCount() + 1;
        view.setCurrentPage(page);
        Show(view);
    }
}
BENCHMARK(BM_QtPreviewPageChange)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace rqx

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    rqx::InstallJapaneseFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
