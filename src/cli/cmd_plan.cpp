// plan FILE.RQX --floor N --kind walls|hardware|transfer -o OUT.pdf|OUT.png|OUT.txt|OUT.dxf: one page with
// the plan of a storey, after the calculation, laid out as the program prints it: "walls" the report's
// bearing-wall plan of that floor, "hardware" its hardware plan (A4 portrait, the report's margins, header,
// title and legend; no page number), "transfer" the second-storey column transfer check page (A4 landscape;
// storey 2 over storey 1, so --floor may be left out or must be 2). PNG at 150 dpi, PDF, or the page's text
// dump.
#include <QStringList>

#include "calc/calculation.h"
#include "cli/cli_common.h"
#include "cli/cli_pages.h"
#include "print/font_names.h"
#include "print/print_surface.h"
#include "report/plan_pages.h"

namespace rqx::cli {

int RunPlan(const QStringList &args)
{
    const QString usage = QStringLiteral(
        "plan FILE.RQX --floor N --kind walls|hardware|transfer -o OUT.pdf|OUT.png|OUT.txt|OUT.dxf");
    PageArgs a;
    if (!ParsePageArgs(args, {QStringLiteral("--floor"), QStringLiteral("--kind")}, a))
        return UsageError(usage);
    const QString kind = a.value(QStringLiteral("--kind"));
    const bool transfer = kind == QLatin1String("transfer");
    if (kind != QLatin1String("walls") && kind != QLatin1String("hardware") && !transfer)
        return UsageError(usage);
    if (!transfer && !a.has(QStringLiteral("--floor")))
        return UsageError(usage);
    if (PageOutputOf(a.output) == PageOutput::Invalid) {
        PrintError(
            QStringLiteral("velmrqx-cli: %1: the output must end in .pdf, .png, .txt or .dxf").arg(a.output));
        return kExitUsage;
    }
    const int floor =
        a.has(QStringLiteral("--floor")) ? PositiveNumber(a.value(QStringLiteral("--floor"))) : 2;

    Project p;
    if (!LoadForCommand(a.file, p))
        return kExitRefused;
    if (floor < 1 || floor > p.dims.floorCount) {
        PrintError(QStringLiteral("velmrqx-cli: %1: there is no floor %2 (the project has %3)")
                       .arg(a.file, a.value(QStringLiteral("--floor")))
                       .arg(p.dims.floorCount));
        return kExitUsage;
    }
    if (transfer && floor != 2) {
        PrintError(QStringLiteral(
            "velmrqx-cli: the transfer check shows storey 2 over storey 1: use --floor 2 or leave it out"));
        return kExitUsage;
    }

    InstallJapaneseFontSubstitutions();
    const Calculation c = Calculate(p);
    PrintSurface surface;
    if (transfer)
        RecordTransferCheckPage(surface, p, c);
    else
        RecordReportPlanPage(surface, p, c,
                             kind == QLatin1String("walls") ? kPlanBearingWalls : kPlanHardware, floor);
    return WritePageOutput(surface.document(), a.output, p.info.buildingName) ? kExitOk : kExitRefused;
}

}  // namespace rqx::cli
