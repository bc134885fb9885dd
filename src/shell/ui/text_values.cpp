#include "shell/ui/text_values.h"

#include <QRegularExpression>

#include <cmath>

namespace rqx {

double LeadingNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+))"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return 0.0;
    bool ok = false;
    const double v = m.captured(1).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

bool ParseWholeNumber(const QString &text, int lo, int hi, int &value)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,9}$"));
    const QString t = text.trimmed();
    if (!digits.match(t).hasMatch())
        return false;
    const int v = t.toInt();
    if (v < lo || v > hi)
        return false;
    value = v;
    return true;
}

bool ParsePositiveNumber(const QString &text, double &value)
{
    static const QRegularExpression decimal(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString t = text.trimmed();
    if (!decimal.match(t).hasMatch())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v <= 0.0)
        return false;
    value = v;
    return true;
}

QString FormatFixed(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return QString::number(rounded == 0.0 ? 0.0 : rounded, 'f', decimals);
}

QString PitchLabel(double moduleMillimetres, int k)
{
    return QStringLiteral("[") + FormatFixed(moduleMillimetres / (k + 1), 1) + QStringLiteral("(mm)]");
}

QString GridCountRefusedMessage(int maxGridCount)
{
    return QStringLiteral("グリッド数は、1 から %1 までの整数で入力してください。").arg(maxGridCount);
}

QString ModuleRefusedMessage()
{
    return QStringLiteral("グリッド長は、1～100000 の数値 (mm) で入力してください。");
}

QString StartNumberRefusedMessage()
{
    return QStringLiteral("開始番号は、0 から 999 までの整数で入力してください。");
}

QString LineStyleCapacityMessage(const QString &styleCaption, int capacity, const QString &dirText, int lines)
{
    return QStringLiteral(
               "｢%1｣ で名前を付けられる通りは %2 本までです。\r\r%3の通り (グリッド線) は %4 本あります。"
               "\r他の種類を選択してください。")
        .arg(styleCaption)
        .arg(capacity)
        .arg(dirText)
        .arg(lines);
}

}  // namespace rqx
