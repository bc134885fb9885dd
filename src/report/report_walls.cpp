// Chapter 3, section 3.1: the wall quantities (壁量計算) — the conditions, the floor areas, the
// 見付面積 figure and table, the walls of every storey and direction, and the judgement. Printed only
// when the project holds the conditions; every printed value follows from the values printed beside
// it by the formula in its column heading.
#include <QStringList>

#include <algorithm>
#include <cmath>

#include "calc/wall_quantity.h"
#include "common/shown_text.h"
#include "model/project.h"
#include "print/page_drawing.h"
#include "print/print_surface.h"
#include "report/report_sections.h"
#include "report/wall_elevation.h"

namespace rqx {

namespace {

QString Num(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

// A ratio cut, never rounded up: 0.999 prints as 0.99.
QString RatioText(double ratio)
{
    if (std::isinf(ratio))
        return QStringLiteral("－");
    return Num(std::floor(ratio * 100.0) / 100.0, 2);
}

QString StoreyName(int storey)
{
    return storey == 1 ? QStringLiteral("１階") : QStringLiteral("２階");
}

QString DirectionName(int d)
{
    return d == kDirX ? QStringLiteral("X") : QStringLiteral("Y");
}

QString LineName(const OneBasedArray<QString> &names, int k)
{
    const QString name = names.valid(k) ? ShownText(names[k].trimmed(), kShownLineName) : QString();
    return name.isEmpty() ? QString::number(k) : name;
}

QString RoofText(const RoofDescription &roof)
{
    const QString rise = Num(roof.riseMm / 1000.0, 2);
    const QString eaves = Num(roof.eavesMm / 1000.0, 2);
    if (roof.kind == RoofKind::Flat)
        return QStringLiteral("陸屋根 (パラペット等の高さ %1 m, 軒の出 %2 m)").arg(rise, eaves);
    return QStringLiteral("%1 (棟 %2 方向) 高さ %3 m, 軒の出 %4 m, けらばの出 %5 m")
        .arg(roof.kind == RoofKind::Gable ? QStringLiteral("切妻") : QStringLiteral("片流れ"),
             DirectionName(roof.ridgeDirection), rise, eaves, Num(roof.vergeMm / 1000.0, 2));
}

void Line(ReportState &b, float x, const QString &text)
{
    b.roomFor(b.lineH);
    b.indentText(text, x);
    b.cursorY += b.lineH;
}

// A table's caption: the table follows one line below it (fixedTable).
void Caption(ReportState &b, float x, const QString &text, int rowsKeptWith = 3)
{
    b.roomFor(static_cast<float>(rowsKeptWith + 1) * b.lineH);
    b.indentText(text, x);
}

void PrintConditions(ReportState &b, float x, const WallQuantityResult &r)
{
    const WallInputs &in = r.inputs;
    Line(b, x, QStringLiteral("(1)計算条件"));
    Line(b, x, QStringLiteral("令第46条第4項 (2025年4月施行) により、各階・各方向の存在壁量が必要壁量"));
    Line(b, x, QStringLiteral("(地震力・風圧力による値の大きい方) 以上であることを確認する。"));
    QString heights = QStringLiteral("階高: ");
    for (const StoreyWallResult &st : r.storey)
        heights += QStringLiteral("H%1 = %2   ")
                       .arg(st.storey)
                       .arg(st.heightM > 0 ? Num(st.heightM, 3) + QStringLiteral(" m") : QStringLiteral("未入力"));
    Line(b, x, heights.trimmed());
    switch (in.route) {
        case LwRoute::Typed: {
            QString lw = QStringLiteral("地震力: Lw (直接入力)  ");
            for (int s = 1; s <= r.storeys; ++s)
                lw += QStringLiteral("%1 %2  ").arg(StoreyName(s), Num(r.lw[static_cast<std::size_t>(s - 1)], 2));
            if (r.storeys == 2)
                lw += QStringLiteral("平屋部分 %1  ").arg(Num(r.lw[kLwOneStorey], 2));
            Line(b, x, lw + QStringLiteral("(cm/m²)"));
            Line(b, x, QStringLiteral("    出典: ") + (in.lwSource.isEmpty() ? QStringLiteral("(記載なし)") : in.lwSource));
            break;
        }
        case LwRoute::OldLight:
        case LwRoute::OldHeavy: {
            Line(b, x, QStringLiteral("地震力: 旧基準（経過措置） %1の屋根の係数  ")
                           .arg(in.route == LwRoute::OldLight ? QStringLiteral("軽い") : QStringLiteral("重い")) +
                           (r.storeys == 2 ? QStringLiteral("１階 %1, ２階 %2, 平屋部分 %3 (cm/m²)")
                                                 .arg(Num(r.lw[0], 0), Num(r.lw[1], 0), Num(r.lw[2], 0))
                                           : QStringLiteral("%1 (cm/m²)").arg(Num(r.lw[0], 0))));
            Line(b, x, QStringLiteral("    経過措置は2026年3月末で終了。以前の計画の確認用の値である。"));
            break;
        }
        case LwRoute::Weights: {
            const LwFormulaResult &f = r.formula;
            Line(b, x, QStringLiteral("地震力: Lw = Ai × C0 × Σwi / (0.0196 × Afi)   C0 = %1").arg(DecimalText(in.c0)));
            Line(b, x, QStringLiteral("    Ai = 1 + (1/√αi − αi) × 2T/(1+3T),  αi = Σwi / Σw1,  T = 0.03h"));
            Caption(b, x, QStringLiteral("    h = %1 m,  T = %2,  2T/(1+3T) = %3")
                              .arg(Num(f.heightM, 2), Num(f.t, 4), Num(f.tFactor, 4)));
            FixedTable t;
            t.format = TableFormat{}.centre(700).centre(1100).centre(1100).centre(1100).centre(1100).centre(1000).centre(1600);
            t.rows << QStringList{QStringLiteral("階"), QStringLiteral("wi\r(kN)"), QStringLiteral("Σwi\r(kN)"),
                                  QStringLiteral("Afi\r(m²)"), QStringLiteral("αi\rΣwi/Σw1"), QStringLiteral("Ai"),
                                  QStringLiteral("Lw\r(cm/m²)")};
            for (int s = r.storeys; s >= 1; --s) {
                const auto k = static_cast<std::size_t>(s - 1);
                t.rows << QStringList{StoreyName(s), Num(f.w[k], 2), Num(f.sumW[k], 2), Num(f.area[k], 2),
                                      Num(f.alpha[k], 4), Num(f.ai[k], 4), Num(f.lw[k], 2)};
            }
            b.fixedTable(t, 9, 50);
            if (r.storeys == 2)
                Line(b, x, QStringLiteral("    平屋部分: Lw = C0 × %1 kN/m² / 0.0196 = %2 cm/m² (Ai = 1)")
                               .arg(Num(f.oneStoreyLoad, 2), Num(f.oneStoreyLw, 2)));
            break;
        }
    }
    Line(b, x, QStringLiteral("風圧力: C = %1 cm/m²  (見付面積は各階の床面から 1.35 m を超える部分)")
                   .arg(DecimalText(in.windC)));
    Line(b, x, QStringLiteral("屋根: ") + RoofText(in.roof));
    Line(b, x, QStringLiteral("耐力壁の倍率は筋かいと面材の和とし、7.0 を上限とする (表中 ※)。"));
    Line(b, x, QStringLiteral("準耐力壁等は入力できないため算入しない (安全側)。"));
    for (const QString &m : r.missing)
        Line(b, x, QStringLiteral("※ ") + m + QStringLiteral(" 判定できません。"));
}

void PrintFloorAreas(ReportState &b, float x, const WallQuantityResult &r)
{
    Caption(b, x, QStringLiteral("(2)床面積 (吹抜けを除く)"));
    FixedTable t;
    t.format = TableFormat{}.centre(900).centre(1400).centre(2000).centre(1400).centre(1800);
    t.rows << QStringList{QStringLiteral("階"), QStringLiteral("床\r(ｾﾙ数)"), QStringLiteral("ｾﾙ寸法\r(m)"),
                          QStringLiteral("吹抜け\r(ｾﾙ数)"), QStringLiteral("床面積 (m²)\rｾﾙ数×寸法×寸法")};
    for (const StoreyWallResult &st : r.storey)
        t.rows << QStringList{StoreyName(st.storey), QString::number(st.floorCells),
                              Num(r.spanM, 3) + QStringLiteral("×") + Num(r.spanM, 3), QString::number(st.voidCells),
                              Num(st.floorAreaM2, 2)};
    b.fixedTable(t, 9, 50);
}

QString BandText(const ElevationBand &band)
{
    QString text = Num(band.widthM, 2) + QStringLiteral("×") + Num(band.heightM, 2);
    return band.triangle ? QStringLiteral("(") + text + QStringLiteral(")/2") : text;
}

QString BandName(const ElevationBand &band)
{
    switch (band.kind) {
        case BandKind::StoreyAboveLine:
            return QStringLiteral("%1 (FL+1.35 以上)").arg(StoreyName(band.storey));
        case BandKind::WholeStorey:
            return StoreyName(band.storey);
        case BandKind::Roof:
            return band.triangle ? QStringLiteral("屋根 (妻側)") : QStringLiteral("屋根");
    }
    return {};
}

void PrintExposedAreas(ReportState &b, float x, const WallQuantityResult &r)
{
    const bool drawn = std::all_of(r.storey.begin(), r.storey.end(), [](const StoreyWallResult &st) {
        return st.heightM > 0.0;
    });
    Line(b, x, QStringLiteral("(3)見付面積 (X方向の壁は Y方向の幅の立面、Y方向の壁は X方向の幅の立面による)"));
    if (drawn) {
        // Both elevations side by side at the largest common scale of 1/100, 1/200, … that fits.
        const ElevationExtent ex = ElevationExtentOf(r, kDirX);
        const ElevationExtent ey = ElevationExtentOf(r, kDirY);
        const double halfWidth = b.printableWidth / 2.0 - 2.4;
        const double height = 6.5;
        double scale = 1.0;
        for (const double denominator : {100.0, 200.0, 300.0, 400.0, 500.0, 600.0, 1000.0}) {
            scale = 100.0 / denominator;
            const double w = std::max(ex.right - ex.left, ey.right - ey.left) * scale;
            const double h = std::max(ex.height, ey.height) * scale;
            if (w <= halfWidth && h <= height)
                break;
        }
        const float figureHeight = static_cast<float>(std::max(ex.height, ey.height) * scale);
        const float dims = 0.45f * static_cast<float>(r.storeys + 2);
        b.roomFor(0.8f + figureHeight + dims + 2 * b.lineH);
        const float base = b.cursorY + 0.8f + figureHeight;
        for (int d = kDirX; d <= kDirY; ++d) {
            const float left = x + 1.6f + (d == kDirY ? b.printableWidth / 2.0f : 0.0f);
            DrawElevationFigure(b.s, r, d, left, base, scale);
            PrintTextCm(b.s,
                        QStringLiteral("%1方向の壁 (%2方向の幅)")
                            .arg(DirectionName(d), DirectionName(d == kDirX ? kDirY : kDirX)),
                        9, left, base + dims, 0);
        }
        // The figure's texts leave their own size on the surface.
        b.setFontSize(10);
        b.cursorY = base + dims + b.lineH;
        Line(b, x, QStringLiteral("図-3.1.1 見付面積図  S=1/%1  (破線: 各階の床面から 1.35 m)")
                       .arg(static_cast<int>(std::lround(100.0 / scale))));
    }
    Caption(b, x, QStringLiteral("表-3.1.0 見付面積"));
    FixedTable t;
    t.format = TableFormat{}.centre(700).centre(600).left(3600).centre(2600).centre(1300);
    t.rows << QStringList{QStringLiteral("階"), QStringLiteral("方向"), QStringLiteral("部分"),
                          QStringLiteral("幅×高さ (m)"), QStringLiteral("見付面積\r(m²)")};
    for (const StoreyWallResult &st : r.storey)
        for (const WallDirectionResult &dr : st.dir) {
            QStringList names;
            QStringList parts;
            if (dr.exposedTyped) {
                names << QStringLiteral("直接入力");
                parts << QStringLiteral("－");
            } else if (!dr.exposedKnown) {
                names << QStringLiteral("階高未入力");
                parts << QStringLiteral("－");
            } else {
                for (const ElevationBand &band : dr.bands) {
                    names << BandName(band);
                    parts << BandText(band);
                }
            }
            t.rows << QStringList{StoreyName(st.storey), DirectionName(dr.direction), names.join(QLatin1Char('\r')),
                                  parts.join(QLatin1Char('\r')),
                                  dr.exposedKnown ? Num(dr.exposedM2, 2) : QStringLiteral("－")};
        }
    b.fixedTable(t, 9, 50);
}

void PrintWalls(ReportState &b, float x, const WallQuantityResult &r, int storey, int d, int number)
{
    const Project &p = b.p;
    const WallDirectionResult &dr = r.at(storey, d);
    Caption(b, x, QStringLiteral("表-3.1.%1 %2 %3方向の耐力壁").arg(number).arg(StoreyName(storey), DirectionName(d)));
    FixedTable t;
    t.format = TableFormat{}.centre(900).centre(1700).centre(900).centre(900).centre(1000).centre(1300).centre(1500);
    t.rows << QStringList{QStringLiteral("通り"), QStringLiteral("区間"), QStringLiteral("筋かい"),
                          QStringLiteral("面材"), QStringLiteral("倍率"), QStringLiteral("長さ\r(cm)"),
                          QStringLiteral("壁量 (cm)\r倍率×長さ")};
    const OneBasedArray<QString> &lineNames = d == kDirX ? p.grid.lineNameY : p.grid.lineNameX;
    const OneBasedArray<QString> &alongNames = d == kDirX ? p.grid.lineNameX : p.grid.lineNameY;
    for (const WallRun &w : ListWallRuns(p, storey, d)) {
        t.rows << QStringList{LineName(lineNames, w.line),
                              LineName(alongNames, w.from) + QStringLiteral("～") + LineName(alongNames, w.to),
                              w.brace > 0 ? Num(w.brace, 1) : QStringLiteral("－"),
                              w.board > 0 ? Num(w.board, 1) : QStringLiteral("－"),
                              Num(w.multiplier, 1) + (w.capped ? QStringLiteral("※") : QString()),
                              Num(w.lengthCm, 2), Num(w.quantityCm, 2)};
    }
    if (t.rows.size() == 1)
        t.rows << QStringList{QStringLiteral("－"), QString(), QString(), QString(), QString(), QString(),
                              Num(0.0, 2)};
    t.rows << QStringList{QStringLiteral("計"), QString(), QString(), QString(), QString(), QString(),
                          Num(dr.existingCm, 2)};
    t.spans = {{{static_cast<int>(t.rows.size()) - 1, 0}, 6}};
    b.fixedTable(t, 9, 50);
}

void PrintJudgement(ReportState &b, float x, const WallQuantityResult &r, int number)
{
    b.roomFor(6 * b.lineH);
    Line(b, x, QStringLiteral("(5)判定"));
    Caption(b, x, QStringLiteral("表-3.1.%1 壁量の判定").arg(number));
    FixedTable t;
    t.format = TableFormat{}.centre(500).centre(450).centre(800).centre(700).centre(950).centre(800).centre(950)
                   .centre(950).centre(950).centre(950).centre(550);
    t.rows << QStringList{QStringLiteral("階"), QStringLiteral("方向"), QStringLiteral("床面積\r(m²)"),
                          QStringLiteral("Lw\r(cm/m²)"), QStringLiteral("地震力\rLw×床面積"),
                          QStringLiteral("見付面積\r(m²)"), QStringLiteral("風圧力\r%1×見付").arg(DecimalText(r.inputs.windC)),
                          QStringLiteral("必要壁量\r大きい方"), QStringLiteral("存在壁量\r(cm)"),
                          QStringLiteral("充足率\r存在/必要"), QStringLiteral("判定")};
    const QString dash = QStringLiteral("－");
    for (const StoreyWallResult &st : r.storey)
        for (const WallDirectionResult &dr : st.dir)
            t.rows << QStringList{StoreyName(st.storey), DirectionName(dr.direction), Num(st.floorAreaM2, 2),
                                  dr.lwKnown ? Num(dr.lw, 2) : dash, dr.lwKnown ? Num(dr.seismicCm, 1) : dash,
                                  dr.exposedKnown ? Num(dr.exposedM2, 2) : dash,
                                  dr.exposedKnown ? Num(dr.windCm, 1) : dash,
                                  dr.judged ? Num(dr.requiredCm, 1) : dash, Num(dr.existingCm, 1),
                                  dr.judged ? RatioText(dr.ratio) : dash,
                                  dr.judged ? (dr.ok ? QStringLiteral("OK") : QStringLiteral("NG")) : dash};
    b.fixedTable(t, 8, 50);
    Line(b, x, QStringLiteral("必要壁量 (cm) = 地震力・風圧力の大きい方。存在壁量 ≧ 必要壁量 (充足率 ≧ 1) を OK とする。"));
}

}  // namespace

void PrintWallQuantities(ReportState &b, float x)
{
    if (!b.keepGoing())
        return;
    const WallQuantityResult r = ComputeWallQuantities(b.p);
    b.setFontSize(11);
    PrintTextCm(b.s, QStringLiteral("3.壁量計算"), 11, x, b.cursorY, 0);
    b.cursorY += b.lineH;
    b.sectionTitle(QStringLiteral("3.1.壁量計算 (存在壁量と必要壁量)"), x, 3, 1);
    b.setFontSize(10);
    PrintConditions(b, x, r);
    PrintFloorAreas(b, x, r);
    PrintExposedAreas(b, x, r);
    b.roomFor(4 * b.lineH);
    Line(b, x, QStringLiteral("(4)存在壁量 (倍率×長さ、倍率は 7.0 まで)"));
    int number = 1;
    for (int s = 1; s <= r.storeys; ++s)
        for (int d = kDirX; d <= kDirY; ++d)
            PrintWalls(b, x, r, s, d, number++);
    PrintJudgement(b, x, r, number);
    b.setFontSize(kReportBaseFontSize);
}

}  // namespace rqx
