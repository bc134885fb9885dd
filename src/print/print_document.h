#pragma once
// A recorded multi-page document: one compact display list per page. Written by PrintSurface, read by the
// renderers and the text dump. Headless (QtCore/QtGui).
//
// Units: every coordinate is in twips (1440 per inch, 567 per cm) from the top-left corner of the paper,
// Y pointing down. Colours are RGB (QRgb, alpha ignored). Text sizes are points.
//
// Memory: strings, fonts, pens, brushes and pictures are stored once per document and referred to by index,
// so a page of a few hundred items takes a few kilobytes (items are 32 bytes, polygon points 8).

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

#include "print/page_figures.h"

namespace rqx {

inline constexpr int kPrintTwipsPerCm = 567;
inline constexpr int kPrintTwipsPerInch = 1440;
inline constexpr int kPrintTwipsPerPoint = 20;

// Pen styles (PenStyle): the classic Windows pen styles.
enum PrintPenStyle : int {
    kPenStyleSolid = 0,
    kPenStyleDash = 1,
    kPenStyleDot = 2,
    kPenStyleDashDot = 3,
    kPenStyleDashDotDot = 4,
    kPenStyleNone = 5,
    kPenStyleInsideFrame = 6,  // drawn as solid
};

// Brush styles (BrushStyle): 0 solid, 1 no fill, then the hatches.
enum PrintBrushStyle : int {
    kBrushStyleSolid = 0,
    kBrushStyleTransparent = 1,
    kBrushStyleHorizontal = 2,
    kBrushStyleVertical = 3,
    kBrushStyleForwardDiagonal = 4,   // "\\\\"
    kBrushStyleBackwardDiagonal = 5,  // "////"
    kBrushStyleCross = 6,
    kBrushStyleDiagonalCross = 7,
};

// A font as the pages name it: the program's own name ("ＭＳ 明朝"), size in points, bold, italic.
struct PrintFont {
    QString name;
    float points = 10.0f;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const PrintFont &o) const
    {
        return name == o.name && points == o.points && bold == o.bold && italic == o.italic &&
               underline == o.underline;
    }
};

// The QFont that measures and draws `f` in a twips coordinate system: the family resolved through the font
// name table, pixel size = points × 20 (one pixel is one twip), no hinting, so that measurement and drawing
// agree on every device whatever its resolution.
QFont TwipsFont(const PrintFont &f);

struct PrintPen {
    int style = kPenStyleSolid;
    int width = 0;  // twips; 0 = the thinnest line the device draws
    QRgb color = 0xFF000000;
    bool operator==(const PrintPen &o) const
    {
        return style == o.style && width == o.width && color == o.color;
    }
};

struct PrintBrush {
    int style = kBrushStyleTransparent;
    QRgb color = 0xFFFFFFFF;
    bool operator==(const PrintBrush &o) const { return style == o.style && color == o.color; }
};

enum class PageItemKind : std::uint8_t { Text, Line, Rectangle, Ellipse, Polygon, Picture };

// One display-list entry (32 bytes). Meaning of the fields by kind:
// - Text: (x1, y1) the anchor point (twips); (x2, y2) the top-left of the text relative to the anchor
//   in the text's own unrotated frame; angle tenths of a degree counter-clockwise about the anchor;
//   a = string index, b = font index, c = colour (QRgb).
// - Line: (x1, y1)-(x2, y2); a = pen index.
// - Rectangle / Ellipse: bounding box (x1, y1)-(x2, y2); a = pen index, b = brush index.
// - Polygon: x1 = first point index in the page's point list, x2 = point count; a = pen, b = brush.
// - Picture: target box (x1, y1)-(x2, y2); c = picture index.
struct PageItem {
    PageItemKind kind = PageItemKind::Text;
    std::uint8_t flags = 0;  // kItemHeader / kItemFooter for the page's running header and footer
    std::int16_t angle = 0;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint32_t a = 0, b = 0, c = 0;
};
static_assert(sizeof(PageItem) == 32);
inline constexpr std::uint8_t kItemHeader = 1;
inline constexpr std::uint8_t kItemFooter = 2;

struct PrintPage {
    int width = 0;                     // paper width, twips
    int height = 0;                    // paper height, twips
    std::vector<PageItem> items;       // drawing order: header items first, then content, footer items last
    std::vector<QPoint> points;        // polygon points of this page
    std::vector<ItemLayerRun> layers;  // the items' CAD layers (page_figures.h)
    std::vector<PageFigure> figures;   // the figures drawn to scale on this page
};

class PrintDocument {
public:
    // Pages are numbered from 1.
    int pageCount() const { return static_cast<int>(pages_.size()); }
    // Paper size of page n in twips (cheap; an invalid n gives an empty size).
    QSize pageSize(int n) const;
    const PrintPage &page(int n) const { return pages_[static_cast<size_t>(n - 1)]; }

    const QString &string(std::uint32_t i) const { return strings_[static_cast<qsizetype>(i)]; }
    const PrintFont &font(std::uint32_t i) const { return fonts_[i]; }
    const PrintPen &pen(std::uint32_t i) const { return pens_[i]; }
    const PrintBrush &brush(std::uint32_t i) const { return brushes_[i]; }
    const QImage &picture(std::uint32_t i) const { return pictures_[i]; }
    std::size_t fontCount() const { return fonts_.size(); }

    // The texts of page n in drawing order (header, content, footer), one entry per text item.
    QStringList pageTexts(int n) const;
    // Approximate heap bytes held by the document (pages, items, points, tables).
    std::size_t memoryBytes() const;

    void clear();

    // ---- Writing (used by PrintSurface) ----
    PrintPage &appendPage(int width, int height);
    PrintPage &lastPage() { return pages_.back(); }
    std::uint32_t internString(const QString &s);
    std::uint32_t internFont(const PrintFont &f);
    std::uint32_t internPen(const PrintPen &p);
    std::uint32_t internBrush(const PrintBrush &b);
    std::uint32_t internPicture(const QImage &image);

private:
    std::vector<PrintPage> pages_;
    QStringList strings_;
    QHash<QString, std::uint32_t> stringIndex_;
    std::vector<PrintFont> fonts_;
    std::vector<PrintPen> pens_;
    std::vector<PrintBrush> brushes_;
    std::vector<QImage> pictures_;
    QHash<qint64, std::uint32_t> pictureIndex_;
};

}  // namespace rqx
