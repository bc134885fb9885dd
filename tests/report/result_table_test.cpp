// The N-value result table: the cells of a small house worked out by hand, and the header band repeated
// on every page the table breaks onto.
#include <gtest/gtest.h>

#include "calc/n_value.h"
#include "model/project.h"
#include "print/font_names.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "report/report_builder.h"
#include "report/result_table.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"
#include "support/calculated.h"

namespace rqx {

using namespace samples;

// 4 × 1 spans of 0.455 m, both storeys floored. Through column at (1,1); first-storey corner columns at
// (5,1), (1,2), (5,2); upstairs columns at (3,1), on the floor beam (1,1)–(5,1) with nothing below, and
// (5,1). Upstairs a 2.0 board wall (1,1)–(3,1). The test
// leaves the orthogonal beams out; L per the commentary.
//
// By hand, X direction (B 0.8 at corners, 0.5 otherwise; L upstairs 0.4 / 0.6, downstairs 1.0 at corners):
//   (3,1) up:   A 2.0, N = 2.0×0.5 − 0.6 = 0.40, 2.1168 kN; its ΔN 1.0 goes half to (1,1), half to (5,1)
//   (1,1) up:   A 2.0, N = 2.0×0.8 − 0.4 = 1.20, 6.3504 kN
//   (1,1) down: N' = 0.0×0.8 + 2.0×0.8 − 1.0 = 0.60; ΔN = (2.0×0.5)×0.50 = 0.50; N = 1.10, 5.8212 kN
// Y direction has no walls: N = −L upstairs, −L downstairs, and no ΔN.
Project TinyHouse()
{
    Project p = NewProject(4, 1, 2, 2, LineNames::kNumbered);
    p.info.buildingName = QStringLiteral("試験邸");
    PlaceFloor(p, 1, 1, 1, 5, 2, 1);
    PlaceFloor(p, 2, 1, 1, 5, 2, 1);
    PlaceColumn(p, 1, 1, 1, 2);
    for (auto [x, y] : {std::pair{5, 1}, {1, 2}, {5, 2}})
        PlaceColumn(p, 1, x, y, 1);
    PlaceColumn(p, 2, 3, 1, 1);
    PlaceColumn(p, 2, 5, 1, 1);
    PlaceWall(p, 2, kDirX, 1, 1, 3, kKeyMenzai, 4);
    PlaceBeam(p, 2, kDirX, 1, 1, 5);
    return p;
}

namespace {

TEST(ResultTableTest, CellsOfASmallHouseWorkedOutByHand)
{
    Project p = TinyHouse();
    p.grid.crossBeamIgnored = 1;
    p.nodes(1, 1, 1).hardware[1] = QStringLiteral("HD-10");
    Calculation c = test::Calculated(p);

    const QString none = QStringLiteral("(　　　 )");
    struct Row {
        int x, y;
        QStringList cells;
    };
    const Row rows[] = {
        {1,
         1,
         {QStringLiteral("X1\r  Y1\r通し柱"), QStringLiteral("X―\rY"),
          QStringLiteral("1.20\r=2.0x0.8-0.4\r(6.35kN)\r―――――\r-0.40\r=0.0x0.8-0.4\r(-2.12kN)"),
          QStringLiteral("(に)"), none + QStringLiteral("\r\r") + none,
          QStringLiteral("0.60\r=0.0x0.8+2.0x0.8-1.0\r―――――――――\r-1.00\r=0.0x0.8+0.0x0.8-1.0"),
          QStringLiteral("0.50\r=X2-Y1:(2.0x0.5)x0.50\r――――――――\r-"),
          QStringLiteral("1.10\r(5.82kN)\r――――\r-1.00\r(-5.29kN)"), QStringLiteral("(に)"),
          QStringLiteral("HD-10\r\r") + none}},
        {3,
         1,
         {QStringLiteral("X2\r  Y1"), QStringLiteral("X―\rY"),
          QStringLiteral("0.40\r=2.0x0.5-0.6\r(2.12kN)\r―――――\r-0.60\r=0.0x0.5-0.6\r(-3.18kN)"),
          QStringLiteral("(ろ)"), none + QStringLiteral("\r\r") + none, QStringLiteral("-"),
          QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-\r\r")}},
        {1,
         2,
         {QStringLiteral("X1\r  Y1a"), QStringLiteral("X―\rY"), QStringLiteral("-"), QStringLiteral("-"),
          QStringLiteral("-\r\r"), QStringLiteral("-1.00\r=0.0x0.8-1.0\r―――――――――\r-1.00\r=0.0x0.8-1.0"),
          QStringLiteral("-\r――――――――\r-"), QStringLiteral("-1.00\r(-5.29kN)\r――――\r-1.00\r(-5.29kN)"),
          QStringLiteral("(い)"), none + QStringLiteral("\r\r") + none}},
    };
    for (const Row &r : rows) {
        ASSERT_TRUE(HasResultRow(p, r.x, r.y));
        EXPECT_EQ(ResultRowCells(p, c, r.x, r.y), r.cells) << r.x << ',' << r.y;
    }
    EXPECT_FALSE(HasResultRow(p, 2, 1));
    // The ΔN terms add up to ΔN at the other end of the beam too: (2.0×0.5)×0.50.
    EXPECT_FLOAT_EQ(c.results(5, 1, 1).nBeam[kDirX], 2.0f * 0.5f * 0.5f);
    EXPECT_EQ(ResultRowCells(p, c, 5, 1)[6], QStringLiteral("0.50\r=X2-Y1:(2.0x0.5)x0.50\r――――――――\r-"));

    // L setting 1 (second-floor columns hold down): L = L1 + L2 = 0.6 + 0.4, ΔN = (A2×B2 − L2) × u.
    p.grid.lCoefficientMode = 1;
    c = test::Calculated(p);
    EXPECT_EQ(
        ResultRowCells(p, c, 1, 1).mid(5, 4),
        (QStringList{QStringLiteral("0.60\r=0.0x0.8+2.0x0.8-1.0\r―――――――――\r-1.00\r=0.0x0.8+0.0x0.8-1.0"),
                     QStringLiteral("0.20\r=X2-Y1:(2.0x0.5-0.6)x0.50\r――――――――\r-"),
                     QStringLiteral("0.80\r(4.23kN)\r――――\r-1.00\r(-5.29kN)"), QStringLiteral("(は)")}));
    EXPECT_EQ(ResultTableFormat().toString(),
              QStringLiteral("+<650|+^350|+^1100|+^650|+^700|+^1820|+^1680|+^1000|+^650|+^700;"));
}

// The orthogonal-beam share in brackets: in the calculation's cross-beam house the upstairs column (2,3)
// passes 0.625 through the Y beam on x = 3 to (3,5), which has no beam term of its own. N = −0.6 + 0.625
// prints 0.02 (0.025 in single precision lies just below), so ΔN prints 0.62: N' + ΔN as printed gives N.
TEST(ResultTableTest, OrthogonalBeamShareInBrackets)
{
    Project p = HandWorkedCrossBeam();
    Calculation c = test::Calculated(p);
    ASSERT_FLOAT_EQ(c.results(3, 5, 1).nCross[kDirX], 0.625f);
    const QStringList cells = ResultRowCells(p, c, 3, 5);
    EXPECT_EQ(cells[5].section(QLatin1Char('\r'), 0, 0), QStringLiteral("-0.60"));
    EXPECT_EQ(cells[6], QStringLiteral("0.62\r=[0.625]\r――――――――\r-"));
    EXPECT_EQ(cells[7].section(QLatin1Char('\r'), 0, 0), QStringLiteral("0.02"));
}

// Every page of a table that breaks carries the band once, with the rows below it; no columns: the message.
TEST(ResultTableTest, PageBreaksRepeatTheHeaderBand)
{
    InstallJapaneseFontSubstitutions();
    for (bool columns : {true, false}) {
        Project p = NewProject(8, 8, 2, 2, LineNames::kNumbered);
        PlaceFloor(p, 1, 1, 1, 9, 9, 1);
        PlaceFloor(p, 2, 1, 1, 9, 9, 1);
        for (int y = 1; y <= 9 && columns; ++y)
            for (int x = 1; x <= 9; ++x)
                PlaceColumn(p, (x + y) % 3 == 0 ? 1 : 2, x, y, (x + y) % 3 == 0 ? 1 : 2);
        Calculation c = test::Calculated(p);
        PrintSurface s;
        const ReportResult r = BuildReport(s, p, c);
        const int first = r.toc.page[2][3];
        const int last = s.PageCount();
        EXPECT_EQ(last > first, columns);
        const int bandBottom = s.MarginTop() + kResultHeaderHeight;
        int rows = 0;
        for (int n = first; n <= last; ++n) {
            const QStringList texts = s.document().pageTexts(n);
            for (const char *t :
                 {"通り", "２階Ｎ値", "加", "力", "方", "向", "<N'+ΔN>", "       +[直交梁伝達]"})
                EXPECT_EQ(texts.count(QString::fromUtf8(t)), 1) << n << ' ' << t;
            EXPECT_EQ(texts.count(QStringLiteral("2.3.Ｎ値･接合金物 算定結果一覧表")), n == first ? 1 : 0);
            rows += texts.count(QStringLiteral("X―"));
            // The first row's text lies below the band.
            for (const PageItem &item : s.document().page(n).items)
                if (item.kind == PageItemKind::Text && s.document().string(item.a) == QStringLiteral("X―"))
                    EXPECT_GT(item.y1, bandBottom) << n;
        }
        EXPECT_EQ(rows, columns ? 81 : 0);
        EXPECT_EQ(s.document().pageTexts(last).contains(kNoColumnMessage), !columns);
    }
}

}  // namespace
}  // namespace rqx

namespace rqx {
namespace {

using namespace samples;

int CountText(const PrintDocument &doc, const QString &text)
{
    int n = 0;
    for (int page = 1; page <= doc.pageCount(); ++page)
        n += static_cast<int>(doc.pageTexts(page).count(text));
    return n;
}

int Triangles(const PrintSurface &s, int page)
{
    int n = 0;
    for (const PageItem &item : s.document().page(page).items)
        n += item.kind == PageItemKind::Polygon && item.x2 == 3 ? 1 : 0;
    return n;
}

// The flags a reviewer looks for. In the cross-beam house without the first-storey column at (3,5) the
// upstairs column (2,3) (required (と)) sends its pull-out to no column; its top hardware (ろ) is weaker than
// required, its foot (ち) is not. Each mark is explained above the table's band on each of its pages; the
// second-storey hardware plan marks the column and its weaker hardware, and its legend explains both marks. A house with neither prints neither note.
TEST(ResultTableTest, FlagsAReviewerLooksFor)
{
    InstallJapaneseFontSubstitutions();
    for (const bool flagged : {true, false}) {
        Project p = HandWorkedCrossBeam();
        if (flagged) {
            p.nodes(3, 5, 1).columnKind = 0;
            p.nodes(2, 3, 2).hardware[1] = QStringLiteral("(ろ)");
            p.nodes(2, 3, 2).hardware[2] = QStringLiteral("(ち)");
        }
        Calculation c = test::Calculated(p);
        ASSERT_EQ(c.results(2, 3, 2).notCarried, flagged ? 1 : 0);
        const QStringList cells = ResultRowCells(p, c, 2, 3);
        EXPECT_EQ(cells[3], flagged ? QStringLiteral("(と)△") : QStringLiteral("(と)"));
        EXPECT_EQ(cells[4], flagged ? QStringLiteral("(ろ)！\r\r(ち)")
                                    : kHardwarePlaceholder + "\r\r" + kHardwarePlaceholder);
        PrintSurface s;
        const ReportResult r = BuildReport(s, p, c);
        // The weaker placement: above the table's band and in the second-storey hardware plan's legend.
        EXPECT_EQ(CountText(s.document(), kWeakerPlacementNote), flagged ? 2 : 0);
        EXPECT_EQ(CountText(s.document(), kNotCarriedNote), flagged ? 1 : 0);
        const int plan2 = r.toc.page[2][1] + 1;
        EXPECT_EQ(Triangles(s, plan2 - 1), 0);
        EXPECT_EQ(Triangles(s, plan2), flagged ? 2 : 0);  // the column's mark and the legend's sample
        EXPECT_EQ(s.document().pageTexts(plan2).contains(
                      QStringLiteral("：１階柱に引抜き力が伝達されていない２階柱")),
                  flagged);
    }
}

// A one-storey house without walls: its plans' legends name no second storey (the method of chapter 1 still
// prints its fixed texts), and the frame section says in one line that it has nothing to show.
TEST(ResultTableTest, OneStoreyLegendAndAnEmptyFrameSection)
{
    InstallJapaneseFontSubstitutions();
    Project p = NewProject(4, 4, 1, 2, LineNames::kNumbered);
    PlaceFloor(p, 1, 1, 1, 5, 5, 1);
    PlaceColumn(p, 1, 1, 1);
    Calculation c = test::Calculated(p);
    PrintSurface s;
    const ReportResult r = BuildReport(s, p, c);
    for (int page = r.toc.page[1][5]; page < r.toc.page[2][3]; ++page)  // the plans and the frames
        for (const QString &t : s.document().pageTexts(page))
            EXPECT_FALSE(t.contains(QStringLiteral("２階床")) || t.contains(QStringLiteral("２階柱･")))
                << page << ' ' << t.toStdString();
    EXPECT_TRUE(s.document().pageTexts(r.toc.page[1][5]).contains(QStringLiteral("：１階柱･小屋梁")));
    EXPECT_TRUE(
        s.document().pageTexts(r.toc.page[2][2]).contains(QStringLiteral("該当する軸組はありません。")));
}

}  // namespace
}  // namespace rqx
