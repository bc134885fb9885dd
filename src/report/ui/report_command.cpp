#include "report/ui/report_command.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>

#include "calc/n_value.h"
#include "document/project_document.h"
#include "print/print_surface.h"
#include "report/report_builder.h"
#include "report/ui/printer_select.h"
#include "widgets/main_window_host.h"
#include "widgets/message.h"

namespace rqx {

namespace {

const QString kCR = QStringLiteral("\r");

QString TransferWarningText()
{
    return QStringLiteral("直交梁による柱引抜き力が１階に伝達されない２階柱があります。") + kCR + kCR +
           QStringLiteral(
               "ただし、｢VELM-RQX｣ では直交梁の梁仕口の勝ち負けを考慮していませんので、実プランと異なる") +
           kCR +
           QStringLiteral(
               "ことがあります。｢二年目の施行｣では、直交梁の影響を要求されていませんので、この場合は、設計") +
           kCR + QStringLiteral("者の判断によります。") + kCR +
           QStringLiteral("直交梁による柱引抜き力の考慮・非考慮は、[設定]-[直交梁の影響] で変更可能です。") +
           kCR + kCR + QStringLiteral("このまま計算書を作成しますか？");
}

}  // namespace

ReportBuilder CalculationReportBuilder(const Project &project, const Calculation &calc)
{
    return [&project, &calc](const ReportProgress &progress) {
        PrintSurface surface;
        ReportOptions options;
        options.progress = [&progress](int count, int) { return progress(count); };
        const ReportResult result = BuildReport(surface, project, calc, options);
        BuiltReport built;
        built.cancelled = !result.completed;
        built.document = surface.TakeDocument();
        built.contents = result.toc;
        return built;
    };
}

ReportWindow *ReportCommand(const ReportHost &host, const ReportCommandSetup &setup)
{
    QWidget *main = host.mainWindow;
    MessageAnswer answer =
        ShowMessage(QStringLiteral("計算書を作成します。"), MessageKind::OkCancel, kMessageTitle, main);
    if (answer != MessageAnswer::Ok)
        return nullptr;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (setup.closeMainViews)
        setup.closeMainViews();
    const Calculation &calc = host.document->calculation();
    const Project &project = host.document->project();
    QApplication::restoreOverrideCursor();
    if (calc.anyNotCarried == 1 && project.grid.crossBeamNoWarning == 0) {
        answer = ShowMessage(TransferWarningText(), MessageKind::YesNo, kMessageTitle, main);
        if (answer != MessageAnswer::Yes)
            return nullptr;
    }

    auto *report = new ReportWindow(project, calc, *host.state, *host.printer);
    report->setViews(setup.views);
    report->setProjectFilePath(host.projectFilePath);
    report->setHelpFilePath(host.helpFilePath);
    // The report window takes the main window's place until it closes.
    if (main) {
        QPointer<QWidget> guard(main);
        QObject::connect(report, &ReportWindow::closed, main, [guard] {
            if (guard) {
                guard->show();
                guard->activateWindow();
            }
        });
        main->hide();
    }
    report->show();
    const ReportBuilder builder = setup.builder ? setup.builder : CalculationReportBuilder(project, calc);
    if (!report->buildReport(builder))
        return nullptr;
    return report;
}

void InstallReportCommand(MainWindowHost &window, ReportCommandSetup setup)
{
    // The main window chooses its printer with the report window's dialog.
    InstallPrinterSetupCommand(window);
    QAction *action = window.commandAction(HostCommand::ReportPreview);
    if (!action)
        return;
    action->setEnabled(true);
    action->setText(QStringLiteral("計算書ﾌﾟﾚﾋﾞｭｰ(&V)"));
    if (QMenu *view = window.viewMenu()) {
        QList<QAction *> items = view->actions();
        view->insertAction(items.isEmpty() ? nullptr : items.first(), action);
        if (!items.isEmpty())
            view->insertSeparator(items.first());
    }
    QObject::connect(action, &QAction::triggered, window.hostWidget(), [&window, setup = std::move(setup)] {
        ReportHost host;
        host.mainWindow = window.hostWidget();
        host.document = &window.document();
        host.state = &window.appState();
        host.projectFilePath = window.document().dataFilePath();
        host.printer = window.applicationPrinter();
        host.helpFilePath = window.helpFilePath();
        ReportCommand(host, setup);
    });
}

}  // namespace rqx
