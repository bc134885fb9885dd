#include "editor/column_n_marks.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>

#include "calc/hardware_class.h"
#include "calc/n_value.h"
#include "calc/placed_hardware.h"
#include "editor/plan_render.h"
#include "editor/plan_surface.h"
#include "model/plan_facts.h"
#include "model/project.h"
#include "common/number_format.h"

namespace rqx {

namespace {

constexpr QRgb kClassColour = 0xFFFFFFFF;
constexpr QRgb kHoldDownColour = 0xFFFF9900;
constexpr QRgb kNotCarriedColour = 0xFFFF0000;  // the transfer check's red

int CmToPixels(const PlanSurface &s, double cm)
{
    return std::abs(s.planToPixel(cm, 0.0).x() - s.planToPixel(0.0, 0.0).x());
}

// Boxes are hashed into cells of this many pixels, about a column spacing on a dense plan, so each
// try looks at a few neighbours only.
constexpr int kCell = 16;

}  // namespace

QString ColumnNMark::classText() const
{
    return requiredClass;
}

QString ColumnNMark::nText() const
{
    return FormatFixed(n, 2);
}

std::vector<ColumnNMark> ColumnNMarksOf(const Project &p, const Calculation &c, int floor)
{
    std::vector<ColumnNMark> marks;
    if (floor < 1 || floor > p.dims.floorCount || floor > p.nodes.sizeLevel() ||
        !c.results.valid(1, 1, floor))
        return marks;
    for (int iy = 1; iy <= NodeCountY(p); ++iy)
        for (int ix = 1; ix <= NodeCountX(p); ++ix) {
            const NodeRecord &node = p.nodes(ix, iy, floor);
            if (node.columnKind <= 0)
                continue;
            const ColumnResult &r = c.results(ix, iy, floor);
            ColumnNMark m;
            m.ix = ix;
            m.iy = iy;
            m.requiredClass = c.requiredClass(ix, iy, floor);
            m.n = std::max(TotalN(r, kDirX), TotalN(r, kDirY));
            m.holdDown = NeedsHoldDown(r);
            m.notCarried = floor >= 2 && r.notCarried == 1;
            marks.push_back(std::move(m));
        }
    return marks;
}

NMarkLayout LayOutNMarks(const std::vector<ColumnNMark> &marks,
                         const std::function<QPoint(int, int)> &nodePixel, int columnHalf, int lineClearance,
                         int textWidth, int lineHeight,
                         const std::function<bool(const QRect &)> &coversMember)
{
    NMarkLayout layout;
    layout.fits = true;
    const size_t count = marks.size();
    if (count == 0)
        return layout;
    layout.columnBoxes.reserve(count);
    const int clear = std::max(lineClearance, columnHalf + 1);
    const int height = 2 * lineHeight;
    // The four quarters around each column, off both grid lines through it, in the order they are
    // tried: down and right first, the side of the lines where no brace symbol lies.
    std::vector<std::array<QRect, 4>> spots(count);
    QRect extent;
    for (size_t k = 0; k < count; ++k) {
        const QPoint c = nodePixel(marks[k].ix, marks[k].iy);
        layout.columnBoxes.emplace_back(c.x() - columnHalf - 2, c.y() - columnHalf - 2, 2 * columnHalf + 5,
                                        2 * columnHalf + 5);
        const int left = c.x() - clear - textWidth;
        const int right = c.x() + clear;
        const int up = c.y() - clear - height;
        const int down = c.y() + clear;
        spots[k] = {QRect(right, down, textWidth, height), QRect(right, up, textWidth, height),
                    QRect(left, down, textWidth, height), QRect(left, up, textWidth, height)};
        extent = extent.united(spots[k][1].united(spots[k][2]));  // up-right and down-left span all four
    }
    // The boxes placed so far (the columns, then the texts as they are placed) in the cells of a grid
    // over the extent, so that each try looks at its neighbours only.
    const int cell = kCell;
    const int cellsX = extent.width() / cell + 1;
    const int cellsY = extent.height() / cell + 1;
    std::vector<std::vector<int>> cells(static_cast<size_t>(cellsX) * static_cast<size_t>(cellsY));
    std::vector<QRect> placed;
    placed.reserve(2 * count);
    // Calls fn on each cell the box meets, until fn returns false; false when it did.
    auto forCells = [&](const QRect &r, auto &&fn) {
        const int x1 = std::max(0, (r.left() - extent.left()) / cell);
        const int x2 = std::min(cellsX - 1, (r.right() - extent.left()) / cell);
        const int y1 = std::max(0, (r.top() - extent.top()) / cell);
        const int y2 = std::min(cellsY - 1, (r.bottom() - extent.top()) / cell);
        for (int cy = y1; cy <= y2; ++cy)
            for (int cx = x1; cx <= x2; ++cx)
                if (!fn(cells[static_cast<size_t>(cy) * static_cast<size_t>(cellsX) + static_cast<size_t>(cx)]))
                    return false;
        return true;
    };
    auto place = [&](const QRect &r) {
        const int index = static_cast<int>(placed.size());
        placed.push_back(r);
        forCells(r, [&](std::vector<int> &c) {
            c.push_back(index);
            return true;
        });
    };
    for (const QRect &column : layout.columnBoxes)
        place(column);
    // A text box may meet its own column's box only. The first box met ends the search: on a dense
    // plan nearly every try meets a neighbouring column at once.
    auto isFree = [&](const QRect &r, size_t own) {
        const bool clear = forCells(r, [&](const std::vector<int> &c) {
            for (int other : c)
                if (static_cast<size_t>(other) != own && r.intersects(placed[static_cast<size_t>(other)]))
                    return false;
            return true;
        });
        if (!clear)
            return false;
        return !(coversMember && coversMember(r));
    };
    layout.textBoxes.reserve(count);
    layout.shown.reserve(count);
    for (size_t k = 0; k < count; ++k) {
        const QRect *chosen = nullptr;
        for (const QRect &spot : spots[k])
            if (isFree(spot, k)) {
                chosen = &spot;
                break;
            }
        if (!chosen) {
            // No quarter is free at this zoom: this text is left out, the others still find room.
            layout.fits = false;
            layout.textBoxes.push_back(spots[k][0]);
            layout.shown.push_back(false);
            continue;
        }
        layout.textBoxes.push_back(*chosen);
        layout.shown.push_back(true);
        place(*chosen);
    }
    return layout;
}

NMarkLayout LayOutNMarksOnPlan(const PlanSurface &s, const PlanInputs &in,
                               const std::vector<ColumnNMark> &marks)
{
    const SymbolSizes sizes = SymbolSizesAt(in.editor.zoomFactor);
    const QFontMetrics fm(NMarkFont());
    // The widest text any mark can have, measured once: every class label, an N of up to two digits.
    static const int width = [&fm] {
        int w =
            std::max(fm.horizontalAdvance(OutOfRangeLabel()), fm.horizontalAdvance(QStringLiteral("-00.00")));
        for (const HardwareClass &c : HardwareClasses())
            w = std::max(w, fm.horizontalAdvance(c.label));
        return w;
    }();
    const Project &p = in.project;
    const auto nodePixel = [&](int ix, int iy) {
        const QPointF point = NodePoint(in, ix, iy);
        return s.planToPixel(point.x(), point.y());
    };
    // The members' symbols across their line, in pixels (screen y grows downwards): a brace on an X
    // line lies above it, on a Y line left of it; a board straddles its line; a beam runs just below
    // an X line and right of a Y line.
    const int braceNear = CmToPixels(s, sizes.braceOffset);
    const int braceFar = CmToPixels(s, sizes.braceOffset + sizes.braceHeight) + 1;
    const int boardHalf = CmToPixels(s, sizes.boardHalfWidth) + 1;
    const int beamOff = CmToPixels(s, sizes.beamOffset) + 1;
    constexpr int kGap = 2;
    const int reach = braceFar + kGap;
    const int nodesX = NodeCountX(p);
    const int nodesY = NodeCountY(p);
    const int level = in.floor;
    const int beamLevel = BeamLevelOfFloor(in.floor);
    const bool beamsShown = beamLevel <= p.nodes.sizeLevel();
    // The grid lines' pixels, each way in ascending order with their node index.
    std::vector<std::pair<int, int>> linesX;
    std::vector<std::pair<int, int>> linesY;
    for (int i = 1; i <= nodesX; ++i)
        linesX.emplace_back(nodePixel(i, 1).x(), i);
    for (int j = 1; j <= nodesY; ++j)
        linesY.emplace_back(nodePixel(1, j).y(), j);
    std::sort(linesX.begin(), linesX.end());
    std::sort(linesY.begin(), linesY.end());
    const auto from = [](const std::vector<std::pair<int, int>> &lines, int pixel) {
        return std::lower_bound(lines.begin(), lines.end(), std::make_pair(pixel, 0));
    };
    // Whether a span along a line (between two neighbouring lines across it) that meets [lo, hi]
    // carries a member whose symbol meets the box; a span is kept at its lower node.
    const auto onLine = [&](const std::vector<std::pair<int, int>> &across, int lo, int hi, auto &&member) {
        auto it = from(across, lo);
        if (it != across.begin())
            --it;
        for (; it != across.end() && std::next(it) != across.end() && it->first <= hi; ++it) {
            const auto next = std::next(it);
            if (next->first >= lo && member(std::min(it->second, next->second)))
                return true;
        }
        return false;
    };
    // Whether the band [from, to] (pixels across a line) meets [lo, hi] with the gap kept.
    const auto meets = [](int bandFrom, int bandTo, int lo, int hi) {
        return bandTo + kGap >= lo && bandFrom - kGap <= hi;
    };
    // Members along direction d lie on `lines` (their pixels across the members), spans counted between
    // the `across` lines. [lo, hi] is the box across the lines, [alongLo, alongHi] along them. A brace
    // lies before its line (above an X line, left of a Y line), a board on it, a beam just after it.
    const auto coversAlong = [&](int d, const std::vector<std::pair<int, int>> &lines,
                                 const std::vector<std::pair<int, int>> &across, int lo, int hi, int alongLo,
                                 int alongHi) {
        const int count = d == kDirX ? nodesX : nodesY;
        for (auto l = from(lines, lo - reach); l != lines.end() && l->first <= hi + reach; ++l) {
            const int at = l->first;
            const bool brace = meets(at - braceFar, at - braceNear, lo, hi);
            const bool board = meets(at - boardHalf, at + boardHalf, lo, hi);
            const bool beam = meets(at, at + beamOff, lo, hi);
            if (!brace && !board && !beam)
                continue;
            const auto member = [&](int k) {
                if (k < 1 || k >= count)
                    return false;
                const int i = d == kDirX ? k : l->second;
                const int j = d == kDirX ? l->second : k;
                const NodeRecord &n = p.nodes(i, j, level);
                return (brace && n.brace[d].kind > 0) || (board && n.board[d].kind > 0) ||
                       (beam && beamsShown && IsBeamPresent(p.nodes(i, j, beamLevel).beam[d]));
            };
            if (onLine(across, alongLo, alongHi, member))
                return true;
        }
        return false;
    };
    const auto coversMember = [&](const QRect &box) {
        return coversAlong(kDirY, linesX, linesY, box.left(), box.right(), box.top(), box.bottom()) ||
               coversAlong(kDirX, linesY, linesX, box.top(), box.bottom(), box.left(), box.right());
    };
    // Off the grid lines through the column by a board's half width, beside the column's symbol;
    // whether a brace or beam beside those lines is in the way is for coversMember to say.
    const int columnHalf = std::max(1, CmToPixels(s, sizes.braceOffset / 2.0));
    return LayOutNMarks(marks, nodePixel, columnHalf, boardHalf + kGap + 1, width + 1, fm.height(),
                        coversMember);
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
        if (k >= layout.shown.size() || !layout.shown[k])
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
