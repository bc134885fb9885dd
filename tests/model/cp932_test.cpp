#include "model/cp932.h"

#include <QFile>

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

using namespace rqx;

namespace {

QByteArray Bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(static_cast<char>(v));
    return b;
}

QByteArray CodeBytes(uint32_t code)
{
    return code > 0xFF ? Bytes({int(code >> 8), int(code & 0xFF)}) : Bytes({int(code)});
}

QByteArray ReadTable(const char *name)
{
    QFile f(QStringLiteral(VELM_CP932_DATA_DIR "/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// Lines "0xAAAA<ws>0xBBBB ..." of a table; comments and section headers are skipped.
std::vector<std::pair<uint32_t, uint32_t>> Pairs(const QByteArray &text, qsizetype from, qsizetype to)
{
    std::vector<std::pair<uint32_t, uint32_t>> out;
    for (const QByteArray &raw : text.mid(from, to - from).split('\n')) {
        if (raw.contains("Lead Byte Range"))  // section header data, not a code
            continue;
        QByteArray line = raw;
        for (char comment : {'#', ';'})
            if (const qsizetype at = line.indexOf(comment); at >= 0)
                line.truncate(at);
        line = line.simplified();
        const QList<QByteArray> words = line.split(' ');
        if (words.size() < 2 || !words[0].startsWith("0x") || !words[1].startsWith("0x"))
            continue;
        bool ok1 = false, ok2 = false;
        out.emplace_back(words[0].toUInt(&ok1, 16), words[1].toUInt(&ok2, 16));
        EXPECT_TRUE(ok1 && ok2) << line.constData();
    }
    return out;
}

struct Bestfit {
    std::map<uint32_t, uint32_t> decode;  // cp932 code → Unicode (single and double byte)
    std::map<uint32_t, uint32_t> encode;  // Unicode → cp932 code (WCTABLE, best fit included)
};

const Bestfit &WindowsTable()
{
    static const Bestfit table = [] {
        Bestfit t;
        const QByteArray text = ReadTable("bestfit932.txt");
        const qsizetype mb = text.indexOf("MBTABLE");
        const qsizetype range = text.indexOf("DBCSRANGE");
        const qsizetype wc = text.indexOf("WCTABLE");
        for (auto [code, uni] : Pairs(text, mb, range))
            t.decode[code] = uni;
        // Each DBCSTABLE section names its lead byte in the comment "LeadByte = 0x..".
        qsizetype at = text.indexOf("DBCSTABLE", range);
        while (at >= 0 && at < wc) {
            const qsizetype next = text.indexOf("DBCSTABLE", at + 1);
            const qsizetype sectionEnd = next >= 0 && next < wc ? next : wc;
            const qsizetype leadAt = text.indexOf("LeadByte = ", at) + 11;
            const uint32_t lead = text.mid(leadAt, 4).toUInt(nullptr, 16);
            for (auto [trail, uni] : Pairs(text, text.indexOf('\n', at), sectionEnd))
                t.decode[(lead << 8) | trail] = uni;
            at = next;
        }
        for (auto [uni, code] : Pairs(text, wc, text.size()))
            t.encode[uni] = code;
        return t;
    }();
    return table;
}

}  // namespace

TEST(Cp932Tables, EveryCodeOfTheRoundTripTableDecodesAsListed)
{
    const QByteArray text = ReadTable("CP932.TXT");
    int checked = 0;
    for (auto [code, uni] : Pairs(text, 0, text.size())) {
        ASSERT_EQ(FromCp932(CodeBytes(code)), QString(QChar(char16_t(uni)))) << std::hex << code;
        ++checked;
    }
    EXPECT_EQ(checked, 7915);  // 7980 lines less 5 undefined single bytes and the 60 lead bytes
}

TEST(Cp932Tables, DecodingFollowsWindowsTableIncludingItsOneWayCodes)
{
    const Bestfit &t = WindowsTable();
    ASSERT_GT(t.decode.size(), 7900u);
    for (auto [code, uni] : t.decode)
        ASSERT_EQ(FromCp932(CodeBytes(code)).front().unicode(), uni) << std::hex << code;
    // Codes the round-trip table leaves undefined, as Windows reads them.
    EXPECT_EQ(FromCp932(Bytes({0x80})), QString(QChar(0x0080)));
    EXPECT_EQ(FromCp932(Bytes({0xA0})), QString(QChar(0xF8F0)));
    EXPECT_EQ(FromCp932(Bytes({0xFF})), QString(QChar(0xF8F3)));
    EXPECT_EQ(FromCp932(Bytes({0xF0, 0x40})), QString(QChar(0xE000)));  // user-defined area
}

TEST(Cp932Tables, EncodingFollowsWindowsTableIncludingBestFit)
{
    const Bestfit &t = WindowsTable();
    ASSERT_EQ(t.encode.size(), 9486u);
    for (auto [uni, code] : t.encode) {
        const char16_t unit = char16_t(uni);
        ASSERT_EQ(ToCp932(QStringView(&unit, 1)), CodeBytes(code)) << std::hex << uni;
    }
    // Every other character of the basic plane has no code: Windows writes "?". The four forms typed
    // on other systems are the deliberate exception.
    const std::map<uint32_t, uint32_t> linuxForms = {
        {0x301C, 0x8160}, {0x2212, 0x817C}, {0x2016, 0x8161}, {0x2014, 0x815C}};
    int unmapped = 0;
    for (uint32_t u = 1; u <= 0xFFFF; ++u) {
        if (t.encode.count(u))
            continue;
        const char16_t unit = char16_t(u);
        const auto form = linuxForms.find(u);
        const QByteArray expected = form != linuxForms.end() ? CodeBytes(form->second) : QByteArray("?");
        ASSERT_EQ(ToCp932(QStringView(&unit, 1)), expected) << std::hex << u;
        ++unmapped;
    }
    EXPECT_EQ(unmapped, 0xFFFF - (9486 - 1));  // U+0000 is in the table
}

TEST(Cp932, JapaneseTextBothWays)
{
    struct Case {
        const char16_t *text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {u"ＡＢｚ", Bytes({0x82, 0x60, 0x82, 0x61, 0x82, 0x9A})},  // full-width letters
        {u"ｱｲｳﾞ", Bytes({0xB1, 0xB2, 0xB3, 0xDE})},                // half-width katakana
        {u"確認ﾒｯｾｰｼﾞ", Bytes({0x8A, 0x6D, 0x94, 0x46, 0xD2, 0xAF, 0xBE, 0xB0, 0xBC, 0xDE})},
        {u"～", Bytes({0x81, 0x60})},  // Windows' wave dash
        {u"①", Bytes({0x87, 0x40})},   // NEC special character
        {u"髙", Bytes({0xFB, 0xFC})},  // IBM extension, not EEE0
        {u"(ろ)", QByteArray("(\x82\xEB)")},
        {u"Ver.1.0.1", QByteArray("Ver.1.0.1")},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(ToCp932(text), c.bytes) << text.toStdString();
        EXPECT_EQ(FromCp932(c.bytes), text) << text.toStdString();
        EXPECT_EQ(Cp932Length(text), c.bytes.size());
    }
}

TEST(Cp932, LinuxFormsAreWrittenAsWindowsForms)
{
    // 〜 U+301C → ～ 8160, − U+2212 → － 817C, ‖ U+2016 → ∥ 8161, — U+2014 → ― 815C;
    // read back they are the Windows characters.
    const QString typed = QString::fromUtf16(u"1〜2−3‖4—");
    const QByteArray bytes = ToCp932(typed);
    EXPECT_EQ(bytes, QByteArray("1\x81\x60"
                                "2\x81\x7C"
                                "3\x81\x61"
                                "4\x81\x5C"));
    EXPECT_EQ(FromCp932(bytes), QString::fromUtf16(u"1～2－3∥4―"));
}

TEST(Cp932, WhatHasNoCodeBecomesOneQuestionMark)
{
    EXPECT_EQ(ToCp932(QString::fromUtf16(u"a😀b")), QByteArray("a?b"));  // surrogate pair: one character
    EXPECT_EQ(ToCp932(QString::fromUtf16(u"한")), QByteArray("?"));
    const char16_t lone[] = {u'x', 0xD800, u'y'};
    EXPECT_EQ(ToCp932(QStringView(lone, 3)), QByteArray("x?y"));
    // Best fit: Windows writes the yen sign as the backslash code and "é" as "e".
    EXPECT_EQ(ToCp932(QString::fromUtf16(u"¥é")), QByteArray("\\e"));
}

TEST(Cp932, BrokenDoubleByteCodesReadAsMiddleDot)
{
    const QString dot(QChar(0x30FB));
    EXPECT_EQ(FromCp932(Bytes({'A', 0x82})), QStringLiteral("A") + dot);  // lead byte at the end
    EXPECT_EQ(FromCp932(Bytes({0x82, 0x41})), dot);                       // undefined code of a used row
    EXPECT_EQ(FromCp932(Bytes({0x85, 0x40})), dot);                       // row without any code
    // A space cannot follow a lead byte: the lead byte alone is "・" and the text goes on.
    EXPECT_EQ(FromCp932(Bytes({0x82, ' ', 'B'})), dot + QStringLiteral(" B"));
}

TEST(Cp932, NecSelectionsReadCorrectlyButWriteWindowsPreferredCode)
{
    // ED40 (NEC-selected IBM extension) reads as 纊 U+7E8A, which Windows writes as FA5C.
    EXPECT_EQ(FromCp932(Bytes({0xED, 0x40})), QString(QChar(0x7E8A)));
    EXPECT_EQ(ToCp932(QString(QChar(0x7E8A))), Bytes({0xFA, 0x5C}));
    // 8790 ≒ duplicates 81E0.
    EXPECT_EQ(ToCp932(FromCp932(Bytes({0x87, 0x90}))), Bytes({0x81, 0xE0}));
}
