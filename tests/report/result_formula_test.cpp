// The result table read back as a reviewer reads it: the text dump of generated houses of both L settings,
// both divisions and storey heights above and below 3.2 m parsed row by row, and every printed value
// recomputed from the numbers printed under it — N of the second storey (=AxB-L), N' (=A1xB1+A2xB2-L),
// ΔN (its terms and the bracketed orthogonal share), N = N' + ΔN, and each pull-out force (=Nx1.96x2.7)
// — to the printed rounding. A product of a storey higher than 3.2 m carries its factor ("x3.50/2.7").
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "calc/hardware_class.h"
#include "calc/n_value.h"
#include "model/project.h"
#include "print/font_names.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "print/text_dump.h"
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

}  // namespace
}  // namespace rqx
