// Captions and switches of the input screen's controls.
#include <gtest/gtest.h>

#include "editor/editor_commands.h"
#include "model/project.h"

namespace rqx {
namespace {

TEST(EditorCommandsTest, FloorButtonsAreNamedAfterTheTool)
{
    using Pair = std::array<QString, 2>;
    EXPECT_EQ(FloorButtonCaptions(kToolFloor, 2), (Pair{"１階 床", "２階 床"}));
    EXPECT_EQ(FloorButtonCaptions(kToolWall, 2), (Pair{"１階 耐力壁", "２階 耐力壁"}));
    EXPECT_EQ(FloorButtonCaptions(kToolColumn, 2), (Pair{"１階 柱", "２階 柱"}));
    EXPECT_EQ(FloorButtonCaptions(kToolBeam, 2), (Pair{"２階 床梁", "２階 小屋梁"}));
    EXPECT_EQ(FloorButtonCaptions(kToolBeam, 1)[0], QStringLiteral("１階 小屋梁"));
    EXPECT_EQ(FloorLabelText(1), QStringLiteral("１階"));
    EXPECT_EQ(FloorLabelText(2), QStringLiteral("２階"));
}

TEST(EditorCommandsTest, OverlayCaptionSaysWhatAClickWillDo)
{
    EXPECT_EQ(OtherFloorCaption(1, false), QStringLiteral("上階耐力壁表示"));
    EXPECT_EQ(OtherFloorCaption(1, true), QStringLiteral("上階耐力壁消去"));
    EXPECT_EQ(OtherFloorCaption(2, false), QStringLiteral("下階耐力壁表示"));
    EXPECT_EQ(OtherFloorCaption(2, true), QStringLiteral("下階耐力壁消去"));
    EXPECT_FALSE(OtherFloorSwitchEnabled(kToolFloor));
    EXPECT_FALSE(OtherFloorSwitchEnabled(kToolWall));
    EXPECT_TRUE(OtherFloorSwitchEnabled(kToolColumn));
    EXPECT_TRUE(OtherFloorSwitchEnabled(kToolBeam));
}

TEST(EditorCommandsTest, ZoomTextsAndPaperSize)
{
    const QStringList texts = ZoomListTexts();
    const float factors[] = {1.0f, 1.2f, 1.5f, 2.0f, 2.5f, 3.0f};
    ASSERT_EQ(texts.size(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(*ZoomFactorOfText(texts[i]), factors[i]);
    EXPECT_FALSE(ZoomFactorOfText(QStringLiteral("175(%)")).has_value());
    EXPECT_EQ(ZoomMenuTexts(), (QStringList{"全体表示", "120(%)", "150(%)", "200(%)", "ｷｬﾝｾﾙ"}));
    // factor × viewport − 60 twips (4 pixels): 1000 px → 996, 1500 px at 2.0 → 2996.
    EXPECT_EQ(PaperExtentPixels(1.0f, 1000), 996);
    EXPECT_EQ(PaperExtentPixels(2.0f, 1500), 2996);
    EXPECT_EQ(PaperExtentPixels(1.2f, 500), 596);
    EXPECT_EQ(PaperExtentPixels(1.0f, 2), 1);
}

TEST(EditorCommandsTest, DeleteTogglesExcludeEachOther)
{
    // "削    除" pressed alone: mode 1.
    DeleteToggles t = ResolveDeleteToggles({true, false}, 0);
    EXPECT_EQ(EditModeOf(t), kModeDelete);
    // "グループ削除" pressed while "削    除" is down: the new one wins.
    t = ResolveDeleteToggles({true, true}, 1);
    EXPECT_FALSE(t.deleteDown);
    EXPECT_TRUE(t.groupDown);
    EXPECT_EQ(EditModeOf(t), kModeGroupDelete);
    t = ResolveDeleteToggles({true, true}, 0);
    EXPECT_TRUE(t.deleteDown);
    EXPECT_FALSE(t.groupDown);
    EXPECT_EQ(EditModeOf(t), kModeDelete);
    // Released: placing.
    EXPECT_EQ(EditModeOf(ResolveDeleteToggles({false, false}, 1)), kModePlace);

    EditorState e;
    e.currentTool = kToolWall;
    EXPECT_TRUE(LinkSwitchEnabled(e));
    EXPECT_FALSE(DeleteBothSwitchEnabled(e));
    e.editMode = kModeGroupDelete;
    EXPECT_FALSE(LinkSwitchEnabled(e));
    EXPECT_TRUE(DeleteBothSwitchEnabled(e));
    e.currentTool = kToolBeam;
    EXPECT_FALSE(DeleteBothSwitchEnabled(e));
}

TEST(EditorCommandsTest, ShowAllMembersAndStatusTexts)
{
    EditorState e;
    QString caption = kShowAllMenuText;
    caption = ToggleShowAllMembers(e, caption);
    EXPECT_EQ(caption, QStringLiteral("全部材表示 解除"));
    EXPECT_EQ(e.showAllMembers, 1);
    caption = ToggleShowAllMembers(e, caption);
    EXPECT_EQ(caption, QStringLiteral("全部材表示"));
    EXPECT_EQ(e.showAllMembers, 0);
    EXPECT_EQ(ToggleShowAllMembers(e, caption), QStringLiteral("全部材表示 解除"));

    GridInfo g;
    EXPECT_EQ(LCoefficientPanelText(g), QStringLiteral(" 『二年目施行』 による"));
    EXPECT_EQ(CrossBeamPanelText(g), QStringLiteral(" 考 慮"));
    g.lCoefficientMode = 1;
    g.crossBeamIgnored = 1;
    EXPECT_EQ(LCoefficientPanelText(g), QStringLiteral(" ユーザー設定"));
    EXPECT_EQ(CrossBeamPanelText(g), QStringLiteral(" 非考慮"));
}

}  // namespace
}  // namespace rqx
