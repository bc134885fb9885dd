#pragma once
// PagePreview: the zoomable preview of a recorded document. It paints only the pages in view, from page
// images kept in a small cache, and renders the pages around the current one while the window is idle, so
// a report of thousands of pages shows its first page at once and paging stays smooth.
//
// Zoom modes: whole page, page width, a percentage (100 % = the paper's real size on the screen), two pages
// side by side, and thumbnails of every page. Ctrl + mouse wheel zooms in steps of 10 % between the whole
// page and three times the page width; the wheel alone scrolls.

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QTimer>

#include <list>
#include <memory>
#include <vector>

namespace rqx {

class PrintDocument;

enum class PreviewZoom { WholePage, PageWidth, Percent, TwoPages, Thumbnails };

class PagePreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Gap around and between the pages, in pixels.
    static constexpr int kGap = 12;
    // Width of a thumbnail, in pixels.
    static constexpr int kThumbnailWidth = 150;
    // Largest page image kept; a page zoomed beyond it is drawn straight into the view, clipped to it.
    static constexpr double kMaxImageBytes = 48.0 * 1024 * 1024;

    explicit PagePreview(QWidget *parent = nullptr);
    ~PagePreview() override;

    // Shows the document from its first page (the cache is emptied).
    void setDocument(std::shared_ptr<const PrintDocument> document);
    const PrintDocument *document() const { return document_.get(); }
    int pageCount() const;

    int currentPage() const { return currentPage_; }
    // Shows page n (clamped to the pages) from its top; in thumbnails it is marked and scrolled into view.
    void setCurrentPage(int page);

    PreviewZoom zoomMode() const { return mode_; }
    void setZoomMode(PreviewZoom mode);
    // A fixed percentage (mode Percent).
    void setZoomPercent(double percent);
    // The percentage the current page is shown at.
    double zoomPercent() const;
    // The wheel's limits: the whole page, and three times the page width.
    double minZoomPercent() const;
    double maxZoomPercent() const;
    // Zooms by steps of 10 % within the limits (mode Percent).
    void zoomSteps(int steps);

    // Scrolls so that the point `twips` below the paper's top edge of the current page is at the top of the
    // view (as far as the scroll range allows).
    void scrollToPaperOffset(int twips);
    // The paper offset (twips) of the current page at the top of the view.
    int paperOffsetAtTop() const;

    // Pages rendered into images since the document was set, and whether page n is in the cache at the
    // current scale (tests and benchmarks).
    int renderCount() const { return renderCount_; }
    bool isCached(int page) const;
    // Rectangles of the pages in view (viewport coordinates), by page number.
    QList<QPair<int, QRect>> visiblePages() const;

signals:
    void currentPageChanged(int page);
    void zoomChanged();
    // Right button pressed without Shift: the window shows its zoom menu here.
    void zoomMenuRequested(const QPoint &globalPos);
    // Painted at least one page (after setDocument, a page change or a zoom change).
    void painted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Pixels per twip for the current mode and page.
    double scale() const;
    double scaleOf(PreviewZoom mode, double percent) const;
    double pixelsPerTwipAt100() const;
    QSize pageSizeTwips(int page) const;
    QSize pagePixels(int page) const;
    // Layout of the content (pages at their positions in content coordinates) and its size.
    void layoutPages();
    int thumbnailColumns() const;
    int thumbnailCellHeight() const;
    // Whether page n at the current scale is small enough to keep as an image.
    bool fitsCache(int page) const;
    const QImage &pageImage(int page);
    void schedulePrefetch();
    void prefetchOne();
    void clearCache();
    void updateScrollBars();
    void ensureCurrentVisible();

    std::shared_ptr<const PrintDocument> document_;
    int currentPage_ = 1;
    PreviewZoom mode_ = PreviewZoom::PageWidth;
    double percent_ = 100.0;

    // Content layout: page rectangles in content coordinates (all pages in thumbnails, else the ones shown).
    std::vector<QPair<int, QRect>> layout_;
    QSize contentSize_;

    // Page images at cacheScale_, most recently used first.
    double cacheScale_ = 0.0;
    QHash<int, QImage> cache_;
    std::list<int> recent_;
    int renderCount_ = 0;
    QTimer prefetchTimer_;
};

}  // namespace rqx
