#include "print/print_surface.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "print/print_surface_impl.h"

namespace rqx {

namespace {
int MmToTwips(double mm)
{
    return static_cast<int>(std::lround(mm * kPrintTwipsPerInch / 25.4));
}

std::int16_t AngleTenths(double tenths)
{
    const double a = std::fmod(tenths, 3600.0);
    return static_cast<std::int16_t>(std::lround(a));
}
}  // namespace

QSize PaperSizeTwips(int paperCode)
{
    switch (paperCode) {
        case kPaperLetter:
            return {12240, 15840};
        case kPaperA3:
            return {MmToTwips(297), MmToTwips(420)};
        case kPaperA4:
            return {MmToTwips(210), MmToTwips(297)};
        case kPaperA5:
            return {MmToTwips(148), MmToTwips(210)};
        case kPaperB4:
            return {MmToTwips(257), MmToTwips(364)};
        case kPaperB5:
            return {MmToTwips(182), MmToTwips(257)};
        case kPaperA2:
            return {MmToTwips(420), MmToTwips(594)};
        default:
            return {};
    }
}

QStringList SplitTextLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    lines << text.mid(start);
    return lines;
}

PrintSurface::PrintSurface() : document_(std::make_shared<PrintDocument>())
{
    const QSize a4 = PaperSizeTwips(kPaperA4);
    paperWidth_ = a4.width();
    paperHeight_ = a4.height();
    font_.name = QStringLiteral("ＭＳ 明朝");
    font_.points = 10.0f;
    headerFont_.name = QStringLiteral("ＭＳ Ｐゴシック");
    headerFont_.points = 9.0f;
}

PrintSurface::~PrintSurface() = default;

// ---- Document ----

void PrintSurface::StartDoc()
{
    document_->clear();
    fontCaches_.clear();
    cachedFontIndex_ = UINT32_MAX;
    pendingFooter_.clear();
    table_.reset();
    recording_ = true;
    previewPage_ = 1;
    beginPage();
}

void PrintSurface::EndDoc()
{
    if (!recording_)
        return;
    finishPage();
    recording_ = false;
}

void PrintSurface::NewPage()
{
    if (!recording_ || inHandler_)
        return;
    finishPage();
    beginPage();
}

void PrintSurface::SetPreviewPage(int page)
{
    previewPage_ = std::clamp(page, 1, std::max(1, PageCount()));
}

std::shared_ptr<const PrintDocument> PrintSurface::TakeDocument()
{
    EndDoc();
    std::shared_ptr<const PrintDocument> out = std::move(document_);
    document_ = std::make_shared<PrintDocument>();
    fontCaches_.clear();
    cachedFontIndex_ = UINT32_MAX;
    return out;
}

void PrintSurface::beginPage()
{
    document_->appendPage(PageWidth(), PageHeight());
    currentX_ = marginLeft_;
    currentY_ = marginTop_;
    if (newPageHandler_) {
        inHandler_ = true;
        newPageHandler_(*this, PageCount());
        inHandler_ = false;
    }
    drawHeaderFooter();
}

void PrintSurface::finishPage()
{
    if (document_->pageCount() == 0)
        return;
    PrintPage &page = document_->lastPage();
    EndFigure();
    page.items.insert(page.items.end(), pendingFooter_.begin(), pendingFooter_.end());
    pendingFooter_.clear();
}

void PrintSurface::drawHeaderFooter()
{
    const std::uint32_t fi = document_->internFont(headerFont_);
    FontCache &fc = fontCache(fi);
    const int height = static_cast<int>(std::lround(fc.height));
    const int pageW = PageWidth();
    const int pageH = PageHeight();
    std::vector<PageItem> headerItems;
    // A part of several lines ("\n") stands as a block centred in its margin.
    auto place = [&](const QString &parts, int areaTop, int areaHeight, std::uint8_t flag,
                     std::vector<PageItem> &out) {
        const QStringList p = parts.split(u'|');
        for (int i = 0; i < std::min<int>(3, static_cast<int>(p.size())); ++i) {
            if (p[i].isEmpty())
                continue;
            const QStringList lines = p[i].split(u'\n');
            const int top = areaTop + (areaHeight - height * static_cast<int>(lines.size())) / 2;
            for (int k = 0; k < lines.size(); ++k) {
                const int w = static_cast<int>(std::lround(textWidth(fi, lines[k])));
                int x = marginLeft_;
                if (i == 1)
                    x = marginLeft_ + (pageW - marginLeft_ - marginRight_ - w) / 2;
                else if (i == 2)
                    x = pageW - marginRight_ - w;
                PageItem item;
                item.kind = PageItemKind::Text;
                item.flags = flag;
                item.x1 = x;
                item.y1 = top + k * height;
                item.a = document_->internString(lines[k]);
                item.b = fi;
                item.c = 0xFF000000;
                out.push_back(item);
            }
        }
    };
    place(header_, 0, marginTop_, kItemHeader, headerItems);
    place(footer_, pageH - marginBottom_, marginBottom_, kItemFooter, pendingFooter_);
    if (!headerItems.empty()) {
        auto &items = document_->lastPage().items;
        items.insert(items.begin(), headerItems.begin(), headerItems.end());
        // What the new-page handler recorded moved down by the header's items.
        const auto shift = static_cast<std::uint32_t>(headerItems.size());
        for (ItemLayerRun &run : document_->lastPage().layers)
            run.first += shift;
        for (PageFigure &figure : document_->lastPage().figures) {
            figure.first += shift;
            figure.end += figure.end == UINT32_MAX ? 0 : shift;
        }
    }
}

// ---- Page setup ----

void PrintSurface::SetPaperSize(int paperCode)
{
    paperSize_ = paperCode;
    const QSize size = PaperSizeTwips(paperCode);
    if (!size.isEmpty()) {
        paperWidth_ = size.width();
        paperHeight_ = size.height();
    }
    if (recording_ && document_->pageCount() > 0 && document_->lastPage().items.empty()) {
        document_->lastPage().width = PageWidth();
        document_->lastPage().height = PageHeight();
    }
}

void PrintSurface::SetOrientation(int orientation)
{
    orientation_ = orientation;
    if (recording_ && document_->pageCount() > 0 && document_->lastPage().items.empty()) {
        document_->lastPage().width = PageWidth();
        document_->lastPage().height = PageHeight();
    }
}

void PrintSurface::SetPaperSizeTwips(int width, int height)
{
    paperWidth_ = width;
    paperHeight_ = height;
    SetPaperSize(kPaperUser);
}

int PrintSurface::PageWidth() const
{
    return orientation_ == kOrientationLandscape ? paperHeight_ : paperWidth_;
}

int PrintSurface::PageHeight() const
{
    return orientation_ == kOrientationLandscape ? paperWidth_ : paperHeight_;
}

bool PrintSurface::ParseLength(const QString &text, int &twips)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*([-+]?(?:\d+\.?\d*|\.\d+))\s*(cm|mm|in|pt|tw)?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return false;
    const double value = m.captured(1).toDouble();
    const QString unit = m.captured(2).toLower();
    double factor = 1.0;
    if (unit == u"cm")
        factor = kPrintTwipsPerCm;
    else if (unit == u"mm")
        factor = kPrintTwipsPerCm / 10.0;
    else if (unit == u"in")
        factor = kPrintTwipsPerInch;
    else if (unit == u"pt")
        factor = kPrintTwipsPerPoint;
    twips = static_cast<int>(std::lrint(value * factor));
    return true;
}

void PrintSurface::SetMarginLeft(const QString &value)
{
    ParseLength(value, marginLeft_);
}
void PrintSurface::SetMarginTop(const QString &value)
{
    ParseLength(value, marginTop_);
}
void PrintSurface::SetMarginRight(const QString &value)
{
    ParseLength(value, marginRight_);
}
void PrintSurface::SetMarginBottom(const QString &value)
{
    ParseLength(value, marginBottom_);
}

void PrintSurface::SetZoomLimits(double minPercent, double maxPercent)
{
    zoomMin_ = minPercent;
    zoomMax_ = std::max(minPercent, maxPercent);
}

void PrintSurface::SetFontSize(double points)
{
    if (points > 0)
        font_.points = static_cast<float>(points);
}

// ---- Fonts and measuring ----

std::uint32_t PrintSurface::currentFontIndex()
{
    if (cachedFontIndex_ == UINT32_MAX || !(cachedFont_ == font_)) {
        cachedFont_ = font_;
        cachedFontIndex_ = document_->internFont(font_);
    }
    return cachedFontIndex_;
}

PrintSurface::FontCache &PrintSurface::fontCache(std::uint32_t fontIndex)
{
    if (fontCaches_.size() <= fontIndex)
        fontCaches_.resize(fontIndex + 1);
    auto &slot = fontCaches_[fontIndex];
    if (!slot)
        slot = std::make_unique<FontCache>(TwipsFont(document_->font(fontIndex)));
    return *slot;
}

double PrintSurface::textWidth(std::uint32_t fontIndex, QStringView text)
{
    FontCache &fc = fontCache(fontIndex);
    double width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isSurrogate(c))
            return fc.metrics.horizontalAdvance(text.toString());
        auto it = fc.advances.constFind(c);
        if (it == fc.advances.constEnd())
            it = fc.advances.insert(c, fc.metrics.horizontalAdvance(QChar(c)));
        width += it.value();
    }
    return width;
}

const QFontMetricsF &PrintSurface::Metrics()
{
    return fontCache(currentFontIndex()).metrics;
}

void PrintSurface::Measure(const QString &text)
{
    const std::uint32_t fi = currentFontIndex();
    FontCache &fc = fontCache(fi);
    const QStringList lines = SplitTextLines(text);
    double width = 0;
    for (const QString &line : lines)
        width = std::max(width, textWidth(fi, line));
    textWid_ = static_cast<int>(std::lround(width));
    textHei_ = static_cast<int>(std::lround(fc.height + (lines.size() - 1) * fc.lineSpacing));
}

// ---- Drawing ----

void PrintSurface::addTextItem(const QString &line, int anchorX, int anchorY, int dx, int dy,
                               std::uint8_t flags)
{
    if (drawingOnly_) {
        PrintPage &page = document_->lastPage();
        if (!page.figures.empty() && page.figures.back().end == UINT32_MAX)
            page.figures.back().drawingOnly.push_back({document_->internString(line), currentFontIndex(),
                                                       textColor_, AngleTenths(textAngle_), anchorX, anchorY,
                                                       dx, dy, itemLayer_});
        return;
    }
    PageItem item;
    item.kind = PageItemKind::Text;
    item.flags = flags;
    item.angle = AngleTenths(textAngle_);
    item.x1 = anchorX;
    item.y1 = anchorY;
    item.x2 = dx;
    item.y2 = dy;
    item.a = document_->internString(line);
    item.b = currentFontIndex();
    item.c = textColor_;
    itemPage().items.push_back(item);
}

void PrintSurface::Text(const QString &text)
{
    if (!recording_)
        return;
    const std::uint32_t fi = currentFontIndex();
    FontCache &fc = fontCache(fi);
    const QStringList lines = SplitTextLines(text);
    const int horizontal = (textAlign_ >= 0 && textAlign_ <= 8) ? textAlign_ / 3 : 0;
    const int vertical = (textAlign_ >= 0 && textAlign_ <= 8) ? textAlign_ % 3 : 0;
    int lastWidth = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int w = static_cast<int>(std::lround(textWidth(fi, lines[i])));
        lastWidth = w;
        if (lines[i].isEmpty())
            continue;
        int dx = horizontal == 1 ? -w / 2 : horizontal == 2 ? -w : 0;
        double dy = vertical == 1 ? -fc.ascent : vertical == 2 ? -fc.height : 0.0;
        dy += static_cast<double>(i) * fc.lineSpacing;
        addTextItem(lines[i], currentX_, currentY_, dx, static_cast<int>(std::lround(dy)));
    }
    currentY_ += static_cast<int>(std::lround((lines.size() - 1) * fc.lineSpacing));
    if (horizontal == 0 && textAngle_ == 0.0)
        currentX_ += lastWidth;
}

void PrintSurface::addShape(PageItemKind kind, int x1, int y1, int x2, int y2)
{
    PageItem item;
    item.kind = kind;
    item.x1 = x1;
    item.y1 = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.a = document_->internPen(pen_);
    if (kind != PageItemKind::Line)
        item.b = document_->internBrush(brush_);
    itemPage().items.push_back(item);
}

void PrintSurface::DrawLine(int x1, int y1, int x2, int y2)
{
    if (recording_)
        addShape(PageItemKind::Line, x1, y1, x2, y2);
}

void PrintSurface::DrawRectangle(int x1, int y1, int x2, int y2)
{
    if (recording_)
        addShape(PageItemKind::Rectangle, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
                 std::max(y1, y2));
}

void PrintSurface::DrawCircle(int centerX, int centerY, int radius)
{
    radius = std::abs(radius);
    if (recording_)
        addShape(PageItemKind::Ellipse, centerX - radius, centerY - radius, centerX + radius,
                 centerY + radius);
}

void PrintSurface::Polygon(const QString &points)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList parts = points.split(separators, Qt::SkipEmptyParts);
    std::vector<QPoint> pts;
    pts.reserve(static_cast<size_t>(parts.size() / 2));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        bool okX = false, okY = false;
        const double x = parts[i].toDouble(&okX);
        const double y = parts[i + 1].toDouble(&okY);
        if (!okX || !okY)
            return;
        pts.emplace_back(static_cast<int>(std::lrint(x)), static_cast<int>(std::lrint(y)));
    }
    DrawPolygon(pts);
}

void PrintSurface::DrawPolygon(const std::vector<QPoint> &points)
{
    if (!recording_ || points.size() < 2)
        return;
    PrintPage &page = document_->lastPage();
    const auto first = static_cast<std::int32_t>(page.points.size());
    page.points.insert(page.points.end(), points.begin(), points.end());
    addShape(PageItemKind::Polygon, first, 0, static_cast<std::int32_t>(points.size()), 0);
}

void PrintSurface::DrawPicture(const QImage &picture, int left, int top, const QString &width,
                               const QString &height)
{
    if (!recording_ || picture.isNull())
        return;
    auto naturalTwips = [](int pixels, int dotsPerMeter) {
        const double dpi = dotsPerMeter > 0 ? dotsPerMeter * 0.0254 : 96.0;
        return pixels * kPrintTwipsPerInch / dpi;
    };
    auto side = [](const QString &given, double natural) {
        const QString t = given.trimmed();
        if (t.endsWith(u'%')) {
            bool ok = false;
            const double percent = t.chopped(1).toDouble(&ok);
            return static_cast<int>(std::lround((ok ? percent : 100.0) * natural / 100.0));
        }
        int twips = 0;
        return ParseLength(t, twips) ? twips : static_cast<int>(std::lround(natural));
    };
    const int w = side(width, naturalTwips(picture.width(), picture.dotsPerMeterX()));
    const int h = side(height, naturalTwips(picture.height(), picture.dotsPerMeterY()));
    PageItem item;
    item.kind = PageItemKind::Picture;
    item.x1 = left;
    item.y1 = top;
    item.x2 = left + w;
    item.y2 = top + h;
    item.c = document_->internPicture(picture);
    itemPage().items.push_back(item);
}

// ---- Figures for CAD ----

PrintPage &PrintSurface::itemPage()
{
    PrintPage &page = document_->lastPage();
    const rqx::ItemLayer current = page.layers.empty() ? rqx::ItemLayer::Sheet : page.layers.back().layer;
    if (current != itemLayer_)
        page.layers.push_back({static_cast<std::uint32_t>(page.items.size()), itemLayer_});
    return page;
}

void PrintSurface::BeginFigure(const QString &name, double originX, double originY, double cmPerMetre,
                               const std::vector<double> &gridX, const std::vector<double> &gridY)
{
    if (!recording_ || cmPerMetre <= 0)
        return;
    EndFigure();
    PrintPage &page = document_->lastPage();
    PageFigure f;
    f.name = name;
    f.first = static_cast<std::uint32_t>(page.items.size());
    f.end = UINT32_MAX;
    f.originX = marginLeft_ + originX * kPrintTwipsPerCm;
    f.originY = marginTop_ + originY * kPrintTwipsPerCm;
    f.mmPerTwip = 1000.0 / (cmPerMetre * kPrintTwipsPerCm);
    for (const double x : gridX)
        f.linesX.push_back(x * 1000.0);
    for (const double y : gridY)
        f.linesY.push_back(y * 1000.0);
    page.figures.push_back(std::move(f));
}

void PrintSurface::EndFigure()
{
    if (document_->pageCount() == 0)
        return;
    PrintPage &page = document_->lastPage();
    if (!page.figures.empty() && page.figures.back().end == UINT32_MAX)
        page.figures.back().end = static_cast<std::uint32_t>(page.items.size());
}

}  // namespace rqx
