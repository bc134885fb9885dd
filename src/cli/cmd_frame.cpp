// frame FILE.RQX --x K|--y K -o OUT.pdf|OUT.png|OUT.txt|OUT.dxf: the frame elevation of X line K or Y line K
// (K the line's index from 1), after the calculation, as the frame view prints it at the report's frame
// scale: one A4 landscape page with the line names, walls, columns with their hardware and beams, the
// dimension lines, the header and footer. PNG at
// 150 dpi, PDF, or the page's text dump.
#include <QStringList>

#include "calc/calculation.h"
#include "cli/cli_common.h"
#include "cli/cli_pages.h"
#include "print/font_names.h"
#include "print/print_surface.h"
#include "report/frame_page.h"

namespace rqx::cli {

int RunFrame(const QStringList &args)
{
    const QString usage = QStringLiteral("frame FILE.RQX --x K|--y K -o OUT.pdf|OUT.png|OUT.txt|OUT.dxf");
    PageArgs a;
    if (!ParsePageArgs(args, {QStringLiteral("--x"), QStringLiteral("--y")}, a) || a.names.size() != 1)
        return UsageError(usage);
    const bool onX = a.has(QStringLiteral("--x"));
    const QString lineText = a.values.first();
    const int line = PositiveNumber(lineText);
    if (PageOutputOf(a.output) == PageOutput::Invalid) {
        PrintError(
            QStringLiteral("velmrqx-cli: %1: the output must end in .pdf, .png, .txt or .dxf").arg(a.output));
        return kExitUsage;
    }

    Project p;
    if (!LoadForCommand(a.file, p))
        return kExitRefused;
    const int direction = onX ? kFrameOnXLine : kFrameOnYLine;
    if (FrameNodeCount(p, direction, line) == 0) {
        PrintError(QStringLiteral("velmrqx-cli: %1: there is no %2 line %3 (lines 1 to %4)")
                       .arg(a.file, onX ? QStringLiteral("X") : QStringLiteral("Y"), lineText)
                       .arg((onX ? p.dims.spanCountX : p.dims.spanCountY) + 1));
        return kExitUsage;
    }

    InstallJapaneseFontSubstitutions();
    const Calculation c = Calculate(p);
    PrintSurface surface;
    // At the report's frame scale, so that the page and the report's frames measure alike.
    RecordFrameViewPage(surface, p, c, direction, line, ReportFrameScaleDenominator(surface, p));
    return WritePageOutput(surface.document(), a.output, p.info.buildingName) ? kExitOk : kExitRefused;
}

}  // namespace rqx::cli
