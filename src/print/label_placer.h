#pragma once
// Texts of a figure set so that none overlaps or touches another, none covers an area kept free (column
// squares), none is crossed by a drawn dark line (walls, beams, module grid lines, braces, column lines)
// and none leaves the area the figure may use: each text tries its spots in order at its size, then the
// same spots at smaller sizes down to a readable floor. Headless (QtGui). Lengths are page cm.

#include <QHash>
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QString>

#include <array>
#include <span>
#include <unordered_map>
#include <vector>

#include "print/page_drawing.h"

namespace rqx {

class PrintSurface;

// Whether a pen or fill colour reads as ink on paper: anything but white and light grey.
bool IsDarkInk(QRgb color);
// Whether the segment a–b, grown by `half` either side, meets the box.
bool SegmentMeetsBox(const QPointF &a, const QPointF &b, float half, const QRectF &box);

class LabelPlacer {
public:
    // The point of the text's box at fractions (fx, fy) of its width and height (0,0 top-left, 1,1
    // bottom-right; of the turned box for turned texts) lies at (x, y).
    struct Spot {
        float x = 0;
        float y = 0;
        float fx = 0;
        float fy = 0;
    };

    // `bounds`: the area texts must stay inside (an empty rectangle: no limit).
    LabelPlacer(PrintSurface &s, const QRectF &bounds = QRectF(), float minSize = kMinTextSize);

    static constexpr float kMinTextSize = 4.0f;  // points: the smallest size still read on paper
    static constexpr float kGap = 0.03f;         // cm kept between two texts: they read apart

    // An area no text may cover.
    void keepFree(const QRectF &area);
    // A drawn line no text may cross, `halfWidth` either side of it.
    void keepLineFree(const QPointF &a, const QPointF &b, float halfWidth = 0);
    // Keeps free what the surface drew on its current page from item `from` on and a reader takes for ink:
    // lines and outlines in a dark pen (IsDarkInk), shapes filled dark. Light grey lines (sub-grid lines,
    // board outlines) and light fills may run under texts.
    void keepDrawnFree(size_t from);
    // Texts placed from now on must lie inside `zone` too (the room of one member), until clearZone.
    void setZone(const QRectF &zone)
    {
        zone_ = zone;
        hasZone_ = true;
    }
    void clearZone() { hasZone_ = false; }
    // Whether a box lies inside the bounds and clear of every text, kept-free area and kept-free line.
    bool isFree(const QRectF &box) const;
    // Whether the segment a–b crosses no text or kept-free area (a leader line to a callout's number).
    bool isPathFree(const QPointF &a, const QPointF &b) const;
    // The box of `text` at `size` at `spot` in the surface's current font.
    QRectF boxAt(const QString &text, float size, const Spot &spot, int angle = 0, bool repeated = true);
    // Prints `text` with its box at `box` (found free by the caller) and keeps the box.
    void printAt(const QString &text, float size, const QRectF &box, int angle = 0);
    // Items of the surface's current page: where the next drawing starts.
    size_t itemCount() const;
    PrintSurface &surface() const { return s_; }
    // The box of a text of measures `t` at `spot`.
    static QRectF spotBox(const Spot &spot, const TextSize &t, bool turned);
    // Tries the spots in order at `size`, then at each half point less down to the floor (at most 16 spots,
    // the floor being the last size tried); prints the text
    // at the first free one in the surface's current font, keeps its box and returns true. `angle` 0 or 90
    // (turned: the text reads upwards).
    // `repeated`: a text met again (a name, a label) keeps its measures; a one-off (a callout's number)
    // does not.
    bool place(const QString &text, float size, std::span<const Spot> spots, int angle = 0,
               bool repeated = true);
    // A text that found no room on the page: kept for the figure's drawing only, at `spot` and `size`
    // (PrintSurface::SetDrawingOnly), so that CAD has it at its member.
    void keepForDrawing(const QString &text, float size, const Spot &spot, int angle = 0);
    // The box of the last text placed.
    const QRectF &lastBox() const { return last_; }
    // Marks a box as taken without printing (a text printed by other means).
    void occupy(const QRectF &box);
    float minSize() const { return minSize_; }
    const QRectF &bounds() const { return bounds_; }

private:
    static constexpr size_t kMaxSpots = 16;  // spots tried per text
    struct Segment {
        QPointF a, b;
        float half = 0;
    };
    void cellsOf(const QRectF &box, std::vector<long long> &out) const;
    bool crossesLine(const QRectF &box) const;
    TextSize measure(const QString &text, float points, bool remember);

    PrintSurface &s_;
    QRectF bounds_;
    QRectF zone_;
    bool hasZone_ = false;
    float minSize_;
    QRectF last_;
    std::vector<QRectF> boxes_;
    std::unordered_map<long long, std::vector<int>> cells_;
    std::vector<Segment> segments_;
    std::unordered_map<long long, std::vector<int>> segmentCells_;
    static constexpr int kSizeSlots = 24;  // half points up to 11.5 points
    struct Measured {
        std::array<TextSize, kSizeSlots> size{};
        std::array<bool, kSizeSlots> known{};
    };
    QHash<QString, Measured> sizes_;  // measured texts in the current font, by half point
    QString fontName_;
    bool bold_ = false;
};

}  // namespace rqx
