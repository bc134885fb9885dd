#pragma once
// Stored texts as windows and pages show them. A file may hold names far longer than the dialogs let
// anyone type (up to 32,767 bytes each); they are kept as stored, but shown cut to what fits their
// place, ending in "…", so no page count, table row or message box depends on a text's length.

#include <QString>

namespace rqx {

// Longest shown text per kind, in characters: the entry limits of the dialogs where there are any.
inline constexpr int kShownBuildingName = 50;
inline constexpr int kShownReportBuildingName = 200;  // the report's cover and header wrap a long name
inline constexpr int kShownOfficeName = 16;
inline constexpr int kShownPersonName = 16;
inline constexpr int kShownLineName = 12;  // generated names ("Ｙ100a", "X2147483647") fit
inline constexpr int kShownHardware = 16;  // class labels ("(る)*") and hardware names ("ﾎｰﾙﾀﾞｳﾝ 20kN") fit
inline constexpr int kShownCaption = 120;  // a window's caption

// `text` when it has at most `limit` characters; otherwise its first limit − 1 characters and "…"
// (a surrogate pair is never split).
QString ShownText(const QString &text, int limit);

// A message box's text fitted to the screen: every line of more than `lineLimit` characters keeps
// its start and its end (a path keeps its file name) around "…", and after `lineCount` lines a
// line "…" ends the text. Lines are separated by carriage returns or line feeds, kept as they are.
QString FitMessageText(const QString &text, int lineLimit = 100, int lineCount = 40);

}  // namespace rqx
