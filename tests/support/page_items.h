#pragma once
// A recorded page read back for the drawing tests: its texts and shapes, in cm from the printable origin.

#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QString>

#include <cmath>
#include <vector>

#include "print/print_document.h"
#include "print/print_surface.h"

namespace rqx::test {

struct PageText {
    QString text;
    float x = 0, y = 0;  // anchor
    int angle = 0;       // tenths of a degree
    float points = 0;
    QString font;
};

struct PageShape {
    PageItemKind kind = PageItemKind::Line;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::vector<QPointF> points;  // a polygon's
    int penWidth = 0;
    QRgb penColor = 0, brushColor = 0;  // RGB without alpha
    int brushStyle = kBrushStyleTransparent;
};

struct PageContent {
    std::vector<PageText> texts;
    std::vector<PageShape> shapes;
    std::vector<PageShape> shapesOf(PageItemKind kind) const
    {
        std::vector<PageShape> out;
        for (const PageShape &x : shapes)
            if (x.kind == kind)
                out.push_back(x);
        return out;
    }
};

// The content of page n, running header and footer left out.
inline PageContent ReadPage(const PrintSurface &s, int n = 1)
{
    const PrintDocument &doc = s.document();
    const PrintPage &page = doc.page(n);
    const auto cx = [&](int t) { return static_cast<float>(t - s.MarginLeft()) / 567.0f; };
    const auto cy = [&](int t) { return static_cast<float>(t - s.MarginTop()) / 567.0f; };
    PageContent c;
    for (const PageItem &it : page.items) {
        if (it.flags != 0 || it.kind == PageItemKind::Picture)
            continue;
        if (it.kind == PageItemKind::Text) {
            const PrintFont &f = doc.font(it.b);
            c.texts.push_back({doc.string(it.a), cx(it.x1), cy(it.y1), it.angle, f.points, f.name});
            continue;
        }
        PageShape sh{it.kind, cx(it.x1), cy(it.y1), cx(it.x2), cy(it.y2)};
        sh.penWidth = doc.pen(it.a).width;
        sh.penColor = doc.pen(it.a).color & 0xFFFFFF;
        if (it.kind != PageItemKind::Line) {
            sh.brushStyle = doc.brush(it.b).style;
            sh.brushColor = doc.brush(it.b).color & 0xFFFFFF;
        }
        if (it.kind == PageItemKind::Polygon)
            for (int i = 0; i < it.x2; ++i) {
                const QPoint pt = page.points[static_cast<size_t>(it.x1 + i)];
                sh.points.emplace_back(cx(pt.x()), cy(pt.y()));
            }
        c.shapes.push_back(sh);
    }
    return c;
}

// The box a text item covers on the paper, in twips from the paper's top-left: its width and the font's
// height as the surface measures them, turned about the anchor as the renderer turns it.
struct TextBox {
    QString text;
    QRectF box;
    bool running = false;  // the page's header or footer
};

inline std::vector<TextBox> PageTextBoxes(const PrintDocument &doc, int n)
{
    static PrintSurface measure;  // only measures
    std::vector<TextBox> out;
    for (const PageItem &it : doc.page(n).items) {
        if (it.kind != PageItemKind::Text)
            continue;
        const PrintFont &f = doc.font(it.b);
        measure.SetFontName(f.name);
        measure.SetFontSize(f.points);
        measure.SetFontBold(f.bold);
        const QString &text = doc.string(it.a);
        measure.Measure(text);
        const QRectF local(it.x2, it.y2, measure.TextWid(), measure.TextHei());
        const double a = -it.angle / 10.0 * M_PI / 180.0;
        const double c = std::cos(a), sn = std::sin(a);
        double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
        for (const QPointF &p :
             {local.topLeft(), local.topRight(), local.bottomLeft(), local.bottomRight()}) {
            const double x = it.x1 + p.x() * c - p.y() * sn;
            const double y = it.y1 + p.x() * sn + p.y() * c;
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x);
            y1 = std::max(y1, y);
        }
        out.push_back({text, QRectF(QPointF(x0, y0), QPointF(x1, y1)), it.flags != 0});
    }
    return out;
}

}  // namespace rqx::test
