#pragma once
// Page drawing in centimetres: the small wrappers through which reports, plans and frame figures draw on the
// print surface. Every routine takes the surface first, and saves and restores every pen, brush or text
// attribute it changes, so callers never see a changed surface state.
//
// Units: centimetres (single precision) measured from the PRINTABLE ORIGIN, the top-left corner inside the
// margins: (x, y) cm lands at (MarginLeft + CmToTwips(x), MarginTop + CmToTwips(y)) twips from the paper
// edge, with the margins read at the moment of drawing. The *Twips routines take twips from the printable
// origin. 1 cm = 567 twips.
//
// Colours: routines marked "RGB" take a QRgb value; DrawRectCm takes indices 0–15 of the classic 16-colour
// palette (PaletteColor). Fill style: 0 no fill, n > 0 brush style n − 1 with the fill colour.

#include <QRgb>
#include <QString>
#include <QStringList>

#include <array>
#include <span>
#include <vector>

namespace rqx {

class PrintSurface;

// RGB of palette index n (0 black, 1 dark blue … 7 light grey, 8 grey, 9 blue, 12 red … 15 white);
// other numbers give black.
QRgb PaletteColor(int index);

// twips = cm × 567 in single precision, to the nearest integer, halves to even.
int CmToTwips(float cm);
// cm = twips ÷ 567 in single precision.
float TwipsToCm(int twips);
// twips ÷ 567 as a value, for the figure routines that measure in centimetres.
inline float Cm(int twips)
{
    return static_cast<float>(twips) / 567.0f;
}

// Page setup shared by every printed window (the report preview, the frame view and the transfer check
// call it with paper kind 4, A4):
// 1. reads the current orientation, page size and margin sums (cm);
// 2. sets MousePage off, MouseZoom and MouseScroll on, FontSize = baseFontSize, PaperSize from the paper
//    kind, Orientation = orientation, PhysicalPage on;
// 3. paper kinds: 2 → 66 (A2), 3 → 8 (A3), 4 → 9 (A4), 5 → 11 (A5), 14 → 12 (B4), 15 → 13 (B5),
//    0, 1, 12, 13 → 256 (user size), other kinds → 0 (size unchanged);
// 4. printable width: with the OLD orientation portrait, new width − new side margins; with the old
//    orientation landscape, new width ÷ 2 − new side margins (and the old width alike); printable height =
//    new height − new top and bottom margins; any other old orientation returns the raw new page size;
// 5. divides Zoom by (new printable width ÷ old printable width), keeping the preview scale of the printable
//    area (skipped when either width is not positive).
void SetupPrintPage(PrintSurface &s, float baseFontSize, int paperKind, int orientation,
                    float &printableWidth, float &printableHeight);
// Paper code of a paper kind (step 3 above).
int PaperCodeOfKind(int paperKind);

// Measures "A" in the current font: charWidth = TextWid ÷ 567, lineHeight = TextHei ÷ 567 × 1.3 (cm).
void MeasureCharCell(PrintSurface &s, float &charWidth, float &lineHeight);

// Text with its top-left corner at (x, y); fontSize 0 keeps the current size; angle in degrees
// (counter-clockwise). Sets ColorMode 2 (left so). TextAlign, FontSize and TextAngle are restored.
void PrintTextCm(PrintSurface &s, const QString &text, float fontSize, float x, float y, float angle);
// Width and height of `text` in centimetres at font size `size`; the surface keeps that size.
struct TextSize {
    float w = 0;
    float h = 0;
};
TextSize MeasureCm(PrintSurface &s, const QString &text, float size);
void PrintTextTwips(PrintSurface &s, const QString &text, float fontSize, int x, int y, float angle);

// Line with the given pen (RGB); PenWidth, PenStyle and PenColor are restored.
void DrawLineCm(PrintSurface &s, float x1, float y1, float x2, float y2, int penStyle, int penWidth,
                QRgb penColor);
struct LineTwips {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // twips from the printable origin
    int penStyle = 0;
    int penWidth = 0;
    QRgb penColor = 0xFF000000;  // RGB
};
void DrawLineTwips(PrintSurface &s, const LineTwips &line);

// Rectangle from (x, y) to (x + width, y + height); pen and fill colours are PALETTE INDICES. Fill style 0
// draws the outline only (brush style 1). Pen and brush are restored.
void DrawRectCm(PrintSurface &s, float x, float y, float width, float height, int penStyle, int penWidth,
                int penColorIndex, int fillColorIndex, int fillStyle);

// Polygon through the first `count` points (x, y cm); colours RGB. Pen and brush are restored.
void DrawPolygonCm(PrintSurface &s, std::span<const std::array<float, 2>> points, int count, int penStyle,
                   int penWidth, QRgb penColor, QRgb fillColor, int fillStyle);
// The point string DrawPolygonCm hands to the surface: for each point "x y " in surface twips (margins
// added) as plain integers, so a space-separated run of integers ending in a space.
QString PolygonPointString(const PrintSurface &s, std::span<const std::array<float, 2>> points, int count);

// Circle around (centerX, centerY) cm with the radius in cm (converted to twips); colours RGB.
// Pen and brush are restored.
void DrawCircleCm(PrintSurface &s, float centerX, float centerY, float radius, int penStyle, int penWidth,
                  QRgb penColor, QRgb fillColor, int fillStyle);

// A dimension line through the page positions `marks` (cm, ascending): the line (black, thinnest pen), a
// short tick across it at each mark, and between marks i and i + 1 the text texts[i] centred on its outer
// side — above a horizontal line (at y = `at`), right of a vertical one (at x = `at`, turned 90°). A text
// wider than its gap is set smaller down to `minSize`, and left out if it fits at no size. Font as set.
void DrawDimensionLineCm(PrintSurface &s, bool horizontal, float at, const std::vector<float> &marks,
                         const QStringList &texts, float size, float minSize);

}  // namespace rqx
