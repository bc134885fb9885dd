// Every plan and frame figure of the example house's report as DXF, read back by ezdxf and held against
// the page model that printed it and the model: layers with their pens, column blocks at the columns,
// floor and void hatches over the cells, every hardware text on its layer, the Japanese texts with their
// fonts, the grid at its model millimetres and broken at the columns, the viewport and the handle seed.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "calc/n_value.h"
#include "dxf/dxf_export.h"
#include "dxf/dxf_read_back.h"
#include "model/project.h"
#include "model/project_file.h"
#include "print/print_surface.h"
#include "report/report_builder.h"
#include "support/calculated.h"
#include "support/generated_houses.h"

using namespace rqx;

namespace {

struct Expected {
    int columns = 0, filledColumns = 0, rings = 0;  // column squares, those filled dark, through rings
    QStringList texts;                               // "LAYER|font|text", sorted
    QStringList hardware;                            // every hardware text of the page and its list, sorted
};

// What the page model holds for one figure: its items, and the hardware texts its numbered list names
// ("[3] X3-い 必要(と) 柱頭(ろ)") for want of room at their column.
Expected FromPage(const PrintDocument &doc, const DxfDrawing &d)
{
    const PrintPage &page = doc.page(d.page);
    const PageFigure &f = page.figures[static_cast<size_t>(d.figure)];
    Expected e;
    for (std::uint32_t i = f.first; i < std::min<std::uint32_t>(f.end, page.items.size()); ++i) {
        const PageItem &item = page.items[i];
        const QString layer = DxfLayerName(LayerOfItem(page.layers, i));
        if (item.kind == PageItemKind::Text && !doc.string(item.a).trimmed().isEmpty()) {
            e.texts << layer + u'|' + doc.font(item.b).name + u'|' + doc.string(item.a);
            if (layer == QLatin1String("HARDWARE"))
                e.hardware << doc.string(item.a);
        }
        if (item.kind == PageItemKind::Rectangle && layer == QLatin1String("COLUMNS") &&
            std::abs(std::abs(item.x2 - item.x1) - std::abs(item.y2 - item.y1)) <= 1) {
            ++e.columns;
            const PrintBrush &b = doc.brush(item.b);
            if (b.style == kBrushStyleSolid && qRed(b.color) < 64)
                ++e.filledColumns;
        }
        if (item.kind == PageItemKind::Ellipse && layer == QLatin1String("COLUMNS"))
            ++e.rings;
    }
    for (const DrawingOnlyText &t : f.drawingOnly)
        e.texts << DxfLayerName(t.layer) + u'|' + doc.font(t.font).name + u'|' + doc.string(t.string);
    // The list under the figure: the items after it on its page (and a continued list's next page).
    static const QRegularExpression entry(QStringLiteral("^(?:\\[\\d+\\] )?\\S+ (.*)$"));
    for (int n = d.page; n <= std::min(d.page + 1, doc.pageCount()); ++n) {
        const PrintPage &p = doc.page(n);
        const std::uint32_t from = n == d.page ? std::min<std::uint32_t>(f.end, p.items.size()) : 0;
        const std::uint32_t to = n == d.page && d.figure + 1 < static_cast<int>(p.figures.size())
                                     ? p.figures[static_cast<size_t>(d.figure) + 1].first
                                     : static_cast<std::uint32_t>(p.items.size());
        for (std::uint32_t i = from; i < to; ++i) {
            if (p.items[i].kind != PageItemKind::Text || (n != d.page && !p.figures.empty() && i >= p.figures.front().first))
                continue;
            const QRegularExpressionMatch m = entry.match(doc.string(p.items[i].a));
            if (!m.hasMatch())
                continue;
            for (const QString &part : m.captured(1).split(u' ', Qt::SkipEmptyParts))
                for (const QString role : {QStringLiteral("必要"), QStringLiteral("柱頭"), QStringLiteral("柱脚")})
                    if (part.startsWith(role) && part.size() > role.size())
                        e.hardware << part.mid(role.size());
        }
    }
    e.texts.sort();
    e.hardware.sort();
    return e;
}

double X(const QJsonValue &point)
{
    return point.toArray()[0].toDouble();
}
double Y(const QJsonValue &point)
{
    return point.toArray()[1].toDouble();
}

// The area a hatch covers: its outer boundary less its holes.
double HatchArea(const QJsonArray &loops)
{
    std::vector<double> areas;
    for (const QJsonValue &l : loops) {
        const QJsonArray pts = l.toArray();
        double a = 0;
        for (qsizetype k = 0; k < pts.size(); ++k) {
            const QJsonValue p = pts[k], q = pts[(k + 1) % pts.size()];
            a += X(p) * Y(q) - X(q) * Y(p);
        }
        areas.push_back(std::fabs(a) / 2);
    }
    std::sort(areas.rbegin(), areas.rend());
    double total = areas.empty() ? 0 : areas.front();
    for (size_t k = 1; k < areas.size(); ++k)
        total -= areas[k];
    return total;
}

class ExampleReportDxf : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallJapaneseFontSubstitutions();
        ASSERT_TRUE(LoadProjectFile(QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX"), house_).ok);
        Calculation c = test::Calculated(house_);
        surface_ = new PrintSurface;
        BuildReport(*surface_, house_, c);
    }
    static void TearDownTestSuite() { delete surface_; }
    static Project house_;
    static PrintSurface *surface_;
};
Project ExampleReportDxf::house_;
PrintSurface *ExampleReportDxf::surface_ = nullptr;

// Writes every figure of a report's document, reads it back and holds it against the page and the model.
// Returns the void hatches met.
int CheckReportDrawings(const Project &house_, const PrintDocument &doc)
{
    const std::vector<DxfDrawing> drawings = DocumentDrawings(doc);
    const int nx = house_.dims.spanCountX + 1, ny = house_.dims.spanCountY + 1;
    std::vector<double> gridX, gridY;
    for (int x = 1; x <= nx; ++x)
        gridX.push_back(GetNodeCoord(house_, 1, x, 1).x * 1000.0);
    for (int y = 1; y <= ny; ++y)
        gridY.push_back(GetNodeCoord(house_, 1, 1, y).y * 1000.0);

    QTemporaryDir dir;
    int voidHatches = 0;
    for (const DxfDrawing &d : drawings) {
        SCOPED_TRACE(d.fileName.toStdString());
        const QString path = dir.filePath(QStringLiteral("figure.dxf"));
        EXPECT_TRUE(SaveFileSafely(path, DrawingToDxf(doc, d, false)));
        const QJsonObject dxf = test::ReadDxfBack(path);
        if (dxf.isEmpty()) {
            ADD_FAILURE() << "nothing read back";
            continue;
        }
        EXPECT_EQ(dxf[QStringLiteral("version")].toString(), QStringLiteral("AC1015"));
        EXPECT_EQ(dxf[QStringLiteral("codepage")].toString(), QStringLiteral("ANSI_932"));
        EXPECT_EQ(dxf[QStringLiteral("insunits")].toInt(), 4);
        EXPECT_TRUE(dxf[QStringLiteral("audit_errors")].toArray().isEmpty());
        // Handles given after the seed would clash with the file's own.
        EXPECT_GT(dxf[QStringLiteral("handseed")].toInt(), dxf[QStringLiteral("largest_handle")].toInt());

        // Each layer carries its pen: its own colour, a lineweight, a linetype; the grid a chain line.
        const QJsonObject layerStyles = dxf[QStringLiteral("layer_styles")].toObject();
        std::map<QString, int> layerColor;
        std::set<int> colours;
        for (int i = 0; i < kItemLayerCount; ++i) {
            const QString name = DxfLayerName(static_cast<ItemLayer>(i));
            const QJsonObject l = layerStyles[name].toObject();
            EXPECT_FALSE(l.isEmpty()) << name.toStdString();
            layerColor[name] = l[QStringLiteral("color")].toInt();
            colours.insert(layerColor[name]);
            EXPECT_GT(l[QStringLiteral("lineweight")].toInt(), 0) << name.toStdString();
        }
        EXPECT_EQ(colours.size(), static_cast<size_t>(kItemLayerCount));
        EXPECT_EQ(layerStyles[QStringLiteral("GRID")].toObject()[QStringLiteral("linetype")].toString(),
                  QStringLiteral("CENTER"));
        EXPECT_GE(dxf[QStringLiteral("linetypes")].toObject()[QStringLiteral("CENTER")].toArray().size(), 2);
        EXPECT_GT(layerStyles[QStringLiteral("WALLS")].toObject()[QStringLiteral("lineweight")].toInt(),
                  layerStyles[QStringLiteral("GRID")].toObject()[QStringLiteral("lineweight")].toInt());
        const QJsonObject fontFiles = dxf[QStringLiteral("font_files")].toObject();
        for (auto it = fontFiles.begin(); it != fontFiles.end(); ++it)
            EXPECT_TRUE(it.value().toString().endsWith(QStringLiteral(".ttc"))) << it.key().toStdString();

        const Expected want = FromPage(doc, d);
        const QJsonObject styles = dxf[QStringLiteral("styles")].toObject();
        QStringList texts, hardware;
        std::vector<QPointF> columns;
        std::vector<QRectF> squares;
        int filled = 0, rings = 0;
        double floorArea = 0, voidArea = 0;
        std::vector<std::pair<QPointF, QPointF>> pieces;  // grid and wall lines
        std::set<double> verticals, horizontals;
        double gridMinX = 1e18, gridMinY = 1e18, gridMaxX = -1e18, gridMaxY = -1e18;
        std::set<QString> seen;
        const double extMinX = X(dxf[QStringLiteral("extmin")]), extMinY = Y(dxf[QStringLiteral("extmin")]);
        const double extMaxX = X(dxf[QStringLiteral("extmax")]), extMaxY = Y(dxf[QStringLiteral("extmax")]);
        for (const QJsonValue &v : dxf[QStringLiteral("entities")].toArray()) {
            const QJsonObject e = v.toObject();
            const QString type = e[QStringLiteral("type")].toString(),
                          layer = e[QStringLiteral("layer")].toString();
            // Drawn by layer: the layer's linetype and lineweight unless the page marks it heavier, the
            // layer's colour unless the page gives it another.
            EXPECT_EQ(e[QStringLiteral("linetype")].toString(), QStringLiteral("BYLAYER")) << type.toStdString();
            const int color = e[QStringLiteral("color")].toInt();
            EXPECT_TRUE(color == 256 || color != layerColor[layer]) << type.toStdString();
            // No entity twice.
            const QJsonObject same = QJsonObject(e);
            const QString key = QString::fromUtf8(QJsonDocument(same).toJson(QJsonDocument::Compact));
            EXPECT_TRUE(seen.insert(key).second) << key.toStdString();

            const QJsonArray points = e[QStringLiteral("points")].toArray();
            if (type == QLatin1String("TEXT")) {
                texts << layer + u'|' + styles[e[QStringLiteral("style")].toString()].toString() + u'|' +
                             e[QStringLiteral("text")].toString();
                if (layer == QLatin1String("HARDWARE"))
                    hardware << e[QStringLiteral("text")].toString();
                // Line names and dimension values stand centred on their alignment point.
                if (layer == QLatin1String("NAMES") || layer == QLatin1String("DIMS"))
                    EXPECT_EQ(e[QStringLiteral("halign")].toInt(), 1);
                // A plan's X line name is centred on its line.
                const QString text = e[QStringLiteral("text")].toString();
                if (layer == QLatin1String("NAMES") && d.fileName.contains(QStringLiteral("伏図")))
                    for (int x = 1; x <= nx; ++x)
                        if (house_.grid.lineNameX[x].trimmed() == text)
                            EXPECT_NEAR(X(e[QStringLiteral("align_point")]), gridX[static_cast<size_t>(x - 1)],
                                        5.0) << text.toStdString();
            }
            if (type == QLatin1String("INSERT")) {
                EXPECT_EQ(layer, QStringLiteral("COLUMNS"));
                const QString block = e[QStringLiteral("block")].toString();
                const double scale = e[QStringLiteral("scale")].toArray()[0].toDouble();
                const QPointF at(X(points[0]), Y(points[0]));
                if (block == QStringLiteral("通し柱")) {
                    ++rings;
                } else {
                    columns.push_back(at);
                    squares.emplace_back(at.x() - scale / 2, at.y() - scale / 2, scale, scale);
                    filled += block == QStringLiteral("管柱_塗");
                }
            }
            if (type == QLatin1String("HATCH") && layer == QLatin1String("FLOORS")) {
                const double area = HatchArea(e[QStringLiteral("loops")].toArray());
                if (e[QStringLiteral("solid")].toBool()) {
                    floorArea += area;
                } else {
                    // The void's cross-hatch: both lines of its pattern, 1.5 mm apart on paper.
                    ++voidHatches;
                    voidArea += area;
                    EXPECT_EQ(e[QStringLiteral("pattern")].toString(), QStringLiteral("ANSI37"));
                    const QJsonArray lines = e[QStringLiteral("pattern_lines")].toArray();
                    EXPECT_EQ(lines.size(), 2);
                    const PageFigure &f = doc.page(d.page).figures[static_cast<size_t>(d.figure)];
                    const double paperMm = f.mmPerTwip * kPrintTwipsPerCm / 10.0;
                    for (const QJsonValue &l : lines) {
                        const QJsonArray offset = l.toObject()[QStringLiteral("offset")].toArray();
                        EXPECT_NEAR(std::hypot(offset[0].toDouble(), offset[1].toDouble()) / paperMm, 1.5, 0.1);
                    }
                    EXPECT_NEAR(lines[0].toObject()[QStringLiteral("angle")].toDouble(), 45, 1e-6);
                    EXPECT_NEAR(lines[1].toObject()[QStringLiteral("angle")].toDouble(), 135, 1e-6);
                }
            }
            if (type == QLatin1String("LINE") && (layer == QLatin1String("GRID") || layer == QLatin1String("WALLS"))) {
                const QPointF a(X(points[0]), Y(points[0])), b(X(points[1]), Y(points[1]));
                pieces.emplace_back(a, b);
                if (layer == QLatin1String("GRID")) {
                    if (a.x() == b.x())
                        verticals.insert(std::round(a.x() * 1000) / 1000);
                    else if (a.y() == b.y())
                        horizontals.insert(std::round(a.y() * 1000) / 1000);
                    gridMinX = std::min({gridMinX, a.x(), b.x()});
                    gridMaxX = std::max({gridMaxX, a.x(), b.x()});
                    gridMinY = std::min({gridMinY, a.y(), b.y()});
                    gridMaxY = std::max({gridMaxY, a.y(), b.y()});
                }
            }
            for (const QJsonValue &p : points) {
                EXPECT_GE(X(p), extMinX - 1e-6);
                EXPECT_LE(X(p), extMaxX + 1e-6);
                EXPECT_GE(Y(p), extMinY - 1e-6);
                EXPECT_LE(Y(p), extMaxY + 1e-6);
            }
        }
        texts.sort();
        hardware.sort();
        EXPECT_EQ(texts, want.texts);
        // Every hardware text of the page, listed for want of room or not, is on HARDWARE.
        EXPECT_EQ(hardware, want.hardware);
        EXPECT_EQ(static_cast<int>(columns.size()), want.columns);
        EXPECT_EQ(filled, want.filledColumns);
        EXPECT_EQ(rings, want.rings);
        // The file opens on the whole drawing.
        const QJsonObject vport = dxf[QStringLiteral("vport")].toObject();
        const double vh = vport[QStringLiteral("height")].toDouble();
        EXPECT_GE(vh, extMaxY - extMinY);
        EXPECT_GE(vh * vport[QStringLiteral("aspect")].toDouble(), (extMaxX - extMinX) * 0.999);
        EXPECT_NEAR(X(vport[QStringLiteral("center")]), (extMinX + extMaxX) / 2, 1e-3);
        EXPECT_NEAR(Y(vport[QStringLiteral("center")]), (extMinY + extMaxY) / 2, 1e-3);

        if (!d.fileName.contains(QStringLiteral("伏図")))
            continue;
        // A plan: a column block at every column of its storey, at the model's millimetres.
        const int level = d.fileName.startsWith(QStringLiteral("2F")) ? 2 : 1;
        std::vector<QPointF> model;
        double cells = 0, voids = 0;
        for (int y = 1; y <= ny; ++y)
            for (int x = 1; x <= nx; ++x) {
                const NodeRecord &n = house_.nodes(x, y, level);
                if (n.columnKind > 0)
                    model.emplace_back(gridX[static_cast<size_t>(x - 1)], gridY[static_cast<size_t>(y - 1)]);
                if (x < nx && y < ny && (n.cellFloor == 1 || n.cellFloor == 2)) {
                    const double area = (gridX[static_cast<size_t>(x)] - gridX[static_cast<size_t>(x - 1)]) *
                                        (gridY[static_cast<size_t>(y)] - gridY[static_cast<size_t>(y - 1)]);
                    (n.cellFloor == 1 ? cells : voids) += area;
                }
            }
        auto order = [](const QPointF &a, const QPointF &b) {
            return a.x() < b.x() - 1e-6 || (std::fabs(a.x() - b.x()) <= 1e-6 && a.y() < b.y() - 1e-6);
        };
        std::sort(model.begin(), model.end(), order);
        std::sort(columns.begin(), columns.end(), order);
        EXPECT_EQ(columns.size(), model.size());
        for (size_t i = 0; i < model.size(); ++i) {
            EXPECT_NEAR(columns[i].x(), model[i].x(), 0.01);
            EXPECT_NEAR(columns[i].y(), model[i].y(), 0.01);
        }
        // One hatch per floor region covers exactly the floor cells, the void hatch the voids (the
        // bearing-wall plans draw them).
        if (d.fileName.contains(QStringLiteral("耐力壁"))) {
            EXPECT_NEAR(floorArea, cells, cells * 1e-6 + 1);
            EXPECT_NEAR(voidArea, voids, voids * 1e-6 + 1);
        }
        // Grid and wall lines stop at the column squares.
        for (const auto &[a, b] : pieces)
            for (const QRectF &sq : squares) {
                if (a.x() != b.x() && a.y() != b.y())
                    continue;  // a brace symbol's slant
                const QRectF inner = sq.adjusted(1e-3, 1e-3, -1e-3, -1e-3);
                const QRectF span = QRectF(a, b).normalized();
                EXPECT_FALSE(span.width() == 0 ? inner.left() < a.x() && a.x() < inner.right() &&
                                                     span.top() < inner.bottom() && span.bottom() > inner.top()
                                               : inner.top() < a.y() && a.y() < inner.bottom() &&
                                                     span.left() < inner.right() && span.right() > inner.left());
            }
        // The grid lines still stand at the model's millimetres and span exactly the grid.
        EXPECT_EQ(verticals.size(), gridX.size());
        EXPECT_EQ(horizontals.size(), gridY.size());
        size_t i = 0;
        for (const double v : verticals)
            EXPECT_NEAR(v, gridX[i++], 1e-3);
        i = 0;
        for (const double h : horizontals)
            EXPECT_NEAR(h, gridY[i++], 1e-3);
        // The second module line lies one module (910 mm) from the first.
        const int div = std::max(1, house_.dims.divisions);
        EXPECT_NEAR(*std::next(verticals.begin(), div) - *verticals.begin(), house_.info.moduleLength * 1000.0, 1e-2);
        EXPECT_NEAR(gridMinX, gridX.front(), 1e-3);
        EXPECT_NEAR(gridMaxX, gridX.back(), 1e-3);
        EXPECT_NEAR(gridMinY, gridY.front(), 1e-3);
        EXPECT_NEAR(gridMaxY, gridY.back(), 1e-3);
    }
    return voidHatches;
}

TEST_F(ExampleReportDxf, EveryFigureComesBackAsThePageDrewIt)
{
    VELM_NEEDS_DXF_READER();
    const PrintDocument &doc = surface_->document();
    const std::vector<DxfDrawing> drawings = DocumentDrawings(doc);
    QStringList names;
    for (const DxfDrawing &d : drawings)
        names << d.fileName;
    // Two storeys of bearing-wall and hardware plans, then the frames of the walled lines.
    ASSERT_GE(names.size(), 5);
    EXPECT_EQ(names.mid(0, 4),
              (QStringList{QStringLiteral("1F_耐力壁伏図.dxf"), QStringLiteral("2F_耐力壁伏図.dxf"),
                           QStringLiteral("1F_金物伏図.dxf"), QStringLiteral("2F_金物伏図.dxf")}));
    for (const QString &n : names.mid(4))
        EXPECT_TRUE(n.endsWith(QStringLiteral("_軸組図.dxf"))) << n.toStdString();

    // The second storey's void, on its bearing-wall plan.
    EXPECT_EQ(CheckReportDrawings(house_, doc), 1);
}

// A dense generated house (a quarter-module grid, two storeys, placed hardware): hardware texts that the
// page lists for want of room stand at their column in the drawing.
TEST(GeneratedReportDxf, DenseHouseKeepsEveryHardwareText)
{
    VELM_NEEDS_DXF_READER();
    InstallJapaneseFontSubstitutions();
    Project house = samples::GeneratedHouse({7, 6, 4, 2, 0, 0}, 11);
    Calculation c = test::Calculated(house);
    PrintSurface surface;
    BuildReport(surface, house, c);
    const PrintDocument &doc = surface.document();
    size_t drawingOnly = 0;
    for (int n = 1; n <= doc.pageCount(); ++n)
        for (const PageFigure &f : doc.page(n).figures)
            drawingOnly += static_cast<size_t>(std::count_if(
                f.drawingOnly.begin(), f.drawingOnly.end(),
                [](const DrawingOnlyText &t) { return t.layer == ItemLayer::Hardware; }));
    EXPECT_GT(drawingOnly, 0U) << "the house is meant to be dense enough to list hardware texts";
    CheckReportDrawings(house, doc);
}

// A frame of a house with its storey heights entered: in the drawing the storeys stand at exactly those
// millimetres, the column lines from level to level and the beam bands' tops on the levels.
TEST(FrameDxf, StoreysStandAtTheEnteredHeights)
{
    VELM_NEEDS_DXF_READER();
    InstallJapaneseFontSubstitutions();
    Project house;
    ASSERT_TRUE(LoadProjectFile(QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX"), house).ok);
    house.info.levelHeight[1] = 3500;
    house.info.levelHeight[2] = 2800;
    const Calculation c = test::Calculated(house);
    PrintSurface surface;
    BuildReport(surface, house, c);
    const PrintDocument &doc = surface.document();
    QTemporaryDir dir;
    int frames = 0;
    for (const DxfDrawing &d : DocumentDrawings(doc)) {
        if (!d.fileName.contains(QStringLiteral("軸組図")))
            continue;
        SCOPED_TRACE(d.fileName.toStdString());
        ++frames;
        const QString path = dir.filePath(QStringLiteral("frame.dxf"));
        ASSERT_TRUE(SaveFileSafely(path, DrawingToDxf(doc, d, false)));
        const QJsonObject dxf = test::ReadDxfBack(path);
        std::set<long long> columnSpans, beamTops;
        QStringList labels;
        for (const QJsonValue &v : dxf[QStringLiteral("entities")].toArray()) {
            const QJsonObject e = v.toObject();
            const QString type = e[QStringLiteral("type")].toString(), layer = e[QStringLiteral("layer")].toString();
            const QJsonArray points = e[QStringLiteral("points")].toArray();
            if (type == QLatin1String("LINE") && layer == QLatin1String("COLUMNS")) {
                const double a = std::min(Y(points[0]), Y(points[1])), b = std::max(Y(points[0]), Y(points[1]));
                columnSpans.insert(std::llround(a * 100) * 1000000 + std::llround(b * 100));
            }
            if (type == QLatin1String("LWPOLYLINE") && layer == QLatin1String("BEAMS")) {
                double top = -1e18;
                for (const QJsonValue &p : points)
                    top = std::max(top, Y(p));
                beamTops.insert(std::llround(top * 100));
            }
            if (type == QLatin1String("TEXT") && layer == QLatin1String("LABELS"))
                labels << e[QStringLiteral("text")].toString();
        }
        // Hundredths of a millimetre: storey 1 from 0 to 3500, storey 2 from 3500 to 6300.
        for (const long long span : columnSpans)
            EXPECT_TRUE(span == 350000LL || span == 350000LL * 1000000 + 630000) << span;
        EXPECT_FALSE(columnSpans.empty());
        for (const long long top : beamTops)
            EXPECT_TRUE(top == 0 || top == 350000 || top == 630000) << top;
        EXPECT_TRUE(labels.contains(QStringLiteral("1階 H=3500")));
        EXPECT_TRUE(labels.contains(QStringLiteral("2階 H=2800")));
    }
    EXPECT_GT(frames, 0);
}

// Texts keep every character: those code page 932 has as its bytes, the others as \U+XXXX, which the
// reader turns back; percent signs survive the TEXT control codes.
TEST(DxfTexts, EveryCharacterComesBack)
{
    VELM_NEEDS_DXF_READER();
    const QStringList texts = {QStringLiteral("(ほ)"), QStringLiteral("ＨＤ-Ｂ15 ｱｲｳ 表示～〜−"),
                               QStringLiteral("X1a"), QStringLiteral("100%% 丈夫 ①Ⅱ 髙 ✓")};
    PrintSurface s;
    s.StartDoc();
    s.BeginFigure(QStringLiteral("test"), 0, 0, 1.0, {0.0}, {0.0});
    s.SetFontName(kFontNamePMincho);
    s.SetItemLayer(ItemLayer::Hardware);
    for (int i = 0; i < texts.size(); ++i) {
        s.SetCurrentX(1000);
        s.SetCurrentY(1000 + 400 * i);
        s.Text(texts[i]);
    }
    s.EndDoc();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.dxf"));
    ASSERT_TRUE(
        SaveFileSafely(path, DrawingToDxf(s.document(), DocumentDrawings(s.document()).front(), false)));
    const QJsonObject dxf = test::ReadDxfBack(path);
    QStringList got;
    for (const QJsonValue &v : dxf[QStringLiteral("entities")].toArray())
        got << v.toObject()[QStringLiteral("text")].toString();
    EXPECT_EQ(got, texts);
    EXPECT_EQ(dxf[QStringLiteral("styles")].toObject()[kFontNamePMincho].toString(), kFontNamePMincho);
}

}  // namespace
