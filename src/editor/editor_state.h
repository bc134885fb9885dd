#pragma once
// State of the plan input screen: the editor globals, the span in progress and the plan fit.
// One value per main window, owned with the project; the storey being edited is the document's.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/arrays.h"
#include "model/project.h"

namespace rqx {

// The member tools of the input screen, numbered as their tree and option lists.
enum class Tool : int32_t { Floor = 1, Wall = 2, Column = 3, Beam = 4 };
inline constexpr Tool kToolFloor = Tool::Floor;    // 床
inline constexpr Tool kToolWall = Tool::Wall;      // 耐力壁
inline constexpr Tool kToolColumn = Tool::Column;  // 柱
inline constexpr Tool kToolBeam = Tool::Beam;      // 梁

// What a span does: place the chosen member, delete members, or delete the members inside a rectangle.
enum class EditMode : int32_t { Place = 0, Delete = 1, GroupDelete = 2 };
inline constexpr EditMode kModePlace = EditMode::Place;
inline constexpr EditMode kModeDelete = EditMode::Delete;
inline constexpr EditMode kModeGroupDelete = EditMode::GroupDelete;

// The span being drawn with the mouse.
// Where a span stands: no point taken, or its first point taken and the second awaited.
enum class SpanStage { Idle, FirstPointTaken };
// What the right-click menu's deletion takes from the walls of the span.
enum class WallDeletion { Unchosen, Braces, Boards, Both };
// A span held to one grid direction by its first move.
enum class AxisLock { None, AlongX, AlongY };

struct SpanState {
    int32_t startScreenX = 0;  // twips
    int32_t startScreenY = 0;
    int32_t endScreenX = 0;
    int32_t endScreenY = 0;
    int32_t startIx = 0;
    int32_t startIy = 0;
    int32_t endIx = 0;
    int32_t endIy = 0;
    SpanStage dragState = SpanStage::Idle;
    int32_t rubberColour = 15;  // classic palette number
    WallDeletion deleteKind = WallDeletion::Unchosen;
    bool cancelRequested = false;
    AxisLock axisLock = AxisLock::None;
    bool menuDeletion = false;  // the deletion of this span was chosen from the right-click menu
};

// Where the plan sits on the surface (set by the plan fit).
struct PlanFit {
    float planScale = 1.0f;  // surface cm per model metre
    float originX = 0.0f;    // cm
    float originY = 0.0f;    // cm
    int32_t scaleWidth = 0;  // surface size in twips
    int32_t scaleHeight = 0;
};

struct EditorState {
    Tool currentTool = kToolFloor;
    FixedArray<int32_t, 1, 5> selectedItem{};
    FixedArray<QString, 1, 3> selectedNodeKey{};
    QString memberKey;
    bool linkColumnsAndBeams = true;
    bool showAllMembers = false;
    float zoomFactor = 1.0f;
    EditMode editMode = kModePlace;
    bool deleteBothKinds = false;
    float multiplier = 1.0f;
    bool otherFloorShown = false;
    SpanState span;
    PlanFit fit;
};

}  // namespace rqx
