#include "editor/plan_surface.h"


#include <QBrush>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "editor/qb_color.h"
#include "model/project.h"
#include "print/font_names.h"

namespace rqx {

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;  // 96 dpi: 10 pt text is 13⅓ pixels high

QPainter::CompositionMode CompositionOf(int drawMode)
{
    return drawMode == kDrawXorPen ? QPainter::RasterOp_SourceXorDestination
                                   : QPainter::CompositionMode_Source;
}

Qt::PenStyle PenStyleOf(int style)
{
    switch (style) {
        case kPenDash:
            return Qt::DashLine;
        case kPenDot:
            return Qt::DotLine;
        default:
            return Qt::SolidLine;
    }
}

// Raster memory of a large plan (a zoomed plan is tens of megabytes): aligned to huge pages where the
// system offers them, so that a zoom change does not spend its time faulting in 4 KiB pages.
QImage NewRaster(QSize size)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(size.height());
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    if (bytes < kHugePage)
        return QImage(size, QImage::Format_RGB32);
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void *mem = std::aligned_alloc(kHugePage, rounded);
    if (!mem)
        return QImage(size, QImage::Format_RGB32);
    madvise(mem, rounded, MADV_HUGEPAGE);
    // The image frees the memory when its last copy goes.
    return QImage(
        static_cast<uchar *>(mem), size.width(), size.height(), bytesPerLine, QImage::Format_RGB32,
        [](void *p) { std::free(p); }, mem);
#else
    return QImage(size, QImage::Format_RGB32);
#endif
}

// Outline of a pixel rectangle as four bands of `w` pixels that never overlap, so that an
// exclusive-or outline drawn twice leaves every pixel as it was.
void StrokeRectBands(QPainter &p, const QRect &r, int w, const QColor &c)
{
    if (r.width() <= 2 * w || r.height() <= 2 * w) {
        p.fillRect(r, c);
        return;
    }
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), c);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), c);
    p.fillRect(QRect(r.left(), r.top() + w, w, r.height() - 2 * w), c);
    p.fillRect(QRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w), c);
}

void StrokeRect(QPainter &p, const QRect &r, int style, int width, QRgb colour)
{
    const QColor c = QColor::fromRgb(colour);
    if (style == kPenSolid) {
        StrokeRectBands(p, r, width, c);
        return;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, width <= 1 ? 0 : width, PenStyleOf(style), Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void StrokeLine(QPainter &p, QPoint a, QPoint b, int style, int width, QRgb colour)
{
    p.setPen(QPen(QColor::fromRgb(colour), width <= 1 ? 0 : width, PenStyleOf(style), Qt::FlatCap));
    if (a == b)
        p.drawPoint(a);
    else
        p.drawLine(a, b);
}

}  // namespace

// ---- PlanSurface ----

PlanSurface::PlanSurface() : PlanSurface(QSize(1, 1)) {}

PlanSurface::PlanSurface(QSize pixels)
{
    InstallFontSubstitutions();
    font = QFont(FontFamilyOfType(kFontGothic));
    font.setPointSizeF(9.0);
    // Plain pixels, so that a label drawn again in another colour covers the old one exactly.
    font.setStyleStrategy(QFont::NoAntialias);
    resize(pixels);
}

PlanSurface::~PlanSurface()
{
    if (painter_)
        painter_->end();
}

void PlanSurface::resize(QSize pixels)
{
    Q_ASSERT(depth_ == 0);
    const QSize size = pixels.expandedTo(QSize(1, 1));
    if (image_.size() != size)
        image_ = NewRaster(size);
    image_.setDotsPerMeterX(kDotsPerMeter96Dpi);
    image_.setDotsPerMeterY(kDotsPerMeter96Dpi);
    image_.fill(QBColor(kQBBlack));
    updateFactors();
}

void PlanSurface::setPage(double widthTwips, double heightTwips)
{
    scaleWidth_ = widthTwips;
    scaleHeight_ = heightTwips;
    updateFactors();
}

void PlanSurface::updateFactors()
{
    // The page as large as fits, the same pixels per twip both ways, centred; the raster itself in
    // physical twips before the first fit.
    offsetX_ = offsetY_ = 0.0;
    if (scaleWidth_ <= 0.0 || scaleHeight_ <= 0.0) {
        twipsPerPixel_ = kTwipsPerPixel;
    } else {
        twipsPerPixel_ = std::max(scaleWidth_ / image_.width(), scaleHeight_ / image_.height());
        // Whole pixels of margin, so the drawing of a region lands on the same pixels every time.
        offsetX_ = std::floor((image_.width() - scaleWidth_ / twipsPerPixel_) / 2.0);
        offsetY_ = std::floor((image_.height() - scaleHeight_ / twipsPerPixel_) / 2.0);
    }
    pixelsPerTwip_ = 1.0 / twipsPerPixel_;
}

QPoint PlanSurface::planToPixel(double cmX, double cmY) const
{
    return {toPixelX(PlanXToTwips(cmX)), toPixelY(PlanYToTwips(*this, cmY))};
}

QRect PlanSurface::spanPixels(QPoint a, QPoint b)
{
    // Not QRect::normalized(), which treats a reversed rectangle as one pixel smaller each way.
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

QRect PlanSurface::planRectToPixels(double x1, double y1, double x2, double y2) const
{
    return spanPixels(planToPixel(x1, y1), planToPixel(x2, y2));
}

QPainter &PlanSurface::painter()
{
    Q_ASSERT(painter_ && depth_ > 0);
    return *painter_;
}

PaintScope::PaintScope(PlanSurface &surface) : surface_(surface)
{
    if (surface_.depth_++ == 0)
        surface_.painter_ = std::make_unique<QPainter>(&surface_.image_);
}

PaintScope::~PaintScope()
{
    if (--surface_.depth_ == 0) {
        surface_.painter_->end();
        surface_.painter_.reset();
    }
}

// ---- Units ----

void ClearSurface(PlanSurface &s)
{
    Q_ASSERT(!s.painting());
    s.image().fill(QBColor(kQBBlack));
}

// ---- Primitives ----

void fitPlan(PlanSurface &s, const Project &project, PlanFit &fit)
{
    s.setPage((kMarginLeft + kAreaWidth + kMarginRight) * kTwipsPerCm,
              (kMarginTop + kAreaHeight + kMarginBottom) * kTwipsPerCm);
    const double span = project.dims.spanLength;
    const double w = span * project.dims.spanCountX;
    const double h = span * project.dims.spanCountY;
    // An empty grid keeps scale 1 instead of dividing by zero.
    double scale = 1.0;
    if (w > 0.0 && h > 0.0)
        scale = std::min(kAreaWidth / w, kAreaHeight / h);
    else if (w > 0.0)
        scale = kAreaWidth / w;
    else if (h > 0.0)
        scale = kAreaHeight / h;
    fit.planScale = static_cast<float>(scale);
    fit.originX = static_cast<float>(kMarginLeft);
    fit.originY = static_cast<float>(kMarginBottom);
    fit.scaleWidth = static_cast<int32_t>(nearestEven(s.scaleWidth()));
    fit.scaleHeight = static_cast<int32_t>(nearestEven(s.scaleHeight()));
}

void drawBox(PlanSurface &s, double x1, double y1, double x2, double y2, int style, int width, QRgb penColour,
             QRgb fillColour, int fillStyle, int drawMode)
{
    const int savedStyle = s.drawStyle;
    const int savedWidth = s.drawWidth;
    const int savedMode = s.drawMode;
    const int savedFill = s.fillStyle;
    const int w = std::max(width, 1);
    {
        PaintScope scope(s);
        QPainter &p = s.painter();
        p.setCompositionMode(CompositionOf(drawMode));
        const QRect r = s.planRectToPixels(x1, y1, x2, y2);
        const QRect inner = r.adjusted(w, w, -w, -w);
        if (inner.isValid()) {
            if (fillStyle == kFillSolid)
                p.fillRect(inner, QColor::fromRgb(fillColour));
            else if (fillStyle == kFillDiagonalCross)
                p.fillRect(inner, QBrush(QColor::fromRgb(fillColour), Qt::DiagCrossPattern));
        }
        StrokeRect(p, r, style, w, penColour);
    }
    s.drawStyle = savedStyle;
    s.drawWidth = savedWidth;
    s.drawMode = savedMode;
    s.fillStyle = savedFill;
    s.foreColor = QBColor(kQBBlack);
    s.fillColor = QBColor(kQBBlack);
}

void drawLine(PlanSurface &s, double x1, double y1, double x2, double y2, int style, int width, QRgb colour,
              int drawMode)
{
    {
        PaintScope scope(s);
        QPainter &p = s.painter();
        p.setCompositionMode(CompositionOf(drawMode));
        StrokeLine(p, s.planToPixel(x1, y1), s.planToPixel(x2, y2), style, std::max(width, 1), colour);
    }
    s.foreColor = QBColor(kQBBlack);
}

void drawLineTwips(PlanSurface &s, double x1, double y1, double x2, double y2, QRgb colour, int width,
                   int drawMode)
{
    s.drawStyle = kPenSolid;
    s.drawWidth = std::max(width, 1);
    s.drawMode = drawMode;
    s.foreColor = colour;
    s.fillColor = colour;
    PaintScope scope(s);
    QPainter &p = s.painter();
    p.setCompositionMode(CompositionOf(drawMode));
    StrokeLine(p, s.toPixel(x1, y1), s.toPixel(x2, y2), kPenSolid, s.drawWidth, colour);
}

void drawBoxTwips(PlanSurface &s, double x1, double y1, double x2, double y2, QRgb colour, int style,
                  int width, int drawMode)
{
    s.foreColor = colour;
    s.fillColor = colour;
    if (style != 0 && style != 1)
        return;
    s.drawMode = drawMode;
    s.drawStyle = kPenSolid;
    s.drawWidth = style == 0 ? std::max(width, 1) : 1;
    PaintScope scope(s);
    QPainter &p = s.painter();
    p.setCompositionMode(CompositionOf(drawMode));
    const QRect r = PlanSurface::spanPixels(s.toPixel(x1, y1), s.toPixel(x2, y2));
    if (style == 1) {
        s.fillStyle = kFillSolid;
        p.fillRect(r, QColor::fromRgb(colour));
    } else {
        StrokeRectBands(p, r, s.drawWidth, QColor::fromRgb(colour));
    }
}

void plotPoint(PlanSurface &s, double x, double y, QRgb colour)
{
    const QPoint px = s.planToPixel(x, y);
    QImage &img = s.image();
    if (px.x() < 0 || px.y() < 0 || px.x() >= img.width() || px.y() >= img.height())
        return;
    // Set, whatever raster operation the last rubber band left on the surface.
    reinterpret_cast<QRgb *>(img.scanLine(px.y()))[px.x()] = colour;
}

CharSize measureChar(PlanSurface &s, double fontSize)
{
    s.font.setPointSizeF(fontSize > 0.0 ? fontSize : 1.0);
    const QFontMetricsF fm(s.font, &s.image());
    const double wTwips = fm.horizontalAdvance(QStringLiteral("A")) * s.twipsPerPixelX();
    const double hTwips = fm.height() * s.twipsPerPixelY();
    return {wTwips / kTwipsPerCm, hTwips / kTwipsPerCm};
}

void drawText(PlanSurface &s, double x, double y, const QString &text, QRgb colour, double fontSize,
              int fontType, bool bold)
{
    if (fontType >= kFontMincho && fontType <= kFontPGothic)
        s.font.setFamily(FontFamilyOfType(fontType));
    s.font.setPointSizeF(fontSize > 0.0 ? fontSize : 1.0);
    s.font.setBold(bold);
    s.currentX = PlanXToTwips(x);
    s.currentY = PlanYToTwips(s, y);
    PaintScope scope(s);
    QPainter &p = s.painter();
    // Text is never combined with the picture (the raster operation applies to pens and fills).
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(s.font);
    p.setPen(QColor::fromRgb(colour));
    const QFontMetricsF fm(s.font, &s.image());
    const QPoint topLeft = s.toPixel(s.currentX, s.currentY);
    p.drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), text);
}

QString FontFamilyOfType(int fontType)
{
    switch (fontType) {
        case kFontMincho:
            return QStringLiteral("ＭＳ 明朝");
        case kFontPMincho:
            return QStringLiteral("ＭＳ Ｐ明朝");
        case kFontPGothic:
            return QStringLiteral("ＭＳ Ｐゴシック");
        default:
            return QStringLiteral("ＭＳ ゴシック");
    }
}

void InstallFontSubstitutions()
{
    InstallJapaneseFontSubstitutions();  // the one table that serves screen and paper
}

}  // namespace rqx
