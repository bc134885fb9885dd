#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "document/project_document.h"
#include "print/print_document.h"
#include "report/ui/report_command.h"
#include "report/ui/test_report.h"
#include "shell/modal_script.h"
#include "support/house_builder.h"
#include "support/writable_project.h"

namespace rqx {
namespace {

using test::ModalScript;

// Two storeys of 4 × 4 spans; with `notCarried` a second-storey column stands on a beam whose cross
// member ends on nothing, so its pull-out reaches no first-storey column.
Project House(bool notCarried)
{
    Project p = samples::NewProject(4, 4, 2, 2, samples::LineNames::kNone);
    samples::PlaceColumn(p, 1, 3, 1);
    samples::PlaceColumn(p, 1, 1, 3);
    samples::PlaceColumn(p, 2, 3, 1);
    if (notCarried)
        samples::PlaceColumn(p, 2, 2, 3);
    samples::PlaceBeam(p, 2, 2, 3, 1, 5);
    samples::PlaceBeam(p, 2, 1, 3, 1, 3);
    samples::PlaceWall(p, 2, 1, 3, 1, 2, kKeyMenzai, 4);
    return p;
}

const QString kWarning = QStringLiteral(
    "直交梁による柱引抜き力が１階に伝達されない２階柱があります。\r\r"
    "ただし、｢VELM-RQX｣ では直交梁の梁仕口の勝ち負けを考慮していませんので、実プランと異なる\r"
    "ことがあります。｢二年目の施行｣では、直交梁の影響を要求されていませんので、この場合は、設計\r"
    "者の判断によります。\r"
    "直交梁による柱引抜き力の考慮・非考慮は、[設定]-[直交梁の影響] で変更可能です。\r\r"
    "このまま計算書を作成しますか？");

// The question, the calculation, the transfer warning (asked only when a pull-out is not carried and the
// project wants the warning), then the report window in the main window's place.
TEST(ReportCommand, QuestionsThenTheReportWindowInTheMainWindowsPlace)
{
    struct Case {
        const char *name;
        bool notCarried;
        int noWarning;
        std::vector<QMessageBox::StandardButton> answers;
        bool opens;
    } const cases[] = {
        {"cancelled", true, 0, {QMessageBox::Cancel}, false},
        {"warning answered No", true, 0, {QMessageBox::Ok, QMessageBox::No}, false},
        {"warning answered Yes", true, 0, {QMessageBox::Ok, QMessageBox::Yes}, true},
        {"warning switched off", true, 1, {QMessageBox::Ok}, true},
        {"all carried", false, 0, {QMessageBox::Ok}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProjectDocument document;
        document.replaceProject(House(c.notCarried));
        Project &project = rqx::test::Writable(document);
        project.grid.crossBeamNoWarning = c.noWarning;
        AppState state;
        QPrinter printer;
        QWidget main;
        main.show();
        ModalScript script;
        for (auto a : c.answers)
            script.answer(a);
        ReportCommandSetup setup;
        setup.builder = [](const ReportProgress &) { return test::TestReport(3); };
        ReportWindow *window = ReportCommand({&main, &document, &state, &printer, {}}, setup);
        EXPECT_EQ(document.calculation().anyNotCarried, c.notCarried ? 1 : 0);
        ASSERT_EQ(script.boxes().size(), c.answers.size());
        EXPECT_EQ(script.boxes()[0].text, QStringLiteral("計算書を作成します。"));
        EXPECT_EQ(script.boxes()[0].title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
        if (c.answers.size() > 1) {
            EXPECT_EQ(QString(script.boxes()[1].text).replace('\n', '\r'), kWarning);
            // Shown in the lines it is written in, not wrapped at the box's default width.
            EXPECT_FALSE(script.boxes()[1].wrapped);
        }
        EXPECT_EQ(window != nullptr, c.opens);
        EXPECT_EQ(main.isVisible(), !c.opens);
        if (window) {
            EXPECT_EQ(window->warningPanel()->isVisible(), c.notCarried);
            EXPECT_EQ(window->pageCount(), 3);
            window->closeWithoutQuestion();
            EXPECT_TRUE(main.isVisible());
        }
        // The progress window of the build may be seen by the script; nothing else.
        const QStringList others =
            script.unexpected().filter(QRegularExpression(QStringLiteral("^(?!extra rqx::ProgressWindow)")));
        EXPECT_TRUE(others.isEmpty()) << others.join(", ").toStdString();
        QApplication::processEvents();
    }
}

// The real report of a small house: its contents records reach the window's buttons.
TEST(ReportCommand, ShowsTheCalculationReport)
{
    ProjectDocument document;
    document.replaceProject(House(false));
    AppState state;
    QPrinter printer;
    QWidget main;
    ModalScript script;
    script.answer(QMessageBox::Ok);
    ReportWindow *window = ReportCommand({&main, &document, &state, &printer, {}});
    ASSERT_NE(window, nullptr);
    EXPECT_GE(window->pageCount(), 8);
    EXPECT_EQ(window->pageLabel()->text(), QStringLiteral("表紙"));
    const int tablePage = window->contents().page[2][3];
    EXPECT_GT(tablePage, 2);
    window->jumpToContents(2, 3);
    EXPECT_EQ(window->currentPage(), tablePage);
    EXPECT_TRUE(window->document()->pageTexts(tablePage).join(QString()).contains(QStringLiteral("2.3")));
    EXPECT_EQ(window->pageLabel()->text(),
              QStringLiteral("%1 / %2").arg(tablePage - 1).arg(window->pageCount() - 1));
    window->closeWithoutQuestion();
    QApplication::processEvents();
}

}  // namespace
}  // namespace rqx
