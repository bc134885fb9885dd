#include "print/text_dump.h"

#include "print/print_document.h"

namespace rqx {

QString DumpPageText(const PrintDocument &doc, int n)
{
    QString out = QStringLiteral("--- page %1/%2 ---\n").arg(n).arg(doc.pageCount());
    for (const PageItem &item : doc.page(n).items) {
        if (item.kind == PageItemKind::Text) {
            out += doc.string(item.a);
            out += u'\n';
        }
    }
    return out;
}

QString DumpDocumentText(const PrintDocument &doc)
{
    QString out;
    for (int n = 1; n <= doc.pageCount(); ++n)
        out += DumpPageText(doc, n);
    return out;
}

}  // namespace rqx
