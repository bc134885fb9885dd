#include "common/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rqx {

QString FormatFixed(float value, int decimals)
{
    // Seven significant digits are what the single-precision value means; round that decimal.
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.7g", static_cast<double>(value));
    const double shown = std::strtod(digits, nullptr);
    static constexpr double kScales[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
    const double scale = decimals >= 0 && decimals <= 4 ? kScales[decimals] : std::pow(10.0, decimals);
    double rounded = std::floor(std::abs(shown) * scale + 0.5) / scale;
    if (shown < 0 && rounded != 0)
        rounded = -rounded;
    return QString::number(rounded, 'f', decimals);
}

float PullOutKiloNewton(float n)
{
    return n * 0.2f * 9.8f * 2.7f;
}

}  // namespace rqx
