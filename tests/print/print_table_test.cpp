// Tables of the print surface: widths, wrapping, spans, alignment, spacing, breaks across pages.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include <algorithm>
#include <map>

#include "print/print_surface.h"
#include "print/text_dump.h"

namespace rqx {
namespace {

struct Placed {
    QString text;
    int page, x, y, width;
};

// Every text item with its page, top-left and measured width in its own font.
std::vector<Placed> PlacedTexts(PrintSurface &s)
{
    std::vector<Placed> out;
    const PrintDocument &doc = s.document();
    const PrintFont saved = s.Font();
    for (int n = 1; n <= doc.pageCount(); ++n) {
        for (const PageItem &item : doc.page(n).items) {
            if (item.kind != PageItemKind::Text)
                continue;
            s.SetFont(doc.font(item.b));
            s.Measure(doc.string(item.a));
            out.push_back({doc.string(item.a), n, item.x1 + item.x2, item.y1 + item.y2, s.TextWid()});
        }
    }
    s.SetFont(saved);
    return out;
}

void SetUpSurface(PrintSurface &s)
{
    s.SetMarginLeft(QStringLiteral("2.0cm"));
    s.SetMarginTop(QStringLiteral("2.0cm"));
    s.SetMarginRight(QStringLiteral("2.0cm"));
    s.SetMarginBottom(QStringLiteral("2.0cm"));
    s.SetFontName(QStringLiteral("ＭＳ 明朝"));
    s.SetFontSize(10);
}

TEST(PrintTable, WrapsSpansAlignsAndFitsEveryLineInItsColumn)
{
    PrintSurface s;
    SetUpSurface(s);
    s.StartDoc();
    s.SetCurrentY(2000);
    s.StartTable();
    s.AddTable(QStringLiteral("+<1400|+^2000|+<2400;"), QString(),
               {{QStringLiteral("見出し"), QStringLiteral("中央"), QStringLiteral("一行目\r二行目")},
                {QStringLiteral("(い)"), QStringLiteral("1.96"),
                 QStringLiteral("短ほぞ差し、かすがい打ち(ろ)相当12345の接合部とする")},
                {QStringLiteral("三列にまたがる注記"), {}, {}},
                {QStringLiteral("左"), QStringLiteral("左寄せ"), QStringLiteral("x")}});
    s.SetTableCell(kCellSpan, 2, 0, 3);
    s.SetTableCell(kCellAlign, 2, 0, kCellAlignCenter);
    s.SetTableCell(kCellAlign, 3, 1, kCellAlignLeft);
    s.EndTable();
    const int bottom = s.CurrentY();
    s.EndDoc();

    EXPECT_EQ(DumpDocumentText(s.document()).toStdString(),
              QStringLiteral("--- page 1/1 ---\n見出し\n中央\n一行目\n二行目\n(い)\n1.96\n"
                             // 2280 twips of room: eleven full-width characters of 200, or "(ろ)" and
                             // "12345" of half-width ones (100) kept whole.
                             "短ほぞ差し、かすがい打\nち(ろ)相当12345の接合\n部とする\n"
                             "三列にまたがる注記\n左\n左寄せ\nx\n")
                  .toStdString());
    const auto placed = PlacedTexts(s);
    const int left = 1134, pad = kTableCellPaddingX;
    const int edges[] = {left, left + 1400, left + 3400, left + 5800};
    std::map<QString, int> column;  // text → column of its cell
    for (const Placed &p : placed) {
        const int c = int(std::upper_bound(std::begin(edges), std::end(edges), p.x) - std::begin(edges)) - 1;
        column[p.text] = c;
        ASSERT_TRUE(c >= 0 && c < 3) << p.text.toStdString();
        if (p.text != QStringLiteral("三列にまたがる注記")) {
            EXPECT_LE(p.x + p.width, edges[c + 1] - pad + 1) << p.text.toStdString();
        }
    }
    auto find = [&](const char *t) {
        return *std::find_if(placed.begin(), placed.end(),
                             [&](const Placed &p) { return p.text == QString::fromUtf8(t); });
    };
    EXPECT_EQ(find("見出し").x, left + pad);                                 // column left-aligned
    EXPECT_NEAR(find("中央").x + find("中央").width / 2.0, left + 2400, 1);  // column centred
    EXPECT_EQ(find("左寄せ").x, left + 1400 + pad);                          // cell setting: left
    const Placed span = find("三列にまたがる注記");
    EXPECT_NEAR(span.x + span.width / 2.0, left + 2900, 1);  // centred over all three columns
    EXPECT_GT(find("二行目").y, find("一行目").y);
    EXPECT_EQ(find("二行目").x, find("一行目").x);
    EXPECT_GT(bottom, find("x").y);

    // Characters outside the basic plane are never cut in two.
    for (const QString &line : s.WrapText(QStringLiteral("𠮷野家𠮷𠮷𠮷𠮷𠮷"), 450))
        EXPECT_FALSE(line.isEmpty() || line.back().isHighSurrogate() || line.front().isLowSurrogate());

    // The spacing settings pad each row: the roomy table is taller by (100 − 10)% of a text height per row.
    auto height = [](int above, int below) {
        PrintSurface t;
        SetUpSurface(t);
        t.SetTableSpacing(above, below);
        t.StartDoc();
        t.SetCurrentY(2000);
        t.StartTable();
        t.AddTable(QStringLiteral("+<1400;"), QString(), {{QStringLiteral("a")}, {QStringLiteral("b")}});
        t.EndTable();
        t.Measure(QStringLiteral("a"));
        return std::pair(t.CurrentY() - 2000, t.TextHei());
    };
    const auto [compact, textHeight] = height(10, 10);
    EXPECT_NEAR(height(100, 100).first - compact, 2 * 0.9 * textHeight, 4);
    EXPECT_NEAR(height(80, 80).first - height(50, 50).first, 2 * 0.3 * textHeight, 4);
}

TEST(PrintTable, BreaksBetweenRowsUnderTheHandlersBandAndSplitsATallRow)
{
    PrintSurface s;
    SetUpSurface(s);
    int started = 0;
    s.SetNewPageHandler([&](PrintSurface &surface, int page) {
        ++started;
        surface.SetHeader(QStringLiteral("|頁%1|").arg(page));
        if (page > 1) {
            surface.SetCurrentX(surface.MarginLeft());
            surface.SetFontName(QStringLiteral("ＭＳ ゴシック"));  // the band's own font, not the table's
            surface.SetFontSize(14);
            surface.Text(QStringLiteral("帯"));  // a band drawn before the continuation
            surface.SetCurrentY(surface.MarginTop() + 800);
        }
    });
    s.StartDoc();
    s.SetCurrentY(12000);
    QList<QStringList> body;
    for (int r = 0; r < 120; ++r)
        body.append({QStringLiteral("R%1").arg(r), QStringLiteral("値")});
    QStringList tall;
    for (int k = 0; k < 150; ++k)
        tall << QStringLiteral("L%1").arg(k);
    body.append({QStringLiteral("長い行"), tall.join(u'\r')});
    body.append({QStringLiteral("最後"), QString()});
    s.StartTable();
    s.AddTable(QStringLiteral("+<1400|+<2000;"), QStringLiteral("名|値"), body);
    s.EndTable();
    const int after = s.CurrentY();
    s.EndDoc();

    const PrintDocument &doc = s.document();
    const int pageBottom = doc.pageSize(1).height() - 1134;
    ASSERT_GE(doc.pageCount(), 5);
    EXPECT_EQ(started, doc.pageCount());
    QStringList rows, lines;
    for (int n = 1; n <= doc.pageCount(); ++n) {
        const QStringList texts = doc.pageTexts(n);
        ASSERT_GE(texts.size(), 3);
        EXPECT_EQ(texts[0], QStringLiteral("頁%1").arg(n));
        // Continuation pages: the band first, then the repeated header row.
        const int first = n == 1 ? 1 : 2;
        if (n > 1) {
            EXPECT_EQ(texts[1], QStringLiteral("帯"));
        }
        EXPECT_EQ(texts.mid(first, 2), (QStringList{QStringLiteral("名"), QStringLiteral("値")})) << n;
        for (const QString &t : texts.mid(first + 2)) {
            if (t.startsWith(u'R') || t == QStringLiteral("長い行") || t == QStringLiteral("最後"))
                rows << t;
            else if (t.startsWith(u'L'))
                lines << t;
        }
        for (const PageItem &item : doc.page(n).items) {
            EXPECT_LE(std::max(item.y1, item.y2), pageBottom) << "page " << n;
            if (item.kind == PageItemKind::Text && (item.flags & kItemHeader) == 0 &&
                doc.string(item.a) != QStringLiteral("帯")) {
                EXPECT_EQ(doc.font(item.b), (PrintFont{QStringLiteral("ＭＳ 明朝"), 10})) << "page " << n;
            }
        }
    }
    // Every row once, in order; the tall row's lines all printed, in order, across pages.
    QStringList expectRows;
    for (int r = 0; r < 120; ++r)
        expectRows << QStringLiteral("R%1").arg(r);
    expectRows << QStringLiteral("長い行") << QStringLiteral("最後");
    EXPECT_EQ(rows, expectRows);
    EXPECT_EQ(lines, tall);
    // The continuation starts below where the handler left CurrentY, and CurrentY ends below the table.
    const auto placed = PlacedTexts(s);
    for (const Placed &p : placed) {
        if (p.page > 1 && p.text == QStringLiteral("名")) {
            EXPECT_GE(p.y, 1134 + 800);
        }
        if (p.text == QStringLiteral("最後")) {
            EXPECT_EQ(p.page, doc.pageCount());
            EXPECT_GT(after, p.y);
        }
    }
}

}  // namespace
}  // namespace rqx
