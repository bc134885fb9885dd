#include "dxf/dxf_export.h"

#include <QDir>
#include <QFontMetricsF>
#include <QHash>
#include <QPointF>
#include <QSet>

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <unordered_map>

#include "model/cp932.h"
#include "print/print_document.h"

namespace rqx {

namespace {

// dxflib's writer into memory: the bytes are saved whole afterwards, through the safe save. (dxflib's own
// writer streams to a file name and cannot report a failed write.)
class ByteWriter : public DL_WriterA {
public:
    // An empty name opens no file; every group goes through the overrides below.
    ByteWriter() : DL_WriterA("", DL_VERSION_2000) {}
    QByteArray bytes;

    void dxfReal(int gc, double value) const override { group(gc, Real(value)); }
    void dxfInt(int gc, int value) const override { group(gc, QByteArray::number(value)); }
    void dxfHex(int gc, int value) const override { group(gc, QByteArray::number(value, 16).toUpper()); }
    void dxfString(int gc, const char *value) const override { group(gc, QByteArray(value)); }
    void dxfString(int gc, const std::string &value) const override
    {
        group(gc, QByteArray(value.data(), static_cast<qsizetype>(value.size())));
    }

private:
    static QByteArray Real(double v)
    {
        if (std::fabs(v) < 5e-7)
            return QByteArrayLiteral("0.0");
        QByteArray t = QByteArray::number(v, 'f', 6);
        while (t.endsWith('0'))
            t.chop(1);
        if (t.endsWith('.'))
            t.append('0');
        return t;
    }
    void group(int gc, const QByteArray &value) const
    {
        QByteArray &b = const_cast<ByteWriter *>(this)->bytes;
        char code[16];
        const int n = std::snprintf(code, sizeof code, "%3d\r\n", gc);
        b.append(code, n).append(value).append("\r\n", 2);
    }
};

// A text in the code page the header declares: code page 932 bytes, and \U+XXXX for what it lacks
// (also for the forms Windows would only best-fit, so every character comes back as it was).
std::string DxfTextUncached(const QString &text)
{
    std::string out;
    const QList<uint> codes = text.toUcs4();
    for (const uint cp : codes) {
        if (cp < 0x20)
            continue;
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        const QString one = QString::fromUcs4(reinterpret_cast<const char32_t *>(&cp), 1);
        const QByteArray bytes = ToCp932(one);
        if (bytes != "?" && FromCp932(bytes) == one)
            out.append(bytes.constData(), static_cast<size_t>(bytes.size()));
        else if (cp <= 0xFFFF)
            out.append(QStringLiteral("\\U+%1").arg(cp, 4, 16, QLatin1Char('0')).toUpper().toStdString());
        else
            out.push_back('?');
    }
    // "%%" starts a control code in a TEXT: a percent sign in such a text is written "%%%".
    if (out.find("%%") != std::string::npos) {
        std::string escaped;
        for (const char c : out)
            escaped += c == '%' ? std::string("%%%") : std::string(1, c);
        out = escaped;
    }
    return out;
}

// The same few texts come back thousands of times (hardware classes, line names): converted once.
std::string DxfText(const QString &text)
{
    thread_local QHash<QString, std::string> known;
    const auto it = known.constFind(text);
    if (it != known.constEnd())
        return it.value();
    if (known.size() > 100000)
        known.clear();
    return known.insert(text, DxfTextUncached(text)).value();
}

// ACI number of a page colour: black and white are 7 (drawn in the CAD's foreground colour), the greys
// and the basic colours their nearest ACI.
int AciOf(QRgb rgb)
{
    const int r = qRed(rgb), g = qGreen(rgb), b = qBlue(rgb);
    if (std::max({r, g, b}) < 64 || std::min({r, g, b}) > 240)
        return 7;
    struct Aci {
        int number, r, g, b;
    };
    static constexpr Aci kTable[] = {{1, 255, 0, 0},     {2, 255, 255, 0},     {3, 0, 255, 0},
                                     {4, 0, 255, 255},   {5, 0, 0, 255},       {6, 255, 0, 255},
                                     {8, 128, 128, 128}, {9, 192, 192, 192},   {250, 51, 51, 51},
                                     {251, 80, 80, 80},  {252, 105, 105, 105}, {254, 190, 190, 190}};
    int best = 7, bestDistance = std::numeric_limits<int>::max();
    for (const Aci &a : kTable) {
        const int d = (a.r - r) * (a.r - r) + (a.g - g) * (a.g - g) + (a.b - b) * (a.b - b);
        if (d < bestDistance) {
            bestDistance = d;
            best = a.number;
        }
    }
    return best;
}

// The standard lineweight (hundredths of a millimetre) nearest a pen width in twips; 0 is the thinnest.
int LineweightOf(int penTwips)
{
    static constexpr int kWeights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                       53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    const double hundredths = penTwips * 1000.0 / kPrintTwipsPerCm;
    int best = 0;
    for (const int w : kWeights)
        if (std::fabs(w - hundredths) < std::fabs(best - hundredths))
            best = w;
    return best;
}

// How each layer draws: its colour, lineweight and linetype, so that a CAD user restyles a layer and pen
// tables that map colours to pens print walls and grid apart. Entities draw BYLAYER.
struct LayerStyle {
    int aci;
    int lineweight;  // hundredths of a millimetre
    const char *linetype;
};
constexpr LayerStyle kLayerStyles[kItemLayerCount] = {
    {250, 18, "CONTINUOUS"},  // SHEET
    {8, 9, "CENTER"},         // GRID: a thin chain line in grey
    {94, 18, "CONTINUOUS"},   // NAMES
    {9, 5, "CONTINUOUS"},     // FLOORS: light grey, the thinnest
    {5, 50, "CONTINUOUS"},    // WALLS: heavy
    {6, 35, "CONTINUOUS"},    // BEAMS
    {7, 18, "CONTINUOUS"},    // COLUMNS
    {1, 18, "CONTINUOUS"},    // HARDWARE
    {3, 18, "CONTINUOUS"},    // LABELS
    {30, 25, "CONTINUOUS"},   // TEXT
    {4, 13, "CONTINUOUS"},    // DIMS
    {2, 25, "DASHED"},        // QUARTERS
};
constexpr int kByLayer = 256;
constexpr int kByLayerWeight = -1;

const LayerStyle &StyleOf(ItemLayer layer)
{
    const int i = static_cast<int>(layer);
    return kLayerStyles[i >= 0 && i < kItemLayerCount ? i : 0];
}

// An entity's colour: BYLAYER for the ink a page draws its layer in (black, or the layer's own colour);
// another colour stays (the light grey of sub-grid lines, a red check mark).
int ColorOn(ItemLayer layer, QRgb rgb)
{
    const int aci = AciOf(rgb);
    return aci == 7 || aci == StyleOf(layer).aci ? kByLayer : aci;
}

// An entity's lineweight: BYLAYER, unless the page draws it markedly heavier than its layer (the frames'
// through columns).
int WeightOn(ItemLayer layer, int penTwips)
{
    const int w = LineweightOf(penTwips);
    return w * 2 > StyleOf(layer).lineweight * 3 ? w : kByLayerWeight;
}

// The column symbols, drawn once as blocks of unit size about their centre and inserted at every column.
constexpr const char *kBlockColumn = "管柱";              // the open square
constexpr const char *kBlockColumnFilled = "管柱_塗";     // the filled square (the hold-down mark)
constexpr const char *kBlockThrough = "通し柱";           // the ring of a through column
constexpr const char *kBlocks[] = {kBlockColumn, kBlockColumnFilled, kBlockThrough};

// Page twips to drawing millimetres.
struct Mapping {
    double originX = 0, originY = 0, mmPerTwip = 1;
    const std::vector<double> *linesX = nullptr;
    const std::vector<double> *linesY = nullptr;

    // The grid lines are in ascending order: the nearest one is found by halving.
    static double Snap(double v, const std::vector<double> *lines, double tolerance)
    {
        if (lines == nullptr || lines->empty())
            return v;
        const auto above = std::lower_bound(lines->begin(), lines->end(), v - tolerance);
        if (above != lines->end() && std::fabs(v - *above) <= tolerance)
            return *above;
        return v;
    }
    QPointF map(double x, double y) const
    {
        return {Snap((x - originX) * mmPerTwip, linesX, mmPerTwip),
                Snap((originY - y) * mmPerTwip, linesY, mmPerTwip)};
    }
};

enum class Kind { Line, Polyline, Solid, Hatch, Circle, Ellipse, Text, Insert };

// One entity of the drawing, in millimetres.
struct Entity {
    Kind kind = Kind::Line;
    ItemLayer layer = ItemLayer::Sheet;
    int color = kByLayer;
    int lineweight = kByLayerWeight;
    std::vector<QPointF> points;  // line ends, polyline corners, solid corners, circle centre, insert point,
                                  // text: baseline start, then the box's other corners
    std::vector<std::vector<QPointF>> loops;  // hatch boundaries
    double radius = 0;                        // circle; ellipse: the major half-axis; insert: its scale
    double ratio = 1;                         // ellipse: minor / major
    int hatchStyle = kBrushStyleSolid;
    double hatchSpacing = 0;  // mm between the lines of a pattern
    QString text;             // text; insert: the block's name
    QString style;
    double height = 0;
    double angle = 0;       // degrees, counter-clockwise
    bool centred = false;   // text: aligned by the middle of its baseline (points[4])
};

struct FontInfo {
    double ascent = 0;      // twips
    double capHeight = 0;   // twips
    QFontMetricsF metrics;  // twips
};

// A page cell of a floor or void fill, twips, with its fill.
struct Cell {
    int x1, y1, x2, y2;
    int brushStyle;
    QRgb brushColor;
    bool outlined;
};

// Twips of a hatch cell's repeat along an axis (the page paints hatches in 8-pixel cells of 15 twips).
constexpr double kHatchRepeatTwips = 120.0;

class Converter {
public:
    Converter(const PrintDocument &doc, const Mapping &m) : doc_(doc), m_(m) {}

    std::vector<Entity> entities;
    std::vector<std::pair<QString, PrintFont>> styles;  // style name, font

    void add(const PrintPage &page, const PageItem &item, ItemLayer layer)
    {
        switch (item.kind) {
            case PageItemKind::Text:
                addText(item, layer);
                break;
            case PageItemKind::Line: {
                const PrintPen &pen = doc_.pen(item.a);
                if (pen.style == kPenStyleNone)
                    break;
                Entity e = stroke(layer, pen);
                e.kind = Kind::Line;
                e.points = {m_.map(item.x1, item.y1), m_.map(item.x2, item.y2)};
                entities.push_back(std::move(e));
                break;
            }
            case PageItemKind::Rectangle: {
                if (layer == ItemLayer::Floors && addFloorCell(item))
                    break;
                if (layer == ItemLayer::Columns && addColumnSquare(item))
                    break;
                const std::vector<QPoint> corners = {
                    {item.x1, item.y1}, {item.x2, item.y1}, {item.x2, item.y2}, {item.x1, item.y2}};
                addShape(corners, item, layer, true);
                break;
            }
            case PageItemKind::Polygon: {
                const auto first = static_cast<size_t>(item.x1);
                const auto count = static_cast<size_t>(item.x2);
                if (first + count > page.points.size())
                    break;
                const std::vector<QPoint> pts(
                    page.points.begin() + static_cast<std::ptrdiff_t>(first),
                    page.points.begin() + static_cast<std::ptrdiff_t>(first + count));
                addShape(pts, item, layer, false);
                break;
            }
            case PageItemKind::Ellipse:
                if (layer == ItemLayer::Columns && addThroughRing(item))
                    break;
                addEllipse(item, layer);
                break;
            case PageItemKind::Picture:
                break;  // paper pictures have no place in a drawing
        }
    }

    // A text the page listed beside the figure, at its member.
    void addDrawingOnly(const DrawingOnlyText &t)
    {
        PageItem item;
        item.kind = PageItemKind::Text;
        item.angle = t.angle;
        item.x1 = t.x;
        item.y1 = t.y;
        item.x2 = t.dx;
        item.y2 = t.dy;
        item.a = t.string;
        item.b = t.font;
        item.c = t.color;
        addText(item, t.layer);
    }

    // After the last item: floor regions as hatches, lines broken at the column squares, no entity twice.
    void finish()
    {
        addFloorRegions();
        breakLinesAtColumns();
        removeDuplicates();
    }

    std::set<QString> blocksUsed;

private:
    Entity stroke(ItemLayer layer, const PrintPen &pen) const
    {
        Entity e;
        e.layer = layer;
        e.color = ColorOn(layer, pen.color);
        e.lineweight = WeightOn(layer, pen.width);
        return e;
    }

    // Fill first, then the outline over it, as the page paints them.
    void addFill(const std::vector<QPointF> &pts, ItemLayer layer, const PrintBrush &brush, bool rectangle)
    {
        if (brush.style == kBrushStyleTransparent || brush.style < 0 ||
            brush.style > kBrushStyleDiagonalCross)
            return;
        if (brush.style == kBrushStyleSolid && AciOf(brush.color) == 7 && qRed(brush.color) > 240)
            return;  // white: the paper
        Entity e;
        e.layer = layer;
        e.color = ColorOn(layer, brush.color);
        e.hatchStyle = brush.style;
        e.hatchSpacing = kHatchRepeatTwips * m_.mmPerTwip;
        if (rectangle && brush.style == kBrushStyleSolid) {
            // SOLID corners go 1, 2, 4, 3 round the square.
            e.kind = Kind::Solid;
            e.points = {pts[0], pts[1], pts[3], pts[2]};
        } else {
            e.kind = Kind::Hatch;
            e.loops = {pts};
        }
        entities.push_back(std::move(e));
    }

    void addShape(const std::vector<QPoint> &corners, const PageItem &item, ItemLayer layer, bool rectangle)
    {
        std::vector<QPointF> pts;
        for (const QPoint &c : corners)
            pts.push_back(m_.map(c.x(), c.y()));
        if (pts.size() >= 3)
            addFill(pts, layer, doc_.brush(item.b), rectangle);
        const PrintPen &pen = doc_.pen(item.a);
        if (pen.style == kPenStyleNone)
            return;
        Entity e = stroke(layer, pen);
        e.kind = Kind::Polyline;
        e.points = pts;
        entities.push_back(std::move(e));
    }

    // A floor or void cell: gathered, and drawn as the hatch of its region at the end.
    bool addFloorCell(const PageItem &item)
    {
        const PrintBrush &brush = doc_.brush(item.b);
        if (brush.style == kBrushStyleTransparent || brush.style < 0 || brush.style > kBrushStyleDiagonalCross)
            return false;
        if (cells_.empty())
            floorsAt_ = entities.size();
        cells_.push_back({std::min(item.x1, item.x2), std::min(item.y1, item.y2), std::max(item.x1, item.x2),
                          std::max(item.y1, item.y2), brush.style, brush.color,
                          doc_.pen(item.a).style != kPenStyleNone});
        if (cells_.back().outlined)
            cellPens_.push_back(doc_.pen(item.a));
        return true;
    }

    // A column square: the block of its kind, inserted at its centre, scaled to its side.
    bool addColumnSquare(const PageItem &item)
    {
        const int w = std::abs(item.x2 - item.x1), h = std::abs(item.y2 - item.y1);
        if (w == 0 || std::abs(w - h) > 1)
            return false;
        const PrintBrush &brush = doc_.brush(item.b);
        const PrintPen &pen = doc_.pen(item.a);
        const bool white = brush.style == kBrushStyleSolid && qRed(brush.color) > 240 &&
                           qGreen(brush.color) > 240 && qBlue(brush.color) > 240;
        const bool filled = brush.style == kBrushStyleSolid && !white;
        if (brush.style != kBrushStyleSolid && brush.style != kBrushStyleTransparent)
            return false;
        Entity e = stroke(ItemLayer::Columns, pen);
        e.kind = Kind::Insert;
        e.text = QString::fromUtf8(filled ? kBlockColumnFilled : kBlockColumn);
        e.points = {m_.map((item.x1 + item.x2) / 2.0, (item.y1 + item.y2) / 2.0)};
        e.radius = w * m_.mmPerTwip;
        if (filled && ColorOn(ItemLayer::Columns, brush.color) != kByLayer)
            e.color = ColorOn(ItemLayer::Columns, brush.color);
        blocksUsed.insert(e.text);
        // The page covers what runs under a filled square (white or dark) with it.
        if (brush.style == kBrushStyleSolid) {
            const double half = e.radius / 2;
            squares_.push_back(QRectF(e.points[0].x() - half, e.points[0].y() - half, 2 * half, 2 * half));
        }
        entities.push_back(std::move(e));
        return true;
    }

    // A through column's ring: the block, scaled to its radius.
    bool addThroughRing(const PageItem &item)
    {
        const int w = std::abs(item.x2 - item.x1), h = std::abs(item.y2 - item.y1);
        const PrintBrush &brush = doc_.brush(item.b);
        const bool paperFill = brush.style == kBrushStyleTransparent ||
                               (brush.style == kBrushStyleSolid && qRed(brush.color) > 240 &&
                                qGreen(brush.color) > 240 && qBlue(brush.color) > 240);
        if (w == 0 || std::abs(w - h) > 1 || !paperFill)
            return false;
        Entity e = stroke(ItemLayer::Columns, doc_.pen(item.a));
        e.kind = Kind::Insert;
        e.text = QString::fromUtf8(kBlockThrough);
        e.points = {m_.map((item.x1 + item.x2) / 2.0, (item.y1 + item.y2) / 2.0)};
        e.radius = w / 2.0 * m_.mmPerTwip;
        blocksUsed.insert(e.text);
        entities.push_back(std::move(e));
        return true;
    }

    void addEllipse(const PageItem &item, ItemLayer layer)
    {
        const QPointF c = m_.map((item.x1 + item.x2) / 2.0, (item.y1 + item.y2) / 2.0);
        const double rx = std::fabs(item.x2 - item.x1) / 2.0 * m_.mmPerTwip;
        const double ry = std::fabs(item.y2 - item.y1) / 2.0 * m_.mmPerTwip;
        const PrintBrush &brush = doc_.brush(item.b);
        if (brush.style != kBrushStyleTransparent) {
            std::vector<QPointF> ring;
            for (int i = 0; i < 48; ++i) {
                const double a = i * 2 * M_PI / 48;
                ring.emplace_back(c.x() + rx * std::cos(a), c.y() + ry * std::sin(a));
            }
            addFill(ring, layer, brush, false);
        }
        const PrintPen &pen = doc_.pen(item.a);
        if (pen.style == kPenStyleNone || rx <= 0 || ry <= 0)
            return;
        Entity e = stroke(layer, pen);
        e.points = {c};
        if (std::fabs(rx - ry) < 1e-9) {
            e.kind = Kind::Circle;
            e.radius = rx;
        } else {
            e.kind = Kind::Ellipse;
            e.radius = std::max(rx, ry);
            e.ratio = std::min(rx, ry) / std::max(rx, ry);
            e.angle = rx >= ry ? 0 : 90;
        }
        entities.push_back(std::move(e));
    }

    const FontInfo &fontInfo(std::uint32_t index)
    {
        auto it = fonts_.find(index);
        if (it == fonts_.end()) {
            const QFontMetricsF fm(TwipsFont(doc_.font(index)));
            FontInfo info{fm.ascent(), fm.capHeight(), fm};
            if (info.capHeight <= 0)
                info.capHeight = 0.7 * doc_.font(index).points * kPrintTwipsPerPoint;
            it = fonts_.insert(index, info);
        }
        return it.value();
    }

    QString styleOf(const PrintFont &f)
    {
        const QString name = f.bold ? f.name + QStringLiteral("_BOLD") : f.name;
        for (const auto &s : styles)
            if (s.first == name)
                return name;
        styles.emplace_back(name, f);
        return name;
    }

    void addText(const PageItem &item, ItemLayer layer)
    {
        const QString &text = doc_.string(item.a);
        if (text.trimmed().isEmpty())
            return;
        const PrintFont &font = doc_.font(item.b);
        const FontInfo &info = fontInfo(item.b);
        // The baseline start in the page, turned with the text about its anchor (counter-clockwise on paper).
        const double a = item.angle / 10.0 * M_PI / 180.0;
        const double dx = item.x2, dy = item.y2 + info.ascent;
        const double px = item.x1 + dx * std::cos(a) + dy * std::sin(a);
        const double py = item.y1 - dx * std::sin(a) + dy * std::cos(a);
        Entity e;
        e.kind = Kind::Text;
        e.layer = layer;
        e.color = ColorOn(layer, item.c);
        e.points = {m_.map(px, py)};
        // The far corners for the extents: advance along the baseline, ascent above it.
        const double w = info.metrics.horizontalAdvance(text);
        auto corner = [&](double along, double up) {
            return m_.map(px + along * std::cos(a) - up * std::sin(a),
                          py - along * std::sin(a) - up * std::cos(a));
        };
        e.points.push_back(corner(w, 0));
        e.points.push_back(corner(w, info.ascent));
        e.points.push_back(corner(0, info.ascent));
        // Line names and dimension values the page centres on their line or between their marks: CAD
        // keeps them centred there whatever font it draws them in.
        e.centred = layer == ItemLayer::Names || layer == ItemLayer::Dims;
        if (e.centred)
            e.points.push_back(corner(w / 2, 0));
        e.text = text;
        e.style = styleOf(font);
        e.height = info.capHeight * m_.mmPerTwip;
        e.angle = item.angle / 10.0;
        entities.push_back(std::move(e));
    }

    // The floor and void cells, each run of cells sharing sides as one hatch whose boundary is the region's
    // outline (with its holes); an outlined fill's outline as closed polylines.
    void addFloorRegions()
    {
        if (cells_.empty())
            return;
        // Cells of one fill that share a side belong to one region.
        std::vector<int> parent(cells_.size());
        for (size_t i = 0; i < parent.size(); ++i)
            parent[i] = static_cast<int>(i);
        auto find = [&](int i) {
            while (parent[static_cast<size_t>(i)] != i) {
                parent[static_cast<size_t>(i)] = parent[static_cast<size_t>(parent[static_cast<size_t>(i)])];
                i = parent[static_cast<size_t>(i)];
            }
            return i;
        };
        struct SideKey {
            int x1, y1, x2, y2, style;
            QRgb color;
            bool operator==(const SideKey &o) const
            {
                return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2 && style == o.style &&
                       color == o.color;
            }
        };
        struct SideHash {
            size_t operator()(const SideKey &k) const
            {
                size_t h = std::hash<long long>()((static_cast<long long>(k.x1) << 32) ^ k.y1);
                h ^= std::hash<long long>()((static_cast<long long>(k.x2) << 32) ^ k.y2) + 0x9e3779b9 +
                     (h << 6) + (h >> 2);
                return h ^ (static_cast<size_t>(k.style) * 31 + k.color);
            }
        };
        // Each cell's sides, directed round it; a side met twice lies inside its region.
        auto sidesOf = [](const Cell &c) {
            return std::array<std::array<int, 4>, 4>{{{c.x1, c.y1, c.x2, c.y1},
                                                      {c.x2, c.y1, c.x2, c.y2},
                                                      {c.x2, c.y2, c.x1, c.y2},
                                                      {c.x1, c.y2, c.x1, c.y1}}};
        };
        std::unordered_map<SideKey, int, SideHash> sideOwner;
        sideOwner.reserve(cells_.size() * 4);
        for (size_t i = 0; i < cells_.size(); ++i) {
            const Cell &c = cells_[i];
            for (const auto &s : sidesOf(c)) {
                const SideKey key{std::min(s[0], s[2]), std::min(s[1], s[3]), std::max(s[0], s[2]),
                                  std::max(s[1], s[3]), c.brushStyle, c.brushColor};
                const auto [it, added] = sideOwner.emplace(key, static_cast<int>(i));
                if (!added) {
                    parent[static_cast<size_t>(find(it->second))] = find(static_cast<int>(i));
                    it->second = -1;  // inside
                }
            }
        }
        // The outer sides of each region, chained into loops.
        std::map<int, std::vector<std::array<int, 4>>> regionSides;
        for (size_t i = 0; i < cells_.size(); ++i) {
            const Cell &c = cells_[i];
            for (const auto &s : sidesOf(c)) {
                const SideKey key{std::min(s[0], s[2]), std::min(s[1], s[3]), std::max(s[0], s[2]),
                                  std::max(s[1], s[3]), c.brushStyle, c.brushColor};
                if (sideOwner.at(key) >= 0)
                    regionSides[find(static_cast<int>(i))].push_back(s);
            }
        }
        // Drawn where the page drew its first cell: under the walls and columns drawn after it.
        std::vector<Entity> regions;
        size_t penIndex = 0;
        std::vector<int> penOfCell(cells_.size(), -1);
        for (size_t i = 0; i < cells_.size(); ++i)
            if (cells_[i].outlined)
                penOfCell[i] = static_cast<int>(penIndex++);
        for (auto &[root, sides] : regionSides) {
            const Cell &c = cells_[static_cast<size_t>(root)];
            std::vector<std::vector<QPointF>> loops = ChainLoops(sides);
            // The outer boundary first, then its holes.
            auto area = [](const std::vector<QPointF> &l) {
                double a = 0;
                for (size_t k = 0; k < l.size(); ++k)
                    a += l[k].x() * l[(k + 1) % l.size()].y() - l[(k + 1) % l.size()].x() * l[k].y();
                return std::fabs(a);
            };
            std::stable_sort(loops.begin(), loops.end(),
                             [&](const auto &a, const auto &b) { return area(a) > area(b); });
            Entity e;
            e.layer = ItemLayer::Floors;
            e.color = ColorOn(ItemLayer::Floors, c.brushColor);
            e.hatchStyle = c.brushStyle;
            e.hatchSpacing = kHatchRepeatTwips * m_.mmPerTwip;
            e.kind = Kind::Hatch;
            for (auto &loop : loops) {
                for (QPointF &p : loop)
                    p = m_.map(p.x(), p.y());
                e.loops.push_back(loop);
            }
            const bool solidWhite = c.brushStyle == kBrushStyleSolid && AciOf(c.brushColor) == 7 &&
                                    qRed(c.brushColor) > 240;
            if (!solidWhite)
                regions.push_back(e);
            if (!c.outlined)
                continue;
            for (const auto &loop : e.loops) {
                Entity outline = stroke(ItemLayer::Floors, cellPens_[static_cast<size_t>(
                                                               penOfCell[static_cast<size_t>(root)])]);
                outline.kind = Kind::Polyline;
                outline.points = loop;
                regions.push_back(std::move(outline));
            }
        }
        entities.insert(entities.begin() + static_cast<std::ptrdiff_t>(std::min(floorsAt_, entities.size())),
                        std::make_move_iterator(regions.begin()), std::make_move_iterator(regions.end()));
    }

    // Directed sides (x1, y1, x2, y2) into closed loops, straight runs joined into one side.
    static std::vector<std::vector<QPointF>> ChainLoops(const std::vector<std::array<int, 4>> &sides)
    {
        std::unordered_multimap<long long, size_t> from;
        auto key = [](int x, int y) { return (static_cast<long long>(x) << 32) ^ static_cast<unsigned>(y); };
        for (size_t i = 0; i < sides.size(); ++i)
            from.emplace(key(sides[i][0], sides[i][1]), i);
        std::vector<bool> used(sides.size(), false);
        std::vector<std::vector<QPointF>> loops;
        for (size_t start = 0; start < sides.size(); ++start) {
            if (used[start])
                continue;
            std::vector<QPoint> corners;
            size_t i = start;
            while (!used[i]) {
                used[i] = true;
                corners.emplace_back(sides[i][0], sides[i][1]);
                const auto range = from.equal_range(key(sides[i][2], sides[i][3]));
                size_t next = start;
                for (auto it = range.first; it != range.second; ++it)
                    if (!used[it->second]) {
                        next = it->second;
                        break;
                    }
                i = next;
            }
            // Corners where the outline runs straight on are left out.
            std::vector<QPointF> loop;
            const size_t n = corners.size();
            for (size_t k = 0; k < n; ++k) {
                const QPoint &a = corners[(k + n - 1) % n], &b = corners[k], &c = corners[(k + 1) % n];
                const long long cross = static_cast<long long>(b.x() - a.x()) * (c.y() - b.y()) -
                                        static_cast<long long>(b.y() - a.y()) * (c.x() - b.x());
                if (cross != 0 || n <= 3)
                    loop.emplace_back(b);
            }
            if (loop.size() >= 3)
                loops.push_back(std::move(loop));
        }
        return loops;
    }

    // Grid, wall and beam lines stop at the filled column squares the page paints over them.
    void breakLinesAtColumns()
    {
        if (squares_.empty())
            return;
        constexpr double kCell = 2000.0;  // mm
        std::unordered_map<long long, std::vector<size_t>> buckets;
        auto cellKey = [](long long cx, long long cy) { return (cx << 32) ^ (cy & 0xffffffffLL); };
        for (size_t i = 0; i < squares_.size(); ++i) {
            const QRectF &r = squares_[i];
            for (auto cx = static_cast<long long>(std::floor(r.left() / kCell));
                 cx <= static_cast<long long>(std::floor(r.right() / kCell)); ++cx)
                for (auto cy = static_cast<long long>(std::floor(r.top() / kCell));
                     cy <= static_cast<long long>(std::floor(r.bottom() / kCell)); ++cy)
                    buckets[cellKey(cx, cy)].push_back(i);
        }
        std::vector<Entity> out;
        out.reserve(entities.size());
        std::vector<std::pair<double, double>> covered;
        std::vector<size_t> seen;
        for (Entity &e : entities) {
            const bool breaks = e.kind == Kind::Line && (e.layer == ItemLayer::Grid ||
                                                         e.layer == ItemLayer::Walls || e.layer == ItemLayer::Beams);
            if (!breaks) {
                out.push_back(std::move(e));
                continue;
            }
            const QPointF a = e.points[0], b = e.points[1];
            const bool horizontal = std::fabs(a.y() - b.y()) < 1e-9, vertical = std::fabs(a.x() - b.x()) < 1e-9;
            if (horizontal == vertical) {  // a slanting line or a point
                out.push_back(std::move(e));
                continue;
            }
            const double lo = horizontal ? std::min(a.x(), b.x()) : std::min(a.y(), b.y());
            const double hi = horizontal ? std::max(a.x(), b.x()) : std::max(a.y(), b.y());
            const double at = horizontal ? a.y() : a.x();
            covered.clear();
            seen.clear();
            const auto fixed = static_cast<long long>(std::floor(at / kCell));
            for (auto k = static_cast<long long>(std::floor(lo / kCell));
                 k <= static_cast<long long>(std::floor(hi / kCell)); ++k) {
                const auto it = buckets.find(horizontal ? cellKey(k, fixed) : cellKey(fixed, k));
                if (it == buckets.end())
                    continue;
                for (const size_t i : it->second) {
                    const QRectF &r = squares_[i];
                    const double acrossLo = horizontal ? r.top() : r.left();
                    const double acrossHi = horizontal ? r.bottom() : r.right();
                    if (at <= acrossLo || at >= acrossHi)
                        continue;
                    const double s = horizontal ? r.left() : r.top();
                    const double t = horizontal ? r.right() : r.bottom();
                    if (t <= lo || s >= hi)
                        continue;
                    if (std::find(seen.begin(), seen.end(), i) != seen.end())
                        continue;
                    seen.push_back(i);
                    covered.emplace_back(s, t);
                }
            }
            if (covered.empty()) {
                out.push_back(std::move(e));
                continue;
            }
            std::sort(covered.begin(), covered.end());
            double pos = lo;
            auto piece = [&](double s, double t) {
                if (t - s < 1e-6)
                    return;
                Entity part = e;
                part.points = horizontal ? std::vector<QPointF>{{s, at}, {t, at}}
                                         : std::vector<QPointF>{{at, s}, {at, t}};
                out.push_back(std::move(part));
            };
            for (const auto &[s, t] : covered) {
                if (s > pos)
                    piece(pos, std::min(s, hi));
                pos = std::max(pos, t);
            }
            piece(pos, hi);
        }
        entities = std::move(out);
    }

    // The page may draw a line or a shape twice (a side two figure routines share): once in the drawing.
    // Entities are the same when their kind, layer, pen and text agree and their points agree to 0.001 mm.
    void removeDuplicates()
    {
        auto rounded = [](double v) { return std::llround(v * 1000.0); };
        auto pointsOf = [](const Entity &e) {
            std::vector<QPointF> pts = e.points;
            if (e.kind == Kind::Line && (pts[1].x() < pts[0].x() ||
                                         (pts[1].x() == pts[0].x() && pts[1].y() < pts[0].y())))
                std::swap(pts[0], pts[1]);
            return pts;
        };
        auto hashOf = [&](const Entity &e) {
            size_t h = static_cast<size_t>(e.kind) * 131 + static_cast<size_t>(e.layer);
            auto mix = [&h](long long v) { h ^= std::hash<long long>()(v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
            mix(e.color);
            mix(e.lineweight);
            for (const QPointF &p : pointsOf(e)) {
                mix(rounded(p.x()));
                mix(rounded(p.y()));
            }
            for (const auto &loop : e.loops)
                for (const QPointF &p : loop) {
                    mix(rounded(p.x()));
                    mix(rounded(p.y()));
                }
            mix(rounded(e.radius));
            mix(static_cast<long long>(qHash(e.text)));
            return h;
        };
        auto same = [&](const Entity &a, const Entity &b) {
            if (a.kind != b.kind || a.layer != b.layer || a.color != b.color || a.lineweight != b.lineweight ||
                a.text != b.text || a.style != b.style || a.hatchStyle != b.hatchStyle ||
                rounded(a.radius) != rounded(b.radius) || rounded(a.angle) != rounded(b.angle) ||
                rounded(a.height) != rounded(b.height) || a.loops.size() != b.loops.size())
                return false;
            const std::vector<QPointF> pa = pointsOf(a), pb = pointsOf(b);
            auto equal = [&](const std::vector<QPointF> &u, const std::vector<QPointF> &v) {
                if (u.size() != v.size())
                    return false;
                for (size_t k = 0; k < u.size(); ++k)
                    if (rounded(u[k].x()) != rounded(v[k].x()) || rounded(u[k].y()) != rounded(v[k].y()))
                        return false;
                return true;
            };
            if (!equal(pa, pb))
                return false;
            for (size_t k = 0; k < a.loops.size(); ++k)
                if (!equal(a.loops[k], b.loops[k]))
                    return false;
            return true;
        };
        std::unordered_map<size_t, std::vector<size_t>> kept;
        kept.reserve(entities.size());
        std::vector<Entity> out;
        out.reserve(entities.size());
        for (Entity &e : entities) {
            std::vector<size_t> &bucket = kept[hashOf(e)];
            if (std::any_of(bucket.begin(), bucket.end(), [&](size_t i) { return same(out[i], e); }))
                continue;
            bucket.push_back(out.size());
            out.push_back(std::move(e));
        }
        entities = std::move(out);
    }

    const PrintDocument &doc_;
    const Mapping &m_;
    QHash<std::uint32_t, FontInfo> fonts_;
    std::vector<Cell> cells_;
    size_t floorsAt_ = 0;  // the entity index of the first cell
    std::vector<PrintPen> cellPens_;
    std::vector<QRectF> squares_;  // filled column squares, mm
};

DL_Attributes Attributes(const Entity &e)
{
    return DL_Attributes(DxfLayerName(e.layer).toStdString(), e.color, -1, e.lineweight, "BYLAYER");
}

// The common groups of an entity written by hand.
void EntityStart(DL_WriterA &w, const char *type, const Entity &e)
{
    w.entity(type);
    w.dxfString(100, "AcDbEntity");
    w.entityAttributes(Attributes(e));
}

// The pattern lines of the page's hatches: each family of parallel lines at its angle, `spacing` mm apart
// (the page's hatch repeat), as the predefined pattern they name defines them, scaled to the page.
struct PatternLine {
    double angle;
    double spacing;
};
struct Pattern {
    const char *name;
    double angle;  // the pattern's turn against its definition
    std::vector<PatternLine> lines;
};
Pattern PatternOf(int hatchStyle, double repeat)
{
    const double diagonal = repeat / std::sqrt(2.0);
    switch (hatchStyle) {
        case kBrushStyleHorizontal:
            return {"LINE", 0, {{0, repeat}}};
        case kBrushStyleVertical:
            return {"LINE", 90, {{90, repeat}}};
        case kBrushStyleForwardDiagonal:  // "\\\\" on paper
            return {"ANSI31", 90, {{135, diagonal}}};
        case kBrushStyleBackwardDiagonal:  // "////"
            return {"ANSI31", 0, {{45, diagonal}}};
        case kBrushStyleCross:
            return {"NET", 0, {{0, repeat}, {90, repeat}}};
        case kBrushStyleDiagonalCross:
            return {"ANSI37", 0, {{45, diagonal}, {135, diagonal}}};
        default:
            return {"SOLID", 0, {}};
    }
}
// The spacing of the predefined patterns' lines at scale 1 (acadiso.pat: 3.175 mm).
constexpr double kPatternUnit = 3.175;

void WriteHatch(DL_WriterA &w, const Entity &e)
{
    const Pattern pattern = PatternOf(e.hatchStyle, e.hatchSpacing);
    const bool solid = pattern.lines.empty();
    EntityStart(w, "HATCH", e);
    w.dxfString(100, "AcDbHatch");
    w.coord(10, 0, 0, 0);
    w.dxfReal(210, 0.0);
    w.dxfReal(220, 0.0);
    w.dxfReal(230, 1.0);
    w.dxfString(2, pattern.name);
    w.dxfInt(70, solid ? 1 : 0);
    w.dxfInt(71, 0);
    w.dxfInt(91, static_cast<int>(e.loops.size()));
    for (size_t k = 0; k < e.loops.size(); ++k) {
        const std::vector<QPointF> &loop = e.loops[k];
        w.dxfInt(92, k == 0 ? 3 : 2);  // a polyline boundary; the first the outer one
        w.dxfInt(72, 0);
        w.dxfInt(73, 1);
        w.dxfInt(93, static_cast<int>(loop.size()));
        for (const QPointF &p : loop) {
            w.dxfReal(10, p.x());
            w.dxfReal(20, p.y());
        }
        w.dxfInt(97, 0);
    }
    w.dxfInt(75, 0);  // odd parity: holes stay open
    w.dxfInt(76, 1);  // predefined
    if (!solid) {
        const double scale = pattern.lines.front().spacing / kPatternUnit;
        w.dxfReal(52, pattern.angle);
        w.dxfReal(41, scale);
        w.dxfInt(77, 0);
        w.dxfInt(78, static_cast<int>(pattern.lines.size()));
        for (const PatternLine &l : pattern.lines) {
            const double a = l.angle * M_PI / 180.0;
            w.dxfReal(53, l.angle);
            w.dxfReal(43, 0.0);
            w.dxfReal(44, 0.0);
            // The offset between neighbouring lines, across them.
            w.dxfReal(45, -l.spacing * std::sin(a));
            w.dxfReal(46, l.spacing * std::cos(a));
            w.dxfInt(79, 0);
        }
    }
    w.dxfInt(98, 0);
}

void WriteEntity(DL_Dxf &dxf, DL_WriterA &w, const Entity &e)
{
    const DL_Attributes attributes = Attributes(e);
    switch (e.kind) {
        case Kind::Line:
            dxf.writeLine(
                w, DL_LineData(e.points[0].x(), e.points[0].y(), 0, e.points[1].x(), e.points[1].y(), 0),
                attributes);
            break;
        case Kind::Polyline:
            dxf.writePolyline(
                w, DL_PolylineData(static_cast<int>(e.points.size()), 0, 0, e.points.size() > 2 ? 1 : 0),
                attributes);
            for (const QPointF &p : e.points)
                dxf.writeVertex(w, DL_VertexData(p.x(), p.y(), 0, 0));
            dxf.writePolylineEnd(w);
            break;
        case Kind::Solid:
            dxf.writeSolid(
                w,
                DL_SolidData(e.points[0].x(), e.points[0].y(), 0, e.points[1].x(), e.points[1].y(), 0,
                             e.points[2].x(), e.points[2].y(), 0, e.points[3].x(), e.points[3].y(), 0, 0),
                attributes);
            break;
        case Kind::Hatch:
            WriteHatch(w, e);
            break;
        case Kind::Circle:
            dxf.writeCircle(w, DL_CircleData(e.points[0].x(), e.points[0].y(), 0, e.radius), attributes);
            break;
        case Kind::Ellipse: {
            const double a = e.angle * M_PI / 180.0;
            dxf.writeEllipse(w,
                             DL_EllipseData(e.points[0].x(), e.points[0].y(), 0, e.radius * std::cos(a),
                                            e.radius * std::sin(a), 0, e.ratio, 0, 2 * M_PI),
                             attributes);
            break;
        }
        case Kind::Insert:
            dxf.writeInsert(w,
                            DL_InsertData(DxfText(e.text), e.points[0].x(), e.points[0].y(), 0, e.radius,
                                          e.radius, 1, 0, 1, 1, 0, 0),
                            attributes);
            break;
        case Kind::Text: {
            const std::string text = DxfText(e.text);
            const QPointF &at = e.centred ? e.points[4] : e.points[0];
            const DL_TextData data(e.points[0].x(), e.points[0].y(), 0, at.x(), at.y(), 0, e.height, 1.0, 0,
                                   e.centred ? 1 : 0, 0, text, DxfText(e.style), e.angle * M_PI / 180.0);
            dxf.writeText(w, data, attributes);
            break;
        }
    }
}

// The column blocks, of unit size about their insertion point, drawn in the colour and lineweight of the
// layer they are inserted on.
void WriteBlocks(DL_Dxf &dxf, DL_WriterA &w, const std::set<QString> &used)
{
    const DL_Attributes inBlock("0", 0, -1, -2, "BYBLOCK");
    for (const char *name : kBlocks) {
        const QString q = QString::fromUtf8(name);
        if (used.count(q) == 0)
            continue;
        const std::string block = DxfText(q);
        dxf.writeBlock(w, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        if (q == QString::fromUtf8(kBlockThrough)) {
            dxf.writeCircle(w, DL_CircleData(0, 0, 0, 1.0), inBlock);
        } else {
            if (q == QString::fromUtf8(kBlockColumnFilled))
                dxf.writeSolid(w, DL_SolidData(-0.5, -0.5, 0, 0.5, -0.5, 0, -0.5, 0.5, 0, 0.5, 0.5, 0, 0),
                               inBlock);
            dxf.writePolyline(w, DL_PolylineData(4, 0, 0, 1), inBlock);
            for (const auto &[x, y] : {std::pair{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}})
                dxf.writeVertex(w, DL_VertexData(x, y, 0, 0));
            dxf.writePolylineEnd(w);
        }
        dxf.writeEndBlock(w, block);
    }
}

// The font file of a page font: the MS fonts' own files, which CAD programs on Japanese systems know.
std::string FontFileOf(const PrintFont &f)
{
    return f.name.contains(QStringLiteral("ゴシック")) ? "msgothic.ttc" : "msmincho.ttc";
}

unsigned long WriteStyle(DL_WriterA &w, const std::string &name, const std::string &fontFile,
                         const std::string &family, int flags)
{
    w.dxfString(0, "STYLE");
    const unsigned long handle = w.handle();
    w.dxfString(100, "AcDbSymbolTableRecord");
    w.dxfString(100, "AcDbTextStyleTableRecord");
    w.dxfString(2, name);
    w.dxfInt(70, 0);
    w.dxfReal(40, 0.0);
    w.dxfReal(41, 1.0);
    w.dxfReal(50, 0.0);
    w.dxfInt(71, 0);
    w.dxfReal(42, 2.5);
    w.dxfString(3, fontFile);
    w.dxfString(4, "");
    // The family in the extended data, as CAD programs store TrueType fonts; bold as its flag.
    w.dxfString(1001, "ACAD");
    w.dxfString(1000, family);
    w.dxfInt(1071, flags);
    return handle;
}

// The standard dimension style, as the library writes it, naming the standard text style written here.
void WriteDimStyle(DL_WriterA &w, unsigned long standardStyle)
{
    w.dxfString(0, "TABLE");
    w.dxfString(2, "DIMSTYLE");
    w.dxfHex(5, 0xA);
    w.dxfString(100, "AcDbSymbolTable");
    w.dxfInt(70, 1);
    w.dxfString(100, "AcDbDimStyleTable");
    w.dxfInt(71, 0);
    w.dxfString(0, "DIMSTYLE");
    w.dxfHex(105, 0x27);
    w.dxfString(100, "AcDbSymbolTableRecord");
    w.dxfString(100, "AcDbDimStyleTableRecord");
    w.dxfString(2, "Standard");
    w.dxfReal(41, 2.5);
    w.dxfReal(42, 0.625);
    w.dxfReal(43, 3.75);
    w.dxfReal(44, 0.625);
    w.dxfInt(70, 0);
    w.dxfInt(73, 0);
    w.dxfInt(74, 0);
    w.dxfInt(77, 1);
    w.dxfInt(78, 8);
    w.dxfReal(140, 2.5);
    w.dxfReal(141, 2.5);
    w.dxfReal(143, 0.03937);
    w.dxfReal(147, 0.625);
    w.dxfInt(171, 3);
    w.dxfInt(172, 1);
    w.dxfInt(271, 2);
    w.dxfInt(272, 2);
    w.dxfInt(274, 3);
    w.dxfInt(278, 44);
    w.dxfInt(283, 0);
    w.dxfInt(284, 8);
    w.dxfHex(340, static_cast<int>(standardStyle));
    w.tableEnd();
}

struct Extents {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool any = false;
    void add(double x, double y, double r = 0)
    {
        minX = any ? std::min(minX, x - r) : x - r;
        minY = any ? std::min(minY, y - r) : y - r;
        maxX = any ? std::max(maxX, x + r) : x + r;
        maxY = any ? std::max(maxY, y + r) : y + r;
        any = true;
    }
};

QByteArray WriteDrawing(const std::vector<Entity> &entities,
                        const std::vector<std::pair<QString, PrintFont>> &styles, const std::set<QString> &blocks,
                        double paperMm)
{
    Extents ext;
    for (const Entity &e : entities) {
        double r = 0;
        if (e.kind == Kind::Circle || e.kind == Kind::Ellipse)
            r = e.radius;
        else if (e.kind == Kind::Insert)
            r = e.text == QString::fromUtf8(kBlockThrough) ? e.radius : e.radius / 2;
        for (const QPointF &p : e.points)
            ext.add(p.x(), p.y(), r);
        for (const auto &loop : e.loops)
            for (const QPointF &p : loop)
                ext.add(p.x(), p.y());
    }

    DL_Dxf dxf;
    ByteWriter writer;
    DL_WriterA &w = writer;
    dxf.writeHeader(w);
    w.dxfString(9, "$DWGCODEPAGE");
    w.dxfString(3, "ANSI_932");
    w.dxfString(9, "$INSUNITS");
    w.dxfInt(70, 4);  // millimetres
    w.dxfString(9, "$MEASUREMENT");
    w.dxfInt(70, 1);  // metric
    w.dxfString(9, "$LWDISPLAY");
    w.dxfInt(290, 1);
    w.dxfString(9, "$EXTMIN");
    w.dxfReal(10, ext.minX);
    w.dxfReal(20, ext.minY);
    w.dxfReal(30, 0.0);
    w.dxfString(9, "$EXTMAX");
    w.dxfReal(10, ext.maxX);
    w.dxfReal(20, ext.maxY);
    w.dxfReal(30, 0.0);
    w.dxfString(9, "$LTSCALE");
    w.dxfReal(40, 1.0);
    w.sectionEnd();

    w.sectionTables();
    // The active viewport shows the whole drawing.
    const double width = std::max(ext.maxX - ext.minX, 1.0), height = std::max(ext.maxY - ext.minY, 1.0);
    w.table("VPORT", 1, 8);
    w.dxfString(0, "VPORT");
    w.handle();
    w.dxfString(100, "AcDbSymbolTableRecord");
    w.dxfString(100, "AcDbViewportTableRecord");
    w.dxfString(2, "*Active");
    w.dxfInt(70, 0);
    w.coord(10, 0, 0);
    w.dxfReal(11, 1.0);
    w.dxfReal(21, 1.0);
    w.dxfReal(12, (ext.minX + ext.maxX) / 2);
    w.dxfReal(22, (ext.minY + ext.maxY) / 2);
    w.dxfReal(13, 0.0);
    w.dxfReal(23, 0.0);
    w.dxfReal(14, 10.0);
    w.dxfReal(24, 10.0);
    w.dxfReal(15, 10.0);
    w.dxfReal(25, 10.0);
    w.dxfReal(16, 0.0);
    w.dxfReal(26, 0.0);
    w.dxfReal(36, 1.0);
    w.dxfReal(17, 0.0);
    w.dxfReal(27, 0.0);
    w.dxfReal(37, 0.0);
    w.dxfReal(40, height * 1.05);
    w.dxfReal(41, width / height);
    w.dxfReal(42, 50.0);
    w.dxfReal(43, 0.0);
    w.dxfReal(44, 0.0);
    w.dxfReal(50, 0.0);
    w.dxfReal(51, 0.0);
    w.dxfInt(71, 0);
    w.dxfInt(72, 100);
    w.dxfInt(73, 1);
    w.dxfInt(74, 3);
    w.dxfInt(75, 0);
    w.dxfInt(76, 0);
    w.dxfInt(77, 0);
    w.dxfInt(78, 0);
    w.tableEnd();

    // Linetypes: the chain line of the grid and a dashed line, their dashes as long on paper at the
    // figure's scale as on the page (`paperMm`: drawing millimetres per paper millimetre).
    double chain[] = {6.0 * paperMm, -1.0 * paperMm, 1.0 * paperMm, -1.0 * paperMm};
    double dashed[] = {3.0 * paperMm, -1.5 * paperMm};
    w.tableLinetypes(5);
    dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("CENTER", "Center ____ _ ____ _", 0, 4, 9.0 * paperMm, chain));
    dxf.writeLinetype(w, DL_LinetypeData("DASHED", "Dashed __ __ __", 0, 2, 4.5 * paperMm, dashed));
    w.tableEnd();
    w.tableLayers(kItemLayerCount + 1);
    dxf.writeLayer(w, DL_LayerData("0", 0), DL_Attributes("", 7, -1, -3, "CONTINUOUS"));
    for (int i = 0; i < kItemLayerCount; ++i) {
        const LayerStyle &s = kLayerStyles[i];
        dxf.writeLayer(w, DL_LayerData(DxfLayerName(static_cast<ItemLayer>(i)).toStdString(), 0),
                       DL_Attributes("", s.aci, -1, s.lineweight, s.linetype));
    }
    w.tableEnd();
    // Text styles: one per page font, named after it, with the font's file and, in the extended data, its
    // family name; bold as the family's bold flag.
    w.tableStyle(static_cast<int>(styles.size()) + 1);
    const unsigned long standardStyle =
        WriteStyle(w, "Standard", "msmincho.ttc", DxfText(QStringLiteral("ＭＳ 明朝")), 0);
    for (const auto &[name, font] : styles)
        WriteStyle(w, DxfText(name), FontFileOf(font), DxfText(font.name),
                   (font.bold ? 0x2000000 : 0) | (font.italic ? 0x1000000 : 0));
    w.tableEnd();
    dxf.writeView(w);
    dxf.writeUcs(w);
    w.tableAppid(1);
    dxf.writeAppid(w, "ACAD");
    w.tableEnd();
    WriteDimStyle(w, standardStyle);
    dxf.writeBlockRecord(w);
    for (const char *name : kBlocks)
        if (blocks.count(QString::fromUtf8(name)) != 0)
            dxf.writeBlockRecord(w, DxfText(QString::fromUtf8(name)));
    w.tableEnd();
    w.sectionEnd();

    w.sectionBlocks();
    dxf.writeBlock(w, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, "*Model_Space");
    dxf.writeBlock(w, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, "*Paper_Space");
    dxf.writeBlock(w, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, "*Paper_Space0");
    WriteBlocks(dxf, w, blocks);
    w.sectionEnd();

    w.sectionEntities();
    for (const Entity &e : entities)
        WriteEntity(dxf, w, e);
    w.sectionEnd();
    dxf.writeObjects(w);
    dxf.writeObjectsEnd(w);
    w.dxfEOF();
    // The next free handle, now that every handle is given (the library writes a fixed one).
    const QByteArray seed = QByteArrayLiteral("$HANDSEED\r\n  5\r\n");
    const qsizetype at = writer.bytes.indexOf(seed);
    if (at >= 0) {
        const qsizetype value = at + seed.size();
        const qsizetype valueEnd = writer.bytes.indexOf("\r\n", value);
        writer.bytes.replace(value, valueEnd - value,
                             QByteArray::number(static_cast<qulonglong>(w.getNextHandle()), 16).toUpper());
    }
    return writer.bytes;
}

QString FileNameOf(const QString &name)
{
    QString out = name.trimmed();
    for (QChar &c : out)
        if (c < QChar(0x20) || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    if (out.isEmpty() || out.startsWith(QLatin1Char('.')))
        out.prepend(QStringLiteral("figure"));
    return out;
}

}  // namespace

QString DxfLayerName(ItemLayer layer)
{
    static const char *const kNames[kItemLayerCount] = {"SHEET",  "GRID",  "NAMES",   "FLOORS",
                                                        "WALLS",  "BEAMS", "COLUMNS", "HARDWARE",
                                                        "LABELS", "TEXT",  "DIMS",    "QUARTERS"};
    const int i = static_cast<int>(layer);
    return QString::fromLatin1(i >= 0 && i < kItemLayerCount ? kNames[i] : kNames[0]);
}

std::vector<DxfDrawing> DocumentDrawings(const PrintDocument &doc)
{
    std::vector<DxfDrawing> out;
    QSet<QString> taken;
    for (int n = 1; n <= doc.pageCount(); ++n) {
        const std::vector<PageFigure> &figures = doc.page(n).figures;
        for (size_t i = 0; i < figures.size(); ++i) {
            const QString base = FileNameOf(figures[i].name);
            QString name = base + QStringLiteral(".dxf");
            for (int k = 2; taken.contains(name.toLower()); ++k)
                name = base + QStringLiteral(" (%1).dxf").arg(k);
            taken.insert(name.toLower());
            out.push_back({n, static_cast<int>(i), name});
        }
    }
    return out;
}

QByteArray DrawingToDxf(const PrintDocument &doc, const DxfDrawing &drawing, bool withRestOfPage)
{
    if (drawing.page < 1 || drawing.page > doc.pageCount())
        return {};
    const PrintPage &page = doc.page(drawing.page);
    const bool figure = drawing.figure >= 0 && drawing.figure < static_cast<int>(page.figures.size());
    Mapping m;
    std::vector<double> linesX, linesY;
    std::uint32_t first = 0, end = static_cast<std::uint32_t>(page.items.size());
    if (figure) {
        const PageFigure &f = page.figures[static_cast<size_t>(drawing.figure)];
        linesX = f.linesX;
        linesY = f.linesY;
        std::sort(linesX.begin(), linesX.end());
        std::sort(linesY.begin(), linesY.end());
        m = {f.originX, f.originY, f.mmPerTwip, &linesX, &linesY};
        first = f.first;
        end = std::min(f.end, end);
    } else {
        // No figure: the page itself, in paper millimetres from its lower left corner.
        m.originY = page.height;
        m.mmPerTwip = 10.0 / kPrintTwipsPerCm;
    }
    Converter c(doc, m);
    for (std::uint32_t i = 0; i < page.items.size(); ++i) {
        const PageItem &item = page.items[i];
        const bool inside = i >= first && i < end;
        if (!inside && !withRestOfPage)
            continue;
        const bool paper = !inside || item.flags != 0;
        c.add(page, item, paper ? ItemLayer::Sheet : LayerOfItem(page.layers, i));
    }
    if (figure)
        for (const DrawingOnlyText &t : page.figures[static_cast<size_t>(drawing.figure)].drawingOnly)
            c.addDrawingOnly(t);
    c.finish();
    return WriteDrawing(c.entities, c.styles, c.blocksUsed, m.mmPerTwip * kPrintTwipsPerCm / 10.0);
}

DxfFolderOutcome WriteDxfDrawings(const PrintDocument &doc, const std::vector<DxfDrawing> &drawings,
                                  const QString &folder)
{
    DxfFolderOutcome out;
    const QDir dir(folder);
    for (const DxfDrawing &d : drawings) {
        const QString path = dir.filePath(d.fileName);
        const SaveOutcome saved = SaveFileSafely(path, DrawingToDxf(doc, d, false));
        // A folder that cannot be synced holds the file all the same: the others are written too, and the
        // first such file is told.
        if (saved.ok() || saved.step == SaveStep::SyncFolder)
            out.written << path;
        if (!saved.ok() && out.saved.ok()) {
            out.saved = saved;
            out.failedPath = path;
        }
        if (!saved.ok() && saved.step != SaveStep::SyncFolder)
            return out;
    }
    return out;
}

}  // namespace rqx
