#pragma once
// Internals shared by the surface's source files (not part of the surface's interface).

#include <QFontMetricsF>
#include <QHash>

#include <memory>

#include "print/print_surface.h"

namespace rqx {

struct PrintSurface::FontCache {
    explicit FontCache(const QFont &font) : metrics(font)
    {
        ascent = metrics.ascent();
        height = metrics.height();
        lineSpacing = std::max(metrics.lineSpacing(), height);
    }
    QFontMetricsF metrics;
    QHash<char16_t, double> advances;
    double ascent = 0;
    double height = 0;
    double lineSpacing = 0;
};

struct PrintSurface::Table {
    struct Column {
        int width = 0;
        int align = kCellAlignLeft;
    };
    std::vector<Column> columns;
    QStringList header;
    QList<QStringList> rows;
    QHash<quint64, int> spans;
    QHash<quint64, int> aligns;
    static quint64 key(int row, int column)
    {
        return (static_cast<quint64>(static_cast<quint32>(row)) << 32) | static_cast<quint32>(column);
    }
};

// Splits at "\r\n", "\r" or "\n".
QStringList SplitTextLines(const QString &text);

}  // namespace rqx
