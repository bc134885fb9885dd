// Tables of the print surface: format strings, wrapping, spans, alignment, spacing, borders and the flow of
// rows across pages.
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "print/print_surface.h"
#include "print/print_surface_impl.h"

namespace rqx {

namespace {

bool IsWordChar(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           (c >= u'０' && c <= u'９') || c == u'.' || c == u'_' || c == u'%' || c == u'#' || c == u'\'' ||
           c == u'．';
}

bool IsOpening(char16_t c)
{
    return c == u'(' || c == u'（' || c == u'「' || c == u'『' || c == u'【' || c == u'[' || c == u'［';
}

// Characters that never start a line: they stay with what precedes them.
bool IsClosing(char16_t c)
{
    static const QString closing =
        QStringLiteral(")）」』】]］、。，．,:;!?！？ー・…ぁぃぅぇぉっゃゅょァィゥェォッャュョ*＊");
    return closing.contains(QChar(c));
}

// Units of text that a wrapped line keeps whole where they fit: words and numbers, a short bracketed label
// with what follows it ("(い)", "(る)*", "（２）"), and single characters elsewhere (Japanese text breaks
// between any two characters). A blank is its own unit.
QStringList BreakUnits(QStringView text)
{
    QStringList units;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const char16_t c = text[i].unicode();
        qsizetype j = i + 1;
        if (QChar::isHighSurrogate(c) && j < n) {
            ++j;  // a character outside the basic plane is never split
        } else if (c == u' ' || c == u'　') {
            // blank
        } else if (IsOpening(c)) {
            // A short label up to its closing bracket; otherwise the bracket joins the next unit.
            qsizetype k = i + 1;
            while (k < n && k - i <= 6 && !IsClosing(text[k].unicode()) && text[k] != u' ')
                ++k;
            if (k < n && k - i <= 6 &&
                (text[k] == u')' || text[k] == u'）' || text[k] == u']' || text[k] == u'］' ||
                 text[k] == u'」' || text[k] == u'』'))
                j = k + 1;
            else if (j < n && IsWordChar(text[j].unicode()))
                while (j < n && IsWordChar(text[j].unicode()))
                    ++j;
            else if (j < n)
                ++j;
        } else if (IsWordChar(c)) {
            while (j < n && (IsWordChar(text[j].unicode()) ||
                             ((text[j] == u',' || text[j] == u'-' || text[j] == u'+' || text[j] == u'/') &&
                              j + 1 < n && IsWordChar(text[j + 1].unicode()))))
                ++j;
        }
        while (j < n && IsClosing(text[j].unicode()))
            ++j;
        units << text.mid(i, j - i).toString();
        i = j;
    }
    return units;
}

}  // namespace

QStringList PrintSurface::WrapText(const QString &text, int width)
{
    const std::uint32_t fi = currentFontIndex();
    QStringList out;
    const double limit = std::max(1, width) + 0.01;
    for (const QString &paragraph : SplitTextLines(text)) {
        QString line;
        double lineWidth = 0;
        auto flush = [&] {
            out << line;
            line.clear();
            lineWidth = 0;
        };
        for (const QString &unit : BreakUnits(paragraph)) {
            const double w = textWidth(fi, unit);
            if (line.isEmpty() || lineWidth + w <= limit) {
                if (line.isEmpty() && w > limit) {
                    // Wider than the column: break it between characters.
                    for (qsizetype k = 0; k < unit.size();) {
                        const qsizetype len = unit[k].isHighSurrogate() && k + 1 < unit.size() ? 2 : 1;
                        const QStringView ch = QStringView(unit).mid(k, len);
                        const double cw = textWidth(fi, ch);
                        if (!line.isEmpty() && lineWidth + cw > limit)
                            flush();
                        line += ch;
                        lineWidth += cw;
                        k += len;
                    }
                    continue;
                }
                line += unit;
                lineWidth += w;
            } else {
                flush();
                if (unit == u" ")
                    continue;  // a wrapped line does not start with the blank it broke at
                line = unit;
                lineWidth = w;
            }
        }
        flush();
    }
    return out;
}

void PrintSurface::StartTable()
{
    table_ = std::make_unique<Table>();
}

void PrintSurface::AddTable(const QString &format, const QString &header, const QList<QStringList> &body)
{
    if (!table_)
        StartTable();
    if (table_->columns.empty()) {
        QString f = format;
        const qsizetype end = f.indexOf(u';');
        if (end >= 0)
            f.truncate(end);
        for (QString d : f.split(u'|')) {
            d = d.trimmed();
            Table::Column col;
            while (!d.isEmpty() && (d[0] == u'+' || d[0] == u'~'))
                d.remove(0, 1);
            if (!d.isEmpty() && (d[0] == u'<' || d[0] == u'^' || d[0] == u'>')) {
                col.align = d[0] == u'<' ? kCellAlignLeft : d[0] == u'^' ? kCellAlignCenter : kCellAlignRight;
                d.remove(0, 1);
            }
            if (!ParseLength(d, col.width))
                col.width = 0;
            table_->columns.push_back(col);
        }
        if (!header.isEmpty())
            table_->header = header.split(u'|');
    }
    table_->rows.append(body);
}

void PrintSurface::SetTableCell(int setting, int row, int column, int value)
{
    if (!table_)
        return;
    if (setting == kCellSpan)
        table_->spans.insert(Table::key(row, column), value);
    else if (setting == kCellAlign)
        table_->aligns.insert(Table::key(row, column), value);
}

void PrintSurface::SetTableSpacing(int above, int below)
{
    spacingAbove_ = std::max(0, above);
    spacingBelow_ = std::max(0, below);
}

void PrintSurface::EndTable()
{
    if (!table_)
        return;
    std::unique_ptr<Table> table = std::move(table_);
    if (recording_ && !table->columns.empty())
        layoutTable(*table);
}

void PrintSurface::layoutTable(Table &table)
{
    const std::uint32_t fi = currentFontIndex();
    FontCache &fc = fontCache(fi);
    const int lineStep = static_cast<int>(std::ceil(fc.lineSpacing));
    const int padTop = static_cast<int>(std::lround(spacingAbove_ * fc.height / 200.0));
    const int padBottom = static_cast<int>(std::lround(spacingBelow_ * fc.height / 200.0));
    const int left = marginLeft_;
    const int padX = cellPaddingX_;
    const int columnCount = static_cast<int>(table.columns.size());
    std::vector<int> edges(static_cast<size_t>(columnCount) + 1, left);
    for (int c = 0; c < columnCount; ++c)
        edges[static_cast<size_t>(c) + 1] =
            edges[static_cast<size_t>(c)] + table.columns[static_cast<size_t>(c)].width;
    const int right = edges.back();

    struct Cell {
        int x = 0, width = 0, align = kCellAlignLeft;
        QStringList lines;
    };
    auto layoutRow = [&](const QStringList &texts, int rowIndex) {
        std::vector<Cell> cells;
        for (int c = 0; c < columnCount;) {
            int span = 1;
            int align = table.columns[static_cast<size_t>(c)].align;
            if (rowIndex >= 0) {
                span = std::clamp(table.spans.value(Table::key(rowIndex, c), 1), 1, columnCount - c);
                const auto a = table.aligns.constFind(Table::key(rowIndex, c));
                if (a != table.aligns.constEnd())
                    align = a.value() == kCellAlignCenter  ? kCellAlignCenter
                            : a.value() == kCellAlignRight ? kCellAlignRight
                                                           : kCellAlignLeft;
            }
            Cell cell;
            cell.x = edges[static_cast<size_t>(c)];
            cell.width = edges[static_cast<size_t>(c + span)] - cell.x;
            cell.align = align;
            const QString text = c < texts.size() ? texts[c] : QString();
            cell.lines = WrapText(text, cell.width - 2 * padX);
            cells.push_back(std::move(cell));
            c += span;
        }
        return cells;
    };
    const bool borders = tableBorder_ != kTableBorderNone;
    PrintPen borderPen;
    const PrintPen savedPen = pen_;
    const PrintBrush savedBrush = brush_;

    // Draws `count` lines of each cell from line `from` as a row at y; returns the row's height.
    auto emitRow = [&](const std::vector<Cell> &cells, int y, int from, int count) {
        const int height = padTop + count * lineStep + padBottom;
        for (const Cell &cell : cells) {
            for (int k = from; k < std::min<int>(from + count, static_cast<int>(cell.lines.size())); ++k) {
                const QString &line = cell.lines[k];
                if (line.isEmpty())
                    continue;
                const int w = static_cast<int>(std::lround(textWidth(fi, line)));
                int x = cell.x + padX;
                if (cell.align == kCellAlignCenter)
                    x = cell.x + (cell.width - w) / 2;
                else if (cell.align == kCellAlignRight)
                    x = cell.x + cell.width - padX - w;
                const double saved = textAngle_;
                textAngle_ = 0;
                addTextItem(line, x, y + padTop + (k - from) * lineStep, 0, 0);
                textAngle_ = saved;
            }
        }
        if (borders) {
            pen_ = borderPen;
            addShape(PageItemKind::Line, left, y, right, y);
            addShape(PageItemKind::Line, left, y, left, y + height);
            for (const Cell &cell : cells)
                addShape(PageItemKind::Line, cell.x + cell.width, y, cell.x + cell.width, y + height);
            pen_ = savedPen;
        }
        return height;
    };
    auto closeBottom = [&](int y) {
        if (borders) {
            pen_ = borderPen;
            addShape(PageItemKind::Line, left, y, right, y);
            pen_ = savedPen;
        }
    };
    auto linesOf = [](const std::vector<Cell> &cells) {
        int n = 1;
        for (const Cell &cell : cells)
            n = std::max(n, static_cast<int>(cell.lines.size()));
        return n;
    };

    const std::vector<Cell> headerCells =
        table.header.isEmpty() ? std::vector<Cell>() : layoutRow(table.header, -1);
    const int headerLines = headerCells.empty() ? 0 : linesOf(headerCells);
    int y = currentY_;
    // Rows move to the next page whole unless the page holds nothing of the table's body yet.
    bool freshPage = y <= marginTop_;
    auto pageBottom = [&] { return PageHeight() - marginBottom_; };
    auto startHeader = [&] {
        if (!headerCells.empty())
            y += emitRow(headerCells, y, 0, headerLines);
    };
    auto breakPage = [&] {
        closeBottom(y);
        // The new-page handler may change the text attributes (its band, its header font): the table goes on
        // as it began.
        const PrintFont font = font_;
        const QRgb color = textColor_;
        NewPage();
        font_ = font;
        textColor_ = color;
        y = currentY_;
        freshPage = true;
        startHeader();
    };
    startHeader();
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
        const std::vector<Cell> cells = layoutRow(table.rows[r], r);
        const int lines = linesOf(cells);
        const int fullHeight = padTop + lines * lineStep + padBottom;
        // A row that does not fit goes to the next page whole; one taller than any page starts here when a
        // line of it fits, so that no page is left nearly empty.
        const int headerHeight = headerCells.empty() ? 0 : padTop + headerLines * lineStep + padBottom;
        const bool fitsAnyPage = fullHeight <= pageBottom() - marginTop_ - headerHeight;
        const bool lineFits = pageBottom() - y - padTop - padBottom >= lineStep;
        if (y + fullHeight > pageBottom() && !freshPage && (fitsAnyPage || !lineFits))
            breakPage();
        // A row taller than the room left on a page is split between its lines, never dropped.
        int from = 0;
        while (y + padTop + (lines - from) * lineStep + padBottom > pageBottom()) {
            const int room = (pageBottom() - y - padTop - padBottom) / lineStep;
            const int count = std::clamp(room, 1, lines - from);
            y += emitRow(cells, y, from, count);
            from += count;
            if (from >= lines)
                break;
            breakPage();
        }
        if (from < lines)
            y += emitRow(cells, y, from, lines - from);
        freshPage = false;
    }
    closeBottom(y);
    pen_ = savedPen;
    brush_ = savedBrush;
    currentY_ = y;
    currentX_ = marginLeft_;
}

}  // namespace rqx
