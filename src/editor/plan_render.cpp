#include "editor/plan_render.h"

#include "model/plan_facts.h"

#include <algorithm>

#include "model/project.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

constexpr double kLineNameFontSize = 10.0;

QRgb InkColour(Ink ink, QRgb own, QRgb dimmed)
{
    switch (ink) {
        case Ink::Own:
            return own;
        case Ink::Dimmed:
            return dimmed;
        case Ink::Erase:
            break;
    }
    return QBColor(kQBBlack);
}

Ink InkFor(const PlanInputs &in, Tool tool, bool erase)
{
    if (erase)
        return Ink::Erase;
    return in.editor.showAllMembers != 0 || in.editor.currentTool == tool ? Ink::Own : Ink::Dimmed;
}

// The two nodes of the whole wall a stored span belongs to. A span whose wall indices do not lie on
// the grid (a damaged file) is drawn as itself.
void WallEnds(const Project &p, int ix, int iy, int dir, const WallMember &m, QPoint &first, QPoint &end)
{
    const int count = dir == kDirX ? NodeCountX(p) : NodeCountY(p);
    const int own = dir == kDirX ? ix : iy;
    int a = m.firstIndex;
    int b = m.lastIndex + 1;
    if (a < 1 || b > count || a >= b || own < a || own >= b) {
        a = own;
        b = own + 1;
    }
    first = dir == kDirX ? QPoint(a, iy) : QPoint(ix, a);
    end = dir == kDirX ? QPoint(b, iy) : QPoint(ix, b);
}

// Walls stored on node (ix, iy) at a level, both directions, the board before the brace.
void DrawWallsOfNode(PlanSurface &s, const PlanInputs &in, int level, int ix, int iy, Ink ink)
{
    const Project &p = in.project;
    const NodeRecord &node = p.nodes(ix, iy, level);
    for (int dir = kDirX; dir <= kDirY; ++dir) {
        const bool spanOnGrid = dir == kDirX ? ix < NodeCountX(p) : iy < NodeCountY(p);
        if (!spanOnGrid)
            continue;
        QPoint first, end;
        if (node.board[dir].kind != 0) {
            WallEnds(p, ix, iy, dir, node.board[dir], first, end);
            drawWallSpan(s, in, ink, true, dir, first, end, node.board[dir].code, node.board[dir].kind);
        }
        if (node.brace[dir].kind != 0) {
            WallEnds(p, ix, iy, dir, node.brace[dir], first, end);
            drawWallSpan(s, in, ink, false, dir, first, end, node.brace[dir].code, node.brace[dir].kind);
        }
    }
}

void DrawBeamsOfNode(PlanSurface &s, const PlanInputs &in, int ix, int iy, Ink ink)
{
    const Project &p = in.project;
    const int level = BeamLevelOfFloor(in.floor);
    if (!p.nodes.valid(ix, iy, level))
        return;
    const NodeRecord &node = p.nodes(ix, iy, level);
    if (ix < NodeCountX(p) && IsBeamPresent(node.beam[kDirX]))
        drawBeamSpan(s, in, {ix, iy}, {ix + 1, iy}, kDirX, ink);
    if (iy < NodeCountY(p) && IsBeamPresent(node.beam[kDirY]))
        drawBeamSpan(s, in, {ix, iy}, {ix, iy + 1}, kDirY, ink);
}

// The edge from node (ix, iy) in direction dir lies on the outline of the floored area of the level: a
// floored cell on one side of it and none on the other (or the grid's edge). The saved marks say the
// same once a save has written them; drawn from the floors, the outline is current after every edit.
bool OutlineEdgeAt(const Project &p, int ix, int iy, int level, int dir)
{
    const int nx = p.nodes.sizeX();
    const int ny = p.nodes.sizeY();
    auto floored = [&](int i, int j) {
        return i >= 1 && j >= 1 && i <= nx - 1 && j <= ny - 1 && p.nodes(i, j, level).cellFloor > 0;
    };
    return dir == kDirX ? floored(ix, iy - 1) != floored(ix, iy) : floored(ix - 1, iy) != floored(ix, iy);
}

void DrawOutlineOfNode(PlanSurface &s, const PlanInputs &in, int ix, int iy, bool erase)
{
    const Project &p = in.project;
    const int other = OtherFloorLevel(in.floor);
    if (!p.nodes.valid(ix, iy, other))
        return;
    if (ix < NodeCountX(p) && OutlineEdgeAt(p, ix, iy, other, kDirX))
        drawOutlineEdge(s, in, {ix, iy}, {ix + 1, iy}, erase);
    if (iy < NodeCountY(p) && OutlineEdgeAt(p, ix, iy, other, kDirY))
        drawOutlineEdge(s, in, {ix, iy}, {ix, iy + 1}, erase);
}

}  // namespace

SymbolSizes SymbolSizesAt(float zoomFactor)
{
    const double z = zoomFactor > 0.0f ? zoomFactor : 1.0;
    SymbolSizes sz;
    sz.braceOffset = 0.15 / z;
    sz.braceHeight = 0.24 / z;
    sz.boardHalfWidth = 0.1 / z;
    sz.wallInset = 2.3 * sz.braceOffset / 2.0;
    sz.beamOffset = 0.03 / z;
    return sz;
}

QRgb BraceColour(int kind)
{
    constexpr int table[4] = {kQBYellow, kQBLightCyan, kQBLightGreen, kQBLightRed};
    return kind >= 1 && kind <= 4 ? QBColor(table[kind - 1]) : QBColor(kQBBlack);
}

QRgb BoardColour(int kind)
{
    constexpr int table[10] = {15, 11, 13, 9, 5, 14, 6, 10, 8, 12};
    return kind >= 1 && kind <= 10 ? QBColor(table[kind - 1]) : QBColor(kQBBlack);
}

bool IsDarkBoardColour(QRgb colour)
{
    // Magenta, brown and grey at half intensity, and pure blue (the darkest of the light colours).
    return colour == QBColor(5) || colour == QBColor(6) || colour == QBColor(8) || colour == QBColor(kQBLightBlue);
}

QRgb ColumnColour(int columnKind)
{
    if (columnKind == 1)
        return QBColor(kQBYellow);
    if (columnKind == 2)
        return QBColor(kQBLightCyan);
    return QBColor(kQBBlack);
}

QRgb GridPointColour(int ix, int iy, int divisions)
{
    return OnModuleLine(ix, divisions) && OnModuleLine(iy, divisions) ? QBColor(kQBWhite) : QBColor(kQBGreen);
}

QPointF NodePoint(const PlanInputs &in, int ix, int iy)
{
    const NodeCoord c = GetNodeCoord(in.project, in.floor, ix, iy);
    const PlanFit &f = in.editor.fit;
    return {f.planScale * c.x + f.originX, f.planScale * c.y + f.originY};
}

int OtherFloorLevel(int floor)
{
    return floor == 1 ? 2 : 1;
}

int BeamLevelOfFloor(int floor)
{
    return floor + 1;
}

// ---- Element drawers ----

void drawCell(PlanSurface &s, const PlanInputs &in, int ix, int iy, int cellFloor, bool erase)
{
    const QPointF a = NodePoint(in, ix, iy);
    const QPointF b = NodePoint(in, ix + 1, iy + 1);
    const QRgb black = QBColor(kQBBlack);
    if (erase) {
        drawBox(s, a.x(), a.y(), b.x(), b.y(), kPenSolid, 1, black, black, kFillSolid, kDrawCopyPen);
        return;
    }
    const Ink ink = InkFor(in, kToolFloor, false);
    if (cellFloor == 1) {
        const QRgb fill = InkColour(ink, QBColor(kQBBlue), kDimmedFloorColour);
        drawBox(s, a.x(), a.y(), b.x(), b.y(), kPenSolid, 1, black, fill, kFillSolid, kDrawCopyPen);
    } else if (cellFloor == 2) {
        const QRgb hatch = InkColour(ink, QBColor(kQBLightBlue), kDimmedMemberColour);
        drawBox(s, a.x(), a.y(), b.x(), b.y(), kPenSolid, 1, black, hatch, kFillDiagonalCross, kDrawCopyPen);
    } else if (cellFloor > 0) {
        drawBox(s, a.x(), a.y(), b.x(), b.y(), kPenSolid, 1, black, black, kFillSolid, kDrawCopyPen);
    }
}

void drawWallSpan(PlanSurface &s, const PlanInputs &in, Ink ink, bool slotIsBoard, int direction,
                  QPoint first, QPoint end, int code, int kind)
{
    const SymbolSizes sz = SymbolSizesAt(in.editor.zoomFactor);
    const QRgb own = slotIsBoard ? BoardColour(kind) : BraceColour(kind);
    const QRgb colour = InkColour(ink, own, kDimmedMemberColour);
    QPointF p1 = NodePoint(in, first.x(), first.y());
    QPointF p2 = NodePoint(in, end.x(), end.y());
    const bool alongX = direction == kDirX;
    // Position along the wall (u) and across it (v); the symbol lies on the +v side for X walls
    // (above the line) and on the −v side for Y walls (left of the line).
    double u1 = alongX ? p1.x() : p1.y();
    double u2 = alongX ? p2.x() : p2.y();
    if (u1 > u2)
        std::swap(u1, u2);
    const double v = alongX ? p1.y() : p1.x();
    const double a = u1 + sz.wallInset;
    const double b = u2 - sz.wallInset;
    auto line = [&](double ua, double va, double ub, double vb) {
        if (alongX)
            drawLine(s, ua, va, ub, vb, kPenSolid, 1, colour, kDrawCopyPen);
        else
            drawLine(s, va, ua, vb, ub, kPenSolid, 1, colour, kDrawCopyPen);
    };
    if (code == 4) {
        const double h = sz.boardHalfWidth;
        // The dark colours of the board rows (magenta, brown, grey, blue) are filled, so their walls
        // stand out on the black plan as the light ones do in outline.
        const int fill = IsDarkBoardColour(own) ? kFillSolid : kFillTransparent;
        if (alongX)
            drawBox(s, a, v - h, b, v + h, kPenSolid, 1, colour, colour, fill, kDrawCopyPen);
        else
            drawBox(s, v - h, a, v + h, b, kPenSolid, 1, colour, colour, fill, kDrawCopyPen);
        return;
    }
    const double side = alongX ? 1.0 : -1.0;
    const double base = v + side * sz.braceOffset;
    const double top = v + side * (sz.braceOffset + sz.braceHeight);
    if (code == 1) {
        line(a, base, b, top);
        line(b, base, b, top);
    } else if (code == 2) {
        line(a, base, a, top);
        line(a, top, b, base);
    } else if (code == 3) {
        line(a, base, b, top);
        line(a, top, b, base);
        line(a, base, a, top);
        line(b, base, b, top);
        line(a, top, b, top);
    }
    line(a, base, b, base);
}

void drawBeamSpan(PlanSurface &s, const PlanInputs &in, QPoint start, QPoint end, int direction, Ink ink)
{
    const SymbolSizes sz = SymbolSizesAt(in.editor.zoomFactor);
    const QRgb colour = InkColour(ink, kBeamColour, kDimmedMemberColour);
    const QPointF a = NodePoint(in, start.x(), start.y());
    const QPointF b = NodePoint(in, end.x(), end.y());
    if (direction == kDirX)
        drawLine(s, a.x(), a.y() - sz.beamOffset, b.x(), b.y() - sz.beamOffset, kPenSolid, 1, colour,
                 kDrawCopyPen);
    else
        drawLine(s, a.x() + sz.beamOffset, a.y(), b.x() + sz.beamOffset, b.y(), kPenSolid, 1, colour,
                 kDrawCopyPen);
}

void drawColumn(PlanSurface &s, const PlanInputs &in, int ix, int iy, int columnKind, Ink ink)
{
    const double half = SymbolSizesAt(in.editor.zoomFactor).braceOffset / 2.0;
    const QRgb colour = InkColour(ink, ColumnColour(columnKind), kDimmedMemberColour);
    const QPointF c = NodePoint(in, ix, iy);
    drawBox(s, c.x() - half, c.y() - half, c.x() + half, c.y() + half, kPenSolid, 1, colour, colour,
            kFillSolid, kDrawCopyPen);
}

void drawOutlineEdge(PlanSurface &s, const PlanInputs &in, QPoint start, QPoint end, bool erase)
{
    const QPointF a = NodePoint(in, start.x(), start.y());
    const QPointF b = NodePoint(in, end.x(), end.y());
    drawLine(s, a.x(), a.y(), b.x(), b.y(), kPenDot, 1, erase ? QBColor(kQBBlack) : kOutlineColour,
             kDrawCopyPen);
}

void drawGridPoint(PlanSurface &s, const PlanInputs &in, int ix, int iy, bool erase)
{
    const QPointF c = NodePoint(in, ix, iy);
    plotPoint(s, c.x(), c.y(),
              erase ? QBColor(kQBBlack) : GridPointColour(ix, iy, in.project.dims.divisions));
}

// ---- Whole plan, regions, names, overlay ----

namespace {

// Every element of the node rectangle (1 ≤ ix1 ≤ ix2 ≤ nodes), in the plan's one layer order:
// cells, walls, beams, then node by node the other storey's outline, the column and the grid point.
// The whole plan and every region are drawn through here, so a region drawn again after an edit
// or an undo looks exactly as the whole plan drawn afresh.
void DrawLayers(PlanSurface &s, const PlanInputs &in, bool erase, int ix1, int iy1, int ix2, int iy2)
{
    const Project &p = in.project;
    const int level = in.floor;
    for (int iy = iy1; iy < iy2; ++iy)
        for (int ix = ix1; ix < ix2; ++ix) {
            const int kind = p.nodes(ix, iy, level).cellFloor;
            if (erase || kind > 0)
                drawCell(s, in, ix, iy, kind, erase);
        }
    const Ink wallInk = InkFor(in, kToolWall, erase);
    for (int iy = iy1; iy <= iy2; ++iy)
        for (int ix = ix1; ix <= ix2; ++ix)
            DrawWallsOfNode(s, in, level, ix, iy, wallInk);
    const Ink beamInk = InkFor(in, kToolBeam, erase);
    for (int iy = iy1; iy <= iy2; ++iy)
        for (int ix = ix1; ix <= ix2; ++ix)
            DrawBeamsOfNode(s, in, ix, iy, beamInk);
    // Drawing takes the top layers one node further: a neighbour's column or grid point lies over
    // the ends of the walls and beams just drawn (erasing there would take out what is not redrawn).
    const Ink columnInk = InkFor(in, kToolColumn, erase);
    const int ring = erase ? 0 : 1;
    const int x1 = std::max(ix1 - ring, 1), y1 = std::max(iy1 - ring, 1);
    const int x2 = std::min(ix2 + ring, NodeCountX(p)), y2 = std::min(iy2 + ring, NodeCountY(p));
    for (int iy = y1; iy <= y2; ++iy)
        for (int ix = x1; ix <= x2; ++ix) {
            DrawOutlineOfNode(s, in, ix, iy, erase);
            if (const int kind = p.nodes(ix, iy, level).columnKind; kind > 0)
                drawColumn(s, in, ix, iy, kind, columnInk);
            drawGridPoint(s, in, ix, iy, erase);
        }
}

}  // namespace

void drawWholePlan(PlanSurface &s, const PlanInputs &in)
{
    const Project &p = in.project;
    if (in.floor < 1 || in.floor > p.nodes.sizeLevel())
        return;
    PaintScope scope(s);
    DrawLayers(s, in, false, 1, 1, NodeCountX(p), NodeCountY(p));
}

void drawRegion(PlanSurface &s, const PlanInputs &in, bool erase, int ix1, int iy1, int ix2, int iy2)
{
    const Project &p = in.project;
    const int level = in.floor;
    if (level < 1 || level > p.nodes.sizeLevel())
        return;
    const int nx = NodeCountX(p);
    const int ny = NodeCountY(p);
    if (ix1 > ix2)
        std::swap(ix1, ix2);
    if (iy1 > iy2)
        std::swap(iy1, iy2);
    ix1 = std::clamp(ix1, 1, nx);
    ix2 = std::clamp(ix2, 1, nx);
    iy1 = std::clamp(iy1, 1, ny);
    iy2 = std::clamp(iy2, 1, ny);
    PaintScope scope(s);
    DrawLayers(s, in, erase, ix1, iy1, ix2, iy2);
    // The other storey's walls were painted over with the cells: put back those of the region.
    const int other = OtherFloorLevel(in.floor);
    if (!erase && in.editor.otherFloorShown != 0 && other <= p.dims.floorCount &&
        other <= p.nodes.sizeLevel())
        for (int iy = iy1; iy <= iy2; ++iy)
            for (int ix = ix1; ix <= ix2; ++ix)
                DrawWallsOfNode(s, in, other, ix, iy, Ink::Own);
}

void drawLineNames(PlanSurface &s, const PlanInputs &in, bool deleteMode)
{
    const Project &p = in.project;
    const int nx = NodeCountX(p);
    const int ny = NodeCountY(p);
    if (nx < 1 || ny < 1)
        return;
    const int div = p.dims.divisions;
    const QRgb colour = QBColor(deleteMode ? kQBLightRed : kQBWhite);
    PaintScope scope(s);
    const CharSize ch = measureChar(s, kLineNameFontSize);
    const PlanFit &f = in.editor.fit;
    const double topY = f.originY + f.planScale * GetNodeCoord(p, in.floor, 1, ny).y + 1.5 + 1.2 * ch.height;
    for (int ix = 1; ix <= nx && ix <= p.grid.lineNameX.size(); ++ix) {
        if (!OnModuleLine(ix, div))
            continue;
        const double x = NodePoint(in, ix, 1).x() - ch.width;
        const QString name = ShownText(p.grid.lineNameX[ix], kShownLineName);
        drawText(s, x, 2.0 * ch.height, name, colour, kLineNameFontSize, kFontGothic, false);
        drawText(s, x, topY, name, colour, kLineNameFontSize, kFontGothic, false);
    }
    const double rightX = NodePoint(in, nx, 1).x() + 2.8 * ch.width;
    for (int iy = std::min(ny, p.grid.lineNameY.size()); iy >= 1; --iy) {
        if (!OnModuleLine(iy, div))
            continue;
        const double y = NodePoint(in, 1, iy).y() + ch.height / 2.0;
        const QString name = ShownText(p.grid.lineNameY[iy], kShownLineName);
        drawText(s, ch.width, y, name, colour, kLineNameFontSize, kFontGothic, false);
        drawText(s, rightX, y, name, colour, kLineNameFontSize, kFontGothic, false);
    }
}

void drawOtherFloorWalls(PlanSurface &s, const PlanInputs &in, int level, bool erase)
{
    const Project &p = in.project;
    if (level < 1 || level > p.nodes.sizeLevel())
        return;
    const int nx = NodeCountX(p);
    const int ny = NodeCountY(p);
    PaintScope scope(s);
    for (int iy = 1; iy <= ny; ++iy)
        for (int ix = 1; ix <= nx; ++ix)
            DrawWallsOfNode(s, in, level, ix, iy, erase ? Ink::Erase : Ink::Own);
}

void RedrawPlan(PlanSurface &s, const Project &project, EditorState &editor, int floor)
{
    ClearSurface(s);
    fitPlan(s, project, editor.fit);
    const PlanInputs in{project, editor, floor};
    PaintScope scope(s);
    drawLineNames(s, in, editor.editMode != kModePlace);
    drawWholePlan(s, in);
    const int other = OtherFloorLevel(floor);
    if (editor.otherFloorShown != 0 && other <= project.dims.floorCount)
        drawOtherFloorWalls(s, in, other, false);
}

}  // namespace rqx
