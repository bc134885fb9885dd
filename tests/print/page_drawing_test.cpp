#include "print/page_drawing.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>

#include "print/print_surface.h"

namespace rqx {
namespace {

// Margins 2.3 cm (1304 twips) left, 1.5 cm (850.5 → 850, half to even) right, 2.0 cm (1134) top and bottom.
void SetMargins(PrintSurface &s)
{
    s.SetMarginLeft(QStringLiteral("2.3cm"));
    s.SetMarginRight(QStringLiteral("1.5cm"));
    s.SetMarginTop(QStringLiteral("2.0cm"));
    s.SetMarginBottom(QStringLiteral("2.0cm"));
}

TEST(PageDrawing, CentimetresToTwipsRoundHalvesToEven)
{
    // cm × 567 in single precision; 0.5, 1.5, 2.5 cm fall exactly on halves.
    const std::tuple<float, int> cases[] = {{1.0f, 567},   {0.5f, 284}, {1.5f, 850},  {2.5f, 1418},
                                            {-0.5f, -284}, {0.1f, 57},  {2.3f, 1304}, {0.0f, 0}};
    for (const auto &[cm, twips] : cases)
        EXPECT_EQ(CmToTwips(cm), twips) << cm;
    EXPECT_FLOAT_EQ(TwipsToCm(1134), 2.0f);
}

TEST(PageDrawing, SetupPrintPageForEachOrientationChange)
{
    // A4 is 11906 × 16838 twips; side margins 2154, top and bottom 2268 twips.
    const float portraitW = (11906 - 2154) / 567.0f, landscapeW = (16838 - 2154) / 567.0f;
    const float halfPortraitW = 11906 / 567.0f / 2 - 2154 / 567.0f;
    const float halfLandscapeW = 16838 / 567.0f / 2 - 2154 / 567.0f;
    const struct {
        int from, to;
        float width, height, zoom;
    } cases[] = {
        {0, 0, portraitW, (16838 - 2268) / 567.0f, 100.0f},
        {0, 1, landscapeW, (11906 - 2268) / 567.0f, 100.0f * portraitW / landscapeW},
        {1, 1, halfLandscapeW, (11906 - 2268) / 567.0f, 100.0f},
        {1, 0, halfPortraitW, (16838 - 2268) / 567.0f, 100.0f * halfLandscapeW / halfPortraitW},
    };
    for (const auto &c : cases) {
        PrintSurface s;
        SetMargins(s);
        s.SetPaperSize(kPaperA5);
        s.SetOrientation(c.from);
        s.SetZoom(100);
        s.SetMousePage(true);
        float w = 0, h = 0;
        SetupPrintPage(s, 11, 4, c.to, w, h);
        EXPECT_NEAR(w, c.width, 1e-4) << c.from << "→" << c.to;
        EXPECT_NEAR(h, c.height, 1e-4);
        // The old printable width was A5's, so the zoom changes unless the old and new sizes agree.
        if (c.from == c.to) {
            EXPECT_NE(s.Zoom(), 100.0);
        }
        EXPECT_EQ(s.PaperSize(), kPaperA4);
        EXPECT_EQ(s.Orientation(), c.to);
        EXPECT_EQ(s.FontSize(), 11.0);
        EXPECT_FALSE(s.MousePage());
    }
    // Same paper before and after: the zoom is divided by the width ratio.
    for (const auto &c : cases) {
        PrintSurface s;
        SetMargins(s);
        s.SetOrientation(c.from);
        s.SetZoom(100);
        float w = 0, h = 0;
        SetupPrintPage(s, 10, 4, c.to, w, h);
        EXPECT_NEAR(s.Zoom(), c.zoom, 1e-3) << c.from << "→" << c.to;
    }
    // Another old orientation value returns the raw page size.
    PrintSurface s;
    s.SetOrientation(2);
    float w = 0, h = 0;
    SetupPrintPage(s, 10, 4, 0, w, h);
    EXPECT_NEAR(w, 11906 / 567.0f, 1e-4);
    EXPECT_NEAR(h, 16838 / 567.0f, 1e-4);

    const std::tuple<int, int> kinds[] = {{2, 66},  {3, 8},   {4, 9},    {5, 11},   {14, 12}, {15, 13},
                                          {0, 256}, {1, 256}, {12, 256}, {13, 256}, {6, 0},   {99, 0}};
    for (const auto &[kind, code] : kinds)
        EXPECT_EQ(PaperCodeOfKind(kind), code) << kind;
}

TEST(PageDrawing, RoutinesRestoreTheStateTheyChangeAndDrawWhereTold)
{
    using State = std::tuple<int, int, QRgb, int, QRgb, int, double, double>;
    auto state = [](const PrintSurface &s) {
        return State{s.PenStyle(),   s.PenWidth(),  s.PenColor(), s.BrushStyle(),
                     s.BrushColor(), s.TextAlign(), s.FontSize(), s.TextAngle()};
    };
    const std::array<std::array<float, 2>, 3> points{{{0, 0}, {1, 0.5f}, {2.5f, 1}}};
    const struct {
        const char *name;
        std::function<void(PrintSurface &)> draw;
        PageItemKind kind;
        std::array<int, 4> coords;  // x1 y1 x2 y2 twips from the paper edge
        PrintPen pen;
        int brushStyle;
        QRgb brushColor;
    } cases[] = {
        {"DrawLineCm",
         [](PrintSurface &s) { DrawLineCm(s, 1, 2, 3, 4, 1, 15, 0x123456); },
         PageItemKind::Line,
         {1304 + 567, 1134 + 1134, 1304 + 1701, 1134 + 2268},
         {1, 15, 0xFF123456},
         -1,
         0},
        {"DrawLineTwips",
         [](PrintSurface &s) {
             DrawLineTwips(s, {10, 20, 30, 40, 2, 0, 0xFF0000});
         },
         PageItemKind::Line,
         {1314, 1154, 1334, 1174},
         {2, 0, 0xFFFF0000},
         -1,
         0},
        {"DrawRectCm outline",
         [](PrintSurface &s) { DrawRectCm(s, 1, 1, 2, 0.5f, 0, 50, 12, 9, 0); },
         PageItemKind::Rectangle,
         {1871, 1701, 1304 + 1701, 1134 + 850},
         {0, 50, 0xFFFF0000},
         1,
         0xFFFFFFFF},
        {"DrawRectCm filled",
         [](PrintSurface &s) { DrawRectCm(s, 0, 0, 1, 1, 0, 0, 0, 7, 1); },
         PageItemKind::Rectangle,
         {1304, 1134, 1871, 1701},
         {0, 0, 0xFF000000},
         0,
         0xFFC0C0C0},
        {"DrawCircleCm",
         [](PrintSurface &s) { DrawCircleCm(s, 2, 2, 0.5f, 0, 5, 0x00FF00, 0x0000FF, 7); },
         PageItemKind::Ellipse,
         {2438 - 284, 2268 - 284, 2438 + 284, 2268 + 284},
         {0, 5, 0xFF00FF00},
         6,
         0xFF0000FF},
        {"DrawPolygonCm",
         [&](PrintSurface &s) { DrawPolygonCm(s, points, 3, 0, 10, 0x000000, 0x808080, 3); },
         PageItemKind::Polygon,
         {0, 0, 3, 0},
         {0, 10, 0xFF000000},
         2,
         0xFF808080},
    };
    for (const auto &c : cases) {
        PrintSurface s;
        SetMargins(s);
        s.StartDoc();
        s.SetPenStyle(3);
        s.SetPenWidth(7);
        s.SetPenColor(0xFF445566);
        s.SetBrushStyle(6);
        s.SetBrushColor(0xFF778899);
        const State before = state(s);
        c.draw(s);
        EXPECT_EQ(state(s), before) << c.name;
        const PrintDocument &doc = s.document();
        ASSERT_EQ(doc.page(1).items.size(), 1u) << c.name;
        const PageItem &item = doc.page(1).items[0];
        EXPECT_EQ(item.kind, c.kind) << c.name;
        EXPECT_EQ((std::array<int, 4>{item.x1, item.y1, item.x2, item.y2}), c.coords) << c.name;
        EXPECT_EQ(doc.pen(item.a).style, c.pen.style) << c.name;
        EXPECT_EQ(doc.pen(item.a).width, c.pen.width) << c.name;
        EXPECT_EQ(doc.pen(item.a).color | 0xFF000000, c.pen.color) << c.name;
        if (c.brushStyle >= 0) {
            EXPECT_EQ(doc.brush(item.b).style, c.brushStyle) << c.name;
            if (c.brushStyle != kBrushStyleTransparent) {
                EXPECT_EQ(doc.brush(item.b).color | 0xFF000000, c.brushColor) << c.name;
            }
        }
    }
    // The point string: "x y " per point in surface twips, and the polygon drawn through those points.
    PrintSurface s;
    SetMargins(s);
    s.StartDoc();
    EXPECT_EQ(PolygonPointString(s, points, 3), QStringLiteral("1304 1134 1871 1418 2722 1701 "));
    EXPECT_EQ(PolygonPointString(s, points, 2), QStringLiteral("1304 1134 1871 1418 "));
    DrawPolygonCm(s, points, 3, 0, 0, 0, 0, 0);
    EXPECT_EQ(s.document().page(1).points, (std::vector<QPoint>{{1304, 1134}, {1871, 1418}, {2722, 1701}}));
}

TEST(PageDrawing, PrintTextKeepsAlignSizeAngleAndPlacesTheTopLeft)
{
    PrintSurface s;
    SetMargins(s);
    s.StartDoc();
    s.SetTextAlign(kAlignCenterBottom);
    s.SetFontSize(12);
    s.SetTextAngle(450);
    PrintTextCm(s, QStringLiteral("柱"), 0, 1, 2, 90);  // size 0 keeps 12 points
    PrintTextTwips(s, QStringLiteral("梁"), 8, 100, 200, 0);
    EXPECT_EQ(s.TextAlign(), kAlignCenterBottom);
    EXPECT_EQ(s.FontSize(), 12.0);
    EXPECT_EQ(s.TextAngle(), 450.0);
    EXPECT_EQ(s.ColorMode(), 2);
    const PrintDocument &doc = s.document();
    const PageItem &a = doc.page(1).items[0], &b = doc.page(1).items[1];
    EXPECT_EQ(std::make_tuple(a.x1, a.y1, a.x2, a.y2, int(a.angle)), std::make_tuple(1871, 2268, 0, 0, 900));
    EXPECT_EQ(doc.font(a.b).points, 12.0f);
    EXPECT_EQ(std::make_tuple(b.x1, b.y1, b.x2, b.y2, int(b.angle)), std::make_tuple(1404, 1334, 0, 0, 0));
    EXPECT_EQ(doc.font(b.b).points, 8.0f);

    // The character cell is "A" measured: a line is 1.3 times the font's height.
    float charW = 0, lineH = 0;
    MeasureCharCell(s, charW, lineH);
    s.Measure(QStringLiteral("A"));
    EXPECT_FLOAT_EQ(charW, s.TextWid() / 567.0f);
    EXPECT_FLOAT_EQ(lineH, s.TextHei() / 567.0f * 1.3f);
    EXPECT_NEAR(s.TextHei(), 12 * 20, 12 * 20 * 0.2);  // about one em
}

}  // namespace
}  // namespace rqx
