#pragma once
// The explanatory sketch of the L-coefficient dialog: a two-storey section with a set-back second
// storey, the L1 of each first-storey column, the L2 of the second-storey column above it, and the
// resulting L = L1 + L2 under each column. Drawn at run time.

#include <QWidget>

class QPainter;

namespace rqx {

// Draws the sketch into rect (about 520 × 270 at scale 1).
void DrawLCoefficientSketch(QPainter &painter, const QRectF &rect);

class LCoefficientFigure : public QWidget {
public:
    explicit LCoefficientFigure(QWidget *parent = nullptr);
    QSize sizeHint() const override { return {540, 280}; }

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace rqx
