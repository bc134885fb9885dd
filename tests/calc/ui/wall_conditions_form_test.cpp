// 壁量計算の条件: bad values are refused naming the field and change nothing; good ones are one
// undoable step; OK without a change is no step; the defaults reach new projects only.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "calc/calc_settings.h"
#include "calc/ui/wall_commands.h"
#include "calc/ui/wall_conditions_form.h"
#include "document/project_document.h"
#include "shell/modal_script.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"

namespace rqx {
namespace {

using test::ModalScript;

TEST(WallConditionsFormTest, BadValuesAreRefusedAndChangeNothing)
{
    AppState state;
    ProjectDocument doc;
    doc.replaceProject(samples::HandWorkedWallHouse());
    struct Case {
        int field;  // 0..2 Lw, 3 C
        const char *typed;
        const char *named;
    };
    const Case cases[] = {
        {0, "abc", "「１階の Lw」に入力された「abc」は使えません。"},
        {1, "-30", "「２階の Lw」に入力された「-30」は使えません。"},
        {1, "3,5", "「２階の Lw」に入力された「3,5」は使えません。"},
        {2, "151", "「平屋部分の Lw」に入力された「151」は使えません。"},
        {2, "", "「平屋部分の Lw」を入力してください。"},
        {3, "49", "「風圧力の係数 C」に入力された「49」は使えません。"},
        {3, "76", "「風圧力の係数 C」に入力された「76」は使えません。"},
    };
    for (const Case &c : cases) {
        WallConditionsForm d(doc, state);
        d.lwField(0)->setText(QStringLiteral("46"));
        d.lwField(1)->setText(QStringLiteral("30"));
        d.lwField(2)->setText(QStringLiteral("38"));
        QLineEdit *field = c.field < 3 ? d.lwField(c.field) : d.windField();
        field->setText(QString::fromUtf8(c.typed));
        ModalScript script;
        script.answer(QMessageBox::Ok);
        d.command(0)->click();
        ASSERT_EQ(script.boxes().size(), 1u) << c.typed;
        EXPECT_TRUE(script.boxes()[0].text.startsWith(QString::fromUtf8(c.named))) << script.boxes()[0].text.toStdString();
        EXPECT_EQ(d.result(), 0) << "the dialog stays open";
        EXPECT_EQ(doc.undoStack()->count(), 0);
        EXPECT_FALSE(doc.isDirty());
        EXPECT_FALSE(HasWallInputs(doc.project()));
    }
}

TEST(WallConditionsFormTest, OkMakesOneUndoableStepOnlyWhenSomethingChanged)
{
    AppState state;
    ProjectDocument doc;
    doc.replaceProject(samples::HandWorkedWallHouse());
    WallStatusPanel panel(doc);
    EXPECT_EQ(panel.text(), QStringLiteral(" 壁量 X － / Y － (条件未入力) "));
    {
        WallConditionsForm d(doc, state);
        d.lwField(0)->setText(QStringLiteral("46"));
        d.lwField(1)->setText(QStringLiteral("30"));
        d.lwField(2)->setText(QStringLiteral("38"));
        d.lwSourceField()->setText(QStringLiteral("早見表"));
        d.roofKindChoice()->setCurrentIndex(1);
        d.roofField(0)->setText(QStringLiteral("1500"));
        d.roofField(1)->setText(QStringLiteral("600"));
        d.roofField(2)->setText(QStringLiteral("450"));
        d.command(0)->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
    EXPECT_EQ(doc.undoStack()->count(), 1);
    EXPECT_TRUE(doc.isDirty());
    const WallInputs in = ReadWallInputs(doc.project());
    EXPECT_EQ(in.lw, (std::array<double, 3>{46.0, 30.0, 38.0}));
    EXPECT_EQ(in.lwSource, QStringLiteral("早見表"));
    EXPECT_EQ(in.roof, (RoofDescription{RoofKind::Gable, kDirX, 1500, 600, 450}));
    // The status bar follows: storey 1 short along Y, in red; storey 2 passes.
    EXPECT_EQ(panel.text(), QStringLiteral(" 壁量 X 2.22 / Y 0.51 "));
    EXPECT_TRUE(panel.showsShort());
    doc.setCurrentFloor(2);
    EXPECT_EQ(panel.text(), QStringLiteral(" 壁量 X 2.56 / Y 2.23 "));
    EXPECT_FALSE(panel.showsShort());
    {
        WallConditionsForm d(doc, state);  // shows what is stored; OK changes nothing
        EXPECT_EQ(d.lwField(1)->text(), QStringLiteral("30"));
        d.command(0)->click();
        EXPECT_EQ(d.result(), QDialog::Rejected);
    }
    EXPECT_EQ(doc.undoStack()->count(), 1);
    doc.undo();
    EXPECT_FALSE(doc.isDirty());
    EXPECT_FALSE(HasWallInputs(doc.project()));
    EXPECT_EQ(panel.text(), QStringLiteral(" 壁量 X － / Y － (条件未入力) "));
}

TEST(WallConditionsFormTest, DefaultsReachNewProjectsOnly)
{
    AppState state;
    ProjectDocument doc;
    WallConditionsForm d(doc, state);
    d.c0Choice()->setCurrentIndex(1);
    d.windField()->setText(QStringLiteral("60"));
    ModalScript script;
    script.answer(QMessageBox::Ok);
    d.command(2)->click();
    EXPECT_EQ(state.defaultSettings[kDefaultWallC0], 3);
    EXPECT_EQ(state.defaultSettings[kDefaultWindC], 60);
    EXPECT_FALSE(HasWallInputs(doc.project()));
    Project fresh = samples::NewProject(4, 4);
    ApplyWallInputDefaults(fresh, state);
    EXPECT_EQ(ReadWallInputs(fresh).c0, 0.3);
    EXPECT_EQ(ReadWallInputs(fresh).windC, 60.0);
    // Built-in defaults write nothing into a new project's spare table.
    Project plain = samples::NewProject(4, 4);
    ApplyWallInputDefaults(plain, AppState{});
    EXPECT_FALSE(HasWallInputs(plain));
}

}  // namespace
}  // namespace rqx
