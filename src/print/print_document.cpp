#include "print/print_document.h"

#include <cmath>

#include "print/font_names.h"

namespace rqx {

QFont TwipsFont(const PrintFont &f)
{
    QFont font(ResolveFontFamily(f.name));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(f.points * kPrintTwipsPerPoint))));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    // Outline metrics: the layout measured here is the one drawn on any device.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

QSize PrintDocument::pageSize(int n) const
{
    if (n < 1 || n > pageCount())
        return {};
    const PrintPage &p = page(n);
    return {p.width, p.height};
}

QStringList PrintDocument::pageTexts(int n) const
{
    QStringList out;
    if (n < 1 || n > pageCount())
        return out;
    for (const PageItem &item : page(n).items) {
        if (item.kind == PageItemKind::Text)
            out << string(item.a);
    }
    return out;
}

std::size_t PrintDocument::memoryBytes() const
{
    std::size_t bytes = pages_.capacity() * sizeof(PrintPage);
    for (const PrintPage &p : pages_)
        bytes += p.items.capacity() * sizeof(PageItem) + p.points.capacity() * sizeof(QPoint) +
                 p.layers.capacity() * sizeof(ItemLayerRun) + p.figures.capacity() * sizeof(PageFigure);
    for (const QString &s : strings_)
        bytes += sizeof(QString) + static_cast<std::size_t>(s.capacity()) * 2 + 16;
    bytes += static_cast<std::size_t>(stringIndex_.capacity()) * (sizeof(QString) + 16);
    bytes += fonts_.capacity() * sizeof(PrintFont) + pens_.capacity() * sizeof(PrintPen) +
             brushes_.capacity() * sizeof(PrintBrush);
    for (const QImage &img : pictures_)
        bytes += static_cast<std::size_t>(img.sizeInBytes());
    return bytes;
}

void PrintDocument::clear()
{
    pages_.clear();
    strings_.clear();
    stringIndex_.clear();
    fonts_.clear();
    pens_.clear();
    brushes_.clear();
    pictures_.clear();
    pictureIndex_.clear();
}

PrintPage &PrintDocument::appendPage(int width, int height)
{
    if (!pages_.empty()) {
        // Finished pages keep no spare capacity: thousands of pages add up.
        pages_.back().items.shrink_to_fit();
        pages_.back().points.shrink_to_fit();
    }
    PrintPage &p = pages_.emplace_back();
    p.width = width;
    p.height = height;
    return p;
}

std::uint32_t PrintDocument::internString(const QString &s)
{
    const auto it = stringIndex_.constFind(s);
    if (it != stringIndex_.constEnd())
        return it.value();
    const auto index = static_cast<std::uint32_t>(strings_.size());
    strings_.append(s);
    stringIndex_.insert(s, index);
    return index;
}

namespace {
template <typename T>
std::uint32_t InternIn(std::vector<T> &table, const T &value)
{
    // The tables stay small (a few dozen fonts, pens and brushes); search from the newest.
    for (std::size_t i = table.size(); i-- > 0;) {
        if (table[i] == value)
            return static_cast<std::uint32_t>(i);
    }
    table.push_back(value);
    return static_cast<std::uint32_t>(table.size() - 1);
}
}  // namespace

std::uint32_t PrintDocument::internFont(const PrintFont &f)
{
    return InternIn(fonts_, f);
}

std::uint32_t PrintDocument::internPen(const PrintPen &p)
{
    return InternIn(pens_, p);
}

std::uint32_t PrintDocument::internBrush(const PrintBrush &b)
{
    return InternIn(brushes_, b);
}

std::uint32_t PrintDocument::internPicture(const QImage &image)
{
    const auto it = pictureIndex_.constFind(image.cacheKey());
    if (it != pictureIndex_.constEnd())
        return it.value();
    const auto index = static_cast<std::uint32_t>(pictures_.size());
    pictures_.push_back(image);
    pictureIndex_.insert(image.cacheKey(), index);
    return index;
}

}  // namespace rqx
