// The N values shown while drawing, checked by a property over generated houses: at the default zoom
// the texts of a typical house are shown, stand apart from each other and from every other column,
// and cover no pixel of any member the plan draws (walls, beams, columns).
#include <gtest/gtest.h>

#include "calc/n_value.h"
#include "editor/column_n_marks.h"
#include "editor/plan_render.h"
#include "support/generated_houses.h"
#include "support/calculated.h"

namespace rqx {
namespace {

// The house without its members: floors, voids and grid as they are.
Project WithoutMembers(Project p)
{
    for (NodeRecord &n : p.nodes) {
        n.brace[kDirX] = n.brace[kDirY] = WallMember{};
        n.board[kDirX] = n.board[kDirY] = WallMember{};
        n.beam[kDirX] = n.beam[kDirY] = BeamInfo{};
        n.columnKind = 0;
        n.throughOrigin = 0;
    }
    return p;
}

TEST(ColumnNMarksTest, TextsAtTheDefaultZoomCoverNoMemberOfGeneratedHouses)
{
    int texts = 0;
    int shown = 0;
    for (unsigned seed = 1; seed <= 16; ++seed) {
        const Project house = samples::GeneratedHouse(samples::GeneratedShape(seed, 2, seed % 2, 0), seed);
        Project calculated = house;
        Calculation c = test::Calculated(calculated);
        const Project bare = WithoutMembers(house);
        for (int floor = 1; floor <= house.dims.floorCount; ++floor) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", storey " << floor);
            EditorState editor;
            PlanSurface drawn(QSize(1396, 896));
            PlanSurface empty(QSize(1396, 896));
            RedrawPlan(drawn, house, editor, floor);
            EditorState bareEditor;
            RedrawPlan(empty, bare, bareEditor, floor);
            const std::vector<ColumnNMark> marks = ColumnNMarksOf(calculated, c, floor);
            ASSERT_FALSE(marks.empty());
            const NMarkLayout layout = LayOutNMarksOnPlan(drawn, PlanInputs{house, editor, floor}, marks);
            texts += static_cast<int>(marks.size());
            shown += layout.shownCount();
            const QImage &a = drawn.image();
            const QImage &b = empty.image();
            for (size_t k = 0; k < marks.size(); ++k) {
                if (!layout.shown[k])
                    continue;
                const QRect box = layout.textBoxes[k].intersected(a.rect());
                int covered = 0;
                for (int y = box.top(); y <= box.bottom(); ++y)
                    for (int x = box.left(); x <= box.right(); ++x)
                        covered += a.pixel(x, y) != b.pixel(x, y);
                EXPECT_EQ(covered, 0) << "text of column (" << marks[k].ix << ", " << marks[k].iy << ")";
            }
        }
    }
    // Loose columns on neighbouring sub-grid nodes may leave no room for their own texts at the default
    // zoom; nearly every other text is shown.
    EXPECT_GE(shown * 10, texts * 9) << shown << " of " << texts << " texts shown";
}

// Files of earlier versions store beam flags negative: the plan on screen and the N values shown on it
// are those of the same house stored today.
TEST(ColumnNMarksTest, NegativeBeamFlagsDrawAndMarkAsPositiveOnes)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const Project house = samples::GeneratedHouse(samples::GeneratedShape(seed, 2, seed % 2, 0), seed);
        Project now = house;
        Project earlier = samples::InEarlierFileForm(house);
        const Calculation nowCalc = test::Calculated(now);
        const Calculation earlierCalc = test::Calculated(earlier);
        for (int floor = 1; floor <= house.dims.floorCount; ++floor) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", storey " << floor);
            EditorState editor;
            PlanSurface a(QSize(1396, 896));
            PlanSurface b(QSize(1396, 896));
            RedrawPlan(a, now, editor, floor);
            RedrawPlan(b, earlier, editor, floor);
            EXPECT_TRUE(a.image() == b.image());
            const std::vector<ColumnNMark> marks = ColumnNMarksOf(now, nowCalc, floor);
            EXPECT_EQ(ColumnNMarksOf(earlier, earlierCalc, floor), marks);
            EXPECT_EQ(LayOutNMarksOnPlan(b, PlanInputs{earlier, editor, floor}, marks).textBoxes,
                      LayOutNMarksOnPlan(a, PlanInputs{now, editor, floor}, marks).textBoxes);
        }
    }
}

}  // namespace
}  // namespace rqx
