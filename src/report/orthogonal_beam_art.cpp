// The orthogonal-beam illustration (plan view, 12.5 × 4.0 cm).
#include "report/orthogonal_beam_art.h"

#include <array>
#include <cmath>

#include "print/page_drawing.h"
#include "print/print_surface.h"

namespace rqx {

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr float kColumnSide = 0.36f;
constexpr float kArtHeight = 4.0f;

struct Art {
    PrintSurface &s;
    float left;
    float top;

    void line(float x1, float y1, float x2, float y2, int width, int style = kPenStyleSolid) const
    {
        DrawLineCm(s, left + x1, top + y1, left + x2, top + y2, style, width, kBlack);
    }
    void text(const QString &t, float points, float x, float y) const
    {
        PrintTextCm(s, t, points, left + x, top + y, 0);
    }
    // A text centred on (x, y).
    void centredText(const QString &t, float points, float x, float y) const
    {
        const double saved = s.FontSize();
        s.SetFontSize(points);
        s.Measure(t);
        const float w = TwipsToCm(s.TextWid());
        const float h = TwipsToCm(s.TextHei());
        s.SetFontSize(saved);
        text(t, points, x - w / 2, y - h / 2);
    }
    // A column square centred on (x, y): first-floor columns filled, second-floor columns open.
    void column(float x, float y, bool filled) const
    {
        const float h = kColumnSide / 2;
        const std::array<std::array<float, 2>, 4> pts = {{{left + x - h, top + y - h},
                                                          {left + x + h, top + y - h},
                                                          {left + x + h, top + y + h},
                                                          {left + x - h, top + y + h}}};
        DrawPolygonCm(s, pts, 4, kPenStyleSolid, 10, kBlack, filled ? kBlack : kWhite, 1);
    }
    // An arrow from (x1, y1) to (x2, y2) with a filled head at the end.
    void arrow(float x1, float y1, float x2, float y2) const
    {
        line(x1, y1, x2, y2, 15);
        const float dx = x2 - x1;
        const float dy = y2 - y1;
        const float len = std::hypot(dx, dy);
        if (len <= 0)
            return;
        const float ux = dx / len;
        const float uy = dy / len;
        constexpr float kHead = 0.25f;
        constexpr float kHalf = 0.1f;
        const std::array<std::array<float, 2>, 3> pts = {
            {{left + x2, top + y2},
             {left + x2 - ux * kHead - uy * kHalf, top + y2 - uy * kHead + ux * kHalf},
             {left + x2 - ux * kHead + uy * kHalf, top + y2 - uy * kHead - ux * kHalf}}};
        DrawPolygonCm(s, pts, 3, kPenStyleSolid, 5, kBlack, kBlack, 1);
    }
};

}  // namespace

float OrthogonalBeamArtHeight()
{
    return kArtHeight;
}

float DrawOrthogonalBeamArt(PrintSurface &surface, float left, float top)
{
    const Art a{surface, left, top};
    // Plan: orthogonal beams on the lines x = 1.5 and x = 9.5 from y = 0.6 to y = 4.6, each on two
    // first-floor columns; the small beam on y = 2.6 between them carries ① and ②.
    constexpr float kBeamLeft = 1.5f;
    constexpr float kBeamRight = 9.5f;
    constexpr float kTopY = 0.4f;
    constexpr float kBottomY = 3.6f;
    constexpr float kSmallY = 2.0f;
    constexpr float kCol1 = 4.0f;
    constexpr float kCol2 = 7.0f;

    a.line(kBeamLeft, kTopY, kBeamLeft, kBottomY, 40);
    a.line(kBeamRight, kTopY, kBeamRight, kBottomY, 40);
    a.line(kBeamLeft, kSmallY, kBeamRight, kSmallY, 20);
    for (float x : {kBeamLeft, kBeamRight})
        for (float y : {kTopY, kBottomY})
            a.column(x, y, true);
    a.column(kCol1, kSmallY, false);
    a.column(kCol2, kSmallY, false);
    a.centredText(QStringLiteral("①"), 10, kCol1, kSmallY - 0.5f);
    a.centredText(QStringLiteral("②"), 10, kCol2, kSmallY - 0.5f);

    // Pull-out paths: along the small beam to each orthogonal beam, then to its two columns.
    a.arrow(kCol1 - 0.3f, kSmallY + 0.3f, kBeamLeft + 0.3f, kSmallY + 0.3f);
    a.arrow(kCol2 + 0.3f, kSmallY + 0.3f, kBeamRight - 0.3f, kSmallY + 0.3f);
    for (float x : {kBeamLeft - 0.35f, kBeamRight + 0.35f}) {
        a.arrow(x, kSmallY - 0.3f, x, kTopY + 0.35f);
        a.arrow(x, kSmallY + 0.3f, x, kBottomY - 0.35f);
    }

    // Labels.
    a.text(QStringLiteral("小梁"), 8, (kBeamLeft + kBeamRight) / 2 - 0.35f, kSmallY + 0.45f);
    a.text(QStringLiteral("直交する２階床梁"), 8, kBeamLeft + 0.3f, kTopY + 0.6f);
    a.text(QStringLiteral("直交する２階床梁"), 8, kBeamRight - 2.6f, kTopY + 0.6f);
    a.text(QStringLiteral("１階柱"), 8, kBeamLeft + 0.3f, kBottomY - 0.15f);
    a.text(QStringLiteral("１階柱"), 8, kBeamRight + 0.3f, kBottomY - 0.15f);

    // Legend at the right.
    constexpr float kLegendX = 10.6f;
    a.column(kLegendX, 0.9f, false);
    a.text(QStringLiteral("２階柱"), 8, kLegendX + 0.35f, 0.75f);
    a.text(QStringLiteral("(下階柱なし)"), 8, kLegendX + 0.35f, 1.1f);
    a.column(kLegendX, 1.9f, true);
    a.text(QStringLiteral("１階柱"), 8, kLegendX + 0.35f, 1.75f);
    a.arrow(kLegendX - 0.2f, 2.8f, kLegendX + 0.3f, 2.8f);
    a.text(QStringLiteral("引抜き力"), 8, kLegendX + 0.45f, 2.65f);
    a.text(QStringLiteral("の伝達"), 8, kLegendX + 0.45f, 3.0f);
    return kArtHeight;
}

}  // namespace rqx
