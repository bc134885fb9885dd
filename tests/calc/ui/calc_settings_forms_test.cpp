// The L-coefficient and orthogonal-beam dialogs: what OK stores, when the project counts as
// changed and the default buttons.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "calc/ui/calc_settings_forms.h"
#include "document/project_document.h"
#include "shell/modal_script.h"

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
        doc.project().grid.lCoefficientMode = c.start;
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

}  // namespace
}  // namespace rqx
