// Chapter 1, sections 1.1 and 1.2 and the bracing correction tables: fixed texts and tables, the
// formulas with the storey heights when the designer entered them.
#include <algorithm>

#include "calc/storey_height.h"
#include "model/project.h"
#include "print/page_drawing.h"
#include "print/print_surface.h"
#include "report/orthogonal_beam_art.h"
#include "report/report_sections.h"

namespace rqx {

namespace {

// The definition of H in both formula tables when heights are entered.
const QString kHeightRule = QStringLiteral("3.2 m 以下の場合は 2.7 m とする。");

FixedTable FormulaTable1(bool heights)
{
    FixedTable t;
    t.format = TableFormat{}.left(1400).left(7500);
    t.rows = {
        {heights ? QStringLiteral("Ｎ＝Ａ1×Ｂ1×Ｈ1/2.7－Ｌ ･･････････････････････ (1)")
                 : QStringLiteral("Ｎ＝Ａ1×Ｂ1－Ｌ ･･･････････････････････････ (1)"),
         QString()},
        {QStringLiteral("  Ｎ"), QStringLiteral("表-1.3.1.接合部の仕様 のＮの数値")},
        {QStringLiteral("  Ａ1"), QStringLiteral("当該柱の両面における軸組の倍率の差(片側のみ軸組が"
                                                 "取り付く場合には、当該軸組の倍率)の数値。ただし、"
                                                 "筋かいを設けた軸組の場合には、表-1.2.1～3 に該当する補正値"
                                                 "を加えたものとする。")},
        {QStringLiteral("  Ｂ1"), QStringLiteral("周辺の部材による押さえ(曲げ戻し)の効果を表す係数で、出隅"
                                                 "の柱においては 0.8、その他の柱においては 0.5 とする。")},
    };
    if (heights)
        t.rows.append({QStringLiteral("  Ｈ1"),
                       QStringLiteral("当該柱の階の横架材の上端の相互間の垂直距離(m)。２階の柱では２階の"
                                      "階高。") +
                           kHeightRule});
    t.rows.append(
        {QStringLiteral("  Ｌ"), QStringLiteral("鉛直荷重による押さえの効果を示す係数で、出隅の柱においては"
                                                " 0.4、その他においては 0.6 とする。 ")});
    t.spans = {{{0, 0}, 2}};
    return t;
}

FixedTable FormulaTable2(int lCoefficientMode, bool heights)
{
    FixedTable t;
    t.format = TableFormat{}.left(1400).left(7500);
    const QString lText = lCoefficientMode == 1
                              ? QStringLiteral(
                                    "鉛直荷重による押さえの効果を示す係数で、出隅の柱においては"
                                    " 0.6、その他の柱においては 1.0 に、直上の２階柱が出隅のとき0.4、"
                                    "その他のとき0.6 を加えたものとする(直上に柱がない場合は加えない)。")
                              : QStringLiteral(
                                    "鉛直荷重による押さえの効果を示す係数で、出隅の柱においては"
                                    " 1.0、その他においては 1.6 とする。 ");
    t.rows = {
        {heights ? QStringLiteral("Ｎ＝Ａ1×Ｂ1×Ｈ1/2.7+Ａ2×Ｂ2×Ｈ2/2.7－Ｌ ･･････ (2)")
                 : QStringLiteral("Ｎ＝Ａ1×Ｂ1+Ａ2×Ｂ2－Ｌ ･･････････････････ (2)"),
         QString()},
        {QStringLiteral("  Ｎ"), QStringLiteral("表-1.3.1.接合部の仕様 のＮの数値")},
        {QStringLiteral("  Ａ1,Ｂ1"), QStringLiteral("式(1) の場合と同じ。")},
        {QStringLiteral("  Ａ2"),
         QStringLiteral("当該柱に連続する２階柱の両側における軸組の倍率の差(片側"
                        "のみに軸組が取り付く場合には当該軸組の倍率)の数値。ただし、"
                        "筋かいを設けた軸組の場合には、表-1.2.1～3 に該当する補正値を"
                        "加えたものとする。")},
        {QStringLiteral("  Ｂ2"),
         QStringLiteral("２階の周辺部材による押さえ(曲げ戻し)の効果を示す係数で、"
                        "２階の出隅の柱においては 0.8、２階のその他の柱においては 0.5 "
                        "とする。")},
    };
    if (heights) {
        t.rows.insert(3, {QStringLiteral("  Ｈ1"),
                          QStringLiteral("１階の横架材の上端の相互間の垂直距離(m)。") + kHeightRule});
        t.rows.append({QStringLiteral("  Ｈ2"),
                       QStringLiteral("２階の横架材の上端の相互間の垂直距離(m)。") + kHeightRule});
    }
    t.rows.append({QStringLiteral("  Ｌ"), lText});
    t.spans = {{{0, 0}, 2}};
    return t;
}

// "2,950" for 2950 mm.
QString Millimetres(int32_t mm)
{
    const QString digits = QString::number(mm);
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits[i];
    }
    return out;
}

// One storey's height as used: "H1 = 3,500 mm (H1/2.7 = 3.50/2.7 = 1.296)",
// "H1 = 2,950 mm (3.2 m 以下のため 2.7 m として計算)" or "H2 = 未入力 (3.2 m 以下として計算)".
QString HeightUsedLine(const Project &p, int storey)
{
    const QString name = QStringLiteral("H%1").arg(storey);
    const int32_t mm = StoreyHeightMm(p, storey);
    const QString prefix =
        (storey == 1 ? QStringLiteral("１階  ") : QStringLiteral("２階  ")) + name + QStringLiteral(" = ");
    if (mm == 0)
        return prefix + QStringLiteral("未入力 (3.2 m 以下として計算)");
    const QString given = prefix + Millimetres(mm) + QStringLiteral(" mm ");
    if (HeightFactor(mm) == 1.0f)
        return given + QStringLiteral("(3.2 m 以下のため 2.7 m として計算)");
    return given + QStringLiteral("(") + name + QStringLiteral("/2.7 = ") + HeightMetresText(mm) +
           QStringLiteral("/2.7 = ") + QString::number(static_cast<double>(HeightFactor(mm)), 'f', 3) +
           QStringLiteral(")");
}

// The four brace kinds as the correction tables name them (the first on two lines).
QStringList BraceKinds()
{
    return {QStringLiteral("15x90以上の筋かい\rφ9以上の鉄筋    "), QStringLiteral("30x90以上の筋かい"),
            QStringLiteral("45x90以上の筋かい"), QStringLiteral("90x90以上の筋かい")};
}

FixedTable OneSideTable()
{
    FixedTable t;
    t.format = TableFormat{}.centre(2200).centre(1200).centre(1200);
    const QStringList kinds = BraceKinds();
    t.rows = {
        {QString(), QStringLiteral("取り付く位置"), QString()},
        {QStringLiteral("筋かいの種類"), QStringLiteral("柱頭部"), QStringLiteral("柱脚部")},
        {kinds[0], QStringLiteral(" 0.0"), QStringLiteral(" 0.0")},
        {kinds[1], QStringLiteral(" 0.5"), QStringLiteral("-0.5")},
        {kinds[2], QStringLiteral(" 0.5"), QStringLiteral("-0.5")},
        {kinds[3], QStringLiteral(" 2.0"), QStringLiteral("-2.0")},
        {QStringLiteral("たすき筋かいの場合、補正値を｢0｣とする。"), QString(), QString()},
    };
    t.spans = {{{0, 1}, 2}, {{6, 0}, 3}};
    return t;
}

// Tables 1.2.2 and 1.2.3: a 4 × 4 grid of values under two heading rows and above a note.
FixedTable BothSidesTable(const QString &oneHeading, const QString &otherHeading,
                          const std::array<std::array<const char *, 4>, 4> &values, const QString &note)
{
    FixedTable t;
    t.format = TableFormat{}.centre(2200).centre(1200).centre(1200).centre(1200).centre(1200);
    const QStringList kinds = BraceKinds();
    t.rows.append({QString(), oneHeading, QString(), QString(), QString()});
    t.rows.append(QStringList{otherHeading} + kinds);
    for (int r = 0; r < 4; ++r) {
        QStringList row{kinds[r]};
        for (const char *v : values[static_cast<size_t>(r)])
            row.append(QString::fromLatin1(v));
        t.rows.append(row);
    }
    t.rows.append({note, QString(), QString(), QString(), QString()});
    t.spans = {{{0, 1}, 4}, {{6, 0}, 5}};
    return t;
}

}  // namespace

void PrintDesignPolicy(ReportState &b, float x)
{
    if (!b.advanceProgress())
        return;
    b.setFontSize(11);
    PrintTextCm(b.s, QStringLiteral("1.概要"), 11, x, b.cursorY, 0);
    b.cursorY += b.lineH;
    b.sectionTitle(QStringLiteral("1.1.設計方針"), x, 1, 1);
    const QString lines[] = {
        QStringLiteral("「") + kAppTitle +
            QStringLiteral("」における軸組の柱頭･柱脚の必要金物の決定は、告示平12"),
        QStringLiteral("建告第1460号に準拠し、「改正建築基準法(２年目施行)の解説((株)新日本法規出版)」"),
        QStringLiteral("及び「建築技術2000年10月号((株)建築技術)」に示される Ｎ値計算式による接合部の"),
        QStringLiteral("簡易計算方法で行う｡"),
        QStringLiteral("このとき、Ｎ値算定は、はり間・桁行各方向について行い大きい方の数値を採用する。"),
        QStringLiteral("なお、この計算式より求めたＮ値によって､ 該当告示第２号に規定されていない軸組"),
        QStringLiteral("(90×90mmの筋かい、筋かいと面材の併用等)についても、その柱頭･柱脚の構造方法を"),
        QStringLiteral("決定する｡ "),
    };
    for (int i = 0; i < 8; ++i) {
        if (i > 0)
            b.cursorY += b.lineH;
        b.indentText(lines[i], x);
    }
    b.cursorY += 1.5f * b.lineH;
}

void PrintNValueMethod(ReportState &b, float x)
{
    if (!b.advanceProgress())
        return;
    b.sectionTitle(QStringLiteral("1.2.Ｎ値計算方法"), x, 1, 2, true);
    const bool heights = HasStoreyHeights(b.p);
    if (!heights) {
        // One line at the right end of the section title, so that the page keeps its layout.
        const QString note = QStringLiteral("階高未入力: 3.2 m 以下として計算");
        const float w = MeasureCm(b.s, note, 11).w;
        PrintTextCm(b.s, note, 11, b.printableWidth - w, b.cursorY - b.lineH, 0);
    }
    b.indentText(QStringLiteral("接合金物を選択するためのＮ値算定式を以下に示す。"), x);
    if (!heights) {
        b.cursorY += 1.5f * b.lineH;
    } else {
        b.cursorY += b.lineH;
        b.indentText(
            QStringLiteral("階高 Ｈ (横架材の上端の相互間の垂直距離、3.2 m 以下は 2.7 m として計算)"), x);
        for (int storey = 1; storey <= std::min(b.p.dims.floorCount, 2); ++storey) {
            b.cursorY += b.lineH;
            PrintTextCm(b.s, HeightUsedLine(b.p, storey), 0, x + 5 * b.charW, b.cursorY, 0);
        }
        b.cursorY += 1.5f * b.lineH;
    }
    b.indentText(QStringLiteral("(1)平屋建ての場合、若しくは２階建ての部分における"
                                "２階の柱の場合"),
                 x);
    const bool crossBeams = b.p.grid.crossBeamIgnored == 0;
    const float tableFont = crossBeams ? 10.0f : 11.0f;
    const int spacing = crossBeams ? 50 : 100;
    b.fixedTable(FormulaTable1(heights), tableFont, spacing);
    b.indentText(QStringLiteral("(2)２階建ての部分における１階の柱の場合"), x);
    if (b.p.dims.floorCount < 2) {
        b.cursorY += b.lineH;
        b.indentText(crossBeams ? QStringLiteral("※平屋のため、式(2) 及び (3) の２階柱引抜き力の伝達は適用しない。")
                                : QStringLiteral("※平屋のため、式(2) は適用しない。"),
                     x);
    }
    b.fixedTable(FormulaTable2(b.p.grid.lCoefficientMode, heights), tableFont, spacing);
    if (!crossBeams)
        return;

    b.setFontSize(11);
    // The part stays whole: when its three lines and the illustration no longer fit, a new page.
    b.roomFor(3 * b.lineH + OrthogonalBeamArtHeight());
    b.indentText(QStringLiteral("(3)直交梁による他の壁線からの２階柱引抜き力の伝達"), x);
    b.cursorY += b.lineH;
    PrintTextCm(b.s,
                QStringLiteral("下階柱抜けによる小梁上の２階柱（①,②）の引抜き力は、下図のように直交する"), 0,
                x + 5 * b.charW, b.cursorY, 0);
    b.cursorY += b.lineH;
    PrintTextCm(b.s, QStringLiteral("２階床梁によって１階柱に伝達されるものとする。"), 0, x + 5 * b.charW,
                b.cursorY, 0);
    b.cursorY += b.lineH;
    // The illustration's left edge lies 3.0 cm from the paper edge.
    const float artLeft = 3.0f - kReportMarginLeftCm;
    b.cursorY += DrawOrthogonalBeamArt(b.s, artLeft, b.cursorY) + b.lineH;
}

void PrintCorrectionTables(ReportState &b, float x)
{
    if (!b.advanceProgress())
        return;
    b.setFontSize(11);
    // This page is the first of the 1.3 group until the hardware list takes the entry over.
    b.toc.page[1][3] = b.s.PageCount();
    b.toc.offsetTwips[1][3] = b.offsetTwips(b.cursorY - b.lineH / 2);
    b.indentText(QStringLiteral("●筋かいの分担応力を考慮した補正値"), x);
    b.cursorY += b.lineH;

    b.indentText(QStringLiteral("表-1.2.1.筋かいが片側から取り付く柱"), x);
    b.fixedTable(OneSideTable(), 10, 50);

    b.indentText(QStringLiteral("表-1.2.2.両側から筋かいが取り付く柱(両側が片筋かい)"), x);
    b.fixedTable(BothSidesTable(QStringLiteral("一方の筋かい"), QStringLiteral("他方の筋かい"),
                                {{{"0.0", "0.5", "0.5", "2.0"},
                                  {"0.5", "1.0", "1.0", "2.5"},
                                  {"0.5", "1.0", "1.0", "2.5"},
                                  {"2.0", "2.5", "2.5", "4.0"}}},
                                QStringLiteral("両筋かいが共に柱脚部に取付く場合、補正値を｢0｣とする。")),
                 10, 50);

    b.indentText(QStringLiteral("表-1.2.3.両側から筋かいが取り付く柱"), x);
    b.cursorY += b.lineH;
    b.indentText(QStringLiteral("         (一方が片筋かい、他方がたすき筋かい)"), x);
    FixedTable mixed = BothSidesTable(QStringLiteral("一方の片筋かい"), QStringLiteral("他方のたすき筋かい"),
                                      {{{"0.0", "0.5", "0.5", "2.0"},
                                        {"0.0", "0.5", "0.5", "2.0"},
                                        {"0.0", "0.5", "0.5", "2.0"},
                                        {"0.0", "0.5", "0.5", "2.0"}}},
                                      QStringLiteral("片筋かいが柱脚部に取付く場合または両筋かいが"
                                                     "共にたすきの場合、補正値を｢0｣とする。"));
    mixed.aligns = {{{6, 0}, kCellAlignLeft}};
    b.fixedTable(mixed, 10, 50);
}

}  // namespace rqx
