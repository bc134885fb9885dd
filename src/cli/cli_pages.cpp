#include "cli/cli_pages.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QStringList>

#include "cli/cli_common.h"
#include "common/safe_save.h"
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
    return PageOutput::Invalid;
}

bool WritePageOutput(const PrintDocument &doc, const QString &path, const QString &title)
{
    QString error;
    switch (PageOutputOf(path)) {
        case PageOutput::Pdf:
            if (WritePdf(doc, path, &error, 600, title))
                return true;
            break;
        case PageOutput::Png: {
            // Encoded in memory, then saved whole: a failed write keeps the old file.
            QBuffer png;
            png.open(QIODevice::WriteOnly);
            QImageWriter writer(&png, "png");
            if (!writer.write(RenderPageImage(doc, 1, 150))) {
                error = writer.errorString();
                break;
            }
            const SaveOutcome saved = SaveFileSafely(path, png.data());
            if (saved)
                return true;
            error = saved.causeInEnglish();
            break;
        }
        case PageOutput::Text: {
            const SaveOutcome saved = SaveFileSafely(path, DumpDocumentText(doc).toUtf8());
            if (saved)
                return true;
            error = saved.causeInEnglish();
            break;
        }
        case PageOutput::Invalid:
            error = QStringLiteral("unknown output kind");
            break;
    }
    PrintError(QStringLiteral("%1 could not be written: %2").arg(path, error));
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
