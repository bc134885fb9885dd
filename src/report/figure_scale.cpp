#include "report/figure_scale.h"

#include <array>
#include <cmath>

#include "model/project.h"

namespace rqx {

namespace {

// The steps of a decade of standard scales; 1/50 comes before them.
constexpr std::array<int, 9> kDecadeSteps = {10, 15, 20, 25, 30, 40, 50, 60, 80};

}  // namespace

int StandardScaleDenominator(float cmPerMetre)
{
    int denominator = 50;
    if (ScaleCmPerMetre(denominator) <= cmPerMetre)
        return denominator;
    for (int decade = 10; decade <= 1000; decade *= 10)
        for (const int step : kDecadeSteps) {
            denominator = step * decade;
            if (ScaleCmPerMetre(denominator) <= cmPerMetre * 1.000001f)
                return denominator;
        }
    return denominator;
}

float ScaleCmPerMetre(int denominator)
{
    return 100.0f / static_cast<float>(denominator);
}

QString ScaleText(int denominator)
{
    return QStringLiteral("S=1/%1").arg(denominator);
}

QString ModuleText(const Project &p)
{
    return QStringLiteral("1ﾓｼﾞｭｰﾙ = %1mm")
        .arg(std::lround(static_cast<double>(p.info.moduleLength) * 1000.0));
}

}  // namespace rqx
