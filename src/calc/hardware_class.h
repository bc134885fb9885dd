#pragma once
// The joint hardware classes of the method (表-1.3.1.接合部の仕様), from (い) to (る)*, and the
// rules between a column's N value and its required class.

#include <QString>

#include <array>

namespace rqx {

struct HardwareClass {
    QString label;             // "(い)" … "(る)*", as stored in the node record
    double limit;              // largest N the class covers, as ClassFromN subtracts it
    float nLimit;              // the same limit in single precision, as NFromClass gives it
    QString capacityText;      // joint capacity N limit × 1.96 × 2.7 kN, two decimals
    QString hardwareNames;     // 接合金物の仕様, alternatives separated by " / "
    QString hardwareCapacity;  // their capacities (kN), in the same order
};

inline constexpr int kHardwareClassCount = 11;

// The eleven classes in ascending order.
const std::array<HardwareClass, kHardwareClassCount> &HardwareClasses();

// Label given to an N beyond the largest class (above 7.5 plus the tolerance).
QString OutOfRangeLabel();

// The required class of a column whose larger N is n. A class covers every N up to its limit,
// with a tolerance of one millionth; N ≤ 0 gives "(い)"; N above 7.5 gives OutOfRangeLabel().
QString ClassFromN(float n);

// Sets value to the N limit of the class whose label equals the text exactly; any other text
// (empty, "空欄", the out-of-range label…) leaves value unchanged.
void NFromClass(const QString &label, float &value);

// 1..11 for a class label, 0 for any other text.
int HardwareClassIndex(const QString &label);

// Mark written after placed hardware that is weaker than the joint requires; the designer's choice stands.
// A mark of its own: "※" introduces the reports' notes.
inline const QString kWeakerPlacementMark = QStringLiteral("！");

// Whether a placed text is a class label whose N limit lies below that of the required class (any class
// lies below an N beyond the table). Texts that are no class labels are never weaker.
bool PlacedBelowRequired(const QString &placed, const QString &required);

}  // namespace rqx
