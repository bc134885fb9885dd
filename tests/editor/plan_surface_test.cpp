// Drawing primitives on the plan surface: page and fit, twips rounding, pen state kept and restored,
// the exclusive-or pen, one-pixel points, text size and fonts.
#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

#include "editor/plan_surface.h"
#include "editor/qb_color.h"
#include "support/house_builder.h"

namespace rqx {
namespace {

int CountColour(const QImage &img, QRgb colour, QRect area = {})
{
    if (area.isNull())
        area = img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (img.pixel(x, y) | 0xFF000000u) == colour;
    return n;
}

// A surface with the plan page set and some picture on it.
struct Fitted {
    Project project = samples::NewProject(20, 20, 2, 2, samples::LineNames::kNumbered);
    PlanFit fit;
    PlanSurface s{QSize(714, 540)};  // 28.35 twips per pixel both ways
    Fitted() { fitPlan(s, project, fit); }
};

TEST(PlanSurfaceTest, FitSetsTheLogicalPageAndScaleWhateverTheRasterSize)
{
    Fitted f;
    // Page: (3 + 29.7 + 3) × 567 = 20241.9 twips wide, (3 + 21 + 3) × 567 = 15309 high.
    EXPECT_NEAR(f.s.scaleWidth(), 20241.9, 1e-6);
    EXPECT_DOUBLE_EQ(f.s.scaleHeight(), 15309.0);
    EXPECT_EQ(f.fit.scaleHeight, 15309);
    // 20 spans of 0.455 m = 9.1 m both ways: min(29.7 / 9.1, 21.0 / 9.1) = 21.0 / 9.1.
    EXPECT_NEAR(f.fit.planScale, 21.0 / 9.1, 1e-5);
    EXPECT_FLOAT_EQ(f.fit.originX, 3.0f);
    EXPECT_FLOAT_EQ(f.fit.originY, 3.0f);

    // A wide grid is bounded by the width: 40 × 10 spans → min(29.7 / 18.2, 21.0 / 4.55) = 29.7 / 18.2.
    Project wide = samples::NewProject(40, 10, 1, 2, samples::LineNames::kNumbered);
    PlanFit fit;
    PlanSurface other(QSize(2000, 300));
    fitPlan(other, wide, fit);
    EXPECT_NEAR(fit.planScale, 29.7 / 18.2, 1e-5);
    EXPECT_NEAR(other.scaleWidth(), 20241.9, 1e-6);

    // An empty grid does not divide by zero.
    Project none;
    fitPlan(other, none, fit);
    EXPECT_FLOAT_EQ(fit.planScale, 1.0f);
}

TEST(PlanSurfaceTest, PlanPointsGoThroughRoundedTwipsWithYUp)
{
    Fitted f;
    // 1 cm → 567 twips; the page's 27 cm are 540 pixels, so 28.35 twips per pixel.
    EXPECT_EQ(CmToTwips(1.0), 567);
    EXPECT_EQ(CmToTwips(-2.0), -1134);
    // A half twip goes to the even neighbour: 567 × (0.5 / 567) = 0.5 → 0; 2.5 → 2; 3.5 → 4.
    EXPECT_EQ(CmToTwips(0.5 / 567.0), 0);
    EXPECT_EQ(CmToTwips(2.5 / 567.0), 2);
    EXPECT_EQ(CmToTwips(3.5 / 567.0), 4);
    // (0, 0) is the bottom-left corner: twips (0, 15309) → the pixel just below the last row.
    EXPECT_EQ(f.s.planToPixel(0.0, 0.0), QPoint(0, 540));
    // (10 cm, 20 cm): x = 5670 twips → 200 px; y = 15309 − 11340 = 3969 twips → 140 px.
    EXPECT_EQ(f.s.planToPixel(10.0, 20.0), QPoint(200, 140));
    // Pointer pixels map back to twips at the pixel centre.
    EXPECT_EQ(f.s.toPixelX(f.s.toTwipsX(123)), 123);
    EXPECT_EQ(f.s.toPixelY(f.s.toTwipsY(77)), 77);
}

TEST(PlanSurfaceTest, DrawLineOfWidthZeroIsOnePixelAndKeepsThePenWidth)
{
    Fitted f;
    f.s.drawWidth = 3;
    f.s.drawStyle = kPenDash;
    drawLine(f.s, 5.0, 10.0, 15.0, 10.0, kPenSolid, 0, QBColor(kQBWhite), kDrawCopyPen);
    // A horizontal line at y = 10 cm: twips 15309 − 5670 = 9639 → row 340; x from 100 to 300 px.
    const QImage &img = f.s.image();
    EXPECT_EQ(CountColour(img, QBColor(kQBWhite), QRect(0, 339, 714, 1)), 0);
    EXPECT_EQ(CountColour(img, QBColor(kQBWhite), QRect(0, 341, 714, 1)), 0);
    EXPECT_GE(CountColour(img, QBColor(kQBWhite), QRect(0, 340, 714, 1)), 200);
    EXPECT_EQ(f.s.drawWidth, 3);
    EXPECT_EQ(f.s.drawStyle, kPenDash);
    EXPECT_EQ(f.s.drawMode, kDrawCopyPen);
    EXPECT_EQ(f.s.foreColor, QBColor(kQBBlack));
}

TEST(PlanSurfaceTest, DrawBoxFillsInsideTheOutlineAndRestoresTheState)
{
    Fitted f;
    f.s.fillStyle = kFillTransparent;
    drawBox(f.s, 5.0, 5.0, 10.0, 10.0, kPenSolid, 1, QBColor(kQBYellow), QBColor(kQBBlue), kFillSolid,
            kDrawCopyPen);
    // Corners: x 100..200 px, y rows 340..440.
    const QImage &img = f.s.image();
    EXPECT_EQ(img.pixel(100, 340) | 0xFF000000u, QBColor(kQBYellow));
    EXPECT_EQ(img.pixel(200, 440) | 0xFF000000u, QBColor(kQBYellow));
    EXPECT_EQ(img.pixel(150, 390) | 0xFF000000u, QBColor(kQBBlue));
    EXPECT_EQ(img.pixel(99, 390) | 0xFF000000u, QBColor(kQBBlack));
    // Outline 101 + 101 + 99 + 99 pixels, interior 99 × 99.
    EXPECT_EQ(CountColour(img, QBColor(kQBYellow)), 400);
    EXPECT_EQ(CountColour(img, QBColor(kQBBlue)), 99 * 99);
    EXPECT_EQ(f.s.fillStyle, kFillTransparent);
    EXPECT_EQ(f.s.foreColor, QBColor(kQBBlack));
    EXPECT_EQ(f.s.fillColor, QBColor(kQBBlack));
}

TEST(PlanSurfaceTest, ExclusiveOrRubberBandDrawnTwiceLeavesThePicture)
{
    Fitted f;
    drawBox(f.s, 4.0, 4.0, 20.0, 15.0, kPenSolid, 1, QBColor(kQBBlack), QBColor(kQBBlue), kFillSolid,
            kDrawCopyPen);
    drawLine(f.s, 2.0, 2.0, 25.0, 18.0, kPenSolid, 1, QBColor(kQBYellow), kDrawCopyPen);
    const QImage before = f.s.image().copy();

    drawLineTwips(f.s, 1000, 2000, 9000, 7000, QBColor(kQBWhite), 2, kDrawXorPen);
    EXPECT_NE(f.s.image(), before);
    EXPECT_EQ(f.s.drawWidth, 2);
    EXPECT_EQ(f.s.drawMode, kDrawXorPen);
    EXPECT_EQ(f.s.foreColor, QBColor(kQBWhite));
    EXPECT_EQ(f.s.fillColor, QBColor(kQBWhite));
    drawLineTwips(f.s, 1000, 2000, 9000, 7000, QBColor(kQBWhite), 2, kDrawXorPen);
    EXPECT_EQ(f.s.image(), before);

    // The rubber rectangle: every pixel of the outline once, so that the corners come back too.
    drawBoxTwips(f.s, 3000, 3000, 12000, 9000, QBColor(kQBLightRed), 0, 2, kDrawXorPen);
    const QImage once = f.s.image().copy();
    EXPECT_NE(once, before);
    drawBoxTwips(f.s, 3000, 3000, 12000, 9000, QBColor(kQBLightRed), 0, 2, kDrawXorPen);
    EXPECT_EQ(f.s.image(), before);
    // Over black the outline shows in its own colour, at the corner as well.
    const QPoint corner = f.s.toPixel(3000, 3000);
    EXPECT_EQ(once.pixel(corner) | 0xFF000000u, QBColor(kQBLightRed));

    // Filled style 1, and an unknown style draws nothing.
    drawBoxTwips(f.s, 3000, 3000, 4000, 4000, QBColor(kQBWhite), 1, 1, kDrawXorPen);
    drawBoxTwips(f.s, 3000, 3000, 4000, 4000, QBColor(kQBWhite), 1, 1, kDrawXorPen);
    drawBoxTwips(f.s, 3000, 3000, 4000, 4000, QBColor(kQBWhite), 5, 1, kDrawCopyPen);
    EXPECT_EQ(f.s.image(), before);
}

TEST(PlanSurfaceTest, PlotPointSetsOnePixelAndKeepsThePenColour)
{
    Fitted f;
    f.s.foreColor = QBColor(kQBYellow);
    plotPoint(f.s, 10.0, 20.0, QBColor(kQBGreen));
    EXPECT_EQ(CountColour(f.s.image(), QBColor(kQBGreen)), 1);
    EXPECT_EQ(f.s.image().pixel(200, 140) | 0xFF000000u, QBColor(kQBGreen));
    EXPECT_EQ(f.s.foreColor, QBColor(kQBYellow));
    // After an exclusive-or rubber band the point is still set, not combined.
    drawLineTwips(f.s, 0, 0, 100, 100, QBColor(kQBWhite), 2, kDrawXorPen);
    plotPoint(f.s, 10.0, 20.0, QBColor(kQBYellow));
    EXPECT_EQ(f.s.image().pixel(200, 140) | 0xFF000000u, QBColor(kQBYellow));
    plotPoint(f.s, 10.0, 20.0, QBColor(kQBGreen));
    // Off the raster nothing happens.
    plotPoint(f.s, -5.0, 50.0, QBColor(kQBGreen));
    EXPECT_EQ(CountColour(f.s.image(), QBColor(kQBGreen)), 1);
}

TEST(PlanSurfaceTest, TextKeepsItsScreenSizeAndTheFontOfTheLastCall)
{
    Fitted f;
    const CharSize small = measureChar(f.s, 10.0);
    PlanSurface big(QSize(1428, 1080));
    fitPlan(big, f.project, f.fit);
    const CharSize large = measureChar(big, 10.0);
    // The same pixels on a raster twice as large are half the page centimetres.
    EXPECT_GT(small.height, 0.0);
    EXPECT_NEAR(large.width, small.width / 2.0, 1e-9);
    EXPECT_NEAR(large.height, small.height / 2.0, 1e-9);
    EXPECT_DOUBLE_EQ(f.s.font.pointSizeF(), 10.0);

    drawText(f.s, 5.0, 20.0, QStringLiteral("X1"), QBColor(kQBWhite), 10.0, kFontMincho, true);
    EXPECT_EQ(f.s.font.family(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_TRUE(f.s.font.bold());
    drawText(f.s, 5.0, 15.0, QStringLiteral("Y1"), QBColor(kQBWhite), 12.0, 0, false);
    EXPECT_EQ(f.s.font.family(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_FALSE(f.s.font.bold());
    EXPECT_DOUBLE_EQ(f.s.font.pointSizeF(), 12.0);
    // The text's top-left corner is at the point: nothing above row 140 (20 cm), something below.
    const QImage &img = f.s.image();
    EXPECT_EQ(CountColour(img, QBColor(kQBWhite), QRect(0, 0, 714, 140)), 0);
    EXPECT_GT(CountColour(img, QBColor(kQBWhite), QRect(100, 140, 60, 20)), 0);
    EXPECT_EQ(f.s.currentX, 2835.0);
    EXPECT_EQ(f.s.currentY, 15309.0 - 8505.0);
}

TEST(PlanSurfaceTest, TheFourFontTypesResolveToJapaneseFonts)
{
    ASSERT_FALSE(QFontDatabase::families(QFontDatabase::Japanese).isEmpty());
    InstallFontSubstitutions();
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (int type = kFontMincho; type <= kFontPGothic; ++type) {
        const QFontInfo info(QFont(FontFamilyOfType(type)));
        EXPECT_TRUE(japanese.contains(info.family())) << type << " " << info.family().toStdString();
    }
    EXPECT_EQ(QFontInfo(QFont(FontFamilyOfType(kFontGothic))).family(), QStringLiteral("IPAGothic"));
}

}  // namespace
}  // namespace rqx
