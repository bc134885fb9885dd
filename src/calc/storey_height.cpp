#include "calc/storey_height.h"

namespace rqx {

namespace {

// Full-width digits and points (an IME's) read as their ASCII forms; nothing else is changed.
QString Narrowed(const QString &typed)
{
    QString s = typed.trimmed();
    for (QChar &c : s) {
        const char16_t u = c.unicode();
        if (u >= u'\uFF10' && u <= u'\uFF19')
            c = QChar(u'0' + (u - u'\uFF10'));
        else if (u == u'\uFF0E')
            c = QLatin1Char('.');
    }
    return s;
}

bool AllDigits(const QString &s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !s.isEmpty();
}

}  // namespace

QString StoreyHeightRuleText(bool metres)
{
    return metres ? QStringLiteral("階高はメートルで %1～%2 m（mm 単位まで）、未入力は 0 です。")
                        .arg(HeightMetresText(kMinStoreyHeightMm), HeightMetresText(kMaxStoreyHeightMm))
                  : QStringLiteral("階高は mm 単位の整数で %1～%2 mm、未入力は 0 または空欄です。")
                        .arg(kMinStoreyHeightMm)
                        .arg(kMaxStoreyHeightMm);
}

QString StoreyHeightRuleInEnglish(bool metres)
{
    return metres ? QStringLiteral("expected metres from %1 to %2 in whole millimetres, or 0 (not entered)")
                        .arg(HeightMetresText(kMinStoreyHeightMm), HeightMetresText(kMaxStoreyHeightMm))
                  : QStringLiteral("expected whole millimetres from %1 to %2, or 0 (not entered)")
                        .arg(kMinStoreyHeightMm)
                        .arg(kMaxStoreyHeightMm);
}

namespace {

bool Refuse(const QString &typed, const QString &name, const QString &why, const QString &whyInEnglish,
            bool metres, StoreyHeightRefusal &refusal)
{
    refusal.text = QStringLiteral("「%1」に入力された「%2」は使えません（%3）。\r%4")
                       .arg(name, typed, why, StoreyHeightRuleText(metres));
    refusal.english = QStringLiteral("%1 \"%2\": %3; %4").arg(name, typed, whyInEnglish, StoreyHeightRuleInEnglish(metres));
    return false;
}

bool CheckRange(int64_t mm, const QString &typed, const QString &name, bool metres, int32_t &heightMm,
                StoreyHeightRefusal &refusal)
{
    if (mm != 0 && (mm < kMinStoreyHeightMm || mm > kMaxStoreyHeightMm))
        return Refuse(typed, name, mm < kMinStoreyHeightMm ? QStringLiteral("低すぎます") : QStringLiteral("高すぎます"),
                      mm < kMinStoreyHeightMm ? QStringLiteral("below the storey range")
                                              : QStringLiteral("above the storey range"),
                      metres, refusal);
    heightMm = static_cast<int32_t>(mm);
    return true;
}

}  // namespace

bool IsPlausibleStoreyHeight(int32_t heightMm)
{
    return heightMm == 0 || (heightMm >= kMinStoreyHeightMm && heightMm <= kMaxStoreyHeightMm);
}

bool ReadStoreyHeightMm(const QString &typed, const QString &name, int32_t &heightMm,
                        StoreyHeightRefusal &refusal)
{
    const QString s = Narrowed(typed);
    if (s.isEmpty()) {
        heightMm = 0;
        return true;
    }
    if (!AllDigits(s))
        return Refuse(typed.trimmed(), name, QStringLiteral("mm 単位の整数ではありません"),
                      QStringLiteral("not a whole number of millimetres"), false, refusal);
    // More than seven digits is far outside the range whatever they are.
    const int64_t mm = s.size() > 7 ? int64_t{kMaxStoreyHeightMm} + 1 : s.toLongLong();
    return CheckRange(mm, typed.trimmed(), name, false, heightMm, refusal);
}

bool ReadStoreyHeightMetres(const QString &typed, const QString &name, int32_t &heightMm,
                            StoreyHeightRefusal &refusal)
{
    const QString s = Narrowed(typed);
    const qsizetype point = s.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? s : s.left(point);
    QString fraction = point < 0 ? QString() : s.mid(point + 1);
    if (!AllDigits(whole) || (point >= 0 && !AllDigits(fraction)))
        return Refuse(typed.trimmed(), name, QStringLiteral("メートルの数値ではありません"),
                      QStringLiteral("not a number of metres"), true, refusal);
    while (fraction.size() > 3 && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (fraction.size() > 3)
        return Refuse(typed.trimmed(), name, QStringLiteral("mm 未満の端数があります"),
                      QStringLiteral("finer than a millimetre"), true, refusal);
    fraction = fraction.leftJustified(3, QLatin1Char('0'));
    const int64_t mm = whole.size() > 4 ? int64_t{kMaxStoreyHeightMm} + 1
                                        : whole.toLongLong() * 1000 + fraction.toLongLong();
    return CheckRange(mm, typed.trimmed(), name, true, heightMm, refusal);
}

float HeightFactor(int32_t heightMm)
{
    if (heightMm <= kStoreyHeightLimitMm)
        return 1.0f;
    return static_cast<float>(heightMm) / static_cast<float>(kStandardStoreyHeightMm);
}

int32_t StoreyHeightMm(const Project &project, int storey)
{
    if (storey < 1 || storey > 2 || storey > project.info.floorCount)
        return 0;
    return project.info.levelHeight[storey];
}

float StoreyHeightFactor(const Project &project, int storey)
{
    return HeightFactor(StoreyHeightMm(project, storey));
}

bool HasStoreyHeights(const Project &project)
{
    return StoreyHeightMm(project, 1) != 0 || StoreyHeightMm(project, 2) != 0;
}

QString HeightMetresText(int32_t heightMm)
{
    const int decimals = heightMm % 10 == 0 ? 2 : 3;
    return QString::number(static_cast<double>(heightMm) / 1000.0, 'f', decimals);
}

}  // namespace rqx
