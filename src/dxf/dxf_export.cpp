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
#include <limits>
#include <string>

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
        const QByteArray code = QByteArray::number(gc);
        b.append(QByteArray(std::max<qsizetype>(0, 3 - code.size()), ' ')).append(code).append("\r\n");
        b.append(value).append("\r\n");
    }
};

// A text in the code page the header declares: code page 932 bytes, and \U+XXXX for what it lacks
// (also for the forms Windows would only best-fit, so every character comes back as it was).
std::string DxfText(const QString &text)
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

// Page twips to drawing millimetres.
struct Mapping {
    double originX = 0, originY = 0, mmPerTwip = 1;
    const std::vector<double> *linesX = nullptr;
    const std::vector<double> *linesY = nullptr;

    static double Snap(double v, const std::vector<double> *lines, double tolerance)
    {
        if (lines == nullptr)
            return v;
        for (const double l : *lines)
            if (std::fabs(v - l) <= tolerance)
                return l;
        return v;
    }
    QPointF map(double x, double y) const
    {
        return {Snap((x - originX) * mmPerTwip, linesX, mmPerTwip),
                Snap((originY - y) * mmPerTwip, linesY, mmPerTwip)};
    }
};

enum class Kind { Line, Polyline, Solid, Hatch, Circle, Ellipse, Text };

// One entity of the drawing, in millimetres.
struct Entity {
    Kind kind = Kind::Line;
    ItemLayer layer = ItemLayer::Sheet;
    int color = 7;
    int lineweight = 0;
    std::vector<QPointF> points;  // line ends, polyline / hatch corners, solid corners, circle centre
    double radius = 0;            // circle; ellipse: the major half-axis along x
    double ratio = 1;             // ellipse: minor / major
    int hatchStyle = kBrushStyleSolid;
    QString text;
    QString style;
    double height = 0;
    double angle = 0;  // degrees, counter-clockwise
};

struct FontInfo {
    double ascent = 0;      // twips
    double capHeight = 0;   // twips
    QFontMetricsF metrics;  // twips
};

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
                addEllipse(item, layer);
                break;
            case PageItemKind::Picture:
                break;  // paper pictures have no place in a drawing
        }
    }

private:
    Entity stroke(ItemLayer layer, const PrintPen &pen) const
    {
        Entity e;
        e.layer = layer;
        e.color = AciOf(pen.color);
        e.lineweight = LineweightOf(pen.width);
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
        e.color = AciOf(brush.color);
        e.hatchStyle = brush.style;
        if (rectangle && brush.style == kBrushStyleSolid) {
            // SOLID corners go 1, 2, 4, 3 round the square.
            e.kind = Kind::Solid;
            e.points = {pts[0], pts[1], pts[3], pts[2]};
        } else {
            e.kind = Kind::Hatch;
            e.points = pts;
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
        e.color = AciOf(item.c);
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
        e.text = text;
        e.style = styleOf(font);
        e.height = info.capHeight * m_.mmPerTwip;
        e.angle = item.angle / 10.0;
        entities.push_back(std::move(e));
    }

    const PrintDocument &doc_;
    const Mapping &m_;
    QHash<std::uint32_t, FontInfo> fonts_;
};

DL_Attributes Attributes(const Entity &e)
{
    return DL_Attributes(DxfLayerName(e.layer).toStdString(), e.color, -1, e.lineweight, "CONTINUOUS");
}

void WriteHatch(DL_Dxf &dxf, DL_WriterA &w, const Entity &e)
{
    // The page's hatches as the nearest predefined patterns, at a paper-like spacing.
    QString pattern = QStringLiteral("SOLID");
    double angle = 0;
    switch (e.hatchStyle) {
        case kBrushStyleHorizontal:
            pattern = QStringLiteral("LINE");
            break;
        case kBrushStyleVertical:
            pattern = QStringLiteral("LINE");
            angle = 90;
            break;
        case kBrushStyleForwardDiagonal:
            pattern = QStringLiteral("ANSI31");
            angle = 90;
            break;
        case kBrushStyleBackwardDiagonal:
            pattern = QStringLiteral("ANSI31");
            break;
        case kBrushStyleCross:
            pattern = QStringLiteral("NET");
            break;
        case kBrushStyleDiagonalCross:
            pattern = QStringLiteral("ANSI37");
            break;
        default:
            break;
    }
    const bool solid = e.hatchStyle == kBrushStyleSolid;
    DL_HatchData data(1, solid, solid ? 1.0 : 10.0, angle, pattern.toStdString());
    const DL_Attributes attributes = Attributes(e);
    dxf.writeHatch1(w, data, attributes);
    DL_HatchLoopData loop(static_cast<int>(e.points.size()));
    dxf.writeHatchLoop1(w, loop);
    for (size_t i = 0; i < e.points.size(); ++i) {
        const QPointF &p = e.points[i];
        const QPointF &q = e.points[(i + 1) % e.points.size()];
        dxf.writeHatchEdge(w, DL_HatchEdgeData(p.x(), p.y(), q.x(), q.y()));
    }
    dxf.writeHatchLoop2(w, loop);
    dxf.writeHatch2(w, data, attributes);
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
            WriteHatch(dxf, w, e);
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
        case Kind::Text: {
            const std::string text = DxfText(e.text);
            const DL_TextData data(e.points[0].x(), e.points[0].y(), 0, e.points[0].x(), e.points[0].y(), 0,
                                   e.height, 1.0, 0, 0, 0, text, DxfText(e.style), e.angle * M_PI / 180.0);
            dxf.writeText(w, data, attributes);
            break;
        }
    }
}

QByteArray WriteDrawing(const std::vector<Entity> &entities,
                        const std::vector<std::pair<QString, PrintFont>> &styles)
{
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool any = false;
    for (const Entity &e : entities)
        for (const QPointF &p : e.points) {
            const double r = e.kind == Kind::Circle || e.kind == Kind::Ellipse ? e.radius : 0.0;
            minX = any ? std::min(minX, p.x() - r) : p.x() - r;
            minY = any ? std::min(minY, p.y() - r) : p.y() - r;
            maxX = any ? std::max(maxX, p.x() + r) : p.x() + r;
            maxY = any ? std::max(maxY, p.y() + r) : p.y() + r;
            any = true;
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
    w.dxfReal(10, minX);
    w.dxfReal(20, minY);
    w.dxfReal(30, 0.0);
    w.dxfString(9, "$EXTMAX");
    w.dxfReal(10, maxX);
    w.dxfReal(20, maxY);
    w.dxfReal(30, 0.0);
    w.sectionEnd();

    w.sectionTables();
    dxf.writeVPort(w);
    w.tableLinetypes(3);
    dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    w.tableEnd();
    w.tableLayers(kItemLayerCount + 1);
    dxf.writeLayer(w, DL_LayerData("0", 0), DL_Attributes("", 7, -1, -3, "CONTINUOUS"));
    for (int i = 0; i < kItemLayerCount; ++i)
        dxf.writeLayer(w, DL_LayerData(DxfLayerName(static_cast<ItemLayer>(i)).toStdString(), 0),
                       DL_Attributes("", 7, -1, -3, "CONTINUOUS"));
    w.tableEnd();
    // Text styles: one per page font, named after it, the font's family name in the style's extended
    // data (as CAD programs store TrueType fonts); bold as the family's bold flag.
    w.tableStyle(static_cast<int>(styles.size()) + 1);
    DL_StyleData standard("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, DxfText(QStringLiteral("ＭＳ 明朝")), "");
    dxf.writeStyle(w, standard);
    for (const auto &[name, font] : styles) {
        DL_StyleData style(DxfText(name), 0, 0.0, 1.0, 0.0, 0, 2.5, DxfText(font.name), "");
        style.bold = font.bold;
        style.italic = font.italic;
        dxf.writeStyle(w, style);
    }
    w.tableEnd();
    dxf.writeView(w);
    dxf.writeUcs(w);
    w.tableAppid(1);
    dxf.writeAppid(w, "ACAD");
    w.tableEnd();
    dxf.writeDimStyle(w, 2.5, 0.625, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(w);
    w.tableEnd();
    w.sectionEnd();

    w.sectionBlocks();
    dxf.writeBlock(w, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, "*Model_Space");
    dxf.writeBlock(w, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, "*Paper_Space");
    dxf.writeBlock(w, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, "*Paper_Space0");
    w.sectionEnd();

    w.sectionEntities();
    for (const Entity &e : entities)
        WriteEntity(dxf, w, e);
    w.sectionEnd();
    dxf.writeObjects(w);
    dxf.writeObjectsEnd(w);
    w.dxfEOF();
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
                                                        "LABELS", "TEXT",  "DIMS"};
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
    std::uint32_t first = 0, end = static_cast<std::uint32_t>(page.items.size());
    if (figure) {
        const PageFigure &f = page.figures[static_cast<size_t>(drawing.figure)];
        m = {f.originX, f.originY, f.mmPerTwip, &f.linesX, &f.linesY};
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
    return WriteDrawing(c.entities, c.styles);
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
