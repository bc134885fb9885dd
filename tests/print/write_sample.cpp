// Writes the sample document as PNG pages, a PDF and a text dump into a folder (looking at the output).
#include <QFile>
#include <QGuiApplication>

#include "print/font_names.h"
#include "print/page_render.h"
#include "print/print_surface.h"
#include "print/sample_document.h"
#include "print/text_dump.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const int rows = argc > 2 ? atoi(argv[2]) : 120;
    rqx::InstallJapaneseFontSubstitutions();
    rqx::PrintSurface s;
    rqx::RecordSampleDocument(s, rows);
    for (int n = 1; n <= s.PageCount(); ++n)
        rqx::RenderPageImage(s.document(), n, 100).save(dir + QStringLiteral("/page-%1.png").arg(n));
    const rqx::PdfOutcome pdf = rqx::WritePdfFile(s.document(), dir + QStringLiteral("/sample.pdf"));
    if (!pdf.ok())
        qWarning("%s", qPrintable(pdf.renderError.isEmpty() ? pdf.saved.cause() : pdf.renderError));
    QFile dump(dir + QStringLiteral("/sample.txt"));
    if (dump.open(QIODevice::WriteOnly))
        dump.write(rqx::DumpDocumentText(s.document()).toUtf8());
    return 0;
}
