#include "editor/column_n_marks.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "calc/hardware_class.h"
#include "calc/n_value.h"
#include "calc/placed_hardware.h"
#include "editor/plan_render.h"
#include "editor/plan_surface.h"
#include "model/plan_facts.h"
#include "model/project.h"
#include "report/report_format.h"

namespace rqx {

namespace {

constexpr QRgb kClassColour = 0xFFFFFFFF;
constexpr QRgb kHoldDownColour = 0xFFFF9900;
constexpr QRgb kNotCarriedColour = 0xFFFF0000;  // the transfer check's red

// The texts keep this far (page cm at zoom 1) from the grid lines through their column: past the
// brace symbols (offset 0.15 + height 0.24) and the board bands beside the lines.
constexpr double kLineClearanceCm = 0.45;

int CmToPixels(const PlanSurface &s, double cm)
{
    return std::abs(s.planToPixel(cm, 0.0).x() - s.planToPixel(0.0, 0.0).x());
}

// Boxes are hashed into cells of this many pixels, so the overlap check stays linear.
constexpr int kCell = 64;

}  // namespace

QString ColumnNMark::classText() const
{
    return requiredClass;
}

QString ColumnNMark::nText() const
{
    return FormatFixed(n, 2);
}

std::vector<ColumnNMark> ColumnNMarksOf(const Project &p, int floor)
{
    std::vector<ColumnNMark> marks;
    if (floor < 1 || floor > p.dims.floorCount || floor > p.nodes.sizeLevel() ||
        !p.results.valid(1, 1, floor))
        return marks;
    for (int iy = 1; iy <= NodeCountY(p); ++iy)
        for (int ix = 1; ix <= NodeCountX(p); ++ix) {
            const NodeRecord &node = p.nodes(ix, iy, floor);
            if (node.columnKind <= 0)
                continue;
            const ColumnResult &r = p.results(ix, iy, floor);
            ColumnNMark m;
            m.ix = ix;
            m.iy = iy;
            m.requiredClass = node.hardware[0];
            m.n = std::max(TotalN(r, kDirX), TotalN(r, kDirY));
            m.holdDown = NeedsHoldDown(r);
            m.notCarried = floor >= 2 && r.notCarried == 1;
            marks.push_back(std::move(m));
        }
    return marks;
}

NMarkLayout LayOutNMarks(const std::vector<ColumnNMark> &marks,
                         const std::function<QPoint(int, int)> &nodePixel, int columnHalf, int lineClearance,
                         int textWidth, int lineHeight)
{
    NMarkLayout layout;
    layout.textBoxes.reserve(marks.size());
    layout.columnBoxes.reserve(marks.size());
    for (const ColumnNMark &m : marks) {
        const QPoint c = nodePixel(m.ix, m.iy);
        const int clear = std::max(lineClearance, columnHalf + 1);
        // Up and right of the column, off both grid lines through it: the texts sit inside a plan cell.
        layout.textBoxes.emplace_back(c.x() + clear, c.y() - clear - 2 * lineHeight, textWidth,
                                      2 * lineHeight);
        layout.columnBoxes.emplace_back(c.x() - columnHalf - 2, c.y() - columnHalf - 2, 2 * columnHalf + 5,
                                        2 * columnHalf + 5);
    }
    // Every box enters the cells it touches (a flat grid over their extent, filled by counting);
    // a text box that meets another text box or another column's box means the zoom is too small.
    const int count = static_cast<int>(marks.size());
    layout.fits = true;
    if (count == 0)
        return layout;
    // Indices below count are text boxes, from count on column boxes.
    auto boxOf = [&](int k) -> const QRect & {
        return k < count ? layout.textBoxes[static_cast<size_t>(k)]
                         : layout.columnBoxes[static_cast<size_t>(k - count)];
    };
    QRect extent = boxOf(0);
    for (int k = 1; k < 2 * count; ++k)
        extent = extent.united(boxOf(k));
    const int cell = std::max({kCell, textWidth + 1, 2 * lineHeight + 1});
    const int cellsX = extent.width() / cell + 1;
    const int cellsY = extent.height() / cell + 1;
    auto forCells = [&](const QRect &r, auto &&fn) {
        const int x1 = (r.left() - extent.left()) / cell, x2 = (r.right() - extent.left()) / cell;
        const int y1 = (r.top() - extent.top()) / cell, y2 = (r.bottom() - extent.top()) / cell;
        for (int cy = y1; cy <= y2; ++cy)
            for (int cx = x1; cx <= x2; ++cx)
                fn(static_cast<size_t>(cy) * static_cast<size_t>(cellsX) + static_cast<size_t>(cx));
    };
    std::vector<int> start(static_cast<size_t>(cellsX) * static_cast<size_t>(cellsY) + 1, 0);
    for (int k = 0; k < 2 * count; ++k)
        forCells(boxOf(k), [&](size_t c) { ++start[c + 1]; });
    for (size_t c = 1; c < start.size(); ++c)
        start[c] += start[c - 1];
    std::vector<int> members(static_cast<size_t>(start.back()));
    std::vector<int> fill(start.begin(), start.end() - 1);
    for (int k = 0; k < 2 * count; ++k)
        forCells(boxOf(k), [&](size_t c) { members[static_cast<size_t>(fill[c]++)] = k; });
    for (int k = 0; k < count && layout.fits; ++k) {
        const QRect &box = boxOf(k);
        forCells(box, [&](size_t c) {
            for (int at = start[c]; at < start[c + 1] && layout.fits; ++at) {
                const int other = members[static_cast<size_t>(at)];
                if (other != k && other != k + count && box.intersects(boxOf(other)))
                    layout.fits = false;
            }
        });
    }
    return layout;
}

NMarkLayout LayOutNMarksOnPlan(const PlanSurface &s, const PlanInputs &in,
                               const std::vector<ColumnNMark> &marks)
{
    const SymbolSizes sizes = SymbolSizesAt(in.editor.zoomFactor);
    const double z = in.editor.zoomFactor > 0.0f ? in.editor.zoomFactor : 1.0;
    const QFontMetrics fm(NMarkFont());
    // The widest text any mark can have, measured once: every class label, an N of up to two digits.
    static const int width = [&fm] {
        int w =
            std::max(fm.horizontalAdvance(OutOfRangeLabel()), fm.horizontalAdvance(QStringLiteral("-00.00")));
        for (const HardwareClass &c : HardwareClasses())
            w = std::max(w, fm.horizontalAdvance(c.label));
        return w;
    }();
    return LayOutNMarks(
        marks,
        [&](int ix, int iy) {
            const QPointF p = NodePoint(in, ix, iy);
            return s.planToPixel(p.x(), p.y());
        },
        std::max(1, CmToPixels(s, sizes.braceOffset / 2.0)), CmToPixels(s, kLineClearanceCm / z), width + 1,
        fm.height());
}

QFont NMarkFont()
{
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(11);
    return font;
}

std::vector<DrawnNText> PaintNMarks(QPainter &painter, const std::vector<ColumnNMark> &marks,
                                    const NMarkLayout &layout, const QRect &exposed, const QFont &font)
{
    std::vector<DrawnNText> drawn;
    if (layout.textBoxes.size() != marks.size() || layout.columnBoxes.size() != marks.size())
        return drawn;
    painter.save();
    painter.setFont(font);
    for (size_t k = 0; k < marks.size(); ++k) {
        const ColumnNMark &m = marks[k];
        const QRect &column = layout.columnBoxes[k];
        if (column.intersects(exposed)) {
            if (m.notCarried)
                painter.fillRect(column.adjusted(1, 1, -1, -1), QColor::fromRgb(kNotCarriedColour));
            if (m.holdDown) {
                painter.setPen(QPen(QColor::fromRgb(kHoldDownColour), 2));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(column);
            }
        }
        if (!layout.fits)
            continue;
        const QRect &box = layout.textBoxes[k];
        if (!box.intersects(exposed))
            continue;
        const int lineHeight = box.height() / 2;
        painter.setPen(QColor::fromRgb(m.holdDown ? kHoldDownColour : kClassColour));
        const QRect top(box.left(), box.top(), box.width(), lineHeight);
        const QRect bottom(box.left(), box.top() + lineHeight, box.width(), lineHeight);
        painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, m.classText());
        painter.drawText(bottom, Qt::AlignLeft | Qt::AlignVCenter, m.nText());
        drawn.push_back({box, m.classText() + QLatin1Char(' ') + m.nText(), m.ix, m.iy});
    }
    painter.restore();
    return drawn;
}

}  // namespace rqx
