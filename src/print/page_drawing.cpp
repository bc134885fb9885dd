#include "print/page_drawing.h"

#include <cmath>

#include "print/print_surface.h"

namespace rqx {

QRgb PaletteColor(int index)
{
    static constexpr QRgb table[16] = {
        0xFF000000, 0xFF000080, 0xFF008000, 0xFF008080, 0xFF800000, 0xFF800080, 0xFF808000, 0xFFC0C0C0,
        0xFF808080, 0xFF0000FF, 0xFF00FF00, 0xFF00FFFF, 0xFFFF0000, 0xFFFF00FF, 0xFFFFFF00, 0xFFFFFFFF,
    };
    return index >= 0 && index < 16 ? table[index] : table[0];
}

int CmToTwips(float cm)
{
    // Single-precision product, then the nearest integer with halves to even (the default rounding mode).
    const float product = cm * 567.0f;
    return static_cast<int>(std::lrintf(product));
}

float TwipsToCm(int twips)
{
    return static_cast<float>(twips) / 567.0f;
}

TextSize MeasureCm(PrintSurface &s, const QString &text, float size)
{
    s.SetFontSize(size);
    s.Measure(text);
    return {Cm(s.TextWid()), Cm(s.TextHei())};
}

namespace {
int Twips(float cm)
{
    return CmToTwips(cm);
}

// Saves the pen and brush and puts them back on leaving.
class PenBrushGuard {
public:
    explicit PenBrushGuard(PrintSurface &s)
        : s_(s),
          style_(s.PenStyle()),
          width_(s.PenWidth()),
          color_(s.PenColor()),
          brushStyle_(s.BrushStyle()),
          brushColor_(s.BrushColor())
    {
    }
    ~PenBrushGuard()
    {
        s_.SetPenStyle(style_);
        s_.SetPenWidth(width_);
        s_.SetPenColor(color_);
        s_.SetBrushStyle(brushStyle_);
        s_.SetBrushColor(brushColor_);
    }
    PenBrushGuard(const PenBrushGuard &) = delete;
    PenBrushGuard &operator=(const PenBrushGuard &) = delete;

private:
    PrintSurface &s_;
    int style_, width_;
    QRgb color_;
    int brushStyle_;
    QRgb brushColor_;
};

void SetFill(PrintSurface &s, QRgb color, int fillStyle)
{
    if (fillStyle == 0) {
        s.SetBrushStyle(kBrushStyleTransparent);
    } else {
        s.SetBrushStyle(fillStyle - 1);
        s.SetBrushColor(color);
    }
}
}  // namespace

int PaperCodeOfKind(int paperKind)
{
    switch (paperKind) {
        case 2:
            return kPaperA2;
        case 3:
            return kPaperA3;
        case 4:
            return kPaperA4;
        case 5:
            return kPaperA5;
        case 14:
            return kPaperB4;
        case 15:
            return kPaperB5;
        case 0:
        case 1:
        case 12:
        case 13:
            return kPaperUser;
        default:
            return 0;
    }
}

void SetupPrintPage(PrintSurface &s, float baseFontSize, int paperKind, int orientation,
                    float &printableWidth, float &printableHeight)
{
    const int oldOrientation = s.Orientation();
    const float oldWidth = Cm(s.PageWidth());
    const float oldSides = Cm(s.MarginLeft() + s.MarginRight());

    s.SetMousePage(false);
    s.SetMouseZoom(true);
    s.SetMouseScroll(true);
    s.SetFontSize(baseFontSize);
    s.SetPaperSize(PaperCodeOfKind(paperKind));
    s.SetOrientation(orientation);
    s.SetPhysicalPage(true);

    const float newWidth = Cm(s.PageWidth());
    const float newHeight = Cm(s.PageHeight());
    const float newSides = Cm(s.MarginLeft() + s.MarginRight());
    const float newTopBottom = Cm(s.MarginTop() + s.MarginBottom());
    float oldPrintable = 0;
    float newPrintable = 0;
    if (oldOrientation == kOrientationPortrait) {
        oldPrintable = oldWidth - oldSides;
        newPrintable = newWidth - newSides;
        printableHeight = newHeight - newTopBottom;
    } else if (oldOrientation == kOrientationLandscape) {
        oldPrintable = oldWidth / 2 - oldSides;
        newPrintable = newWidth / 2 - newSides;
        printableHeight = newHeight - newTopBottom;
    } else {
        printableWidth = newWidth;
        printableHeight = newHeight;
        return;
    }
    printableWidth = newPrintable;
    if (oldPrintable > 0 && newPrintable > 0)
        s.SetZoom(s.Zoom() / (newPrintable / oldPrintable));
}

void MeasureCharCell(PrintSurface &s, float &charWidth, float &lineHeight)
{
    s.Measure(QStringLiteral("A"));
    charWidth = static_cast<float>(s.TextWid()) / 567.0f;
    lineHeight = static_cast<float>(s.TextHei()) / 567.0f * 1.3f;
}

void PrintTextTwips(PrintSurface &s, const QString &text, float fontSize, int x, int y, float angle)
{
    const int align = s.TextAlign();
    const double size = s.FontSize();
    const double textAngle = s.TextAngle();
    s.SetTextAlign(kAlignLeftTop);
    if (fontSize != 0)
        s.SetFontSize(fontSize);
    s.SetCurrentX(s.MarginLeft() + x);
    s.SetCurrentY(s.MarginTop() + y);
    s.SetColorMode(2);
    s.SetTextAngle(static_cast<double>(angle * 10.0f));
    s.Text(text);
    s.SetTextAlign(align);
    s.SetFontSize(size);
    s.SetTextAngle(textAngle);
}

void PrintTextCm(PrintSurface &s, const QString &text, float fontSize, float x, float y, float angle)
{
    PrintTextTwips(s, text, fontSize, Twips(x), Twips(y), angle);
}

void DrawLineTwips(PrintSurface &s, const LineTwips &line)
{
    const int width = s.PenWidth();
    const int style = s.PenStyle();
    const QRgb color = s.PenColor();
    s.SetPenWidth(line.penWidth);
    s.SetPenStyle(line.penStyle);
    s.SetPenColor(line.penColor);
    s.DrawLine(s.MarginLeft() + line.x1, s.MarginTop() + line.y1, s.MarginLeft() + line.x2,
               s.MarginTop() + line.y2);
    s.SetPenWidth(width);
    s.SetPenStyle(style);
    s.SetPenColor(color);
}

void DrawLineCm(PrintSurface &s, float x1, float y1, float x2, float y2, int penStyle, int penWidth,
                QRgb penColor)
{
    DrawLineTwips(s, {Twips(x1), Twips(y1), Twips(x2), Twips(y2), penStyle, penWidth, penColor});
}

void DrawRectCm(PrintSurface &s, float x, float y, float width, float height, int penStyle, int penWidth,
                int penColorIndex, int fillColorIndex, int fillStyle)
{
    PenBrushGuard guard(s);
    s.SetPenStyle(penStyle);
    s.SetPenWidth(penWidth);
    s.SetPenColor(PaletteColor(penColorIndex));
    SetFill(s, PaletteColor(fillColorIndex), fillStyle);
    s.DrawRectangle(s.MarginLeft() + Twips(x), s.MarginTop() + Twips(y), s.MarginLeft() + Twips(x + width),
                    s.MarginTop() + Twips(y + height));
}

QString PolygonPointString(const PrintSurface &s, std::span<const std::array<float, 2>> points, int count)
{
    QString out;
    const int n = std::min<int>(count, static_cast<int>(points.size()));
    for (int i = 0; i < n; ++i) {
        out += QString::number(s.MarginLeft() + Twips(points[static_cast<size_t>(i)][0]));
        out += u' ';
        out += QString::number(s.MarginTop() + Twips(points[static_cast<size_t>(i)][1]));
        out += u' ';
    }
    return out;
}

void DrawPolygonCm(PrintSurface &s, std::span<const std::array<float, 2>> points, int count, int penStyle,
                   int penWidth, QRgb penColor, QRgb fillColor, int fillStyle)
{
    PenBrushGuard guard(s);
    s.SetPenStyle(penStyle);
    s.SetPenWidth(penWidth);
    s.SetPenColor(penColor);
    SetFill(s, fillColor, fillStyle);
    s.Polygon(PolygonPointString(s, points, count));
}

void DrawCircleCm(PrintSurface &s, float centerX, float centerY, float radius, int penStyle, int penWidth,
                  QRgb penColor, QRgb fillColor, int fillStyle)
{
    PenBrushGuard guard(s);
    s.SetPenStyle(penStyle);
    s.SetPenWidth(penWidth);
    s.SetPenColor(penColor);
    SetFill(s, fillColor, fillStyle);
    s.DrawCircle(s.MarginLeft() + Twips(centerX), s.MarginTop() + Twips(centerY), Twips(radius));
}

void DrawDimensionLineCm(PrintSurface &s, bool horizontal, float at, const std::vector<float> &marks,
                         const QStringList &texts, float size, float minSize)
{
    if (marks.size() < 2)
        return;
    constexpr float kTick = 0.06f;
    constexpr float kGap = 0.03f;  // between the line and its texts, and kept free at each tick
    const QRgb black = PaletteColor(0);
    if (horizontal)
        DrawLineCm(s, marks.front(), at, marks.back(), at, kPenStyleSolid, 0, black);
    else
        DrawLineCm(s, at, marks.front(), at, marks.back(), kPenStyleSolid, 0, black);
    for (const float m : marks) {
        if (horizontal)
            DrawLineCm(s, m, at - kTick, m, at + kTick, kPenStyleSolid, 0, black);
        else
            DrawLineCm(s, at - kTick, m, at + kTick, m, kPenStyleSolid, 0, black);
    }
    for (size_t i = 0; i + 1 < marks.size() && i < static_cast<size_t>(texts.size()); ++i) {
        const QString &text = texts[static_cast<qsizetype>(i)];
        const float room = std::abs(marks[i + 1] - marks[i]) - 2 * kGap;
        float points = size;
        TextSize t = MeasureCm(s, text, points);
        while (t.w > room && points - 0.5f >= minSize) {
            points -= 0.5f;
            t = MeasureCm(s, text, points);
        }
        if (t.w > room)
            continue;
        const float mid = (marks[i] + marks[i + 1]) / 2;
        if (horizontal)
            PrintTextCm(s, text, points, mid - t.w / 2, at - kGap - t.h, 0);
        else  // turned 90°: the text runs upwards from its anchor and lies right of it
            PrintTextCm(s, text, points, at + kGap, mid + t.w / 2, 90);
    }
}

}  // namespace rqx
