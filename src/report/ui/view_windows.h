#pragma once
// The two page views beside the report: the second-storey column transfer check (Draw_NDentatuCheck) and
// the frame elevation of one grid line (Draw_Jiku). Each shows one landscape A4 page in the report's preview
// widget, zooms and prints it to the application printer after a question. They show the calculation made
// when they were opened; ProjectViews (view_commands.h) runs it and keeps one window of each kind.

#include <QMainWindow>

#include <functional>
#include <memory>

#include "calc/calculation.h"
#include "model/project.h"
#include "widgets/file_chooser.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace rqx {

class PagePreview;
class PrintDocument;

// What both views share: the project, the application printer and the owner's help.
struct ViewHost {
    const Project *project = nullptr;
    const Calculation *calculation = nullptr;  // the project's calculation
    QPrinter *printer = nullptr;
    // Where the PDF offered without a printer goes: beside the project file, else in `otherFolder`.
    QString projectFilePath = kNewDataName;
    QString otherFolder;
    FileChooser chooser;  // empty: the program's file dialog
    // Sounds the beep at the ends of the frame navigation (tests count it).
    std::function<void()> beep;
};

class TransferCheckView : public QMainWindow {
    Q_OBJECT
public:
    TransferCheckView(const ViewHost &host, QWidget *parent = nullptr);

    // Records the page again from the project's current results.
    void drawPage();
    // The zoom drop-down's texts: "全体表示" whole page, 120, 150 or 200 % (typed "120", "120%" or
    // "120(%)"); others change nothing. The box then shows the zoom the view has.
    void applyZoomText(const QString &text);
    void printCommand();
    void helpCommand();

    PagePreview *preview() const { return preview_; }
    const PrintDocument *document() const { return document_.get(); }
    QComboBox *zoomCombo() const { return zoom_; }
    QPushButton *helpButton() const { return help_; }
    QMenu *zoomMenu() const { return zoomMenu_; }
    QAction *toolbarAction(const QString &key) const;

private:
    void showZoom();

    ViewHost host_;
    std::shared_ptr<const PrintDocument> document_;
    PagePreview *preview_ = nullptr;
    QComboBox *zoom_ = nullptr;
    QPushButton *help_ = nullptr;
    QMenu *zoomMenu_ = nullptr;
    QHash<QString, QAction *> actions_;
};

class FrameView : public QMainWindow {
    Q_OBJECT
public:
    // Opens on (direction, line): 1 X lines, 2 Y lines; the other direction starts at its line 1.
    FrameView(const ViewHost &host, int direction, int line, QWidget *parent = nullptr);

    // Records the frame of (direction, line) and shows it; the label names the line.
    void DrawFrame(int direction, int line);
    // 前の通り / 次の通り on the current direction's line, with a beep at the ends.
    void previousLine();
    void nextLine();
    // The Ｘ通り / Ｙ通り switch: shows that direction's current line.
    void setDirection(int direction);
    void printCommand();

    int direction() const { return direction_; }
    int currentXLine() const { return currentXLine_; }
    int currentYLine() const { return currentYLine_; }
    PagePreview *preview() const { return preview_; }
    const PrintDocument *document() const { return document_.get(); }
    QLabel *titleLabel() const { return label_; }
    QRadioButton *directionButton(int direction) const { return direction == kDirX ? xButton_ : yButton_; }
    QAction *toolbarAction(const QString &key) const;

protected:
    // Activation gives the page the focus (the keys scroll it) and the normal pointer.
    void changeEvent(QEvent *event) override;

private:
    int lastLine(int direction) const;
    void beep();

    ViewHost host_;
    std::shared_ptr<const PrintDocument> document_;
    int direction_ = kDirX;
    int currentXLine_ = 1;
    int currentYLine_ = 1;
    PagePreview *preview_ = nullptr;
    QLabel *label_ = nullptr;
    QRadioButton *xButton_ = nullptr;
    QRadioButton *yButton_ = nullptr;
    QHash<QString, QAction *> actions_;
};

}  // namespace rqx
