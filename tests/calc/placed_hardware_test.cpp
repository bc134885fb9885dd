// The placed-hardware list lines and the rules that write the chosen placements into the project.
#include <gtest/gtest.h>

#include "calc/placed_hardware.h"
#include "support/house_builder.h"

namespace {

struct Required {
    int x, y, level;
    const char *label;
};

// A calculation that gives only the listed required classes.
rqx::Calculation RequiredClasses(const rqx::Project &p, std::initializer_list<Required> classes)
{
    rqx::Calculation calc;
    calc.requiredClass.reset(p.nodes.sizeX(), p.nodes.sizeY(), p.nodes.sizeLevel());
    for (const Required &r : classes)
        calc.requiredClass(r.x, r.y, r.level) = QString::fromUtf8(r.label);
    return calc;
}

}  // namespace

namespace rqx {
namespace {

TEST(PlacedHardwareTest, ListLinesPadNamesByStyleAndBlanksToSixCharacters)
{
    struct Case {
        int styleX, styleY;
        const char *nameX, *nameY, *required, *top, *foot;
        bool through;
        const char *line;
    };
    const Case cases[] = {
        // 4 + 4 + 3 = 11 characters of position; a blank placement is 6 blanks.
        {1, 1, "X1", " Y2 ", "(へ)", "(ち)", "", false, "X1  - Y2   (へ)  (ち)                "},
        // いろは X names take 3 characters: "い  - Ａ" padded to 3 + 4 + 3 = 10.
        {2, 3, "い", "Ａ", "(る)*", "", "(い)", true, "い  - Ａ    (る)*       (い)！[通し柱]"},
        {4, 2, "１０", "ほ", "(い)", "(ぬ)", "(る)*", false, "１０  - ほ   (い)  (ぬ)  (る)*         "},
    };
    for (const Case &c : cases) {
        Project p = samples::NewProject(4, 4, 2, 2, samples::LineNames::kNone);
        p.grid.lineStyleX = c.styleX;
        p.grid.lineStyleY = c.styleY;
        p.grid.lineNameX[3] = QString::fromUtf8(c.nameX);
        p.grid.lineNameY[2] = QString::fromUtf8(c.nameY);
        const Calculation calc = RequiredClasses(p, {{3, 2, 1, c.required}});
        const PlacedHardwareLine line{3, 2, QString::fromUtf8(c.top), QString::fromUtf8(c.foot),
                                      c.through ? 1 : 0};
        EXPECT_EQ(PlacedHardwareLineText(p, calc, 1, line).toStdString(), c.line);
    }
}

TEST(PlacedHardwareTest, ColumnsAreListedRowByRowWithTheirStoredPlacements)
{
    Project p = samples::NewProject(4, 4, 2, 2, samples::LineNames::kNone);
    samples::PlaceColumn(p, 1, 3, 1);
    samples::PlaceColumn(p, 1, 2, 2, 2);
    samples::PlaceColumn(p, 1, 1, 2);
    p.nodes(3, 1, 1).hardware[1] = QStringLiteral("(へ)");
    const PlacedHardwareList expected = {
        {3, 1, QStringLiteral("(へ)"), {}, 0}, {1, 2, {}, {}, 0}, {2, 2, {}, {}, 1}};
    EXPECT_EQ(PlacedHardwareColumns(p, 1), expected);
    EXPECT_EQ(PlacedHardwareColumns(p, 2), (PlacedHardwareList{{2, 2, {}, {}, 1}}));
    EXPECT_TRUE(
        PlacedHardwareColumns(samples::NewProject(4, 4, 1, 2, samples::LineNames::kNone), 2).isEmpty());
    EXPECT_EQ(PlacementChoices().join(' '),
              QStringLiteral("空欄 (い) (ろ) (は) (に) (ほ) (へ) (と) (ち) (り) (ぬ) (る)*"));
}

// A through column T at (1, 1) and a column C on each storey at (3, 1); required classes
// T: (と) / (ろ), C: (に) / (は).
TEST(PlacedHardwareTest, ApplyFollowsTheBlankThroughColumnAndDoublePullRules)
{
    struct Case {
        const char *name;
        int blankRule, doublePull;
        const char *t1Top, *c1Top, *c2Foot;  // pending; the other ends are left blank
        const char *storedC2Foot;            // 2F foot of C in the model before applying
        const char *expect[8];               // T1 top, foot, C1 top, foot, T2 top, foot, C2 top, foot
        bool warning;
    };
    const Case cases[] = {
        {"blanks take the required class except at the through ends",
         1,
         0,
         "",
         "",
         "",
         "",
         {"", "(と)", "(に)", "(に)", "(ろ)", "", "(は)", "(は)"},
         false},
        {"blanks stay blank without the rule", 0, 0, "", "", "", "", {"", "", "", "", "", "", "", ""}, false},
        {"hardware at a through column's 1F top warns",
         1,
         0,
         "(へ)",
         "",
         "",
         "",
         {"(へ)", "(と)", "(に)", "(に)", "(ろ)", "", "(は)", "(は)"},
         true},
        {"(へ) under the stored (ち) becomes (ち)",
         0,
         1,
         "",
         "(へ)",
         "(ち)",
         "(ち)",
         {"", "", "(ち)", "", "", "", "", "(ち)"},
         false},
        {"(ほ) is no hold-down: unchanged",
         0,
         1,
         "",
         "(ほ)",
         "(ち)",
         "(ち)",
         {"", "", "(ほ)", "", "", "", "", "(ち)"},
         false},
        {"without double pull (へ) and (ち) stay",
         0,
         0,
         "",
         "(へ)",
         "(ち)",
         "(ち)",
         {"", "", "(へ)", "", "", "", "", "(ち)"},
         false},
        {"a 2F foot replaced in the same apply is not matched: (と) over (へ) gives (と) twice",
         0,
         1,
         "",
         "(と)",
         "(へ)",
         "(ぬ)",
         {"", "", "(と)", "", "", "", "", "(と)"},
         false},
        {"(へ) and (ち) chosen together give (ち) twice",
         0,
         1,
         "",
         "(へ)",
         "(ち)",
         "",
         {"", "", "(ち)", "", "", "", "", "(ち)"},
         false},
        {"storey 2 is raised to a stronger 1F top",
         0,
         1,
         "",
         "(ち)",
         "(と)",
         "",
         {"", "", "(ち)", "", "", "", "", "(ち)"},
         false},
    };
    for (const Case &c : cases) {
        Project p = samples::NewProject(4, 4, 2, 2, samples::LineNames::kNone);
        samples::PlaceColumn(p, 1, 1, 1, 2);
        samples::PlaceColumn(p, 1, 3, 1);
        samples::PlaceColumn(p, 2, 3, 1);
        const Calculation calc =
            RequiredClasses(p, {{1, 1, 1, "(と)"}, {3, 1, 1, "(に)"}, {1, 1, 2, "(ろ)"}, {3, 1, 2, "(は)"}});
        p.nodes(3, 1, 2).hardware[2] = QString::fromUtf8(c.storedC2Foot);
        p.grid.showRequiredWhenBlank = c.blankRule;
        p.grid.useDoublePull = c.doublePull;
        const PlacedHardwareList storey1 = {{1, 1, QString::fromUtf8(c.t1Top), {}, 1},
                                            {3, 1, QString::fromUtf8(c.c1Top), {}, 0}};
        const PlacedHardwareList storey2 = {{1, 1, {}, {}, 1}, {3, 1, {}, QString::fromUtf8(c.c2Foot), 0}};
        const NodeWriter write = [&p](int x, int y, int level) -> NodeRecord & { return p.nodes(x, y, level); };
        EXPECT_EQ(ApplyPlacedHardware(p, calc, write, storey1, storey2), c.warning) << c.name;
        for (int k = 0; k < 8; ++k) {
            const NodeRecord &n = p.nodes(k % 4 < 2 ? 1 : 3, 1, k / 4 + 1);
            EXPECT_EQ(n.hardware[k % 2 + 1], QString::fromUtf8(c.expect[k])) << c.name << " #" << k;
        }
    }
}

}  // namespace
}  // namespace rqx
