#include "print/label_placer.h"

#include <cmath>

#include "print/page_drawing.h"
#include "print/print_surface.h"

namespace rqx {

namespace {

constexpr float kCellCm = 0.5f;

long long CellKey(int cx, int cy)
{
    return (static_cast<long long>(cx) << 32) ^ static_cast<unsigned int>(cy);
}

}  // namespace

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

bool LabelPlacer::isFree(const QRectF &box) const
{
    if (!bounds_.isEmpty() && !bounds_.contains(box))
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
    return true;
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

QRectF LabelPlacer::boxAt(const Spot &spot, const TextSize &t, bool turned)
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
        open[k] = isFree(boxAt(spots[k], smallest, turned));
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
            const QRectF box = atFloor ? boxAt(spots[k], smallest, turned) : boxAt(spots[k], t, turned);
            if (!isFree(box))
                continue;
            const float at = atFloor ? floor : points;
            if (turned)  // the turned text runs upwards from its anchor and lies right of it
                PrintTextCm(s_, text, at, static_cast<float>(box.left()), static_cast<float>(box.bottom()),
                            90);
            else
                PrintTextCm(s_, text, at, static_cast<float>(box.left()), static_cast<float>(box.top()), 0);
            occupy(box);
            last_ = box;
            return true;
        }
    }
    return false;
}

}  // namespace rqx
