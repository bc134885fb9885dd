#include "shell/ui/main_form.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QCheckBox>
#include <QToolBar>

#ifndef Q_OS_WIN
#include <sys/mount.h>
#include <unistd.h>
#endif

#include "shell/modal_script.h"
#include "shell/shell_fixture.h"
#include "shell/ui/data_select_form.h"
#include "shell/ui/grid_size_form.h"
#include "shell/ui/line_name_set_form.h"
#include "shell/ui/new_data_form.h"

namespace rqx {
namespace {

using test::ModalScript;

const QString kTitle = QStringLiteral("VELM-RQX /軸組Ｎ値算定");

QStringList MenuTexts(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        if (!a->isSeparator())
            out << a->text();
    return out;
}

class MainFormTest : public test::ShellFixture {
protected:
    // The file dialogs answer with the queued paths ("" = cancel) and record what they were asked.
    void answerFileDialogs(MainForm &form)
    {
        form.setFileChooser([this](QWidget *, const FileDialogRequest &r) {
            requests.push_back(r);
            return chosen.isEmpty() ? QString() : chosen.takeFirst();
        });
    }

    static void fillNewData(NewData *d, const QString &x, const QString &y, const QString &module, int sub,
                            int storeys, const QString &building)
    {
        d->moduleCountList(0)->setEditText(x);
        d->moduleCountList(1)->setEditText(y);
        d->moduleLengthList()->setEditText(module);
        d->divisionOption(sub)->setChecked(true);
        d->storeyOption(storeys - 1)->setChecked(true);
        d->nameBox(0)->setText(building);
        d->okButton()->click();
    }

    std::vector<FileDialogRequest> requests;
    QStringList chosen;
};

TEST_F(MainFormTest, WindowHasTheMenusToolbarAndStatusBarOfTheShell)
{
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    writeHistory({a, path(QStringLiteral("b.RQX"))});
    MainForm form(doc, state);

    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   新規データ[*]"));
    QStringList menus;
    for (QAction *a : form.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "設定(&S)", "金物(&H)", "軸組図(&J)",
                                  "ﾍﾙﾌﾟ(&L)"}));
    const QMenu *file = form.menuBar()->actions()[0]->menu();
    EXPECT_EQ(MenuTexts(file),
              QStringList({"新規作成(&N)", "開く(&O)", "上書き保存(&S)", "名前を付けて保存(&A)...",
                           "ﾌﾟﾘﾝﾀｰの設定(&U)...", a, path(QStringLiteral("b.RQX")), "終了(&X)"}));
    EXPECT_EQ(form.recentFileActions().size(), 2);
    EXPECT_EQ(MenuTexts(form.settingsMenu()).mid(0, 3),
              QStringList({"建物名称の変更(&N)", "通り名の変更(&T)", "入力ｸﾞﾘｯﾄﾞ数の変更(&C)"}));
    EXPECT_EQ(MenuTexts(form.menuBar()->actions()[6]->menu()), QStringList({"目次(&C)", "ﾊﾞｰｼﾞｮﾝ情報(&V)"}));
    EXPECT_EQ(form.viewMenu()->title(), QStringLiteral("表示(&V)"));

    // Every toolbar key in order, with a picture; the commands of later parts are disabled.
    const QStringList keys = {"NewData", "Open",     "Save",         "PreView",  "NChkFig",  "JikuX",
                              "JikuY",   "Kanamono", "TatemonoName", "GridSize", "LineName", "OsaeKeisu",
                              "CrossG",  "Undo",     "Redo",         "Close"};
    EXPECT_EQ(ToolbarKeys(), keys);
    QStringList onBar;
    for (QAction *a : form.toolBar()->actions())
        if (!a->isSeparator())
            onBar << a->objectName();
    EXPECT_EQ(onBar, keys);
    const QStringList disabled = {"PreView",   "NChkFig", "JikuX", "JikuY", "Kanamono",
                                  "OsaeKeisu", "CrossG",  "Undo",  "Redo"};
    for (const QString &key : keys) {
        ASSERT_NE(form.toolbarAction(key), nullptr) << key.toStdString();
        EXPECT_FALSE(form.toolbarAction(key)->icon().isNull()) << key.toStdString();
        EXPECT_EQ(form.toolbarAction(key)->isEnabled(), !disabled.contains(key)) << key.toStdString();
    }
    EXPECT_EQ(form.toolbarAction(QStringLiteral("NewData"))->text(), QStringLiteral("新規作成(&N)"));

    EXPECT_EQ(form.statusPanel(3)->text(), QStringLiteral(" 『二年目施行』 による"));
    EXPECT_EQ(form.statusPanel(6)->text(), QStringLiteral(" 考 慮"));

    // 0.85 of the screen; the start-up grid of 20 × 20 spans exists, without line names yet.
    const QRect screen = QApplication::primaryScreen()->geometry();
    EXPECT_EQ(form.width(), static_cast<int>(screen.width() * 0.85));
    EXPECT_EQ(form.height(), static_cast<int>(screen.height() * 0.85));
    EXPECT_EQ(project.nodes.count(), 21u * 21u * 3u);
    ASSERT_EQ(form.frameMenuX()->actions().size(), 21);
    EXPECT_TRUE(form.frameMenuX()->actions()[0]->text().isEmpty());
    EXPECT_FALSE(form.frameMenuX()->menuAction()->isEnabled());
}

TEST_F(MainFormTest, NewProjectFromTheMenuTakesTheDialogsValues)
{
    MainForm form(doc, state);
    QSignalSpy replaced(&doc, &ProjectDocument::projectReplaced);
    ModalScript script;
    script.on<NewData>([](NewData *d) { fillNewData(d, "12", "8", "1000", 0, 1, QStringLiteral("新邸")); });
    ASSERT_TRUE(form.newCommand());
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(project.dims.spanCountX, 12);  // 12 modules, no sub-grid
    EXPECT_EQ(project.dims.spanCountY, 8);
    EXPECT_EQ(project.dims.floorCount, 1);
    EXPECT_FLOAT_EQ(project.dims.spanLength, 1.0f);
    EXPECT_EQ(project.nodes.count(), 13u * 9u * 2u);
    EXPECT_EQ(project.info.buildingName, QStringLiteral("新邸"));
    EXPECT_EQ(project.grid.lineNameX[13], QStringLiteral("X13"));
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   新規データ[*]"));
    EXPECT_FALSE(doc.isDirty());
    EXPECT_EQ(replaced.count(), 1);
    // Frame menus: X lines in order, Y lines from the top (Y9) down.
    ASSERT_EQ(form.frameMenuX()->actions().size(), 13);
    EXPECT_EQ(form.frameMenuX()->actions()[0]->text(), QStringLiteral("X1"));
    ASSERT_EQ(form.frameMenuY()->actions().size(), 9);
    EXPECT_EQ(form.frameMenuY()->actions()[0]->text(), QStringLiteral("Y9"));
    EXPECT_EQ(form.frameMenuY()->actions()[0]->data().toInt(), 9);
    QSignalSpy chosen(&form, &MainForm::frameLineChosen);
    form.frameMenuY()->actions()[8]->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), kDirY);
    EXPECT_EQ(chosen[0][1].toInt(), 1);
}

TEST_F(MainFormTest, NewWithUnsavedChangesAsksAndCancelKeepsTheProject)
{
    MainForm form(doc, state);
    doc.markChanged();
    doc.setDataFilePath(QStringLiteral("/data/x.RQX"));
    project.nodes(3, 3, 1).columnKind = 2;
    ModalScript script;
    script.answer(QMessageBox::No).answer(QMessageBox::Yes).on<NewData>([](NewData *d) {
        d->cancelButton()->click();
    });
    EXPECT_FALSE(form.newCommand());
    EXPECT_FALSE(form.newCommand());
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
    EXPECT_EQ(script.boxes()[0].text,
              QStringLiteral("現在、入力中のデータは、変更されています。\n\n(/data/x.RQX)\n\n"
                             "このまま、新規データを作成しますか？"));
    EXPECT_EQ(script.boxes()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(project.nodes(3, 3, 1).columnKind, 2);
    EXPECT_TRUE(doc.isDirty());
}

TEST_F(MainFormTest, OpenAsksForARqxFileChecksItAndRemembersIt)
{
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    QFile other(path(QStringLiteral("other.RQX")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("\x04\x00Ver.\x03\x00XYZ", 11);
    other.close();

    MainForm form(doc, state);
    answerFileDialogs(form);
    QSignalSpy replaced(&doc, &ProjectDocument::projectReplaced);

    chosen = {QString()};
    EXPECT_FALSE(form.openCommand());
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].save);
    EXPECT_EQ(requests[0].title, QStringLiteral("『 VELM-RQX ﾃﾞｰﾀ読込み 』"));
    EXPECT_EQ(requests[0].filters, QStringList({"VELM-RQX ﾃﾞｰﾀﾌｧｲﾙ(*.RQX)", "すべてのﾌｧｲﾙ(*.*)"}));
    EXPECT_EQ(requests[0].defaultSuffix, QStringLiteral("RQX"));
    EXPECT_EQ(requests[0].initialPath, QDir(dir.path()).filePath(QStringLiteral("新規データ")));

    ModalScript script;
    script.answer(QMessageBox::Ok);
    chosen = {other.fileName()};
    EXPECT_FALSE(form.openCommand());
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text,
              QStringLiteral("このファイルは、[ VELM-RQX /軸組Ｎ値算定 ] のデータではありません。\n\n"
                             "File Name: other.RQX"));
    EXPECT_EQ(replaced.count(), 0);

    // Unsaved changes: Open asks first, and No ends it before the file dialog.
    doc.markChanged();
    chosen = {a};
    script.answer(QMessageBox::No).answer(QMessageBox::Yes);
    EXPECT_FALSE(form.openCommand());
    EXPECT_EQ(requests.size(), 2u);
    ASSERT_TRUE(form.openCommand());
    EXPECT_EQ(requests.size(), 3u);
    ASSERT_EQ(script.boxes().size(), 3u);
    for (int k : {1, 2}) {
        EXPECT_EQ(script.boxes()[k].title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
        EXPECT_EQ(script.boxes()[k].text, QStringLiteral("現在、入力中のデータは、変更されています。\n\n"
                                                         "このまま、他データを読込みますか？"));
    }
    EXPECT_EQ(project.info.buildingName, QStringLiteral("A邸"));
    EXPECT_EQ(project.dims.spanCountX, 8);
    EXPECT_EQ(project.nodes(2, 2, 1).columnKind, 1);
    EXPECT_EQ(doc.dataFilePath(), a);
    EXPECT_FALSE(doc.isDirty());
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   a.RQX[*]"));
    EXPECT_EQ(replaced.count(), 1);
    ASSERT_EQ(form.recentFileActions().size(), 1);
    EXPECT_EQ(form.recentFileActions()[0]->text(), a);
    // The history file was written: a fresh read finds the entry with its building name.
    AppState fresh;
    fresh.programDir = dir.path();
    ReadHistoryFile(fresh);
    ASSERT_EQ(fresh.history.size(), 1);
    EXPECT_EQ(fresh.history[0].buildingName, QStringLiteral("A邸"));
    EXPECT_EQ(fresh.lastDataPath, a);  // the open project, from the document
    // The next dialog starts in the file's folder with its name.
    chosen = {QString()};
    form.openCommand();
    EXPECT_EQ(QFileInfo(requests.back().initialPath).fileName(), QStringLiteral("a.RQX"));
}

TEST_F(MainFormTest, RecentFilesAskWhenChangedAndSkipTheOpenFile)
{
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"), 8, 6);
    const QString b = makeProjectFile(QStringLiteral("b.RQX"), QStringLiteral("B邸"), 4, 4);
    const QString gone = path(QStringLiteral("gone.RQX"));
    writeHistory({a, b, gone});
    MainForm form(doc, state);

    ASSERT_TRUE(form.openRecentCommand(1));
    EXPECT_EQ(project.info.buildingName, QStringLiteral("A邸"));
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   a.RQX[*]"));

    // Same file again: after the question nothing is loaded and the edit stays.
    project.nodes(3, 3, 1).columnKind = 2;
    doc.markChanged();
    ModalScript script;
    script.answer(QMessageBox::Yes).answer(QMessageBox::No).answer(QMessageBox::Yes).answer(QMessageBox::Ok);
    EXPECT_TRUE(form.openRecentCommand(1));
    EXPECT_EQ(project.nodes(3, 3, 1).columnKind, 2);
    EXPECT_TRUE(doc.isDirty());
    // Another file: No keeps everything, Yes loads it.
    EXPECT_FALSE(form.openRecentCommand(2));
    EXPECT_EQ(project.info.buildingName, QStringLiteral("A邸"));
    EXPECT_TRUE(form.openRecentCommand(2));
    EXPECT_EQ(project.info.buildingName, QStringLiteral("B邸"));
    EXPECT_EQ(project.dims.spanCountX, 4);
    EXPECT_FALSE(doc.isDirty());
    EXPECT_EQ(state.history[0].path, b);  // moved to the top
    // A missing file: the "選  択" message, the open project stays.
    EXPECT_FALSE(form.openRecentCommand(3));
    EXPECT_EQ(project.info.buildingName, QStringLiteral("B邸"));
    EXPECT_EQ(doc.dataFilePath(), b);
    ASSERT_EQ(script.boxes().size(), 4u);
    EXPECT_EQ(
        script.boxes()[0].text,
        QStringLiteral("現在、入力中のデータは、変更されています。\n\nこのまま、他データを読込みますか？"));
    EXPECT_EQ(script.boxes()[3].text, QStringLiteral("選択したデータファイル：\n\n") + gone +
                                          QStringLiteral("\n\nが見つかりませんでした。"));
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
}

TEST_F(MainFormTest, OverwriteOfANewProjectIsSaveAsThenAsksBeforeOverwriting)
{
    MainForm form(doc, state);
    answerFileDialogs(form);
    project.info.buildingName = QStringLiteral("初回");
    doc.markChanged();

    const QString target = path(QStringLiteral("saved.RQX"));
    chosen = {target};
    form.overwriteCommand();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].title, QStringLiteral("『 VELM-RQX ﾃﾞｰﾀ保存 』"));
    EXPECT_EQ(requests[0].filters, QStringList({"VELM-RQX ﾃﾞｰﾀﾌｧｲﾙ(*.RQX)"}));
    // ".RQX" rather than ".TWD": a typed name without extension stays visible to Open.
    EXPECT_EQ(requests[0].defaultSuffix, QStringLiteral("RQX"));
    ASSERT_TRUE(QFileInfo::exists(target));
    EXPECT_EQ(doc.dataFilePath(), target);
    EXPECT_FALSE(doc.isDirty());
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   saved.RQX[*]"));

    project.info.buildingName = QStringLiteral("二回目");
    doc.markChanged();
    ModalScript script;
    script.answer(QMessageBox::No).answer(QMessageBox::Yes);
    form.overwriteCommand();
    Project onDisk;
    ASSERT_TRUE(LoadProjectFile(target, onDisk).ok);
    EXPECT_EQ(onDisk.info.buildingName, QStringLiteral("初回"));
    EXPECT_TRUE(doc.isDirty());
    form.overwriteCommand();
    ASSERT_TRUE(LoadProjectFile(target, onDisk).ok);
    EXPECT_EQ(onDisk.info.buildingName, QStringLiteral("二回目"));
    EXPECT_FALSE(doc.isDirty());
    EXPECT_EQ(state.history[0].buildingName, QStringLiteral("二回目"));
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].text, QStringLiteral("入力データを上書き保存します｡\n\n( ") + target +
                                          QStringLiteral(" )\n\nよろしいですか｡"));
    EXPECT_EQ(requests.size(), 1u);
}

TEST_F(MainFormTest, SaveAsOverAnExistingFileAsksFirst)
{
    const QString existing = makeProjectFile(QStringLiteral("old.RQX"), QStringLiteral("旧"));
    MainForm form(doc, state);
    answerFileDialogs(form);
    project.info.buildingName = QStringLiteral("新");
    ModalScript script;
    script.answer(QMessageBox::Cancel).answer(QMessageBox::Ok);
    chosen = {existing, existing};
    form.saveAsCommand();
    Project onDisk;
    ASSERT_TRUE(LoadProjectFile(existing, onDisk).ok);
    EXPECT_EQ(onDisk.info.buildingName, QStringLiteral("旧"));
    EXPECT_EQ(doc.dataFilePath(), kNewDataName);
    form.saveAsCommand();
    ASSERT_TRUE(LoadProjectFile(existing, onDisk).ok);
    EXPECT_EQ(onDisk.info.buildingName, QStringLiteral("新"));
    EXPECT_EQ(doc.dataFilePath(), existing);
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].text,
              existing + QStringLiteral("\n\nはすでに存在します。\n\n上書きしてもよろしいですか。"));
    EXPECT_EQ(script.boxes()[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

TEST_F(MainFormTest, SaveOntoAFullDiskShowsTheCauseAndKeepsTheFileAndTheChanges)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "mounting a small file system needs Linux and root";
#else
    // A real file system of 64 KB holding the project and a filler that takes the rest.
    const QString disk = path(QStringLiteral("disk"));
    ASSERT_TRUE(QDir().mkpath(disk));
    if (::geteuid() != 0 ||
        ::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    const QString file = disk + QStringLiteral("/家.RQX");
    ASSERT_TRUE(QFile::copy(makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸")), file));
    const QByteArray old = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    {
        QFile filler(disk + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        filler.write(QByteArray(64 * 1024, 'f'));  // fails part way: the disk is full
    }
    writeHistory({file});
    {
        MainForm form(doc, state);
        ASSERT_TRUE(form.openRecentCommand(1));
        project.nodes(3, 3, 1).columnKind = 2;
        doc.markChanged();
        ModalScript script;
        script.answer(QMessageBox::Yes).answer(QMessageBox::Ok);
        form.overwriteCommand();
        ASSERT_EQ(script.boxes().size(), 2u);
        EXPECT_EQ(script.boxes()[1].title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
        EXPECT_EQ(
            script.boxes()[1].text,
            QStringLiteral("ファイルを保存できませんでした。\n\nディスクの空き容量が足りません（書き込み中、"
                           "ENOSPC）。\n\n元のファイルはそのまま残っています。\n\nFile Name: 家.RQX"));
        EXPECT_TRUE(doc.isDirty());
        EXPECT_EQ(project.nodes(3, 3, 1).columnKind, 2);
        EXPECT_EQ(doc.dataFilePath(), file);
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no temporary file
    ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH);
#endif
}

TEST_F(MainFormTest, FailedLoadsAndSavesKeepTheOpenProjectAndItsPath)
{
    // A file with a good header but cut short passes the header check and fails in the reader.
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    const QString cut = path(QStringLiteral("cut.RQX"));
    {
        QFile in(a);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        QFile out(cut);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes.left(bytes.size() / 2));
    }
    writeHistory({a, cut});
    MainForm form(doc, state);
    answerFileDialogs(form);
    ASSERT_TRUE(form.openRecentCommand(1));
    QSignalSpy replaced(&doc, &ProjectDocument::projectReplaced);
    project.nodes(3, 3, 1).columnKind = 2;
    doc.markChanged();

    ModalScript script;
    script.answer(QMessageBox::Yes)
        .answer(QMessageBox::Ok)
        .answer(QMessageBox::Yes)  // Open's unsaved-changes question
        .answer(QMessageBox::Ok)
        .answer(QMessageBox::Ok);
    EXPECT_FALSE(form.openRecentCommand(2));  // after the unsaved-changes question
    chosen = {cut};
    EXPECT_FALSE(form.openCommand());
    chosen = {path(QStringLiteral("no/such/folder/x.RQX"))};
    form.saveAsCommand();

    EXPECT_EQ(doc.dataFilePath(), a);
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   a.RQX[*]"));
    EXPECT_EQ(project.info.buildingName, QStringLiteral("A邸"));
    EXPECT_EQ(project.nodes(3, 3, 1).columnKind, 2);
    EXPECT_TRUE(doc.isDirty());
    EXPECT_EQ(replaced.count(), 0);
    ASSERT_EQ(state.history.size(), 2);
    EXPECT_EQ(state.history[0].path, a);
    // One message per failure after the questions, each naming its file.
    ASSERT_EQ(script.boxes().size(), 5u);
    EXPECT_TRUE(script.boxes()[1].text.contains(QStringLiteral("cut.RQX")))
        << script.boxes()[1].text.toStdString();
    EXPECT_TRUE(script.boxes()[3].text.contains(QStringLiteral("cut.RQX")))
        << script.boxes()[3].text.toStdString();
    EXPECT_TRUE(script.boxes()[4].text.contains(QStringLiteral("x.RQX")))
        << script.boxes()[4].text.toStdString();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
}

// 上書き保存 onto a file the user protected: the cause is shown, the file and the changes are kept.
TEST_F(MainFormTest, OverwritingAWriteProtectedFileShowsTheCauseAndKeepsTheFile)
{
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    writeHistory({a});
    MainForm form(doc, state);
    answerFileDialogs(form);
    ASSERT_TRUE(form.openRecentCommand(1));
    QFile file(a);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    ASSERT_TRUE(QFile::setPermissions(a, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    project.nodes(3, 3, 1).columnKind = 2;
    doc.markChanged();

    ModalScript script;
    script.answer(QMessageBox::Yes).answer(QMessageBox::Ok);  // the overwrite question, then the cause
    form.overwriteCommand();
    ASSERT_EQ(script.boxes().size(), 2u);
    const QString text = script.boxes()[1].text;
    EXPECT_TRUE(text.contains(QStringLiteral("書き込みが禁止されています")) &&
                text.contains(QStringLiteral("元のファイルはそのまま残っています")) &&
                text.contains(QStringLiteral("a.RQX")))
        << text.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_TRUE(doc.isDirty());
    EXPECT_EQ(doc.dataFilePath(), a);
}

TEST_F(MainFormTest, ExitAsksAccordingToTheDirtyFlagAndWritesTheStores)
{
    {
        MainForm form(doc, state);
        form.show();
        doc.markChanged();
        doc.setDataFilePath(QStringLiteral("/d/x.RQX"));
        ModalScript script;
        script.answer(QMessageBox::No);
        form.close();
        EXPECT_TRUE(form.isVisible());
        ASSERT_EQ(script.boxes().size(), 1u);
        EXPECT_EQ(script.boxes()[0].title, QStringLiteral("確認メッセージ"));
        EXPECT_EQ(
            script.boxes()[0].text,
            QStringLiteral("データは変更されています。\n\n(/d/x.RQX)\n\nこのまま保存せず、終了しますか？"));
        doc.markSaved();
        script.answer(QMessageBox::Yes);
        form.close();
        EXPECT_FALSE(form.isVisible());
        ASSERT_EQ(script.boxes().size(), 2u);
        EXPECT_EQ(script.boxes()[1].text, QStringLiteral("『 VELM-RQX /軸組Ｎ値算定 』 を終了します"));
    }
    EXPECT_EQ(QFileInfo(path(QStringLiteral("VelmRQX.Def"))).size(), 76);
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("VELMRQX.INI"))));
    {
        // After "終  了" in the start dialog nothing more is asked.
        MainForm form(doc, state);
        form.show();
        ModalScript script;
        form.setStartChoice(kStartExit);
        form.close();
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(script.boxes().empty());
    }
}

TEST_F(MainFormTest, ExitNamesAStoreThatCouldNotBeWrittenAndKeepsItsOldFile)
{
    // A folder where the history file should be: the save is refused; the defaults file saves.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("VELMRQX.INI")));
    {
        MainForm form(doc, state);
        form.show();
        ModalScript script;
        script.answer(QMessageBox::Yes).answer(QMessageBox::Ok);
        form.close();
        EXPECT_FALSE(form.isVisible());
        ASSERT_EQ(script.boxes().size(), 2u);
        EXPECT_EQ(script.boxes()[1].title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
        EXPECT_TRUE(
            script.boxes()[1].text.startsWith(QStringLiteral("設定ファイルを保存できませんでした。\n\n")))
            << script.boxes()[1].text.toStdString();
        EXPECT_TRUE(script.boxes()[1].text.endsWith(QStringLiteral("\n\nFile Name: VELMRQX.INI")))
            << script.boxes()[1].text.toStdString();
    }
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("VELMRQX.INI"))).isDir());
    EXPECT_EQ(QFileInfo(path(QStringLiteral("VelmRQX.Def"))).size(), 76);
}

TEST_F(MainFormTest, StartDialogComesBackAfterACancelledNewAndOpen)
{
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    writeHistory({a});
    MainForm form(doc, state);
    answerFileDialogs(form);
    form.show();
    ModalScript script;
    script.on<DataSelectForm>([](DataSelectForm *d) { d->choiceButton(3)->click(); })
        .on<NewData>([](NewData *d) { d->cancelButton()->click(); })
        .on<DataSelectForm>([](DataSelectForm *d) { d->choiceButton(2)->click(); })   // Open, cancelled
        .on<DataSelectForm>([](DataSelectForm *d) { d->choiceButton(0)->click(); });  // entry 1
    chosen = {QString()};
    form.runStartDialog();
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_TRUE(form.startupFinished());
    EXPECT_EQ(form.startChoice(), kStartNone);
    EXPECT_EQ(project.info.buildingName, QStringLiteral("A邸"));
    // A start-dialog choice shows the building name.
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   A邸[*]"));
}

TEST_F(MainFormTest, AClearedHistoryStaysClearedWhenTheStartDialogComesBack)
{
    // The history file is written only at exit: a start dialog shown again after a cancelled New
    // must not bring back the entries the user has just cleared.
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    writeHistory({a});
    MainForm form(doc, state);
    form.show();
    int rowsShownAgain = -1;
    ModalScript script;
    script
        .on<DataSelectForm>([](DataSelectForm *d) { d->historyClearButton()->click(); })  // 履歴ｸﾘｱｰ
        .answer(QMessageBox::Ok)
        // The start dialog is the modal window again once the question has closed.
        .on<DataSelectForm>([](DataSelectForm *d) { d->choiceButton(3)->click(); })
        .on<NewData>([](NewData *d) { d->cancelButton()->click(); })
        .on<DataSelectForm>([&rowsShownAgain](DataSelectForm *d) {
            rowsShownAgain = d->grid()->item(0, 0)->text().isEmpty() ? 0 : 1;
            d->choiceButton(3)->click();
        })
        .on<NewData>([](NewData *d) { d->okButton()->click(); });
    form.runStartDialog();
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    EXPECT_EQ(rowsShownAgain, 0);
    EXPECT_TRUE(state.history.isEmpty());
    EXPECT_TRUE(form.recentFileActions().isEmpty());
}

TEST_F(MainFormTest, StartDialogClosedThroughItsFrameLeavesTheStartUpGridUnnamed)
{
    // The history file names the previous run's file; the start-up grid is not that file.
    const QString a = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    AppState last;
    last.programDir = dir.path();
    last.lastDataPath = a;
    last.history.append(HistoryEntry{a, QStringLiteral("a.RQX"), QStringLiteral("A邸")});
    ASSERT_TRUE(WriteHistoryFile(last));
    MainForm form(doc, state);
    form.show();
    ModalScript script;
    QString panelWhileAsking;
    script.on<DataSelectForm>([&](DataSelectForm *d) {
        panelWhileAsking = form.statusPanel(1)->text().trimmed();
        d->reject();
    });
    form.runStartDialog();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(panelWhileAsking, kNewDataName);
    EXPECT_EQ(form.startChoice(), kStartNone);
    EXPECT_EQ(doc.dataFilePath(), kNewDataName);
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   新規データ[*]"));
    EXPECT_EQ(form.statusPanel(1)->text().trimmed(), kNewDataName);
}

TEST_F(MainFormTest, StartDialogNewAndExit)
{
    MainForm form(doc, state);
    form.show();
    ModalScript script;
    script.on<DataSelectForm>([](DataSelectForm *d) { d->choiceButton(3)->click(); })
        .on<NewData>([](NewData *d) { d->okButton()->click(); });
    form.runStartDialog();
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   新規データ[*]"));
    EXPECT_EQ(project.grid.lineNameX[2], QStringLiteral("X1a"));
    EXPECT_TRUE(form.isVisible());

    script.on<DataSelectForm>([](DataSelectForm *d) { d->choiceButton(1)->click(); }).answer(QMessageBox::Ok);
    form.runStartDialog();
    EXPECT_FALSE(form.isVisible());  // closed without a further question
    EXPECT_EQ(script.boxes().size(), 1u);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
}

TEST_F(MainFormTest, GridSizeCommandResizesRenamesAndMarksTheProjectChanged)
{
    MainForm form(doc, state);
    ModalScript script;
    script.on<NewData>([](NewData *d) { d->okButton()->click(); });
    ASSERT_TRUE(form.newCommand());
    {
        NodeEdit edit(doc, QStringLiteral("床"), NodeFields::Members);
        edit.node(1, 1, 1).cellFloor = 1;
        edit.commit();
    }
    doc.markSaved();
    QSignalSpy resized(&doc, &ProjectDocument::gridResized);

    // Unchanged values: nothing happens, the history stays.
    script.on<GridSizeChange>([](GridSizeChange *d) { d->okButton()->click(); });
    form.gridSizeCommand();
    EXPECT_EQ(resized.count(), 0);
    EXPECT_TRUE(doc.canUndo());
    EXPECT_FALSE(doc.isDirty());

    script
        .on<GridSizeChange>([](GridSizeChange *d) {
            d->gridSizeList(0)->setEditText(QStringLiteral("9"));
            d->okButton()->click();
        })
        .answer(QMessageBox::Ok);
    form.gridSizeCommand();
    EXPECT_EQ(resized.count(), 1);
    EXPECT_EQ(project.dims.spanCountX, 18);
    EXPECT_EQ(project.grid.lineNameX.size(), 19);
    EXPECT_EQ(project.grid.lineNameX[19], QStringLiteral("X10"));
    EXPECT_EQ(form.frameMenuX()->actions().size(), 19);
    EXPECT_EQ(project.nodes(1, 1, 1).outlineEdge[kDirX], 1);  // outline recomputed
    EXPECT_FLOAT_EQ(project.coords(19, 1, 1).x, 18 * 0.455f);
    EXPECT_TRUE(doc.isDirty());
    // One step: its undo gives the old grid back, menus and all, and the project its saved state.
    ASSERT_TRUE(doc.canUndo());
    form.toolbarAction(QStringLiteral("Undo"))->trigger();
    EXPECT_EQ(project.dims.spanCountX, 20);
    EXPECT_EQ(form.frameMenuX()->actions().size(), 21);
    EXPECT_FALSE(doc.isDirty());
    EXPECT_EQ(form.statusBar()->currentMessage(), QStringLiteral("元に戻す: 入力ｸﾞﾘｯﾄﾞ数の変更"));
    form.redoAction()->trigger();
    EXPECT_EQ(project.dims.spanCountX, 18);
    EXPECT_EQ(form.frameMenuX()->actions().size(), 19);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, QStringLiteral("データ入力グリッドサイズを変更します。"));
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
}

TEST_F(MainFormTest, LineNameCommandRegeneratesTheNames)
{
    MainForm form(doc, state);
    ModalScript script;
    script.on<NewData>([](NewData *d) { d->okButton()->click(); });
    ASSERT_TRUE(form.newCommand());
    QSignalSpy renamed(&doc, &ProjectDocument::lineNamesChanged);
    script.on<LineNameSetForm>([](LineNameSetForm *d) {
        d->xStyleOption(2)->click();
        d->yStyleOption(3)->click();
        d->startNumberBox(3)->setText(QStringLiteral("5"));
        d->reverseCheck(1)->setChecked(true);
        d->okButton()->click();
    });
    form.lineNameCommand();
    EXPECT_EQ(renamed.count(), 1);
    EXPECT_EQ(project.grid.lineNameX[1], QStringLiteral("A"));
    EXPECT_EQ(project.grid.lineNameX[4], QStringLiteral("Ba"));
    EXPECT_EQ(project.grid.lineNameY[21], QStringLiteral("5"));  // reversed: the top line first
    EXPECT_EQ(project.grid.lineNameY[1], QStringLiteral("15"));
    EXPECT_EQ(form.frameMenuY()->actions()[0]->text(), QStringLiteral("5"));
    EXPECT_TRUE(doc.isDirty());
}

// The project path given to the program: opened as a recent entry is, in place of the start dialog;
// a missing or refused file gives its message and leaves the start-up grid.
// A project restored from a recovery copy takes the start dialog's place and its title: the building's
// name, or 新規データ when it was never saved.
TEST_F(MainFormTest, RestoredProjectIsTitledAsAfterTheStartDialog)
{
    const QString file = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    {
        MainForm form(doc, state);
        ASSERT_TRUE(doc.LoadProject(file).ok);  // as the recovery copy's restore fills the document
        form.showRestoredProject();
        EXPECT_TRUE(form.startupFinished());
        EXPECT_TRUE(form.windowTitle().startsWith(kTitle + QStringLiteral("   A邸"))) << form.windowTitle().toStdString();
    }
    MainForm form(doc, state);
    doc.replaceProject(samples::NewProject(8, 6, 2, 2, samples::LineNames::kNumbered));
    form.showRestoredProject();
    EXPECT_TRUE(form.windowTitle().startsWith(kTitle + QStringLiteral("   新規データ")))
        << form.windowTitle().toStdString();
}

// The title carries Qt's modified marker while the project differs from its file: after an edit, not
// after a save or an undo back to the saved state, again after a recovery copy is restored;
// 名前を付けて保存 keeps the title's form (the building's name stays the building's name).
TEST_F(MainFormTest, TitleMarksUnsavedChangesAndKeepsItsFormOnSaveAs)
{
    const QString file = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"));
    MainForm form(doc, state);
    answerFileDialogs(form);
    ASSERT_TRUE(form.openStartupFile(file));
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   A邸[*]"));
    EXPECT_FALSE(form.isWindowModified());
    ASSERT_TRUE(doc.setStoreyHeights(3000, 0));
    EXPECT_TRUE(form.isWindowModified());
    doc.undo();
    EXPECT_FALSE(form.isWindowModified());
    doc.redo();
    EXPECT_TRUE(form.isWindowModified());

    const QString other = path(QStringLiteral("b.RQX"));
    chosen = {other};
    form.saveAsCommand();
    EXPECT_EQ(doc.dataFilePath(), other);
    EXPECT_FALSE(form.isWindowModified());
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   A邸[*]"));
    doc.undo();  // past the saved state
    EXPECT_TRUE(form.isWindowModified());

    Project copy = doc.project();
    doc.adoptRestoredProject(copy, other);
    form.showRestoredProject();
    EXPECT_TRUE(form.isWindowModified());
    EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   A邸[*]"));
    doc.markSaved();  // no exit question
}

TEST_F(MainFormTest, StartupFileOpensInPlaceOfTheStartDialogOrGivesItsMessage)
{
    const QString good = makeProjectFile(QStringLiteral("a.RQX"), QStringLiteral("A邸"), 8, 6);
    const QString junk = path(QStringLiteral("junk.RQX"));
    QFile out(junk);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("not a project");
    out.close();
    const QString gone = path(QStringLiteral("gone.RQX"));
    const struct {
        QString file;
        bool opened;
        QString message;  // beginning of the one message, empty for none
    } cases[] = {
        {good, true, QString()},
        {gone, false, QStringLiteral("選択したデータファイル：\n\n") + gone},
        {junk, false,
         QStringLiteral("このファイルは、[ ") + kTitle + QStringLiteral(" ] のデータではありません。")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        state.history.clear();
        doc.replaceProject(samples::NewProject(20, 20, 2, 2, samples::LineNames::kNumbered));
        MainForm form(doc, state);
        ModalScript script;
        if (!c.opened)
            script.answer(QMessageBox::Ok);
        EXPECT_EQ(form.openStartupFile(c.file), c.opened);
        EXPECT_TRUE(form.startupFinished());
        EXPECT_EQ(doc.dataFilePath(), c.opened ? c.file : kNewDataName);
        EXPECT_EQ(project.dims.spanCountX, c.opened ? 8 : 20);
        EXPECT_FALSE(doc.isDirty());
        if (c.opened) {
            EXPECT_EQ(form.windowTitle(), kTitle + QStringLiteral("   A邸[*]"));
            ASSERT_FALSE(state.history.isEmpty());
            EXPECT_EQ(state.history[0].path, c.file);
            EXPECT_TRUE(script.boxes().empty());
        } else {
            ASSERT_EQ(script.boxes().size(), 1u);
            EXPECT_TRUE(script.boxes()[0].text.startsWith(c.message)) << script.boxes()[0].text.toStdString();
        }
        EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    }
}

}  // namespace
}  // namespace rqx
