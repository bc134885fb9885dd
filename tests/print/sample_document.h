#pragma once
// A sample document drawn with every kind of content the program prints: running header and footer,
// Japanese tables that wrap, span and break across pages under a repeated band, shapes in centimetres,
// turned text and a picture. Shared by the print tests, the benchmark and the sample writer.

namespace rqx {

class PrintSurface;

// Records the sample onto `s` (StartDoc … EndDoc): a cover-like first page, then a table of `rows` result
// rows that breaks across pages below a band drawn by the new-page handler.
void RecordSampleDocument(PrintSurface &s, int rows);

}  // namespace rqx
