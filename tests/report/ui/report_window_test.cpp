#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolBar>

#include <gtest/gtest.h>

#include "print/print_document.h"
#include "report/ui/page_preview.h"
#include "report/ui/progress_window.h"
#include "report/ui/report_window.h"
#include "report/ui/test_report.h"
#include "shell/modal_script.h"

namespace rqx {
namespace {

using test::ModalScript;

int PdfPages(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(
        QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

struct Window {
    Project project;
    Calculation calc;
    AppState state;
    QPrinter printer{QPrinter::HighResolution};
    QTemporaryDir dir;
    ReportWindow *window;
    explicit Window(int pages, int notCarried = 0, int lMode = 0)
    {
        calc.anyNotCarried = notCarried;
        project.grid.lCoefficientMode = lMode;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("printer.pdf")));
        window = new ReportWindow(project, calc, state, printer);
        window->show();
        window->resize(1200, 900);
        QApplication::processEvents();
        window->setReport(test::TestReport(pages));
    }
    ~Window()
    {
        if (window) {
            window->closeWithoutQuestion();
            QApplication::processEvents();
        }
    }
};

// GoToPage from each page and kind, with the page label it leaves.
TEST(ReportWindow, PagingWrapsAroundAndLabelsThePage)
{
    struct Case {
        int from, kind, page;
        const char *label;
    } const cases[] = {
        {3, 1, 1, "表紙"},  {1, 2, 5, "4 / 4"}, {3, 2, 2, "1 / 4"}, {5, 3, 1, "表紙"},
        {2, 3, 3, "2 / 4"}, {2, 4, 5, "4 / 4"}, {3, 7, 3, "2 / 4"}, {3, 0, 3, "2 / 4"},
    };
    Window w(5);
    EXPECT_EQ(w.window->pageLabel()->text(), QStringLiteral("表紙"));
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " kind " << c.kind);
        w.window->setCurrentPage(c.from);
        w.window->GoToPage(c.kind);
        EXPECT_EQ(w.window->currentPage(), c.page);
        EXPECT_EQ(w.window->preview()->currentPage(), c.page);
        EXPECT_EQ(w.window->pageLabel()->text(), QString::fromUtf8(c.label));
    }
    // The toolbar keys run the same paging.
    w.window->setCurrentPage(5);
    w.window->toolbarAction(QStringLiteral("NextPage"))->trigger();
    EXPECT_EQ(w.window->currentPage(), 1);
    w.window->toolbarAction(QStringLiteral("BeforePage"))->trigger();
    EXPECT_EQ(w.window->currentPage(), 5);
}

// Contents buttons jump to their page and scroll to their offset; sections without a page cannot be chosen.
TEST(ReportWindow, ContentsJumpToTheRecordedPageAndOffset)
{
    Window w(9);
    struct Case {
        int group, index, page, offset;
    } const cases[] = {{2, 3, 9, 4000}, {1, 2, 2, 4000}, {1, 1, 2, 0}, {0, 1, 1, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.group << "." << c.index);
        QRadioButton *b = w.window->contentsButton(c.group, c.index);
        ASSERT_TRUE(b && b->isEnabled());
        EXPECT_EQ(b->cursor().shape(), Qt::BitmapCursor);  // the hand
        b->click();
        EXPECT_EQ(w.window->currentPage(), c.page);
        EXPECT_NEAR(w.window->preview()->paperOffsetAtTop(), c.offset, 20);
    }
    EXPECT_EQ(w.window->contentsButton(2, 3)->text(), QStringLiteral("2.3. Ｎ値･接合金物        算定一覧表"));
    for (auto [g, i] : {std::pair{1, 6}, {3, 1}, {3, 2}})
        EXPECT_FALSE(w.window->contentsButton(g, i)->isEnabled()) << g << "." << i;
    QStringList groups;
    for (int g = 1; g <= 3; ++g)
        groups << w.window->findChild<QLabel *>(QStringLiteral("groupLabel%1").arg(g))->text();
    EXPECT_EQ(groups, (QStringList{"１．概要", "２．接合金物", "３．接合金物資料"}));
}

// A report with the wall quantities: chapter 3 is named for them and 3.1 jumps to its page; a report
// without them names the group as before.
TEST(ReportWindow, ChapterThreeIsTheWallQuantitiesWhenPrinted)
{
    Window w(9);
    BuiltReport report = test::TestReport(9);
    report.contents.page[3][1] = 8;
    w.window->setReport(report);
    QRadioButton *walls = w.window->contentsButton(3, 1);
    ASSERT_TRUE(walls->isEnabled());
    EXPECT_EQ(walls->text(), QStringLiteral("3.1. 壁量計算"));
    EXPECT_EQ(w.window->findChild<QLabel *>(QStringLiteral("groupLabel3"))->text(), QStringLiteral("３．壁量計算"));
    walls->click();
    EXPECT_EQ(w.window->currentPage(), 8);
    EXPECT_FALSE(w.window->contentsButton(3, 2)->isEnabled());
    w.window->setReport(test::TestReport(9));
    EXPECT_EQ(w.window->findChild<QLabel *>(QStringLiteral("groupLabel3"))->text(), QStringLiteral("３．接合金物資料"));
    EXPECT_EQ(walls->text(), QStringLiteral("3.1. 金物許容耐力       一覧表"));
}

// Paging marks in the contents the section the page belongs to: the first one starting on it, else the
// last one started before it.
TEST(ReportWindow, ContentsMarkFollowsThePageShown)
{
    Window w(9);
    QStringList marks;
    for (int page = 1; page <= 9; ++page) {
        w.window->GoToPage(page == 1 ? 1 : 3);
        ASSERT_EQ(w.window->currentPage(), page);
        QString mark;
        for (QRadioButton *b : w.window->findChildren<QRadioButton *>())
            if (b->isChecked())
                mark += b->objectName();
        marks << mark;
    }
    EXPECT_EQ(marks, (QStringList{"Option0_1", "Option1_1", "Option2_1", "Option2_2", "Option2_2",
                                  "Option2_2", "Option2_2", "Option2_2", "Option2_3"}));
    // Going back keeps following; a contents click still marks the entry clicked.
    w.window->GoToPage(2);
    EXPECT_TRUE(w.window->contentsButton(2, 2)->isChecked());
    w.window->contentsButton(1, 2)->click();
    EXPECT_TRUE(w.window->contentsButton(1, 2)->isChecked());
}

// The warning panel follows the calculation's flag, the L frame the project's method.
TEST(ReportWindow, WarningPanelAndLCoefficientFrame)
{
    struct Case {
        int notCarried, lMode;
        bool warning;
        const char *lText;
    } const cases[] = {{0, 0, false, "『改正建築基準法(二年目施行)の解説』による"},
                       {1, 1, true, "２階柱の押さえ効果を考慮する"}};
    for (const Case &c : cases) {
        Window w(2, c.notCarried, c.lMode);
        EXPECT_EQ(w.window->warningPanel()->isVisible(), c.warning);
        EXPECT_EQ(w.window->warningPanel()->text(),
                  QStringLiteral("  柱引抜き力が１階に伝達されない２階柱があります。"));
        EXPECT_EQ(w.window->lCoefficientLabel()->text(), QString::fromUtf8(c.lText));
    }
}

// The zoom menu (also the right-click menu) chooses the preview's mode; menus and toolbar carry the
// window's captions.
TEST(ReportWindow, ZoomMenuAndCaptions)
{
    Window w(3);
    const QList<QAction *> zoom = w.window->zoomMenu()->actions();
    ASSERT_EQ(zoom.size(), 7);
    const PreviewZoom modes[] = {PreviewZoom::WholePage, PreviewZoom::PageWidth, PreviewZoom::Percent,
                                 PreviewZoom::Percent,   PreviewZoom::Percent,   PreviewZoom::TwoPages,
                                 PreviewZoom::Thumbnails};
    const double percents[] = {0, 0, 120, 150, 200, 0, 0};
    for (int i = 0; i < 7; ++i) {
        zoom[i]->trigger();
        EXPECT_EQ(w.window->preview()->zoomMode(), modes[i]) << i;
        if (percents[i] > 0) {
            EXPECT_DOUBLE_EQ(w.window->preview()->zoomPercent(), percents[i]);
        }
        EXPECT_TRUE(zoom[i]->isChecked());
    }
    // The right button pops the same menu up, unless Shift is held.
    QSignalSpy asked(w.window->preview(), &PagePreview::zoomMenuRequested);
    QWidget *paper = w.window->preview()->viewport();
    QTest::mousePress(paper, Qt::RightButton, Qt::ShiftModifier, QPoint(50, 50));
    QTest::mousePress(paper, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_EQ(asked.count(), 1);
    EXPECT_TRUE(w.window->zoomMenu()->isVisible());
    w.window->zoomMenu()->hide();
    QStringList captions;
    for (QAction *a : w.window->toolBar()->actions())
        if (!a->isSeparator())
            captions << a->text();
    EXPECT_EQ(captions, (QStringList{"印刷", "先頭ページ", "前ページ", "次ページ", "最終ページ",
                                     "２階柱Ｎ値伝達チェック", "Ｘ通り軸組図", "Ｙ通り軸組図", "閉じる"}));
    // Views that do not exist yet stay disabled.
    EXPECT_FALSE(w.window->toolbarAction(QStringLiteral("NChkFig"))->isEnabled());
    EXPECT_FALSE(w.window->frameMenuX()->menuAction()->isEnabled());
}

// Closing asks; No keeps the window, Yes closes it and tells the main window.
TEST(ReportWindow, CloseQuestion)
{
    Window w(2);
    QSignalSpy closed(w.window, &ReportWindow::closed);
    ModalScript script;
    script.answer(QMessageBox::No).answer(QMessageBox::Yes);
    w.window->close();
    EXPECT_TRUE(w.window->isVisible());
    w.window->toolbarAction(QStringLiteral("Close"))->trigger();
    EXPECT_FALSE(w.window->isVisible());
    EXPECT_EQ(closed.count(), 1);
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].text, QStringLiteral("プレビュー画面を閉じます。"));
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("確認メッセージ"));
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    w.window = nullptr;  // deleted on close
    QApplication::processEvents();
}

// A build that reports often is stopped by the progress window's question; the report window closes
// without its own question.
TEST(ReportWindow, StoppingTheBuildClosesTheWindow)
{
    Project project;
    Calculation calc;
    AppState state;
    QPrinter printer;
    auto *window = new ReportWindow(project, calc, state, printer);
    QSignalSpy closed(window, &ReportWindow::closed);
    window->show();
    int calls = 0;
    bool stoppedByCallback = false;
    ModalScript script;
    script
        .on<ProgressWindow>([](ProgressWindow *p) {
            EXPECT_EQ(p->windowTitle(), QStringLiteral("ただいま計算書作成中です..."));
            p->close();
        })
        .answer(QMessageBox::Yes)
        .on<ProgressWindow>([](ProgressWindow *) {});
    const bool built = window->buildReport([&](const ReportProgress &progress) {
        BuiltReport r;
        for (; calls < 100000; ++calls) {
            if (!progress(std::min(calls / 10 + 1, 10))) {
                stoppedByCallback = true;
                r.cancelled = true;
                return r;
            }
            QThread::msleep(1);
        }
        r.document = test::NumberedPages(2);
        return r;
    });
    EXPECT_FALSE(built);
    EXPECT_TRUE(stoppedByCallback);
    EXPECT_EQ(closed.count(), 1);
    ASSERT_GE(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, QStringLiteral("計算書作成処理を中止します。"));
    QApplication::processEvents();
}

// Print this page and print all go to the printer without a dialog after their question, with the pages
// asked for; the cover counts as a page.
TEST(ReportWindow, PrintsThisPageOrAllPages)
{
    Window w(6);
    const QString file = w.printer.outputFileName();
    struct Case {
        const char *name;
        std::function<void()> command;
        QMessageBox::StandardButton answer;
        int pages;  // -1: nothing written
        QString question;
    } const cases[] = {
        {"cancelled", [&] { w.window->printAllCommand(); }, QMessageBox::Cancel, -1,
         QStringLiteral(
             "作成した計算書(全ページ)をプリンターへ出力します。\rよろしいですか？\r\rﾌﾟﾘﾝﾀ名： ") +
             file},
        {"this page", [&] { w.window->printThisPageCommand(); }, QMessageBox::Ok, 1,
         QStringLiteral("現在、表示されているページのみ印刷します。\r\rﾌﾟﾘﾝﾀ名： ") + file},
        {"all", [&] { w.window->printAllCommand(); }, QMessageBox::Ok, 6, {}},
    };
    w.window->setCurrentPage(4);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(file);
        ModalScript script;
        script.answer(c.answer);
        c.command();
        ASSERT_EQ(script.boxes().size(), 1u);
        EXPECT_EQ(script.boxes()[0].title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
        if (!c.question.isEmpty())
            EXPECT_EQ(QString(script.boxes()[0].text).replace('\n', '\r'), c.question);
        EXPECT_EQ(PdfPages(file), c.pages);
    }
}

// Without a printer the window says so and offers the PDF file; the export proposes the project's name,
// writes every page, and says clearly when the file cannot be written.
TEST(ReportWindow, PdfExportAndNoPrinter)
{
    Window w(7);
    // As on a machine without printers: a PDF printer without a file.
    w.printer.setOutputFileName(QString());
    w.window->setProjectFilePath(w.dir.filePath(QStringLiteral("house.RQX")));
    QString target = w.dir.filePath(QStringLiteral("report.pdf"));
    QStringList proposed;
    w.window->setFileChooser([&](QWidget *, const FileDialogRequest &r) {
        proposed << r.initialPath;
        return target;
    });
    {
        ModalScript script;
        script.answer(QMessageBox::Yes).answer(QMessageBox::Ok);
        w.window->printAllCommand();
        EXPECT_EQ(PdfPages(target), 7);
        ASSERT_EQ(script.boxes().size(), 2u);
        EXPECT_TRUE(
            script.boxes()[0].text.startsWith(QStringLiteral("プリンターがインストールされていないため")));
        EXPECT_TRUE(script.boxes()[1].text.startsWith(QStringLiteral("PDFファイルに出力しました。")));
        EXPECT_EQ(proposed, QStringList{w.dir.filePath(QStringLiteral("house.pdf"))});
    }

    target = w.dir.filePath(QStringLiteral("missing/folder/report.pdf"));
    ModalScript failing;
    failing.answer(QMessageBox::Ok);
    w.window->exportPdfCommand();
    ASSERT_EQ(failing.boxes().size(), 1u);
    EXPECT_TRUE(failing.boxes()[0].text.startsWith(QStringLiteral("PDFファイルを書き込めませんでした。")));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(failing.unexpected().isEmpty());
}

}  // namespace
}  // namespace rqx
