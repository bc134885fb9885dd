// Printing from every window: with no printer each print command offers, in the same words, the PDF of
// exactly the pages it prints and writes it; both windows choose the printer from the same list; the
// menus' access keys are unambiguous.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

#include "calc/ui/calc_commands.h"
#include "document/project_document.h"
#include "print/print_document.h"
#include "report/ui/print_output.h"
#include "report/ui/printer_select.h"
#include "report/ui/report_command.h"
#include "report/ui/test_report.h"
#include "report/ui/view_commands.h"
#include "shell/modal_script.h"
#include "editor/ui/input_screen.h"
#include "shell/ui/main_form.h"
#include "support/house_builder.h"

namespace rqx {
namespace {

QString RunTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Poppler's tools are Linux programs: a Windows build's tests count the page objects Qt writes.
bool HavePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

int PdfPages(const QString &path)
{
    if (!HavePoppler()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray bytes = file.readAll();
        return int(bytes.count("/Type /Page") - bytes.count("/Type /Pages"));
    }
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(RunTool(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

Project TwoStoreyHouse()
{
    Project p = samples::NewProject(4, 4, 2, 2, samples::LineNames::kNumbered);
    samples::PlaceColumn(p, 1, 3, 1);
    samples::PlaceColumn(p, 2, 3, 1);
    samples::PlaceBeam(p, 2, kDirX, 3, 1, 3);
    samples::PlaceWall(p, 2, kDirX, 3, 1, 2, kKeyMenzai, 4);
    return p;
}

TEST(NoPrinter, EveryPrintCommandWritesThePdfOfThePagesItWouldPrint)
{
    const InstalledPrintersForTest none({});
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("house.RQX"));
    QPrinter printer;  // whatever the machine has: the list above says no printer is installed
    ProjectDocument document;
    document.replaceProject(TwoStoreyHouse());
    document.setDataFilePath(project);
    QStringList proposed;
    QString target;
    const FileChooser chooser = [&](QWidget *, const FileDialogRequest &r) {
        proposed << r.initialPath;
        return target;
    };
    ProjectViews views(document, [&printer] { return &printer; });
    views.setFileChooser(chooser);
    AppState state;
    auto *report = new ReportWindow(document.project(), document.calculation(), state, printer);
    report->setReport(test::TestReport(7));
    report->setProjectFilePath(project);
    report->setFileChooser(chooser);

    struct Case {
        const char *name;
        std::function<void()> command;
        bool yes;
        const char *file;              // proposed in the project's folder
        std::vector<int> reportPages;  // the report's pages the PDF holds; empty for a view
    } const cases[] = {
        {"print all", [&] { report->printAllCommand(); }, true, "house.pdf", {1, 2, 3, 4, 5, 6, 7}},
        {"this page",
         [&] {
             report->setCurrentPage(4);
             report->printThisPageCommand();
         },
         true,
         "house_p3.pdf",
         {4}},
        {"the cover",
         [&] {
             report->setCurrentPage(1);
             report->printThisPageCommand();
         },
         true,
         "house_表紙.pdf",
         {1}},
        {"declined", [&] { report->printAllCommand(); }, false, "", {1, 2, 3, 4, 5, 6, 7}},
        {"transfer check",
         [&] { views.openTransferCheck(nullptr)->toolbarAction(QStringLiteral("Print"))->trigger(); },
         true,
         "house_２階柱Ｎ値伝達チェック.pdf",
         {}},
        {"frame view",
         [&] { views.openFrameView(nullptr, kDirX, 2)->toolbarAction(QStringLiteral("Print"))->trigger(); },
         true,
         "house_X1a通り軸組図.pdf",
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        proposed.clear();
        target = dir.filePath(QStringLiteral("%1.pdf").arg(QString::fromLatin1(c.name).replace(' ', '_')));
        test::ModalScript script;
        script.answer(c.yes ? QMessageBox::Yes : QMessageBox::No);
        if (c.yes)
            script.answer(QMessageBox::Ok);
        c.command();
        ASSERT_EQ(script.boxes().size(), c.yes ? 2u : 1u);
        const int pages = c.reportPages.empty() ? 1 : static_cast<int>(c.reportPages.size());
        EXPECT_EQ(QString(script.boxes()[0].text).replace('\n', '\r'),
                  QStringLiteral("プリンターがインストールされていないため、印刷できません。\r\r"
                                 "印刷する内容（%1ページ）をPDFファイルに出力しますか？")
                      .arg(pages));
        EXPECT_FALSE(script.boxes()[0].wrapped);
        EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
        if (!c.yes) {
            EXPECT_TRUE(proposed.isEmpty());
            EXPECT_FALSE(QFile::exists(target));
            continue;
        }
        EXPECT_EQ(proposed.join('|').toStdString(), dir.filePath(QString::fromUtf8(c.file)).toStdString());
        EXPECT_EQ(script.boxes()[1].text, QStringLiteral("PDFファイルに出力しました。\n\n") + target);
        EXPECT_EQ(PdfPages(target), pages);
        if (!c.reportPages.empty() && HavePoppler()) {
            // The numbered pages of the test report: exactly the ones asked for, in order.
            const QString text = RunTool(QStringLiteral("pdftotext"), {target, QStringLiteral("-")});
            QList<int> found;
            for (const QRegularExpressionMatch &m :
                 QRegularExpression(QStringLiteral("page (\\d+) at 1134")).globalMatch(text))
                found << m.captured(1).toInt();
            EXPECT_EQ(found, QList<int>(c.reportPages.begin(), c.reportPages.end()));
        }
    }
    views.closeAll();
    report->closeWithoutQuestion();
}

// ﾌﾟﾘﾝﾀｰの設定 of the main window and of the report window: the same dialog over the installed printers.
TEST(PrinterSetup, BothWindowsChooseFromTheInstalledPrinters)
{
    const QStringList installed = {QStringLiteral("Office A"), QStringLiteral("Office B")};
    const InstalledPrintersForTest printers(installed);
    QTemporaryDir dir;
    AppState state;
    state.programDir = dir.path();
    ProjectDocument document;
    MainForm window(document, state);
    InstallReportCommand(window);
    QPrinter printer;
    auto *report = new ReportWindow(document.project(), document.calculation(), state, printer);
    std::vector<QStringList> lists;
    test::ModalScript script;
    for (int i = 0; i < 2; ++i)
        script.on<PrinterSelect>([&lists](PrinterSelect *d) {
            QStringList names;
            for (int row = 0; row < d->printerList()->count(); ++row)
                names << d->printerList()->item(row)->text();
            lists.push_back(names);
            d->reject();
        });
    window.toolbarAction(QStringLiteral("MenuFile_PrinterSetup"))->trigger();
    report->printerSetupCommand();
    EXPECT_EQ(lists, (std::vector<QStringList>{installed, installed}));
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    report->closeWithoutQuestion();
}

// In the menu bar of each window and in each of its menus, no two entries share an access key.
TEST(Menus, AccessKeysAreUnambiguous)
{
    QTemporaryDir dir;
    AppState state;
    state.programDir = dir.path();
    ProjectDocument document;
    MainForm window(document, state);
    // The window as the program builds it: the input screen's items in 表示 too.
    EditorState editor;
    auto *screen = new InputScreen(document, editor);
    window.setInputScreen(screen);
    screen->installViewMenu(window.viewMenu());
    InstallCalcCommands(window, document);
    ProjectViews *views = InstallViewCommands(window);
    InstallReportCommand(window, {{}, views->reportViews(), [views] { views->closeAll(); }});
    QPrinter printer;
    auto *report = new ReportWindow(document.project(), document.calculation(), state, printer);

    const auto duplicates = [](const QList<QAction *> &actions) {
        std::map<QChar, QStringList> byKey;
        for (QAction *a : actions) {
            const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("&([^&])")).match(a->text());
            if (m.hasMatch())
                byKey[m.captured(1).at(0).toUpper()] << a->text();
        }
        QStringList out;
        for (const auto &[key, texts] : byKey)
            if (texts.size() > 1)
                out << texts.join(QStringLiteral(" / "));
        return out;
    };
    for (QMenuBar *bar : {window.menuBar(), report->menuBar()}) {
        SCOPED_TRACE(bar->parentWidget()->objectName().toStdString());
        EXPECT_EQ(duplicates(bar->actions()), QStringList());
        for (QAction *top : bar->actions()) {
            if (top->menu())
                EXPECT_EQ(duplicates(top->menu()->actions()), QStringList()) << top->text().toStdString();
        }
    }
    report->closeWithoutQuestion();
}

}  // namespace
}  // namespace rqx
