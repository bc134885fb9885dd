#pragma once
// Number texts of the report and the plan's N values: fixed decimals, halves rounded away from zero on the
// value as it reads in single precision ("#0.00": 0.125 → "0.13", 0.35f → "0.4" with one decimal), no
// "-0.00".

#include <QString>

namespace rqx {

QString FormatFixed(float value, int decimals);

// Pull-out force in kN of an N value: N × 0.2 × 9.8 × 2.7 (N × 1.96 × 2.7).
float PullOutKiloNewton(float n);

}  // namespace rqx
