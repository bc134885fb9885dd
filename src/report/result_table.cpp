// Section 2.3: the N-value result table with its drawn header band.
#include "report/result_table.h"

#include <algorithm>
#include <cmath>

#include "calc/hardware_class.h"
#include "calc/n_value.h"
#include "calc/storey_height.h"
#include "model/project.h"
#include "print/page_drawing.h"
#include "print/print_surface.h"
#include "common/number_format.h"
#include "report/report_sections.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

constexpr int kDirections[] = {kDirX, kDirY};
constexpr int kResultCellPadding = 20;  // twips each side

bool HasUpperColumn(const Project &p, int x, int y)
{
    return p.dims.floorCount >= 2 && p.nodes(x, y, 2).columnKind > 0;
}

QString LineName(const OneBasedArray<QString> &names, int k)
{
    return names.valid(k) ? ShownText(names[k].trimmed(), kShownLineName) : QString();
}

QString Placed(const QString &text, const QString &required)
{
    if (text.isEmpty())
        return kHardwarePlaceholder;
    const QString shown = ShownText(text, kShownHardware);
    return PlacedBelowRequired(text, required) ? shown + kWeakerPlacementMark : shown;
}

QString PlacedPair(const NodeRecord &n, const QString &required)
{
    return Placed(n.hardware[1], required) + QStringLiteral("\r\r") + Placed(n.hardware[2], required);
}

bool WeakerPlacement(const NodeRecord &n, const QString &required)
{
    return PlacedBelowRequired(n.hardware[1], required) || PlacedBelowRequired(n.hardware[2], required);
}

bool NotCarried(const Project &p, const Calculation &c, int x, int y)
{
    return HasUpperColumn(p, x, y) && c.results.valid(x, y, 2) && c.results(x, y, 2).notCarried == 1;
}

// Per-direction entries joined by the column's own rule line.
QString JoinDirections(const QString &x, const QString &y, const QString &rule)
{
    return x + QLatin1Char('\r') + rule + QLatin1Char('\r') + y;
}

// An N value and, on the next line, its pull-out force in kN worked from the N as printed, so that the
// reviewer's "=Nx1.96x2.7" gives the printed force.
QString NWithForce(float n)
{
    const QString shown = FormatFixed(n, 2);
    return shown + QStringLiteral("\r") + QStringLiteral("(") +
           FormatFixed(PullOutKiloNewton(shown.toFloat()), 2) + QStringLiteral("kN)");
}

// "x3.50/2.7" after an A×B of a storey higher than 3.2 m; nothing where the factor is 1.
QString HeightTerm(const Project &p, int storey)
{
    const int32_t mm = StoreyHeightMm(p, storey);
    if (HeightFactor(mm) == 1.0f)
        return QString();
    return QLatin1Char('x') + HeightMetresText(mm) + QStringLiteral("/2.7");
}

// "AxB" of a column's record in direction d.
QString Product(const ColumnResult &r, int d)
{
    return FormatFixed(r.aValue[d], 1) + QLatin1Char('x') + FormatFixed(r.bValue, 1);
}

// The parts of a formula, on one line; each part on a line of its own when a height factor makes the
// formula too long for its column ("=1.5x0.8", "x3.50/2.7", "-0.4").
QString FormulaLines(const QStringList &parts, bool scaled)
{
    return parts.join(scaled ? QStringLiteral("\r") : QString());
}

QString UpperN(const Project &p, const ColumnResult &r, int d)
{
    const QString n = NWithForce(r.nOwn[d]);
    const qsizetype br = n.indexOf(QLatin1Char('\r'));
    const QString h = HeightTerm(p, 2);
    QStringList parts{QLatin1Char('=') + Product(r, d)};
    if (!h.isEmpty())
        parts << h;
    parts << QLatin1Char('-') + FormatFixed(r.lValue, 1);
    return n.left(br) + QLatin1Char('\r') + FormulaLines(parts, !h.isEmpty()) + n.mid(br);
}

QString LowerOwnN(const Project &p, const Calculation &c, int x, int y, int d)
{
    const ColumnResult &r = c.results(x, y, 1);
    const bool upper = HasUpperColumn(p, x, y);
    const ColumnResult *u = upper ? &c.results(x, y, 2) : nullptr;
    if (r.nOwn[d] == 0 && (u == nullptr || u->nOwn[d] == 0) && r.nBeam[d] == 0)
        return QStringLiteral("-");
    QString h = HeightTerm(p, 1);
    bool scaled = !h.isEmpty();
    QStringList parts{QLatin1Char('=') + Product(r, d) + h};
    float l = r.lValue;
    if (u != nullptr) {
        h = HeightTerm(p, 2);
        scaled = scaled || !h.isEmpty();
        parts << QLatin1Char('+') + Product(*u, d) + h;
        if (p.grid.lCoefficientMode == 1)
            l += u->lValue;
    }
    parts << QLatin1Char('-') + FormatFixed(l, 1);
    return FormatFixed(r.nOwn[d], 2) + QLatin1Char('\r') + FormulaLines(parts, scaled);
}

// The span ratio of a ΔN term: two decimals where they say it exactly (0.25, 0.50), else three, so that
// the terms come close to ΔN as the reviewer adds them up.
QString FormatRatio(float u)
{
    const double hundredths = static_cast<double>(u) * 100.0;
    return FormatFixed(u, std::abs(hundredths - std::round(hundredths)) < 1e-3 ? 2 : 3);
}

// ΔN and its terms as the calculation recorded them: one per second-floor column whose pull-out reaches the
// column along floor beams, side 1 then side 2, then the orthogonal-beam share in brackets, of either sign.
// Terms that add nothing as printed (a ratio or a pull-out of 0) are left out. ΔN as printed is N less N' as
// printed, so that N' + ΔN gives N where the two roundings of ΔN and N would part. N' is exact to two
// decimals unless a height factor scales it; then ΔN parts from its terms by N''s rounding too, never N from
// the calculated N. `own` is N' as printed ("-" for none), `total` N as printed.
QString CarriedN(const Project &p, const Calculation &c, int x, int y, int d, const QString &own,
                 const QString &total)
{
    const ColumnResult &r = c.results(x, y, 1);
    const bool user = p.grid.lCoefficientMode == 1;
    const float upperFactor = StoreyHeightFactor(p, 2);
    const QString upperHeight = HeightTerm(p, 2);
    const float ownShown =
        own == QStringLiteral("-") ? 0.0f : QStringView(own).left(own.indexOf(u'\r')).toFloat();
    const float totalShown = QStringView(total).left(total.indexOf(u'\r')).toFloat();
    QString t = FormatFixed(totalShown - ownShown, 2) + QStringLiteral("\r=");
    int terms = 0;
    for (const PullOutTerm &term : c.termsOf(x, y, d, PullOutPath::AlongBeam)) {
        const ColumnResult &u = c.results(term.upperX, term.upperY, 2);
        const QString ratio = FormatRatio(term.ratio);
        if (ratio.toFloat() == 0.0f ||
            FormatFixed(PullOutForce(u, d, user, upperFactor), 2).toFloat() == 0.0f)
            continue;
        // "X3-Y5:(AxB-L)x0.500", or with the height "X3-Y5:(AxB", "x3.50/2.7-L)", "x0.500": each term
        // names the second-storey column it comes from.
        const QString nameX = LineName(p.grid.lineNameX, term.upperX);
        const QString nameY = LineName(p.grid.lineNameY, term.upperY);
        const QString from = nameX.isEmpty() && nameY.isEmpty() ? QString()  // a grid without names
                                                                : nameX + QLatin1Char('-') + nameY + QLatin1Char(':');
        QStringList parts{from + QLatin1Char('(') + Product(u, d)};
        if (!upperHeight.isEmpty())
            parts << upperHeight;
        if (user)
            parts.last() += QLatin1Char('-') + FormatFixed(u.lValue, 1);
        parts.last() += QLatin1Char(')');
        parts << QLatin1Char('x') + ratio;
        t += FormulaLines(parts, !upperHeight.isEmpty()) + QStringLiteral("\r+");
        ++terms;
    }
    const QString cross = FormatFixed(r.nCross[d], 3);
    if (cross.toFloat() != 0.0f) {
        t += QLatin1Char('[') + cross + QStringLiteral("] +");
        ++terms;
    }
    if (terms == 0)
        return QStringLiteral("-");
    t.chop(2);
    return t;
}

// N as printed: the calculated N rounded, the figure the required class comes from, so that the printed N
// and the printed class never disagree beyond that rounding.
QString LowerTotalN(const ColumnResult &r, int d)
{
    return NWithForce(TotalN(r, d));
}

}  // namespace

TableFormat ResultTableFormat()
{
    // The first column left, the others centred; the logical columns of width 0 place header texts only.
    TableFormat f;
    for (int w : kResultColumnWidths)
        if (w != 0)
            f.columns.empty() ? f.left(w) : f.centre(w);
    return f;
}

int ResultColumnLeft(int k)
{
    int left = 0;
    for (int i = 1; i < k && i <= 12; ++i)
        left += kResultColumnWidths[static_cast<size_t>(i - 1)];
    return left;
}

ResultRowMarks ResultRowMarksOf(const Project &p, const Calculation &c, int x, int y)
{
    ResultRowMarks m;
    m.notCarried = NotCarried(p, c, x, y);
    m.weakerPlacement =
        (p.nodes(x, y, 1).columnKind > 0 && WeakerPlacement(p.nodes(x, y, 1), c.requiredClass(x, y, 1))) ||
        (HasUpperColumn(p, x, y) && WeakerPlacement(p.nodes(x, y, 2), c.requiredClass(x, y, 2)));
    return m;
}

bool HasResultRow(const Project &p, int x, int y)
{
    return p.nodes(x, y, 1).columnKind > 0 || HasUpperColumn(p, x, y);
}

QStringList ResultRowCells(const Project &p, const Calculation &c, int x, int y)
{
    QStringList cells;
    QString names = LineName(p.grid.lineNameX, x) + QStringLiteral("\r  ") + LineName(p.grid.lineNameY, y);
    if (p.nodes(x, y, 1).throughOrigin == 1)
        names += QStringLiteral("\r通し柱");
    cells << names << QStringLiteral("X―\rY");

    if (HasUpperColumn(p, x, y)) {
        const ColumnResult &r = c.results(x, y, 2);
        const QString &required = c.requiredClass(x, y, 2);
        cells << JoinDirections(UpperN(p, r, kDirX), UpperN(p, r, kDirY), QStringLiteral("―――――"))
              << ShownText(required, kShownHardware) + (NotCarried(p, c, x, y) ? kNotCarriedMark : QString())
              << PlacedPair(p.nodes(x, y, 2), required);
    } else {
        cells << QStringLiteral("-") << QStringLiteral("-") << QStringLiteral("-\r\r");
    }

    if (p.nodes(x, y, 1).columnKind > 0) {
        const ColumnResult &r = c.results(x, y, 1);
        const QString &required = c.requiredClass(x, y, 1);
        QString own[2];
        QString carried[2];
        QString total[2];
        for (int i = 0; i < 2; ++i) {
            own[i] = LowerOwnN(p, c, x, y, kDirections[i]);
            total[i] = LowerTotalN(r, kDirections[i]);
            carried[i] = CarriedN(p, c, x, y, kDirections[i], own[i], total[i]);
        }
        cells << JoinDirections(own[0], own[1], QStringLiteral("―――――――――"))
              << JoinDirections(carried[0], carried[1], QStringLiteral("――――――――"))
              << JoinDirections(total[0], total[1], QStringLiteral("――――"))
              << ShownText(required, kShownHardware) << PlacedPair(p.nodes(x, y, 1), required);
    } else {
        cells << QStringLiteral("-") << QStringLiteral("-") << QStringLiteral("-") << QStringLiteral("-")
              << QStringLiteral("-\r\r");
    }
    return cells;
}

QString ColumnResultText(const Project &p, const Calculation &c, int x, int y, int level)
{
    if (!p.nodes.valid(x, y, level) || p.nodes(x, y, level).columnKind <= 0 || !c.results.valid(x, y, level))
        return {};
    const auto oneLine = [](QString t) {
        return t.replace(QLatin1Char('\r'), QLatin1Char(' ')).simplified();
    };
    QStringList lines;
    lines << LineName(p.grid.lineNameX, x) + QStringLiteral("・") + LineName(p.grid.lineNameY, y) +
                 QStringLiteral("　%1階柱").arg(level) +
                 (p.nodes(x, y, 1).throughOrigin == 1 ? QStringLiteral("（通し柱）") : QString());
    const QString names[2] = {QStringLiteral("X方向"), QStringLiteral("Y方向")};
    for (int i = 0; i < 2; ++i) {
        const int d = kDirections[i];
        if (level >= 2) {
            lines << names[i] + QStringLiteral("　N ") + oneLine(UpperN(p, c.results(x, y, level), d));
            continue;
        }
        const QString own = LowerOwnN(p, c, x, y, d);
        const QString total = LowerTotalN(c.results(x, y, 1), d);
        lines << names[i] + QStringLiteral("　N′ ") + oneLine(own) + QStringLiteral("　ΔN ") +
                     oneLine(CarriedN(p, c, x, y, d, own, total)) + QStringLiteral("　N ") + oneLine(total);
    }
    lines << QStringLiteral("必要な接合部の仕様 ") + ShownText(c.requiredClass(x, y, level), kShownHardware) +
                 (level >= 2 && NotCarried(p, c, x, y) ? kNotCarriedMark : QString());
    return lines.join(QLatin1Char('\n'));
}

int CentreOverColumns(PrintSurface &s, int first, int last, float points, const QString &text)
{
    const double saved = s.FontSize();
    s.SetFontSize(points);
    s.Measure(text);
    s.SetFontSize(saved);
    const int left = ResultColumnLeft(first);
    const int span = ResultColumnLeft(last + 1) - left;
    return left + (span - s.TextWid()) / 2;
}

namespace {

struct HeaderText {
    QString text;
    int first;  // logical columns the text is centred over
    int last;
    double factor;  // height in the band, in thirds of it
};

// The rules of the header band: its top, the quarter and half rules, the columns' rules from the top,
// a quarter or half down.
void DrawResultHeaderRules(PrintSurface &s, int top)
{
    constexpr int h = kResultHeaderHeight;
    const int bottom = top + h;
    const int right = ResultColumnLeft(13);
    auto rule = [&](int x1, int y1, int x2, int y2) {
        LineTwips line;
        line.x1 = x1;
        line.y1 = y1;
        line.x2 = x2;
        line.y2 = y2;
        DrawLineTwips(s, line);
    };
    rule(0, top, right, top);
    rule(ResultColumnLeft(3), top + h / 4, right, top + h / 4);
    rule(ResultColumnLeft(4), top + 2 * h / 4, ResultColumnLeft(7), top + 2 * h / 4);
    rule(ResultColumnLeft(10), top + 2 * h / 4, right, top + 2 * h / 4);
    const std::array<int, 13> startQuarter = {0, 0, 0, 1, 2, 2, 0, 1, 1, 1, 2, 2, 0};
    for (int k = 1; k <= 13; ++k)
        rule(ResultColumnLeft(k), top + startQuarter[static_cast<size_t>(k - 1)] * h / 4, ResultColumnLeft(k),
             bottom);
}

// The header's texts, the L setting's and the orthogonal beams' among them; with storey heights in use the
// formulas carry their factors as section 1.2 and the cells do.
QList<HeaderText> ResultHeaderTexts(const Project &p)
{
    const GridInfo &grid = p.grid;
    const bool user = grid.lCoefficientMode == 1;
    const bool heights = HasStoreyHeights(p);
    QList<HeaderText> texts = {
        {QStringLiteral("通り"), 1, 1, 1.9},
        {QStringLiteral("２階Ｎ値"), 3, 6, 0.7},
        {QStringLiteral("Ｎ値"), 3, 3, 1.5},
        {heights ? QStringLiteral("N=A1×B1×H/2.7-L") : QStringLiteral("N=A1×B1-L"), 3, 3, 1.95},
        {QStringLiteral("(引抜き力)"), 3, 3, 2.4},
        {QStringLiteral("=Nx1.96x2.7"), 3, 3, 2.85},
        {QStringLiteral("金物仕様"), 4, 6, 1.45},
        {QStringLiteral("必要"), 4, 4, 2.55},
        {QStringLiteral("柱頭"), 5, 5, 2.3},
        {QStringLiteral("柱脚"), 5, 5, 2.9},
        {user ? QStringLiteral("   １階Ｎ値  (押さえ係数Ｌ：２階柱の押さえ効果を考慮)")
              : QStringLiteral("１階Ｎ値"),
         7, 12, 0.7},
        {QStringLiteral("Ｎ'値"), 7, 7, heights ? 1.6 : 1.8},
        {heights ? QStringLiteral("N'=A1×B1×H1/2.7") : QStringLiteral("N'=A1×B1+A2×B2-L"), 7, 7,
         heights ? 2.25 : 2.6},
        {QStringLiteral(" 下階柱抜け時の   "), 8, 8, 1.3},
        {QStringLiteral(" ２階柱からのΔN  "), 8, 8, 1.8},
        {heights ? (user ? QStringLiteral("ΔN=(A2xB2xH2/2.7-L2)") : QStringLiteral("ΔN=(A2xB2xH2/2.7)"))
                 : (user ? QStringLiteral("  ΔN=(A2xB2-L2)  ") : QStringLiteral("  ΔN=(A2xB2)       ")),
         8, 8, 2.2},
        {QStringLiteral("      xｽﾊﾟﾝ逆比    "), 8, 8, 2.6},
        {QStringLiteral("Ｎ値"), 9, 9, 1.5},
        {QStringLiteral("<N'+ΔN>"), 9, 9, 1.95},
        {QStringLiteral("(引抜き力)"), 9, 9, 2.4},
        {QStringLiteral("=Nx1.96x2.7"), 9, 9, 2.85},
        {QStringLiteral("金物仕様"), 10, 12, 1.45},
        {QStringLiteral("必要"), 10, 10, 2.55},
        {QStringLiteral("柱頭"), 11, 11, 2.3},
        {QStringLiteral("柱脚"), 11, 11, 2.9},
    };
    if (grid.crossBeamIgnored == 0)
        texts.insert(17, {QStringLiteral("       +[直交梁伝達]"), 8, 8, 3.0});
    if (heights)
        texts.append({QStringLiteral("+A2×B2×H2/2.7-L"), 7, 7, 2.75});
    return texts;
}

}  // namespace

int ResultBandTop(const ReportState &b)
{
    return CmToTwips(b.lineH) + static_cast<int>(b.resultNotes.size()) * kResultNoteHeight;
}

void PrintResultHeader(ReportState &b)
{
    PrintSurface &s = b.s;
    // The marks' explanations head every page of the table, above the band.
    s.SetFontName(kFontNamePMincho);
    for (int i = 0; i < static_cast<int>(b.resultNotes.size()); ++i)
        PrintTextTwips(s, b.resultNotes[static_cast<size_t>(i)], kResultNotePoints, 0,
                       CmToTwips(b.lineH) + i * kResultNoteHeight, 0);
    const int top = ResultBandTop(b);
    constexpr int h = kResultHeaderHeight;
    DrawResultHeaderRules(s, top);
    constexpr float kPoints = 8;
    s.SetFontSize(kPoints);
    auto textTop = [&](double factor, int textHeight) {
        return top + static_cast<int>(std::lround(h / 3.0 * factor - 1.6 * textHeight / 1.2));
    };
    for (const HeaderText &t : ResultHeaderTexts(b.p)) {
        // A formula wider than its column is set smaller.
        float points = kPoints;
        const int room = ResultColumnLeft(t.last + 1) - ResultColumnLeft(t.first) - 40;
        s.Measure(t.text);
        while (points > 5.5f && s.TextWid() > room) {
            points -= 0.5f;
            s.SetFontSize(points);
            s.Measure(t.text);
        }
        const int x = CentreOverColumns(s, t.first, t.last, points, t.text);
        s.SetFontSize(kPoints);
        s.Measure(t.text);
        PrintTextTwips(s, t.text, points, x, textTop(t.factor, s.TextHei()), 0);
    }
    // "加力方向" stands vertically in column 2.
    const QString direction = QStringLiteral("加力方向");
    for (int i = 0; i < direction.size(); ++i) {
        const QString ch = direction.mid(i, 1);
        s.Measure(ch);
        const int x = CentreOverColumns(s, 2, 2, kPoints, ch);
        const int y = textTop(0.9, s.TextHei()) + static_cast<int>(std::lround(i * 1.6 * s.TextHei()));
        PrintTextTwips(s, ch, kPoints, x, y, 0);
    }
}

namespace {

// The explanations of the marks the table uses, printed on each of its pages.
std::vector<QString> ResultNotes(const Project &p, const Calculation &c)
{
    bool weaker = false, notCarried = false, outOfRange = false;
    for (int y = 1; y <= p.dims.spanCountY + 1; ++y)
        for (int x = 1; x <= p.dims.spanCountX + 1; ++x) {
            if (!HasResultRow(p, x, y))
                continue;
            const ResultRowMarks marks = ResultRowMarksOf(p, c, x, y);
            weaker = weaker || marks.weakerPlacement;
            notCarried = notCarried || marks.notCarried;
            for (int level = 1; level <= std::min(p.dims.floorCount, 2); ++level)
                outOfRange = outOfRange || (p.nodes(x, y, level).columnKind > 0 &&
                                            c.requiredClass(x, y, level).trimmed() == OutOfRangeLabel());
        }
    std::vector<QString> notes;
    if (weaker)
        notes.push_back(kWeakerPlacementNote);
    if (notCarried)
        notes.push_back(kNotCarriedNote);
    if (outOfRange)
        notes.push_back(kOutOfRangeNote);
    return notes;
}

// Under the table, once: each value is rounded on its own.
void PrintResultNotes(ReportState &b, float x, bool any)
{
    QStringList notes;
    if (any)
        notes << kRoundingNote;
    if (notes.isEmpty() || b.stopped)
        return;
    constexpr float kNotePoints = 9;
    const float noteH = MeasureCm(b.s, notes.first(), kNotePoints).h;
    b.cursorY = b.currentYCm() + noteH / 2;
    for (const QString &note : notes) {
        b.roomFor(noteH);
        PrintTextCm(b.s, note, kNotePoints, x, b.cursorY, 0);
        b.cursorY += 1.2f * noteH;
    }
}

}  // namespace

void PrintResultTable(ReportState &b, float x)
{
    if (!b.advanceProgress())
        return;
    PrintSurface &s = b.s;
    b.resultNotes = ResultNotes(b.p, b.c);
    b.chapterCode = kChapterResultTable;
    s.NewPage();
    b.cursorY = 0;
    b.sectionTitle(QStringLiteral("2.3.Ｎ値･接合金物 算定結果一覧表"), x, 2, 3);

    s.SetFontName(kFontNamePMincho);
    s.SetFontSize(8);
    s.SetTableSpacing(10, 10);
    // Narrow cells: the hardware placeholder and "X―" stay on one line.
    const int savedPadding = s.TableCellPaddingX();
    s.SetTableCellPaddingX(kResultCellPadding);
    s.SetCurrentY(s.MarginTop() + ResultBandTop(b) + kResultHeaderHeight - 48);

    const TableFormat format = ResultTableFormat();
    int rows = 0;
    const Project &p = b.p;
    for (int y = 1; y <= p.dims.spanCountY + 1 && !b.stopped; ++y) {
        for (int xi = 1; xi <= p.dims.spanCountX + 1; ++xi) {
            if (!HasResultRow(p, xi, y))
                continue;
            s.StartTable();
            s.AddTable(format, QString(), {ResultRowCells(p, b.c, xi, y)});
            s.EndTable();
            if (++rows % 64 == 0 && !b.keepGoing())
                break;
        }
    }
    if (rows == 0) {
        s.SetTableSpacing(100, 100);
        s.StartTable();
        s.AddTable(TableFormat{}.left(ResultColumnLeft(13)), QString(), {QStringList{kNoColumnMessage}});
        s.EndTable();
    }
    s.SetTableCellPaddingX(savedPadding);
    // A page the explanations start is no page of the table.
    b.chapterCode = 0;
    PrintResultNotes(b, x, rows > 0);
    b.resultNotes.clear();
    s.SetFontName(kFontNameMincho);
}

}  // namespace rqx
