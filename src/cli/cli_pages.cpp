#include "cli/cli_pages.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QStringList>

#include "cli/cli_common.h"
#include "common/safe_save.h"
#include "dxf/dxf_export.h"
#include "print/page_render.h"
#include "print/print_document.h"
#include "print/text_dump.h"

namespace rqx::cli {

PageOutput PageOutputOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return PageOutput::Pdf;
    if (suffix == QLatin1String("png"))
        return PageOutput::Png;
    if (suffix == QLatin1String("txt"))
        return PageOutput::Text;
    if (suffix == QLatin1String("dxf"))
        return PageOutput::Dxf;
    return PageOutput::Invalid;
}

bool WritePageOutput(const PrintDocument &doc, const QString &path, const QString &title)
{
    const QString what = QStringLiteral("図");
    SaveOutcome saved;
    switch (PageOutputOf(path)) {
        case PageOutput::Pdf: {
            const PdfOutcome written = WritePdfFile(doc, path, 600, title);
            if (written.ok())
                return true;
            PrintWriteFailure(what, path, written.saved, written.renderError);
            return false;
        }
        case PageOutput::Png: {
            // Encoded in memory, then saved whole: a failed write keeps the old file.
            QBuffer png;
            png.open(QIODevice::WriteOnly);
            QImageWriter writer(&png, "png");
            if (!writer.write(RenderPageImage(doc, 1, 150))) {
                PrintWriteFailure(what, path, {}, writer.errorString());
                return false;
            }
            saved = SaveFileSafely(path, png.data());
            break;
        }
        case PageOutput::Text:
            saved = SaveFileSafely(path, DumpDocumentText(doc).toUtf8());
            break;
        case PageOutput::Dxf: {
            const std::vector<DxfDrawing> figures = DocumentDrawings(doc);
            const DxfDrawing drawing = figures.empty() ? DxfDrawing{} : figures.front();
            saved = SaveFileSafely(path, DrawingToDxf(doc, drawing, true));
            break;
        }
        case PageOutput::Invalid:
            PrintError(QStringLiteral("出力ファイルの種類が分かりません: ") + path);
            Err() << "velmrqx-cli: " << path << ": unknown output kind (use .pdf, .png, .txt or .dxf)"
                  << Qt::endl;
            return false;
    }
    if (saved)
        return true;
    PrintWriteFailure(what, path, saved);
    return false;
}

QString PageArgs::value(const QString &name) const
{
    const qsizetype i = names.lastIndexOf(name);
    return i < 0 ? QString() : values[i];
}

bool ParsePageArgs(const QStringList &args, const QStringList &known, PageArgs &out)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("-o") || known.contains(a)) {
            if (i + 1 >= args.size())
                return false;
            if (a == QLatin1String("-o"))
                out.output = args[i + 1];
            else {
                out.names << a;
                out.values << args[i + 1];
            }
            ++i;
        } else if (a.startsWith(QLatin1Char('-')) || !out.file.isEmpty()) {
            return false;
        } else {
            out.file = a;
        }
    }
    return !out.file.isEmpty() && !out.output.isEmpty();
}

int PositiveNumber(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n > 0 ? n : 0;
}

}  // namespace rqx::cli
