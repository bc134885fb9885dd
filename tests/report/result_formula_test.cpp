// The result table read back as a reviewer reads it: the text dump of generated houses of both L settings,
// both divisions and storey heights above and below 3.2 m parsed row by row, and every printed value
// recomputed from the numbers printed under it — N of the second storey (=AxB-L), N' (=A1xB1+A2xB2-L),
// ΔN (its terms and the bracketed orthogonal share), N = N' + ΔN, and each pull-out force (=Nx1.96x2.7)
// — to the printed rounding. A product of a storey higher than 3.2 m carries its factor ("x3.50/2.7").
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "calc/hardware_class.h"
#include "calc/wall_inputs.h"
#include "calc/n_value.h"
#include "model/project.h"
#include "print/font_names.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "print/text_dump.h"
#include "print/page_render.h"
#include "model/project_file.h"
#include "report/report_builder.h"
#include "support/generated_houses.h"
#include "support/calculated.h"

namespace rqx {
namespace {

using namespace samples;

const QString kTitle = QStringLiteral("2.3.Ｎ値･接合金物 算定結果一覧表");
const QString kRule3 = QStringLiteral("―――――");
const QString kRule7 = QStringLiteral("―――――――――");
const QString kRule8 = QStringLiteral("――――――――");
const QString kRule9 = QStringLiteral("――――");

// Half a unit of the last decimal printed, and a little for the single-precision values behind it.
double Half(const QString &number)
{
    const qsizetype dot = number.indexOf(QLatin1Char('.'));
    const int decimals = dot < 0 ? 0 : static_cast<int>(number.size() - dot - 1);
    return 0.5 * std::pow(10.0, -decimals) + 1e-6;
}

struct Parser {
    QStringList lines;
    int at = 0;
    int checked = 0;
    int scaled = 0;  // products printed with a height factor
    std::string where;

    QString peek() const { return at < lines.size() ? lines[at] : QString(); }
    // A formula, its parts joined where a height factor put them on lines of their own: the lines that
    // go on with "x…", "+…" or "-L" (one decimal; the values after a formula have two).
    bool goesOn(const QString &line) const
    {
        static const QRegularExpression re(QStringLiteral("^(x|\\+|-\\d\\.\\d$)"));
        return re.match(line).hasMatch();
    }
    QString formula()
    {
        QString f = next();
        while (goesOn(peek()))
            f += next();
        return f;
    }
    QString next()
    {
        EXPECT_LT(at, lines.size()) << where;
        return at < lines.size() ? lines[at++] : QString();
    }
    double number(const QString &t)
    {
        bool ok = false;
        const double v = t.toDouble(&ok);
        EXPECT_TRUE(ok) << where << ": not a number: " << t.toStdString();
        return v;
    }
    void expect(const QString &t)
    {
        const QString got = next();
        EXPECT_EQ(got, t) << where;
    }
    // "(…kN)" under N: the force worked from N as printed.
    void force(const QString &n)
    {
        static const QRegularExpression re(QStringLiteral("^\\((-?\\d+\\.\\d\\d)kN\\)$"));
        const QString line = next();
        const auto m = re.match(line);
        ASSERT_TRUE(m.hasMatch()) << where << ": " << line.toStdString();
        const double kn = number(m.captured(1));
        EXPECT_NEAR(kn, number(n) * 1.96 * 2.7, Half(m.captured(1))) << where << ": " << line.toStdString();
        ++checked;
    }
    // The factor H/2.7 of a product, 1 where none is printed; a printed one is above 3.2/2.7.
    double factor(const QString &height)
    {
        if (height.isEmpty())
            return 1.0;
        ++scaled;
        const double h = number(height);
        EXPECT_GT(h, 3.2) << where << ": factor of " << height.toStdString();
        return h / 2.7;
    }
    // "=AxB-L" or "=A1xB1+A2xB2-L", each product perhaps with "xH/2.7": products of the printed
    // operands, less L.
    void sum(const QString &value, const QString &formula)
    {
        static const QRegularExpression re(
            QStringLiteral("^=(-?\\d+\\.\\d)x(\\d\\.\\d)(?:x(\\d+\\.\\d+)/2\\.7)?"
                           "(?:\\+(-?\\d+\\.\\d)x(\\d\\.\\d)(?:x(\\d+\\.\\d+)/2\\.7)?)?-(\\d\\.\\d)$"));
        const auto m = re.match(formula);
        ASSERT_TRUE(m.hasMatch()) << where << ": " << formula.toStdString();
        double v =
            number(m.captured(1)) * number(m.captured(2)) * factor(m.captured(3)) - number(m.captured(7));
        if (!m.captured(4).isEmpty())
            v += number(m.captured(4)) * number(m.captured(5)) * factor(m.captured(6));
        EXPECT_NEAR(number(value), v, Half(value))
            << where << ": " << value.toStdString() << ' ' << formula.toStdString();
        ++checked;
    }
    // ΔN: each term X-Y:(AxB[-L])xratio naming its second-storey column, given to the ratio's rounding, and the orthogonal share [s].
    void carried(const QString &value, QStringList terms, double ownRounding)
    {
        static const QRegularExpression term(
            QStringLiteral("^[=+][^:()]+-[^:()]+:\\((-?\\d+\\.\\d)x(\\d\\.\\d)(?:x(\\d+\\.\\d+)/"
                           "2\\.7)?(?:-(\\d\\.\\d))?\\)x(\\d\\.\\d\\d\\d?)$"));
        static const QRegularExpression cross(QStringLiteral("^[=+]\\[(-?\\d+\\.\\d\\d\\d)\\]$"));
        ASSERT_FALSE(terms.isEmpty()) << where << ": ΔN " << value.toStdString() << " without terms";
        double total = 0;
        // ΔN is printed as N less N' as printed: where N' is no exact two-decimal value (a height factor)
        // its rounding comes in too.
        double slack = Half(value) + ownRounding;
        for (const QString &t : terms) {
            if (const auto m = term.match(t); m.hasMatch()) {
                const double f = number(m.captured(1)) * number(m.captured(2)) * factor(m.captured(3)) -
                                 (m.captured(4).isEmpty() ? 0.0 : number(m.captured(4)));
                const double ratio = number(m.captured(5));
                EXPECT_NE(ratio, 0.0) << where << ": " << t.toStdString();
                EXPECT_NE(f, 0.0) << where << ": " << t.toStdString();
                total += f * ratio;
                slack += std::abs(f) * Half(m.captured(5));
            } else if (const auto c = cross.match(t); c.hasMatch()) {
                total += number(c.captured(1));
                slack += Half(c.captured(1));
            } else {
                ADD_FAILURE() << where << ": not a ΔN term: " << t.toStdString();
            }
        }
        EXPECT_NEAR(number(value), total, slack)
            << where << ": ΔN " << value.toStdString() << " = " << terms.join(QLatin1Char(' ')).toStdString();
        ++checked;
    }
    bool isNumber(const QString &t) const
    {
        static const QRegularExpression re(QStringLiteral("^-?\\d+\\.\\d\\d$"));
        return re.match(t).hasMatch();
    }

    // Column 3: "-" or per direction N, =AxB-L, (kN).
    void upper()
    {
        if (peek() == QStringLiteral("-")) {
            next();
            return;
        }
        double larger = -1e9;
        for (int d = 0; d < 2; ++d) {
            if (d == 1)
                expect(kRule3);
            const QString n = next();
            sum(n, formula());
            force(n);
            larger = std::max(larger, number(n));
        }
        requiredClass(larger, next());
    }
    // The required class printed beside the larger N printed: the class of that N, give or take the
    // N's rounding (a class is never weaker than the printed N asks for, beyond it).
    void requiredClass(double larger, QString printed)
    {
        printed.remove(QStringLiteral("△"));
        const auto rank = [](const QString &label) {
            return label == OutOfRangeLabel() ? kHardwareClassCount + 1 : HardwareClassIndex(label);
        };
        const int shown = rank(printed);
        EXPECT_GT(shown, 0) << where << ": class " << printed.toStdString();
        EXPECT_GE(shown, rank(ClassFromN(static_cast<float>(larger - 0.005))))
            << where << ": " << printed.toStdString() << " for N " << larger;
        EXPECT_LE(shown, rank(ClassFromN(static_cast<float>(larger + 0.005))))
            << where << ": " << printed.toStdString() << " for N " << larger;
        ++checked;
    }
    // Columns 4, 5 and 10, 11: the required class and the placed texts, not recomputed here.
    void skipUntil(const std::function<bool(const QString &)> &stop)
    {
        while (at < lines.size() && !stop(peek()))
            next();
    }
    // Columns 7 to 9 of a first-storey column; returns false when the row has none ("-").
    bool lower(int rowEnd)
    {
        if (peek() == QStringLiteral("-") && (at + 1 >= rowEnd || lines[at + 1] != kRule7))
            return false;
        QString own[2];
        bool ownScaled[2] = {false, false};
        for (int d = 0; d < 2; ++d) {
            if (d == 1)
                expect(kRule7);
            own[d] = next();
            if (own[d] != QStringLiteral("-")) {
                const QString f = formula();
                ownScaled[d] = f.contains(QStringLiteral("/2.7"));
                sum(own[d], f);
            }
        }
        QString carriedN[2];
        for (int d = 0; d < 2; ++d) {
            if (d == 1)
                expect(kRule8);
            carriedN[d] = next();
            if (carriedN[d] == QStringLiteral("-"))
                continue;
            QStringList terms;
            while (peek().startsWith(QLatin1Char('=')) || peek().startsWith(QLatin1Char('+'))) {
                terms << next();
                while (peek().startsWith(QLatin1Char('x')))
                    terms.last() += next();
            }
            carried(carriedN[d], terms, ownScaled[d] ? Half(own[d]) : 0.0);
        }
        double larger = -1e9;
        for (int d = 0; d < 2; ++d) {
            if (d == 1)
                expect(kRule9);
            const QString n = next();
            larger = std::max(larger, number(n));
            const double ownN = own[d] == QStringLiteral("-") ? 0.0 : number(own[d]);
            const double deltaN = carriedN[d] == QStringLiteral("-") ? 0.0 : number(carriedN[d]);
            EXPECT_NEAR(number(n), ownN + deltaN, Half(n))
                << where << ": N " << n.toStdString() << " = " << own[d].toStdString() << " + "
                << carriedN[d].toStdString();
            ++checked;
            force(n);
        }
        requiredClass(larger, next());
        return true;
    }
};

// The lines of the result table: from its title to the end, without the running header and footer, the
// header band and the notes under the table.
QStringList ResultLines(const PrintDocument &doc)
{
    const QStringList all = DumpDocumentText(doc).split(QLatin1Char('\n'));
    static const QRegularExpression skip(
        QStringLiteral("^(--- page .*|VELM-RQX .*|- \\d+ -|Ver\\..*|！ .*|△ .*|範囲外：.*|各数値は.*)$"));
    const QStringList band = {QStringLiteral("通り"),
                              QStringLiteral("２階Ｎ値"),
                              QStringLiteral("Ｎ値"),
                              QStringLiteral("N=A1×B1-L"),
                              QStringLiteral("(引抜き力)"),
                              QStringLiteral("=Nx1.96x2.7"),
                              QStringLiteral("金物仕様"),
                              QStringLiteral("必要"),
                              QStringLiteral("柱頭"),
                              QStringLiteral("柱脚"),
                              QStringLiteral("１階Ｎ値"),
                              QStringLiteral("   １階Ｎ値  (押さえ係数Ｌ：２階柱の押さえ効果を考慮)"),
                              QStringLiteral("Ｎ'値"),
                              QStringLiteral("N'=A1×B1+A2×B2-L"),
                              QStringLiteral("N=A1×B1×H/2.7-L"),
                              QStringLiteral("N'=A1×B1×H1/2.7"),
                              QStringLiteral("+A2×B2×H2/2.7-L"),
                              QStringLiteral("ΔN=(A2xB2xH2/2.7)"),
                              QStringLiteral("ΔN=(A2xB2xH2/2.7-L2)"),
                              QStringLiteral(" 下階柱抜け時の   "),
                              QStringLiteral(" ２階柱からのΔN  "),
                              QStringLiteral("  ΔN=(A2xB2)       "),
                              QStringLiteral("  ΔN=(A2xB2-L2)  "),
                              QStringLiteral("      xｽﾊﾟﾝ逆比    "),
                              QStringLiteral("       +[直交梁伝達]"),
                              QStringLiteral("<N'+ΔN>"),
                              QStringLiteral("加"),
                              QStringLiteral("力"),
                              QStringLiteral("方"),
                              QStringLiteral("向")};
    QStringList out;
    const qsizetype start = all.indexOf(kTitle);
    EXPECT_GE(start, 0);
    for (qsizetype i = start + 1; i >= 1 && i < all.size(); ++i)
        if (!all[i].isEmpty() && !skip.match(all[i]).hasMatch() && !band.contains(all[i]))
            out << all[i];
    return out;
}

// Parses the rows (line names, "X―", "Y", then the cells) and checks every formula; returns the number of
// values checked and adds the products printed with a height factor to `scaled`.
int CheckResultTable(const PrintDocument &doc, const QString &house, int &scaled)
{
    Parser p;
    p.lines = ResultLines(doc);
    // Row starts: two lines before each "X―".
    QList<int> starts;
    for (int i = 0; i < p.lines.size(); ++i)
        if (p.lines[i] == QStringLiteral("X―"))
            starts << i;
    for (int r = 0; r < starts.size(); ++r) {
        const int rowEnd = r + 1 < starts.size() ? starts[r + 1] - 2 : static_cast<int>(p.lines.size());
        p.at = starts[r] + 1;
        p.where =
            (house + QStringLiteral(" row ") + p.lines[starts[r] - 2] + p.lines[starts[r] - 1]).toStdString();
        p.expect(QStringLiteral("Y"));
        p.upper();
        // Required class and placed texts of the second storey: up to the first-storey part, which
        // starts with N' (a number or "-" followed by the rule) or is "-" for no first-storey column.
        auto startsLower = [&](int k) {
            const QString &t = p.lines[k];
            if (t == QStringLiteral("-"))
                return k + 1 < rowEnd && p.lines[k + 1] == kRule7;
            if (!p.isNumber(t) || k + 2 >= rowEnd || !p.lines[k + 1].startsWith(QLatin1Char('=')))
                return false;
            int j = k + 2;  // past the lines a height factor continues the formula on
            while (j < rowEnd && p.goesOn(p.lines[j]))
                ++j;
            return j < rowEnd && p.lines[j] == kRule7;
        };
        int k = p.at;
        while (k < rowEnd && !startsLower(k))
            ++k;
        if (k >= rowEnd)  // no first-storey column: nothing left to recompute
            continue;
        p.at = k;
        p.lower(rowEnd);
    }
    scaled += p.scaled;
    return p.checked;
}

TEST(ResultFormulaTest, EveryPrintedValueEqualsItsPrintedFormula)
{
    InstallJapaneseFontSubstitutions();
    // Storey heights H1, H2 (mm) by seed: none, above 3.2 m on either storey or both (one needing three
    // decimals), and at or below it.
    const int32_t heights[6][2] = {{0, 0}, {3500, 2800}, {2800, 3500}, {3333, 3650}, {3200, 2950}, {4000, 0}};
    int checked = 0;
    int scaled = 0;
    int houses = 0;
    for (int divisions : {2, 4})
        for (int lMode : {0, 1})
            for (unsigned seed = 1; seed <= 6; ++seed) {
                const HouseShape shape =
                    GeneratedShape(seed * 7 + divisions, divisions, lMode, seed % 3 == 0);
                Project p = GeneratedHouse(shape, seed * 7 + divisions);
                p.info.levelHeight[1] = heights[seed - 1][0];
                p.info.levelHeight[2] = heights[seed - 1][1];
                Calculation c = test::Calculated(p);
                PrintSurface s;
                BuildReport(s, p, c);
                const QString house = QStringLiteral("div %1 L %2 seed %3 H %4/%5")
                                          .arg(divisions)
                                          .arg(lMode)
                                          .arg(seed)
                                          .arg(heights[seed - 1][0])
                                          .arg(heights[seed - 1][1]);
                checked += CheckResultTable(s.document(), house, scaled);
                ++houses;
            }
    EXPECT_EQ(houses, 24);
    // A few hundred values per house at least: the parser did read the rows.
    EXPECT_GT(checked, houses * 50);
    // Many of them through a height factor.
    EXPECT_GT(scaled, houses * 10);
}

// ---- The wall quantities (chapter 3) ----

// Half a unit of the last printed decimal of each operand, carried through a product.
double ProductTolerance(const QString &a, const QString &b, double va, double vb, const QString &result)
{
    return Half(a) * std::abs(vb) + Half(b) * std::abs(va) + Half(a) * Half(b) + Half(result);
}

// The texts of a report in order, without the page marks and the running header and footer a table
// breaks over.
QStringList BodyLines(const PrintDocument &doc)
{
    static const QRegularExpression running(QStringLiteral("^(--- page .*|VELM-RQX /軸組Ｎ値算定   \\[.*|- \\d+ -|Ver\\..*)$"));
    QStringList lines;
    for (int n = 1; n <= doc.pageCount(); ++n)
        for (const QString &line : DumpPageText(doc, n).split(QLatin1Char('\n')))
            if (!line.isEmpty() && !running.match(line).hasMatch())
                lines << line;
    return lines;
}

// Reads every table of section 3.1 back from the text dump and recomputes it: each wall's 倍率×長さ and
// the sum of its table, the 見付面積 of each row from its 幅×高さ parts, and each judgement row's
// Lw×床面積, C×見付面積, the larger of the two, 存在/必要 (cut to two decimals) and OK/NG.
int CheckWallTables(const PrintDocument &doc, const QString &house)
{
    const QStringList lines = BodyLines(doc);
    const qsizetype chapter = lines.indexOf(QStringLiteral("3.壁量計算"));
    EXPECT_GE(chapter, 0) << house.toStdString();
    if (chapter < 0)
        return 0;
    int checked = 0;
    const std::string where = house.toStdString();
    auto value = [&](const QString &t) {
        bool ok = false;
        const double v = QString(t).remove(QStringLiteral("※")).toDouble(&ok);
        EXPECT_TRUE(ok) << where << ": not a number: " << t.toStdString();
        return v;
    };
    static const QRegularExpression wallCaption(QStringLiteral("^表-3\\.1\\.\\d+ (１|２)階 (X|Y)方向の耐力壁$"));
    static const QRegularExpression part(QStringLiteral("^\\(?([0-9.]+)×([0-9.]+)\\)?(/2)?$"));
    double windC = 0.0;
    for (qsizetype k = chapter; k < lines.size(); ++k) {
        if (lines[k].startsWith(QLatin1String("風圧力: C = ")))
            windC = value(lines[k].mid(9).section(QLatin1Char(' '), 0, 0));
        if (wallCaption.match(lines[k]).hasMatch()) {
            // Heading: 通り 区間 筋かい 面材 倍率 長さ (cm) 壁量 (cm) 倍率×長さ.
            k += 10;
            double sum = 0.0;
            QStringList quantities;
            while (k < lines.size() && lines[k] != QStringLiteral("計")) {
                if (lines[k] == QStringLiteral("－") && lines[k + 1] == QStringLiteral("0.00")) {
                    k += 2;
                    continue;
                }
                const QString mult = lines[k + 4], length = lines[k + 5], qty = lines[k + 6];
                const double brace = lines[k + 2] == QStringLiteral("－") ? 0.0 : value(lines[k + 2]);
                const double board = lines[k + 3] == QStringLiteral("－") ? 0.0 : value(lines[k + 3]);
                EXPECT_EQ(mult.endsWith(QStringLiteral("※")), brace + board > 7.0) << where;
                EXPECT_NEAR(value(mult), std::min(brace + board, 7.0), 1e-9) << where;
                EXPECT_NEAR(value(qty), value(mult) * value(length),
                            ProductTolerance(mult, length, value(mult), value(length), qty))
                    << where << " " << lines[k].toStdString() << " " << lines[k + 1].toStdString();
                sum += value(qty);
                quantities << qty;
                k += 7;
                ++checked;
            }
            EXPECT_LT(k + 1, lines.size());
            EXPECT_NEAR(value(lines[k + 1]), sum, Half(lines[k + 1]) + Half(QStringLiteral("0.00")) * quantities.size())
                << where;
            ++checked;
        }
        if (lines[k] == QStringLiteral("表-3.1.0 見付面積")) {
            // Heading: 階 方向 部分 幅×高さ (m) 見付面積 (m²); then per row 階, 方向, the names, the parts, the area.
            k += 6;
            while (k < lines.size() && (lines[k] == QStringLiteral("１階") || lines[k] == QStringLiteral("２階"))) {
                qsizetype j = k + 2;
                while (j < lines.size() && !part.match(lines[j]).hasMatch() && lines[j] != QStringLiteral("－"))
                    ++j;
                double area = 0.0;
                QString tolerance;
                double tol = 0.0;
                while (j < lines.size() && part.match(lines[j]).hasMatch()) {
                    const auto m = part.match(lines[j]);
                    const double w = value(m.captured(1)), h = value(m.captured(2));
                    const double factor = m.captured(3).isEmpty() ? 1.0 : 0.5;
                    area += w * h * factor;
                    tol += factor * (Half(m.captured(1)) * h + Half(m.captured(2)) * w);
                    ++j;
                }
                if (lines[j] == QStringLiteral("－")) {
                    k = j + 2;
                    continue;
                }
                EXPECT_NEAR(value(lines[j]), area, tol + Half(lines[j])) << where << " 見付 " << lines[k].toStdString();
                ++checked;
                k = j + 1;
            }
        }
        if (lines[k].startsWith(QLatin1String("表-3.1.")) && lines[k].endsWith(QStringLiteral("壁量の判定"))) {
            k += 1;
            while (k < lines.size() && lines[k] != QStringLiteral("１階"))
                ++k;
            for (int row = 0; row < 4 && k + 10 < lines.size(); ++row, k += 11) {
                if (lines[k] != QStringLiteral("１階") && lines[k] != QStringLiteral("２階"))
                    break;
                const QString floor = lines[k + 2], lw = lines[k + 3], seismic = lines[k + 4];
                const QString exposed = lines[k + 5], wind = lines[k + 6], required = lines[k + 7];
                const QString existing = lines[k + 8], ratio = lines[k + 9], result = lines[k + 10];
                EXPECT_NEAR(value(seismic), value(lw) * value(floor),
                            ProductTolerance(lw, floor, value(lw), value(floor), seismic))
                    << where;
                EXPECT_NEAR(value(wind), windC * value(exposed), windC * Half(exposed) + Half(wind)) << where;
                EXPECT_NEAR(value(required), std::max(value(seismic), value(wind)), 2 * Half(required)) << where;
                const double exact = value(existing) / value(required);
                EXPECT_LE(value(ratio), exact + 0.0051) << where;
                EXPECT_GE(value(ratio), exact - 0.0101) << where;
                EXPECT_EQ(result, value(existing) >= value(required) ? QStringLiteral("OK") : QStringLiteral("NG"))
                    << where << " " << existing.toStdString() << " " << required.toStdString();
                checked += 5;
            }
        }
    }
    return checked;
}

// Reads the tables of section 3.2 back: per side portion 面積×Lw, 存在/必要 (cut to three decimals), the
// ratio of the two sides' printed fills and the judgement (both above 1, or a ratio of 0.5); per storey
// and direction e = |S − G|, re = √(KR/ΣK) and e/re (rounded up to three decimals) against 0.3.
int CheckPlacementTables(const PrintDocument &doc, const QString &house)
{
    const QStringList lines = BodyLines(doc);
    const std::string where = house.toStdString();
    auto value = [&](QString t) {
        bool ok = false;
        const double v = t.remove(QRegularExpression(QStringLiteral("^[GS][xy] "))).toDouble(&ok);
        EXPECT_TRUE(ok) << where << ": not a number: " << t.toStdString();
        return v;
    };
    static const QRegularExpression quarterCaption(QStringLiteral("^表-3\\.2\\.\\d+ (１|２)階 四分割法$"));
    int checked = 0;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (quarterCaption.match(lines[k]).hasMatch()) {
            while (k < lines.size() && lines[k] != QStringLiteral("X") && lines[k] != QStringLiteral("Y"))
                ++k;
            while (k + 19 < lines.size() && (lines[k] == QStringLiteral("X") || lines[k] == QStringLiteral("Y"))) {
                double fill[2] = {};
                for (int side = 0; side < 2; ++side) {
                    const qsizetype r = k + 10 * side;
                    const QString area = lines[r + 3], lw = lines[r + 4].section(QLatin1Char(' '), 0, 0);
                    const QString required = lines[r + 5], existing = lines[r + 6], f = lines[r + 7];
                    if (lw == QStringLiteral("－"))
                        return checked;
                    EXPECT_NEAR(value(required), value(area) * value(lw),
                                ProductTolerance(area, lw, value(area), value(lw), required))
                        << where << " " << lines[r].toStdString() << lines[r + 1].toStdString();
                    if (f == QStringLiteral("∞")) {
                        fill[side] = std::numeric_limits<double>::infinity();
                    } else {
                        // Cut to three decimals, from the unrounded quantities behind the printed ones.
                        const double exact = value(existing) / value(required);
                        const double slack =
                            exact * (Half(existing) / value(existing) + Half(required) / value(required)) + 1e-9;
                        EXPECT_LE(value(f), exact + slack) << where;
                        EXPECT_GE(value(f), exact - 0.001 - slack) << where;
                        fill[side] = value(f);
                    }
                    checked += 2;
                }
                const QString ratio = lines[k + 8], result = lines[k + 9];
                const double larger = std::max(fill[0], fill[1]), smaller = std::min(fill[0], fill[1]);
                if (!std::isinf(larger) && larger > 0) {
                    EXPECT_NEAR(value(ratio), smaller / larger, 0.0021) << where;
                    const bool ok = (fill[0] > 1 && fill[1] > 1) || value(ratio) >= 0.5;
                    EXPECT_EQ(result, ok ? QStringLiteral("OK") : QStringLiteral("NG")) << where;
                    checked += 2;
                }
                k += 20;
            }
        }
        if (lines[k].startsWith(QLatin1String("表-3.2.")) && lines[k].endsWith(QStringLiteral(" 偏心率"))) {
            while (k < lines.size() && lines[k] != QStringLiteral("１階") && lines[k] != QStringLiteral("２階"))
                ++k;
            while (k + 9 < lines.size() && (lines[k] == QStringLiteral("１階") || lines[k] == QStringLiteral("２階"))) {
                const double g = value(lines[k + 2]), sc = value(lines[k + 3]), e = value(lines[k + 4]);
                const double sumK = value(lines[k + 5]), kr = value(lines[k + 6]), re = value(lines[k + 7]);
                EXPECT_NEAR(e, std::abs(sc - g), 0.0011) << where;
                if (sumK > 0) {
                    EXPECT_NEAR(re, std::sqrt(kr / sumK), 0.002 * std::max(1.0, re)) << where;
                    if (lines[k + 8] != QStringLiteral("∞") && re > 0) {
                        EXPECT_GE(value(lines[k + 8]), e / re - 0.002 * std::max(1.0, e / re)) << where;
                        EXPECT_LE(value(lines[k + 8]), e / re + 0.002 * std::max(1.0, e / re)) << where;
                    }
                }
                const bool ok = lines[k + 8] != QStringLiteral("∞") && value(lines[k + 8]) <= 0.3;
                EXPECT_EQ(lines[k + 9], ok ? QStringLiteral("OK") : QStringLiteral("NG")) << where;
                checked += 4;
                k += 10;
            }
        }
    }
    return checked;
}

TEST(ResultFormulaTest, WallQuantityTablesEqualTheirFormulas)
{
    InstallJapaneseFontSubstitutions();
    int checked = 0;
    int placementChecked = 0;
    int houses = 0;
    for (int divisions : {2, 4})
        for (unsigned seed = 1; seed <= 4; ++seed) {
            const HouseShape shape = GeneratedShape(seed * 11 + divisions, divisions, 0, seed % 2 == 0);
            Project p = GeneratedHouse(shape, seed * 11 + divisions);
            p.info.levelHeight[1] = 2900 + 10 * static_cast<int32_t>(seed);
            p.info.levelHeight[2] = 2750 + 25 * static_cast<int32_t>(seed);
            WallInputs in;
            in.route = seed % 2 == 0 ? LwRoute::Weights : LwRoute::Typed;
            in.lw = {46.37, 30.12, 38.5};
            in.lwSource = QStringLiteral("早見表");
            in.weightKn = {150.0 + seed, 90.0 + 3 * seed};
            in.oneStoreyLoad = 3.7;
            in.windC = seed == 3 ? 62.5 : 50.0;
            in.roof = {seed == 4 ? RoofKind::Flat : RoofKind::Gable, seed % 2 == 0 ? kDirY : kDirX, 1350, 600, 455};
            ASSERT_TRUE(WriteWallInputs(p, in));
            PrintSurface s;
            BuildReport(s, p, Calculate(p));
            checked += CheckWallTables(s.document(), QStringLiteral("div %1 seed %2").arg(divisions).arg(seed));
            placementChecked +=
                CheckPlacementTables(s.document(), QStringLiteral("div %1 seed %2").arg(divisions).arg(seed));
            ++houses;
        }
    EXPECT_GT(checked, houses * 20);
    EXPECT_GT(placementChecked, houses * 20);
}

// The chapter on the example house with entered conditions: after the N values, listed in the
// contents as 3.1, and absent from a report without conditions. Its pages are left as PNG beside the
// test (walls_chapter_N.png) to be looked at.
TEST(ResultFormulaTest, WallChapterFollowsTheNValuesOnlyWithConditions)
{
    InstallJapaneseFontSubstitutions();
    Project p;
    ASSERT_TRUE(LoadProjectFile(QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX"), p).ok);
    p.info.levelHeight[1] = 2900;
    p.info.levelHeight[2] = 2800;
    const Calculation calc = Calculate(p);
    PrintSurface plain;
    const ReportResult without = BuildReport(plain, p, calc);
    EXPECT_FALSE(DumpDocumentText(plain.document()).contains(QStringLiteral("3.壁量計算")));
    EXPECT_EQ(without.toc.page[3][1], 0);

    WallInputs in;
    in.lw = {46.0, 30.0, 38.0};
    in.lwSource = QStringLiteral("早見表 (屋根: 瓦, 外壁: サイディング, 太陽光なし)");
    in.roof = {RoofKind::Gable, kDirX, 1500, 600, 450};
    ASSERT_TRUE(WriteWallInputs(p, in));
    PrintSurface s;
    const ReportResult with = BuildReport(s, p, calc);
    EXPECT_GT(with.pageCount, without.pageCount);
    EXPECT_GT(with.toc.page[3][1], without.pageCount);
    EXPECT_GT(CheckWallTables(s.document(), QStringLiteral("example house")), 10);
    EXPECT_GT(CheckPlacementTables(s.document(), QStringLiteral("example house")), 20);
    EXPECT_GT(with.toc.page[3][2], with.toc.page[3][1]);
    for (int n = without.pageCount + 1; n <= with.pageCount; ++n)
        RenderPageImage(s.document(), n, 100).save(QStringLiteral("walls_chapter_%1.png").arg(n - without.pageCount));
}

}  // namespace
}  // namespace rqx
