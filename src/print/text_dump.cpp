#include "print/text_dump.h"

#include "print/print_document.h"

namespace rqx {

QString DumpDocumentText(const PrintDocument &doc)
{
    QString out;
    const int count = doc.pageCount();
    for (int n = 1; n <= count; ++n) {
        out += QStringLiteral("--- page %1/%2 ---\n").arg(n).arg(count);
        for (const PageItem &item : doc.page(n).items) {
            if (item.kind == PageItemKind::Text) {
                out += doc.string(item.a);
                out += u'\n';
            }
        }
    }
    return out;
}

}  // namespace rqx
