#include "common/common.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include "support/scratch_registry.h"

namespace rqx {
namespace {

QList<double> Parse(const char *text)
{
    const NumberListResult r = ParseNumberList(QString::fromUtf8(text));
    EXPECT_TRUE(r.ok) << text << ": " << r.message.toStdString();
    return r.values;
}

TEST(ParseNumberListTest, PlainNumbersSignsAndExponents)
{
    EXPECT_TRUE(Parse("").isEmpty());
    EXPECT_EQ(ParseNumberList(QString()).count(), 0);
    EXPECT_EQ(Parse("-1.25"), QList<double>{-1.25});
    EXPECT_EQ(Parse("3,5,2"), (QList<double>{3, 5, 2}));  // a node text x,y,level
    EXPECT_EQ(Parse("2.5 1E3"), (QList<double>{2.5, 1000}));
    EXPECT_EQ(Parse("E5 2"), (QList<double>{5, 2}));  // "E" before any number is ignored
    // 4e-2: exponent −2 → floor(−2 + 0.1) = −2 → 4·10^−2.
    EXPECT_DOUBLE_EQ(Parse("4e-2")[0], 0.04);
    EXPECT_EQ(Parse(".5 007 -0"), (QList<double>{0.5, 7, 0}));
    // A lone point does not move the point of the next number.
    EXPECT_EQ(Parse(". 5"), QList<double>{5});
    // Any non-digit separates; the minus sign carries over blanks to the next number.
    EXPECT_EQ(Parse("1a2/3 - 4"), (QList<double>{1, 2, 3, -4}));
}

TEST(ParseNumberListTest, RepeatGroups)
{
    EXPECT_EQ(Parse("3(1.5 2) 4"), (QList<double>{1.5, 2, 1.5, 2, 1.5, 2, 4}));
    // A number right after ")" is not taken for the repeat count of the group before it.
    EXPECT_EQ(Parse("2(1 2)4"), (QList<double>{1, 2, 1, 2, 4}));
    // The repeat count is the previous value + 0.1 truncated: 1.95 → 2.
    EXPECT_EQ(Parse("1.95(8)"), (QList<double>{8, 8}));
    // Exponents inside a group scale the group's last value; 1E1 as count → 10 repeats.
    EXPECT_EQ(Parse("2(1e2)"), (QList<double>{100, 100}));
    EXPECT_EQ(Parse("1E1(6)").size(), 10);
    // Without a count the group is taken once; a group left open at the end counts as closed.
    EXPECT_EQ(Parse("(1 2) 3"), (QList<double>{1, 2, 3}));
    EXPECT_EQ(Parse("2(7"), (QList<double>{7, 7}));
    // Zero or negative counts repeat nothing; a pending exponent does not reach past the group.
    EXPECT_EQ(Parse("-3(1 2) 5"), QList<double>{5});
    EXPECT_EQ(Parse("0(2E)3"), QList<double>{3});
    EXPECT_TRUE(Parse("4()").isEmpty());  // isEmpty: Qt 6.4 compares empty lists with memcmp(…, nullptr, 0)
}

TEST(ParseNumberListTest, LimitsAreClearErrors)
{
    QString hundred = QStringLiteral("1(");
    for (int i = 1; i <= 100; ++i)
        hundred += QString::number(i) + QLatin1Char(' ');
    const NumberListResult full = ParseNumberList(hundred + QLatin1Char(')'));
    ASSERT_TRUE(full.ok);
    EXPECT_EQ(full.count(), 100);
    EXPECT_EQ(full.values.last(), 100);

    const NumberListResult over = ParseNumberList(hundred + QStringLiteral("101)"));
    EXPECT_FALSE(over.ok);
    EXPECT_FALSE(over.message.isEmpty());

    // Digits beyond the 100th of one number are dropped: 105 ones read as 100 ones = (10^100 − 1)/9.
    const QList<double> longNumber = Parse(QByteArray(105, '1').constData());
    ASSERT_EQ(longNumber.size(), 1);
    EXPECT_NEAR(longNumber[0] / 1.1111111111111111e99, 1.0, 1e-15);

    EXPECT_FALSE(ParseNumberList(QStringLiteral("1E400")).ok);      // not finite
    EXPECT_FALSE(ParseNumberList(QStringLiteral("1E9(1 2)")).ok);   // two thousand million values
    EXPECT_TRUE(ParseNumberList(QStringLiteral("50000(1 2)")).ok);  // exactly the upper bound
    // Counts beyond every integer are too many values too, not a count wrapped to a negative one.
    EXPECT_FALSE(ParseNumberList(QStringLiteral("1E300(1)")).ok);
    EXPECT_FALSE(ParseNumberList(QStringLiteral("1E30(1 2)")).ok);
    EXPECT_EQ(Parse("-1E300(1) 5"), QList<double>{5});
    EXPECT_TRUE(Parse("1E300()").isEmpty());
}

TEST(PathRoutinesTest, FileNameOfPathAcceptsBothSeparators)
{
    QString name = QStringLiteral("before");
    bool noSeparator = true;
    FileNameOfPath(QStringLiteral("C:\\住宅\\山田邸.RQX"), name, noSeparator);
    EXPECT_EQ(name, QStringLiteral("山田邸.RQX"));
    EXPECT_FALSE(noSeparator);
    FileNameOfPath(QStringLiteral("/home/u/b.RQX"), name, noSeparator);
    EXPECT_EQ(name, QStringLiteral("b.RQX"));
    FileNameOfPath(QStringLiteral("C:\\a/b\\c.RQX"), name, noSeparator);
    EXPECT_EQ(name, QStringLiteral("c.RQX"));
    FileNameOfPath(QStringLiteral("C:\\dir\\"), name, noSeparator);
    EXPECT_EQ(name, QString());

    name = QStringLiteral("before");
    FileNameOfPath(QStringLiteral("plain.RQX"), name, noSeparator);
    EXPECT_TRUE(noSeparator);
    EXPECT_EQ(name, QStringLiteral("before"));

    // The returning form gives the whole text back where there is no separator.
    EXPECT_EQ(FileNameOf(QStringLiteral("C:\\a/b\\c.RQX")), QStringLiteral("c.RQX"));
    EXPECT_EQ(FileNameOf(QStringLiteral("C:\\dir\\")), QString());
    EXPECT_EQ(FileNameOf(QStringLiteral("plain.RQX")), QStringLiteral("plain.RQX"));
    EXPECT_EQ(FileNameOf(QString()), QString());
}

TEST(PathRoutinesTest, FileExistsAndFirstChar)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.RQX"));
    EXPECT_FALSE(FileExists(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(QString()));

    EXPECT_EQ(FirstChar(QStringLiteral("ヘルミナ")), QStringLiteral("ヘ"));
    EXPECT_EQ(FirstChar(QString()), QString());
}

TEST(ListRoutinesTest, MaxAndMinScanTheWholeList)
{
    const QList<double> values{3, -1.5, 7, 7, 2};
    EXPECT_EQ(MaxOfList(values), 7);
    EXPECT_EQ(MinOfList(values), -1.5);
    const std::vector<int> firstIsMax{9, 1, 5};
    EXPECT_EQ(MaxOfList(firstIsMax), 9);
    EXPECT_EQ(MinOfList(firstIsMax), 1);
    EXPECT_EQ(MaxOfList(QList<float>{}), 0.0f);
}

TEST(RegistryStringTest, WriteReadAndKeyCreation)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const QString key = QStringLiteral("Software\\ヘルミナ\\VELM-RQX");
    const test::ScratchRegistryKey scratch(key);

    EXPECT_EQ(ReadUserRegString(key, QStringLiteral("Ver")), QString());
    // Without the create flag a missing key is not made.
    EXPECT_FALSE(
        WriteRegString(RegRoot::CurrentUser, key, QStringLiteral("Ver"), QStringLiteral("101"), false));
#ifndef Q_OS_WIN
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("ヘルミナ/VELM-RQX.conf"))));
#endif

    EXPECT_TRUE(WriteUserRegString(key, QStringLiteral("Ver"), QStringLiteral("101")));
#ifndef Q_OS_WIN
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("ヘルミナ/VELM-RQX.conf"))));
#endif
    EXPECT_TRUE(WriteRegString(RegRoot::CurrentUser, key, QStringLiteral("Name"),
                               QStringLiteral("軸組 , \"Ｎ\""), false));
    EXPECT_EQ(ReadUserRegString(key, QStringLiteral("Ver")), QStringLiteral("101"));
    EXPECT_EQ(ReadUserRegString(key, QStringLiteral("Name")), QStringLiteral("軸組 , \"Ｎ\""));
    EXPECT_EQ(ReadUserRegString(key, QStringLiteral("Missing")), QString());

    // A deeper key is a separate place; "/" separates like "\".
    const QString deeper = QStringLiteral("Software/ヘルミナ/VELM-RQX/Sub");
    EXPECT_EQ(ReadUserRegString(deeper, QStringLiteral("Ver")), QString());
    EXPECT_TRUE(WriteUserRegString(deeper, QStringLiteral("Ver"), QStringLiteral("sub")));
    EXPECT_EQ(ReadUserRegString(deeper, QStringLiteral("Ver")), QStringLiteral("sub"));
    EXPECT_EQ(ReadUserRegString(key, QStringLiteral("Ver")), QStringLiteral("101"));

    EXPECT_FALSE(WriteUserRegString(QString(), QStringLiteral("Ver"), QStringLiteral("x")));
}

}  // namespace
}  // namespace rqx
