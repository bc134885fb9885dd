#pragma once
// The print surface: records a multi-page document through the operations every printed page of the program
// uses (page setup, text, shapes, pictures, flowing tables, running header and footer). It draws nothing
// itself; render the recorded PrintDocument with page_render.h and list its texts with text_dump.h.
//
// Units and conventions:
// - Positions and lengths are twips (567 per cm) measured from the top-left corner of the PAPER, Y down.
//   (The centimetre routines of page_drawing.h measure from the printable origin instead.)
// - Margins are set as centimetre strings ("2.3cm"; a plain number is twips) and read back in twips.
// - Colours are RGB values (QRgb, 0xRRGGBB). Palette indices 0–15 are converted by PaletteColor()
//   of page_drawing.h before they reach the surface.
// - Font sizes are points; text angles tenths of a degree, counter-clockwise.
// - Text is measured with the same fonts that draw it (TwipsFont), so a measured or wrapped text fits its
//   box on every device. Measuring needs a QGuiApplication (offscreen is enough).
//
// Typical use:
//   PrintSurface s;  s.SetPaperSize(9); s.SetOrientation(0); s.SetMarginLeft("2.3cm"); ...
//   s.SetNewPageHandler([&](PrintSurface &s, int page) { ... header band ... });
//   s.StartDoc();  ... s.SetCurrentX(x); s.SetCurrentY(y); s.Text("..."); ... s.NewPage(); ... s.EndDoc();
//   RenderPage(s.document(), 1, painter, target);

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "print/font_names.h"
#include "print/print_document.h"

class QFontMetricsF;

namespace rqx {

// Windows paper codes (PaperSize).
inline constexpr int kPaperLetter = 1;
inline constexpr int kPaperA3 = 8;
inline constexpr int kPaperA4 = 9;
inline constexpr int kPaperA5 = 11;
inline constexpr int kPaperB4 = 12;  // JIS B4
inline constexpr int kPaperB5 = 13;  // JIS B5
inline constexpr int kPaperA2 = 66;
inline constexpr int kPaperUser = 256;  // user-defined: keeps the current size
// Portrait size of a paper code in twips; an unknown code (0 included) gives an empty size.
QSize PaperSizeTwips(int paperCode);

inline constexpr int kOrientationPortrait = 0;
inline constexpr int kOrientationLandscape = 1;

// TextAlign: where the point (CurrentX, CurrentY) lies on the text. 0 (left, top) is what the program uses.
enum PrintTextAlign : int {
    kAlignLeftTop = 0,
    kAlignLeftBaseline = 1,
    kAlignLeftBottom = 2,
    kAlignCenterTop = 3,
    kAlignCenterBaseline = 4,
    kAlignCenterBottom = 5,
    kAlignRightTop = 6,
    kAlignRightBaseline = 7,
    kAlignRightBottom = 8,
};

// Table cell settings (SetTableCell) and their values.
inline constexpr int kCellSpan = 17;  // value n: the cell covers itself and the next n − 1 cells of its row
inline constexpr int kCellAlign = 19;  // value kCellAlignLeft or kCellAlignCenter
inline constexpr int kCellAlignLeft = 0;
inline constexpr int kCellAlignCenter = 7;
inline constexpr int kCellAlignRight = 8;

// The columns of a table: each one's width (twips) and alignment. Built as a value by the pages that
// print tables; the string form ("+<1400|+^700;") is read and written only at the edge (Parse, toString).
struct TableFormat {
    struct Column {
        int width = 0;
        int align = kCellAlignLeft;
        bool operator==(const Column &) const = default;
    };
    std::vector<Column> columns;

    TableFormat &left(int width) { return add(width, kCellAlignLeft); }
    TableFormat &centre(int width) { return add(width, kCellAlignCenter); }
    TableFormat &right(int width) { return add(width, kCellAlignRight); }
    TableFormat &add(int width, int align)
    {
        columns.push_back({width, align});
        return *this;
    }
    // One descriptor per column joined by "|" and ended by ";": optional "+" or "~", an alignment
    // "<" left, "^" centre, ">" right, and the width in twips ("1400") or with a unit ("2.5cm").
    static TableFormat Parse(const QString &format);
    QString toString() const;
    bool operator==(const TableFormat &) const = default;
};
// Table borders (SetTableBorder).
inline constexpr int kTableBorderNone = 0;
inline constexpr int kTableBorderGrid = 1;  // every cell outlined (the default)
// Default horizontal padding inside a table cell, each side, in twips.
inline constexpr int kTableCellPaddingX = 60;

class PrintSurface {
public:
    // Called right after a page starts (StartDoc's first page and every NewPage, a table's page breaks too),
    // before anything else is drawn on it. It may draw, set the header and footer for this page, and move
    // CurrentY: a table that breaks onto the page continues at CurrentY as the handler leaves it (the top
    // margin unless the handler moves it). It must not start a page itself (that is ignored).
    using NewPageHandler = std::function<void(PrintSurface &surface, int pageNumber)>;

    PrintSurface();
    ~PrintSurface();
    PrintSurface(const PrintSurface &) = delete;
    PrintSurface &operator=(const PrintSurface &) = delete;

    // ---- Document ----
    // Discards any previous recording and starts page 1 (the new-page handler fires for it).
    void StartDoc();
    // Ends the recording; the pages stay readable through document().
    void EndDoc();
    bool IsRecording() const { return recording_; }
    // Starts a new page (paper size and orientation as now) and fires the new-page handler.
    void NewPage();
    void SetNewPageHandler(NewPageHandler handler) { newPageHandler_ = std::move(handler); }
    int PageCount() const { return document_->pageCount(); }
    // The page a preview shows (1-based, clamped to the pages); recording does not change it.
    int PreviewPage() const { return previewPage_; }
    void SetPreviewPage(int page);

    // The recorded pages. While recording, the page being drawn has no footer yet (it is added when the page
    // ends); after EndDoc every page is complete.
    const PrintDocument &document() const { return *document_; }
    // Hands the recorded document over (for a window that outlives the surface); the surface is left empty.
    std::shared_ptr<const PrintDocument> TakeDocument();

    // ---- Page setup ----
    int PaperSize() const { return paperSize_; }
    void SetPaperSize(int paperCode);
    int Orientation() const { return orientation_; }
    void SetOrientation(int orientation);
    bool PhysicalPage() const { return physicalPage_; }
    void SetPhysicalPage(bool on) { physicalPage_ = on; }
    // Paper size in twips in the current orientation. Applies to pages started afterwards, and to the
    // current page while nothing has been drawn on it.
    int PageWidth() const;
    int PageHeight() const;
    // Sets a custom paper size (twips, portrait values); PaperSize becomes kPaperUser.
    void SetPaperSizeTwips(int width, int height);

    // Margins: "2.3cm" (or a plain twips number) in, twips out. Invalid strings leave the margin unchanged.
    int MarginLeft() const { return marginLeft_; }
    int MarginTop() const { return marginTop_; }
    int MarginRight() const { return marginRight_; }
    int MarginBottom() const { return marginBottom_; }
    void SetMarginLeft(const QString &value);
    void SetMarginTop(const QString &value);
    void SetMarginRight(const QString &value);
    void SetMarginBottom(const QString &value);
    void SetMarginLeftTwips(int twips) { marginLeft_ = twips; }
    void SetMarginTopTwips(int twips) { marginTop_ = twips; }
    void SetMarginRightTwips(int twips) { marginRight_ = twips; }
    void SetMarginBottomTwips(int twips) { marginBottom_ = twips; }
    // Parses a length: "2.3cm", "25mm", "1in", "120pt", or a plain number of twips. False when unreadable.
    static bool ParseLength(const QString &text, int &twips);

    // ---- Preview state (kept for the preview window; no effect on recording) ----
    double Zoom() const { return zoom_; }
    void SetZoom(double percent) { zoom_ = percent; }
    double ZoomMin() const { return zoomMin_; }
    double ZoomMax() const { return zoomMax_; }
    void SetZoomLimits(double minPercent, double maxPercent);
    bool MousePage() const { return mousePage_; }
    bool MouseZoom() const { return mouseZoom_; }
    bool MouseScroll() const { return mouseScroll_; }
    void SetMousePage(bool on) { mousePage_ = on; }
    void SetMouseZoom(bool on) { mouseZoom_ = on; }
    void SetMouseScroll(bool on) { mouseScroll_ = on; }
    const QString &PrinterName() const { return printerName_; }
    void SetPrinterName(const QString &name) { printerName_ = name; }

    // ---- Text attributes (affect later text) ----
    const QString &FontName() const { return font_.name; }
    void SetFontName(const QString &name) { font_.name = name; }
    double FontSize() const { return font_.points; }
    void SetFontSize(double points);
    bool FontBold() const { return font_.bold; }
    void SetFontBold(bool on) { font_.bold = on; }
    bool FontItalic() const { return font_.italic; }
    void SetFontItalic(bool on) { font_.italic = on; }
    bool FontUnderline() const { return font_.underline; }
    void SetFontUnderline(bool on) { font_.underline = on; }
    const PrintFont &Font() const { return font_; }
    void SetFont(const PrintFont &font) { font_ = font; }
    int TextAlign() const { return textAlign_; }
    void SetTextAlign(int align) { textAlign_ = align; }
    double TextAngle() const { return textAngle_; }  // tenths of a degree
    void SetTextAngle(double tenths) { textAngle_ = tenths; }
    int ColorMode() const { return colorMode_; }
    void SetColorMode(int mode) { colorMode_ = mode; }
    QRgb TextColor() const { return textColor_; }
    void SetTextColor(QRgb rgb) { textColor_ = rgb; }

    // ---- Text ----
    int CurrentX() const { return currentX_; }
    int CurrentY() const { return currentY_; }
    void SetCurrentX(int twips) { currentX_ = twips; }
    void SetCurrentY(int twips) { currentY_ = twips; }
    // Writes `text` at (CurrentX, CurrentY) per TextAlign (top-left by default), turned by TextAngle about
    // that point. Line breaks ("\r", "\n", "\r\n") start new lines one line lower; each line is its own
    // text item. Afterwards CurrentY has moved down one line per line break, and CurrentX has advanced by the
    // last line's width for left-aligned unturned text (so that texts written in turn follow each other).
    // Drawing calls before StartDoc or after EndDoc are ignored.
    void Text(const QString &text);
    // Measures `text` in the current font: TextWid the widest line, TextHei the lines' height (twips).
    void Measure(const QString &text);
    int TextWid() const { return textWid_; }
    int TextHei() const { return textHei_; }
    // The metrics of the current font, in twips.
    const QFontMetricsF &Metrics();

    // ---- Shapes ----
    int PenStyle() const { return pen_.style; }
    void SetPenStyle(int style) { pen_.style = style; }
    int PenWidth() const { return pen_.width; }
    void SetPenWidth(int twips) { pen_.width = twips; }
    QRgb PenColor() const { return pen_.color; }
    void SetPenColor(QRgb rgb) { pen_.color = rgb; }
    int BrushStyle() const { return brush_.style; }
    void SetBrushStyle(int style) { brush_.style = style; }
    QRgb BrushColor() const { return brush_.color; }
    void SetBrushColor(QRgb rgb) { brush_.color = rgb; }

    void DrawLine(int x1, int y1, int x2, int y2);
    // Rectangle between two corners, outlined with the pen and filled with the brush.
    void DrawRectangle(int x1, int y1, int x2, int y2);
    void DrawCircle(int centerX, int centerY, int radius);
    // Polygon from a string of coordinate pairs "x1 y1 x2 y2 …" (twips from the paper edge, separated by
    // blanks or commas); fewer than two points draw nothing.
    void Polygon(const QString &points);
    void DrawPolygon(const std::vector<QPoint> &points);
    // Picture in the box; width and height "100%" (or any percentage) scale the natural size (the image's
    // dots per metre, 96 dpi when unset), a length ("5cm", twips) sets that side.
    void DrawPicture(const QImage &picture, int left, int top, const QString &width = QStringLiteral("100%"),
                     const QString &height = QStringLiteral("100%"));

    // ---- Tables ----
    // StartTable, AddTable (one or more times, same format), SetTableCell, then EndTable lays the table out
    // at (MarginLeft, CurrentY) in the current font, text colour and the spacing/border settings, breaking
    // between rows onto new pages (the new-page handler fires first; the header row, when given, repeats);
    // a row taller than a page is split between its lines. Afterwards CurrentY is below the table.
    //
    // Format: one descriptor per column joined by "|" and ended by ";": optional "+" or "~", an alignment
    // "<" left, "^" centre, ">" right, and the width in twips ("1400") or with a unit ("2.5cm").
    // Header: column texts joined by "|" ("" for none). Body: rows of cell texts, row 0 first; "\r" breaks a
    // line; long texts wrap within the column (between any two Japanese characters; words, numbers and short
    // parenthesised labels such as "(い)" stay whole where they fit).
    void StartTable();
    void AddTable(const TableFormat &format, const QString &header, const QList<QStringList> &body);
    void AddTable(const QString &format, const QString &header, const QList<QStringList> &body)
    {
        AddTable(TableFormat::Parse(format), header, body);
    }
    // Setting kCellSpan or kCellAlign of body cell (row, column), both from 0.
    void SetTableCell(int setting, int row, int column, int value);
    void EndTable();
    // The two cell spacing settings: padding above and below the text of each cell, in percent of half the
    // font's line height (10/10 compact, 50/50, 80/80, 100/100 roomy). Default 50/50.
    void SetTableSpacing(int above, int below);
    int TableSpacingAbove() const { return spacingAbove_; }
    int TableSpacingBelow() const { return spacingBelow_; }
    // Blank kept inside each cell on the left and right, in twips (default kTableCellPaddingX); the text
    // wraps within the column width less twice this.
    int TableCellPaddingX() const { return cellPaddingX_; }
    void SetTableCellPaddingX(int twips) { cellPaddingX_ = std::max(0, twips); }
    void SetTableBorder(int border) { tableBorder_ = border; }
    int TableBorder() const { return tableBorder_; }
    // Lines of a cell text as the table prints them in the current font within `width` twips (padding
    // excluded): line breaks kept, long lines wrapped.
    QStringList WrapText(const QString &text, int width);

    // ---- Running header and footer ----
    // Three parts (left|centre|right) joined by "|"; empty parts draw nothing. Both are drawn, in the header
    // font, on every page started after they are set, including a page whose new-page handler sets them.
    // The header sits centred in the top margin, the footer in the bottom margin; the left part starts at
    // MarginLeft, the centre part is centred between the margins, the right part ends at the right margin.
    const QString &Header() const { return header_; }
    void SetHeader(const QString &parts) { header_ = parts; }
    const QString &Footer() const { return footer_; }
    void SetFooter(const QString &parts) { footer_ = parts; }
    const QString &HeaderFontName() const { return headerFont_.name; }
    void SetHeaderFontName(const QString &name) { headerFont_.name = name; }
    double HeaderFontSize() const { return headerFont_.points; }
    void SetHeaderFontSize(double points) { headerFont_.points = static_cast<float>(points); }

    // ---- Figures for CAD (page_figures.h) ----
    // The layer later items are recorded on (Sheet, paper-only, unless a figure routine says otherwise).
    rqx::ItemLayer CurrentItemLayer() const { return itemLayer_; }
    void SetItemLayer(rqx::ItemLayer layer) { itemLayer_ = layer; }
    // A figure drawn to scale starts on the current page: its items are those recorded until EndFigure (or
    // the page's end). The model point (0, 0) lies at (originX, originY) cm from the printable origin, Y
    // down the page, at cmPerMetre; gridX / gridY are the metre positions of its grid lines.
    void BeginFigure(const QString &name, double originX, double originY, double cmPerMetre,
                     const std::vector<double> &gridX, const std::vector<double> &gridY);
    void EndFigure();
    // While set, texts are kept for the current figure's drawing only (PageFigure::drawingOnly), not drawn
    // on the page: a text that found no room on paper stands at its member in CAD.
    void SetDrawingOnly(bool on) { drawingOnly_ = on; }

private:
    struct Table;
    class TableRun;  // one table laid out row by row onto the pages (print_table.cpp)
    void beginPage();
    void finishPage();
    void addTextItem(const QString &line, int anchorX, int anchorY, int dx, int dy, std::uint8_t flags = 0);
    void addShape(PageItemKind kind, int x1, int y1, int x2, int y2);
    void drawHeaderFooter();
    std::uint32_t currentFontIndex();
    void layoutTable(Table &table);

    std::shared_ptr<PrintDocument> document_;
    NewPageHandler newPageHandler_;
    bool recording_ = false;
    bool drawingOnly_ = false;
    bool inHandler_ = false;
    int previewPage_ = 1;

    int paperSize_ = kPaperA4;
    int orientation_ = kOrientationPortrait;
    int paperWidth_ = 0;  // portrait twips
    int paperHeight_ = 0;
    bool physicalPage_ = true;
    int marginLeft_ = 1440, marginTop_ = 1440, marginRight_ = 1440, marginBottom_ = 1440;

    double zoom_ = 100.0, zoomMin_ = 10.0, zoomMax_ = 400.0;
    bool mousePage_ = true, mouseZoom_ = true, mouseScroll_ = true;
    QString printerName_;

    PrintFont font_;
    int textAlign_ = kAlignLeftTop;
    double textAngle_ = 0.0;
    int colorMode_ = 0;
    QRgb textColor_ = 0xFF000000;
    int currentX_ = 0, currentY_ = 0;
    int textWid_ = 0, textHei_ = 0;

    PrintPen pen_;
    PrintBrush brush_;

    std::unique_ptr<Table> table_;
    int spacingAbove_ = 50, spacingBelow_ = 50;
    int tableBorder_ = kTableBorderGrid;
    int cellPaddingX_ = kTableCellPaddingX;

    QString header_, footer_;
    PrintFont headerFont_;
    rqx::ItemLayer itemLayer_ = rqx::ItemLayer::Sheet;
    PrintPage &itemPage();  // the page an item goes to, its layer noted

    // Metrics and character advances per document font (twips).
    struct FontCache;
    FontCache &fontCache(std::uint32_t fontIndex);
    double textWidth(std::uint32_t fontIndex, QStringView text);
    std::vector<std::unique_ptr<FontCache>> fontCaches_;
    std::vector<PageItem> pendingFooter_;
    PrintFont cachedFont_;
    std::uint32_t cachedFontIndex_ = UINT32_MAX;
};

// A figure's font for as long as it lives: on leaving, the surface is back at ＭＳ 明朝 with the size
// and boldness it had, so a figure never leaks its font into the text that follows it.
class FontScope {
public:
    FontScope(PrintSurface &surface, const QString &name)
        : surface_(surface), size_(surface.FontSize()), bold_(surface.FontBold())
    {
        surface.SetFontName(name);
    }
    ~FontScope()
    {
        surface_.SetFontName(kFontNameMincho);
        surface_.SetFontSize(size_);
        surface_.SetFontBold(bold_);
    }
    FontScope(const FontScope &) = delete;
    FontScope &operator=(const FontScope &) = delete;

private:
    PrintSurface &surface_;
    double size_;
    bool bold_;
};

// The layer of the items a figure routine records for as long as it lives; the caller's layer afterwards.
// (A dimension routine adds `ItemLayerScope dims(s, ItemLayer::Dims);`.)
class ItemLayerScope {
public:
    ItemLayerScope(PrintSurface &surface, ItemLayer layer)
        : surface_(surface), saved_(surface.CurrentItemLayer())
    {
        surface.SetItemLayer(layer);
    }
    ~ItemLayerScope() { surface_.SetItemLayer(saved_); }
    ItemLayerScope(const ItemLayerScope &) = delete;
    ItemLayerScope &operator=(const ItemLayerScope &) = delete;

private:
    PrintSurface &surface_;
    ItemLayer saved_;
};

}  // namespace rqx
