#include "report/ui/page_preview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "print/page_render.h"
#include "print/print_document.h"

namespace rqx {

namespace {

constexpr double kZoomStep = 10.0;
// Space under a thumbnail for its page number.
constexpr int kThumbnailLabel = 18;

QString PageName(int page)
{
    return page == 1 ? QStringLiteral("表紙") : QString::number(page - 1);
}

}  // namespace

PagePreview::PagePreview(QWidget *parent) : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    prefetchTimer_.setSingleShot(true);
    prefetchTimer_.setInterval(0);
    connect(&prefetchTimer_, &QTimer::timeout, this, &PagePreview::prefetchOne);
}

PagePreview::~PagePreview() = default;

void PagePreview::setDocument(std::shared_ptr<const PrintDocument> document)
{
    document_ = std::move(document);
    currentPage_ = 1;
    renderCount_ = 0;
    clearCache();
    layoutPages();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
    emit currentPageChanged(currentPage_);
}

int PagePreview::pageCount() const
{
    return document_ ? document_->pageCount() : 0;
}

void PagePreview::setCurrentPage(int page)
{
    if (pageCount() == 0)
        return;
    page = std::clamp(page, 1, pageCount());
    const bool changed = page != currentPage_;
    currentPage_ = page;
    layoutPages();
    if (mode_ == PreviewZoom::Thumbnails)
        ensureCurrentVisible();
    else
        verticalScrollBar()->setValue(0);
    viewport()->update();
    if (changed)
        emit currentPageChanged(currentPage_);
}

// ---- Zoom ----

double PagePreview::pixelsPerTwipAt100() const
{
    return logicalDpiX() / double(kPrintTwipsPerInch);
}

QSize PagePreview::pageSizeTwips(int page) const
{
    if (!document_ || page < 1 || page > document_->pageCount())
        return QSize(11906, 16838);  // A4 until a document is set
    return document_->pageSize(page);
}

double PagePreview::scaleOf(PreviewZoom mode, double percent) const
{
    const QSize page = pageSizeTwips(currentPage_);
    const double w = std::max(1, page.width());
    const double h = std::max(1, page.height());
    const double vw = std::max(1, viewport()->width() - 2 * kGap);
    const double vh = std::max(1, viewport()->height() - 2 * kGap);
    switch (mode) {
        case PreviewZoom::WholePage:
            return std::min(vw / w, vh / h);
        case PreviewZoom::PageWidth:
            return vw / w;
        case PreviewZoom::TwoPages:
            return std::min((vw - kGap) / (2 * w), vh / h);
        case PreviewZoom::Thumbnails:
            return kThumbnailWidth / w;
        case PreviewZoom::Percent:
            break;
    }
    return percent / 100.0 * pixelsPerTwipAt100();
}

double PagePreview::scale() const
{
    return std::max(1e-4, scaleOf(mode_, percent_));
}

double PagePreview::zoomPercent() const
{
    return scale() / pixelsPerTwipAt100() * 100.0;
}

double PagePreview::minZoomPercent() const
{
    return scaleOf(PreviewZoom::WholePage, 0) / pixelsPerTwipAt100() * 100.0;
}

double PagePreview::maxZoomPercent() const
{
    return 3.0 * scaleOf(PreviewZoom::PageWidth, 0) / pixelsPerTwipAt100() * 100.0;
}

void PagePreview::setZoomMode(PreviewZoom mode)
{
    if (mode == mode_ && mode != PreviewZoom::Percent)
        return;
    const int offset = paperOffsetAtTop();
    mode_ = mode;
    layoutPages();
    if (mode_ == PreviewZoom::Thumbnails)
        ensureCurrentVisible();
    else
        scrollToPaperOffset(offset);
    viewport()->update();
    emit zoomChanged();
}

void PagePreview::setZoomPercent(double percent)
{
    percent_ = std::max(1.0, percent);
    setZoomMode(PreviewZoom::Percent);
}

void PagePreview::zoomSteps(int steps)
{
    const double lo = minZoomPercent();
    const double hi = std::max(lo, maxZoomPercent());
    // From the shown percentage to the next multiple of 10 in the direction asked.
    const double now = zoomPercent();
    double target = steps > 0 ? std::floor(now / kZoomStep + 1e-6) * kZoomStep + steps * kZoomStep
                              : std::ceil(now / kZoomStep - 1e-6) * kZoomStep + steps * kZoomStep;
    target = std::clamp(target, lo, hi);
    if (std::abs(target - now) < 1e-6)
        return;
    setZoomPercent(target);
}

// ---- Layout ----

QSize PagePreview::pagePixels(int page) const
{
    const QSize t = pageSizeTwips(page);
    const double s = scale();
    return QSize(std::max(1, int(std::lround(t.width() * s))), std::max(1, int(std::lround(t.height() * s))));
}

int PagePreview::thumbnailColumns() const
{
    return std::max(1, (viewport()->width() - kGap) / (kThumbnailWidth + kGap));
}

int PagePreview::thumbnailCellHeight() const
{
    return pagePixels(1).height() + kThumbnailLabel + kGap;
}

void PagePreview::layoutPages()
{
    layout_.clear();
    const int n = pageCount();
    if (n == 0) {
        contentSize_ = QSize();
        updateScrollBars();
        return;
    }
    const int vw = viewport()->width();
    if (mode_ == PreviewZoom::Thumbnails) {
        const int cols = thumbnailColumns();
        const int cellH = thumbnailCellHeight();
        const int rowWidth = cols * (kThumbnailWidth + kGap) - kGap;
        const int left = std::max(kGap, (vw - rowWidth) / 2);
        layout_.reserve(static_cast<size_t>(n));
        for (int p = 1; p <= n; ++p) {
            const int r = (p - 1) / cols;
            const int c = (p - 1) % cols;
            const QSize size = pagePixels(p);
            layout_.push_back(
                {p, QRect(QPoint(left + c * (kThumbnailWidth + kGap), kGap + r * cellH), size)});
        }
        contentSize_ = QSize(left + rowWidth + kGap, kGap + ((n + cols - 1) / cols) * cellH);
    } else {
        const bool two = mode_ == PreviewZoom::TwoPages;
        const QSize first = pagePixels(currentPage_);
        QSize second;
        if (two && currentPage_ < n)
            second = pagePixels(currentPage_ + 1);
        const int width = first.width() + (second.isValid() ? kGap + second.width() : 0);
        const int height = std::max(first.height(), second.isValid() ? second.height() : 0);
        const int left = std::max(kGap, (vw - width) / 2);
        layout_.push_back({currentPage_, QRect(QPoint(left, kGap), first)});
        if (second.isValid())
            layout_.push_back({currentPage_ + 1, QRect(QPoint(left + first.width() + kGap, kGap), second)});
        contentSize_ = QSize(std::max(vw, width + 2 * kGap), height + 2 * kGap);
    }
    updateScrollBars();
}

void PagePreview::updateScrollBars()
{
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, contentSize_.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(40);
    verticalScrollBar()->setRange(0, std::max(0, contentSize_.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(40);
}

void PagePreview::ensureCurrentVisible()
{
    for (const auto &[page, rect] : layout_) {
        if (page != currentPage_)
            continue;
        const int top = verticalScrollBar()->value();
        const int h = viewport()->height();
        if (rect.top() - kGap < top)
            verticalScrollBar()->setValue(rect.top() - kGap);
        else if (rect.bottom() + kThumbnailLabel + kGap > top + h)
            verticalScrollBar()->setValue(rect.bottom() + kThumbnailLabel + kGap - h);
        return;
    }
}

void PagePreview::scrollToPaperOffset(int twips)
{
    if (mode_ == PreviewZoom::Thumbnails || layout_.empty())
        return;
    verticalScrollBar()->setValue(layout_.front().second.top() + int(std::lround(twips * scale())));
}

int PagePreview::paperOffsetAtTop() const
{
    if (mode_ == PreviewZoom::Thumbnails || layout_.empty())
        return 0;
    const int y = verticalScrollBar()->value() - layout_.front().second.top();
    return std::max(0, int(std::lround(y / scale())));
}

QList<QPair<int, QRect>> PagePreview::visiblePages() const
{
    QList<QPair<int, QRect>> out;
    const QPoint shift(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    const QRect view = viewport()->rect();
    if (mode_ == PreviewZoom::Thumbnails && !layout_.empty()) {
        // Rows are regular: start at the first row in view.
        const int cols = thumbnailColumns();
        const int cellH = thumbnailCellHeight();
        const int firstRow = std::max(0, (verticalScrollBar()->value() - kGap) / cellH);
        for (size_t i = static_cast<size_t>(firstRow) * cols; i < layout_.size(); ++i) {
            const QRect r = layout_[i].second.translated(shift);
            if (r.top() > view.bottom())
                break;
            if (r.intersects(view))
                out.append({layout_[i].first, r});
        }
        return out;
    }
    for (const auto &[page, rect] : layout_) {
        const QRect r = rect.translated(shift);
        if (r.intersects(view))
            out.append({page, r});
    }
    return out;
}

// ---- Page images ----

void PagePreview::clearCache()
{
    cache_.clear();
    recent_.clear();
    cacheScale_ = 0.0;
}

bool PagePreview::fitsCache(int page) const
{
    const QSize size = pagePixels(page);
    const double dpr = devicePixelRatioF();
    return double(size.width()) * size.height() * dpr * dpr * 4 <= kMaxImageBytes;
}

bool PagePreview::isCached(int page) const
{
    return std::abs(cacheScale_ - scale()) < 1e-9 && cache_.contains(page);
}

const QImage &PagePreview::pageImage(int page)
{
    const double s = scale();
    if (std::abs(cacheScale_ - s) > 1e-9) {
        clearCache();
        cacheScale_ = s;
    }
    auto it = cache_.find(page);
    if (it != cache_.end()) {
        recent_.remove(page);
        recent_.push_front(page);
        return it.value();
    }
    const QSize size = pagePixels(page);
    const qreal dpr = devicePixelRatioF();
    QImage image(size * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    {
        QPainter painter(&image);
        RenderPage(*document_, page, painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    ++renderCount_;
    // Keep the pages in view and a few around them.
    const size_t keep = std::max<size_t>(8, 2 * static_cast<size_t>(visiblePages().size()) + 6);
    while (recent_.size() >= keep) {
        cache_.remove(recent_.back());
        recent_.pop_back();
    }
    recent_.push_front(page);
    return cache_.insert(page, std::move(image)).value();
}

void PagePreview::schedulePrefetch()
{
    if (document_ && mode_ != PreviewZoom::Thumbnails)
        prefetchTimer_.start();
}

void PagePreview::prefetchOne()
{
    // The pages the next page changes will show, nearest first.
    const int n = pageCount();
    const int span = mode_ == PreviewZoom::TwoPages ? 2 : 1;
    const int candidates[] = {currentPage_ + span,     currentPage_ - span,     currentPage_ + 2 * span,
                              currentPage_ - 2 * span, currentPage_ + span + 1, currentPage_ - span + 1};
    const int count = mode_ == PreviewZoom::TwoPages ? 6 : 4;
    for (int i = 0; i < count; ++i) {
        const int p = candidates[i];
        if (p >= 1 && p <= n && !isCached(p) && fitsCache(p)) {
            pageImage(p);
            prefetchTimer_.start();
            return;
        }
    }
}

// ---- Events ----

void PagePreview::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    // The desk the pages lie on (the application's palette may make the viewport white).
    painter.fillRect(viewport()->rect(), QColor(128, 128, 128));
    if (!document_)
        return;
    const auto pages = visiblePages();
    for (const auto &[page, rect] : pages) {
        painter.fillRect(rect.translated(3, 3), QColor(64, 64, 64));
        if (fitsCache(page)) {
            painter.drawImage(rect.topLeft(), pageImage(page));
        } else {
            // A page zoomed far would take hundreds of megabytes as an image: draw only what is in view.
            painter.save();
            painter.setClipRect(rect.intersected(viewport()->rect()));
            RenderPage(*document_, page, painter, QRectF(rect));
            painter.restore();
            ++renderCount_;
        }
        if (mode_ == PreviewZoom::Thumbnails) {
            if (page == currentPage_) {
                painter.setPen(QPen(QColor(0, 90, 220), 3));
                painter.drawRect(rect.adjusted(-2, -2, 1, 1));
            }
            painter.setPen(Qt::white);
            painter.drawText(QRect(rect.left(), rect.bottom() + 2, rect.width(), kThumbnailLabel),
                             Qt::AlignHCenter | Qt::AlignTop, PageName(page));
        }
    }
    if (!pages.isEmpty()) {
        schedulePrefetch();
        emit painted();
    }
}

void PagePreview::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    layoutPages();
    if (mode_ == PreviewZoom::Thumbnails)
        ensureCurrentVisible();
}

void PagePreview::scrollContentsBy(int, int)
{
    viewport()->update();
}

void PagePreview::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta != 0)
            zoomSteps(delta > 0 ? 1 : -1);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PagePreview::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && !(event->modifiers() & Qt::ShiftModifier)) {
        emit zoomMenuRequested(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton && mode_ == PreviewZoom::Thumbnails) {
        for (const auto &[page, rect] : visiblePages()) {
            if (rect.contains(event->position().toPoint())) {
                setCurrentPage(page);
                break;
            }
        }
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void PagePreview::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A thumbnail opens its page at the page width.
    if (event->button() == Qt::LeftButton && mode_ == PreviewZoom::Thumbnails) {
        for (const auto &[page, rect] : visiblePages()) {
            if (rect.contains(event->position().toPoint())) {
                setCurrentPage(page);
                setZoomMode(PreviewZoom::PageWidth);
                return;
            }
        }
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

}  // namespace rqx
