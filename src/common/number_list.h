#pragma once
// Reads the number lists typed into the dialogs (spans, line names). QtCore only.

#include <QList>
#include <QString>

namespace rqx {

// ---- Number lists ----

// Result of ParseNumberList. values[0] is the first number (the callers' list index 1).
struct NumberListResult {
    bool ok = true;  // false: the text was refused; message says why, values hold what was read
    QList<double> values;
    QString message;  // Japanese text for a message box when !ok
    int count() const { return static_cast<int>(values.size()); }
};

// At most this many characters per number (digits beyond are dropped) and values per group.
inline constexpr int kMaxNumberChars = 100;
inline constexpr int kMaxGroupValues = 100;
// Upper bound of the whole list, so a large repeat count cannot exhaust memory.
inline constexpr int kMaxNumberListValues = 100000;

// Reads numbers separated by any non-digit characters: "-" makes the next number negative,
// "E"/"e" scales the previous number by a power of ten ("2.5 1E3" → 2.5, 1000), and
// "n(a b …)" repeats the group n times ("3(1.5 2) 4" → 1.5 2 1.5 2 1.5 2 4).
// A 101st value in one group, a non-finite value or a list beyond kMaxNumberListValues gives ok = false.
NumberListResult ParseNumberList(const QString &text);

}  // namespace rqx
