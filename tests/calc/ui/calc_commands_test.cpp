// The main window's commands of the calculation dialogs: enabled, tied to their dialogs, the project
// marked changed as the dialogs report, the status-bar panels refreshed.
#include <QAction>
#include <QLineEdit>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>

#include "calc/ui/calc_commands.h"
#include "calc/ui/calc_settings_forms.h"
#include "calc/ui/kanamono_set_form.h"
#include "document/project_document.h"
#include "shell/modal_script.h"
#include "shell/shell_fixture.h"
#include "shell/ui/main_form.h"

namespace rqx {
namespace {

using test::ModalScript;

class CalcCommandsTest : public test::ShellFixture {};

TEST_F(CalcCommandsTest, SettingsCommandsMarkRealChangesAndRefreshThePanels)
{
    ProjectDocument doc;
    MainForm window(doc, state);
    InstallCalcCommands(window, doc);
    for (const char *key : {"Kanamono", "OsaeKeisu", "CrossG", "MenuEditSettei_Kaidaka"})
        EXPECT_TRUE(window.toolbarAction(QString::fromLatin1(key))->isEnabled()) << key;
    ModalScript script;
    script.on<CrossGSetForm>([](CrossGSetForm *d) { d->command(0)->click(); })
        .on<CrossGSetForm>([](CrossGSetForm *d) {
            d->option(0)->click();
            d->command(0)->click();
        })
        .on<OsaekeisuSetForm>([](OsaekeisuSetForm *d) {
            d->methodOption(1)->click();
            d->command(2)->click();  // also the default for new projects
            d->command(0)->click();
        })
        .answer(QMessageBox::Ok)
        .on<KanamonoSetForm>([](KanamonoSetForm *d) { d->cancelButton()->click(); })
        .answer(QMessageBox::Yes);  // exit without saving
    window.toolbarAction(QStringLiteral("CrossG"))->trigger();
    EXPECT_FALSE(doc.isDirty());  // OK without a change
    window.toolbarAction(QStringLiteral("CrossG"))->trigger();
    EXPECT_TRUE(doc.isDirty());
    EXPECT_EQ(doc.project().grid.crossBeamIgnored, 1);
    EXPECT_EQ(window.statusPanel(6)->text(), QStringLiteral(" 非考慮"));
    EXPECT_EQ(window.statusPanel(3)->text(), QStringLiteral(" 『二年目施行』 による"));
    window.toolbarAction(QStringLiteral("OsaeKeisu"))->trigger();
    EXPECT_EQ(window.statusPanel(3)->text(), QStringLiteral(" ユーザー設定"));
    window.toolbarAction(QStringLiteral("Kanamono"))->trigger();
    window.show();
    window.close();
    EXPECT_TRUE(script.finished());
    AppState next;  // the defaults file written at exit
    next.programDir = state.programDir;
    ReadDefaults(next);
    EXPECT_EQ(next.defaultSettings[6], 1);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
}

TEST_F(CalcCommandsTest, StoreyHeightsFromTheSettingsMenu)
{
    ProjectDocument doc;
    MainForm window(doc, state);
    InstallCalcCommands(window, doc);
    QAction *item = window.toolbarAction(QStringLiteral("MenuEditSettei_Kaidaka"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(window.settingsMenu()->actions().last(), item);
    ModalScript script;
    script.on<KaidakaSetForm>([](KaidakaSetForm *d) {
        d->height(0)->setText(QStringLiteral("3500"));
        d->height(1)->setText(QStringLiteral("2800"));
        d->command(0)->click();
    });
    item->trigger();
    EXPECT_TRUE(doc.isDirty());
    EXPECT_EQ(doc.project().info.levelHeight[1], 3500);
    EXPECT_EQ(doc.project().info.levelHeight[2], 2800);
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    doc.markSaved();  // no exit question
}

}  // namespace
}  // namespace rqx
