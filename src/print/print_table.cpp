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

TableFormat TableFormat::Parse(const QString &format)
{
    TableFormat t;
    QString f = format;
    const qsizetype end = f.indexOf(u';');
    if (end >= 0)
        f.truncate(end);
    for (QString d : f.split(u'|')) {
        d = d.trimmed();
        Column col;
        while (!d.isEmpty() && (d[0] == u'+' || d[0] == u'~'))
            d.remove(0, 1);
        if (!d.isEmpty() && (d[0] == u'<' || d[0] == u'^' || d[0] == u'>')) {
            col.align = d[0] == u'<' ? kCellAlignLeft : d[0] == u'^' ? kCellAlignCenter : kCellAlignRight;
            d.remove(0, 1);
        }
        if (!PrintSurface::ParseLength(d, col.width))
            col.width = 0;
        t.columns.push_back(col);
    }
    return t;
}

QString TableFormat::toString() const
{
    QStringList parts;
    for (const Column &c : columns) {
        const QChar align = c.align == kCellAlignCenter ? u'^' : c.align == kCellAlignRight ? u'>' : u'<';
        parts << QStringLiteral("+") + align + QString::number(c.width);
    }
    return parts.join(u'|') + u';';
}

void PrintSurface::AddTable(const TableFormat &format, const QString &header, const QList<QStringList> &body)
{
    if (!table_)
        StartTable();
    if (table_->columns.empty()) {
        for (const TableFormat::Column &c : format.columns) {
            Table::Column col;
            col.width = c.width;
            col.align = c.align;
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

// One table laid out onto the pages: the rows wrapped into their cells, drawn with their borders,
// moved to the next page whole or split between their lines, the header again on every page.
class PrintSurface::TableRun {
public:
    struct Cell {
        int x = 0, width = 0, align = kCellAlignLeft;
        QStringList lines;
    };
    using Cells = std::vector<Cell>;

    TableRun(PrintSurface &s, Table &table)
        : s_(s), table_(table), fi_(s.currentFontIndex()), savedPen_(s.pen_), savedBrush_(s.brush_)
    {
        FontCache &fc = s.fontCache(fi_);
        lineStep_ = static_cast<int>(std::ceil(fc.lineSpacing));
        padTop_ = static_cast<int>(std::lround(s.spacingAbove_ * fc.height / 200.0));
        padBottom_ = static_cast<int>(std::lround(s.spacingBelow_ * fc.height / 200.0));
        left_ = s.marginLeft_;
        padX_ = s.cellPaddingX_;
        columnCount_ = static_cast<int>(table.columns.size());
        edges_.assign(static_cast<size_t>(columnCount_) + 1, left_);
        for (int c = 0; c < columnCount_; ++c)
            edges_[static_cast<size_t>(c) + 1] =
                edges_[static_cast<size_t>(c)] + table.columns[static_cast<size_t>(c)].width;
        right_ = edges_.back();
        borders_ = s.tableBorder_ != kTableBorderNone;
        if (!table.header.isEmpty()) {
            headerCells_ = layoutRow(table.header, -1);
            headerLines_ = linesOf(headerCells_);
        }
        y_ = s.currentY_;
        // Rows move to the next page whole unless the page holds nothing of the table's body yet.
        freshPage_ = y_ <= s.marginTop_;
    }

    void startHeader()
    {
        if (!headerCells_.empty())
            y_ += emitRow(headerCells_, y_, 0, headerLines_);
    }

    void placeRow(int r)
    {
        const Cells cells = layoutRow(table_.rows[r], r);
        const int lines = linesOf(cells);
        const int fullHeight = padTop_ + lines * lineStep_ + padBottom_;
        // A row that does not fit goes to the next page whole; one taller than any page starts here when a
        // line of it fits, so that no page is left nearly empty.
        const int headerHeight = headerCells_.empty() ? 0 : padTop_ + headerLines_ * lineStep_ + padBottom_;
        const bool fitsAnyPage = fullHeight <= pageBottom() - s_.marginTop_ - headerHeight;
        const bool lineFits = pageBottom() - y_ - padTop_ - padBottom_ >= lineStep_;
        if (y_ + fullHeight > pageBottom() && !freshPage_ && (fitsAnyPage || !lineFits))
            breakPage();
        // A row taller than the room left on a page is split between its lines, never dropped.
        int from = 0;
        while (y_ + padTop_ + (lines - from) * lineStep_ + padBottom_ > pageBottom()) {
            const int room = (pageBottom() - y_ - padTop_ - padBottom_) / lineStep_;
            const int count = std::clamp(room, 1, lines - from);
            y_ += emitRow(cells, y_, from, count);
            from += count;
            if (from >= lines)
                break;
            breakPage();
        }
        if (from < lines)
            y_ += emitRow(cells, y_, from, lines - from);
        freshPage_ = false;
    }

    void finish()
    {
        closeBottom(y_);
        s_.pen_ = savedPen_;
        s_.brush_ = savedBrush_;
        s_.currentY_ = y_;
        s_.currentX_ = s_.marginLeft_;
    }

private:
    // The cells of a row (rowIndex −1: the header) with their spans and alignments, each text wrapped.
    Cells layoutRow(const QStringList &texts, int rowIndex) const
    {
        Cells cells;
        for (int c = 0; c < columnCount_;) {
            int span = 1;
            int align = table_.columns[static_cast<size_t>(c)].align;
            if (rowIndex >= 0) {
                span = std::clamp(table_.spans.value(Table::key(rowIndex, c), 1), 1, columnCount_ - c);
                const auto a = table_.aligns.constFind(Table::key(rowIndex, c));
                if (a != table_.aligns.constEnd())
                    align = a.value() == kCellAlignCenter  ? kCellAlignCenter
                            : a.value() == kCellAlignRight ? kCellAlignRight
                                                           : kCellAlignLeft;
            }
            Cell cell;
            cell.x = edges_[static_cast<size_t>(c)];
            cell.width = edges_[static_cast<size_t>(c + span)] - cell.x;
            cell.align = align;
            const QString text = c < texts.size() ? texts[c] : QString();
            cell.lines = s_.WrapText(text, cell.width - 2 * padX_);
            cells.push_back(std::move(cell));
            c += span;
        }
        return cells;
    }

    static int linesOf(const Cells &cells)
    {
        int n = 1;
        for (const Cell &cell : cells)
            n = std::max(n, static_cast<int>(cell.lines.size()));
        return n;
    }

    int pageBottom() const { return s_.PageHeight() - s_.marginBottom_; }

    // Draws `count` lines of each cell from line `from` as a row at y; returns the row's height.
    int emitRow(const Cells &cells, int y, int from, int count)
    {
        const int height = padTop_ + count * lineStep_ + padBottom_;
        for (const Cell &cell : cells)
            for (int k = from; k < std::min<int>(from + count, static_cast<int>(cell.lines.size())); ++k)
                emitLine(cell, cell.lines[k], y + padTop_ + (k - from) * lineStep_);
        if (borders_) {
            s_.pen_ = borderPen_;
            s_.addShape(PageItemKind::Line, left_, y, right_, y);
            s_.addShape(PageItemKind::Line, left_, y, left_, y + height);
            for (const Cell &cell : cells)
                s_.addShape(PageItemKind::Line, cell.x + cell.width, y, cell.x + cell.width, y + height);
            s_.pen_ = savedPen_;
        }
        return height;
    }

    void emitLine(const Cell &cell, const QString &line, int y)
    {
        if (line.isEmpty())
            return;
        const int w = static_cast<int>(std::lround(s_.textWidth(fi_, line)));
        int x = cell.x + padX_;
        if (cell.align == kCellAlignCenter)
            x = cell.x + (cell.width - w) / 2;
        else if (cell.align == kCellAlignRight)
            x = cell.x + cell.width - padX_ - w;
        const double saved = s_.textAngle_;
        s_.textAngle_ = 0;
        s_.addTextItem(line, x, y, 0, 0);
        s_.textAngle_ = saved;
    }

    void closeBottom(int y)
    {
        if (borders_) {
            s_.pen_ = borderPen_;
            s_.addShape(PageItemKind::Line, left_, y, right_, y);
            s_.pen_ = savedPen_;
        }
    }

    void breakPage()
    {
        closeBottom(y_);
        // The new-page handler may change the text attributes (its band, its header font): the table goes on
        // as it began.
        const PrintFont font = s_.font_;
        const QRgb color = s_.textColor_;
        s_.NewPage();
        s_.font_ = font;
        s_.textColor_ = color;
        y_ = s_.currentY_;
        freshPage_ = true;
        startHeader();
    }

    PrintSurface &s_;
    Table &table_;
    std::uint32_t fi_;
    int lineStep_ = 0, padTop_ = 0, padBottom_ = 0, left_ = 0, padX_ = 0, columnCount_ = 0, right_ = 0;
    std::vector<int> edges_;
    bool borders_ = false;
    PrintPen borderPen_;
    const PrintPen savedPen_;
    const PrintBrush savedBrush_;
    Cells headerCells_;
    int headerLines_ = 0;
    int y_ = 0;
    bool freshPage_ = false;
};

void PrintSurface::layoutTable(Table &table)
{
    TableRun run(*this, table);
    run.startHeader();
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r)
        run.placeRow(r);
    run.finish();
}

}  // namespace rqx
