#include "model/line_names.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace rqx;

namespace {

Project GridOf(int spansX, int spansY, int divisions)
{
    Project p;
    p.info.spanCountX = spansX;
    p.info.spanCountY = spansY;
    p.info.divisions = divisions;
    p.info.floorCount = 1;
    ResetProject(p);
    return p;
}

QStringList Names(const OneBasedArray<QString> &a)
{
    QStringList out;
    for (const QString &s : a)
        out << s;
    return out;
}

}  // namespace

TEST(LineNames, NumberedStyleWithTwoDivisionsRunsX1X1aX2)
{
    Project p = GridOf(4, 2, 2);  // 2 × 1 modules
    p.grid.lineStyleX = 1;
    p.grid.lineStartX = 1;
    p.grid.lineStyleY = 0;  // 0 reads as style 1
    p.grid.lineStartY = 1;
    GenerateLineNames(p);
    EXPECT_EQ(Names(p.grid.lineNameX), QStringList({"X1", "X1a", "X2", "X2a", "X3"}));
    EXPECT_EQ(Names(p.grid.lineNameY), QStringList({"Y1", "Y1a", "Y2"}));
}

TEST(LineNames, ReversedNamesStartAtTheFarEnd)
{
    Project p = GridOf(4, 4, 2);
    p.grid.lineStyleX = 1;
    p.grid.lineStartX = 1;
    p.grid.lineReverseX = 1;
    p.grid.lineStyleY = 4;
    p.grid.lineStartY = 7;
    p.grid.lineReverseY = 1;
    GenerateLineNames(p);
    // Walked from k = 5 down: 5 major (X1), 4 sub (X1a), 3 major (X2) …
    EXPECT_EQ(Names(p.grid.lineNameX), QStringList({"X3", "X2a", "X2", "X1a", "X1"}));
    // The top Y line (index 5) gets the first name, the start number 7.
    EXPECT_EQ(p.grid.lineNameY[5], "7");
    EXPECT_EQ(p.grid.lineNameY[1], "9");
}

TEST(LineNames, LetterStyleNamesThe27thMajorLineWithABracket)
{
    Project p = GridOf(54, 2, 2);  // 27 modules: major lines at k = 1, 3, …, 55
    p.grid.lineStyleX = 3;
    p.grid.lineStyleY = 2;
    GenerateLineNames(p);
    EXPECT_EQ(p.grid.lineNameX[1], "A");
    EXPECT_EQ(p.grid.lineNameX[51], "Z");  // major 26 at k = 2·26 − 1
    EXPECT_EQ(p.grid.lineNameX[53], "[");  // major 27: code 64 + 27
    EXPECT_EQ(p.grid.lineNameX[54], "[a");
    EXPECT_EQ(p.grid.lineNameX[55], "\\");  // major 28
    EXPECT_EQ(p.grid.lineNameY[1], "い");
    EXPECT_EQ(p.grid.lineNameY[2], "いa");
    EXPECT_EQ(p.grid.lineNameY[3], "ろ");
}

TEST(LineNames, SubGridLettersFollowTheDivisions)
{
    Project p = GridOf(4, 3, 4);  // X: 1 module of 4 spans; Y: a partial module
    p.grid.lineStyleX = 1;
    p.grid.lineStartX = 0;
    p.grid.lineStyleY = 1;
    p.grid.lineStartY = 1;
    GenerateLineNames(p);
    EXPECT_EQ(Names(p.grid.lineNameX), QStringList({"X0", "X0a", "X0b", "X0c", "X1"}));
    EXPECT_EQ(Names(p.grid.lineNameY), QStringList({"Y1", "Y1a", "Y1b", "Y1c"}));

    Project one = GridOf(2, 2, 1);  // no sub-grid: every line is major
    one.grid.lineStyleX = 4;
    one.grid.lineStartX = 1;
    GenerateLineNames(one);
    EXPECT_EQ(Names(one.grid.lineNameX), QStringList({"1", "2", "3"}));
}

TEST(LineNames, KanaTableAndCapacities)
{
    EXPECT_EQ(MajorLineName(2, 1, 0, kDirX), "い");
    EXPECT_EQ(MajorLineName(2, 25, 0, kDirX), "ゐ");
    EXPECT_EQ(MajorLineName(2, 36, 0, kDirX), "あ");
    EXPECT_EQ(MajorLineName(3, 31, 0, kDirY), "_");
    EXPECT_EQ(MajorLineCapacity(2), 36);
    EXPECT_EQ(MajorLineCapacity(3), 31);
    EXPECT_GT(MajorLineCapacity(1), 1000);
    // 30 modules of 2 divisions: 60 spans, 31 major lines; 3 spans of 2 divisions: 2 majors (k = 1, 3).
    EXPECT_EQ(MajorLineCount(60, 2), 31);
    EXPECT_EQ(MajorLineCount(3, 2), 2);
    EXPECT_EQ(MajorLineCount(5, 1), 6);
}

TEST(LineNames, NamesPastTheTablesStayDistinct)
{
    // A loaded project may be larger than the dialogs allow; naming must neither crash nor repeat.
    Project p = GridOf(80, 80, 1);
    p.grid.lineStyleX = 2;
    p.grid.lineStyleY = 3;
    GenerateLineNames(p);
    const QStringList x = Names(p.grid.lineNameX);
    const QStringList y = Names(p.grid.lineNameY);
    EXPECT_EQ(QSet<QString>(x.begin(), x.end()).size(), 81);
    EXPECT_EQ(QSet<QString>(y.begin(), y.end()).size(), 81);
}

TEST(LineNames, KanaLettersAndDigitsWithThreeDivisionsBothWays)
{
    Project p = GridOf(6, 6, 3);  // 2 modules of 3 spans: majors at k = 1, 4, 7
    p.grid.lineStyleX = 3;
    p.grid.lineReverseX = 1;  // walked from k = 7: A, Aa, Ab, B, Ba, Bb, C
    p.grid.lineStyleY = 2;
    GenerateLineNames(p);
    EXPECT_EQ(Names(p.grid.lineNameX), QStringList({"C", "Bb", "Ba", "B", "Ab", "Aa", "A"}));
    EXPECT_EQ(Names(p.grid.lineNameY), QStringList({"い", "いa", "いb", "ろ", "ろa", "ろb", "は"}));

    p.grid.lineStyleX = 4;
    p.grid.lineStartX = 10;  // digits count from the start number: 10, 11, 12
    p.grid.lineReverseX = 0;
    p.grid.lineReverseY = 1;  // the kana start at the top line
    GenerateLineNames(p);
    EXPECT_EQ(Names(p.grid.lineNameX), QStringList({"10", "10a", "10b", "11", "11a", "11b", "12"}));
    EXPECT_EQ(Names(p.grid.lineNameY), QStringList({"は", "ろb", "ろa", "ろ", "いb", "いa", "い"}));
}
