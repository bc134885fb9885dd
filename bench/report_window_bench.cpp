// Report window: how soon the first page is on screen once a report of thousands of pages is built, and
// how long a page change takes, in our own preview (renders only the pages in view) beside Qt's
// QPrintPreviewWidget showing the same document (it paints every page up front).
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <memory>

#include "calc/n_value.h"
#include "print/page_render.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "report/report_builder.h"
#include "print/sample_document.h"
#include "report/ui/page_preview.h"
#include "support/sample_houses.h"

namespace rqx {
namespace {

// Argument 0: the calculation report of the largest project the program allows; 1: a report-like
// document of about 1,500 pages (a long result table), for how the preview scales. Built once each.
const std::shared_ptr<const PrintDocument> &LargeReport(int which)
{
    static const std::shared_ptr<const PrintDocument> largest = [] {
        Project project = sample::LargestHouse();
        RunCalculationSequence(project, true);
        PrintSurface s;
        BuildReport(s, project);
        return s.TakeDocument();
    }();
    if (which == 0)
        return largest;
    static const std::shared_ptr<const PrintDocument> long_ = [] {
        PrintSurface s;
        RecordSampleDocument(s, 45000);
        return s.TakeDocument();
    }();
    return long_;
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
BENCHMARK(BM_PreviewFirstPage)->Arg(0)->Arg(1)->ArgName("long")->Unit(benchmark::kMillisecond);

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
    ->ArgNames({"long", "after_idle"})
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
    ->ArgName("long")
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
