#include "model/project_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "model/cp932.h"
#include "model/line_names.h"
#include "support/failing_file_layer.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"

using namespace rqx;

namespace {

// Builds a file byte by byte, the way the layout describes it (independent of the writer).
struct Bytes {
    QByteArray b;
    Bytes &i32(int32_t v)
    {
        char c[4];
        qToLittleEndian(v, c);
        b.append(c, 4);
        return *this;
    }
    Bytes &u16(uint16_t v)
    {
        char c[2];
        qToLittleEndian(v, c);
        b.append(c, 2);
        return *this;
    }
    Bytes &f32(float v)
    {
        uint32_t u;
        std::memcpy(&u, &v, 4);
        return i32(static_cast<int32_t>(u));
    }
    Bytes &s(const QByteArray &cp932)  // already in code page 932
    {
        u16(static_cast<uint16_t>(cp932.size()));
        b.append(cp932);
        return *this;
    }
    Bytes &fill(int n, char c)
    {
        b.append(QByteArray(n, c));
        return *this;
    }
    qsizetype size() const { return b.size(); }
};

// A hand-made file's coordinate along one axis: node index i + 1, a little off the grid.
float HandCoord(int i, float span)
{
    return static_cast<float>(i) * span + 0.002f;
}

// Knobs of the hand-made file, changed by the refusal tests.
struct HandFile {
    int32_t floorCount = 1;
    int32_t spanCountX = 2;
    int32_t spanCountY = 1;
    int32_t declaredSpanCountX = 0;  // written instead of spanCountX when not 0
    int32_t divisions = 2;
    float moduleLength = 0.91f;
    uint16_t dimsX = 1;
    int32_t countX = 3;
    int32_t lowerX = 1;
    int32_t countY = 2;

    QByteArray build()
    {
        Bytes f;
        // FileHeader
        f.s("Ver.9.8.7").s("VELM-RQX").i32(0x01020304);
        // ProjectInfo: 髙橋邸 in code page 932
        f.s("\xFB\xFC\x8B\xB4\x93\x40").s("ABC").s("");
        f.i32(1).i32(0).i32(floorCount);
        f.i32(11).i32(22).i32(33).i32(44);  // levelHeight
        f.i32(declaredSpanCountX != 0 ? declaredSpanCountX : spanCountX);
        f.i32(spanCountY).i32(divisions).f32(moduleLength);
        for (int i = 0; i < 160; ++i)
            f.b.append(static_cast<char>(i));  // reserved, carried through
        for (int i = 1; i <= 20; ++i)
            f.s(i == 20 ? "r20" : "");
        // GridInfo
        f.u16(dimsX).i32(countX).i32(lowerX);
        for (int i = 1; i <= countX; ++i)
            f.s("X" + QByteArray::number(i));
        f.u16(1).i32(countY).i32(1);
        for (int i = 1; i <= countY; ++i)
            f.s(i == 1 ? "\x82\xA2" : "\x82\xEB");                  // い, ろ
        f.i32(1).i32(2).i32(3).i32(4).i32(0).i32(1).i32(1).i32(0);  // styles, starts, reverse, two checks
        f.fill(72, '\x5A');
        f.i32(1).i32(1).i32(1);  // lCoefficientMode, crossBeamIgnored, crossBeamNoWarning
        f.fill(232, '\xA5');
        for (int i = 1; i <= 30; ++i)
            f.s(i == 1 ? "t1" : "");
        // Nodes: (spanCountX+1) × (spanCountY+1) × (floorCount+1), x fastest; for impossible
        // dimensions the 12 nodes of the default grid.
        const bool possible = spanCountX >= 0 && spanCountX < 100 && spanCountY >= 0 && spanCountY < 100 &&
                              floorCount >= 0 && floorCount < 10;
        const int count = possible ? (spanCountX + 1) * (spanCountY + 1) * (floorCount + 1) : 12;
        for (int k = 0; k < count; ++k) {
            const bool rich = k == 1;  // node (2, 1, 1)
            for (int w = 0; w < 4; ++w) {
                if (rich && w == 0)
                    f.i32(3).i32(2).i32(2).s("Kesa").i32(1).i32(0).f32(2.0f);
                else if (rich && w == 3)
                    f.i32(5).i32(1).i32(2).s("Menzai").i32(4).i32(2).f32(2.5f);
                else
                    f.i32(0).i32(0).i32(0).s("").i32(0).i32(0).f32(0.0f);
            }
            f.i32(rich ? 2 : 0).i32(rich ? 1 : 0).i32(rich ? 1 : 0);
            f.s(rich ? "(\x82\xD9)" : "").s(rich ? "\x81\x60" : "").s(rich ? "HD-B15" : "");  // (ほ), ～
            f.i32(rich ? 1 : 0).i32(rich ? 3 : 0).i32(0).i32(0);                              // beams
            f.i32(rich ? 2 : 0).i32(rich ? 1 : 0).i32(rich ? 1 : 0);  // cellFloor, outline marks
        }
        // NodeCoords: off the computed ones by less than the reader's tolerance, to show they are
        // taken from the file.
        for (int k = 0; k < count; ++k) {
            const int i = possible ? k % (spanCountX + 1) : 0;
            const int j = possible ? k / (spanCountX + 1) % (spanCountY + 1) : 0;
            f.f32(HandCoord(i, moduleLength / divisions))
                .f32(HandCoord(j, moduleLength / divisions) - 0.003f);
            f.f32(7.0f);
        }
        // SpareTable
        for (int i = 1; i <= 10; ++i)
            f.s(i == 10 ? "sp" : "").i32(i == 3 ? -5 : 0);
        return f.b;
    }
};

Project Sentinel()
{
    Project p = samples::NewProject(4, 2, 1);
    p.info.buildingName = QStringLiteral("開いている物件");
    p.nodes(1, 1, 1).columnKind = 1;
    return p;
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

bool SameSavedItems(const Project &a, const Project &b)
{
    return a.header == b.header && a.info == b.info && a.grid == b.grid && a.nodes == b.nodes &&
           a.coords == b.coords && a.spare == b.spare;
}

}  // namespace

// ---------------------------------------------------------------- layout

TEST(ProjectFileLayout, FreshDefaultProjectRoundTripsByteForByte)
{
    for (bool named : {false, true}) {
        Project p;
        SetStartupDimensions(p, 10);
        ResetProject(p);
        if (named) {
            p.grid.lineStyleX = 1;
            p.grid.lineStyleY = 2;
            GenerateLineNames(p);
            ASSERT_EQ(p.grid.lineNameY[1], QStringLiteral("い"));
        }
        PrepareProjectForSave(p);
        const QByteArray bytes = SerializeProject(p);
        // header 2+|version| + 2+8 + 4; info 3·2 + 204 + 20·2 = 250; grid 2·(10 + 21·2) + 348 + 30·2 = 512;
        // 21·21·3 = 1323 nodes of 150 bytes and 12-byte coords; spare 10·6 = 60.
        qsizetype expected = 2 + VersionText().size() + 10 + 4 + 250 + 512 + 1323 * 150 + 1323 * 12 + 60;
        for (int k = 1; k <= 21; ++k)
            expected += Cp932Length(p.grid.lineNameX[k]) + Cp932Length(p.grid.lineNameY[k]);
        EXPECT_EQ(bytes.size(), expected);

        Project q;
        QString reason;
        ASSERT_TRUE(ParseProject(bytes, q, &reason)) << reason.toStdString();
        EXPECT_TRUE(SameSavedItems(p, q));
        EXPECT_EQ(SerializeProject(q), bytes);
    }
}

TEST(ProjectFileLayout, HandAssembledFileReadsFieldByField)
{
    HandFile hand;
    const QByteArray bytes = hand.build();
    Project p;
    QString reason;
    ASSERT_TRUE(ParseProject(bytes, p, &reason)) << reason.toStdString();

    EXPECT_EQ(p.header.versionText, QStringLiteral("Ver.9.8.7"));
    EXPECT_EQ(p.header.productName, QStringLiteral("VELM-RQX"));
    EXPECT_EQ(p.header.reserved, 0x01020304);
    EXPECT_EQ(p.info.buildingName, QStringLiteral("髙橋邸"));
    EXPECT_EQ(p.info.officeName, QStringLiteral("ABC"));
    EXPECT_TRUE(p.info.personName.isEmpty());
    EXPECT_EQ(p.info.hideOfficeOnCover, 1);
    EXPECT_EQ(p.info.floorCount, 1);
    EXPECT_EQ(p.info.levelHeight[1], 11);
    EXPECT_EQ(p.info.levelHeight[4], 44);
    EXPECT_EQ(p.info.spanCountX, 2);
    EXPECT_EQ(p.info.spanCountY, 1);
    EXPECT_EQ(p.info.divisions, 2);
    EXPECT_FLOAT_EQ(p.info.moduleLength, 0.91f);
    EXPECT_EQ(p.info.reserved[0], 0);
    EXPECT_EQ(p.info.reserved[159], 159);
    EXPECT_EQ(p.info.reservedText[20], QStringLiteral("r20"));

    ASSERT_EQ(p.grid.lineNameX.size(), 3);
    EXPECT_EQ(p.grid.lineNameX[3], QStringLiteral("X3"));
    ASSERT_EQ(p.grid.lineNameY.size(), 2);
    EXPECT_EQ(p.grid.lineNameY[1], QStringLiteral("い"));
    EXPECT_EQ(p.grid.lineNameY[2], QStringLiteral("ろ"));
    EXPECT_EQ(p.grid.lineStyleX, 1);
    EXPECT_EQ(p.grid.lineStartY, 4);
    EXPECT_EQ(p.grid.lineReverseY, 1);
    EXPECT_EQ(p.grid.showRequiredWhenBlank, 1);
    EXPECT_EQ(p.grid.useDoublePull, 0);
    EXPECT_EQ(p.grid.reserved1[71], 0x5A);
    EXPECT_EQ(p.grid.lCoefficientMode, 1);
    EXPECT_EQ(p.grid.crossBeamIgnored, 1);
    EXPECT_EQ(p.grid.crossBeamNoWarning, 1);
    EXPECT_EQ(p.grid.reserved2[0], 0xA5);
    EXPECT_EQ(p.grid.reservedText[1], QStringLiteral("t1"));

    // 3 × 2 × 2 nodes; the second one in file order is (2, 1, 1).
    ASSERT_EQ(p.nodes.count(), 12u);
    const NodeRecord &n = p.nodes(2, 1, 1);
    EXPECT_EQ(n.brace[1], (WallMember{3, 2, 2, QStringLiteral("Kesa"), 1, 0, 2.0f}));
    EXPECT_EQ(n.brace[2], WallMember{});
    EXPECT_EQ(n.board[2], (WallMember{5, 1, 2, QStringLiteral("Menzai"), 4, 2, 2.5f}));
    EXPECT_EQ(n.columnKind, 2);
    EXPECT_EQ(n.throughOrigin, 1);
    EXPECT_EQ(n.isCorner, 1);
    EXPECT_EQ(n.hardware[0], QStringLiteral("(ほ)"));
    EXPECT_EQ(n.hardware[1], QStringLiteral("～"));
    EXPECT_EQ(n.hardware[2], QStringLiteral("HD-B15"));
    EXPECT_EQ(n.beam[1], (BeamInfo{1, 3}));
    EXPECT_EQ(n.cellFloor, 2);
    // Outline marks and coordinates come from the file, not from the floors and the span length.
    EXPECT_EQ(n.outlineEdge[1], 1);
    EXPECT_EQ(p.nodes(1, 1, 1), NodeRecord{});
    EXPECT_EQ(p.coords(2, 1, 1), (NodeCoord{HandCoord(1, 0.455f), HandCoord(0, 0.455f) - 0.003f, 7.0f}));
    EXPECT_EQ(p.coords(3, 2, 2), (NodeCoord{HandCoord(2, 0.455f), HandCoord(1, 0.455f) - 0.003f, 7.0f}));
    EXPECT_EQ(p.spare[3].value, -5);
    EXPECT_EQ(p.spare[10].text, QStringLiteral("sp"));

    // Derived dimensions follow the file's bounds.
    EXPECT_EQ(p.dims.spanCountX, 2);
    EXPECT_EQ(p.dims.floorCount, 1);
    EXPECT_FLOAT_EQ(p.dims.spanLength, 0.455f);
    EXPECT_EQ(p.nodes.count(), 12u);

    // Written back unchanged, reserved blocks and all.
    EXPECT_EQ(SerializeProject(p), bytes);
    // Bytes after the last item are ignored.
    Project q;
    ASSERT_TRUE(ParseProject(bytes + QByteArray(100, '\xEE'), q));
    EXPECT_TRUE(SameSavedItems(p, q));
}

TEST(ProjectFileLayout, EveryNumberHasItsOwnPlace)
{
    // Each saved number gets a value of its own, so a field written or read in another's place
    // shows even where the hand-made file repeats values. Offsets counted from the layout: header
    // 3 + 10 + 4 = 17; three empty texts to 23; fixed block 23..227; 20 empty texts to 267; X names
    // 10 + 4·2 to 285; Y names 10 + 6·2 to 307; fixed block 307..655; 30 empty texts to 715.
    Project p = samples::NewProject(3, 5, 2, 4);  // 4 × 6 × 3 = 72 nodes
    for (QString &name : p.grid.lineNameX)
        name.clear();
    for (QString &name : p.grid.lineNameY)
        name.clear();
    p.header = FileHeader{QStringLiteral("V"), kProductName, 1001};
    ProjectInfo &info = p.info;
    info.hideOfficeOnCover = 1002;
    info.hideDateOnCover = 1003;
    for (int k = 1; k <= 4; ++k)
        info.levelHeight[k] = 1003 + k;
    info.moduleLength = 0.75f;
    info.reserved[0] = 0xA1;
    info.reserved[159] = 0xA2;
    GridInfo &g = p.grid;
    int32_t *const gridNumbers[] = {&g.lineStyleX,
                                    &g.lineStyleY,
                                    &g.lineStartX,
                                    &g.lineStartY,
                                    &g.lineReverseX,
                                    &g.lineReverseY,
                                    &g.showRequiredWhenBlank,
                                    &g.useDoublePull};
    for (int k = 0; k < 8; ++k)
        *gridNumbers[k] = 1011 + k;
    g.lCoefficientMode = 1019;
    g.crossBeamIgnored = 1020;
    g.crossBeamNoWarning = 1021;
    g.reserved1[71] = 0xB2;
    g.reserved2[0] = 0xC1;
    NodeRecord &n = p.nodes(1, 1, 1);
    n.brace[1] = WallMember{1031, 1032, 1033, kKeyKesa, 1034, 1035, 1.25f};
    n.brace[2] = WallMember{1041, 1042, 1043, QString(), 1044, 1045, 1.5f};
    n.board[1] = WallMember{1051, 1052, 1053, QString(), 1054, 1055, 1.75f};
    n.board[2] = WallMember{1061, 1062, 1063, QString(), 1064, 1065, 2.25f};
    n.columnKind = 1071;
    n.throughOrigin = 1072;
    n.isCorner = 1073;
    n.hardware[1] = QStringLiteral("ab");
    n.beam[1] = BeamInfo{1081, 1082};
    n.beam[2] = BeamInfo{1083, 1084};
    n.cellFloor = 1085;
    n.outlineEdge[1] = 1086;
    n.outlineEdge[2] = 1087;
    p.coords(1, 1, 1) = NodeCoord{0.5f, 0.25f, 2.0f};
    p.spare[1] = SpareEntry{QStringLiteral("s"), 1091};
    p.spare[10].value = 1092;

    const QByteArray b = SerializeProject(p);
    auto i32 = [&b](qsizetype at) { return qFromLittleEndian<int32_t>(b.constData() + at); };
    auto u16 = [&b](qsizetype at) { return qFromLittleEndian<uint16_t>(b.constData() + at); };
    auto f32 = [&](qsizetype at) {
        const int32_t bits = i32(at);
        float v;
        std::memcpy(&v, &bits, 4);
        return v;
    };
    // Node (1,1,1) at 715 takes 150 + 4 ("Kesa") + 2 ("ab") = 156 bytes; 71 empty nodes of 150 follow:
    // coordinates at 871 + 10650 = 11521, 72 × 12 bytes; spare table at 12385, 7 + 9 × 6 bytes.
    ASSERT_EQ(b.size(), 12446);
    EXPECT_EQ(b.mid(0, 3), QByteArray("\x01\x00V", 3));
    EXPECT_EQ(b.mid(3, 10), QByteArray("\x08\x00VELM-RQX", 10));
    EXPECT_EQ(i32(13), 1001);
    EXPECT_EQ(u16(17) + u16(19) + u16(21), 0);
    const int32_t infoNumbers[] = {1002, 1003, 2, 1004, 1005, 1006, 1007, 3, 5, 4};
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(i32(23 + 4 * k), infoNumbers[k]) << "ProjectInfo offset " << 4 * k;
    EXPECT_EQ(f32(23 + 40), 0.75f);
    EXPECT_EQ(uint8_t(b[23 + 44]), 0xA1);
    EXPECT_EQ(uint8_t(b[23 + 203]), 0xA2);
    EXPECT_EQ(b.mid(267, 10), QByteArray("\x01\x00\x04\x00\x00\x00\x01\x00\x00\x00", 10));
    EXPECT_EQ(b.mid(285, 10), QByteArray("\x01\x00\x06\x00\x00\x00\x01\x00\x00\x00", 10));
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(i32(307 + 4 * k), 1011 + k) << "GridInfo offset " << 4 * k;
    EXPECT_EQ(uint8_t(b[307 + 103]), 0xB2);
    EXPECT_EQ(i32(307 + 104), 1019);
    EXPECT_EQ(i32(307 + 108), 1020);
    EXPECT_EQ(i32(307 + 112), 1021);
    EXPECT_EQ(uint8_t(b[307 + 116]), 0xC1);
    // Walls: kind, firstIndex, lastIndex, key, code, segment, multiplier.
    EXPECT_EQ(i32(715), 1031);
    EXPECT_EQ(i32(719), 1032);
    EXPECT_EQ(i32(723), 1033);
    EXPECT_EQ(b.mid(727, 6), QByteArray("\x04\x00Kesa", 6));
    EXPECT_EQ(i32(733), 1034);
    EXPECT_EQ(i32(737), 1035);
    EXPECT_EQ(f32(741), 1.25f);
    for (int w = 0; w < 3; ++w) {  // brace(2), board(1), board(2): 26 bytes each from 745
        const qsizetype at = 745 + 26 * w;
        const int32_t base = 1041 + 10 * w;
        EXPECT_EQ(i32(at), base) << w;
        EXPECT_EQ(i32(at + 4), base + 1) << w;
        EXPECT_EQ(i32(at + 8), base + 2) << w;
        EXPECT_EQ(u16(at + 12), 0) << w;
        EXPECT_EQ(i32(at + 14), base + 3) << w;
        EXPECT_EQ(i32(at + 18), base + 4) << w;
    }
    EXPECT_EQ(f32(745 + 22), 1.5f);
    EXPECT_EQ(f32(797 + 22), 2.25f);
    EXPECT_EQ(i32(823), 1071);
    EXPECT_EQ(i32(827), 1072);
    EXPECT_EQ(i32(831), 1073);
    EXPECT_EQ(b.mid(835, 8), QByteArray("\x00\x00\x02\x00"
                                        "ab\x00\x00",
                                        8));
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(i32(843 + 4 * k), 1081 + k) << "beams, floor, outline " << k;
    EXPECT_EQ(f32(11521), 0.5f);
    EXPECT_EQ(f32(11525), 0.25f);
    EXPECT_EQ(f32(11529), 2.0f);
    EXPECT_EQ(f32(11521 + 12), 0.91f / 4);  // node (2,1,1): one span of the grid as it was made
    EXPECT_EQ(b.mid(12385, 3), QByteArray("\x01\x00s", 3));
    EXPECT_EQ(i32(12388), 1091);
    EXPECT_EQ(i32(12442), 1092);

    // Numbers no program writes: the reader refuses the file, naming the first such field.
    Project q;
    QString reason;
    EXPECT_FALSE(ParseProject(b, q, &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("hideOfficeOnCover"))) << reason.toStdString();
}

TEST(ProjectFileLayout, LineNameCountIsFittedToTheGrid)
{
    // Two X names for three lines, five Y names for two lines: what the file holds is read,
    // then missing names are empty and extra ones are dropped; the nodes after them still read.
    HandFile hand;
    hand.countX = 2;
    hand.countY = 5;
    Project p;
    QString reason;
    ASSERT_TRUE(ParseProject(hand.build(), p, &reason)) << reason.toStdString();
    ASSERT_EQ(p.grid.lineNameX.size(), 3);
    EXPECT_EQ(p.grid.lineNameX[2], QStringLiteral("X2"));
    EXPECT_TRUE(p.grid.lineNameX[3].isEmpty());
    ASSERT_EQ(p.grid.lineNameY.size(), 2);
    EXPECT_EQ(p.grid.lineNameY[2], QStringLiteral("ろ"));
    EXPECT_EQ(p.nodes(2, 1, 1).hardware[2], QStringLiteral("HD-B15"));
    EXPECT_EQ(p.spare[10].text, QStringLiteral("sp"));

    hand.countX = 0;
    ASSERT_TRUE(ParseProject(hand.build(), p, &reason)) << reason.toStdString();
    EXPECT_EQ(p.grid.lineNameX.size(), 3);
}

TEST(ProjectFileLayout, TextsOfEveryLengthAndRepeatedTextsReadBack)
{
    // Equal texts are shared while reading and short ones are keyed by their bytes: texts of every
    // length from 0 to 80 bytes, differing only in their last byte, repeated across nodes, and the
    // spare texts at the very end of the file must all come back exactly.
    Project p = samples::NewProject(6, 6, 1);
    int k = 0;
    auto text = [](int length, int variant) {
        QString t;
        for (int i = 0; i + 1 < length; ++i)
            t += i % 3 == 2 ? QChar(0x91D1) : QChar('a' + i % 26);  // 金 takes two bytes
        if (length > 0)
            t += QChar('0' + variant % 10);
        return t;
    };
    for (NodeRecord &n : p.nodes) {
        for (int h = 0; h <= 2; ++h)
            n.hardware[h] = text((k + h) % 81, k % 3);
        n.brace[1].key = text(k % 17, k % 2);
        ++k;
    }
    for (int i = 1; i <= 10; ++i)
        p.spare[i].text = text(i * 2, i);
    const QByteArray bytes = SerializeProject(p);
    Project q;
    ASSERT_TRUE(ParseProject(bytes, q));
    EXPECT_TRUE(SameSavedItems(p, q));
    EXPECT_EQ(SerializeProject(q), bytes);
}

// ---------------------------------------------------------------- refusals

TEST(ProjectFileRefusal, ImpossibleDimensionsAndDescriptorsAreRefusedWithoutTouchingTheProject)
{
    const Project before = Sentinel();
    struct Case {
        const char *what;
        void (*change)(HandFile &);
        const char *reasonPart;
    };
    const Case cases[] = {
        {"no storey", [](HandFile &h) { h.floorCount = 0; }, "階数"},
        {"three storeys", [](HandFile &h) { h.floorCount = 3; }, "階数"},
        {"no division", [](HandFile &h) { h.divisions = 0; }, "分割数"},
        {"five divisions", [](HandFile &h) { h.divisions = 5; }, "分割数"},
        {"no span", [](HandFile &h) { h.spanCountY = 0; }, "スパン数"},
        {"negative spans", [](HandFile &h) { h.spanCountX = -3; }, "スパン数"},
        {"zero module", [](HandFile &h) { h.moduleLength = 0.0f; }, "モジュール"},
        {"negative module", [](HandFile &h) { h.moduleLength = -0.91f; }, "モジュール"},
        {"NaN module", [](HandFile &h) { h.moduleLength = std::numeric_limits<float>::quiet_NaN(); },
         "モジュール"},
        {"infinite module", [](HandFile &h) { h.moduleLength = std::numeric_limits<float>::infinity(); },
         "モジュール"},
        {"two dimensions", [](HandFile &h) { h.dimsX = 2; }, "配列の記述"},
        {"lower bound 0", [](HandFile &h) { h.lowerX = 0; }, "配列の記述"},
        {"negative count", [](HandFile &h) { h.countX = -1; }, "配列の記述"},
        // Grids larger than the program makes: refused for what they are, before allocating.
        {"121 spans", [](HandFile &h) { h.spanCountY = 121; }, "扱える大きさを超えています"},
        {"1000 × 1000 spans", [](HandFile &h) { h.spanCountX = h.spanCountY = 1000; },
         "扱える大きさを超えています。各方向 120 スパン（30 モジュール × 4 分割）までです。"},
        {"largest grid",
         [](HandFile &h) { h.spanCountX = h.spanCountY = std::numeric_limits<int32_t>::max(); },
         "扱える大きさ"},
        {"grid one line too wide", [](HandFile &h) { h.declaredSpanCountX = 3; }, "短すぎます"},
    };
    for (const Case &c : cases) {
        HandFile hand;
        c.change(hand);
        const QByteArray bytes = hand.build();
        Project open = Sentinel();
        QString reason;
        EXPECT_FALSE(ParseProject(bytes, open, &reason)) << c.what;
        EXPECT_TRUE(reason.contains(QString::fromUtf8(c.reasonPart)))
            << c.what << ": " << reason.toStdString();
        EXPECT_TRUE(SameSavedItems(open, before)) << c.what;
    }
    // A name count larger than the file could hold is refused before the names are made.
    HandFile hand;
    QByteArray bytes = hand.build();
    const qsizetype countAt = bytes.indexOf(QByteArray("\x01\x00\x03\x00\x00\x00\x01\x00\x00\x00", 10)) + 2;
    qToLittleEndian<int32_t>(0x7FFFFFFF, bytes.data() + countAt);
    Project open = Sentinel();
    QString reason;
    EXPECT_FALSE(ParseProject(bytes, open, &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("通り名 X"))) << reason.toStdString();
}

TEST(ProjectFileRefusal, GridWiderThanTheProgramMakesIsRefusedEvenWhenComplete)
{
    // Complete files, written without the save's check: 120 spans load, 121 do not.
    for (const int spans : {120, 121}) {
        const QByteArray bytes = SerializeProject(samples::NewProject(spans, 1, 1));
        Project open = Sentinel();
        QString reason;
        EXPECT_EQ(ParseProject(bytes, open, &reason), spans == 120) << reason.toStdString();
        EXPECT_EQ(reason.contains(QStringLiteral("X 121、Y 1 スパン")), spans == 121) << reason.toStdString();
    }
    // A file of 8 GB (sparse) whose header claims 1000 × 1000 spans is refused from its first bytes,
    // without reading or allocating the rest.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.RQX"));
    HandFile hand;
    hand.spanCountX = hand.spanCountY = 1000;
    WriteAll(path, hand.build());
    ASSERT_TRUE(QFile::resize(path, qint64(8) << 30));
    QElapsedTimer clock;
    clock.start();
    Project open;
    const FileResult r = LoadProjectFile(path, open);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(r.message.contains(
        QStringLiteral("（X 1000、Y 1000 スパン）がこのプログラムで扱える大きさを超えています")))
        << r.message.toStdString();
}

TEST(ProjectFileRefusal, EveryTruncationOfARealFileIsRefused)
{
    // Every length of the small two-storey house; of the larger house every 61st length and every
    // one of the last 2000 bytes (where the whole node array is read before the end shows).
    for (const char *name : {"small_house.RQX", "two_storey.RQX"}) {
        const QByteArray bytes = ReadAll(QStringLiteral(VELM_TEST_DATA_DIR "/") + QLatin1String(name));
        ASSERT_GT(bytes.size(), 10000) << name;
        const bool every = bytes.size() < 20000;
        Project open = Sentinel();
        const Project before = open;
        QString reason;
        for (qsizetype n = 0; n < bytes.size(); n += every || n >= bytes.size() - 2000 ? 1 : 61) {
            reason.clear();
            if (ParseProject(QByteArrayView(bytes.constData(), n), open, &reason) || reason.isEmpty()) {
                ADD_FAILURE() << name << ": accepted or no reason at " << n;
                break;
            }
            if (open.info.buildingName != before.info.buildingName ||
                open.nodes.count() != before.nodes.count()) {
                ADD_FAILURE() << name << ": project changed at " << n;
                break;
            }
        }
        EXPECT_TRUE(SameSavedItems(open, before)) << name;
        ASSERT_TRUE(ParseProject(bytes, open, &reason)) << reason.toStdString();
        EXPECT_EQ(open.info.floorCount, 2);
    }
}

TEST(ProjectFileRefusal, StringLengthRunningPastTheEndIsNamed)
{
    HandFile hand;
    QByteArray bytes = hand.build();
    // The building name's count sits right after the header (2+9, 2+8, 4 bytes).
    qToLittleEndian<uint16_t>(0xFFFF, bytes.data() + 25);
    Project open = Sentinel();
    QString reason;
    EXPECT_FALSE(ParseProject(bytes, open, &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("65535"))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("25 バイト目"))) << reason.toStdString();
}

// ---------------------------------------------------------------- header check

TEST(ProjectFileHeader, OnlyTheExactProductNameIsAccepted)
{
    QTemporaryDir dir;
    auto headerFile = [&](const QByteArray &version, const QByteArray &product) {
        const QString path = dir.filePath(QString::fromLatin1(product.toHex()) + QStringLiteral(".RQX"));
        Bytes f;
        f.s(version).s(product).i32(0);
        WriteAll(path, f.b);  // nothing after the header: the check reads no further
        return path;
    };
    EXPECT_TRUE(IsProjectFileHeader(ReadFileHeader(headerFile("", "VELM-RQX"))));
    EXPECT_TRUE(IsProjectFileHeader(ReadFileHeader(headerFile("Ver.0.9", "VELM-RQX"))));
    EXPECT_FALSE(IsProjectFileHeader(ReadFileHeader(headerFile("Ver.1.0.1", "VELM-RQX "))));
    EXPECT_FALSE(IsProjectFileHeader(ReadFileHeader(headerFile("Ver.1.0.1", "velm-rqx"))));
    EXPECT_FALSE(IsProjectFileHeader(ReadFileHeader(headerFile("Ver.1.0.1", "VELM-TWD"))));
    EXPECT_FALSE(IsProjectFileHeader(ReadFileHeader(dir.filePath(QStringLiteral("missing.RQX")))));
    // A file cut inside the header.
    const QString cut = dir.filePath(QStringLiteral("cut.RQX"));
    WriteAll(cut, QByteArray("\x09\x00Ver.1", 7));
    EXPECT_FALSE(IsProjectFileHeader(ReadFileHeader(cut)));

    EXPECT_EQ(NotProjectFileMessage(kAppTitle, QStringLiteral("/home/u/図面/memo.RQX")),
              QStringLiteral("このファイルは、[ VELM-RQX /軸組Ｎ値算定 ] のデータではありません。\r\r"
                             "File Name: memo.RQX"));
}

// ---------------------------------------------------------------- files

TEST(ProjectFileSave, SaveUpdatesOutlineAndHeaderAndLoadsBack)
{
    QTemporaryDir dir;
    Project p = samples::NewProject(6, 4, 2);
    samples::PlaceFloor(p, 1, 1, 1, 7, 5, 1);
    p.header.productName = QStringLiteral("old");

    const QString path = dir.filePath(QStringLiteral("家.RQX"));
    const FileResult saved = SaveProjectFile(p, path);
    ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    EXPECT_EQ(p.header.productName, QStringLiteral("VELM-RQX"));
    EXPECT_EQ(p.header.versionText, VersionText());
    // Floors on cells 1..6 × 1..4 of storey 1: (1,1) lies on the lower and left sides, (7,1) on the right.
    EXPECT_EQ(p.nodes(1, 1, 1).outlineEdge[kDirX], 1);
    EXPECT_EQ(p.nodes(1, 1, 1).outlineEdge[kDirY], 1);
    EXPECT_EQ(p.nodes(7, 1, 1).outlineEdge[kDirY], 1);
    EXPECT_EQ(p.nodes(3, 3, 1).outlineEdge[kDirX], 0);
    EXPECT_EQ(ReadAll(path), SerializeProject(p));

    Project loaded = Sentinel();
    const FileResult r = LoadProjectFile(path, loaded);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_TRUE(SameSavedItems(loaded, p));
}

TEST(ProjectFileSave, OverwritingALongerFileLeavesExactlyTheDump)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.RQX"));
    WriteAll(path, QByteArray(1 << 20, 'x'));
    Project p = samples::NewProject(2, 2, 1);
    ASSERT_TRUE(SaveProjectFile(p, path).ok);
    EXPECT_EQ(ReadAll(path), SerializeProject(p));
}

TEST(ProjectFileSave, FailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("家.RQX"));
    const QByteArray old("old contents");
    Project p = samples::NewProject(2, 2, 1);
    for (const test::FailurePoint &f : test::kFailurePoints) {
        WriteAll(path, old);
        test::FailingFileLayer layer(f.call, f.error);
        const FileResult r = SaveProjectFile(p, path, layer);
        const SaveOutcome expected{f.step, f.error};
        EXPECT_FALSE(r.ok) << f.name;
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("ファイルを保存できませんでした。\r\r") +
                                         expected.cause() +
                                         QStringLiteral("\r\r元のファイルはそのまま残っています。")))
            << r.message.toStdString();
        EXPECT_TRUE(r.message.endsWith(QStringLiteral("\r\rFile Name: 家.RQX"))) << f.name;
        EXPECT_EQ(r.detail, expected.causeInEnglish()) << f.name;
        EXPECT_EQ(ReadAll(path), old) << f.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("家.RQX")});
    }

    // A folder that does not exist: nothing is made.
    const QString missing = dir.filePath(QStringLiteral("no/such/dir/b.RQX"));
    const FileResult r = SaveProjectFile(p, missing);
    EXPECT_TRUE(r.message.contains(QStringLiteral("保存先のフォルダがありません")))
        << r.message.toStdString();
    EXPECT_TRUE(r.message.contains(QStringLiteral("ファイルは作成されていません。")));
    EXPECT_FALSE(QFileInfo::exists(missing));

    // A name too long for the temporary file's suffix still saves.
    EXPECT_TRUE(SaveProjectFile(p, dir.filePath(QString(251, QLatin1Char('n')) + QStringLiteral(".RQX"))).ok);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(ProjectFileSave, ProjectThatWouldNotReadBackIsNotWritten)
{
    // The node count is not stored: arrays of other bounds than ProjectInfo announces, or dimensions
    // a load refuses, would give a file that can never be opened again. The old file must survive.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("家.RQX"));
    const Project good = samples::NewProject(4, 3, 2);
    Project first = good;
    ASSERT_TRUE(SaveProjectFile(first, path).ok);
    const QByteArray old = ReadAll(path);

    struct Case {
        const char *what;
        void (*change)(Project &);
    };
    const Case cases[] = {
        {"spans changed, arrays not re-created", [](Project &p) { p.info.spanCountX = 6; }},
        {"storeys changed, arrays not re-created", [](Project &p) { p.info.floorCount = 1; }},
        {"coordinates of another grid", [](Project &p) { p.coords.reset(5, 4, 2); }},
        {"three storeys",
         [](Project &p) {
             p.info.floorCount = 3;
             ResetProject(p);
         }},
        {"no module length", [](Project &p) { p.info.moduleLength = 0.0f; }},
        {"grid wider than the program makes",
         [](Project &p) {
             p.info.spanCountX = 121;
             ResetProject(p);
         }},
    };
    for (const Case &c : cases) {
        Project p = good;
        c.change(p);
        const FileResult r = SaveProjectFile(p, path);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("ファイルを保存できませんでした。"))) << c.what;
        EXPECT_EQ(ReadAll(path), old) << c.what;
    }
}

TEST(ProjectFileLoad, FailedLoadNamesTheFileAndKeepsProjectAndState)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("短い.RQX"));
    HandFile hand;
    WriteAll(path, hand.build().left(300));
    Project open = Sentinel();
    const Project before = open;
    const FileResult r = LoadProjectFile(path, open);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith(QStringLiteral("ファイルを読み込めませんでした。\r\r")));
    EXPECT_TRUE(r.message.endsWith(QStringLiteral("\r\rFile Name: 短い.RQX"))) << r.message.toStdString();
    EXPECT_TRUE(SameSavedItems(open, before));

    EXPECT_FALSE(LoadProjectFile(dir.filePath(QStringLiteral("missing.RQX")), open).ok);
    EXPECT_TRUE(SameSavedItems(open, before));
}

TEST(ProjectFileLoad, OpenCheckSaysWhatIsWrongWithThePath)
{
    QTemporaryDir dir;
    const QString other = dir.filePath(QStringLiteral("memo.RQX"));
    WriteAll(other, QByteArray("\x02\x00hi\x00\x00\x00\x00", 8));
    const QString good = dir.filePath(QStringLiteral("good.RQX"));
    Project p = samples::NewProject(2, 2, 1);
    ASSERT_TRUE(SaveProjectFile(p, good).ok);
    struct Case {
        QString path;
        QString message;  // empty: accepted
    };
    const QString lead = QStringLiteral("ファイルを読み込めませんでした。\r\r");
    const Case cases[] = {
        {good, QString()},
        {dir.filePath(QStringLiteral("missing.RQX")),
         lead + QStringLiteral("ファイルが見つかりません。\r\rFile Name: missing.RQX")},
        {dir.filePath(QStringLiteral("no/x.RQX")),
         lead + QStringLiteral("ファイルが見つかりません。\r\rFile Name: x.RQX")},
        // A path of the history written on Windows names its file as there.
        {QStringLiteral("C:\\住宅\\山田邸.RQX"),
         lead + QStringLiteral("ファイルが見つかりません。\r\rFile Name: 山田邸.RQX")},
        {dir.path(), lead + QStringLiteral("ファイルではなくフォルダです。\r\rFile Name: ") +
                         QFileInfo(dir.path()).fileName()},
#ifdef Q_OS_WIN
        {QStringLiteral("\\\\.\\NUL"),
         lead + QStringLiteral("通常のファイルではありません。\r\rFile Name: NUL")},
#else
        {QStringLiteral("/dev/null"),
         lead + QStringLiteral("通常のファイルではありません。\r\rFile Name: null")},
#endif
        {other, NotProjectFileMessage(kAppTitle, other)},
    };
    for (const Case &c : cases) {
        const FileResult r = CheckProjectFile(kAppTitle, c.path);
        EXPECT_EQ(r.ok, c.message.isEmpty()) << c.path.toStdString();
        EXPECT_EQ(r.message, c.message);
        // The load names the same causes of the path itself.
        if (c.path != other) {
            Project loaded;
            EXPECT_EQ(LoadProjectFile(c.path, loaded).message, c.message);
        }
    }
}

TEST(ProjectFileSample, TwoStoreyFileHoldsTheSampleHouse)
{
    // tests/data/two_storey.RQX was written by make_sample_files from samples::TwoStoreyHouse().
    Project loaded;
    const FileResult r = LoadProjectFile(QStringLiteral(VELM_TEST_DATA_DIR "/two_storey.RQX"), loaded);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    Project expected = samples::TwoStoreyHouse();
    PrepareProjectForSave(expected);
    expected.header.versionText = loaded.header.versionText;  // the version that wrote the file
    EXPECT_TRUE(SameSavedItems(loaded, expected));
    EXPECT_EQ(loaded.info.buildingName, QStringLiteral("髙橋様邸 新築工事（ﾃｽﾄ）"));
    EXPECT_EQ(loaded.nodes(13, 13, 2).columnKind, 2);
    EXPECT_EQ(loaded.nodes(9, 5, 2).cellFloor, 2);
}
