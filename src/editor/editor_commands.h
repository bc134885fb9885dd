#pragma once
// The captions and state rules of the input screen's controls that do not need a window: floor
// buttons per tool, the other-storey overlay caption, the zoom list, the delete toggles, the
// "全部材表示" switch and the two setting texts of the status bar.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "editor/editor_state.h"

namespace rqx {

struct GridInfo;

// Captions of the two floor buttons for a tool ("２階 床梁" / "２階 小屋梁" name the planes the beam
// tool edits; a one-storey house has only "１階 小屋梁").
std::array<QString, 2> FloorButtonCaptions(Tool tool, int floorCount);
// "１階" / "２階".
QString FloorLabelText(int floor);
// The overlay switch: "上階耐力壁表示" on the first storey, "下階耐力壁表示" on the second; the last two
// characters read "消去" while the other storey's walls are shown.
QString OtherFloorCaption(int floor, bool shown);
// Whether a tool offers the overlay switch.
bool OtherFloorSwitchEnabled(Tool tool);

// Zoom list of the screen and the plan's right-click zoom menu (its last item is "ｷｬﾝｾﾙ").
QStringList ZoomListTexts();
QStringList ZoomMenuTexts();
// Factor of a zoom text; nothing for a text that is not in the list.
std::optional<float> ZoomFactorOfText(const QString &text);
// Plan surface size in pixels for a zoom: factor × viewport − 60 twips.
int PaperExtentPixels(float zoomFactor, int viewportPixels);

// The two delete toggles ("削    除", "グループ削除"). `pressed` is the item just clicked (0 or 1) and the
// states are those after the click; when both are down the one just pressed wins.
struct DeleteToggles {
    bool deleteDown = false;
    bool groupDown = false;
};
DeleteToggles ResolveDeleteToggles(DeleteToggles after, int pressed);
EditMode EditModeOf(DeleteToggles toggles);
// Enabled states that follow the mode and tool.
bool LinkSwitchEnabled(const EditorState &editor);  // "耐力壁と柱･梁配置の連動": placing only
bool DeleteBothSwitchEnabled(
    const EditorState &editor);  // "筋かい・面材を同時に削除": wall tool, a delete mode

// "全部材表示" switch: toggles showAllMembers from the item's caption and returns the new caption.
QString ToggleShowAllMembers(EditorState &editor, const QString &caption);
inline const QString kShowAllMenuText = QStringLiteral("全部材表示(&A)");
inline const QString kShowAllOnText = QStringLiteral("全部材表示 解除");
inline const QString kShowAllOffText = QStringLiteral("全部材表示");

// Status bar texts of the two calculation settings.
QString LCoefficientPanelText(const GridInfo &grid);
QString CrossBeamPanelText(const GridInfo &grid);

}  // namespace rqx
