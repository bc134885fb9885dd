#include "common/number_list.h"

#include <QByteArray>

#include <cmath>
#include <cstdlib>

namespace rqx {

// ---- ParseNumberList ----

namespace {

struct NumberParser {
    NumberListResult result;
    QByteArray digits;  // digits of the current number
    int pointPos = -1;  // digits read before the decimal point, −1 without a point
    double sign = 1.0;
    bool exponentMark = false;
    bool inGroup = false;
    bool groupHasCount = false;  // the output value before "(" is the repeat count
    QList<double> group;

    bool Fail(const QString &message)
    {
        result.ok = false;
        result.message = message;
        return false;
    }

    // Digits × 10^(pointPos − digit count), correctly rounded.
    double NumberValue() const
    {
        QByteArray text = digits;
        if (pointPos >= 0)
            text += 'e' + QByteArray::number(pointPos - static_cast<int>(digits.size()));
        return std::strtod(text.constData(), nullptr);
    }

    static double PowerOfTen(double exponent) { return std::pow(10.0, std::floor(exponent + 0.1)); }

    bool Append(double value)
    {
        if (!std::isfinite(value))
            return Fail(QStringLiteral("数値が大きすぎます。"));
        if (result.values.size() >= kMaxNumberListValues)
            return Fail(QStringLiteral("数値が多すぎます。"));
        result.values.append(value);
        return true;
    }

    bool EndNumber()
    {
        if (digits.isEmpty()) {
            pointPos = -1;  // a lone "." does not carry over to the next number
            return true;
        }
        double value = sign * NumberValue();
        if (value == 0.0)
            value = 0.0;  // "-0" reads as plain zero
        digits.clear();
        pointPos = -1;
        sign = 1.0;
        const bool scale = exponentMark;
        exponentMark = false;
        if (!inGroup) {
            if (!scale)
                return Append(value);
            if (result.values.isEmpty())  // the scaled value went into an empty repeat
                return true;
            result.values.last() *= PowerOfTen(value);
            if (!std::isfinite(result.values.last()))
                return Fail(QStringLiteral("数値が大きすぎます。"));
            return true;
        }
        if (!scale) {
            if (group.size() >= kMaxGroupValues)
                return Fail(QStringLiteral("( ) の中の数値が %1 個を超えています。").arg(kMaxGroupValues));
            group.append(value);
            return true;
        }
        if (!group.isEmpty()) {  // an exponent before any value of the group is ignored
            group.last() *= PowerOfTen(value);
            if (!std::isfinite(group.last()))
                return Fail(QStringLiteral("数値が大きすぎます。"));
        }
        return true;
    }

    // Replaces the repeat count before "(" by the group's values repeated that many times.
    bool ExpandGroup()
    {
        double repeat = 1.0;
        if (groupHasCount) {
            repeat = std::trunc(result.values.last() + 0.1);
            result.values.removeLast();
        }
        // Compared as a real: a count such as 1E300 has no integer form.
        if (repeat > 0.0 && !group.isEmpty() &&
            repeat > static_cast<double>((kMaxNumberListValues - result.values.size()) / group.size()))
            return Fail(QStringLiteral("数値が多すぎます。"));
        const int times = repeat > 0.0 && !group.isEmpty() ? static_cast<int>(repeat) : 0;
        for (int r = 0; r < times; ++r)
            for (double v : group)
                result.values.append(v);
        group.clear();
        inGroup = false;
        groupHasCount = false;
        exponentMark = false;
        return true;
    }

    bool Feed(QChar c)
    {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (digits.size() < kMaxNumberChars)
                digits.append(static_cast<char>(c.unicode()));
            return true;
        }
        if (c == QLatin1Char('.')) {
            pointPos = static_cast<int>(digits.size());
            return true;
        }
        if (!EndNumber())
            return false;
        if (c == QLatin1Char('-')) {
            sign = -1.0;
        } else if (c == QLatin1Char('(')) {
            if (!inGroup) {
                inGroup = true;
                groupHasCount = !result.values.isEmpty();
                exponentMark = false;
            }
        } else if (c == QLatin1Char(')')) {
            // Expanding at once keeps a number right after ")" from being taken as the repeat count.
            if (inGroup)
                return ExpandGroup();
        } else if (c == QLatin1Char('E') || c == QLatin1Char('e')) {
            if (inGroup ? !group.isEmpty() : !result.values.isEmpty())
                exponentMark = true;
        }
        return true;
    }
};

}  // namespace

NumberListResult ParseNumberList(const QString &text)
{
    NumberParser p;
    for (QChar c : text)
        if (!p.Feed(c))
            return p.result;
    if (!p.Feed(QLatin1Char(' ')))
        return p.result;
    // A group left open at the end of the text counts as closed.
    if (p.inGroup)
        p.ExpandGroup();
    return p.result;
}

}  // namespace rqx
