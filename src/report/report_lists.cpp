// Chapter 1, sections 1.3 (hardware list) and 1.4 (bearing-wall lists): fixed tables.
#include "print/print_surface.h"
#include "report/report_sections.h"

namespace rqx {

namespace {

FixedTable HardwareTable()
{
    FixedTable t;
    t.format = TableFormat{}.centre(700).centre(1000).centre(1000).left(4700).centre(1600);
    t.rows = {
        {QStringLiteral("Ｎ 値"), QStringLiteral("接合耐力(kN)"), QStringLiteral("告示記号"),
         QStringLiteral("接 合 金 物 の 仕 様"), QStringLiteral("許容耐力または\r降伏耐力(kN)")},
        {QStringLiteral("0.0 "), QStringLiteral(" 0.00"), QStringLiteral("(い) "),
         QStringLiteral("短ほぞ差し\rかすがい(C)"), QStringLiteral(" 0.00 \r (1.62)")},
        {QStringLiteral("0.65"), QStringLiteral(" 3.44"), QStringLiteral("(ろ) "),
         QStringLiteral("長ほぞ差し込み栓\rかど金物(CP･L)"), QStringLiteral(" (3.81)\r  3.38 ")},
        {QStringLiteral("1.0 "), QStringLiteral(" 5.29"), QStringLiteral("(は) "),
         QStringLiteral("かど金物(CP･T)\r山形プレート(VP)"), QStringLiteral(" 5.07 \r  5.88 ")},
        {QStringLiteral("1.4 "), QStringLiteral(" 7.41"), QStringLiteral("(に) "),
         QStringLiteral("羽子板ボルト(SB)または短ざく金物(S)"), QStringLiteral("  7.50 ")},
        {QStringLiteral("1.6 "), QStringLiteral(" 8.47"), QStringLiteral("(ほ) "),
         QStringLiteral("羽子板ボルト(SB+ZS50)または短ざく金物(S+ZS50)"), QStringLiteral("  8.50 ")},
        {QStringLiteral("1.8 "), QStringLiteral(" 9.53"), QStringLiteral("(へ) "),
         QStringLiteral("引き寄せ金物(HD-10)"), QStringLiteral(" 10.00 ")},
        {QStringLiteral("2.8 "), QStringLiteral("14.82"), QStringLiteral("(と) "),
         QStringLiteral("引き寄せ金物(HD-15)"), QStringLiteral(" 15.00 ")},
        {QStringLiteral("3.7 "), QStringLiteral("19.58"), QStringLiteral("(ち) "),
         QStringLiteral("引き寄せ金物(HD-20)"), QStringLiteral(" 20.00 ")},
        {QStringLiteral("4.7 "), QStringLiteral("24.87"), QStringLiteral("(り) "),
         QStringLiteral("引き寄せ金物(HD-25)"), QStringLiteral(" 25.00 ")},
        {QStringLiteral("5.6 "), QStringLiteral("29.64"), QStringLiteral("(ぬ) "),
         QStringLiteral("引き寄せ金物(HD-15)×２個"), QStringLiteral(" 30.00 ")},
        {QStringLiteral("7.5 "), QStringLiteral("39.69"), QStringLiteral("(る)*"),
         QStringLiteral("引き寄せ金物(HD-20)×２個(参考)"), QStringLiteral(" (40.00) ")},
    };
    t.aligns = {{{0, 3}, kCellAlignCenter}};
    return t;
}

const QStringList kWallListHeading = {QString(), QStringLiteral("軸  組  の  種  類"),
                                      QStringLiteral("倍  率")};

FixedTable BraceListTable()
{
    FixedTable t;
    t.format = TableFormat{}.centre(700).left(6700).centre(1600);
    t.rows = {
        kWallListHeading,
        {QStringLiteral("(1)"),
         QStringLiteral("厚さ1.5 センチメートル以上幅９cm以上の木材の筋かい"
                        "又は径９mm以上の鉄筋の筋かいを入れた軸組"),
         QStringLiteral("1.0")},
        {QStringLiteral("(2)"), QStringLiteral("厚さ３cm以上幅９cm以上の木材の筋かいを入れた軸組"),
         QStringLiteral("1.5")},
        {QStringLiteral("(3)"), QStringLiteral("厚さ4.5cm以上幅９cm以上の木材の筋かいを入れた軸組"),
         QStringLiteral("2.0")},
        {QStringLiteral("(4)"), QStringLiteral("９cm角の木材の筋かいを入れた軸組"), QStringLiteral("3.0")},
        {QStringLiteral("(5)"), QStringLiteral("(1)～(3)までに掲げる筋かいをたすき掛けに入れた軸組"),
         QStringLiteral("各数値の２倍")},
        {QStringLiteral("(6)"), QStringLiteral("(4)に掲げる筋かいをたすき掛けに入れた軸組"),
         QStringLiteral("5.0")},
    };
    t.aligns = {{{0, 1}, kCellAlignCenter}};
    return t;
}

FixedTable BoardListTable()
{
    FixedTable t;
    t.format = TableFormat{}.centre(700).left(6700).centre(1600);
    t.rows = {
        kWallListHeading,
        {QStringLiteral("(1)"),
         QStringLiteral("木ずりその他これに類するものを柱及び間柱の片面"
                        "に打ち付けた壁を設けた軸組 "),
         QStringLiteral("0.5")},
        {QStringLiteral("(2)"),
         QStringLiteral("木ずりその他これに類するものを柱及び間柱の両面"
                        "に打ち付けた壁を設けた軸組 "),
         QStringLiteral("1.0")},
        {QStringLiteral("(3)"),
         QStringLiteral("構造用合板等を 昭和56年建設省告示第1100号 別表"
                        "第一（一）項又は（二）項に定める方法で打ち付け"
                        "た壁を設けた軸組"),
         QStringLiteral("0.5～5.0")},
        {QStringLiteral("表-1.4.1 の筋かいと併用する場合、その倍率はそれぞれの数値の和とする。"
                        "\rただし、｢5｣ を超えないものとする。"),
         QString(), QString()},
    };
    t.spans = {{{4, 0}, 3}};
    t.aligns = {{{0, 1}, kCellAlignCenter}, {{4, 0}, kCellAlignLeft}};
    return t;
}

}  // namespace

void PrintHardwareList(ReportState &b, float x)
{
    if (!b.advanceProgress())
        return;
    b.sectionTitle(QStringLiteral("1.3.接合金物リスト"), x, 1, 3);
    b.indentText(QStringLiteral("表-1.3.1.接合部の仕様"), x);
    b.fixedTable(HardwareTable(), 10, 80);
}

void PrintBearingWallList(ReportState &b, float x)
{
    if (!b.advanceProgress())
        return;
    b.roomFor(4 * b.lineH);
    b.sectionTitle(QStringLiteral("1.4.耐力壁リスト"), x, 1, 4);
    b.indentText(QStringLiteral("表-1.4.1.筋かいリスト"), x);
    b.fixedTable(BraceListTable(), 10, 80);
    b.roomFor(3 * b.lineH);
    b.indentText(QStringLiteral("表-1.4.2.面材リスト"), x);
    b.fixedTable(BoardListTable(), 10, 80);
}

}  // namespace rqx
