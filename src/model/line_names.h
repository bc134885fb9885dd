#pragma once
// Grid line names (通り名): generated from the six naming options of GridInfo for every grid line,
// sub-grid lines included.

#include <QString>

#include "model/project.h"

namespace rqx {

inline constexpr int kLineStyleNumbered = 1;  // "X1 X2･･･" / "Y1 Y2･･･"
inline constexpr int kLineStyleIroha = 2;     // "いろは･･･"
inline constexpr int kLineStyleLetters = 3;   // "ＡＢＣ･･･"
inline constexpr int kLineStyleDigits = 4;    // "１２３･･･"

// Base name of the j-th major line (j from 1) in one direction (kDirX / kDirY); a style of 0 reads as 1.
QString MajorLineName(int style, int j, int start, int dir);

// How many major lines a style can name without repeating itself: 36 kana, 31 letters ("A".."_");
// the numbered styles have no limit (returns a large number).
int MajorLineCapacity(int style);

// Number of major lines of a direction: spans / divisions + 1 (a span count that is not a multiple of
// divisions counts its partial module as well).
int MajorLineCount(int spanCount, int divisions);

// Fills lineNameX and lineNameY (1 To spanCount+1) from the options and the dimensions.
void GenerateLineNames(Project &project);

}  // namespace rqx
