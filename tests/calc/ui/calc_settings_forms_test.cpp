// The L-coefficient, orthogonal-beam and storey-height dialogs: what OK stores, when the project
// counts as changed and the default buttons.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "calc/ui/calc_settings_forms.h"
#include "document/project_document.h"
#include "shell/modal_script.h"
#include "support/sample_houses.h"
#include "support/writable_project.h"

namespace rqx {
namespace {

using test::ModalScript;

TEST(CalcSettingsFormsTest, LCoefficientOkAlwaysMarksTheProjectChanged)
{
    struct Case {
        int start, chosen, button;  // button: 0 OK, 1 ｷｬﾝｾﾙ
        int mode, cancelled;
        bool dirty;
    };
    const Case cases[] = {{0, 0, 0, 0, 0, true}, {0, 1, 0, 1, 0, true}, {1, 0, 1, 1, 1, false}};
    for (const Case &c : cases) {
        AppState state;
        ProjectDocument doc;
        rqx::test::Writable(doc).grid.lCoefficientMode = c.start;
        OsaekeisuSetForm d(doc, state);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("VELM-RQX /軸組Ｎ値算定   押さえ係数設定"));
        EXPECT_TRUE(d.methodOption(c.start)->isChecked());
        d.methodOption(c.chosen)->click();
        d.command(c.button)->click();
        EXPECT_EQ(doc.project().grid.lCoefficientMode, c.mode);
        EXPECT_EQ(d.result(), c.cancelled ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(doc.isDirty(), c.dirty);
    }
}

TEST(CalcSettingsFormsTest, DefaultsChangeOnlyAfterTheQuestionAndLeaveTheProjectAlone)
{
    AppState state;
    ProjectDocument doc;
    OsaekeisuSetForm l(doc, state);
    CrossGSetForm g(doc, state, QString());
    l.methodOption(1)->click();
    // The warning choice is off while the transfer itself is not considered.
    EXPECT_TRUE(g.option(1)->isEnabled());
    g.option(0)->click();
    EXPECT_FALSE(g.option(1)->isEnabled());
    ModalScript script;
    script.answer(QMessageBox::Cancel).answer(QMessageBox::Ok).answer(QMessageBox::Ok);
    l.command(2)->click();
    EXPECT_EQ(state.defaultSettings[6], 0);
    l.command(2)->click();
    g.command(2)->click();
    EXPECT_EQ(state.defaultSettings[6], 1);
    EXPECT_EQ(state.defaultSettings[7], 1);
    EXPECT_EQ(state.defaultSettings[8], 0);
    const GridInfo &grid = doc.project().grid;
    EXPECT_EQ(grid.lCoefficientMode + grid.crossBeamIgnored + grid.crossBeamNoWarning, 0);
    EXPECT_FALSE(doc.isDirty());
    const QString note = QStringLiteral("\n\n(変更したデフォルトは、次回新規データから有効になります。)");
    ASSERT_EQ(script.boxes().size(), 3u);
    EXPECT_EQ(script.boxes()[1].title, QStringLiteral("確認メッセージ"));
    EXPECT_EQ(script.boxes()[1].text, QStringLiteral("押さえ係数Ｌの設定デフォルトを変更します。") + note);
    EXPECT_EQ(script.boxes()[2].text,
              QStringLiteral("直交梁による引抜き力伝達の設定デフォルトを変更します。") + note);

    // A new project takes the stored defaults.
    Project fresh;
    ApplyNewProjectDefaults(fresh, state);
    EXPECT_EQ(fresh.grid.lCoefficientMode, 1);
    EXPECT_EQ(fresh.grid.crossBeamIgnored, 1);
}

TEST(CalcSettingsFormsTest, StoreyHeightsChangeTheProjectAndItsResultsOnlyWhenAHeightChanges)
{
    struct Case {
        int32_t start1, start2;
        int set1, set2;  // -1: left as shown
        int button;      // 0 OK, 1 ｷｬﾝｾﾙ
        int32_t height1, height2;
        bool accepted;
        const char *corner;  // required class of (5,3) afterwards: 2.5 board at a corner
    };
    const Case cases[] = {
        {0, 0, 3500, -1, 0, 3500, 0, true, "(と)"},     // 2.0×3.50/2.7 − 0.4 = 2.19
        {3500, 0, 3500, 0, 0, 3500, 0, false, "(と)"},  // nothing changed: cancelled, not dirty
        {3500, 0, 3200, -1, 0, 3200, 0, true, "(ほ)"},  // 3.2 m: 2.0 − 0.4 = 1.6 as without heights
        {0, 0, 4000, 2800, 1, 0, 0, false, "(ほ)"},     // ｷｬﾝｾﾙ keeps the heights
        {0, 2950, -1, 0, 0, 0, 0, true, "(ほ)"},        // the stored H2 cleared
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.start1 << "/" << c.start2 << " -> " << c.set1 << "/" << c.set2);
        AppState state;
        ProjectDocument doc;
        Project house = samples::HandWorkedOneStorey();
        house.info.levelHeight[1] = c.start1;
        house.info.levelHeight[2] = c.start2;
        doc.replaceProject(house);
        EXPECT_EQ(doc.calculation().requiredClass(5, 3, 1),
                  QString::fromUtf8(c.start1 > 3200 ? "(と)" : "(ほ)"));
        KaidakaSetForm d(doc, state);
        EXPECT_EQ(d.height(0)->text(), c.start1 ? QString::number(c.start1) : QString());
        EXPECT_EQ(d.height(1)->text(), c.start2 ? QString::number(c.start2) : QString());
        EXPECT_FALSE(d.height(1)->isEnabled());  // one storey
        if (c.set1 >= 0)
            d.height(0)->setText(QString::number(c.set1));
        if (c.set2 >= 0)
            d.height(1)->setText(QString::number(c.set2));
        d.command(c.button)->click();
        EXPECT_EQ(d.result(), c.accepted ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(doc.isDirty(), c.accepted);
        EXPECT_EQ(doc.project().info.levelHeight[1], c.height1);
        EXPECT_EQ(doc.project().info.levelHeight[2], c.height2);
        // The results every view shows follow at once.
        EXPECT_EQ(doc.calculation().requiredClass(5, 3, 1), QString::fromUtf8(c.corner));
    }

    // H2 offered on two storeys; the default button: after the question only, for new projects only.
    AppState state;
    ProjectDocument doc;
    doc.replaceProject(samples::HandWorkedTwoStorey(0));
    KaidakaSetForm d(doc, state);
    EXPECT_TRUE(d.height(1)->isEnabled());
    d.height(0)->setText(QStringLiteral("2950"));
    d.height(1)->setText(QStringLiteral("3650"));
    ModalScript script;
    script.answer(QMessageBox::Ok);
    d.command(2)->click();
    EXPECT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(state.defaultSettings[9], 2950);
    EXPECT_EQ(state.defaultSettings[10], 3650);
    EXPECT_EQ(doc.project().info.levelHeight[1], 0);
    EXPECT_FALSE(doc.isDirty());
    Project fresh;
    ApplyNewProjectDefaults(fresh, state);
    EXPECT_EQ(fresh.info.levelHeight[1], 2950);
    EXPECT_EQ(fresh.info.levelHeight[2], 3650);
}

// Each height the field cannot mean is refused with its rule, names what was typed and changes
// nothing: no separator or sign dropped, no digit lost, metres typed in millimetres refused.
TEST(CalcSettingsFormsTest, StoreyHeightsTheFieldCannotMeanAreRefusedAndChangeNothing)
{
    struct Case {
        const char *h1, *h2;
        int field;  // the field named
    };
    const Case cases[] = {
        {"3.5", "", 0},       {"3,5", "", 0},   {"-100", "", 0},    {"99999999", "", 0},
        {"1999", "", 0},      {"6001", "", 0},  {"3500mm", "", 0},  {"3 500", "", 0},
        {"2800", "2.8", 1},   {"2800", "１．５", 1}, {"", "+3000", 1}, {"3500", "3,500", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.h1 << " / " << c.h2);
        AppState state;
        ProjectDocument doc;
        Project house = samples::HandWorkedTwoStorey(0);
        house.info.levelHeight[1] = 2900;
        doc.replaceProject(house);
        KaidakaSetForm d(doc, state);
        d.height(0)->setText(QString::fromUtf8(c.h1));
        d.height(1)->setText(QString::fromUtf8(c.h2));
        ModalScript script;
        script.answer(QMessageBox::Ok).answer(QMessageBox::Ok);
        d.command(0)->click();  // OK
        d.command(2)->click();  // デフォルトに設定
        ASSERT_EQ(script.boxes().size(), 2u);
        const QString typed = QString::fromUtf8(c.field == 0 ? c.h1 : c.h2).trimmed();
        const QString text = script.boxes()[0].text;
        EXPECT_TRUE(text.contains(QStringLiteral("「%1」").arg(typed))) << text.toStdString();
        EXPECT_TRUE(text.contains(c.field == 0 ? QStringLiteral("H1") : QStringLiteral("H2"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("2000～6000 mm"))) << text.toStdString();
        EXPECT_EQ(script.boxes()[1].text, text);  // the default button asks nothing: refused first
        EXPECT_EQ(d.result(), 0);  // still open
        EXPECT_EQ(doc.project().info.levelHeight[1], 2900);
        EXPECT_EQ(doc.project().info.levelHeight[2], 0);
        EXPECT_EQ(state.defaultSettings[9], 0);
        EXPECT_FALSE(doc.isDirty());
        EXPECT_EQ(doc.undoStack()->count(), 0);
    }
    // The edges of the range, full-width digits and 0 are what they say.
    AppState state;
    ProjectDocument doc;
    doc.replaceProject(samples::HandWorkedTwoStorey(0));
    KaidakaSetForm d(doc, state);
    d.height(0)->setText(QStringLiteral("６０００"));
    d.height(1)->setText(QStringLiteral("2000"));
    d.command(0)->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(doc.project().info.levelHeight[1], 6000);
    EXPECT_EQ(doc.project().info.levelHeight[2], 2000);
}

// A height change is one step of the history: Ctrl+Z puts the heights and the results back, Ctrl+Y
// brings them again, and the saved state is clean again after the undo.
TEST(CalcSettingsFormsTest, AHeightChangeUndoesAndRedoes)
{
    AppState state;
    ProjectDocument doc;
    doc.replaceProject(samples::HandWorkedOneStorey());
    doc.markSaved();
    KaidakaSetForm d(doc, state);
    d.height(0)->setText(QStringLiteral("3500"));
    d.command(0)->click();
    ASSERT_EQ(doc.project().info.levelHeight[1], 3500);
    EXPECT_EQ(doc.calculation().requiredClass(5, 3, 1), QStringLiteral("(と)"));
    EXPECT_TRUE(doc.isDirty());
    ASSERT_TRUE(doc.canUndo());
    EXPECT_EQ(doc.undoStack()->undoText(), QStringLiteral("階高の設定"));
    doc.undo();
    EXPECT_EQ(doc.project().info.levelHeight[1], 0);
    EXPECT_EQ(doc.calculation().requiredClass(5, 3, 1), QStringLiteral("(ほ)"));
    EXPECT_FALSE(doc.isDirty());
    doc.redo();
    EXPECT_EQ(doc.project().info.levelHeight[1], 3500);
    EXPECT_EQ(doc.calculation().requiredClass(5, 3, 1), QStringLiteral("(と)"));
    EXPECT_TRUE(doc.isDirty());
}

}  // namespace
}  // namespace rqx
