// Calculation report: building the whole report of the example house and of the largest project
// (30 × 30 modules, 4 divisions, a column on every node of both storeys, walls on every grid line), and
// writing the largest one as PDF. Counters: pages, recorded document memory, peak resident memory.
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>

#include "calc/n_value.h"
#include "model/project_file.h"
#include "print/font_names.h"
#include "print/page_render.h"
#include "print/print_surface.h"
#include "report/report_builder.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"

namespace {

using namespace rqx;

double PeakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// A project with its calculation.
struct Calculated {
    Project project;
    Calculation calc;
};

const Calculated &ExampleHouse()
{
    static const Calculated p = [] {
        Project project;
        LoadProjectFile(QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX"), project);
        Calculation calc = Calculate(project);
        return Calculated{std::move(project), std::move(calc)};
    }();
    return p;
}

// The largest project with a column on every node of both storeys and a wall on every grid line.
const Calculated &LargestProject()
{
    static const Calculated p = [] {
        Project project = samples::LargestHouse();
        const int n = project.dims.spanCountX + 1;
        for (int level = 1; level <= 2; ++level)
            for (int iy = 1; iy <= n; ++iy)
                for (int ix = 1; ix <= n; ++ix)
                    if (project.nodes(ix, iy, level).columnKind == 0)
                        samples::PlaceColumn(project, level, ix, iy, 1);
        for (int line = 2; line <= n; ++line)
            if ((line - 1) % 4 != 0) {
                samples::PlaceWall(project, 1, kDirX, line, 1, 3, kKeyMenzai, 2);
                samples::PlaceWall(project, 1, kDirY, line, 1, 3, kKeyMenzai, 2);
            }
        Calculation calc = Calculate(project);
        return Calculated{std::move(project), std::move(calc)};
    }();
    return p;
}

void BuildOnce(benchmark::State &state, const Calculated &p)
{
    InstallJapaneseFontSubstitutions();
    int pages = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        PrintSurface surface;
        const ReportResult r = BuildReport(surface, p.project, p.calc);
        pages = r.pageCount;
        bytes = surface.document().memoryBytes();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["document_MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = PeakResidentMiB();
}

void BM_ExampleHouseReport(benchmark::State &state)
{
    BuildOnce(state, ExampleHouse());
}
BENCHMARK(BM_ExampleHouseReport)->Unit(benchmark::kMillisecond);

void BM_LargestProjectReport(benchmark::State &state)
{
    BuildOnce(state, LargestProject());
}
BENCHMARK(BM_LargestProjectReport)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_LargestProjectReportPdf(benchmark::State &state)
{
    InstallJapaneseFontSubstitutions();
    PrintSurface surface;
    BuildReport(surface, LargestProject().project, LargestProject().calc);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        if (!WritePdfFile(surface.document(), path).ok())
            state.SkipWithError("the PDF was not written");
    }
    state.counters["pages"] = surface.PageCount();
    state.counters["pdf_MiB"] = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = PeakResidentMiB();
}
BENCHMARK(BM_LargestProjectReportPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
