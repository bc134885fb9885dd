// Every project file the reader accepts goes through the whole program without a window: the
// calculation sequence, the report, the plan pages of each storey, the transfer check and the frame
// of the first and last line of each direction into the page model, their text dump and a small
// image of each figure page; then the project is saved to memory and read back to the same bytes.
// Values past the reader (wall kinds, indices, coordinates) must never overflow or crash here.
#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <cstdlib>

#include "calc/n_value.h"
#include "model/project_file.h"
#include "print/font_names.h"
#include "print/page_render.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "print/text_dump.h"
#include "report/frame_page.h"
#include "report/plan_pages.h"
#include "report/report_builder.h"

namespace {

void DumpAndDraw(const rqx::PrintDocument &doc, bool draw)
{
    for (int n = 1; n <= doc.pageCount(); ++n)
        if (rqx::DumpPageText(doc, n).isEmpty())
            std::abort();
    if (draw && doc.pageCount() > 0 && rqx::RenderPageImage(doc, 1, 12).isNull())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    rqx::InstallJapaneseFontSubstitutions();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    rqx::Project project;
    QString reason;
    if (!rqx::ParseProject(bytes, project, &reason))
        return 0;

    // Saved as read.
    const QByteArray written = rqx::SerializeProject(project);
    rqx::Project again;
    if (!rqx::ParseProject(written, again, &reason) || rqx::SerializeProject(again) != written)
        std::abort();

    const rqx::Calculation c = rqx::Calculate(project);
    {
        rqx::PrintSurface report;
        rqx::BuildReport(report, project, c);
        DumpAndDraw(report.document(), false);
    }
    for (int floor = 1; floor <= project.dims.floorCount; ++floor)
        for (const int kind : {rqx::kPlanBearingWalls, rqx::kPlanHardware}) {
            rqx::PrintSurface plan;
            rqx::RecordReportPlanPage(plan, project, c, kind, floor);
            DumpAndDraw(plan.document(), true);
        }
    if (project.dims.floorCount == 2) {
        rqx::PrintSurface transfer;
        rqx::RecordTransferCheckPage(transfer, project, c);
        DumpAndDraw(transfer.document(), true);
    }
    const int lines[3] = {0, project.dims.spanCountX + 1, project.dims.spanCountY + 1};
    for (const int direction : {rqx::kDirX, rqx::kDirY})
        for (const int line : {1, lines[direction]}) {
            rqx::PrintSurface frame;
            if (rqx::RecordFrameViewPage(frame, project, c, direction, line))
                DumpAndDraw(frame.document(), true);
        }

    // The project with the calculation's marks, as the program saves it, reads back to the same bytes too.
    rqx::StampCalculatedMarks(project, c);
    rqx::PrepareProjectForSave(project);
    const QByteArray after = rqx::SerializeProject(project);
    rqx::Project back;
    if (!rqx::ParseProject(after, back, &reason) || rqx::SerializeProject(back) != after)
        std::abort();
    return 0;
}
