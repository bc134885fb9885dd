#pragma once
// Writing a recorded page document for the page commands (plan, frame): PDF through the print surface,
// PNG of the first page at 150 dpi, the text dump, or the first page's figure as a DXF drawing (the rest of
// the page on its "SHEET" layer), chosen by the output file's extension.

#include <QString>
#include <QStringList>

namespace rqx {
class PrintDocument;
}

namespace rqx::cli {

enum class PageOutput { Invalid, Pdf, Png, Text, Dxf };
// The output kind of a path by its extension (any case): .pdf, .png, .txt, .dxf.
PageOutput PageOutputOf(const QString &path);

// Writes the document; on failure prints why on stderr and returns false.
bool WritePageOutput(const PrintDocument &doc, const QString &path, const QString &title);

// Options of the page commands: "--name VALUE" pairs after one positional FILE.RQX. False (with a usage
// error to print) on an unknown option, a missing value or a second file.
struct PageArgs {
    QString file;
    QString output;
    QStringList names;   // options given, in order
    QStringList values;  // their values
    QString value(const QString &name) const;
    bool has(const QString &name) const { return names.contains(name); }
};
bool ParsePageArgs(const QStringList &args, const QStringList &known, PageArgs &out);

// A positive whole number, or 0 when the text is not one.
int PositiveNumber(const QString &text);

}  // namespace rqx::cli
