#include "calc/ui/l_coefficient_figure.h"

#include <QPainter>
#include <QPainterPath>

namespace rqx {

namespace {

constexpr double kWidth = 540.0;
constexpr double kHeight = 280.0;

// Heights of the section (sketch units, y downward).
constexpr double kGround = 212.0;
constexpr double kSill = 206.0;
constexpr double kFloor2 = 124.0;  // underside of the second-storey floor beam
constexpr double kBeam = 8.0;      // beam depth
constexpr double kEaves = 48.0;    // underside of the eaves beam
constexpr double kColumn = 8.0;    // column width

struct SketchColumn {
    double x;
    bool corner1;    // first-storey column is a projecting corner
    bool upper;      // a second-storey column stands on it
    bool corner2;    // that column is a projecting corner
    const char *l1;  // labels; nullptr = none
    const char *l2;
    const char *total;
};

// A: corner under corner, B: other under other, C: other under the set-back corner, D: corner of the
// single-storey part (no label: it has no second storey).
const SketchColumn kColumns[] = {
    {120.0, true, true, true, "L1=0.6", "L2=0.4", "L=1.0"},
    {250.0, false, true, false, "L1=1.0", "L2=0.6", "L=1.6"},
    {380.0, false, true, true, "L1=1.0", "L2=0.4", "L=1.4"},
    {490.0, true, false, false, nullptr, nullptr, nullptr},
};

void DrawColumn(QPainter &p, double x, double top, double bottom, bool corner)
{
    const QRectF r(x - kColumn / 2, top, kColumn, bottom - top);
    p.setBrush(corner ? QColor(40, 40, 40) : QColor(Qt::white));
    p.drawRect(r);
}

void Label(QPainter &p, const QPointF &at, const QString &text, Qt::Alignment align)
{
    const QRectF box(at.x() - (align & Qt::AlignHCenter ? 60
                               : align & Qt::AlignRight ? 120
                                                        : 0),
                     at.y() - 10, 120, 20);
    p.drawText(box, static_cast<int>(align | Qt::AlignVCenter), text);
}

}  // namespace

void DrawLCoefficientSketch(QPainter &p, const QRectF &rect)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(rect, Qt::white);
    const double scale = std::min(rect.width() / kWidth, rect.height() / kHeight);
    p.translate(rect.center().x() - kWidth * scale / 2, rect.center().y() - kHeight * scale / 2);
    p.scale(scale, scale);

    const QColor ink(30, 30, 30);
    const QPen line(ink, 1.2);
    p.setPen(line);

    // Ground with its hatching.
    p.drawLine(QPointF(20, kGround), QPointF(525, kGround));
    p.setPen(QPen(ink, 0.8));
    for (double x = 24; x < 525; x += 9)
        p.drawLine(QPointF(x, kGround), QPointF(x - 6, kGround + 6));
    p.setPen(line);

    // Sill, second-storey floor beam, eaves beam and the single-storey part's roof beam.
    p.setBrush(QColor(225, 225, 225));
    p.drawRect(QRectF(100, kSill, 405, kGround - kSill));
    p.drawRect(QRectF(108, kFloor2 - kBeam, 394, kBeam));
    p.drawRect(QRectF(108, kEaves - kBeam, 280, kBeam));

    // Roofs: a gable over the second storey, a lean-to over the single-storey part.
    p.setBrush(Qt::NoBrush);
    QPainterPath roof;
    roof.moveTo(92, kEaves - kBeam + 4);
    roof.lineTo(250, kEaves - kBeam - 30);
    roof.lineTo(408, kEaves - kBeam + 4);
    p.drawPath(roof);
    p.drawLine(QPointF(384, kFloor2 - kBeam - 14), QPointF(518, kFloor2 - kBeam + 4));

    // Columns: projecting corners filled.
    for (const SketchColumn &c : kColumns) {
        DrawColumn(p, c.x, kFloor2, kSill, c.corner1);
        if (c.upper)
            DrawColumn(p, c.x, kEaves, kFloor2 - kBeam, c.corner2);
    }

    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(ink);
    Label(p, QPointF(24, (kEaves + kFloor2) / 2), QStringLiteral("２階"), Qt::AlignLeft);
    Label(p, QPointF(24, (kFloor2 + kSill) / 2), QStringLiteral("１階"), Qt::AlignLeft);

    // Legend of the column marks.
    const char *legend[2] = {"出隅の柱", "その他の柱"};
    for (int k = 0; k < 2; ++k) {
        p.setPen(line);
        DrawColumn(p, 28, 10 + 18 * k, 22 + 18 * k, k == 0);
        p.setPen(ink);
        Label(p, QPointF(38, 16 + 18 * k), QString::fromUtf8(legend[k]), Qt::AlignLeft);
    }

    const QColor partInk(20, 60, 160);
    const QColor totalInk(190, 0, 0);
    for (const SketchColumn &c : kColumns) {
        if (!c.total)
            continue;
        p.setPen(partInk);
        Label(p, QPointF(c.x + 9, (kEaves + kFloor2) / 2), QString::fromLatin1(c.l2), Qt::AlignLeft);
        Label(p, QPointF(c.x + 9, (kFloor2 + kSill) / 2), QString::fromLatin1(c.l1), Qt::AlignLeft);
        // A leader from the total up to the column foot.
        p.setPen(QPen(totalInk, 0.8, Qt::DashLine));
        p.drawLine(QPointF(c.x, kGround + 8), QPointF(c.x, kGround + 24));
        p.setPen(totalInk);
        QFont bold = font;
        bold.setBold(true);
        p.setFont(bold);
        Label(p, QPointF(c.x, kGround + 36), QString::fromLatin1(c.total), Qt::AlignHCenter);
        p.setFont(font);
    }
    p.setPen(totalInk);
    Label(p, QPointF(24, kGround + 36), QStringLiteral("(L1+L2)"), Qt::AlignLeft);
    p.restore();
}

LCoefficientFigure::LCoefficientFigure(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(sizeHint());
}

void LCoefficientFigure::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    DrawLCoefficientSketch(p, QRectF(rect()).adjusted(1, 1, -1, -1));
    p.setPen(QColor(160, 160, 160));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace rqx
