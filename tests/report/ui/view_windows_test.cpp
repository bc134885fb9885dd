// The transfer check and frame views: red columns where the calculation finds the pull-out not carried,
// the header and footer variants, the frame navigation with its beeps, one window of each kind, the print
// questions and the help topics.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "calc/ui/calc_settings_forms.h"
#include "document/project_document.h"
#include "print/print_document.h"
#include "report/plan_pages.h"
#include "report/ui/page_preview.h"
#include "report/ui/test_report.h"
#include "report/ui/view_commands.h"
#include "shell/modal_script.h"
#include "widgets/help_window.h"
#include "shell/ui/main_form.h"
#include "support/house_builder.h"
#include "support/writable_project.h"

namespace rqx {
namespace {

// Storey 2's column (2,3) stands on a beam whose cross member ends on nothing at (3,5): its pull-out is not
// carried. `supported` puts a first-storey column under it.
Project TransferHouse(bool supported, int crossBeamIgnored)
{
    Project p = samples::NewProject(4, 4, 2, 2, samples::LineNames::kNone);
    samples::PlaceColumn(p, 1, 3, 1);
    samples::PlaceColumn(p, 1, 1, 3);
    samples::PlaceColumn(p, 2, 2, 3);
    samples::PlaceColumn(p, 2, 3, 1);
    samples::PlaceBeam(p, 2, kDirY, 3, 1, 5);
    samples::PlaceBeam(p, 2, kDirX, 3, 1, 3);
    samples::PlaceWall(p, 2, kDirX, 3, 1, 2, kKeyMenzai, 4);
    if (supported)
        samples::PlaceColumn(p, 1, 2, 3);
    p.grid.crossBeamIgnored = crossBeamIgnored;
    return p;
}

QString Texts(const PrintDocument &doc, std::uint8_t flag)
{
    QString out;
    const PrintPage &page = doc.page(1);
    for (const PageItem &it : page.items)
        if (it.kind == PageItemKind::Text && (it.flags & flag))
            out += doc.string(it.a);
    return out;
}

int RedShapes(const PrintDocument &doc)
{
    int red = 0;
    for (const PageItem &it : doc.page(1).items)
        if (it.kind == PageItemKind::Rectangle && qRed(doc.pen(it.a).color) == 255 &&
            qGreen(doc.pen(it.a).color) == 0)
            ++red;
    return red;
}

int NotCarried(const Project &p, const Calculation &c)
{
    int n = 0;
    for (int y = 1; y <= p.info.spanCountY + 1; ++y)
        for (int x = 1; x <= p.info.spanCountX + 1; ++x)
            n += p.nodes(x, y, 2).columnKind > 0 && c.results(x, y, 2).notCarried == 1 ? 1 : 0;
    return n;
}

const QString kNote = QStringLiteral(
    "赤い柱は、下階に柱がなくその引抜き力が、下階柱に正しく伝達されていません。"
    "梁配置のモデル化を変更してください。");
const QString kRedLegend = QStringLiteral("(赤：１階柱にＮ値が伝達されていない柱)");

TEST(TransferCheckView, RedColumnsHeaderAndFooterFollowTheCalculation)
{
    struct Case {
        bool supported;
        int crossBeamIgnored;
        int red;
    } cases[] = {{false, 0, 1}, {false, 1, 0}, {true, 0, 0}};
    for (const Case &c : cases) {
        ProjectDocument document;
        document.replaceProject(TransferHouse(c.supported, c.crossBeamIgnored));
        Project &p = rqx::test::Writable(document);
        QPrinter printer;
        ProjectViews views(document, [&printer] { return &printer; });
        TransferCheckView *view = views.openTransferCheck(nullptr);
        ASSERT_TRUE(view && view->document());
        const PrintDocument &doc = *view->document();
        SCOPED_TRACE(testing::Message() << c.supported << c.crossBeamIgnored);
        EXPECT_EQ(NotCarried(p, document.calculation()), c.red);
        EXPECT_EQ(RedShapes(doc), c.red);
        EXPECT_EQ(document.calculation().anyNotCarried, c.red > 0 ? 1 : 0);
        const QString header = Texts(doc, kItemHeader), footer = Texts(doc, kItemFooter);
        EXPECT_TRUE(header.contains(QStringLiteral("[２階柱Ｎ値伝達チェック]")));
        EXPECT_EQ(header.contains(kNote), c.red > 0) << header.toStdString();
        EXPECT_EQ(footer.contains(kRedLegend), c.red > 0) << footer.toStdString();
        EXPECT_TRUE(footer.contains(QStringLiteral("―｜：２階床梁, 　筋かい：２階筋かい")));
        EXPECT_EQ(view->windowTitle(), kAppTitle + QStringLiteral("   ２階柱Ｎ値伝達チェック"));
        views.closeAll();
    }
}

TEST(ProjectViews, OneWindowOfEachKind)
{
    ProjectDocument document;
    document.replaceProject(TransferHouse(false, 0));
    Project &p = rqx::test::Writable(document);
    QPrinter printer;
    ProjectViews views(document, [&printer] { return &printer; });
    TransferCheckView *check = views.openTransferCheck(nullptr);
    const PrintDocument *page = check->document();
    EXPECT_EQ(document.calculation().results(2, 3, 2).notCarried, 1);
    // The project changed since: the second command calculates again, and raises the open view.
    p.grid.crossBeamIgnored = 1;
    document.markSettingsChanged();
    EXPECT_EQ(views.openTransferCheck(nullptr), check);
    EXPECT_EQ(check->document(), page) << "raised, not drawn again";
    EXPECT_EQ(document.calculation().results(2, 3, 2).notCarried, 0);

    QPointer<TransferCheckView> oldCheck = check;
    FrameView *frame = views.openFrameView(nullptr, kDirX, 2);
    EXPECT_TRUE(!oldCheck || !oldCheck->isVisible()) << "the frame view closes the transfer check";
    QPointer<FrameView> oldFrame = frame;
    FrameView *second = views.openFrameView(nullptr, kDirY, 5);
    EXPECT_NE(second, oldFrame.data());
    EXPECT_TRUE(!oldFrame || !oldFrame->isVisible());
    EXPECT_EQ(second->currentYLine(), 5);
    views.closeAll();
    EXPECT_FALSE(views.frameView());
}

TEST(TransferCheckView, ZoomTextsAndRightClickMenu)
{
    ProjectDocument document;
    document.replaceProject(TransferHouse(false, 0));
    QPrinter printer;
    ProjectViews views(document, [&printer] { return &printer; });
    TransferCheckView *view = views.openTransferCheck(nullptr);
    EXPECT_EQ(view->zoomCombo()->currentText(), QStringLiteral("全体表示"));
    EXPECT_EQ(view->preview()->zoomMode(), PreviewZoom::WholePage);
    // Typed into the box as a designer types them (Enter applies), or chosen; the box then shows the
    // zoom the view has, a text it cannot apply included.
    struct Case {
        QString text;
        PreviewZoom mode;
        double percent;  // 0: not a percentage
        QString shown;
    } cases[] = {{"150(%)", PreviewZoom::Percent, 150, "150(%)"},
                 {"全体表示", PreviewZoom::WholePage, 0, "全体表示"},
                 {"200", PreviewZoom::Percent, 200, "200(%)"},
                 {"175(%)", PreviewZoom::Percent, 200, "200(%)"},
                 {"120", PreviewZoom::Percent, 120, "120(%)"},
                 {"abc", PreviewZoom::Percent, 120, "120(%)"},
                 {"200%", PreviewZoom::Percent, 200, "200(%)"},
                 {"１２０", PreviewZoom::Percent, 120, "120(%)"}};
    QComboBox *box = view->zoomCombo();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        box->lineEdit()->selectAll();
        box->lineEdit()->setText(c.text);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(view->preview()->zoomMode(), c.mode);
        if (c.percent > 0)
            EXPECT_DOUBLE_EQ(view->preview()->zoomPercent(), c.percent);
        EXPECT_EQ(box->currentText(), c.shown);
    }
    // The menu's item goes into the drop-down and applies.
    view->zoomMenu()->actions().at(0)->trigger();
    EXPECT_EQ(view->zoomCombo()->currentText(), QStringLiteral("全体表示"));
    EXPECT_EQ(view->preview()->zoomMode(), PreviewZoom::WholePage);
    views.closeAll();
}

// A one-storey house has no second storey to check: one line says so, and neither its roof beams nor the
// second-storey legend are drawn.
TEST(TransferCheckView, OneStoreyHouseSaysThereIsNothingToCheck)
{
    Project p = samples::NewProject(4, 4, 1, 2, samples::LineNames::kNone);
    samples::PlaceColumn(p, 1, 3, 1);
    samples::PlaceColumn(p, 1, 1, 3);
    samples::PlaceBeam(p, 2, kDirX, 3, 1, 3);  // the roof beams of the one storey
    ProjectDocument document;
    document.replaceProject(p);
    QPrinter printer;
    ProjectViews views(document, [&printer] { return &printer; });
    const PrintDocument &doc = *views.openTransferCheck(nullptr)->document();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(doc.pageTexts(1).filter(kNoSecondStoreyText).size(), 1);
    EXPECT_FALSE(Texts(doc, kItemFooter).contains(QStringLiteral("備考")));
    int drawn = 0;
    for (const PageItem &it : doc.page(1).items)
        drawn += it.kind != PageItemKind::Text;
    EXPECT_EQ(drawn, 0);
    EXPECT_TRUE(doc.page(1).figures.empty());
    views.closeAll();
}

// The main window's commands and the report window's open the same views; the report window's close
// takes its views with it.
TEST(ProjectViews, OpenedFromTheMainAndReportWindows)
{
    QTemporaryDir dir;
    AppState state;
    state.programDir = dir.path();
    ProjectDocument document;
    MainForm window(document, state);
    rqx::test::Writable(document) = TransferHouse(false, 0);
    window.RebuildFrameMenus();
    ProjectViews *views = InstallViewCommands(window);
    EXPECT_TRUE(window.frameMenuX()->menuAction()->isEnabled());
    EXPECT_TRUE(window.viewMenu()->actions().contains(window.toolbarAction(QStringLiteral("NChkFig"))));

    window.toolbarAction(QStringLiteral("NChkFig"))->trigger();
    ASSERT_TRUE(views->transferCheck());
    EXPECT_EQ(RedShapes(*views->transferCheck()->document()), 1);
    window.frameMenuY()->actions().first()->trigger();  // the top Y line
    EXPECT_FALSE(views->transferCheck());
    ASSERT_TRUE(views->frameView());
    EXPECT_EQ(views->frameView()->direction(), kDirY);
    EXPECT_EQ(views->frameView()->currentYLine(), 5);

    QPrinter printer;
    auto *report = new ReportWindow(document.project(), document.calculation(), state, printer);
    report->setViews(views->reportViews());
    report->setReport(test::TestReport(3));
    report->transferCheckCommand();
    QPointer<TransferCheckView> check = views->transferCheck();
    ASSERT_TRUE(check);
    EXPECT_FALSE(views->frameView());
    report->frameViewCommand(kDirX, 2);
    QPointer<FrameView> frame = views->frameView();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->currentXLine(), 2);
    report->closeWithoutQuestion();  // deletes itself
    EXPECT_TRUE(!frame || !frame->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frame);
}

TEST(FrameView, NavigationBeepsAtTheEndsAndKeepsEachDirectionsLine)
{
    ProjectDocument document;
    document.replaceProject(
        samples::NewProject(4, 3, 2, 2, samples::LineNames::kNone));  // X lines 1..5, Y lines 1..4
    Project &p = rqx::test::Writable(document);
    QPrinter printer;
    ProjectViews views(document, [&printer] { return &printer; });
    int beeps = 0;
    views.setBeep([&beeps] { ++beeps; });
    FrameView *view = views.openFrameView(nullptr, kDirX, 3);
    struct Step {
        char action;  // n next, p previous, x / y direction
        int dir, xLine, yLine, beeps;
    } steps[] = {
        {'n', 1, 4, 1, 0}, {'n', 1, 5, 1, 0}, {'n', 1, 5, 1, 1}, {'y', 2, 5, 1, 1},
        {'p', 2, 5, 1, 2}, {'n', 2, 5, 2, 2}, {'n', 2, 5, 3, 2}, {'n', 2, 5, 4, 2},
        {'n', 2, 5, 4, 3}, {'x', 1, 5, 4, 3}, {'p', 1, 4, 4, 3}, {'y', 2, 4, 4, 3},
    };
    for (const Step &s : steps) {
        switch (s.action) {
            case 'n':
                view->toolbarAction(QStringLiteral("NextFrame"))->trigger();
                break;
            case 'p':
                view->toolbarAction(QStringLiteral("BeforFrame"))->trigger();
                break;
            default:
                view->directionButton(s.action == 'x' ? kDirX : kDirY)->click();
        }
        SCOPED_TRACE(testing::Message() << s.action << " → " << s.dir << " " << s.xLine << " " << s.yLine);
        EXPECT_EQ(view->direction(), s.dir);
        EXPECT_EQ(view->currentXLine(), s.xLine);
        EXPECT_EQ(view->currentYLine(), s.yLine);
        EXPECT_EQ(beeps, s.beeps);
        const int line = s.dir == kDirX ? s.xLine : s.yLine;
        const QString name = (s.dir == kDirX ? p.grid.lineNameX[line] : p.grid.lineNameY[line]).trimmed();
        EXPECT_EQ(view->titleLabel()->text(), name + QStringLiteral(" 通り 軸組図"));
        EXPECT_TRUE(Texts(*view->document(), kItemFooter).contains(name + QStringLiteral(" 通り 軸組図")));
        EXPECT_TRUE(view->directionButton(s.dir)->isChecked());
    }
    views.closeAll();
}

// The questions name the printer; Cancel prints nothing, OK prints the page shown, one page.
TEST(ProjectViews, PrintQuestionsNameThePrinter)
{
    ProjectDocument document;
    document.replaceProject(TransferHouse(false, 0));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ProjectViews views(document, [&printer] { return &printer; });
    test::ModalScript script;
    script.answer(QMessageBox::Cancel).answer(QMessageBox::Ok);
    views.openTransferCheck(nullptr)->toolbarAction(QStringLiteral("Print"))->trigger();
    EXPECT_FALSE(QFile::exists(pdf));
    views.openFrameView(nullptr, kDirY, 1)->toolbarAction(QStringLiteral("Print"))->trigger();
    ASSERT_EQ(script.boxes().size(), 2u);
    const QString device = QStringLiteral("ﾌﾟﾘﾝﾀ名： ") + pdf;
    EXPECT_EQ(script.boxes()[0].text,
              QStringLiteral("現在、表示されているページを印刷します。\n\n") + device);
    EXPECT_EQ(script.boxes()[1].text, QStringLiteral("軸組図を印刷します。\n\n") + device);
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray bytes = out.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
    views.closeAll();
}

// Every help button and 目次 reaches its topic of the help document; a missing document is named.
TEST(Help, ButtonsReachTheirTopics)
{
    SetHelpDocumentPath(QStringLiteral(VELM_HELP_DOCUMENT));
    ProjectDocument viewed;
    viewed.replaceProject(TransferHouse(false, 0));
    Project &p = rqx::test::Writable(viewed);
    QPrinter printer;
    ProjectViews views(viewed, [&printer] { return &printer; });
    QTemporaryDir dir;
    AppState state;
    state.programDir = dir.path();
    ProjectDocument document;
    CrossGSetForm settings(document, state, QString());
    MainForm window(document, state);
    ReportWindow report(p, viewed.calculation(), state, printer);
    report.setAttribute(Qt::WA_DeleteOnClose, false);
    struct Case {
        const char *name;
        std::function<void()> press;
        QString anchor;
    } cases[] = {
        {"transfer check", [&] { views.openTransferCheck(nullptr)->helpButton()->click(); },
         "orthogonal-beams"},
        {"main window 目次", [&] { window.toolbarAction(QStringLiteral("MenuHelp_Help"))->trigger(); }, ""},
        {"orthogonal-beam settings", [&] { settings.helpButton()->click(); }, "orthogonal-beams"},
        {"report window 目次", [&] { report.helpCommand(); }, ""},
    };
    HelpWindow *help = nullptr;
    for (const Case &c : cases) {
        c.press();
        help = OpenHelpWindow();
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(help);
        EXPECT_EQ(help->currentAnchor(), c.anchor);
        const int scrolled = help->browser()->verticalScrollBar()->value();
        EXPECT_EQ(scrolled > 0, !c.anchor.isEmpty()) << scrolled;
    }
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("２階柱Ｎ値伝達チェックの見方")));
    help->close();
    views.closeAll();

    SetHelpDocumentPath(QStringLiteral("/nonexistent/help/index.html"));
    test::ModalScript script;
    script.answer(QMessageBox::Ok);
    EXPECT_EQ(ShowHelp(nullptr, kHelpOrthogonalBeams), nullptr);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, QStringLiteral("/nonexistent/help/index.html が見つかりません。"));
    SetHelpDocumentPath(QString());
}

}  // namespace
}  // namespace rqx
