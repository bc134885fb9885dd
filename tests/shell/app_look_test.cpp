#include "widgets/app_look.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "shell/ui/main_form.h"
#include "shell/ui/text_values.h"

namespace rqx {
namespace {

class AppLookTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetUpApplicationLook(*QCoreApplication::instance()); }
};

TEST_F(AppLookTest, StandardButtonsSpeakJapanese)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("t"), QStringLiteral("x"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")));
    EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("キャンセル")));
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);
}

TEST_F(AppLookTest, WindowsFontNamesResolveToJapaneseFonts)
{
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    ASSERT_FALSE(japanese.isEmpty());
    for (const char *name : {"ＭＳ 明朝", "ＭＳ ゴシック", "ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック", "MS Gothic"}) {
        const QFontInfo info(QFont(QString::fromUtf8(name), 10));
        EXPECT_TRUE(japanese.contains(info.family())) << name << " → " << info.family().toStdString();
    }
}

TEST_F(AppLookTest, ArtworkIsBundled)
{
    EXPECT_FALSE(AppIcon().isNull());
    for (const QString &key : ToolbarKeys())
        EXPECT_FALSE(ToolbarIcon(key).isNull()) << key.toStdString();
    EXPECT_TRUE(ToolbarIcon(QStringLiteral("Nothing")).isNull());
    for (int k = 0; k <= 3; ++k)
        EXPECT_FALSE(DivisionPicture(k).isNull()) << k;
    EXPECT_TRUE(DivisionPicture(4).isNull());
    const QCursor hand = HandCursor();
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_FALSE(hand.pixmap().isNull());
}

TEST_F(AppLookTest, HandCursorGoesOnButtonsOptionButtonsAndDropDownsOnly)
{
    QWidget root;
    auto *layout = new QVBoxLayout(&root);
    auto *button = new QPushButton(&root);
    auto *option = new QRadioButton(&root);
    auto *combo = new QComboBox(&root);
    auto *edit = new QLineEdit(&root);
    for (QWidget *w : {static_cast<QWidget *>(button), static_cast<QWidget *>(option),
                       static_cast<QWidget *>(combo), static_cast<QWidget *>(edit)})
        layout->addWidget(w);
    ApplyHandCursor(&root);
    EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(option->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(combo->cursor().shape(), Qt::BitmapCursor);
    EXPECT_NE(edit->cursor().shape(), Qt::BitmapCursor);
}

TEST(TextValues, NumbersTypedIntoTheDialogs)
{
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("910")), 910.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral(" 12.5mm")), 12.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QString()), 0.0);

    int n = -1;
    EXPECT_TRUE(ParseWholeNumber(QStringLiteral(" 30 "), 1, 30, n));
    EXPECT_EQ(n, 30);
    for (const char *bad : {"31", "0", "1.5", "-2", "", "1e1", "１２"})
        EXPECT_FALSE(ParseWholeNumber(QString::fromUtf8(bad), 1, 30, n)) << bad;
    EXPECT_EQ(n, 30);  // untouched by refused texts

    double v = 0;
    EXPECT_TRUE(ParsePositiveNumber(QStringLiteral("909"), v));
    EXPECT_TRUE(ParsePositiveNumber(QStringLiteral(".5"), v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    for (const char *bad : {"0", "0.0", "-910", "abc", "", "910mm", "inf"})
        EXPECT_FALSE(ParsePositiveNumber(QString::fromUtf8(bad), v)) << bad;

    // Halves away from zero: 909 / 4 = 227.25 → 227.3; 0.909 m read back as 908.99994 mm → 909.
    EXPECT_EQ(FormatFixed(227.25, 1), QStringLiteral("227.3"));
    EXPECT_EQ(FormatFixed(908.99994, 0), QStringLiteral("909"));
    EXPECT_EQ(PitchLabel(910, 2), QStringLiteral("[303.3(mm)]"));
}

}  // namespace
}  // namespace rqx
