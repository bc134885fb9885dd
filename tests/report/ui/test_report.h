#pragma once
// A recorded report of any length for the window tests: every page A4 with its number written at the top
// and a heading every half page, and a table of contents pointing into it.

#include <memory>

#include "print/print_surface.h"
#include "report/ui/report_window.h"

namespace rqx::test {

inline std::shared_ptr<const PrintDocument> NumberedPages(int pages)
{
    PrintSurface s;
    s.SetPaperSize(kPaperA4);
    s.StartDoc();
    for (int p = 1; p <= pages; ++p) {
        if (p > 1)
            s.NewPage();
        for (int y : {1134, 4000}) {
            s.SetCurrentX(1304);
            s.SetCurrentY(y);
            s.Text(QStringLiteral("page %1 at %2").arg(p).arg(y));
        }
    }
    s.EndDoc();
    return s.TakeDocument();
}

// Contents of a report of `pages` pages: the cover, 1.1 on page 2, 1.2 further down page 2, 2.3 on the
// last page a quarter down; 1.6 and chapter 3 absent.
inline BuiltReport TestReport(int pages)
{
    BuiltReport r;
    r.document = NumberedPages(pages);
    auto entry = [&r](int group, int index, int page, int offsetTwips) {
        r.contents.page[group][index] = page;
        r.contents.offsetTwips[group][index] = offsetTwips;
    };
    entry(0, 1, 1, 0);
    for (int i = 1; i <= 5; ++i)
        entry(1, i, 2, i == 2 ? 4000 : 0);
    entry(2, 1, 3, 0);
    entry(2, 2, 3, 0);
    entry(2, 3, pages, 4000);
    return r;
}

}  // namespace rqx::test
