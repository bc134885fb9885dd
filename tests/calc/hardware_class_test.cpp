// Required hardware class from N and N limit from a class label.
#include "calc/hardware_class.h"

#include <gtest/gtest.h>

using namespace rqx;

TEST(HardwareClass, EachClassCoversItsLimitWithOneMillionthTolerance)
{
    // 0.65f lies just below 0.65; 0.6500001f lies 9.5e-8 above it, inside the tolerance.
    EXPECT_EQ(ClassFromN(0.65f), QStringLiteral("(ろ)"));
    EXPECT_EQ(ClassFromN(0.6500001f), QStringLiteral("(ろ)"));
    EXPECT_EQ(ClassFromN(0.651f), QStringLiteral("(は)"));
    // 1.8f lies below 1.8: still (へ); 1.81 goes on to (と).
    EXPECT_EQ(ClassFromN(1.8f), QStringLiteral("(へ)"));
    EXPECT_EQ(ClassFromN(1.81f), QStringLiteral("(と)"));
    // 1.4000001f is 9.5e-8 above 1.4: (に) by the tolerance.
    EXPECT_EQ(ClassFromN(1.4000001f), QStringLiteral("(に)"));
    EXPECT_EQ(ClassFromN(1.4001f), QStringLiteral("(ほ)"));
    EXPECT_EQ(ClassFromN(7.5f), QStringLiteral("(る)*"));
    EXPECT_EQ(ClassFromN(5.6f), QStringLiteral("(ぬ)"));
    EXPECT_EQ(ClassFromN(5.61f), QStringLiteral("(る)*"));
}

TEST(HardwareClass, ZeroAndNegativeNGiveTheLowestClass)
{
    EXPECT_EQ(ClassFromN(0.0f), QStringLiteral("(い)"));
    EXPECT_EQ(ClassFromN(-0.7f), QStringLiteral("(い)"));
    EXPECT_EQ(ClassFromN(0.000001f), QStringLiteral("(い)"));  // not above the tolerance
    EXPECT_EQ(ClassFromN(0.00001f), QStringLiteral("(ろ)"));
}

TEST(HardwareClass, EveryClassBetweenItsNeighboursLimits)
{
    const float inside[] = {0.3f, 0.8f, 1.2f, 1.5f, 1.7f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f};
    const char *labels[] = {"(ろ)", "(は)", "(に)", "(ほ)", "(へ)", "(と)", "(ち)", "(り)", "(ぬ)", "(る)*"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(ClassFromN(inside[i]), QString::fromUtf8(labels[i])) << inside[i];
}

TEST(HardwareClass, NBeyondTheTableIsLabelledOutOfRange)
{
    EXPECT_EQ(ClassFromN(7.5000005f), QStringLiteral("(る)*"));  // within the tolerance
    EXPECT_EQ(ClassFromN(7.51f), QStringLiteral("範囲外"));
    EXPECT_EQ(ClassFromN(40.0f), OutOfRangeLabel());
    float v = 3.0f;
    NFromClass(OutOfRangeLabel(), v);
    EXPECT_EQ(v, 3.0f);
    EXPECT_EQ(HardwareClassIndex(OutOfRangeLabel()), 0);
}

TEST(HardwareClass, NFromClassGivesSinglePrecisionLimitsOfExactLabels)
{
    float v = -1.0f;
    NFromClass(QStringLiteral("(ろ)"), v);
    EXPECT_EQ(v, 0.65f);
    EXPECT_NE(static_cast<double>(v), 0.65);  // 0.64999998 in single precision
    NFromClass(QStringLiteral("(る)*"), v);
    EXPECT_EQ(v, 7.5f);
    NFromClass(QStringLiteral("(い)"), v);
    EXPECT_EQ(v, 0.0f);

    // Anything but an exact label leaves the value as it was.
    v = 2.0f;
    for (const char *text : {"(る)", "", "空欄", "(ろ) ", "ろ"}) {
        NFromClass(QString::fromUtf8(text), v);
        EXPECT_EQ(v, 2.0f) << text;
    }
}

TEST(HardwareClass, TableRoundTripsAndCapacitiesFollowTheLimits)
{
    const auto &table = HardwareClasses();
    for (int i = 0; i < kHardwareClassCount; ++i) {
        const HardwareClass &c = table[static_cast<size_t>(i)];
        EXPECT_EQ(HardwareClassIndex(c.label), i + 1);
        // Every limit is its own class.
        EXPECT_EQ(ClassFromN(c.nLimit), c.label);
        float v = -1.0f;
        NFromClass(c.label, v);
        EXPECT_EQ(v, c.nLimit);
        // Joint capacity = N limit × 1.96 × 2.7 kN, two decimals.
        EXPECT_EQ(c.capacityText, QString::number(c.limit * 1.96 * 2.7, 'f', 2)) << i;
    }
}

// Placed hardware is weaker only when both texts are classes and the placed limit is lower; an N beyond the
// table makes every class weaker; a text that is no class never is.
TEST(HardwareClass, PlacedBelowRequired)
{
    struct Case {
        const char *placed, *required;
        bool weaker;
    };
    const Case cases[] = {
        {"(ろ)", "(は)", true},    {"(は)", "(は)", false},  {"(ち)", "(と)", false}, {"(ぬ)", "(る)*", true},
        {"(る)*", "範囲外", true}, {"HD-10", "(と)", false}, {"", "(と)", false},     {"(い)", "", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PlacedBelowRequired(QString::fromUtf8(c.placed), QString::fromUtf8(c.required)), c.weaker)
            << c.placed << ' ' << c.required;
}
