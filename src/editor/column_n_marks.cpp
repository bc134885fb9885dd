#include "editor/column_n_marks.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <unordered_map>

#include "calc/n_value.h"
#include "calc/placed_hardware.h"
#include "model/plan_facts.h"
#include "model/project.h"
#include "report/report_format.h"

namespace rqx {

namespace {

constexpr QRgb kClassColour = 0xFFFFFFFF;
constexpr QRgb kHoldDownColour = 0xFFFF9900;
constexpr QRgb kNotCarriedColour = 0xFFFF0000;  // the transfer check's red

// Boxes are hashed into cells of this many pixels, so the overlap check stays linear.
constexpr int kCell = 64;

long long CellKey(int cx, int cy)
{
    return (static_cast<long long>(cx) << 32) ^ static_cast<unsigned int>(cy);
}

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
    if (floor < 1 || floor > p.dims.floorCount || floor > p.nodes.sizeLevel() || !p.results.valid(1, 1, floor))
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

NMarkLayout LayOutNMarks(const std::vector<ColumnNMark> &marks, const std::function<QPoint(int, int)> &nodePixel,
                         int columnHalf, int lineClearance, int textWidth, int lineHeight)
{
    NMarkLayout layout;
    layout.textBoxes.reserve(marks.size());
    layout.columnBoxes.reserve(marks.size());
    for (const ColumnNMark &m : marks) {
        const QPoint c = nodePixel(m.ix, m.iy);
        const int clear = std::max(lineClearance, columnHalf + 1);
        // Up and right of the column, off both grid lines through it: the texts sit inside a plan cell.
        layout.textBoxes.emplace_back(c.x() + clear, c.y() - clear - 2 * lineHeight, textWidth, 2 * lineHeight);
        layout.columnBoxes.emplace_back(c.x() - columnHalf - 2, c.y() - columnHalf - 2, 2 * columnHalf + 5,
                                        2 * columnHalf + 5);
    }
    // Every box enters the cells it touches; a text box that meets another text box or another
    // column's box means the zoom is too small for the texts.
    std::unordered_map<long long, std::vector<int>> cells;
    auto forCells = [](const QRect &r, auto &&fn) {
        for (int cy = r.top() / kCell - (r.top() < 0); cy <= r.bottom() / kCell; ++cy)
            for (int cx = r.left() / kCell - (r.left() < 0); cx <= r.right() / kCell; ++cx)
                fn(CellKey(cx, cy));
    };
    const int count = static_cast<int>(marks.size());
    // Indices below count are text boxes, from count on column boxes.
    auto boxOf = [&](int k) -> const QRect & {
        return k < count ? layout.textBoxes[static_cast<size_t>(k)]
                         : layout.columnBoxes[static_cast<size_t>(k - count)];
    };
    for (int k = 0; k < 2 * count; ++k)
        forCells(boxOf(k), [&](long long key) { cells[key].push_back(k); });
    layout.fits = true;
    for (int k = 0; k < count && layout.fits; ++k) {
        const QRect &box = boxOf(k);
        forCells(box, [&](long long key) {
            for (int other : cells[key]) {
                if (other == k || other == k + count || !layout.fits)
                    continue;
                if (box.intersects(boxOf(other)))
                    layout.fits = false;
            }
        });
    }
    return layout;
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
