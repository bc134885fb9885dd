#include "model/line_names.h"

#include <climits>

namespace rqx {

namespace {

// いろは order as the naming table lists it (ゐ included, ん and ゑ not).
const QString kIroha =
    QStringLiteral("いろはにほへとちりぬるをわかよたれそつねならむうゐのおくやまけふこえてあ");

constexpr int kLetterCapacity = 31;  // 64 + j runs "A".."Z", "[", "\", "]", "^", "_"

void FillDirection(OneBasedArray<QString> &names, int spanCount, int divisions, int style, int start,
                   bool reversed, int dir)
{
    const int n = spanCount + 1;
    names = OneBasedArray<QString>(n);
    int j = 0;
    int m = 0;
    for (int step = 0; step < n; ++step) {
        const int k = reversed ? n - step : step + 1;
        QString suffix;
        if (divisions <= 1 || k % divisions == 1) {
            ++j;
            m = 0;
        } else {
            suffix = QChar(97 + m);  // a, b, c
            ++m;
        }
        names[k] = MajorLineName(style, j, start, dir) + suffix;
    }
}

}  // namespace

QString MajorLineName(int style, int j, int start, int dir)
{
    if (style == 0)
        style = kLineStyleNumbered;
    switch (style) {
        case kLineStyleIroha:
            if (j < 1)
                return {};
            if (j <= kIroha.size())
                return kIroha.at(j - 1);
            // Past the table: repeat it with a round number so names stay distinct.
            return kIroha.at((j - 1) % kIroha.size()) + QString::number((j - 1) / kIroha.size() + 1);
        case kLineStyleLetters:
            if (j < 1)
                return {};
            if (j <= kLetterCapacity)
                return QChar(64 + j);
            return QChar(65 + (j - 1) % 26) + QString::number((j - 1) / 26 + 1);
        case kLineStyleDigits:
            return QString::number(qint64(start) + j - 1);  // any start a file holds: no overflow
        case kLineStyleNumbered:
        default:
            return (dir == kDirY ? QStringLiteral("Y") : QStringLiteral("X")) +
                   QString::number(qint64(start) + j - 1);
    }
}

int MajorLineCapacity(int style)
{
    switch (style) {
        case kLineStyleIroha:
            return static_cast<int>(kIroha.size());
        case kLineStyleLetters:
            return kLetterCapacity;
        default:
            return INT_MAX;
    }
}

int MajorLineCount(int spanCount, int divisions)
{
    if (spanCount < 0)
        return 0;
    if (divisions <= 1)
        return spanCount + 1;
    return spanCount / divisions + 1;
}

void GenerateLineNames(Project &project)
{
    RefreshDimensions(project);
    const Dimensions &d = project.dims;
    GridInfo &g = project.grid;
    FillDirection(g.lineNameX, d.spanCountX, d.divisions, g.lineStyleX, g.lineStartX, g.lineReverseX == 1,
                  kDirX);
    FillDirection(g.lineNameY, d.spanCountY, d.divisions, g.lineStyleY, g.lineStartY, g.lineReverseY == 1,
                  kDirY);
}

}  // namespace rqx
