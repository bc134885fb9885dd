#include "report/frame_drawing.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "report/plan_figures.h"
#include "calc/calculation.h"
#include "model/project.h"
#include "print/label_placer.h"
#include "print/page_drawing.h"
#include "print/font_names.h"
#include "print/print_surface.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

// The node of the frame at position j, and the direction its members run in.
struct FrameNode {
    int x = 0;
    int y = 0;
};
FrameNode NodeAt(int direction, int line, int j)
{
    return direction == kFrameOnXLine ? FrameNode{line, j} : FrameNode{j, line};
}
int MemberDirection(int direction)
{
    return direction == kFrameOnXLine ? kDirY : kDirX;
}

bool LargeGrid(const Project &p)
{
    return p.dims.spanCountX > 20 || p.dims.spanCountY > 20;
}

// The colour value 12 (9 for a cross brace) the brace lines are given, read as a Windows colour value
// (red in the low byte): a near-black ink.
QRgb BraceInk(int code)
{
    return qRgb(code == 3 ? 9 : 12, 0, 0);
}

}  // namespace

int FrameNodeCount(const Project &p, int direction, int line)
{
    const int nx = std::min(p.dims.spanCountX + 1, p.nodes.sizeX());
    const int ny = std::min(p.dims.spanCountY + 1, p.nodes.sizeY());
    if (direction == kFrameOnXLine)
        return line >= 1 && line <= nx ? ny : 0;
    if (direction == kFrameOnYLine)
        return line >= 1 && line <= ny ? nx : 0;
    return 0;
}

float FramePageX(const Project &p, const FrameLayout &layout, int direction, int line, int j)
{
    const FrameNode n = NodeAt(direction, line, j);
    const NodeCoord c = GetNodeCoord(p, 1, n.x, n.y);
    const float u = direction == kFrameOnXLine ? c.y : c.x;
    return layout.frameScale * u + layout.frameOriginX;
}

float FramePageY(const FrameLayout &layout, int level)
{
    float y = layout.frameBaseY;
    for (int storey = 1; storey < level; ++storey)
        y -= storey <= 2 && layout.storeyHeights[storey - 1] > 0 ? layout.storeyHeights[storey - 1]
                                                                  : layout.storeyHeight;
    return y;
}

QString FrameCrossingName(const Project &p, int direction, int j)
{
    const OneBasedArray<QString> &names = direction == kFrameOnXLine ? p.grid.lineNameY : p.grid.lineNameX;
    return names.valid(j) ? ShownText(names[j].trimmed(), kShownLineName) : QString();
}

QString FrameLineName(const Project &p, int direction, int line)
{
    const OneBasedArray<QString> &names = direction == kFrameOnXLine ? p.grid.lineNameX : p.grid.lineNameY;
    return names.valid(line) ? ShownText(names[line].trimmed(), kShownLineName) : QString();
}

void drawFrameLineNames(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction, int line,
                        int labelMode, FigureTexts *texts)
{
    const int count = FrameNodeCount(p, direction, line);
    const OneBasedArray<QString> &names = direction == kFrameOnXLine ? p.grid.lineNameY : p.grid.lineNameX;
    const int div = std::max(1, p.dims.divisions);
    const bool view = labelMode == kFrameNamesView;
    FontScope font(s, kFontNamePMincho);
    TextSize moduleCell, subCell;
    ItemLayerScope layer(s, ItemLayer::Names);
    // With `texts`, the module lines' names first, then the sub-lines' in rows under them.
    for (const bool modulePass : {true, false})
    for (int i = 1; i <= count && i <= names.size(); ++i) {
        const int r = div == 1 ? 1 : i % div;
        if (texts != nullptr && (r == 1) != modulePass)
            continue;
        if (texts == nullptr && !modulePass)
            break;
        float drop = 0, size = 0;
        switch (r) {
            case 1:
                drop = view ? 0.6f : 0.35f;
                size = view ? 11.0f : 10.0f;
                break;
            case 2:
                drop = view ? 1.2f : 0.7f;
                size = view ? 9.0f : 7.0f;
                break;
            case 3:
                drop = view ? 1.6f : 0.9f;
                size = view ? 9.0f : 7.0f;
                break;
            default:  // the last sub-line of the module
                drop = view ? 1.2f - 0.4f + 0.4f * static_cast<float>(div - 1)
                            : 0.7f - 0.2f + 0.2f * static_cast<float>(div - 1);
                size = view ? 9.0f : 7.0f;
                break;
        }
        // The character cell of the two sizes, measured once.
        const bool large = r == 1;
        TextSize &cell = large ? moduleCell : subCell;
        if (cell.w == 0)
            cell = MeasureCm(s, QStringLiteral("A"), size);
        const float charW = cell.w;
        const float x = FramePageX(p, layout, direction, line, i) - charW;
        if (texts == nullptr) {
            PrintTextCm(s, ShownText(names[i].trimmed(), kShownLineName), size, x, layout.frameBaseY + drop,
                        0);
            continue;
        }
        // Its own step of the stepped row, smaller where need be; else the sub-line rows under the module
        // names (its own place among them first): every name a table or list uses is printed.
        const float h = cell.h;
        const float y = layout.frameBaseY + drop;
        const QString name = ShownText(names[i].trimmed(), kShownLineName);
        const LabelPlacer::Spot own[] = {{x, y, 0, 0}};
        if (r == 1 || div <= 2) {
            const LabelPlacer::Spot spots[] = {{x, y, 0, 0}, {x, y + 0.8f * h, 0, 0}, {x, y + 1.6f * h, 0, 0}};
            const bool placed = texts->placer.place(
                name, size,
                r == 1 ? std::span<const LabelPlacer::Spot>(spots) : std::span<const LabelPlacer::Spot>(own));
            if (r == 1 || placed)
                continue;
        }
        // Three or more sub-lines to a module: their names in as many rows as there are sub-lines, each
        // row as high as the room under the module names allows.
        if (moduleCell.w == 0)
            moduleCell = MeasureCm(s, QStringLiteral("A"), view ? 11.0f : 10.0f);
        const float first = layout.frameBaseY + (view ? 0.6f : 0.35f) + 0.95f * moduleCell.h;
        const float bottom = texts->placer.bounds().isEmpty()
                                 ? first + static_cast<float>(div - 1) * h
                                 : static_cast<float>(texts->placer.bounds().bottom());
        const float step = (bottom - first) / static_cast<float>(std::max(1, div - 1));
        const float rowSize = std::clamp(size * (step - 2 * LabelPlacer::kGap) / h, LabelPlacer::kMinTextSize, size);
        const int row = (r + div - 2) % div;  // a, b, c: 0, 1, 2
        LabelPlacer::Spot spots[8];
        size_t n = 0;
        for (int k = 0; k < div - 1 && n < 8; ++k)
            spots[n++] = {x, first + step * static_cast<float>((row + k) % (div - 1)), 0, 0};
        if (!texts->placer.place(name, rowSize, std::span(spots, n)))
            texts->placer.keepForDrawing(name, size, own[0]);
    }
}

void drawFrameBeams(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction, int line)
{
    const int count = FrameNodeCount(p, direction, line);
    const int d = MemberDirection(direction);
    const int levels = std::min(p.dims.floorCount + 1, p.nodes.sizeLevel());
    ItemLayerScope layer(s, ItemLayer::Beams);
    for (int k = 1; k <= levels; ++k)
        for (int j = 1; j < count; ++j) {
            const FrameNode n = NodeAt(direction, line, j);
            if (!IsBeamPresent(p.nodes(n.x, n.y, k).beam[d]))
                continue;
            const float x1 = FramePageX(p, layout, direction, line, j);
            const float x2 = FramePageX(p, layout, direction, line, j + 1);
            DrawRectCm(s, x1, FramePageY(layout, k), x2 - x1, layout.beamDepth, kPenStyleSolid, 10, 0, 0, 0);
        }
}

void drawFrameColumns(PrintSurface &s, const Project &p, const Calculation &c, const FrameLayout &layout,
                      int direction, int line, int mode, FigureTexts *texts)
{
    const int count = FrameNodeCount(p, direction, line);
    const bool labels = mode == kFrameColumnsReport || mode == kFrameColumnsView;
    const bool view = mode == kFrameColumnsView;
    const float size = LargeGrid(p) ? (view ? 8.0f : 5.0f) : (view ? 9.0f : 6.0f);
    const int floors = std::min(p.dims.floorCount, p.nodes.sizeLevel() - 1);
    FontScope font(s, s.FontName());
    const TextSize cell = MeasureCm(s, QStringLiteral("A"), size);
    const float charW = cell.w, h = cell.h;
    ItemLayerScope layer(s, ItemLayer::Columns);
    for (int storey = 1; storey <= floors; ++storey)
        for (int j = 1; j <= count; ++j) {
            const FrameNode n = NodeAt(direction, line, j);
            const NodeRecord &rec = p.nodes(n.x, n.y, storey);
            if (rec.columnKind <= 0)
                continue;
            const QString requiredClass = ShownText(c.requiredClass(n.x, n.y, storey), kShownHardware);
            const bool isCorner = c.corner(n.x, n.y, storey) == 1;
            const float x = FramePageX(p, layout, direction, line, j);
            const float top = FramePageY(layout, storey + 1);
            const float foot = FramePageY(layout, storey);
            s.SetItemLayer(ItemLayer::Columns);
            DrawLineCm(s, x, top, x, foot, kPenStyleSolid, rec.throughOrigin == 1 ? 20 : 10, PaletteColor(0));
            if (!labels)
                continue;
            if (texts == nullptr) {
                auto text = [&](const QString &t, float left, float y) {
                    if (!t.isEmpty())
                        PrintTextCm(s, t, size, left, y, 0);
                };
                s.SetItemLayer(ItemLayer::Hardware);
                const QString &required = requiredClass;
                const TextSize req = MeasureCm(s, required, size);
                text(required, x - 0.96f * req.w, (top + foot) / 2);
                text(ShownText(rec.hardware[1], kShownHardware), x + 0.15f * charW, top + h);
                s.SetItemLayer(ItemLayer::Labels);
                if (storey == 1 && rec.throughOrigin == 1) {
                    const TextSize through = MeasureCm(s, QStringLiteral("通し柱"), size);
                    text(QStringLiteral("通し柱"), x - through.w / 2, foot + 0.7f * through.h);
                }
                if (isCorner)
                    text(QStringLiteral("出"), x + 0.45f * charW, top + 3.2f * h);
                s.SetItemLayer(ItemLayer::Hardware);
                text(ShownText(rec.hardware[2], kShownHardware), x + 0.15f * charW, foot - 1.1f * h);
                continue;
            }
            // As the frame has them, then the column's other side, higher or lower, then smaller, each
            // within half the way to the neighbouring columns so that it reads as this column's; then
            // turned upright against the column.
            const float mid = (top + foot) / 2, r = x + 0.15f * charW, l = x - 0.15f * charW;
            float zoneLeft = -1e6f, zoneRight = 1e6f;
            for (int k = j - 1; k >= 1; --k)
                if (p.nodes(NodeAt(direction, line, k).x, NodeAt(direction, line, k).y, storey).columnKind > 0) {
                    zoneLeft = (FramePageX(p, layout, direction, line, k) + x) / 2;
                    break;
                }
            for (int k = j + 1; k <= count; ++k)
                if (p.nodes(NodeAt(direction, line, k).x, NodeAt(direction, line, k).y, storey).columnKind > 0) {
                    zoneRight = (FramePageX(p, layout, direction, line, k) + x) / 2;
                    break;
                }
            texts->placer.setZone(QRectF(QPointF(zoneLeft, -1e6), QPointF(zoneRight, 1e6)));
            const float gap = 0.02f;
            const LabelPlacer::Spot requiredUp[] = {{x - gap, mid, 1, 0.5f}, {x + gap, mid, 0, 0.5f}};
            const LabelPlacer::Spot topUp[] = {{x + gap, top + layout.beamDepth + gap, 0, 0},
                                               {x - gap, top + layout.beamDepth + gap, 1, 0}};
            const LabelPlacer::Spot footUp[] = {{x + gap, foot - gap, 0, 1}, {x - gap, foot - gap, 1, 1}};
            const LabelPlacer::Spot required[] = {{l, mid, 1, 0},                 {r, mid, 0, 0},
                                                  {l, mid - 1.2f * h, 1, 0},      {r, mid - 1.2f * h, 0, 0},
                                                  {l, mid + 1.2f * h, 1, 0},      {r, mid + 1.2f * h, 0, 0}};
            const LabelPlacer::Spot topSpots[] = {
                {r, top + h, 0, 0}, {l, top + h, 1, 0}, {r, top + 2.1f * h, 0, 0}, {l, top + 2.1f * h, 1, 0}};
            const LabelPlacer::Spot corner[] = {{x + 0.45f * charW, top + 3.2f * h, 0, 0},
                                                {l, top + 3.2f * h, 1, 0},
                                                {r, top + 4.3f * h, 0, 0},
                                                {l, top + 4.3f * h, 1, 0}};
            const LabelPlacer::Spot footSpots[] = {{r, foot - 1.1f * h, 0, 0},
                                                   {l, foot - 1.1f * h, 1, 0},
                                                   {r, foot - 2.2f * h, 0, 0},
                                                   {l, foot - 2.2f * h, 1, 0}};
            const LabelPlacer::Spot through[] = {
                {x, foot + 0.7f * h, 0.5f, 0}, {x, foot + 1.5f * h, 0.5f, 0}, {x, foot + 2.3f * h, 0.5f, 0}};
            QString unplaced;
            auto put = [&](const QString &t, std::span<const LabelPlacer::Spot> spots, const QString &role,
                           std::span<const LabelPlacer::Spot> upright = {}) {
                if (t.isEmpty() || texts->placer.place(t, size, spots) ||
                    (!upright.empty() && texts->placer.place(t, size, upright, 90)))
                    return;
                texts->placer.keepForDrawing(t, size, spots[0]);
                unplaced += (unplaced.isEmpty() ? QString() : QStringLiteral(" ")) + role + t;
            };
            s.SetItemLayer(ItemLayer::Hardware);
            put(requiredClass, required, QStringLiteral("必要"), requiredUp);
            put(ShownText(rec.hardware[1], kShownHardware), topSpots, QStringLiteral("柱頭"), topUp);
            if (isCorner) {
                s.SetItemLayer(ItemLayer::Labels);
                put(QStringLiteral("出"), corner, QString());
            }
            s.SetItemLayer(ItemLayer::Hardware);
            put(ShownText(rec.hardware[2], kShownHardware), footSpots, QStringLiteral("柱脚"), footUp);
            if (storey == 1 && rec.throughOrigin == 1) {
                s.SetItemLayer(ItemLayer::Labels);
                put(QStringLiteral("通し柱"), through, QString());
            }
            texts->placer.clearZone();
            s.SetItemLayer(ItemLayer::Hardware);
            if (!unplaced.isEmpty())
                AddFigureCallout(
                    *texts, x, mid, 0.05f,
                    QStringLiteral("%1階 %2").arg(storey).arg(FrameCrossingName(p, direction, j)), unplaced);
        }
}

void drawFrameWalls(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction, int line,
                    int mode, FigureTexts *texts)
{
    const int count = FrameNodeCount(p, direction, line);
    const int d = MemberDirection(direction);
    const int floors = std::min(p.dims.floorCount, p.nodes.sizeLevel() - 1);
    const bool view = mode == kFrameWallsView;
    const float size = LargeGrid(p) ? (view ? 9.0f : 6.0f) : (view ? 11.0f : 8.0f);
    const int pen = view ? 3 : 0;
    FontScope font(s, kFontNameMincho);
    ItemLayerScope layer(s, ItemLayer::Walls);
    // Every wall is drawn before the first label, so that no brace line runs over a label.
    struct Label {
        int storey, first, end;
        float x1, x2, yTop, yFoot;
    };
    std::vector<Label> labels;
    const size_t drawnFrom = texts != nullptr ? texts->placer.itemCount() : 0;
    for (int storey = 1; storey <= floors; ++storey) {
        const float yTop = FramePageY(layout, storey + 1);
        const float yFoot = FramePageY(layout, storey);
        for (int j = 1; j < count; ++j) {
            const FrameNode n = NodeAt(direction, line, j);
            const NodeRecord &rec = p.nodes(n.x, n.y, storey);
            int labelledFirst = 0,
                labelledEnd = 0;  // a brace over a board of the same spans shares its label
            for (const WallMember *m : {&rec.board[d], &rec.brace[d]}) {
                if (m->kind == 0 || (m->segment != 0 && m->segment != 1))
                    continue;
                int first = 0, end = 0;
                WallExtent(p, d, j, m->firstIndex, m->lastIndex, first, end);
                const float x1 = FramePageX(p, layout, direction, line, first);
                const float x2 = FramePageX(p, layout, direction, line, end);
                s.SetItemLayer(ItemLayer::Walls);
                if (m == &rec.board[d]) {
                    DrawRectCm(s, x1, yTop + layout.beamDepth, std::fabs(x2 - x1),
                               std::fabs(yFoot - yTop) - layout.beamDepth, kPenStyleSolid, 0, 7, 7,
                               kBrushStyleSolid + 1);
                } else {
                    if (m->code == 1 || m->code == 3)
                        DrawLineCm(s, x1, yFoot, x2, yTop + layout.beamDepth, kPenStyleSolid, pen,
                                   BraceInk(m->code));
                    if (m->code == 2 || m->code == 3)
                        DrawLineCm(s, x1, yTop + layout.beamDepth, x2, yFoot, kPenStyleSolid, pen,
                                   BraceInk(m->code));
                }
                if (first == labelledFirst && end == labelledEnd)
                    continue;
                labels.push_back({storey, first, end, x1, x2, yTop, yFoot});
                labelledFirst = first;
                labelledEnd = end;
            }
        }
    }
    if (texts != nullptr)
        texts->placer.keepDrawnFree(drawnFrom);
    s.SetItemLayer(ItemLayer::Labels);
    for (const Label &l : labels) {
        const FrameNode start = NodeAt(direction, line, l.first);
        const QString label = FormatMultiplier(SpanMultiplier(p, start.x, start.y, l.storey, d));
        const TextSize t = MeasureCm(s, label, size);
        const float mid = (l.x1 + l.x2) / 2;
        if (texts == nullptr) {
            PrintTextCm(s, label, size, mid - t.w / 2, l.yFoot - 2.2f * t.h, 0);
            continue;
        }
        // As the frame has it, else where no brace line crosses: in the panel's lower or upper part, at its
        // middle, a quarter in, or against either column.
        const float low = l.yFoot - 2.2f * t.h, high = (l.yTop + l.yFoot) / 2 - t.h / 2;
        const float foot = l.yFoot - 1.2f * t.h, top = l.yTop + layout.beamDepth + 0.3f * t.h;
        const float left = std::min(l.x1, l.x2) + 0.08f, right = std::max(l.x1, l.x2) - 0.08f;
        const float quarter = std::fabs(l.x2 - l.x1) / 4;
        const LabelPlacer::Spot spots[] = {
            {mid, low, 0.5f, 0},           {mid, high, 0.5f, 0},           {mid - quarter, low, 0.5f, 0},
            {mid + quarter, low, 0.5f, 0}, {mid - quarter, high, 0.5f, 0}, {mid + quarter, high, 0.5f, 0},
            {right, foot, 1, 0},           {left, foot, 0, 0},             {left, top, 0, 0},
            {right, top, 1, 0},            {mid, foot, 0.5f, 0},           {mid, top, 0.5f, 0},
            {left, high, 0, 0},            {right, high, 1, 0}};
        if (texts->placer.place(label, size, spots))
            continue;
        texts->placer.keepForDrawing(label, size, spots[0]);
        AddFigureCallout(*texts, mid, low, 0.05f,
                             QStringLiteral("%1階 %2〜%3")
                                 .arg(l.storey)
                                 .arg(FrameCrossingName(p, direction, l.first),
                                      FrameCrossingName(p, direction, l.end)),
                             label);
    }
}

void KeepFrameMembersFree(FigureTexts &texts, const Project &p, const FrameLayout &layout, int direction,
                          int line)
{
    const int count = FrameNodeCount(p, direction, line);
    const int d = MemberDirection(direction);
    const int floors = std::min(p.dims.floorCount, p.nodes.sizeLevel() - 1);
    const int levels = std::min(p.dims.floorCount + 1, p.nodes.sizeLevel());
    for (int j = 1; j <= count; ++j) {
        const FrameNode n = NodeAt(direction, line, j);
        const float x = FramePageX(p, layout, direction, line, j);
        for (int storey = 1; storey <= floors; ++storey) {
            const NodeRecord &rec = p.nodes(n.x, n.y, storey);
            if (rec.columnKind > 0)
                texts.placer.keepLineFree(QPointF(x, FramePageY(layout, storey + 1)),
                                          QPointF(x, FramePageY(layout, storey)),
                                          (rec.throughOrigin == 1 ? 20.0f : 10.0f) / 2 / kPrintTwipsPerCm);
        }
        if (j == count)
            continue;
        const float x2 = FramePageX(p, layout, direction, line, j + 1);
        for (int k = 1; k <= levels; ++k)
            if (p.nodes(n.x, n.y, k).beam[d].present != 0)
                texts.placer.keepFree(QRectF(QPointF(x, FramePageY(layout, k)),
                                             QPointF(x2, FramePageY(layout, k) + layout.beamDepth)));
    }
}

float drawFrameDimensions(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction,
                          int line, float chainY)
{
    const int count = FrameNodeCount(p, direction, line);
    if (count < 2)
        return chainY;
    FontScope font(s, kFontNamePMincho);
    ItemLayerScope layer(s, ItemLayer::Dims);
    s.SetFontBold(false);
    constexpr float kSize = 6.0f, kMinSize = 4.0f;
    const int div = std::max(1, p.dims.divisions);
    auto along = [&](int j) {
        const FrameNode n = NodeAt(direction, line, j);
        const NodeCoord c = GetNodeCoord(p, 1, n.x, n.y);
        return direction == kFrameOnXLine ? c.y : c.x;
    };
    std::vector<float> marks;
    QStringList texts;
    float previous = 0;
    for (int j = 1; j <= count; ++j) {
        if (div > 1 && j % div != 1 && j != count)
            continue;
        if (!marks.empty())
            texts << QString::number(std::lround(static_cast<double>(along(j) - previous) * 1000.0));
        marks.push_back(FramePageX(p, layout, direction, line, j));
        previous = along(j);
    }
    DrawDimensionLineCm(s, true, chainY, marks, texts, kSize, kMinSize);
    const TextSize t = MeasureCm(s, QStringLiteral("910"), kSize);
    const float row = t.h + 0.15f;
    const QString length =
        QString::number(std::lround(static_cast<double>(along(count) - along(1)) * 1000.0));
    DrawDimensionLineCm(s, true, chainY - row, {marks.front(), marks.back()}, {length}, kSize, kMinSize);
    return chainY - row - 0.03f - t.h;
}

}  // namespace rqx
