#include "common/shown_text.h"

namespace rqx {

QString ShownText(const QString &text, int limit)
{
    if (text.size() <= limit || limit < 1)
        return text;
    qsizetype keep = limit - 1;
    if (keep > 0 && text.at(keep - 1).isHighSurrogate())
        --keep;
    return text.left(keep) + QChar(0x2026);
}

QString FitMessageText(const QString &text, int lineLimit, int lineCount)
{
    QString out;
    int lines = 0;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        if (++lines > lineCount) {
            out += QChar(0x2026);
            break;
        }
        const QStringView line = QStringView(text).mid(start, end - start);
        if (line.size() <= lineLimit) {
            out += line;
        } else {
            qsizetype head = (lineLimit - 1) / 2;
            qsizetype tail = lineLimit - 1 - head;
            if (head > 0 && line.at(head - 1).isHighSurrogate())
                --head;
            if (tail > 0 && line.at(line.size() - tail).isLowSurrogate())
                --tail;
            out += line.left(head);
            out += QChar(0x2026);
            out += line.right(tail);
        }
        if (end >= text.size())
            break;
        out += text.at(end);  // the break as it was
        start = end + 1;
    }
    return out;
}

}  // namespace rqx
