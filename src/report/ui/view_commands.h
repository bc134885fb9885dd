#pragma once
// The commands that open the transfer check and frame views, from the main window and from the report
// window: the calculation first, then at most one window of each kind.

#include <QObject>
#include <QPointer>

#include <functional>

#include "report/ui/report_window.h"
#include "report/ui/view_windows.h"

class QPrinter;

namespace rqx {

class MainWindowHost;
class ProjectDocument;

class ProjectViews : public QObject {
    Q_OBJECT
public:
    // The views of the document's project, calculated by the document when one opens; printer: the
    // application printer, asked for when a view is opened.
    ProjectViews(ProjectDocument &document, std::function<QPrinter *()> printer, QObject *parent = nullptr);

    // Closes the frame view, calculates and shows the transfer check; an open one is raised as it is.
    TransferCheckView *openTransferCheck(QWidget *owner);
    // Closes both views, calculates and shows the frame of (direction, line).
    FrameView *openFrameView(QWidget *owner, int direction, int line);
    void closeAll();

    TransferCheckView *transferCheck() const { return transferCheck_; }
    FrameView *frameView() const { return frameView_; }
    // What the report window opens.
    ReportViews reportViews();
    // Replaces the system beep of the frame navigation (tests).
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }
    // The folder of an unsaved project's PDF, and the file dialog asking for it (tests answer it).
    void setOtherFolder(std::function<QString()> folder) { otherFolder_ = std::move(folder); }
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

private:
    ViewHost host();

    ProjectDocument &document_;
    std::function<QPrinter *()> printer_;
    std::function<void()> beep_;
    std::function<QString()> otherFolder_;
    FileChooser chooser_;
    QPointer<TransferCheckView> transferCheck_;
    QPointer<FrameView> frameView_;
};

// Ties 表示 → ２階Ｎ値伝達ﾁｪｯｸ(&N), the NChkFig button and the frame menus of the main window to the views
// and enables them. The views close when another project is opened or the grid changes. The returned
// object belongs to the window; hand its reportViews() and closeAll() to the report command.
ProjectViews *InstallViewCommands(MainWindowHost &window);

}  // namespace rqx
