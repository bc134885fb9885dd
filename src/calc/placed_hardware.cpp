#include "calc/placed_hardware.h"

#include <algorithm>

#include "calc/hardware_class.h"
#include "calc/n_value.h"
#include "model/line_names.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

// Hold-down hardware ((へ) and stronger) starts at this N limit.
constexpr float kHoldDownLimit = 1.8f;

// The N limit of a class label; 0 for a blank or any text that is no label.
float ClassLimit(const QString &label)
{
    float value = 0.0f;
    NFromClass(label, value);
    return value;
}

bool StoreyExists(const Project &project, int level)
{
    return level >= 1 && level <= project.info.floorCount && level <= project.nodes.sizeLevel();
}

QString Padded(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

// Step 1 to 3 for one column: the pending placements, the blank rule and the through-column check.
bool PlaceOne(const Project &project, const Calculation &calc, const NodeWriter &write, int level,
              const PlacedHardwareLine &line)
{
    NodeRecord &node = write(line.x, line.y, level);
    const QString &required = calc.requiredClass(line.x, line.y, level);
    node.hardware[1] = line.top.trimmed();
    node.hardware[2] = line.foot.trimmed();
    const bool through = line.throughOrigin == 1;
    if (project.grid.showRequiredWhenBlank == 1) {
        // The 1F top and the 2F foot of a through column are no joints.
        if (node.hardware[1].isEmpty() && !(level == 1 && through))
            node.hardware[1] = required;
        if (node.hardware[2].isEmpty() && !(level == 2 && through))
            node.hardware[2] = required;
    }
    return through &&
           ((level == 1 && !node.hardware[1].isEmpty()) || (level == 2 && !node.hardware[2].isEmpty()));
}

// Step 4: a 1F top and the 2F foot at the same node that are both hold-downs take the stronger one.
void MatchDoublePull(const Project &project, const NodeWriter &write, int level, int x, int y)
{
    if (project.grid.useDoublePull != 1 || !StoreyExists(project, 2))
        return;
    QString &top1 = write(x, y, 1).hardware[1];
    QString &foot2 = write(x, y, 2).hardware[2];
    const float a = ClassLimit(top1);
    const float b = ClassLimit(foot2);
    if (a < kHoldDownLimit || b < kHoldDownLimit)
        return;
    if (level == 1 && b > a)
        top1 = foot2;
    else if (level == 2 && b < a)
        foot2 = top1;
}

}  // namespace

const QStringList &PlacementChoices()
{
    static const QStringList choices = [] {
        QStringList c{kBlankPlacement};
        for (const HardwareClass &k : HardwareClasses())
            c << k.label;
        return c;
    }();
    return choices;
}

PlacedHardwareList PlacedHardwareColumns(const Project &project, int level)
{
    PlacedHardwareList list;
    if (!StoreyExists(project, level))
        return list;
    for (int y = 1; y <= project.nodes.sizeY(); ++y) {
        for (int x = 1; x <= project.nodes.sizeX(); ++x) {
            const NodeRecord &node = project.nodes(x, y, level);
            if (node.columnKind != 0)
                list.append({x, y, node.hardware[1], node.hardware[2], node.throughOrigin});
        }
    }
    return list;
}

int LineNameWidth(int lineStyle)
{
    return lineStyle == kLineStyleIroha ? 3 : 4;
}

int PositionWidth(const GridInfo &grid)
{
    return LineNameWidth(grid.lineStyleX) + LineNameWidth(grid.lineStyleY) + 3;
}

QString PlacedHardwareLineText(const Project &project, const Calculation &calc, int level,
                               const PlacedHardwareLine &line)
{
    const GridInfo &g = project.grid;
    const QString nameX =
        line.x <= g.lineNameX.size() ? ShownText(g.lineNameX[line.x].trimmed(), kShownLineName) : QString();
    const QString nameY =
        line.y <= g.lineNameY.size() ? ShownText(g.lineNameY[line.y].trimmed(), kShownLineName) : QString();
    const QString position = Padded(nameX, LineNameWidth(g.lineStyleX)) + QStringLiteral("- ") +
                             Padded(nameY, LineNameWidth(g.lineStyleY));
    const QString &required = calc.requiredClass(line.x, line.y, level);
    // A weaker placement is marked; the full-width mark takes the place of two blanks' width.
    auto placement = [&](const QString &text) {
        if (text.isEmpty())
            return QString(6, QLatin1Char(' '));
        const QString shown = ShownText(text, kShownHardware);
        if (PlacedBelowRequired(text, required))
            return Padded(shown + kWeakerPlacementMark, 4);
        return Padded(shown, 5);
    };
    return Padded(position.trimmed(), PositionWidth(g)) + Padded(ShownText(required, kShownHardware), 5) +
           placement(line.top) + placement(line.foot) +
           (line.throughOrigin == 1 ? kThroughColumnMark : QString(8, QLatin1Char(' ')));
}

bool ApplyPlacedHardware(const Project &project, const Calculation &calc, const NodeWriter &write,
                         const PlacedHardwareList &storey1, const PlacedHardwareList &storey2)
{
    bool throughPlaced = false;
    const PlacedHardwareList *storeys[2] = {&storey1, &storey2};
    for (int level = 1; level <= 2; ++level) {
        if (!StoreyExists(project, level))
            continue;
        for (const PlacedHardwareLine &line : *storeys[level - 1]) {
            if (line.x < 1 || line.y < 1 || line.x > project.nodes.sizeX() || line.y > project.nodes.sizeY())
                continue;  // a list of another grid
            throughPlaced = PlaceOne(project, calc, write, level, line) || throughPlaced;
        }
    }
    // Matched on the placements of this apply: reading a storey not yet written would align a 1F top
    // with the 2F foot the designer has just replaced.
    for (int level = 1; level <= 2; ++level) {
        if (!StoreyExists(project, level))
            continue;
        for (const PlacedHardwareLine &line : *storeys[level - 1]) {
            if (line.x >= 1 && line.y >= 1 && line.x <= project.nodes.sizeX() &&
                line.y <= project.nodes.sizeY())
                MatchDoublePull(project, write, level, line.x, line.y);
        }
    }
    return throughPlaced;
}

void ClearPlacedHardware(const Project &project, const NodeWriter &write, int level)
{
    if (!StoreyExists(project, level))
        return;
    for (int y = 1; y <= project.nodes.sizeY(); ++y) {
        for (int x = 1; x <= project.nodes.sizeX(); ++x) {
            const NodeRecord &node = project.nodes(x, y, level);
            if (node.columnKind != 0 && (!node.hardware[1].isEmpty() || !node.hardware[2].isEmpty())) {
                NodeRecord &written = write(x, y, level);
                written.hardware[1].clear();
                written.hardware[2].clear();
            }
        }
    }
}

bool NeedsHoldDown(const ColumnResult &result)
{
    const float n = std::max(TotalN(result, kDirX), TotalN(result, kDirY));
    const int index = HardwareClassIndex(ClassFromN(n));
    return index == 0 || index >= 6;
}

}  // namespace rqx
