// The project dialogs: NewData, TatemonoGaiyoChange, LineNameSetForm, GridSizeChange.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "document/project_document.h"
#include "shell/modal_script.h"
#include "shell/shell_fixture.h"
#include "shell/ui/grid_size_form.h"
#include "shell/ui/line_name_set_form.h"
#include "shell/ui/new_data_form.h"
#include "shell/ui/tatemono_gaiyo_form.h"
#include "support/writable_project.h"

namespace rqx {
namespace {

using test::ModalScript;

class ProjectDialogsTest : public test::ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        SetStartupDimensions(project, 10);
        ResetProject(project);
    }
};

TEST_F(ProjectDialogsTest, NewDataStartsWithTheDefaultsAndTheirPitches)
{
    NewData d(project, state);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("VELM-RQX /軸組Ｎ値算定   新規データ"));
    EXPECT_TRUE(d.storeyOption(1)->isChecked());
    EXPECT_TRUE(d.divisionOption(1)->isChecked());
    EXPECT_EQ(d.moduleCountList(0)->count(), 30);
    EXPECT_EQ(d.moduleCountList(0)->itemText(29), QStringLiteral("30"));
    EXPECT_EQ(d.moduleCountList(1)->currentText(), QStringLiteral("10"));
    EXPECT_EQ(d.moduleLengthList()->currentText(), QStringLiteral("910"));
    EXPECT_EQ(d.moduleLengthList()->count(), 5);
    // 910 / 1, 2, 3, 4
    const QStringList pitches = {"[910.0(mm)]", "[455.0(mm)]", "[303.3(mm)]", "[227.5(mm)]"};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(d.pitchLabel(k)->text(), pitches[k]);
    d.moduleLengthList()->setEditText(QStringLiteral("1000"));
    const QStringList thousand = {"[1000.0(mm)]", "[500.0(mm)]", "[333.3(mm)]", "[250.0(mm)]"};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(d.pitchLabel(k)->text(), thousand[k]);
    d.moduleLengthList()->setCurrentIndex(1);  // 909 picked from the list: 909 / 4 = 227.25 → 227.3
    EXPECT_EQ(d.pitchLabel(3)->text(), QStringLiteral("[227.3(mm)]"));

    EXPECT_EQ(d.nameBox(0)->maxLength(), 50);
    EXPECT_EQ(d.nameBox(1)->maxLength(), 16);
    EXPECT_EQ(d.nameBox(2)->maxLength(), 16);
    EXPECT_EQ(d.nameBox(0)->toolTip(), QStringLiteral("最大文字数は、５０文字です"));
    EXPECT_EQ(d.nameBox(2)->toolTip(), QStringLiteral("最大文字数は、１６文字です"));
    EXPECT_EQ(d.cancelButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    // The picture follows the sub-grid choice.
    const QImage two = d.divisionPicture()->pixmap().toImage();
    d.divisionOption(3)->setChecked(true);
    EXPECT_FALSE(d.divisionPicture()->pixmap().isNull());
    EXPECT_NE(d.divisionPicture()->pixmap().toImage(), two);
}

TEST_F(ProjectDialogsTest, NewDataUnchangedGivesTwentyByTwentyHalfModules)
{
    project.info.hideOfficeOnCover = 1;  // nothing of the previous project is carried over
    project.info.buildingName = QStringLiteral("前");
    state.defaultSettings[0] = 3;
    state.defaultSettings[6] = 1;
    NewData d(project, state);
    d.okButton()->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(project.info.floorCount, 2);
    EXPECT_EQ(project.info.spanCountX, 20);
    EXPECT_EQ(project.info.spanCountY, 20);
    EXPECT_EQ(project.info.divisions, 2);
    EXPECT_FLOAT_EQ(project.dims.spanLength, 0.455f);
    EXPECT_TRUE(project.info.buildingName.isEmpty());
    EXPECT_EQ(project.info.hideOfficeOnCover, 0);
    EXPECT_EQ(project.grid.lineStyleX, 3);
    EXPECT_EQ(project.grid.lCoefficientMode, 1);
    EXPECT_EQ(project.grid.useDoublePull, 1);
}

TEST_F(ProjectDialogsTest, NewDataRefusesCountsAndModulesItCannotUse)
{
    NewData d(project, state);
    d.show();
    ModalScript script;
    script.ignore(&d).answer(QMessageBox::Ok).answer(QMessageBox::Ok).answer(QMessageBox::Ok);
    d.moduleCountList(0)->setEditText(QStringLiteral("31"));
    d.okButton()->click();
    d.moduleCountList(0)->setEditText(QStringLiteral("12"));
    d.moduleCountList(1)->setEditText(QStringLiteral("abc"));
    d.okButton()->click();
    d.moduleCountList(1)->setEditText(QStringLiteral("5"));
    d.moduleLengthList()->setEditText(QStringLiteral("0"));
    d.okButton()->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(project.info.spanCountX, 20);  // untouched
    ASSERT_EQ(script.boxes().size(), 3u);
    EXPECT_EQ(script.boxes()[0].text,
              QStringLiteral("グリッド数は、1 から 30 までの整数で入力してください。"));
    EXPECT_EQ(script.boxes()[1].text, script.boxes()[0].text);
    EXPECT_EQ(script.boxes()[2].text,
              QStringLiteral("グリッド長は、1～100000 の数値 (mm) で入力してください。"));
    EXPECT_EQ(script.boxes()[2].title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));

    d.moduleLengthList()->setEditText(QStringLiteral("955.5"));
    d.divisionOption(0)->setChecked(true);
    d.okButton()->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(project.info.divisions, 1);  // "0" sub-grid lines: spans equal the module
    EXPECT_EQ(project.info.spanCountX, 12);
    EXPECT_EQ(project.info.spanCountY, 5);
    EXPECT_FLOAT_EQ(project.dims.spanLength, 0.9555f);
}

TEST_F(ProjectDialogsTest, NewDataCancelChangesNothing)
{
    NewData d(project, state);
    d.moduleCountList(0)->setEditText(QStringLiteral("3"));
    d.cancelButton()->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(project.info.spanCountX, 20);
}

TEST_F(ProjectDialogsTest, BuildingOutlineEditsNamesAndCoverSwitches)
{
    project.info.buildingName = QStringLiteral("山田邸");
    project.info.hideDateOnCover = 1;
    {
        TatemonoGaiyoChange d(project, state);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("VELM-RQX /軸組Ｎ値算定"));
        EXPECT_EQ(d.nameBox(0)->text(), QStringLiteral("山田邸"));
        EXPECT_FALSE(d.coverCheck(0)->isChecked());
        EXPECT_TRUE(d.coverCheck(1)->isChecked());
        EXPECT_EQ(d.coverCheck(0)->text(), QStringLiteral("表紙に事務所名・担当者名を表示しない"));
        EXPECT_EQ(d.nameBox(1)->maxLength(), 16);
        d.nameBox(1)->setText(QStringLiteral("設計室"));
        d.cancelButton()->click();
        EXPECT_TRUE(project.info.officeName.isEmpty());
        EXPECT_EQ(d.result(), QDialog::Rejected);
    }
    {
        TatemonoGaiyoChange d(project, state);
        d.nameBox(1)->setText(QStringLiteral("設計室"));
        d.coverCheck(0)->setChecked(true);
        d.coverCheck(1)->setChecked(false);
        d.okButton()->click();
        EXPECT_EQ(project.info.officeName, QStringLiteral("設計室"));
        EXPECT_EQ(project.info.hideOfficeOnCover, 1);
        EXPECT_EQ(project.info.hideDateOnCover, 0);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
    // OK without a change is still an OK: the caller marks the project changed.
    TatemonoGaiyoChange d(project, state);
    d.okButton()->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(ProjectDialogsTest, LineNameDialogShowsTheStoredOptions)
{
    project.grid.lineStyleX = 4;
    project.grid.lineStartX = 7;
    project.grid.lineReverseX = 1;
    project.grid.lineStyleY = 0;  // read as style 1 from 1
    project.grid.lineStartY = 9;
    LineNameSetForm d(project, state);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("VELM-RQX /軸組Ｎ値算定   通り名の設定"));
    EXPECT_TRUE(d.xStyleOption(3)->isChecked());
    EXPECT_TRUE(d.reverseCheck(0)->isChecked());
    EXPECT_EQ(d.reverseCheck(0)->toolTip(), QStringLiteral("右端を始点として通り名を付けます"));
    EXPECT_EQ(d.reverseCheck(1)->toolTip(), QStringLiteral("上端を始点として通り名を付けます"));
    EXPECT_EQ(d.startNumberBox(1)->text(), QStringLiteral("7"));
    EXPECT_TRUE(d.startNumberBox(1)->isEnabled());
    EXPECT_TRUE(d.startLabel(1)->isEnabled());
    EXPECT_TRUE(d.startNumberBox(0)->text().isEmpty());
    EXPECT_FALSE(d.startNumberBox(0)->isEnabled());
    EXPECT_EQ(d.startNumberBox(1)->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(d.startNumberBox(0)->palette().color(QPalette::Base), d.palette().color(QPalette::Button));
    EXPECT_TRUE(d.yStyleOption(0)->isChecked());
    EXPECT_EQ(d.startNumberBox(2)->text(), QStringLiteral("1"));
    EXPECT_EQ(project.grid.lineStyleY, 1);
    EXPECT_EQ(d.startNumberBox(0)->maxLength(), 3);
    EXPECT_EQ(d.yStyleOption(0)->text(), QStringLiteral("Y1 Y2･･･"));
    EXPECT_EQ(d.okButton()->text(), QStringLiteral("O K"));

    // Style 1 for X: its empty box becomes "1" and the style-4 box is disabled; style 2 disables both.
    d.xStyleOption(0)->click();
    EXPECT_EQ(d.startNumberBox(0)->text(), QStringLiteral("1"));
    EXPECT_TRUE(d.startNumberBox(0)->isEnabled());
    EXPECT_FALSE(d.startNumberBox(1)->isEnabled());
    d.xStyleOption(1)->click();
    EXPECT_FALSE(d.startNumberBox(0)->isEnabled());
    EXPECT_FALSE(d.startNumberBox(1)->isEnabled());

    // OK: style 2 keeps the stored start.
    d.okButton()->click();
    EXPECT_EQ(project.grid.lineStyleX, 2);
    EXPECT_EQ(project.grid.lineStartX, 7);
    EXPECT_EQ(project.grid.lineReverseX, 1);
    EXPECT_EQ(project.grid.lineStartY, 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(ProjectDialogsTest, LineNameDialogRefusesBadStartNumbersAndTooManyLines)
{
    LineNameSetForm d(project, state);
    d.show();
    ModalScript script;
    script.ignore(&d).answer(QMessageBox::Ok).answer(QMessageBox::Ok).answer(QMessageBox::Ok);
    d.xStyleOption(0)->click();
    d.startNumberBox(0)->setText(QStringLiteral("-1"));
    d.okButton()->click();
    d.startNumberBox(0)->setText(QStringLiteral("1.5"));
    d.okButton()->click();
    EXPECT_TRUE(d.isVisible());
    d.startNumberBox(0)->setText(QStringLiteral("0"));

    // A loaded project larger than the dialogs allow: 80 spans of 2 divisions have 41 major lines.
    project.info.spanCountX = 80;
    RefreshDimensions(project);
    d.xStyleOption(1)->click();
    d.okButton()->click();
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(script.boxes().size(), 3u);
    EXPECT_EQ(script.boxes()[0].text,
              QStringLiteral("開始番号は、0 から 999 までの整数で入力してください。"));
    EXPECT_TRUE(script.boxes()[2].text.contains(QStringLiteral("36 本まで")))
        << script.boxes()[2].text.toStdString();
    EXPECT_TRUE(script.boxes()[2].text.contains(QStringLiteral("41 本")))
        << script.boxes()[2].text.toStdString();

    d.xStyleOption(0)->click();
    d.okButton()->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(project.grid.lineStartX, 0);
}

TEST_F(ProjectDialogsTest, LineNameDefaultsAreStoredAfterTheQuestion)
{
    state.defaultSettings = {};
    project.grid.lineStyleX = 1;
    project.grid.lineStartX = 1;
    project.grid.lineStyleY = 1;
    project.grid.lineStartY = 1;
    LineNameSetForm d(project, state);
    d.show();
    ModalScript script;
    script.ignore(&d).answer(QMessageBox::Cancel).answer(QMessageBox::Ok);
    d.xStyleOption(3)->click();
    d.startNumberBox(1)->setText(QStringLiteral("12"));
    d.yStyleOption(2)->click();
    d.reverseCheck(1)->setChecked(true);
    d.defaultButton()->click();
    EXPECT_EQ(state.defaultSettings[0], 0);
    d.defaultButton()->click();
    EXPECT_EQ(state.defaultSettings[0], 4);
    EXPECT_EQ(state.defaultSettings[1], 3);
    EXPECT_EQ(state.defaultSettings[2], 12);
    EXPECT_EQ(state.defaultSettings[3], 0);  // style 3 keeps the stored default start
    EXPECT_EQ(state.defaultSettings[4], 0);
    EXPECT_EQ(state.defaultSettings[5], 1);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(project.grid.lineStyleX, 1);  // the project is not changed
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("確認メッセージ"));
    EXPECT_EQ(script.boxes()[0].text,
              QStringLiteral("通り名のデフォルトを変更します。\n\n("
                             "変更したデフォルトは、次回新規データから有効になります。)"));
}

TEST_F(ProjectDialogsTest, GridSizeDialogShowsModulesAndTreats909AsUnchanged)
{
    project.info.moduleLength = 0.909f;  // reads back as 908.99994 mm
    RefreshDimensions(project);
    GridSizeChange d(project, state);
    EXPECT_EQ(d.gridSizeList(0)->currentText(), QStringLiteral("10"));
    EXPECT_EQ(d.gridSizeList(1)->currentText(), QStringLiteral("10"));
    EXPECT_EQ(d.gridSizeList(2)->currentText(), QStringLiteral("909"));
    EXPECT_EQ(d.gridSizeList(0)->count(), 30);
    EXPECT_EQ(d.gridSizeList(2)->count(), 5);
    ModalScript script;
    d.okButton()->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);  // nothing to apply
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(ProjectDialogsTest, GridSizeDialogAsksRefusesAndAsksTheDocumentToResize)
{
    project.nodes(20, 1, 1).brace[kDirX] = WallMember{3, 19, 20, kKeyKesa, 1, 3, 2.0f};
    project.nodes(19, 1, 1).brace[kDirX] = WallMember{3, 19, 20, kKeyKesa, 1, 1, 2.0f};
    GridSizeChange d(project, state);
    d.show();
    ModalScript script;
    script.ignore(&d)
        .answer(QMessageBox::Ok)      // refused count
        .answer(QMessageBox::Ok)      // refused module
        .answer(QMessageBox::Cancel)  // the question: dialog stays
        .answer(QMessageBox::Ok);
    d.gridSizeList(0)->setEditText(QStringLiteral("0"));
    d.okButton()->click();
    d.gridSizeList(0)->setEditText(QStringLiteral("9"));
    d.gridSizeList(2)->setEditText(QStringLiteral("-910"));
    d.okButton()->click();
    d.gridSizeList(2)->setEditText(QStringLiteral("1000"));
    d.okButton()->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(project.info.spanCountX, 20);
    d.okButton()->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(project.info.spanCountX, 20);  // the dialog only asks
    EXPECT_EQ(d.requested().spanCountX, 18);
    EXPECT_EQ(d.requested().spanCountY, 20);
    EXPECT_FLOAT_EQ(d.requested().moduleLength, 1.0f);
    ProjectDocument doc;
    doc.replaceProject(project);
    doc.resizeGrid(d.requested().spanCountX, d.requested().spanCountY, d.requested().moduleLength);
    const Project &resized = doc.project();
    EXPECT_EQ(resized.info.spanCountX, 18);
    EXPECT_FLOAT_EQ(resized.dims.spanLength, 0.5f);
    EXPECT_FLOAT_EQ(resized.coords(19, 1, 1).x, 9.0f);
    EXPECT_TRUE(doc.isDirty());
    // The brace over spans 19..20 lies beyond the new edge (node 19) and is gone.
    EXPECT_EQ(resized.nodes(19, 1, 1).brace[kDirX], WallMember{});
    ASSERT_EQ(script.boxes().size(), 4u);
    // The question says what the shrink removes: the brace's two spans.
    EXPECT_EQ(script.boxes()[2].text, QStringLiteral("データ入力グリッドサイズを変更します。\n\n"
                                                     "範囲外となる部材 2 か所（耐力壁 2 スパン）が消去されます。"));
    EXPECT_EQ(script.boxes()[2].title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
    EXPECT_EQ(script.boxes()[1].text,
              QStringLiteral("グリッド長は、1～100000 の数値 (mm) で入力してください。"));
}

}  // namespace
}  // namespace rqx
