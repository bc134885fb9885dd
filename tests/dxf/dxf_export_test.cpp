// Every plan and frame figure of the example house's report as DXF, read back by ezdxf and held against
// the page model that printed it: layers, column squares, hardware texts, the Japanese texts with their
// fonts, the grid at its model millimetres.
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <map>

#include <gtest/gtest.h>

#include "calc/n_value.h"
#include "dxf/dxf_export.h"
#include "dxf/dxf_read_back.h"
#include "model/project.h"
#include "model/project_file.h"
#include "print/print_surface.h"
#include "report/report_builder.h"
#include "support/calculated.h"

using namespace rqx;

namespace {

struct Expected {
    std::map<QString, int> columnSquares, filledSquares, lines;  // by layer
    QStringList texts;                                           // "LAYER|font|text", sorted
};

// What the page model holds for one figure.
Expected FromPage(const PrintDocument &doc, const DxfDrawing &d)
{
    const PrintPage &page = doc.page(d.page);
    const PageFigure &f = page.figures[static_cast<size_t>(d.figure)];
    Expected e;
    for (std::uint32_t i = f.first; i < std::min<std::uint32_t>(f.end, page.items.size()); ++i) {
        const PageItem &item = page.items[i];
        const QString layer = DxfLayerName(LayerOfItem(page.layers, i));
        if (item.kind == PageItemKind::Text && !doc.string(item.a).trimmed().isEmpty())
            e.texts << layer + u'|' + doc.font(item.b).name + u'|' + doc.string(item.a);
        if (item.kind == PageItemKind::Rectangle && layer == QLatin1String("COLUMNS")) {
            ++e.columnSquares[layer];
            const PrintBrush &b = doc.brush(item.b);
            if (b.style == kBrushStyleSolid && qRed(b.color) < 64)
                ++e.filledSquares[layer];
        }
        if (item.kind == PageItemKind::Line)
            ++e.lines[layer];
    }
    e.texts.sort();
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

    const int nx = house_.dims.spanCountX + 1, ny = house_.dims.spanCountY + 1;
    std::vector<double> gridX, gridY;
    for (int x = 1; x <= nx; ++x)
        gridX.push_back(GetNodeCoord(house_, 1, x, 1).x * 1000.0);
    for (int y = 1; y <= ny; ++y)
        gridY.push_back(GetNodeCoord(house_, 1, 1, y).y * 1000.0);

    QTemporaryDir dir;
    for (const DxfDrawing &d : drawings) {
        SCOPED_TRACE(d.fileName.toStdString());
        const QString path = dir.filePath(QStringLiteral("figure.dxf"));
        ASSERT_TRUE(SaveFileSafely(path, DrawingToDxf(doc, d, false)));
        const QJsonObject dxf = test::ReadDxfBack(path);
        ASSERT_FALSE(dxf.isEmpty());
        EXPECT_EQ(dxf[QStringLiteral("version")].toString(), QStringLiteral("AC1015"));
        EXPECT_EQ(dxf[QStringLiteral("codepage")].toString(), QStringLiteral("ANSI_932"));
        EXPECT_EQ(dxf[QStringLiteral("insunits")].toInt(), 4);
        EXPECT_TRUE(dxf[QStringLiteral("audit_errors")].toArray().isEmpty());
        QStringList layers;
        for (const QJsonValue &l : dxf[QStringLiteral("layers")].toArray())
            layers << l.toString();
        for (int i = 0; i < kItemLayerCount; ++i)
            EXPECT_TRUE(layers.contains(DxfLayerName(static_cast<ItemLayer>(i))));

        const Expected want = FromPage(doc, d);
        const QJsonObject styles = dxf[QStringLiteral("styles")].toObject();
        Expected got;
        std::vector<QJsonArray> gridLines;
        const double extMinX = X(dxf[QStringLiteral("extmin")]), extMinY = Y(dxf[QStringLiteral("extmin")]);
        const double extMaxX = X(dxf[QStringLiteral("extmax")]), extMaxY = Y(dxf[QStringLiteral("extmax")]);
        for (const QJsonValue &v : dxf[QStringLiteral("entities")].toArray()) {
            const QJsonObject e = v.toObject();
            const QString type = e[QStringLiteral("type")].toString(),
                          layer = e[QStringLiteral("layer")].toString();
            if (type == QLatin1String("TEXT"))
                got.texts << layer + u'|' + styles[e[QStringLiteral("style")].toString()].toString() + u'|' +
                                 e[QStringLiteral("text")].toString();
            const QJsonArray points = e[QStringLiteral("points")].toArray();
            if (type == QLatin1String("LWPOLYLINE") && layer == QLatin1String("COLUMNS") &&
                points.size() == 4)
                ++got.columnSquares[layer];
            if (type == QLatin1String("SOLID") && layer == QLatin1String("COLUMNS"))
                ++got.filledSquares[layer];
            if (type == QLatin1String("LINE")) {
                ++got.lines[layer];
                if (layer == QLatin1String("GRID"))
                    gridLines.push_back(points);
            }
            for (const QJsonValue &p : points) {
                EXPECT_GE(X(p), extMinX - 1e-6);
                EXPECT_LE(X(p), extMaxX + 1e-6);
                EXPECT_GE(Y(p), extMinY - 1e-6);
                EXPECT_LE(Y(p), extMaxY + 1e-6);
            }
        }
        got.texts.sort();
        EXPECT_EQ(got.texts, want.texts);
        EXPECT_EQ(got.columnSquares, want.columnSquares);
        EXPECT_EQ(got.filledSquares, want.filledSquares);
        EXPECT_EQ(got.lines, want.lines);

        if (!d.fileName.contains(QStringLiteral("伏図")))
            continue;
        // A plan: its grid lines stand at the model's millimetres, and span exactly the grid.
        ASSERT_EQ(gridLines.size(), gridX.size() + gridY.size());
        double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
        std::vector<double> verticals, horizontals;
        for (const QJsonArray &l : gridLines) {
            for (const QJsonValue &p : l) {
                minX = std::min(minX, X(p));
                maxX = std::max(maxX, X(p));
                minY = std::min(minY, Y(p));
                maxY = std::max(maxY, Y(p));
            }
            if (X(l[0]) == X(l[1]))
                verticals.push_back(X(l[0]));
            else if (Y(l[0]) == Y(l[1]))
                horizontals.push_back(Y(l[0]));
        }
        std::sort(verticals.begin(), verticals.end());
        std::sort(horizontals.begin(), horizontals.end());
        ASSERT_EQ(verticals.size(), gridX.size());
        ASSERT_EQ(horizontals.size(), gridY.size());
        for (size_t i = 0; i < gridX.size(); ++i)
            EXPECT_NEAR(verticals[i], gridX[i], 1e-3);
        for (size_t i = 0; i < gridY.size(); ++i)
            EXPECT_NEAR(horizontals[i], gridY[i], 1e-3);
        // The second module line lies one module (910 mm) from the first.
        const int div = std::max(1, house_.dims.divisions);
        EXPECT_NEAR(verticals[static_cast<size_t>(div)] - verticals[0], house_.info.moduleLength * 1000.0,
                    1e-2);
        EXPECT_NEAR(minX, gridX.front(), 1e-3);
        EXPECT_NEAR(maxX, gridX.back(), 1e-3);
        EXPECT_NEAR(minY, gridY.front(), 1e-3);
        EXPECT_NEAR(maxY, gridY.back(), 1e-3);
    }
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
