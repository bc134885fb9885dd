#include "report/report_format.h"

#include <cmath>

namespace rqx {

QString FormatFixed(float value, int decimals)
{
    // Seven significant digits are what the single-precision value means; round that decimal.
    const double shown = QString::number(static_cast<double>(value), 'g', 7).toDouble();
    const double scale = std::pow(10.0, decimals);
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
