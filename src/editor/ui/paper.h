#pragma once
// The plan surface widget: shows the plan raster, reports pointer events in surface twips and draws
// the rubber band with the exclusive-or pen, so that drawing it again removes it.

#include <QWidget>

#include <vector>

#include "editor/plan_mouse.h"
#include "editor/plan_surface.h"

namespace rqx {

// What is painted over the plan's raster (never into it, so the edits' erase-and-draw of regions
// stays as it is) and the tooltip it gives at a pixel.
class PaperOverlay {
public:
    virtual ~PaperOverlay() = default;
    virtual void paintOver(QPainter &painter, const QRect &exposed) = 0;
    virtual QString toolTipAt(QPoint pixel) const = 0;
};

class Paper : public QWidget {
    Q_OBJECT
public:
    explicit Paper(QWidget *parent = nullptr);

    // The raster behind the widget; its logical page is set by the plan fit.
    PlanSurface &surface() { return surface_; }
    const PlanSurface &surface() const { return surface_; }

    // New widget and raster size (pixels). The raster is black until the plan is drawn again.
    void setPaperSize(QSize pixels);

    // Pointer position of a widget point in surface twips (Y down).
    QPoint toTwips(QPointF widgetPos) const;
    // Widget pixel rectangle covering a twips rectangle.
    QRect twipsRectToPixels(int x1, int y1, int x2, int y2) const;

    // Rubber band (surface twips), pen width 2, exclusive-or: drawing a band again removes it. The
    // bands shown are remembered, so that a new picture of the plan can carry them over.
    void xorRubberBand(const RubberBand &band);
    int rubberBandsShown() const { return static_cast<int>(shown_.size()); }
    // Removes every band shown.
    void removeRubberBands();
    // Takes the bands off the picture while the plan is drawn over, keeping them as shown; then
    // reapplyRubberBands() puts them back. After the raster was painted anew only the latter.
    void liftRubberBands();
    void reapplyRubberBands();

    // Repaint the widget from the raster: a region given in twips, or everything.
    void refreshTwips(int x1, int y1, int x2, int y2);
    void refreshAll() { update(); }

    // The pointer over the plan: the delete hand in a delete mode, the arrow otherwise.
    void setDeleteCursor(bool on);

    // Painted over the raster after it, in order (`below`: under those added before); the first
    // overlay with a tooltip at a pixel gives it, the topmost first.
    void addOverlay(PaperOverlay *overlay, bool below = false);
    void removeOverlay(PaperOverlay *overlay);

signals:
    void mousePressedAt(Qt::MouseButton button, int twipsX, int twipsY, Qt::KeyboardModifiers modifiers);
    void mouseMovedTo(Qt::MouseButtons buttons, int twipsX, int twipsY, Qt::KeyboardModifiers modifiers);
    void mouseReleasedAt(Qt::MouseButton button, int twipsX, int twipsY, Qt::KeyboardModifiers modifiers);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void paintBand(const RubberBand &band);

    PlanSurface surface_;
    std::vector<RubberBand> shown_;
    std::vector<PaperOverlay *> overlays_;
};

// The delete pointer ("Hand_point_Del"): a hand with a red cross.
QCursor DeleteHandCursor();

}  // namespace rqx
