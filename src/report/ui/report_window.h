#pragma once
// PrtPaper: the report window. It builds the calculation report with the progress window, shows it in the
// preview with the table of contents, page navigation and the zoom choices, prints all pages or the page
// shown to the application printer without a print dialog, exports the report as PDF, and opens the frame
// and transfer-check views when they are available. It takes the main window's place while it is open.

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

#include "calc/calculation.h"
#include "model/project.h"
#include "report/report_builder.h"
#include "report/ui/dxf_output.h"
#include "report/ui/print_output.h"
#include "widgets/file_chooser.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPrinter;
class QRadioButton;
class QToolBar;

namespace rqx {

class PagePreview;
class PrintDocument;

// The table of contents is the build's (ReportToc): by group (0 the cover, 1 chapter 1, 2 chapter 2,
// 3 chapter 3) and by the section's last number (from 1; the cover is entry 1 of group 0), the page
// (0 = not in the report) and the title's scroll offset in twips from the paper's top edge.
inline constexpr int kContentsGroups = ReportToc::kGroups;
inline constexpr int kContentsPerGroup = ReportToc::kEntries;

// What a report build hands back.
struct BuiltReport {
    std::shared_ptr<const PrintDocument> document;
    ReportToc contents{};
    bool cancelled = false;
};
// Called after each report step with the steps done; false asks the build to stop.
using ReportProgress = std::function<bool(int stepsDone)>;
using ReportBuilder = std::function<BuiltReport(const ReportProgress &progress)>;

// The views the report window opens (absent until they exist): the transfer check view, and the frame view
// of grid line `line` in direction `dir` (1 X, 2 Y). Each returns its modeless window, which closes with
// the report window.
struct ReportViews {
    std::function<QWidget *(QWidget *owner)> openTransferCheck;
    std::function<QWidget *(QWidget *owner, int dir, int line)> openFrameView;
};

class ReportWindow : public QMainWindow {
    Q_OBJECT
public:
    // Zoom menu entries, in menu order.
    enum ZoomChoice { ZoomWhole, ZoomWidth, Zoom120, Zoom150, Zoom200, ZoomTwoPages, ZoomThumbnails };

    // Shows the report of the project with its calculation; both outlive the window.
    ReportWindow(const Project &project, const Calculation &calc, AppState &state, QPrinter &printer,
                 QWidget *parent = nullptr);
    ~ReportWindow() override;

    // Builds the report with the progress window shown (the hourglass on). When the designer stops the
    // build, the window closes without its question and false is returned.
    bool buildReport(const ReportBuilder &builder);
    // Shows a built report from its cover.
    void setReport(BuiltReport report);

    void setViews(ReportViews views);
    // The open project's file: the PDF export offers its name and folder.
    void setProjectFilePath(const QString &path) { projectFilePath_ = path; }
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    void setFolderChooser(FolderChooser chooser) { folderChooser_ = std::move(chooser); }
    void setHelpFilePath(const QString &path) { helpFilePath_ = path; }

    // ---- Navigation ----
    int currentPage() const { return currentPage_; }
    int pageCount() const { return pageCount_; }
    void setCurrentPage(int page);
    // Shows currentPage and updates the page label.
    void ShowPage();
    // 1 first, 2 previous (from the cover to the last page), 3 next (from the last to the cover), 4 last.
    void GoToPage(int kind);
    // A contents button: its recorded page, scrolled to its recorded offset.
    void jumpToContents(int group, int index);
    void selectZoom(int choice);

    // ---- Commands ----
    void printAllCommand();
    void printThisPageCommand();
    void printerSetupCommand();
    void exportPdfCommand();
    void exportDxfCommand();
    void transferCheckCommand();
    void frameViewCommand(int dir, int line);
    void helpCommand();
    void aboutCommand();
    // Closes without the question (after a stopped build, or when the program ends).
    void closeWithoutQuestion();

    // ---- Parts, for the commands and the tests ----
    PagePreview *preview() const { return preview_; }
    QLabel *pageLabel() const { return pageLabel_; }
    QLabel *warningPanel() const { return warningPanel_; }
    QLabel *lCoefficientLabel() const { return lCoefficientLabel_; }
    QRadioButton *contentsButton(int group, int index) const;
    QAction *toolbarAction(const QString &key) const;
    QToolBar *toolBar() const { return toolBar_; }
    QMenu *zoomMenu() const { return zoomMenu_; }
    QMenu *frameMenuX() const { return frameMenuX_; }
    QMenu *frameMenuY() const { return frameMenuY_; }
    const ReportToc &contents() const { return contents_; }
    const PrintDocument *document() const { return document_.get(); }
    // The surface's orientation (0 portrait, 1 landscape), taken from the printer at printer setup.
    int orientation() const { return orientation_; }
    const QString &printerName() const { return printerName_; }

signals:
    // The window has closed (the main window shows itself again).
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildContentsPanel();
    void buildMenusAndToolBar();
    void rebuildFrameMenus();
    void refreshZoomChecks();
    // Pages first..last to the printer after `question`, or their PDF when there is no printer.
    PrintJob printJob(int first, int last, const QString &question) const;
    // Shows in the contents the section the page shown belongs to.
    void markContents();
    void closeViews();
    QAction *makeAction(const QString &key, const QString &text);

    const Project &project_;
    const Calculation &calc_;
    AppState &state_;
    QString projectFilePath_ = kNewDataName;
    QPrinter &printer_;
    std::shared_ptr<const PrintDocument> document_;
    ReportToc contents_{};
    int currentPage_ = 1;
    int pageCount_ = 0;
    int orientation_ = 0;
    QString printerName_;
    bool closeWithoutQuestion_ = false;
    bool building_ = false;

    PagePreview *preview_ = nullptr;
    QLabel *pageLabel_ = nullptr;
    QLabel *warningPanel_ = nullptr;
    QLabel *lCoefficientLabel_ = nullptr;
    std::array<std::array<QRadioButton *, kContentsPerGroup + 1>, kContentsGroups> contentsButtons_{};
    QToolBar *toolBar_ = nullptr;
    QHash<QString, QAction *> actions_;
    QMenu *zoomMenu_ = nullptr;
    QActionGroup *zoomGroup_ = nullptr;
    QMenu *frameMenuX_ = nullptr;
    QMenu *frameMenuY_ = nullptr;

    ReportViews views_;
    QPointer<QWidget> transferCheckView_;
    QPointer<QWidget> frameView_;
    FileChooser fileChooser_;
    FolderChooser folderChooser_ = ChooseFolderWithDialog;
    QString helpFilePath_;
};

}  // namespace rqx
