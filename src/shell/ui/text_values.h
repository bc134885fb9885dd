#pragma once
// Reading numbers typed into the project dialogs and formatting the values they show.

#include <QString>

namespace rqx {

// The leading number of a text, 0 when it does not start with one (blanks before it are skipped):
// "910" → 910, "12.5mm" → 12.5, "abc" → 0.
double LeadingNumber(const QString &text);

// A whole number lo..hi written with digits only (blanks around it allowed).
bool ParseWholeNumber(const QString &text, int lo, int hi, int &value);

// A number greater than zero, digits with at most one decimal point (blanks around it allowed).
bool ParsePositiveNumber(const QString &text, double &value);

// value with `decimals` places, halves rounded away from zero ("#0.0", "#0").
QString FormatFixed(double value, int decimals);

// The sub-grid pitch shown beside the k-th sub-grid choice: "[" + module ÷ (k+1) "#0.0" + "(mm)]".
QString PitchLabel(double moduleMillimetres, int k);

// Messages of refused input (title "確認ﾒｯｾｰｼﾞ").
QString GridCountRefusedMessage(int maxGridCount);
QString ModuleRefusedMessage();
QString StartNumberRefusedMessage();
// Too many major lines for a naming style: dirText is "Ｘ通り" or "Ｙ通り".
QString LineStyleCapacityMessage(const QString &styleCaption, int capacity, const QString &dirText,
                                 int lines);

}  // namespace rqx
