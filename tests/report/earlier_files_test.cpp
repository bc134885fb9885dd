// Files of earlier versions store a beam's flag and position negative, the line styles 0 and odd first
// numbers of the line names. Read back, such a house is calculated, reported and drawn exactly as the
// same house stored today: checked over generated houses of many shapes.
#include <gtest/gtest.h>

#include "calc/n_value.h"
#include "model/project_file.h"
#include "print/font_names.h"
#include "print/print_surface.h"
#include "print/text_dump.h"
#include "report/frame_page.h"
#include "report/plan_pages.h"
#include "report/report_builder.h"
#include "support/generated_houses.h"

namespace rqx {
namespace {

Project ReadBack(const Project &p)
{
    Project read;
    QString why;
    EXPECT_TRUE(ParseProject(SerializeProject(p), read, &why)) << why.toStdString();
    return read;
}

// Every column's results and required class, as `calc` prints them.
QString Results(const Project &p, const Calculation &c)
{
    QString out;
    for (int level = 1; level <= p.dims.floorCount; ++level)
        for (int y = 1; y <= p.dims.spanCountY + 1; ++y)
            for (int x = 1; x <= p.dims.spanCountX + 1; ++x) {
                if (p.nodes(x, y, level).columnKind <= 0)
                    continue;
                const ColumnResult &r = c.results(x, y, level);
                out += QStringLiteral("%1,%2,%3 corner %4 A %5 %6 B %7 L %8 N %9 %10 %11 %12 %13 %14 %15 %16\n")
                           .arg(level).arg(x).arg(y)
                           .arg(c.corner(x, y, level))
                           .arg(r.aValue[kDirX]).arg(r.aValue[kDirY]).arg(r.bValue).arg(r.lValue)
                           .arg(r.nOwn[kDirX]).arg(r.nOwn[kDirY]).arg(r.nBeam[kDirX]).arg(r.nBeam[kDirY])
                           .arg(r.nCross[kDirX]).arg(r.nCross[kDirY]).arg(r.notCarried)
                           .arg(c.requiredClass(x, y, level));
            }
    return out;
}

// Every item of every page with its place, pen, brush and text: two documents with the same dump draw
// the same.
QString Drawn(const PrintDocument &doc)
{
    QString out;
    for (int n = 1; n <= doc.pageCount(); ++n) {
        const PrintPage &page = doc.page(n);
        out += QStringLiteral("page %1 %2x%3\n").arg(n).arg(page.width).arg(page.height);
        for (const PageItem &it : page.items) {
            out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7 ")
                       .arg(static_cast<int>(it.kind)).arg(it.flags).arg(it.angle)
                       .arg(it.x1).arg(it.y1).arg(it.x2).arg(it.y2);
            switch (it.kind) {
                case PageItemKind::Text:
                    out += doc.string(it.a) + QLatin1Char(' ') + doc.font(it.b).name +
                           QString::number(static_cast<double>(doc.font(it.b).points)) + QLatin1Char(' ') +
                           QString::number(it.c);
                    break;
                case PageItemKind::Picture:
                    out += QString::number(doc.picture(it.c).cacheKey());
                    break;
                default:
                    out += QStringLiteral("pen %1 %2 %3")
                               .arg(doc.pen(it.a).style).arg(doc.pen(it.a).width).arg(doc.pen(it.a).color);
                    if (it.kind != PageItemKind::Line)
                        out += QStringLiteral(" brush %1 %2").arg(doc.brush(it.b).style).arg(doc.brush(it.b).color);
                    if (it.kind == PageItemKind::Polygon)
                        for (int i = 0; i < it.x2; ++i) {
                            const QPoint pt = page.points[static_cast<size_t>(it.x1 + i)];
                            out += QStringLiteral(" %1,%2").arg(pt.x()).arg(pt.y());
                        }
            }
            out += QLatin1Char('\n');
        }
    }
    return out;
}

// The figure pages of the page commands: both plans of every storey, the transfer check, every frame.
QString FigurePages(const Project &p, const Calculation &c)
{
    QString out;
    for (int floor = 1; floor <= p.dims.floorCount; ++floor)
        for (const int kind : {kPlanBearingWalls, kPlanHardware}) {
            PrintSurface s;
            RecordReportPlanPage(s, p, c, kind, floor);
            out += Drawn(s.document());
        }
    {
        PrintSurface s;
        RecordTransferCheckPage(s, p, c);
        out += Drawn(s.document());
    }
    for (int d = kDirX; d <= kDirY; ++d)
        for (int line = 1; line <= (d == kDirX ? p.dims.spanCountY : p.dims.spanCountX) + 1; ++line) {
            PrintSurface s;
            if (RecordFrameViewPage(s, p, c, d, line))
                out += Drawn(s.document());
        }
    return out;
}

TEST(EarlierFilesTest, NegativeBeamFlagsAreCalculatedReportedAndDrawnAsPositiveOnes)
{
    InstallJapaneseFontSubstitutions();
    int beams = 0;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        const samples::HouseShape shape =
            samples::GeneratedShape(seed, seed % 3 == 0 ? 1 : 2, seed % 2, seed % 4 == 3 ? 1 : 0);
        const Project house = samples::GeneratedHouse(shape, seed);
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Project now = ReadBack(house);
        Project earlier = ReadBack(samples::InEarlierFileForm(house));
        for (const NodeRecord &n : earlier.nodes)
            beams += n.beam[kDirX].present < 0 ? 1 : 0;
        const Calculation nowCalc = Calculate(now);
        const Calculation earlierCalc = Calculate(earlier);
        EXPECT_EQ(Results(earlier, earlierCalc).toStdString(), Results(now, nowCalc).toStdString());

        PrintSurface nowReport, earlierReport;
        BuildReport(nowReport, now, nowCalc);
        BuildReport(earlierReport, earlier, earlierCalc);
        EXPECT_EQ(DumpDocumentText(earlierReport.document()).toStdString(),
                  DumpDocumentText(nowReport.document()).toStdString());
        EXPECT_TRUE(Drawn(earlierReport.document()) == Drawn(nowReport.document()));
        EXPECT_TRUE(FigurePages(earlier, earlierCalc) == FigurePages(now, nowCalc));
    }
    EXPECT_GT(beams, 100);
}

}  // namespace
}  // namespace rqx
