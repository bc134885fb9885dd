// calc [--table] [--heights H1[,H2]] FILE.RQX: runs the calculation the way the report command does
// (beam positions, wall sides, N values, wall lines) and prints every column's
// result. Without --table, CSV on stdout:
//   level,x,y,kind,through,corner,aX,aY,b,l,nOwnX,nOwnY,nBeamX,nBeamY,nCrossX,nCrossY,totalX,totalY,notCarried,required
// one row per column, by level, then y, then x; real numbers with four decimals.
// With --table, a table for reading, by grid line names, one block per storey, under a line with the
// storey heights and their factors when heights are entered.
// --heights takes the storey heights in metres for this run instead of the stored ones.
#include <QStringList>

#include <algorithm>
#include <cstdio>

#include "calc/n_value.h"
#include "calc/storey_height.h"
#include "cli/cli_common.h"
#include "common/shown_text.h"

namespace rqx::cli {

namespace {

QString Fixed4(float v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", static_cast<double>(v));
    return QString::fromLatin1(buffer);
}

void PrintCsv(const Project &p, const Calculation &c)
{
    QTextStream &out = Out();
    out << "level,x,y,kind,through,corner,aX,aY,b,l,nOwnX,nOwnY,nBeamX,nBeamY,nCrossX,nCrossY,totalX,totalY,"
           "notCarried,required\n";
    for (int level = 1; level <= p.dims.floorCount; ++level)
        for (int y = 1; y <= p.dims.spanCountY + 1; ++y)
            for (int x = 1; x <= p.dims.spanCountX + 1; ++x) {
                const NodeRecord &n = p.nodes(x, y, level);
                if (n.columnKind <= 0)
                    continue;
                const ColumnResult &r = c.results(x, y, level);
                const QStringList fields = {
                    QString::number(level),
                    QString::number(x),
                    QString::number(y),
                    QString::number(n.columnKind),
                    QString::number(n.throughOrigin),
                    QString::number(c.corner(x, y, level)),
                    Fixed4(r.aValue[kDirX]),
                    Fixed4(r.aValue[kDirY]),
                    Fixed4(r.bValue),
                    Fixed4(r.lValue),
                    Fixed4(r.nOwn[kDirX]),
                    Fixed4(r.nOwn[kDirY]),
                    Fixed4(r.nBeam[kDirX]),
                    Fixed4(r.nBeam[kDirY]),
                    Fixed4(r.nCross[kDirX]),
                    Fixed4(r.nCross[kDirY]),
                    Fixed4(TotalN(r, kDirX)),
                    Fixed4(TotalN(r, kDirY)),
                    QString::number(r.notCarried != 0 ? 1 : 0),
                    c.requiredClass(x, y, level),
                };
                out << fields.join(QLatin1Char(',')) << '\n';
            }
    out.flush();
}

// Pads to a terminal width, counting wide (full-width) characters as two columns.
QString PadTo(const QString &text, int width)
{
    int used = 0;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        used += (u >= 0x1100 && !(u >= 0xFF61 && u <= 0xFF9F)) ? 2 : 1;
    }
    return used >= width ? text : text + QString(width - used, QLatin1Char(' '));
}

QString LineName(const OneBasedArray<QString> &names, int k)
{
    const QString name = names.valid(k) ? ShownText(names[k].trimmed(), kShownLineName) : QString();
    return name.isEmpty() ? QString::number(k) : name;
}

void PrintTable(const Project &p, const Calculation &c)
{
    QTextStream &out = Out();
    auto num = [](float v) { return Fixed4(v).rightJustified(9); };
    if (HasStoreyHeights(p)) {
        out << "heights:";
        for (int storey = 1; storey <= std::min(p.dims.floorCount, 2); ++storey)
            out << " H" << storey << ' ' << StoreyHeightMm(p, storey) << " mm (x"
                << Fixed4(StoreyHeightFactor(p, storey)) << ')';
        out << "\n\n";
    }
    for (int level = 1; level <= p.dims.floorCount; ++level) {
        out << "storey " << level << ": " << c.columnCount[level] << " columns\n";
        out << "  " << PadTo(QStringLiteral("X"), 5) << ' ' << PadTo(QStringLiteral("Y"), 5) << ' '
            << PadTo(QStringLiteral("kind"), 6) << ' ' << PadTo(QStringLiteral("出隅"), 4) << ' ';
        for (const char *h : {"A(X)", "A(Y)", "B", "L", "own(X)", "beam(X)", "cross(X)", "N(X)", "own(Y)",
                              "beam(Y)", "cross(Y)", "N(Y)"})
            out << QString::fromLatin1(h).rightJustified(9);
        out << "  required\n";
        for (int y = 1; y <= p.dims.spanCountY + 1; ++y)
            for (int x = 1; x <= p.dims.spanCountX + 1; ++x) {
                const NodeRecord &n = p.nodes(x, y, level);
                if (n.columnKind <= 0)
                    continue;
                const ColumnResult &r = c.results(x, y, level);
                out << "  " << PadTo(LineName(p.grid.lineNameX, x), 5) << ' '
                    << PadTo(LineName(p.grid.lineNameY, y), 5) << ' '
                    << (n.columnKind == 2 ? QStringLiteral("通し柱") : QStringLiteral("管柱  ")) << ' '
                    << (c.corner(x, y, level) == 1 ? QStringLiteral("出隅") : QStringLiteral("    ")) << ' '
                    << num(r.aValue[kDirX]) << num(r.aValue[kDirY]) << num(r.bValue) << num(r.lValue)
                    << num(r.nOwn[kDirX]) << num(r.nBeam[kDirX]) << num(r.nCross[kDirX])
                    << num(TotalN(r, kDirX)) << num(r.nOwn[kDirY]) << num(r.nBeam[kDirY])
                    << num(r.nCross[kDirY]) << num(TotalN(r, kDirY)) << "  " << c.requiredClass(x, y, level)
                    << (r.notCarried != 0 ? QStringLiteral("  not carried") : QString()) << '\n';
            }
        out << '\n';
    }
    if (c.anyNotCarried != 0)
        out << "直交梁による柱引抜き力が１階に伝達されない２階柱があります。\n";
    out.flush();
}

}  // namespace

int RunCalc(const QStringList &args)
{
    const QString usage = QStringLiteral("calc [--table] [--heights H1[,H2]] FILE.RQX");
    bool table = false;
    StoreyHeightsOption heights;
    QString file;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--table") && !table)
            table = true;
        else if (arg == QLatin1String("--heights") && i + 1 < args.size() && !heights.given) {
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
    Project p;
    if (!LoadForCommand(file, p))
        return kExitRefused;
    ApplyStoreyHeights(heights, p);
    const Calculation c = Calculate(p);
    if (table)
        PrintTable(p, c);
    else
        PrintCsv(p, c);
    return kExitOk;
}

}  // namespace rqx::cli
