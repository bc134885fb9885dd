// report FILE.RQX -o OUT.pdf | --text | --dxf FOLDER: runs the calculation the way the report command
// does and records the whole calculation report; writes it as PDF (nothing is left behind when the write
// fails), prints the text dump of its pages ("--- page K/N ---" lines) on stdout, or writes every plan and
// frame figure of it as a DXF drawing into FOLDER (made when missing; one file each, listed on stdout).
#include <QDir>
#include <QStringList>

#include "calc/n_value.h"
#include "cli/cli_common.h"
#include "dxf/dxf_export.h"
#include "print/font_names.h"
#include "print/page_render.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "print/text_dump.h"
#include "report/report_builder.h"

namespace rqx::cli {

int RunReport(const QStringList &args)
{
    const QString usage =
        QStringLiteral("report FILE.RQX -o OUT.pdf | report FILE.RQX --text | report FILE.RQX --dxf FOLDER");
    QString file;
    QString output;
    QString dxfFolder;
    bool text = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("-o") && i + 1 < args.size() && output.isEmpty())
            output = args[++i];
        else if (a == QLatin1String("--dxf") && i + 1 < args.size() && dxfFolder.isEmpty())
            dxfFolder = args[++i];
        else if (a == QLatin1String("--text") && !text)
            text = true;
        else if (!a.startsWith(QLatin1Char('-')) && file.isEmpty())
            file = a;
        else
            return UsageError(usage);
    }
    if (file.isEmpty() || int(text) + int(!output.isEmpty()) + int(!dxfFolder.isEmpty()) != 1)
        return UsageError(usage);

    Project project;
    if (!LoadForCommand(file, project))
        return kExitRefused;
    RunCalculationSequence(project, true);
    InstallJapaneseFontSubstitutions();
    PrintSurface surface;
    BuildReport(surface, project);
    if (text) {
        // Page by page: the dump of a long report is never held whole.
        const PrintDocument &doc = surface.document();
        for (int n = 1; n <= doc.pageCount(); ++n)
            Out() << DumpPageText(doc, n);
        Out().flush();
        return kExitOk;
    }
    if (!dxfFolder.isEmpty()) {
        if (!QDir().mkpath(dxfFolder)) {
            PrintError(QStringLiteral("フォルダを作成できません: ") + dxfFolder);
            Err() << "velmrqx-cli: " << dxfFolder << ": the folder could not be made" << Qt::endl;
            return kExitRefused;
        }
        const DxfFolderOutcome written =
            WriteDxfDrawings(surface.document(), DocumentDrawings(surface.document()), dxfFolder);
        for (const QString &path : written.written)
            Out() << path << Qt::endl;
        if (!written.ok()) {
            PrintWriteFailure(QStringLiteral("図面"), written.failedPath, written.saved);
            return kExitRefused;
        }
        return kExitOk;
    }
    const PdfOutcome written =
        WritePdfFile(surface.document(), output, 600, project.info.buildingName.trimmed());
    if (!written.ok()) {
        PrintWriteFailure(QStringLiteral("計算書"), output, written.saved, written.renderError);
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace rqx::cli
