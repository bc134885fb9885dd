#include "shell/ui/data_select_form.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "shell/modal_script.h"
#include "shell/shell_fixture.h"
#include "widgets/message.h"

namespace rqx {
namespace {

using test::ModalScript;

class DataSelectFormTest : public test::ShellFixture {};

const QString kExitText = QStringLiteral("『 VELM-RQX /軸組Ｎ値算定 』 を終了します");

TEST_F(DataSelectFormTest, WithoutHistoryOnlyOtherNewAndExitAreOffered)
{
    DataSelectForm form(state);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("VELM-RQX /軸組Ｎ値算定  <データ選択>"));
    const QStringList captions = {"選  択", "終  了", "その他のデータ", "新規作成"};
    const QStringList tips = {"現在反転表示のデータを選択", "VELM-RQX を終了します",
                              "リストにない VELM-RQX データの選択", "新規データの作成"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(form.choiceButton(i)->text(), captions[i]);
        EXPECT_EQ(form.choiceButton(i)->toolTip(), tips[i]);
        EXPECT_EQ(form.choiceButton(i)->cursor().shape(), Qt::BitmapCursor);  // the hand
    }
    EXPECT_EQ(form.historyClearButton()->text(), QStringLiteral("履歴ｸﾘｱｰ"));
    EXPECT_EQ(form.historyClearButton()->toolTip(), QStringLiteral("データ履歴リストをクリアーします"));
    EXPECT_FALSE(form.choiceButton(0)->isEnabled());
    EXPECT_FALSE(form.historyClearButton()->isEnabled());
    EXPECT_TRUE(form.choiceButton(1)->isEnabled());
    EXPECT_EQ(form.currentRow(), 0);

    // Header row plus ten numbered rows; column widths 0.38 / 0.62 of the rest, less 120 twips.
    QTableWidget *grid = form.grid();
    EXPECT_EQ(grid->rowCount(), 10);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("データ名"));
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("建 物 名"));
    EXPECT_EQ(grid->verticalHeaderItem(9)->text(), QStringLiteral("10"));
    EXPECT_EQ(grid->verticalHeader()->width(), 350 / 15);
    const int rest = grid->width() - grid->verticalHeader()->width() - 2 * grid->frameWidth();
    EXPECT_NEAR(grid->columnWidth(0), 0.38 * rest, 1.0);
    EXPECT_NEAR(grid->columnWidth(1), 0.62 * rest - 8, 1.0);
}

TEST_F(DataSelectFormTest, NewOtherAndExitSetTheChoice)
{
    {
        DataSelectForm form(state);
        form.choiceButton(3)->click();
        EXPECT_EQ(form.startChoice(), kStartNew);
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
    {
        DataSelectForm form(state);
        form.choiceButton(2)->click();
        EXPECT_EQ(form.startChoice(), kStartOpenOther);
    }
    {
        DataSelectForm form(state);
        form.show();
        ModalScript script;
        script.ignore(&form).answer(QMessageBox::Cancel).answer(QMessageBox::Ok);
        form.choiceButton(1)->click();  // Cancel: the dialog stays
        EXPECT_EQ(form.startChoice(), kStartNone);
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(&form, Qt::Key_Escape);  // Esc asks the same; OK ends
        EXPECT_EQ(form.startChoice(), kStartExit);
        EXPECT_FALSE(form.isVisible());
        ASSERT_EQ(script.boxes().size(), 2u);
        for (const auto &box : script.boxes()) {
            EXPECT_EQ(box.title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
            EXPECT_EQ(box.text, kExitText);
            EXPECT_EQ(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        }
        EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    }
}

TEST_F(DataSelectFormTest, HistoryRowsCurrentCellColoursAndChoices)
{
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    const QString b = makeProjectFile(QStringLiteral("b.RQX"), QStringLiteral("B邸"));
    const QString missing = path(QStringLiteral("gone.RQX"));
    writeHistory({a, b, missing});

    DataSelectForm form(state);
    form.show();
    QTableWidget *grid = form.grid();
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("a.RQX"));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("B2"));
    EXPECT_EQ(grid->item(2, 0)->text(), QStringLiteral("gone.RQX"));
    EXPECT_TRUE(grid->item(3, 0)->text().isEmpty());
    EXPECT_TRUE(form.choiceButton(0)->isEnabled());
    EXPECT_TRUE(form.historyClearButton()->isEnabled());

    // Current cell: row 1, column 1 in palette 9 with white text; the others white with black text.
    EXPECT_EQ(form.currentRow(), 1);
    EXPECT_EQ(grid->item(0, 0)->background().color(), QColor(0, 0, 255));
    EXPECT_EQ(grid->item(0, 0)->foreground().color(), QColor(255, 255, 255));
    EXPECT_EQ(grid->item(0, 1)->background().color(), QColor(255, 255, 255));

    // A row below the last entry takes the last entry instead.
    grid->setCurrentCell(6, 1);
    EXPECT_EQ(form.currentRow(), 3);
    EXPECT_EQ(grid->currentColumn(), 1);
    EXPECT_EQ(grid->item(2, 1)->background().color(), QColor(0, 0, 255));
    EXPECT_EQ(grid->item(0, 0)->background().color(), QColor(255, 255, 255));
    EXPECT_EQ(grid->item(0, 0)->foreground().color(), QColor(0, 0, 0));

    // "選  択" on the missing file: the message, and the dialog stays.
    ModalScript script;
    script.ignore(&form).answer(QMessageBox::Ok).answer(QMessageBox::Ok);
    form.choiceButton(0)->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.startChoice(), kStartNone);
    // Enter on the same row refuses it the same way.
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(script.boxes().size(), 2u);
    const QString expected = QStringLiteral("選択したデータファイル：\n\n") + missing +
                             QStringLiteral("\n\nが見つかりませんでした。");
    EXPECT_EQ(script.boxes()[0].text, expected);
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
    EXPECT_EQ(script.boxes()[1].text, expected);

    // Enter on row 2 chooses it.
    grid->setCurrentCell(1, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(form.startChoice(), 2);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
}

TEST_F(DataSelectFormTest, SelectAndDoubleClickOpenAnExistingEntry)
{
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    writeHistory({a});
    {
        DataSelectForm form(state);
        form.choiceButton(0)->click();
        EXPECT_EQ(form.startChoice(), 1);
    }
    {
        DataSelectForm form(state);
        form.show();
        QTableWidget *grid = form.grid();
        const QRect cell = grid->visualItemRect(grid->item(0, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        EXPECT_EQ(form.startChoice(), 1);
    }
}

TEST_F(DataSelectFormTest, AnEntryThatIsNoProjectFileIsRefusedWithTheFileCheckMessage)
{
    QFile text(path(QStringLiteral("note.RQX")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("just text");
    text.close();
    writeHistory({text.fileName()});
    DataSelectForm form(state);
    form.show();
    ModalScript script;
    script.ignore(&form).answer(QMessageBox::Ok);
    QTest::keyClick(form.grid(), Qt::Key_Enter);
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text,
              QStringLiteral("このファイルは、[ VELM-RQX /軸組Ｎ値算定 ] のデータではありません。\n\n"
                             "File Name: note.RQX"));
}

TEST_F(DataSelectFormTest, ClearingTheHistoryAsksFirst)
{
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    writeHistory({a, a + QStringLiteral("x")});
    DataSelectForm form(state);
    form.show();
    ModalScript script;
    script.ignore(&form).answer(QMessageBox::Cancel).answer(QMessageBox::Ok);
    form.historyClearButton()->click();
    EXPECT_EQ(state.history.size(), 2);
    form.historyClearButton()->click();
    EXPECT_TRUE(state.history.isEmpty());
    EXPECT_TRUE(form.grid()->item(0, 0)->text().isEmpty());
    EXPECT_FALSE(form.choiceButton(0)->isEnabled());
    EXPECT_FALSE(form.historyClearButton()->isEnabled());
    EXPECT_EQ(form.focusWidget(), form.choiceButton(1));
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("確認メッセージ"));
    EXPECT_EQ(script.boxes()[0].text, QStringLiteral("データ履歴をクリアーします。"));
}

}  // namespace
}  // namespace rqx
