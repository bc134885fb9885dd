#include "editor/editor_commands.h"

#include <algorithm>
#include <cmath>

#include "editor/plan_surface.h"
#include "model/project.h"

namespace rqx {

std::array<QString, 2> FloorButtonCaptions(Tool tool, int floorCount)
{
    switch (tool) {
        case kToolWall:
            return {QStringLiteral("１階 耐力壁"), QStringLiteral("２階 耐力壁")};
        case kToolColumn:
            return {QStringLiteral("１階 柱"), QStringLiteral("２階 柱")};
        case kToolBeam:
            return {floorCount == 1 ? QStringLiteral("１階 小屋梁") : QStringLiteral("２階 床梁"),
                    QStringLiteral("２階 小屋梁")};
        default:
            return {QStringLiteral("１階 床"), QStringLiteral("２階 床")};
    }
}

QString FloorLabelText(int floor)
{
    return floor == 2 ? QStringLiteral("２階") : QStringLiteral("１階");
}

QString OtherFloorCaption(int floor, bool shown)
{
    const QString base = floor == 2 ? QStringLiteral("下階耐力壁表示") : QStringLiteral("上階耐力壁表示");
    return base.left(base.size() - 2) + (shown ? QStringLiteral("消去") : QStringLiteral("表示"));
}

bool OtherFloorSwitchEnabled(Tool tool)
{
    return tool == kToolColumn || tool == kToolBeam;
}

QStringList ZoomListTexts()
{
    return {QStringLiteral("全体表示"), QStringLiteral("120(%)"), QStringLiteral("150(%)"),
            QStringLiteral("200(%)"),   QStringLiteral("250(%)"), QStringLiteral("300(%)")};
}

QStringList ZoomMenuTexts()
{
    return {QStringLiteral("全体表示"), QStringLiteral("120(%)"), QStringLiteral("150(%)"),
            QStringLiteral("200(%)"), QStringLiteral("ｷｬﾝｾﾙ")};
}

std::optional<float> ZoomFactorOfText(const QString &text)
{
    const QStringList texts = ZoomListTexts();
    constexpr float factors[6] = {1.0f, 1.2f, 1.5f, 2.0f, 2.5f, 3.0f};
    const int i = static_cast<int>(texts.indexOf(text));
    if (i < 0)
        return std::nullopt;
    return factors[i];
}

int PaperExtentPixels(float zoomFactor, int viewportPixels)
{
    const double twips = static_cast<double>(zoomFactor) * viewportPixels * kTwipsPerPixel - 60.0;
    return std::max(1, static_cast<int>(std::lround(twips / kTwipsPerPixel)));
}

DeleteToggles ResolveDeleteToggles(DeleteToggles after, int pressed)
{
    if (after.deleteDown && after.groupDown) {
        if (pressed == 0)
            after.groupDown = false;
        else
            after.deleteDown = false;
    }
    return after;
}

EditMode EditModeOf(DeleteToggles toggles)
{
    if (toggles.deleteDown)
        return kModeDelete;
    if (toggles.groupDown)
        return kModeGroupDelete;
    return kModePlace;
}

bool LinkSwitchEnabled(const EditorState &editor)
{
    return editor.editMode == kModePlace;
}

bool DeleteBothSwitchEnabled(const EditorState &editor)
{
    return editor.editMode != kModePlace && editor.currentTool == kToolWall;
}

QString ToggleShowAllMembers(EditorState &editor, const QString &caption)
{
    if (caption != kShowAllOnText) {
        editor.showAllMembers = 1;
        return kShowAllOnText;
    }
    editor.showAllMembers = 0;
    return kShowAllOffText;
}

QString LCoefficientPanelText(const GridInfo &grid)
{
    return grid.lCoefficientMode == 0 ? QStringLiteral(" 『二年目施行』 による")
                                      : QStringLiteral(" ユーザー設定");
}

QString CrossBeamPanelText(const GridInfo &grid)
{
    return grid.crossBeamIgnored == 0 ? QStringLiteral(" 考 慮") : QStringLiteral(" 非考慮");
}

}  // namespace rqx
