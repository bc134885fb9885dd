#pragma once
// The values the program itself writes into a project, field by field. A file holding anything else
// is damaged: reading it would let sums of kinds overflow, draw outside any page or print a weaker
// hardware class than the house needs, so it is refused whole with the record and field named.

#include <QString>

#include "model/project.h"

namespace rqx {

// Wall kinds: brace sizes 1..4 (15×90 … 90×90), board rows 1..10 (multiplier 0.5 × row); 0 = none.
inline constexpr int32_t kMaxBraceKind = 4;
inline constexpr int32_t kMaxBoardKind = 10;
// Largest multiplier of one member (a 90×90 cross brace, a 5.0 board).
inline constexpr float kMaxMemberMultiplier = 5.0f;
// Grid module in metres: 1 mm to 100 m; the dialogs offer 900 to 1000 mm.
inline constexpr float kMinModuleLength = 0.001f;
inline constexpr float kMaxModuleLength = 100.0f;
// Storey heights in millimetres (0 = not entered).
inline constexpr int32_t kMaxLevelHeight = 100000;

// Why a project holds a value no program writes, naming the record and the field and what was
// expected ("節点 (x 3, y 5, レベル 1) の brace(1).kind（…）が正しくありません。0～4 のはずです。");
// empty when every value is sound. The arrays must have the bounds of the dimensions.
QString ProjectValueProblem(const Project &project);

}  // namespace rqx
