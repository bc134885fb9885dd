#include "calc/wall_inputs.h"

#include <QStringList>

#include <cmath>

namespace rqx {

namespace {

const QString kEntryPrefix = QStringLiteral("WALLS ");
const QString kSourceKey = QStringLiteral("src=");

int FindEntry(const Project &project)
{
    for (int k = 1; k <= 10; ++k)
        if (project.spare[k].text.startsWith(kEntryPrefix))
            return k;
    return 0;
}

QString NumberList(const double *values, int count)
{
    QStringList parts;
    for (int k = 0; k < count; ++k)
        parts << DecimalText(values[k]);
    return parts.join(QLatin1Char(','));
}

// Reads "a,b,…" into exactly `count` values; false leaves them as they were.
bool ReadList(const QString &text, double *values, int count)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        return false;
    double read[4] = {};
    for (int k = 0; k < count; ++k)
        if (!ParseDecimal(parts[k], read[k]))
            return false;
    for (int k = 0; k < count; ++k)
        values[k] = read[k];
    return true;
}

bool InRangeOrZero(double v, double low, double high)
{
    return v == 0.0 || (v >= low && v <= high);
}

}  // namespace

bool ParseDecimal(const QString &text, double &value)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 20)
        return false;
    int dots = 0;
    int digits = 0;
    for (const QChar ch : t) {
        if (ch == QLatin1Char('.'))
            ++dots;
        else if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
            ++digits;
        else
            return false;
    }
    if (dots > 1 || digits == 0)
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

QString DecimalText(double value)
{
    return QString::number(value, 'g', 12);
}

QString WallInputsText(const WallInputs &in)
{
    QStringList pairs;
    pairs << QStringLiteral("route=%1").arg(static_cast<int>(in.route));
    pairs << QStringLiteral("lw=") + NumberList(in.lw.data(), 3);
    pairs << QStringLiteral("w=") + NumberList(in.weightKn.data(), 2);
    pairs << QStringLiteral("w0=") + DecimalText(in.oneStoreyLoad);
    pairs << QStringLiteral("h=") + DecimalText(in.buildingHeightM);
    pairs << QStringLiteral("c0=") + DecimalText(in.c0);
    pairs << QStringLiteral("c=") + DecimalText(in.windC);
    pairs << QStringLiteral("roof=%1,%2,%3,%4,%5")
                 .arg(static_cast<int>(in.roof.kind))
                 .arg(in.roof.ridgeDirection)
                 .arg(in.roof.riseMm)
                 .arg(in.roof.eavesMm)
                 .arg(in.roof.vergeMm);
    pairs << QStringLiteral("a=") + NumberList(in.exposedOverride.data(), 4);
    // Only when not both, so that conditions written before the choice existed keep their text.
    if (in.placementReport != PlacementReport::Both)
        pairs << QStringLiteral("pl=%1").arg(static_cast<int>(in.placementReport));
    // The free text last: it may hold anything, ";" too.
    pairs << kSourceKey + in.lwSource;
    return kEntryPrefix + pairs.join(QLatin1Char(';'));
}

bool ParseWallInputsText(const QString &text, WallInputs &in)
{
    if (!text.startsWith(kEntryPrefix))
        return false;
    QString rest = text.mid(kEntryPrefix.size());
    const qsizetype source = rest.startsWith(kSourceKey) ? 0 : rest.indexOf(QLatin1Char(';') + kSourceKey);
    if (source >= 0) {
        const qsizetype start = source == 0 ? kSourceKey.size() : source + 1 + kSourceKey.size();
        in.lwSource = rest.mid(start);
        rest.truncate(source);
    }
    for (const QString &pair : rest.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = pair.left(eq);
        const QString value = pair.mid(eq + 1);
        double v = 0.0;
        if (key == QLatin1String("route")) {
            const int r = value.toInt();
            if (r >= 1 && r <= 4)
                in.route = static_cast<LwRoute>(r);
        } else if (key == QLatin1String("lw")) {
            ReadList(value, in.lw.data(), 3);
        } else if (key == QLatin1String("w")) {
            ReadList(value, in.weightKn.data(), 2);
        } else if (key == QLatin1String("pl")) {
            const int r = value.toInt();
            if (r >= 1 && r <= 2)
                in.placementReport = static_cast<PlacementReport>(r);
        } else if (key == QLatin1String("w0") && ParseDecimal(value, v)) {
            in.oneStoreyLoad = v;
        } else if (key == QLatin1String("h") && ParseDecimal(value, v)) {
            in.buildingHeightM = v;
        } else if (key == QLatin1String("c0") && ParseDecimal(value, v)) {
            in.c0 = v;
        } else if (key == QLatin1String("c") && ParseDecimal(value, v)) {
            in.windC = v;
        } else if (key == QLatin1String("roof")) {
            const QStringList parts = value.split(QLatin1Char(','));
            if (parts.size() == 5) {
                const int kind = parts[0].toInt();
                const int ridge = parts[1].toInt();
                if (kind >= 1 && kind <= 3 && (ridge == kDirX || ridge == kDirY)) {
                    in.roof.kind = static_cast<RoofKind>(kind);
                    in.roof.ridgeDirection = ridge;
                    in.roof.riseMm = parts[2].toInt();
                    in.roof.eavesMm = parts[3].toInt();
                    in.roof.vergeMm = parts[4].toInt();
                }
            }
        } else if (key == QLatin1String("a")) {
            ReadList(value, in.exposedOverride.data(), 4);
        }
    }
    return true;
}

WallInputs ReadWallInputs(const Project &project)
{
    WallInputs in;
    const int k = FindEntry(project);
    if (k > 0)
        ParseWallInputsText(project.spare[k].text, in);
    return in;
}

bool HasWallInputs(const Project &project)
{
    return FindEntry(project) > 0;
}

bool WriteWallInputs(Project &project, const WallInputs &inputs, bool *changed)
{
    if (changed != nullptr)
        *changed = false;
    int k = FindEntry(project);
    if (k == 0) {
        // Absent conditions are the defaults: writing the defaults changes nothing.
        if (inputs == WallInputs{})
            return true;
        for (int e = 1; e <= 10 && k == 0; ++e)
            if (project.spare[e].text.isEmpty() && project.spare[e].value == 0)
                k = e;
        if (k == 0)
            return false;
    }
    const SpareEntry entry{WallInputsText(inputs), 1};
    if (project.spare[k] == entry)
        return true;
    project.spare[k] = entry;
    if (changed != nullptr)
        *changed = true;
    return true;
}

QString WallInputsProblem(const WallInputs &in)
{
    const QString lwNames[3] = {QStringLiteral("１階の Lw"), QStringLiteral("２階の Lw"),
                                QStringLiteral("平屋部分の Lw")};
    for (int k = 0; k < 3; ++k)
        if (!InRangeOrZero(in.lw[k], kMinLw, kMaxLw))
            return QStringLiteral("%1（%2 cm/m²）が範囲外です。%3～%4 cm/m² で入力してください。")
                .arg(lwNames[k], DecimalText(in.lw[k]), DecimalText(kMinLw), DecimalText(kMaxLw));
    for (int k = 0; k < 2; ++k)
        if (!InRangeOrZero(in.weightKn[k], 0.1, kMaxWeightKn))
            return QStringLiteral("%1階の重量 w%1（%2 kN）が範囲外です。0.1～%3 kN で入力してください。")
                .arg(k + 1)
                .arg(DecimalText(in.weightKn[k]), DecimalText(kMaxWeightKn));
    if (!InRangeOrZero(in.oneStoreyLoad, 0.1, kMaxStoreyLoad))
        return QStringLiteral("平屋部分の単位重量（%1 kN/m²）が範囲外です。0.1～%2 kN/m² で入力してください。")
            .arg(DecimalText(in.oneStoreyLoad), DecimalText(kMaxStoreyLoad));
    if (!InRangeOrZero(in.buildingHeightM, 1.0, kMaxBuildingHeightM))
        return QStringLiteral("建物の高さ h（%1 m）が範囲外です。1～%2 m で入力してください。")
            .arg(DecimalText(in.buildingHeightM), DecimalText(kMaxBuildingHeightM));
    if (in.c0 != 0.2 && in.c0 != 0.3)
        return QStringLiteral("標準せん断力係数 C0（%1）は 0.2 または 0.3 です。").arg(DecimalText(in.c0));
    if (in.windC < kMinWindC || in.windC > kMaxWindC)
        return QStringLiteral("風圧力の係数（%1 cm/m²）が範囲外です。%2～%3 cm/m² で入力してください。")
            .arg(DecimalText(in.windC), DecimalText(kMinWindC), DecimalText(kMaxWindC));
    if (in.roof.riseMm < 0 || in.roof.riseMm > kMaxRoofRiseMm)
        return QStringLiteral("屋根の高さ（%1 mm）が範囲外です。0～%2 mm で入力してください。")
            .arg(in.roof.riseMm)
            .arg(kMaxRoofRiseMm);
    if (in.roof.eavesMm < 0 || in.roof.eavesMm > kMaxOverhangMm || in.roof.vergeMm < 0 ||
        in.roof.vergeMm > kMaxOverhangMm)
        return QStringLiteral("軒の出・けらばの出が範囲外です。0～%1 mm で入力してください。").arg(kMaxOverhangMm);
    for (double a : in.exposedOverride)
        if (!InRangeOrZero(a, 0.01, kMaxExposedM2))
            return QStringLiteral("見付面積（%1 m²）が範囲外です。0.01～%2 m² で入力してください。")
                .arg(DecimalText(a), DecimalText(kMaxExposedM2));
    return {};
}

OldLwTable OldLwValues(LwRoute route)
{
    if (route == LwRoute::OldHeavy)
        return {15.0, 33.0, 21.0};
    return {11.0, 29.0, 15.0};
}

}  // namespace rqx
