#pragma once
// The plan surface and its drawing primitives: a raster canvas (black background) whose logical page
// is given in twips, with the pen, fill and text state the primitives save, set and leave behind.
//
// Units: plan coordinates are centimetres on the logical page with Y up from the bottom edge;
// surface coordinates are logical twips (567 per cm) with Y down from the top edge. The logical page
// (scaleWidth × scaleHeight twips) is drawn as large as the raster allows at one scale in both
// directions, centred (a plan in true proportion: a module is as many pixels along X as along Y), so a
// larger raster magnifies the drawing. Pen widths and text sizes are in pixels and points and do not
// grow with it.

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <cmath>
#include <memory>

#include "editor/coords.h"
#include "editor/editor_state.h"

class QPainter;

namespace rqx {

struct Project;

// Window and control sizes are counted in physical twips: 15 per pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;

// Raster operations (DrawMode).
inline constexpr int kDrawXorPen = 7;
inline constexpr int kDrawCopyPen = 13;
// Pen styles (DrawStyle).
inline constexpr int kPenSolid = 0;
inline constexpr int kPenDash = 1;
inline constexpr int kPenDot = 2;
// Fill styles (FillStyle).
inline constexpr int kFillSolid = 0;
inline constexpr int kFillTransparent = 1;
inline constexpr int kFillDiagonalCross = 7;
// Font types of drawText.
inline constexpr int kFontMincho = 1;   // ＭＳ 明朝
inline constexpr int kFontPMincho = 2;  // ＭＳ Ｐ明朝
inline constexpr int kFontGothic = 3;   // ＭＳ ゴシック
inline constexpr int kFontPGothic = 4;  // ＭＳ Ｐゴシック

// The logical page around the plan area, in cm.
inline constexpr double kAreaWidth = 29.7;
inline constexpr double kAreaHeight = 21.0;
inline constexpr double kMarginLeft = 3.0;
inline constexpr double kMarginRight = 3.0;
inline constexpr double kMarginTop = 3.0;
inline constexpr double kMarginBottom = 3.0;

// Raster canvas with the state of a picture control. Not copyable: it owns the painter while drawing.
class PlanSurface {
public:
    PlanSurface();
    explicit PlanSurface(QSize pixels);
    ~PlanSurface();
    PlanSurface(const PlanSurface &) = delete;
    PlanSurface &operator=(const PlanSurface &) = delete;

    // A new black raster of that size; the logical page is kept.
    void resize(QSize pixels);
    const QImage &image() const { return image_; }
    QImage &image() { return image_; }
    int pixelWidth() const { return image_.width(); }
    int pixelHeight() const { return image_.height(); }

    // Logical page (ScaleWidth, ScaleHeight) in twips; 0 before the first fit, when the page is the
    // raster itself in physical twips.
    void setPage(double widthTwips, double heightTwips);
    double scaleWidth() const { return scaleWidth_; }
    double scaleHeight() const { return scaleHeight_; }

    // Canvas state, as the primitives leave it.
    int drawStyle = kPenSolid;
    int drawWidth = 1;  // pixels
    int drawMode = kDrawCopyPen;
    QRgb foreColor = 0xFF000000;
    QRgb fillColor = 0xFF000000;
    int fillStyle = kFillTransparent;
    QFont font;
    double currentX = 0.0;  // twips
    double currentY = 0.0;

    // Twips ↔ pixels of the raster: one factor both ways; the page's top-left corner at offset().
    double twipsPerPixelX() const { return twipsPerPixel_; }
    double twipsPerPixelY() const { return twipsPerPixel_; }
    QPointF offset() const { return {offsetX_, offsetY_}; }
    // A point on a pixel's edge belongs to that pixel even when the division falls a hair short.
    int toPixelX(double twipsX) const
    {
        return static_cast<int>(std::floor(twipsX * pixelsPerTwip_ + offsetX_ + 1e-7));
    }
    int toPixelY(double twipsY) const
    {
        return static_cast<int>(std::floor(twipsY * pixelsPerTwip_ + offsetY_ + 1e-7));
    }
    QPoint toPixel(double twipsX, double twipsY) const { return {toPixelX(twipsX), toPixelY(twipsY)}; }
    // Twips at the centre of a pixel (pointer positions).
    double toTwipsX(double pixelX) const { return (pixelX + 0.5 - offsetX_) * twipsPerPixel_; }
    double toTwipsY(double pixelY) const { return (pixelY + 0.5 - offsetY_) * twipsPerPixel_; }
    // Pixel of a plan point (cm, Y up) through the twips rounding of the primitives.
    QPoint planToPixel(double cmX, double cmY) const;
    // Pixel rectangle with both corner pixels inside, whatever their order.
    static QRect spanPixels(QPoint a, QPoint b);
    // Pixel rectangle covering the plan points (x1, y1)-(x2, y2) inclusive.
    QRect planRectToPixels(double x1, double y1, double x2, double y2) const;

    // The painter of the raster; begins one when no PaintScope is open (slow: open a scope).
    QPainter &painter();
    bool painting() const { return depth_ > 0; }

private:
    friend class PaintScope;
    void updateFactors();
    QImage image_;
    double scaleWidth_ = 0.0;
    double scaleHeight_ = 0.0;
    double twipsPerPixel_ = kTwipsPerPixel;
    double pixelsPerTwip_ = 1.0 / kTwipsPerPixel;
    double offsetX_ = 0.0;  // pixels left and above the page (the centring)
    double offsetY_ = 0.0;
    std::unique_ptr<QPainter> painter_;
    int depth_ = 0;
};

// Keeps one painter open on the surface for a batch of primitives. Scopes nest.
class PaintScope {
public:
    explicit PaintScope(PlanSurface &surface);
    ~PaintScope();
    PaintScope(const PaintScope &) = delete;
    PaintScope &operator=(const PaintScope &) = delete;

private:
    PlanSurface &surface_;
};

// Plan cm → twips (nearest(567 × cm), a half going to the even neighbour, as in the default
// rounding mode); twips → cm.
inline int CmToTwips(double cm)
{
    return static_cast<int>(std::lrint(kTwipsPerCm * cm));
}
inline double TwipsToCm(double twips)
{
    return twips / kTwipsPerCm;
}
// Twips of a plan point on the surface: X = nearest(567 x), Y = scaleHeight − nearest(567 y).
inline double PlanXToTwips(double cmX)
{
    return CmToTwips(cmX);
}
inline double PlanYToTwips(const PlanSurface &s, double cmY)
{
    return s.scaleHeight() - CmToTwips(cmY);
}

// Black page.
void ClearSurface(PlanSurface &s);

// ---- Primitives (plan cm unless noted) ----

// Sets the logical page to 35.7 cm × 27.0 cm and the plan fit so that the whole grid fills the plan
// area with its lower-left node at the origin (3 cm, 3 cm).
void fitPlan(PlanSurface &s, const Project &project, PlanFit &fit);

// Rectangle with the given pen and fill; pen style, width, raster operation and fill style are restored,
// pen and fill colour left black.
void drawBox(PlanSurface &s, double x1, double y1, double x2, double y2, int style, int width, QRgb penColour,
             QRgb fillColour, int fillStyle, int drawMode);
// Straight line; pen style, width and raster operation restored, pen colour left black.
void drawLine(PlanSurface &s, double x1, double y1, double x2, double y2, int style, int width, QRgb colour,
              int drawMode);
// Solid line in surface twips (Y down); pen and fill colour, width and raster operation stay set.
void drawLineTwips(PlanSurface &s, double x1, double y1, double x2, double y2, QRgb colour, int width,
                   int drawMode);
// In surface twips: style 0 an outline of pen width `width`, style 1 a filled rectangle, other styles
// nothing. Pen and fill colour stay set.
void drawBoxTwips(PlanSurface &s, double x1, double y1, double x2, double y2, QRgb colour, int style,
                  int width, int drawMode);
// One pixel; the pen colour is kept.
void plotPoint(PlanSurface &s, double x, double y, QRgb colour);
// Sets the font size and returns the width and height of "A" in cm.
struct CharSize {
    double width = 0.0;
    double height = 0.0;
};
CharSize measureChar(PlanSurface &s, double fontSize);
// Text with its top-left corner at (x, y). Font type 1..4 picks the font, other values keep the current.
void drawText(PlanSurface &s, double x, double y, const QString &text, QRgb colour, double fontSize,
              int fontType, bool bold);

// Family names of the four font types, and the Japanese fonts that stand in for them here.
QString FontFamilyOfType(int fontType);
void InstallFontSubstitutions();

}  // namespace rqx
