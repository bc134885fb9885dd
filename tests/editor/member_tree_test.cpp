// The member tree: nodes per tool and storey, the choice restored after a rebuild with its forced
// cases, and the wall multiplier of every choice.
#include <gtest/gtest.h>

#include "editor/member_tree.h"
#include "model/project.h"

namespace rqx {
namespace {

QStringList Texts(const QList<MemberTreeNode> &nodes)
{
    QStringList t;
    for (const auto &n : nodes)
        t << n.text;
    return t;
}

TEST(MemberTreeTest, EachToolOffersItsMembers)
{
    EXPECT_EQ(Texts(MemberTreeNodes(kToolFloor, 1)), QStringList{"床"});
    const auto floor2 = MemberTreeNodes(kToolFloor, 2);
    ASSERT_EQ(floor2.size(), 2);
    EXPECT_EQ(floor2[1].text, QStringLiteral("吹き抜け"));
    EXPECT_EQ(floor2[1].key, QStringLiteral("吹き抜け"));
    EXPECT_EQ(floor2[1].kindKey, kKeySlab2);
    EXPECT_EQ(floor2[1].tag, 2);

    const auto cols = MemberTreeNodes(kToolColumn, 2);
    EXPECT_EQ(Texts(cols), (QStringList{"管柱", "通し柱"}));
    EXPECT_EQ(cols[1].kindKey, kKeyCol2);
    EXPECT_TRUE(MemberTreeNodes(kToolBeam, 1).isEmpty());

    // Three groups: 4 single braces, 4 cross braces, 10 boards.
    const auto walls = MemberTreeNodes(kToolWall, 1);
    ASSERT_EQ(walls.size(), 3 + 4 + 4 + 10);
    EXPECT_EQ(walls[0].text, QStringLiteral("筋かい(けさ掛け)"));
    EXPECT_EQ(walls[0].kindKey, kKeyFolder);
    EXPECT_EQ(walls[1].text, QStringLiteral("15×90 (1.0)"));
    EXPECT_EQ(walls[4].text, QStringLiteral("90×90 (3.0)"));
    EXPECT_EQ(walls[5].text, QStringLiteral("筋かい(たすき掛け)"));
    EXPECT_EQ(walls[9].text, QStringLiteral("90×90 (5.0)"));
    EXPECT_EQ(walls[9].kindKey, kKeyTasuki);
    EXPECT_EQ(walls[9].tag, 4);
    EXPECT_EQ(walls[9].parent, 5);
    EXPECT_EQ(walls[10].text, QStringLiteral("面材耐力壁"));
    QStringList boards;
    for (int i = 11; i < walls.size(); ++i) {
        boards << walls[i].text;
        EXPECT_EQ(walls[i].tag, i - 10);
        EXPECT_EQ(walls[i].parent, 10);
    }
    EXPECT_EQ(boards, (QStringList{"0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0"}));
    // Unique keys.
    QStringList keys;
    for (const auto &n : walls)
        keys << n.key;
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), walls.size());
}

TEST(MemberTreeTest, RebuildRestoresTheChoiceWithTheForcedCases)
{
    EditorState e;
    // Floor tool, second storey: "吹き抜け" chosen and kept.
    e.currentTool = kToolFloor;
    auto nodes = MemberTreeNodes(kToolFloor, 2);
    EXPECT_EQ(RestoreTreeSelection(e, 2, nodes), 0);  // nothing recorded: the first node
    EXPECT_EQ(e.selectedNodeKey[1], QStringLiteral("床"));
    SelectTreeNode(e, nodes[1]);
    EXPECT_EQ(RestoreTreeSelection(e, 2, nodes), 1);
    EXPECT_EQ(e.selectedItem[1], 2);
    EXPECT_EQ(e.memberKey, kKeySlab2);
    // …but the first storey has no void: back to "床".
    EXPECT_EQ(RestoreTreeSelection(e, 1, MemberTreeNodes(kToolFloor, 1)), 0);
    EXPECT_EQ(e.selectedItem[1], 1);
    EXPECT_EQ(e.selectedNodeKey[1], QStringLiteral("床"));
    EXPECT_EQ(e.memberKey, kKeySlab1);

    // Column tool: through columns are entered on the first storey only.
    e.currentTool = kToolColumn;
    nodes = MemberTreeNodes(kToolColumn, 1);
    SelectTreeNode(e, nodes[1]);
    EXPECT_EQ(RestoreTreeSelection(e, 1, nodes), 1);
    EXPECT_EQ(e.memberKey, kKeyCol2);
    EXPECT_EQ(RestoreTreeSelection(e, 2, MemberTreeNodes(kToolColumn, 2)), 0);
    EXPECT_EQ(e.selectedItem[3], 1);
    EXPECT_EQ(e.selectedNodeKey[3], QStringLiteral("管柱"));
    EXPECT_EQ(e.memberKey, kKeyCol1);

    // Beam tool: no tree, the choice becomes 1.
    e.currentTool = kToolBeam;
    EXPECT_EQ(RestoreTreeSelection(e, 1, {}), -1);
    EXPECT_EQ(e.selectedItem[4], 1);
}

TEST(MemberTreeTest, WallToolStartsWithTheFirstBraceAndKeepsLaterChoices)
{
    EditorState e;
    e.currentTool = kToolWall;
    e.memberKey = kKeySlab1;  // left behind by the floor tool
    const auto nodes = MemberTreeNodes(kToolWall, 1);
    EXPECT_EQ(RestoreTreeSelection(e, 1, nodes), 1);
    EXPECT_EQ(e.memberKey, kKeyKesa);
    EXPECT_EQ(e.selectedItem[2], 1);
    EXPECT_FLOAT_EQ(e.multiplier, 1.0f);

    SelectTreeNode(e, nodes[17]);  // board row 7
    e.multiplier = 1.0f;           // whatever happened in between
    EXPECT_EQ(RestoreTreeSelection(e, 2, MemberTreeNodes(kToolWall, 2)), 17);
    EXPECT_EQ(e.memberKey, kKeyMenzai);
    EXPECT_EQ(e.selectedItem[2], 7);
    EXPECT_FLOAT_EQ(e.multiplier, 3.5f);

    // A group node is no member: nothing is chosen and a click on the plan only beeps.
    SelectTreeNode(e, nodes[5]);
    EXPECT_EQ(e.selectedItem[2], 0);
    EXPECT_EQ(e.memberKey, kKeyFolder);
}

TEST(MemberTreeTest, MultiplierFollowsTheSelection)
{
    EditorState e;
    e.currentTool = kToolWall;
    const auto nodes = MemberTreeNodes(kToolWall, 1);
    const float expected[] = {1.0f, 1.5f, 2.0f, 3.0f,  // けさ掛け
                              2.0f, 3.0f, 4.0f, 5.0f,  // たすき掛け
                              0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f, 3.5f, 4.0f, 4.5f, 5.0f};
    int k = 0;
    for (const auto &n : nodes) {
        if (n.kindKey == kKeyFolder)
            continue;
        SelectTreeNode(e, n);
        EXPECT_FLOAT_EQ(e.multiplier, expected[k]) << n.text.toStdString();
        EXPECT_EQ(e.selectedItem[2], n.tag);
        EXPECT_EQ(e.selectedNodeKey[2], n.key);
        ++k;
    }
    EXPECT_EQ(k, 18);
    EXPECT_EQ(e.memberKey, kKeyMenzai);

    // "90×90 (5.0)" under たすき掛け.
    SelectTreeNode(e, nodes[9]);
    EXPECT_FLOAT_EQ(e.multiplier, 5.0f);
    EXPECT_EQ(e.memberKey, kKeyTasuki);
    // Floors and columns leave the multiplier alone.
    e.currentTool = kToolColumn;
    SelectTreeNode(e, MemberTreeNodes(kToolColumn, 1)[1]);
    EXPECT_FLOAT_EQ(e.multiplier, 5.0f);
    EXPECT_FALSE(WallMultiplierOf(kKeyCol2, 2, QStringLiteral("通し柱")).has_value());
}

}  // namespace
}  // namespace rqx
