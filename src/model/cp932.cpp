#include "model/cp932.h"

#include "model/cp932_table.h"

namespace rqx {

namespace {

// Code of one UTF-16 unit: 0x00XX single byte, 0xHHLL double byte, 0x3F "?" when there is none.
inline uint16_t CodeOf(char16_t unit)
{
    if (unit < 0x80)
        return unit;
    const uint16_t code = cp932::kEncode[(cp932::kEncodePage[unit >> 8] << 8) | (unit & 0xFF)];
    return code != 0 ? code : uint16_t('?');
}

inline bool IsTrailByte(uint8_t b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Walks the text as Windows does: a surrogate pair is one character without a code, written "?".
template <class Sink>
inline void Encode(QStringView text, Sink &&sink)
{
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    while (p < end) {
        const char16_t unit = *p++;
        if (unit >= 0xD800 && unit <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF) {
            ++p;
            sink(uint16_t('?'));
            continue;
        }
        sink(CodeOf(unit));
    }
}

}  // namespace

QString FromCp932(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const uint8_t *>(bytes.data());
    const auto *end = p + bytes.size();
    QString text(bytes.size(), Qt::Uninitialized);  // never more characters than bytes
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    char16_t *const first = out;
    while (p < end) {
        const uint8_t b = *p++;
        const uint8_t row = cp932::kLeadIndex[b];
        // A lead byte without a valid trail byte reads as "・" alone; the next byte is read on its own.
        if (row == 0 || p == end || !IsTrailByte(*p)) {
            *out++ = cp932::kSingleByte[b];
            continue;
        }
        *out++ = cp932::kDoubleByte[(static_cast<size_t>(row - 1) << 8) | *p++];
    }
    text.truncate(out - first);
    return text;
}

qsizetype Cp932Length(QStringView text)
{
    qsizetype n = 0;
    Encode(text, [&n](uint16_t code) { n += code > 0xFF ? 2 : 1; });
    return n;
}

char *EncodeCp932(QStringView text, char *out)
{
    Encode(text, [&out](uint16_t code) {
        if (code > 0xFF)
            *out++ = static_cast<char>(code >> 8);
        *out++ = static_cast<char>(code & 0xFF);
    });
    return out;
}

void AppendCp932(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + 2 * text.size());  // at most two bytes per UTF-16 unit
    char *const first = out.data() + start;
    out.truncate(start + (EncodeCp932(text, first) - first));
}

QByteArray ToCp932(QStringView text)
{
    QByteArray out;
    AppendCp932(out, text);
    return out;
}

}  // namespace rqx
