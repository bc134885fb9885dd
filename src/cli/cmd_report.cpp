// report FILE.RQX -o OUT.pdf | --text | --dxf FOLDER: runs the calculation the way the report command
// does and records the whole calculation report; writes it as PDF (nothing is left behind when the write
// fails), prints the text dump of its pages ("--- page K/N ---" lines) on stdout, or writes every plan and
// frame figure of it as a DXF drawing into FOLDER (made when missing; one file each, listed on stdout).
// --heights H1[,H2] takes the storey heights in metres for this run instead of the stored ones.
#include <QStringList>

#include "calc/calculation.h"
#include "cli/cli_common.h"
#include "cli/cli_pages.h"
#include "common/file_paths.h"
#include "common/safe_save.h"
#include "dxf/dxf_export.h"
#include "print/font_names.h"
#include "print/page_render.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "print/text_dump.h"
#include "report/report_builder.h"

namespace rqx::cli {

namespace {

// One of the three outputs, chosen on the command line.
struct ReportArgs {
    QString file;
    QString output;  // -o OUT.pdf
    QString dxfFolder;
    bool text = false;
    StoreyHeightsOption heights;
    bool heightsRefused = false;  // a --heights value was refused: which, and why
    QString refusedHeights;
    StoreyHeightRefusal heightsWhy;
};

bool ParseReportArgs(const QStringList &args, ReportArgs &a)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("-o") && i + 1 < args.size() && a.output.isEmpty())
            a.output = args[++i];
        else if (arg == QLatin1String("--dxf") && i + 1 < args.size() && a.dxfFolder.isEmpty())
            a.dxfFolder = args[++i];
        else if (arg == QLatin1String("--text") && !a.text)
            a.text = true;
        else if (arg == QLatin1String("--heights") && i + 1 < args.size() && !a.heights.given) {
            if (!ParseStoreyHeights(args[++i], a.heights, a.heightsWhy)) {
                a.heightsRefused = true;
                a.refusedHeights = args[i];
                return false;
            }
        } else if (!arg.startsWith(QLatin1Char('-')) && a.file.isEmpty())
            a.file = arg;
        else
            return false;
    }
    return !a.file.isEmpty() && int(a.text) + int(!a.output.isEmpty()) + int(!a.dxfFolder.isEmpty()) == 1;
}

// Page by page: the dump of a long report is never held whole.
int WriteTextDump(const PrintDocument &doc)
{
    for (int n = 1; n <= doc.pageCount(); ++n)
        Out() << DumpPageText(doc, n);
    Out().flush();
    return kExitOk;
}

// The folder of the drawings, made before the report is built; false (with the cause printed) when it
// cannot be.
bool MakeDrawingFolder(const QString &folder)
{
    const int error = MakeFolderPath(folder);
    if (error == 0)
        return true;
    PrintError(QStringLiteral("フォルダを作成できません: ") + folder + QLatin1Char('\r') + SystemErrorText(error));
    Err() << "velmrqx-cli: " << folder << ": the folder could not be made: " << SystemErrorInEnglish(error)
          << Qt::endl;
    return false;
}

int WriteDrawings(const PrintDocument &doc, const QString &folder)
{
    const DxfFolderOutcome written = WriteDxfDrawings(doc, DocumentDrawings(doc), folder);
    for (const QString &path : written.written)
        Out() << path << Qt::endl;
    if (!written.ok()) {
        PrintWriteFailure(QStringLiteral("図面"), written.failedPath, written.saved);
        return kExitRefused;
    }
    return kExitOk;
}

int WritePdfOutput(const PrintDocument &doc, const QString &output, const QString &title)
{
    const PdfOutcome written = WritePdfFile(doc, output, 600, title);
    if (!written.ok()) {
        PrintWriteFailure(QStringLiteral("計算書"), output, written.saved, written.renderError);
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace

int RunReport(const QStringList &args)
{
    ReportArgs a;
    const QString usage = QStringLiteral(
        "report FILE.RQX -o OUT.pdf | report FILE.RQX --text | report FILE.RQX --dxf FOLDER [--heights H1[,H2]]");
    if (!ParseReportArgs(args, a))
        return !a.heightsRefused ? UsageError(usage) : RefuseStoreyHeights(a.refusedHeights, a.heightsWhy, usage);
    if (!a.output.isEmpty() && PageOutputOf(a.output) != PageOutput::Pdf) {
        PrintError(QStringLiteral("velmrqx-cli: %1: the output must end in .pdf").arg(a.output));
        return kExitUsage;
    }
    Project project;
    if (!LoadForCommand(a.file, project))
        return kExitRefused;
    if (!a.dxfFolder.isEmpty() && !MakeDrawingFolder(a.dxfFolder))
        return kExitRefused;
    ApplyStoreyHeights(a.heights, project);
    const Calculation calc = Calculate(project);
    InstallJapaneseFontSubstitutions();
    PrintSurface surface;
    BuildReport(surface, project, calc);
    if (a.text)
        return WriteTextDump(surface.document());
    if (!a.dxfFolder.isEmpty())
        return WriteDrawings(surface.document(), a.dxfFolder);
    return WritePdfOutput(surface.document(), a.output, project.info.buildingName.trimmed());
}

}  // namespace rqx::cli
