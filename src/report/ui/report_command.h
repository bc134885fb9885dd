#pragma once
// The main window's report command (表示 → 計算書ﾌﾟﾚﾋﾞｭｰ and the toolbar's PreView): the question, the
// calculation, the warning about second-storey pull-out not carried down, then the report window in the
// main window's place.

#include <functional>

#include "report/ui/report_window.h"

namespace rqx {

class ProjectDocument;

class MainWindowHost;

// The main window the report window stands in for, and what it lends the report window.
struct ReportHost {
    QWidget *mainWindow = nullptr;
    ProjectDocument *document = nullptr;  // the open project, calculated by it
    AppState *state = nullptr;
    QPrinter *printer = nullptr;  // the application printer
    QString helpFilePath;
    QString projectFilePath = kNewDataName;  // the open project's file
};

// What the command needs besides the main window (tests replace the builder).
struct ReportCommandSetup {
    ReportBuilder builder;  // empty: the calculation report of the main window's project
    ReportViews views;
    // Closes the frame and transfer-check views of the main window when they are open.
    std::function<void()> closeMainViews;
};

// Adds 計算書ﾌﾟﾚﾋﾞｭｰ(&V) to the 表示 menu, enables the PreView button and ties both to the command.
void InstallReportCommand(MainWindowHost &window, ReportCommandSetup setup = {});

// Runs the command; returns the report window when one was opened (it deletes itself when closed).
ReportWindow *ReportCommand(const ReportHost &host, const ReportCommandSetup &setup = {});

// The builder of the calculation report of `project` with its calculation.
ReportBuilder CalculationReportBuilder(const Project &project, const Calculation &calc);

}  // namespace rqx
