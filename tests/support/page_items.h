#pragma once
// A recorded page read back for the drawing tests: its texts and shapes, in cm from the printable origin.

#include <QPointF>
#include <QRgb>
#include <QString>

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

}  // namespace rqx::test
