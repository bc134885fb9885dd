// report FILE.RQX -o OUT.pdf | --text: runs the calculation the way the report command does and
// records the whole calculation report; writes it as PDF (nothing is left behind when the write
// fails) or prints the text dump of its pages ("--- page K/N ---" lines) on stdout.
#include <QStringList>

#include "calc/n_value.h"
#include "cli/cli_common.h"
#include "print/font_names.h"
#include "print/page_render.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "print/text_dump.h"
#include "report/report_builder.h"

namespace rqx::cli {

int RunReport(const QStringList &args)
{
    const QString usage = QStringLiteral("report FILE.RQX -o OUT.pdf | report FILE.RQX --text");
    QString file;
    QString output;
    bool text = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("-o") && i + 1 < args.size() && output.isEmpty())
            output = args[++i];
        else if (a == QLatin1String("--text") && !text)
            text = true;
        else if (!a.startsWith(QLatin1Char('-')) && file.isEmpty())
            file = a;
        else
            return UsageError(usage);
    }
    if (file.isEmpty() || text == !output.isEmpty())
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
    const PdfOutcome written =
        WritePdfFile(surface.document(), output, 600, project.info.buildingName.trimmed());
    if (!written.ok()) {
        PrintWriteFailure(QStringLiteral("計算書"), output, written.saved, written.renderError);
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace rqx::cli
