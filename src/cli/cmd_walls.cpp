// walls FILE.RQX [--lw A[,B,C]] [--wind C] [--heights H1[,H2]] [--roof flat] [--csv]: the wall
// quantities of every storey and direction under the conditions the file holds, the options
// replacing them for this run (the file is not written):
//   --lw      typed Lw in cm/m²: storey 1, storey 2 and the one-storey value of a two-storey house,
//             one value for a one-storey house
//   --wind    the wind coefficient C in cm/m² (50 to 75)
//   --heights the storey heights in metres
//   --roof flat  a flat roof with no parapet and no overhang
// --csv prints blocks separated by an empty line, each under its header line: the wall quantities,
// the quarter method (side 1 the low end, 2 the high end) and the eccentricity (metres from the first
// node); numbers with four decimals, a ratio or fill cut (never rounded up) to four decimals, an
// eccentricity rounded up (never down to a pass), "inf" where nothing is required or nothing resists.
// A value the conditions dialog would refuse, or a check that cannot be made (no Lw, no storey
// heights for the wind), is exit status 2 with the reason.
#include <QStringList>

#include <cmath>
#include <cstdio>

#include "calc/wall_placement.h"
#include "calc/wall_quantity.h"
#include "cli/cli_common.h"

namespace rqx::cli {

namespace {

const char kUsage[] = "walls FILE.RQX [--lw A[,B,C]] [--wind C] [--heights H1[,H2]] [--roof flat] [--csv]";

QString Fixed4(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", v);
    return QString::fromLatin1(buffer);
}

QString RatioText(double ratio)
{
    if (std::isinf(ratio))
        return QStringLiteral("inf");
    return Fixed4(std::floor(ratio * 1e4) / 1e4);
}

// The reason in the program's words; the usage line after an option that was wrong.
int Refuse(const QString &reason, bool withUsage = true)
{
    PrintError(reason);
    if (withUsage)
        Err() << "usage: velmrqx-cli " << kUsage << Qt::endl;
    return kExitUsage;
}

void PrintCsv(const WallQuantityResult &r)
{
    QTextStream &out = Out();
    out << "storey,direction,floor_m2,lw,seismic_cm,exposed_m2,wind_cm,required_cm,existing_cm,ratio,result\n";
    for (int s = 1; s <= r.storeys; ++s)
        for (int d = kDirX; d <= kDirY; ++d) {
            const WallDirectionResult &w = r.at(s, d);
            const QStringList fields = {
                QString::number(s),
                d == kDirX ? QStringLiteral("X") : QStringLiteral("Y"),
                Fixed4(r.storey[static_cast<std::size_t>(s - 1)].floorAreaM2),
                Fixed4(w.lw),
                Fixed4(w.seismicCm),
                Fixed4(w.exposedM2),
                Fixed4(w.windCm),
                Fixed4(w.requiredCm),
                Fixed4(w.existingCm),
                RatioText(w.ratio),
                w.ok ? QStringLiteral("OK") : QStringLiteral("NG"),
            };
            out << fields.join(QLatin1Char(',')) << '\n';
        }
    out.flush();
}

QString UpText(double value)
{
    if (std::isinf(value))
        return QStringLiteral("inf");
    return Fixed4(std::ceil(value * 1e4 - 1e-9) / 1e4);
}

QString Result(bool ok)
{
    return ok ? QStringLiteral("OK") : QStringLiteral("NG");
}

void PrintPlacementCsv(const WallPlacementResult &r)
{
    QTextStream &out = Out();
    out << "\nstorey,direction,side,area_m2,lw,required_cm,existing_cm,fill,wall_ratio,result\n";
    for (int s = 1; s <= r.storeys; ++s)
        for (int d = kDirX; d <= kDirY; ++d) {
            const QuarterResult &q = r.at(s, d);
            if (!q.present)
                continue;
            for (const SidePortion &side : q.side)
                out << QStringList{QString::number(s), d == kDirX ? QStringLiteral("X") : QStringLiteral("Y"),
                                   QString::number(side.side), Fixed4(side.areaM2), Fixed4(side.lw),
                                   Fixed4(side.requiredCm), Fixed4(side.existingCm), RatioText(side.fill),
                                   RatioText(q.wallRatio), Result(q.ok)}
                           .join(QLatin1Char(','))
                    << '\n';
        }
    out << "\nstorey,gx,gy,sx,sy,ex,ey,kr,rex,rey,Rex,Rey,result\n";
    for (const EccentricityResult &e : r.eccentricity) {
        if (!e.present)
            continue;
        out << QStringList{QString::number(e.storey), Fixed4(e.gx), Fixed4(e.gy), Fixed4(e.sx), Fixed4(e.sy),
                           Fixed4(e.ex), Fixed4(e.ey), Fixed4(e.kr), Fixed4(e.rex), Fixed4(e.rey),
                           UpText(e.bigRex), UpText(e.bigRey), Result(e.ok)}
                   .join(QLatin1Char(','))
            << '\n';
    }
    out.flush();
}

void PrintPlacementTable(const WallPlacementResult &r)
{
    QTextStream &out = Out();
    out << "\nquarter method\nstorey dir side    area m2      Lw  required cm  existing cm     fill    ratio\n";
    for (int s = 1; s <= r.storeys; ++s)
        for (int d = kDirX; d <= kDirY; ++d) {
            const QuarterResult &q = r.at(s, d);
            if (!q.present)
                continue;
            for (const SidePortion &side : q.side) {
                out << QString::number(s).rightJustified(6) << (d == kDirX ? "   X" : "   Y")
                    << QString::number(side.side).rightJustified(5) << Fixed4(side.areaM2).rightJustified(11)
                    << Fixed4(side.lw).rightJustified(8) << Fixed4(side.requiredCm).rightJustified(13)
                    << Fixed4(side.existingCm).rightJustified(13) << RatioText(side.fill).rightJustified(9);
                if (side.side == 2)
                    out << RatioText(q.wallRatio).rightJustified(9) << "  " << Result(q.ok);
                out << '\n';
            }
        }
    out << "\neccentricity (m from the first node)\nstorey       Gx       Gy       Sx       Sy       KR"
           "      rex      rey      Rex      Rey\n";
    for (const EccentricityResult &e : r.eccentricity) {
        if (!e.present)
            continue;
        out << QString::number(e.storey).rightJustified(6);
        for (const double v : {e.gx, e.gy, e.sx, e.sy, e.kr, e.rex, e.rey})
            out << Fixed4(v).rightJustified(9);
        out << UpText(e.bigRex).rightJustified(9) << UpText(e.bigRey).rightJustified(9) << "  " << Result(e.ok)
            << '\n';
    }
    out.flush();
}

void PrintTable(const WallQuantityResult &r)
{
    QTextStream &out = Out();
    const WallInputs &in = r.inputs;
    out << "Lw (cm/m2):";
    for (int s = 1; s <= r.storeys; ++s)
        out << " storey " << s << ' ' << Fixed4(r.lw[static_cast<std::size_t>(s - 1)]);
    if (r.storeys == 2)
        out << " one-storey " << Fixed4(r.lw[kLwOneStorey]);
    out << "  C0 " << DecimalText(in.c0) << "  wind C " << DecimalText(in.windC) << " cm/m2\n\n";
    out << "storey dir   floor m2      Lw  seismic cm  exposed m2     wind cm  required cm  existing cm    ratio\n";
    for (int s = 1; s <= r.storeys; ++s)
        for (int d = kDirX; d <= kDirY; ++d) {
            const WallDirectionResult &w = r.at(s, d);
            out << QString::number(s).rightJustified(6) << ' ' << (d == kDirX ? "  X" : "  Y")
                << Fixed4(r.storey[static_cast<std::size_t>(s - 1)].floorAreaM2).rightJustified(11)
                << Fixed4(w.lw).rightJustified(8) << Fixed4(w.seismicCm).rightJustified(12)
                << Fixed4(w.exposedM2).rightJustified(12) << Fixed4(w.windCm).rightJustified(12)
                << Fixed4(w.requiredCm).rightJustified(13) << Fixed4(w.existingCm).rightJustified(13)
                << RatioText(w.ratio).rightJustified(9) << "  " << (w.ok ? "OK" : "NG")
                << (w.cappedSpans > 0 ? "  (7.0 cap)" : "") << '\n';
        }
    out.flush();
}

}  // namespace

int RunWalls(const QStringList &args)
{
    const QString usage = QString::fromLatin1(kUsage);
    QString file;
    QString lwText;
    QString windText;
    QString roofText;
    bool lwGiven = false;
    bool windGiven = false;
    bool roofGiven = false;
    bool csv = false;
    StoreyHeightsOption heights;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--csv") && !csv)
            csv = true;
        else if (arg == QLatin1String("--lw") && hasValue && !lwGiven) {
            lwGiven = true;
            lwText = args[++i];
        } else if (arg == QLatin1String("--wind") && hasValue && !windGiven) {
            windGiven = true;
            windText = args[++i];
        } else if (arg == QLatin1String("--roof") && hasValue && !roofGiven) {
            roofGiven = true;
            roofText = args[++i];
        } else if (arg == QLatin1String("--heights") && hasValue && !heights.given) {
            StoreyHeightRefusal why;
            if (!ParseStoreyHeights(args[++i], heights, why))
                return RefuseStoreyHeights(args[i], why, usage);
        } else if (!arg.startsWith(QLatin1String("--")) && file.isEmpty())
            file = arg;
        else
            return UsageError(usage);
    }
    if (file.isEmpty())
        return UsageError(usage);
    if (roofGiven && roofText != QLatin1String("flat"))
        return Refuse(QStringLiteral("--roof %1: 屋根の指定は flat（パラペット・軒の出なしの陸屋根）だけです。")
                          .arg(roofText));
    double windC = 0.0;
    if (windGiven && !ParseDecimal(windText, windC))
        return Refuse(QStringLiteral("--wind %1: 風圧力の係数 C は数値（cm/m²）で指定してください。").arg(windText));

    Project p;
    if (!LoadForCommand(file, p))
        return kExitRefused;
    ApplyStoreyHeights(heights, p);
    WallInputs in = ReadWallInputs(p);
    if (lwGiven) {
        const int count = p.dims.floorCount == 2 ? 3 : 1;
        const QStringList parts = lwText.split(QLatin1Char(','));
        if (parts.size() != count)
            return Refuse(count == 3 ? QStringLiteral("--lw %1: ２階建てには Lw を３つ（１階,２階,平屋部分）"
                                                      "指定してください。")
                                           .arg(lwText)
                                     : QStringLiteral("--lw %1: 平屋建てには Lw を１つ指定してください。").arg(lwText));
        in.route = LwRoute::Typed;
        in.lw = {};
        for (int k = 0; k < count; ++k) {
            double v = 0.0;
            if (!ParseDecimal(parts[k], v))
                return Refuse(QStringLiteral("--lw %1: 「%2」は数値ではありません。").arg(lwText, parts[k]));
            if (v < kMinLw || v > kMaxLw)
                return Refuse(QStringLiteral("--lw %1: Lw（%2 cm/m²）が範囲外です。%3～%4 cm/m² で指定してください。")
                                  .arg(lwText, parts[k], DecimalText(kMinLw), DecimalText(kMaxLw)));
            in.lw[static_cast<std::size_t>(k)] = v;
        }
    }
    if (windGiven)
        in.windC = windC;
    if (roofGiven)
        in.roof = RoofDescription{RoofKind::Flat, kDirX, 0, 0, 0};
    const QString problem = WallInputsProblem(in);
    if (!problem.isEmpty())
        return Refuse(problem);
    const WallQuantityResult r = ComputeWallQuantities(p, in);
    if (!r.complete())
        return Refuse(r.missing.join(QLatin1Char('\r')), false);
    const WallPlacementResult placement = ComputeWallPlacement(p, r);
    if (!placement.complete())
        return Refuse(placement.missing.join(QLatin1Char('\r')), false);
    if (csv) {
        PrintCsv(r);
        PrintPlacementCsv(placement);
    } else {
        PrintTable(r);
        PrintPlacementTable(placement);
    }
    return kExitOk;
}

}  // namespace rqx::cli
