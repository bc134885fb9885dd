#include "calc/hardware_class.h"

namespace rqx {

const std::array<HardwareClass, kHardwareClassCount> &HardwareClasses()
{
    static const std::array<HardwareClass, kHardwareClassCount> table = {{
        {QStringLiteral("(い)"), 0.0, 0.0f, QStringLiteral("0.00"),
         QStringLiteral("短ほぞ差し / かすがい(C)"), QStringLiteral("0.00 / (1.62)")},
        {QStringLiteral("(ろ)"), 0.65, 0.65f, QStringLiteral("3.44"),
         QStringLiteral("長ほぞ差し込み栓 / かど金物(CP･L)"), QStringLiteral("(3.81) / 3.38")},
        {QStringLiteral("(は)"), 1.0, 1.0f, QStringLiteral("5.29"),
         QStringLiteral("かど金物(CP･T) / 山形プレート(VP)"), QStringLiteral("5.07 / 5.88")},
        {QStringLiteral("(に)"), 1.4, 1.4f, QStringLiteral("7.41"),
         QStringLiteral("羽子板ボルト(SB)または短ざく金物(S)"), QStringLiteral("7.50")},
        {QStringLiteral("(ほ)"), 1.6, 1.6f, QStringLiteral("8.47"),
         QStringLiteral("羽子板ボルト(SB+ZS50)または短ざく金物(S+ZS50)"), QStringLiteral("8.50")},
        {QStringLiteral("(へ)"), 1.8, 1.8f, QStringLiteral("9.53"), QStringLiteral("引き寄せ金物(HD-10)"),
         QStringLiteral("10.00")},
        {QStringLiteral("(と)"), 2.8, 2.8f, QStringLiteral("14.82"), QStringLiteral("引き寄せ金物(HD-15)"),
         QStringLiteral("15.00")},
        {QStringLiteral("(ち)"), 3.7, 3.7f, QStringLiteral("19.58"), QStringLiteral("引き寄せ金物(HD-20)"),
         QStringLiteral("20.00")},
        {QStringLiteral("(り)"), 4.7, 4.7f, QStringLiteral("24.87"), QStringLiteral("引き寄せ金物(HD-25)"),
         QStringLiteral("25.00")},
        {QStringLiteral("(ぬ)"), 5.6, 5.6f, QStringLiteral("29.64"),
         QStringLiteral("引き寄せ金物(HD-15)×２個"), QStringLiteral("30.00")},
        {QStringLiteral("(る)*"), 7.5, 7.5f, QStringLiteral("39.69"),
         QStringLiteral("引き寄せ金物(HD-20)×２個(参考)"), QStringLiteral("(40.00)")},
    }};
    return table;
}

QString OutOfRangeLabel()
{
    static const QString label = QStringLiteral("範囲外");
    return label;
}

QString ClassFromN(float n)
{
    constexpr float kTolerance = 0.000001f;
    const auto &table = HardwareClasses();
    // From the top down: the first limit that N exceeds (difference taken in double, rounded
    // to single) selects the class above it.
    if (static_cast<float>(static_cast<double>(n) - table[kHardwareClassCount - 1].limit) > kTolerance)
        return OutOfRangeLabel();
    for (int i = kHardwareClassCount - 2; i >= 0; --i)
        if (static_cast<float>(static_cast<double>(n) - table[static_cast<size_t>(i)].limit) > kTolerance)
            return table[static_cast<size_t>(i) + 1].label;
    return table[0].label;
}

void NFromClass(const QString &label, float &value)
{
    for (const HardwareClass &c : HardwareClasses())
        if (c.label == label) {
            value = c.nLimit;
            return;
        }
}

int HardwareClassIndex(const QString &label)
{
    const auto &table = HardwareClasses();
    for (int i = 0; i < kHardwareClassCount; ++i)
        if (table[static_cast<size_t>(i)].label == label)
            return i + 1;
    return 0;
}

bool PlacedBelowRequired(const QString &placed, const QString &required)
{
    if (HardwareClassIndex(placed) == 0)
        return false;
    if (required == OutOfRangeLabel())
        return true;
    if (HardwareClassIndex(required) == 0)
        return false;
    float have = 0;
    float need = 0;
    NFromClass(placed, have);
    NFromClass(required, need);
    return have < need;
}

}  // namespace rqx
