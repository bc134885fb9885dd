#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "report/ui/page_preview.h"
#include "report/ui/test_report.h"

namespace rqx {
namespace {

constexpr int kA4Width = 11906;  // twips
constexpr int kA4Height = 16838;

struct Preview {
    PagePreview view;
    explicit Preview(int pages)
    {
        view.resize(900, 700);
        view.show();
        view.setDocument(test::NumberedPages(pages));
        QApplication::processEvents();
    }
    int vw() const { return view.viewport()->width() - 2 * PagePreview::kGap; }
    int vh() const { return view.viewport()->height() - 2 * PagePreview::kGap; }
    double px100() const { return view.logicalDpiX() / 1440.0; }
};

void Wheel(PagePreview &view, int delta, Qt::KeyboardModifiers mods)
{
    const QPointF at(view.viewport()->rect().center());
    QWheelEvent e(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &e);
}

// Each zoom choice: the pages in view on page 3 of 12 and the size the first of them is drawn at.
TEST(PagePreview, ZoomModesShowThePagesAtTheirSize)
{
    struct Case {
        const char *name;
        std::function<void(PagePreview &)> choose;
        std::vector<int> pages;  // the first pages in view, in order
        std::function<bool(const Preview &, const QRect &)> sized;
    };
    auto near = [](double a, double b) { return std::abs(a - b) <= 1.0; };
    const Case cases[] = {
        {"page width",
         [](PagePreview &v) { v.setZoomMode(PreviewZoom::PageWidth); },
         {3},
         [&](const Preview &p, const QRect &r) { return near(r.width(), p.vw()); }},
        {"whole page",
         [](PagePreview &v) { v.setZoomMode(PreviewZoom::WholePage); },
         {3},
         [&](const Preview &p, const QRect &r) {
             return r.width() <= p.vw() && r.height() <= p.vh() &&
                    (near(r.width(), p.vw()) || near(r.height(), p.vh()));
         }},
        {"120 %",
         [](PagePreview &v) { v.setZoomPercent(120); },
         {3},
         [&](const Preview &p, const QRect &r) { return near(r.width(), kA4Width * 1.2 * p.px100()); }},
        {"200 %",
         [](PagePreview &v) { v.setZoomPercent(200); },
         {3},
         [&](const Preview &p, const QRect &r) { return near(r.width(), kA4Width * 2.0 * p.px100()); }},
        {"two pages",
         [](PagePreview &v) { v.setZoomMode(PreviewZoom::TwoPages); },
         {3, 4},
         [&](const Preview &p, const QRect &r) { return r.height() <= p.vh() && 2 * r.width() <= p.vw(); }},
        {"thumbnails",
         [](PagePreview &v) { v.setZoomMode(PreviewZoom::Thumbnails); },
         {1, 2, 3, 4, 5},
         [&](const Preview &, const QRect &r) {
             return r.width() == PagePreview::kThumbnailWidth &&
                    near(r.height(), PagePreview::kThumbnailWidth * double(kA4Height) / kA4Width);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Preview p(12);
        p.view.setCurrentPage(3);
        c.choose(p.view);
        const auto shown = p.view.visiblePages();
        ASSERT_GE(shown.size(), qsizetype(c.pages.size()));
        for (size_t i = 0; i < c.pages.size(); ++i)
            EXPECT_EQ(shown[qsizetype(i)].first, c.pages[i]);
        EXPECT_TRUE(c.sized(p, shown.first().second))
            << shown.first().second.width() << "x" << shown.first().second.height();
        EXPECT_EQ(p.view.currentPage(), 3);
    }
}

// A report of thousands of pages: only the page in view and the ones around it are ever rendered, and a
// page change to a prepared page renders nothing.
TEST(PagePreview, RendersOnlyThePagesInViewAndAFewAround)
{
    Preview p(3000);
    p.view.grab();
    EXPECT_EQ(p.view.renderCount(), 1);
    QTest::qWait(50);  // idle: the next pages are prepared
    EXPECT_EQ(p.view.renderCount(), 3);
    EXPECT_TRUE(p.view.isCached(2));
    EXPECT_TRUE(p.view.isCached(3));
    EXPECT_FALSE(p.view.isCached(4));

    p.view.setCurrentPage(2);
    p.view.grab();
    EXPECT_EQ(p.view.renderCount(), 3);
    p.view.setCurrentPage(2999);
    p.view.grab();
    EXPECT_EQ(p.view.renderCount(), 4);
    EXPECT_TRUE(p.view.isCached(1));  // still kept: a few pages stay around

    p.view.setZoomMode(PreviewZoom::Thumbnails);
    p.view.grab();
    const int inView = int(p.view.visiblePages().size());
    EXPECT_GT(inView, 5);
    EXPECT_LE(p.view.renderCount(), 4 + inView);
    EXPECT_EQ(p.view.visiblePages().last().first - p.view.visiblePages().first().first + 1, inView);

    // Zoomed far, a page would be a huge image: it is drawn into the view only, and nothing is prepared.
    p.view.setZoomPercent(600);
    const int before = p.view.renderCount();
    p.view.grab();
    QTest::qWait(30);
    EXPECT_GT(p.view.renderCount(), before);
    for (int page : {p.view.currentPage(), p.view.currentPage() + 1, p.view.currentPage() - 1})
        EXPECT_FALSE(p.view.isCached(page)) << page;
}

// Ctrl + wheel zooms in steps of 10 % from the whole page to three times the page width; the wheel alone
// scrolls without zooming.
TEST(PagePreview, WheelZoomStaysWithinItsLimits)
{
    Preview p(4);
    const double width = p.view.zoomPercent();
    EXPECT_NEAR(p.view.maxZoomPercent(), 3 * width, 1e-6);
    Wheel(p.view, 120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(p.view.zoomPercent(), std::floor(width / 10) * 10 + 10);
    for (int i = 0; i < 60; ++i)
        Wheel(p.view, 120, Qt::ControlModifier);
    EXPECT_NEAR(p.view.zoomPercent(), p.view.maxZoomPercent(), 1e-6);
    for (int i = 0; i < 60; ++i)
        Wheel(p.view, -120, Qt::ControlModifier);
    EXPECT_NEAR(p.view.zoomPercent(), p.view.minZoomPercent(), 1e-6);
    Wheel(p.view, 120, Qt::ControlModifier);
    EXPECT_EQ(std::fmod(p.view.zoomPercent(), 10.0), 0.0);

    p.view.setZoomMode(PreviewZoom::PageWidth);
    const double before = p.view.zoomPercent();
    Wheel(p.view, -120, Qt::NoModifier);
    EXPECT_GT(p.view.verticalScrollBar()->value(), 0);
    EXPECT_DOUBLE_EQ(p.view.zoomPercent(), before);
}

// A paper offset scrolled to is the one read back, at any zoom that scrolls; changing the zoom keeps it.
TEST(PagePreview, ScrollsToAPaperOffset)
{
    Preview p(2);
    for (double percent : {100.0, 150.0, 200.0}) {
        p.view.setZoomPercent(percent);
        p.view.scrollToPaperOffset(4000);
        EXPECT_NEAR(p.view.paperOffsetAtTop(), 4000, 1.5 / (percent / 100 * p.px100()));
    }
    p.view.setZoomMode(PreviewZoom::PageWidth);
    EXPECT_NEAR(p.view.paperOffsetAtTop(), 4000, 20);
    // Beyond the scroll range the page's foot is in view.
    p.view.scrollToPaperOffset(16000);
    EXPECT_EQ(p.view.verticalScrollBar()->value(), p.view.verticalScrollBar()->maximum());
}

}  // namespace
}  // namespace rqx
