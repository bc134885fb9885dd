#pragma once
// Plain-text dump of a recorded document, for tests and the command-line tool.

#include <QString>

namespace rqx {

class PrintDocument;

// For each page a line "--- page K/N ---", then every text item of that page in drawing order (running
// header first, footer last), one per line; a wrapped table cell gives one line per printed line.
// Lines end with "\n".
QString DumpDocumentText(const PrintDocument &doc);
// The dump of page n alone, its "--- page n/N ---" line first: long documents are written page by page.
QString DumpPageText(const PrintDocument &doc, int n);

}  // namespace rqx
