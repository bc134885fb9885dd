#include "print/page_render.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>
#include <vector>

#include "common/safe_save.h"
#include "print/print_document.h"

namespace rqx {

namespace {

// Twips per pixel of a 96 dpi screen: hatch cells and the dashes of hairlines are as long on paper as in a
// preview at 100 %, whatever the device's resolution.
constexpr double kTwipsPerScreenPixel = 15.0;

// `pixelsPerTwip`: the device scale, for hairlines (width 0), which are one device pixel wide and whose
// dashes would otherwise shrink with the resolution.
QPen MakePen(const PrintPen &p, double pixelsPerTwip)
{
    if (p.style == kPenStyleNone)
        return Qt::NoPen;
    QPen pen(QColor::fromRgb(p.color));
    pen.setWidth(std::max(0, p.width));  // 0: the device's thinnest line
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    switch (p.style) {
        case kPenStyleDash:
            pen.setStyle(Qt::DashLine);
            break;
        case kPenStyleDot:
            pen.setStyle(Qt::DotLine);
            break;
        case kPenStyleDashDot:
            pen.setStyle(Qt::DashDotLine);
            break;
        case kPenStyleDashDotDot:
            pen.setStyle(Qt::DashDotDotLine);
            break;
        default:
            pen.setStyle(Qt::SolidLine);
            return pen;
    }
    if (p.width <= 0) {
        // Qt's patterns in screen pixels (dash 4, dot 1, gap 2), scaled to this device.
        const double unit = std::max(1.0, kTwipsPerScreenPixel * pixelsPerTwip);
        QList<qreal> pattern;
        for (const qreal v : pen.dashPattern())
            pattern << v * unit;
        pen.setDashPattern(pattern);
    }
    return pen;
}

QBrush MakeBrush(const PrintBrush &b)
{
    static constexpr Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                                Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                                Qt::CrossPattern, Qt::DiagCrossPattern};
    if (b.style < 0 || b.style > 7 || b.style == kBrushStyleTransparent)
        return Qt::NoBrush;
    QBrush brush(QColor::fromRgb(b.color), styles[b.style]);
    if (b.style != kBrushStyleSolid)
        brush.setTransform(QTransform::fromScale(kTwipsPerScreenPixel, kTwipsPerScreenPixel));
    return brush;
}

// Fonts, pens and brushes of one document, made once per rendering pass.
class RenderCache {
public:
    explicit RenderCache(const PrintDocument &doc) : doc_(doc) {}
    const QFont &font(std::uint32_t i, double &ascent)
    {
        if (fonts_.size() <= i) {
            fonts_.resize(i + 1);
            ascents_.resize(i + 1, -1.0);
        }
        if (ascents_[i] < 0) {
            fonts_[i] = TwipsFont(doc_.font(i));
            ascents_[i] = QFontMetricsF(fonts_[i]).ascent();
        }
        ascent = ascents_[i];
        return fonts_[i];
    }

private:
    const PrintDocument &doc_;
    std::vector<QFont> fonts_;
    std::vector<double> ascents_;
};

// Paints the items of a page in order, changing pen, brush and font only when an item needs others.
class ItemPainter {
public:
    ItemPainter(const PrintDocument &doc, const PrintPage &page, QPainter &painter, RenderCache &cache)
        : doc_(doc),
          page_(page),
          painter_(painter),
          cache_(cache),
          pixelsPerTwip_(std::hypot(painter.deviceTransform().m11(), painter.deviceTransform().m12()))
    {
        painter.setRenderHint(QPainter::NonCosmeticBrushPatterns);
    }

    void paint(const PageItem &item)
    {
        const QRectF box(item.x1, item.y1, item.x2 - item.x1, item.y2 - item.y1);
        switch (item.kind) {
            case PageItemKind::Text:
                paintText(item);
                break;
            case PageItemKind::Line:
                usePen(item.a);
                painter_.drawLine(QPointF(item.x1, item.y1), QPointF(item.x2, item.y2));
                break;
            case PageItemKind::Rectangle:
                usePen(item.a);
                useBrush(item.b);
                painter_.drawRect(box);
                break;
            case PageItemKind::Ellipse:
                usePen(item.a);
                useBrush(item.b);
                painter_.drawEllipse(box);
                break;
            case PageItemKind::Polygon:
                usePen(item.a);
                useBrush(item.b);
                painter_.drawPolygon(page_.points.data() + item.x1, item.x2);
                break;
            case PageItemKind::Picture:
                painter_.drawImage(box, doc_.picture(item.c));
                break;
        }
    }

private:
    void usePen(std::uint32_t i)
    {
        if (pen_ != i || textPen_) {
            painter_.setPen(MakePen(doc_.pen(i), pixelsPerTwip_));
            pen_ = i;
            textPen_ = false;
        }
    }
    void useBrush(std::uint32_t i)
    {
        if (brush_ != i) {
            painter_.setBrush(MakeBrush(doc_.brush(i)));
            brush_ = i;
        }
    }
    void paintText(const PageItem &item)
    {
        if (font_ != item.b) {
            painter_.setFont(cache_.font(item.b, ascent_));
            font_ = item.b;
        } else {
            cache_.font(item.b, ascent_);
        }
        if (!textPen_ || textColor_ != item.c) {
            painter_.setPen(QColor::fromRgb(item.c));
            textPen_ = true;
            textColor_ = item.c;
        }
        const QString &text = doc_.string(item.a);
        const PrintFont &f = doc_.font(item.b);
        // The installed Japanese fonts have no bold face and Qt's synthetic bold is lost under a
        // scaling transform: bold text is struck twice, a fourteenth of an em (at least ¾ pixel)
        // apart.
        const double boldOffset =
            f.bold ? std::max(f.points * kPrintTwipsPerPoint / 14.0, 0.75 / std::max(pixelsPerTwip_, 1e-9))
                   : 0.0;
        const QPointF at(item.x2, item.y2 + ascent_);
        if (item.angle == 0) {
            const QPointF origin(item.x1, item.y1);
            painter_.drawText(origin + at, text);
            if (boldOffset > 0)
                painter_.drawText(origin + at + QPointF(boldOffset, 0), text);
        } else {
            painter_.save();
            painter_.translate(item.x1, item.y1);
            painter_.rotate(-item.angle / 10.0);
            painter_.drawText(at, text);
            if (boldOffset > 0)
                painter_.drawText(at + QPointF(boldOffset, 0), text);
            painter_.restore();
        }
    }

    const PrintDocument &doc_;
    const PrintPage &page_;
    QPainter &painter_;
    RenderCache &cache_;
    const double pixelsPerTwip_;
    std::uint32_t pen_ = UINT32_MAX, brush_ = UINT32_MAX, font_ = UINT32_MAX;
    QRgb textColor_ = 0;
    bool textPen_ = false;
    double ascent_ = 0;
};

void RenderItems(const PrintDocument &doc, int n, QPainter &painter, RenderCache &cache)
{
    const PrintPage &page = doc.page(n);
    ItemPainter itemPainter(doc, page, painter, cache);
    for (const PageItem &item : page.items)
        itemPainter.paint(item);
}

QPageLayout LayoutOf(QSize twips)
{
    const bool landscape = twips.width() > twips.height();
    const QSizeF portraitPoints(std::min(twips.width(), twips.height()) / double(kPrintTwipsPerPoint),
                                std::max(twips.width(), twips.height()) / double(kPrintTwipsPerPoint));
    return QPageLayout(QPageSize(portraitPoints, QPageSize::Point, QString(), QPageSize::FuzzyMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

}  // namespace

void RenderPageTwips(const PrintDocument &doc, int n, QPainter &painter)
{
    if (n < 1 || n > doc.pageCount())
        return;
    RenderCache cache(doc);
    painter.save();
    RenderItems(doc, n, painter, cache);
    painter.restore();
}

void RenderPage(const PrintDocument &doc, int n, QPainter &painter, const QRectF &target)
{
    const QSize size = doc.pageSize(n);
    if (size.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.translate(target.topLeft());
    painter.scale(target.width() / size.width(), target.height() / size.height());
    painter.setClipRect(QRect(QPoint(0, 0), size), Qt::IntersectClip);
    RenderPageTwips(doc, n, painter);
    painter.restore();
}

QImage RenderPageImage(const PrintDocument &doc, int n, double dpi)
{
    const QSize size = doc.pageSize(n);
    if (size.isEmpty() || dpi <= 0)
        return {};
    const QSize pixels(static_cast<int>(std::lround(size.width() * dpi / kPrintTwipsPerInch)),
                       static_cast<int>(std::lround(size.height() * dpi / kPrintTwipsPerInch)));
    QImage image(pixels, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    RenderPage(doc, n, painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

bool RenderPages(const PrintDocument &doc, QPagedPaintDevice &device, int first, int last, QString *error,
                 const RenderProgress &progress)
{
    first = std::max(1, first);
    last = std::min(last, doc.pageCount());
    auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (first > last)
        return fail(QStringLiteral("印刷するページがありません。"));
    QPainter painter;
    RenderCache cache(doc);
    for (int n = first; n <= last; ++n) {
        device.setPageLayout(LayoutOf(doc.pageSize(n)));
        if (n == first) {
            if (!painter.begin(&device))
                return fail(QStringLiteral("出力を開始できませんでした。"));
        } else if (!device.newPage()) {
            painter.end();
            return fail(QStringLiteral("改ページできませんでした。"));
        }
        const double dpi = device.logicalDpiX();
        const QPageLayout layout = device.pageLayout();
        const QRect paint = layout.paintRectPixels(static_cast<int>(std::lround(dpi)));
        painter.resetTransform();
        painter.translate(-paint.topLeft());
        painter.scale(dpi / kPrintTwipsPerInch, device.logicalDpiY() / double(kPrintTwipsPerInch));
        painter.save();
        RenderItems(doc, n, painter, cache);
        painter.restore();
        if (progress && !progress(n - first + 1, last - first + 1)) {
            painter.end();
            return fail(QStringLiteral("中止しました。"));
        }
    }
    painter.end();
    return true;
}

PdfOutcome WritePdfFile(const PrintDocument &doc, const QString &path, int dpi, const QString &title,
                        const RenderProgress &progress)
{
    return WritePdfPages(doc, 1, doc.pageCount(), path, dpi, title, progress);
}

PdfOutcome WritePdfPages(const PrintDocument &doc, int first, int last, const QString &path, int dpi,
                         const QString &title, const RenderProgress &progress)
{
    // Through a temporary file that replaces the old one only when complete: a full disk or a
    // cancel never leaves a broken or empty PDF in its place.
    PdfOutcome result;
    SafeSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.saved = file.outcome();
        return result;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(dpi);
        writer.setCreator(QStringLiteral("VELM-RQX"));
        if (!title.isEmpty())
            writer.setTitle(title);
        if (!RenderPages(doc, writer, first, last, &result.renderError, progress)) {
            if (result.renderError.isEmpty())
                result.renderError = QStringLiteral("ページを描けませんでした。");
            file.cancel();
            return result;
        }
    }
    result.saved = file.commit();
    return result;
}

}  // namespace rqx
