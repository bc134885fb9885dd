#include "editor/ui/paper.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "editor/qb_color.h"

namespace rqx {

namespace {

constexpr int kRubberWidth = 2;

}  // namespace

Paper::Paper(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    resize(surface_.image().size());
}

void Paper::setPaperSize(QSize pixels)
{
    const QSize size = pixels.expandedTo(QSize(1, 1));
    surface_.resize(size);
    resize(size);
    setFixedSize(size);
}

QPoint Paper::toTwips(QPointF widgetPos) const
{
    return {static_cast<int>(surface_.toTwipsX(std::floor(widgetPos.x()))),
            static_cast<int>(surface_.toTwipsY(std::floor(widgetPos.y())))};
}

QRect Paper::twipsRectToPixels(int x1, int y1, int x2, int y2) const
{
    return PlanSurface::spanPixels(surface_.toPixel(x1, y1), surface_.toPixel(x2, y2));
}

void Paper::paintBand(const RubberBand &b)
{
    const QRgb colour = QBColor(b.colour);
    if (b.rectangle)
        drawBoxTwips(surface_, b.x1, b.y1, b.x2, b.y2, colour, 0, kRubberWidth, kDrawXorPen);
    else
        drawLineTwips(surface_, b.x1, b.y1, b.x2, b.y2, colour, kRubberWidth, kDrawXorPen);
    update(twipsRectToPixels(b.x1, b.y1, b.x2, b.y2).adjusted(-3, -3, 3, 3));
}

void Paper::xorRubberBand(const RubberBand &band)
{
    paintBand(band);
    const auto same = [&](const RubberBand &o) {
        return o.x1 == band.x1 && o.y1 == band.y1 && o.x2 == band.x2 && o.y2 == band.y2 &&
               o.rectangle == band.rectangle && o.colour == band.colour;
    };
    const auto it = std::find_if(shown_.begin(), shown_.end(), same);
    if (it != shown_.end())
        shown_.erase(it);
    else
        shown_.push_back(band);
}

void Paper::removeRubberBands()
{
    while (!shown_.empty())
        xorRubberBand(shown_.back());
}

void Paper::liftRubberBands()
{
    for (auto it = shown_.rbegin(); it != shown_.rend(); ++it)
        paintBand(*it);
}

void Paper::reapplyRubberBands()
{
    for (const RubberBand &b : shown_)
        paintBand(b);
}

void Paper::refreshTwips(int x1, int y1, int x2, int y2)
{
    update(twipsRectToPixels(x1, y1, x2, y2).adjusted(-1, -1, 2, 2));
}

void Paper::setDeleteCursor(bool on)
{
    if (on)
        setCursor(DeleteHandCursor());
    else
        unsetCursor();
}

void Paper::addOverlay(PaperOverlay *overlay, bool below)
{
    overlays_.insert(below ? overlays_.begin() : overlays_.end(), overlay);
    update();
}

void Paper::removeOverlay(PaperOverlay *overlay)
{
    std::erase(overlays_, overlay);
    update();
}

bool Paper::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        QString tip;
        for (auto it = overlays_.rbegin(); it != overlays_.rend() && tip.isEmpty(); ++it)
            tip = (*it)->toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void Paper::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect r = event->rect();
    p.drawImage(r.topLeft(), surface_.image(), r);
    for (PaperOverlay *overlay : overlays_)
        overlay->paintOver(p, r);
}

void Paper::mousePressEvent(QMouseEvent *event)
{
    const QPoint t = toTwips(event->position());
    emit mousePressedAt(event->button(), t.x(), t.y(), event->modifiers());
}

void Paper::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint t = toTwips(event->position());
    emit mouseMovedTo(event->buttons(), t.x(), t.y(), event->modifiers());
}

void Paper::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint t = toTwips(event->position());
    emit mouseReleasedAt(event->button(), t.x(), t.y(), event->modifiers());
}

QCursor DeleteHandCursor()
{
    static const QPixmap art(QStringLiteral(":/editor/hand_point_del.png"));
    if (art.isNull())
        return QCursor(Qt::ForbiddenCursor);
    // The fingertip is the hot spot.
    return QCursor(art, 8, 1);
}

}  // namespace rqx
