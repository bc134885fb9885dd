#pragma once
// Reading a recorded page back for the drawing tests: its texts, shapes and their pens and brushes.

#include <QRgb>
#include <QString>

#include <vector>

#include "print/page_drawing.h"
#include "print/print_document.h"
#include "print/print_surface.h"

namespace rqx::test {

struct PageText {
    QString text;
    float x = 0, y = 0;  // anchor, cm from the printable origin
    int angle = 0;       // tenths of a degree
    float points = 0;
    QString font;
    bool bold = false;
};

struct PageShape {
    PageItemKind kind = PageItemKind::Line;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // cm from the printable origin (a polygon: its first point)
    std::vector<QPointF> points;           // polygon points, cm
    int penWidth = 0;
    QRgb penColor = 0;
    int brushStyle = kBrushStyleTransparent;
    QRgb brushColor = 0;
};

struct PageContent {
    std::vector<PageText> texts;
    std::vector<PageShape> shapes;
    std::vector<PageText> textsOf(const QString &t) const
    {
        std::vector<PageText> out;
        for (const PageText &x : texts)
            if (x.text == t)
                out.push_back(x);
        return out;
    }
    std::vector<PageShape> shapesOf(PageItemKind kind) const
    {
        std::vector<PageShape> out;
        for (const PageShape &x : shapes)
            if (x.kind == kind)
                out.push_back(x);
        return out;
    }
};

// The content items of page n (running header and footer left out).
inline PageContent ReadPage(const PrintSurface &s, int n = 1)
{
    const PrintDocument &doc = s.document();
    const PrintPage &page = doc.page(n);
    const auto cmX = [&](int t) { return static_cast<float>(t - s.MarginLeft()) / 567.0f; };
    const auto cmY = [&](int t) { return static_cast<float>(t - s.MarginTop()) / 567.0f; };
    PageContent c;
    for (const PageItem &it : page.items) {
        if (it.flags != 0)
            continue;
        if (it.kind == PageItemKind::Text) {
            const PrintFont &f = doc.font(it.b);
            c.texts.push_back({doc.string(it.a), cmX(it.x1), cmY(it.y1), it.angle, f.points, f.name, f.bold});
            continue;
        }
        if (it.kind == PageItemKind::Picture)
            continue;
        PageShape sh;
        sh.kind = it.kind;
        const PrintPen &pen = doc.pen(it.a);
        sh.penWidth = pen.width;
        sh.penColor = pen.color & 0xFFFFFF;
        if (it.kind != PageItemKind::Line) {
            sh.brushStyle = doc.brush(it.b).style;
            sh.brushColor = doc.brush(it.b).color & 0xFFFFFF;
        }
        if (it.kind == PageItemKind::Polygon) {
            for (int i = 0; i < it.x2; ++i) {
                const QPoint pt = page.points[static_cast<size_t>(it.x1 + i)];
                sh.points.emplace_back(cmX(pt.x()), cmY(pt.y()));
            }
            sh.x1 = static_cast<float>(sh.points.front().x());
            sh.y1 = static_cast<float>(sh.points.front().y());
        } else {
            sh.x1 = cmX(it.x1), sh.y1 = cmY(it.y1), sh.x2 = cmX(it.x2), sh.y2 = cmY(it.y2);
        }
        c.shapes.push_back(sh);
    }
    return c;
}

}  // namespace rqx::test
