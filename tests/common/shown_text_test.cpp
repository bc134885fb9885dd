// Stored texts cut to their place: never a split character, start and end of a long line kept.
#include "common/shown_text.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace rqx;

TEST(ShownText, LongTextsAreCutToTheirPlaceAndMessagesKeepBothEnds)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8F\xA0");  // one character, two UTF-16 units
    struct Case {
        QString text;
        int limit;
        QString shown;
    };
    const Case cases[] = {
        {QStringLiteral("髙橋邸"), 3, QStringLiteral("髙橋邸")},
        {QStringLiteral("髙橋邸新築工事"), 4, QStringLiteral("髙橋邸…")},
        {QStringLiteral("ab") + emoji + QStringLiteral("cd"), 4, QStringLiteral("ab…")},  // no half pair
        {QString(32000, QChar(u'あ')), 50, QString(49, QChar(u'あ')) + QChar(0x2026)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ShownText(c.text, c.limit), c.shown) << c.text.left(10).toStdString();

    // A path of 300 characters keeps its folder's start and its file name; breaks stay as they were.
    const QString path = QStringLiteral("/home/") + QString(280, QChar(u'x')) + QStringLiteral("/邸.RQX");
    const QString fitted =
        FitMessageText(QStringLiteral("保存できません。\r\r") + path + QStringLiteral("\r終"), 40);
    const QStringList lines = fitted.split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("保存できません。"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(lines[2].size(), 40);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("/home/x")) &&
                lines[2].endsWith(QStringLiteral("x/邸.RQX")));
    EXPECT_EQ(lines[3], QStringLiteral("終"));
    // A text of endless lines ends after the line count.
    const QString many = QStringLiteral("行\n").repeated(1000);
    EXPECT_EQ(FitMessageText(many, 100, 40), QStringLiteral("行\n").repeated(40) + QChar(0x2026));
}
