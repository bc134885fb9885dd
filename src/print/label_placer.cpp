#include "print/label_placer.h"

#include <QLineF>
#include <QPolygonF>

#include <cmath>

#include "print/page_drawing.h"
#include "print/print_document.h"
#include "print/print_surface.h"

namespace rqx {

namespace {

constexpr float kCellCm = 0.5f;

long long CellKey(int cx, int cy)
{
    return (static_cast<long long>(cx) << 32) ^ static_cast<unsigned int>(cy);
}

}  // namespace

bool IsDarkInk(QRgb color)
{
    // Light grey (192) and white read as paper; mid grey (128) and every colour of some depth as ink.
    return 0.299 * qRed(color) + 0.587 * qGreen(color) + 0.114 * qBlue(color) < 170.0;
}

bool SegmentMeetsBox(const QPointF &a, const QPointF &b, float half, const QRectF &box)
{
    const QRectF r = box.adjusted(-half, -half, half, half);
    const double minX = std::min(a.x(), b.x()), maxX = std::max(a.x(), b.x());
    const double minY = std::min(a.y(), b.y()), maxY = std::max(a.y(), b.y());
    if (maxX < r.left() || minX > r.right() || maxY < r.top() || minY > r.bottom())
        return false;
    if (minX == maxX || minY == maxY)  // upright or level: its span meets the box
        return true;
    // Clips the segment to the box (Liang–Barsky).
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

LabelPlacer::LabelPlacer(PrintSurface &s, const QRectF &bounds, float minSize)
    : s_(s), bounds_(bounds), minSize_(minSize)
{
}

void LabelPlacer::cellsOf(const QRectF &box, std::vector<long long> &out) const
{
    out.clear();
    const int x0 = static_cast<int>(std::floor(box.left() / kCellCm));
    const int x1 = static_cast<int>(std::floor(box.right() / kCellCm));
    const int y0 = static_cast<int>(std::floor(box.top() / kCellCm));
    const int y1 = static_cast<int>(std::floor(box.bottom() / kCellCm));
    for (int cx = x0; cx <= x1; ++cx)
        for (int cy = y0; cy <= y1; ++cy)
            out.push_back(CellKey(cx, cy));
}

void LabelPlacer::occupy(const QRectF &box)
{
    const int index = static_cast<int>(boxes_.size());
    boxes_.push_back(box);
    std::vector<long long> keys;
    cellsOf(box, keys);
    for (const long long k : keys)
        cells_[k].push_back(index);
}

void LabelPlacer::keepFree(const QRectF &area)
{
    occupy(area);
}

void LabelPlacer::keepLineFree(const QPointF &a, const QPointF &b, float halfWidth)
{
    const int index = static_cast<int>(segments_.size());
    segments_.push_back({a, b, halfWidth});
    std::vector<long long> keys;
    const QRectF span = QRectF(a, b).normalized().adjusted(-halfWidth, -halfWidth, halfWidth, halfWidth);
    cellsOf(span, keys);
    for (const long long k : keys) {
        // A long diagonal passes through few of the cells of its span.
        const int cx = static_cast<int>(k >> 32);
        const int cy = static_cast<int>(static_cast<unsigned int>(k & 0xFFFFFFFF));
        const QRectF cell(cx * kCellCm, cy * kCellCm, kCellCm, kCellCm);
        if (SegmentMeetsBox(a, b, halfWidth + kGap, cell))
            segmentCells_[k].push_back(index);
    }
}

bool LabelPlacer::crossesLine(const QRectF &box) const
{
    if (segments_.empty())
        return false;
    const int x0 = static_cast<int>(std::floor(box.left() / kCellCm));
    const int x1 = static_cast<int>(std::floor(box.right() / kCellCm));
    const int y0 = static_cast<int>(std::floor(box.top() / kCellCm));
    const int y1 = static_cast<int>(std::floor(box.bottom() / kCellCm));
    for (int cx = x0; cx <= x1; ++cx)
        for (int cy = y0; cy <= y1; ++cy) {
            const auto it = segmentCells_.find(CellKey(cx, cy));
            if (it == segmentCells_.end())
                continue;
            for (const int i : it->second) {
                const Segment &g = segments_[static_cast<size_t>(i)];
                if (SegmentMeetsBox(g.a, g.b, g.half, box))
                    return true;
            }
        }
    return false;
}

size_t LabelPlacer::itemCount() const
{
    const PrintDocument &doc = s_.document();
    return doc.pageCount() > 0 ? doc.page(doc.pageCount()).items.size() : 0;
}

void LabelPlacer::keepDrawnFree(size_t from)
{
    const PrintDocument &doc = s_.document();
    if (doc.pageCount() == 0)
        return;
    const PrintPage &page = doc.page(doc.pageCount());
    const double ox = s_.MarginLeft(), oy = s_.MarginTop();
    auto cm = [&](double x, double y) { return QPointF((x - ox) / kPrintTwipsPerCm, (y - oy) / kPrintTwipsPerCm); };
    auto edges = [&](const QPolygonF &poly, float half) {
        for (qsizetype i = 0; i + 1 < poly.size(); ++i)
            keepLineFree(poly[i], poly[i + 1], half);
    };
    for (size_t i = from; i < page.items.size(); ++i) {
        const PageItem &it = page.items[i];
        if (it.flags != 0 || it.kind == PageItemKind::Text || it.kind == PageItemKind::Picture)
            continue;
        const PrintPen &pen = doc.pen(it.a);
        const bool inked = pen.style != kPenStyleNone && IsDarkInk(pen.color);
        const float half = static_cast<float>(pen.width) / 2.0f / kPrintTwipsPerCm;
        QPolygonF outline;
        bool filled = false;
        switch (it.kind) {
            case PageItemKind::Line:
                if (inked)
                    keepLineFree(cm(it.x1, it.y1), cm(it.x2, it.y2), half);
                continue;
            case PageItemKind::Rectangle: {
                const QRectF r(cm(it.x1, it.y1), cm(it.x2, it.y2));
                outline << r.topLeft() << r.topRight() << r.bottomRight() << r.bottomLeft() << r.topLeft();
                break;
            }
            case PageItemKind::Ellipse: {
                const QRectF r(cm(it.x1, it.y1), cm(it.x2, it.y2));
                for (int k = 0; k <= 8; ++k) {
                    const double a = k * M_PI / 4;
                    outline << QPointF(r.center().x() + r.width() / 2 * std::cos(a),
                                       r.center().y() + r.height() / 2 * std::sin(a));
                }
                break;
            }
            case PageItemKind::Polygon:
                for (int k = 0; k < it.x2; ++k) {
                    const QPoint pt = page.points[static_cast<size_t>(it.x1 + k)];
                    outline << cm(pt.x(), pt.y());
                }
                if (!outline.isEmpty())
                    outline << outline.front();
                break;
            default:
                continue;
        }
        const PrintBrush &brush = doc.brush(it.b);
        filled = brush.style == kBrushStyleSolid && IsDarkInk(brush.color);
        if (filled)
            keepFree(outline.boundingRect());
        else if (inked)
            edges(outline, half);
    }
}

bool LabelPlacer::isPathFree(const QPointF &a, const QPointF &b) const
{
    std::vector<long long> keys;
    cellsOf(QRectF(a, b).normalized(), keys);
    for (const long long k : keys) {
        const auto it = cells_.find(k);
        if (it == cells_.end())
            continue;
        for (const int i : it->second)
            if (SegmentMeetsBox(a, b, kGap, boxes_[static_cast<size_t>(i)]))
                return false;
    }
    return true;
}

QRectF LabelPlacer::boxAt(const QString &text, float size, const Spot &spot, int angle, bool repeated)
{
    return spotBox(spot, measure(text, size, repeated), angle == 90);
}

void LabelPlacer::printAt(const QString &text, float size, const QRectF &box, int angle)
{
    if (angle == 90)
        PrintTextCm(s_, text, size, static_cast<float>(box.left()), static_cast<float>(box.bottom()), 90);
    else
        PrintTextCm(s_, text, size, static_cast<float>(box.left()), static_cast<float>(box.top()), 0);
    occupy(box);
    last_ = box;
}

void LabelPlacer::keepForDrawing(const QString &text, float size, const Spot &spot, int angle)
{
    const QRectF box = spotBox(spot, measure(text, size, true), angle == 90);
    s_.SetDrawingOnly(true);
    if (angle == 90)
        PrintTextCm(s_, text, size, static_cast<float>(box.left()), static_cast<float>(box.bottom()), 90);
    else
        PrintTextCm(s_, text, size, static_cast<float>(box.left()), static_cast<float>(box.top()), 0);
    s_.SetDrawingOnly(false);
}

bool LabelPlacer::isFree(const QRectF &box) const
{
    if (!bounds_.isEmpty() && !bounds_.contains(box))
        return false;
    if (hasZone_ && !zone_.contains(box))
        return false;
    const QRectF grown = box.adjusted(-kGap, -kGap, kGap, kGap);
    const int x0 = static_cast<int>(std::floor(grown.left() / kCellCm));
    const int x1 = static_cast<int>(std::floor(grown.right() / kCellCm));
    const int y0 = static_cast<int>(std::floor(grown.top() / kCellCm));
    const int y1 = static_cast<int>(std::floor(grown.bottom() / kCellCm));
    for (int cx = x0; cx <= x1; ++cx)
        for (int cy = y0; cy <= y1; ++cy) {
            const auto it = cells_.find(CellKey(cx, cy));
            if (it == cells_.end())
                continue;
            for (const int i : it->second)
                if (boxes_[static_cast<size_t>(i)].intersects(grown))
                    return false;
        }
    return !crossesLine(box);
}

TextSize LabelPlacer::measure(const QString &text, float points, bool remember)
{
    if (!remember)
        return MeasureCm(s_, text, points);
    // Measured once per text and half point in a font: the cache starts anew when the font changes.
    if (s_.FontBold() != bold_ || s_.FontName() != fontName_) {
        sizes_.clear();
        bold_ = s_.FontBold();
        fontName_ = s_.FontName();
    }
    const int slot = static_cast<int>(std::lround(points * 2.0f));
    if (slot < 0 || slot >= kSizeSlots)
        return MeasureCm(s_, text, points);
    Measured &m = sizes_[text];
    if (!m.known[static_cast<size_t>(slot)]) {
        m.size[static_cast<size_t>(slot)] = MeasureCm(s_, text, points);
        m.known[static_cast<size_t>(slot)] = true;
    }
    return m.size[static_cast<size_t>(slot)];
}

QRectF LabelPlacer::spotBox(const Spot &spot, const TextSize &t, bool turned)
{
    const float w = turned ? t.h : t.w;
    const float h = turned ? t.w : t.h;
    return {spot.x - spot.fx * w, spot.y - spot.fy * h, w, h};
}

bool LabelPlacer::place(const QString &text, float size, std::span<const Spot> spots, int angle,
                        bool repeated)
{
    if (text.isEmpty())
        return true;
    const bool turned = angle == 90;
    // A box grows about its spot with the size, so a spot not free at the smallest size is free at none:
    // only the spots free at the floor are tried at the larger sizes.
    const float floor = std::min(size, minSize_);
    const TextSize smallest = measure(text, floor, repeated);
    bool open[kMaxSpots] = {};
    bool any = false;
    const size_t count = std::min(spots.size(), kMaxSpots);
    for (size_t k = 0; k < count; ++k) {
        open[k] = isFree(spotBox(spots[k], smallest, turned));
        any = any || open[k];
    }
    if (!any)
        return false;
    for (float points = size; points >= floor - 0.01f; points -= 0.5f) {
        const bool atFloor = points - 0.5f < floor - 0.01f;
        const TextSize t = atFloor ? smallest : measure(text, points, repeated);
        for (size_t k = 0; k < count; ++k) {
            if (!open[k])
                continue;
            const QRectF box = atFloor ? spotBox(spots[k], smallest, turned) : spotBox(spots[k], t, turned);
            if (!isFree(box))
                continue;
            // The turned text runs upwards from its anchor and lies right of it.
            printAt(text, atFloor ? floor : points, box, angle);
            return true;
        }
    }
    return false;
}

}  // namespace rqx
