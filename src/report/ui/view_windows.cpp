#include "report/ui/view_windows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include "print/page_render.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "report/frame_page.h"
#include "report/plan_pages.h"
#include "report/ui/page_preview.h"
#include "report/ui/print_output.h"
#include "report/ui/report_window.h"
#include "widgets/app_look.h"
#include "widgets/help_window.h"
#include "widgets/message.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

const QString kCR = QStringLiteral("\r");
const QString kSpaces3 = QStringLiteral("   ");

// 0.8 of the screen, at its top-left corner.
void PlaceOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        window->move(r.topLeft());
        window->resize(r.width() * 4 / 5, r.height() * 4 / 5);
    }
}

// F1 opens the help's contents, as 目次 does in the windows with a menu.
void AddHelpContentsKey(QWidget *window)
{
    auto *contents = new QAction(window);
    contents->setShortcut(QKeySequence::HelpContents);
    window->addAction(contents);
    QObject::connect(contents, &QAction::triggered, window, [window] { ShowHelp(window, kHelpContents); });
}

QAction *AddToolbarAction(QToolBar *bar, QHash<QString, QAction *> &actions, const QString &key,
                          const QString &text)
{
    QAction *a = bar->addAction(text);
    a->setObjectName(key);
    actions.insert(key, a);
    return a;
}

// Prints the view's page after `question`, or offers its PDF when there is no printer.
void PrintShownPage(QWidget *owner, const ViewHost &host, const PrintDocument *doc, const QString &question,
                    const QString &pdfSuffix)
{
    if (!doc || doc->pageCount() == 0 || !host.printer)
        return;
    PrintJob job;
    job.document = doc;
    job.first = 1;
    job.last = 1;
    job.question = question;
    job.title = kAppTitle;
    job.pdfPath =
        ProposedPdfPath(host.projectFilePath, host.project->info.buildingName, host.otherFolder, pdfSuffix);
    job.chooser = host.chooser;
    PrintOrOfferPdf(owner, *host.printer, job);
}

}  // namespace

// ---- Transfer check ----

TransferCheckView::TransferCheckView(const ViewHost &host, QWidget *parent) : QMainWindow(parent), host_(host)
{
    setObjectName(QStringLiteral("Draw_NDentatuCheck"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    SetFormCaption(this, kAppTitle + kSpaces3 + QStringLiteral("２階柱Ｎ値伝達チェック"));

    QToolBar *bar = addToolBar(QStringLiteral("Toolbar1"));
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setMovable(false);
    connect(AddToolbarAction(bar, actions_, QStringLiteral("Print"), QStringLiteral("印刷")),
            &QAction::triggered, this, &TransferCheckView::printCommand);
    connect(AddToolbarAction(bar, actions_, QStringLiteral("Close"), QStringLiteral("閉じる")),
            &QAction::triggered, this, &QWidget::close);
    bar->addSeparator();
    zoom_ = new QComboBox(bar);
    zoom_->setObjectName(QStringLiteral("Combo1"));
    zoom_->setToolTip(QStringLiteral("拡大／縮小"));
    zoom_->setEditable(true);
    zoom_->setInsertPolicy(QComboBox::NoInsert);
    zoom_->addItems({QStringLiteral("全体表示"), QStringLiteral("150(%)")});
    zoom_->setMinimumContentsLength(8);
    bar->addWidget(zoom_);
    help_ = new QPushButton(QStringLiteral("ヘルプ"), bar);
    help_->setObjectName(QStringLiteral("Command1"));
    bar->addWidget(help_);
    connect(zoom_, &QComboBox::textActivated, this, &TransferCheckView::applyZoomText);
    // A typed zoom that is no item of the list ("120", "200(%)") activates nothing: Enter applies it.
    connect(zoom_->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { applyZoomText(zoom_->lineEdit()->text()); });
    connect(help_, &QPushButton::clicked, this, &TransferCheckView::helpCommand);

    zoomMenu_ = new QMenu(QStringLiteral("ｽﾞｰﾑ(&Z)"), this);
    zoomMenu_->setObjectName(QStringLiteral("MenuZoom"));
    for (const QString &caption : {QStringLiteral("全体表示"), QStringLiteral("150(%)")}) {
        QAction *item = zoomMenu_->addAction(caption);
        item->setObjectName(QStringLiteral("MenuZoom_Sel"));
        // The item's caption goes into the drop-down, which applies it.
        connect(item, &QAction::triggered, this, [this, caption] {
            zoom_->setCurrentText(caption);
            applyZoomText(caption);
        });
    }

    preview_ = new PagePreview(this);
    preview_->setObjectName(QStringLiteral("PaperYuka"));
    setCentralWidget(preview_);
    connect(preview_, &PagePreview::zoomMenuRequested, this,
            [this](const QPoint &at) { zoomMenu_->popup(at); });
    // A zoom made on the page itself (Ctrl+wheel) shows in the box too.
    connect(preview_, &PagePreview::zoomChanged, this, &TransferCheckView::showZoom);

    ApplyHandCursor(this);
    AddHelpContentsKey(this);
    zoom_->setCurrentText(QStringLiteral("全体表示"));
    PlaceOnScreen(this);
    drawPage();
    preview_->setZoomMode(PreviewZoom::WholePage);
}

QAction *TransferCheckView::toolbarAction(const QString &key) const
{
    return actions_.value(key, nullptr);
}

void TransferCheckView::drawPage()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PrintSurface surface;
    RecordTransferCheckPage(surface, *host_.project, *host_.calculation);
    document_ = surface.TakeDocument();
    preview_->setDocument(document_);
    QApplication::restoreOverrideCursor();
}

void TransferCheckView::applyZoomText(const QString &text)
{
    // Typed forms count as the list's: "120", "120%", "120(%)", full-width digits too.
    QString t = text.trimmed();
    for (QChar &c : t)
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            c = QChar(u'0' + (c.unicode() - 0xFF10));
    t.remove(QStringLiteral("(%)")).remove(QLatin1Char('%')).remove(QChar(0xFF05));
    t = t.trimmed();
    if (t == QStringLiteral("全体表示"))
        preview_->setZoomMode(PreviewZoom::WholePage);
    else if (t == QStringLiteral("120") || t == QStringLiteral("150") || t == QStringLiteral("200"))
        preview_->setZoomPercent(t.toInt());
    // The box shows the zoom the view has, whatever was typed.
    showZoom();
}

void TransferCheckView::showZoom()
{
    if (preview_->zoomMode() == PreviewZoom::WholePage) {
        zoom_->setCurrentText(QStringLiteral("全体表示"));
        return;
    }
    zoom_->setCurrentText(QStringLiteral("%1(%)").arg(qRound(preview_->zoomPercent())));
}

void TransferCheckView::printCommand()
{
    PrintShownPage(
        this, host_, document_.get(),
        QStringLiteral("現在、表示されているページを印刷します。") + kCR + kCR + QStringLiteral("ﾌﾟﾘﾝﾀ名： "),
        QStringLiteral("_２階柱Ｎ値伝達チェック"));
}

void TransferCheckView::helpCommand()
{
    ShowHelp(this, kHelpOrthogonalBeams);
}

// ---- Frame view ----

FrameView::FrameView(const ViewHost &host, int direction, int line, QWidget *parent)
    : QMainWindow(parent), host_(host)
{
    setObjectName(QStringLiteral("Draw_Jiku"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    SetFormCaption(this, kAppTitle + kSpaces3 + QStringLiteral("軸組図"));

    QToolBar *bar = addToolBar(QStringLiteral("Toolbar1"));
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setMovable(false);
    connect(AddToolbarAction(bar, actions_, QStringLiteral("Print"), QStringLiteral("印刷")),
            &QAction::triggered, this, &FrameView::printCommand);
    connect(AddToolbarAction(bar, actions_, QStringLiteral("Close"), QStringLiteral("閉じる")),
            &QAction::triggered, this, &QWidget::close);
    bar->addSeparator();
    connect(AddToolbarAction(bar, actions_, QStringLiteral("BeforFrame"), QStringLiteral("前の通り")),
            &QAction::triggered, this, &FrameView::previousLine);
    connect(AddToolbarAction(bar, actions_, QStringLiteral("NextFrame"), QStringLiteral("次の通り")),
            &QAction::triggered, this, &FrameView::nextLine);
    bar->addSeparator();
    xButton_ = new QRadioButton(QStringLiteral("Ｘ通り"), bar);
    yButton_ = new QRadioButton(QStringLiteral("Ｙ通り"), bar);
    xButton_->setObjectName(QStringLiteral("OptionX"));
    yButton_->setObjectName(QStringLiteral("OptionY"));
    bar->addWidget(xButton_);
    bar->addWidget(yButton_);
    connect(xButton_, &QRadioButton::clicked, this, [this] { setDirection(kDirX); });
    connect(yButton_, &QRadioButton::clicked, this, [this] { setDirection(kDirY); });

    auto *body = new QWidget(this);
    auto *column = new QVBoxLayout(body);
    column->setContentsMargins(4, 4, 4, 4);
    label_ = new QLabel(body);
    label_->setObjectName(QStringLiteral("Label1"));
    QFont big = label_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    label_->setFont(big);
    preview_ = new PagePreview(body);
    preview_->setObjectName(QStringLiteral("PaperJiku"));
    column->addWidget(label_);
    column->addWidget(preview_, 1);
    setCentralWidget(body);

    // Right click: the report's zoom choices for one page.
    auto *zoomMenu = new QMenu(QStringLiteral("ｽﾞｰﾑ(&Z)"), this);
    zoomMenu->setObjectName(QStringLiteral("MenuZoom"));
    connect(zoomMenu->addAction(QStringLiteral("全体表示(&1)")), &QAction::triggered, this,
            [this] { preview_->setZoomMode(PreviewZoom::WholePage); });
    connect(zoomMenu->addAction(QStringLiteral("幅合わせ(&2)")), &QAction::triggered, this,
            [this] { preview_->setZoomMode(PreviewZoom::PageWidth); });
    for (int percent : {120, 150, 200})
        connect(zoomMenu->addAction(QStringLiteral("%1%(&%2)").arg(percent).arg(percent / 50 + 1)),
                &QAction::triggered, this, [this, percent] { preview_->setZoomPercent(percent); });
    connect(preview_, &PagePreview::zoomMenuRequested, this,
            [zoomMenu](const QPoint &at) { zoomMenu->popup(at); });

    ApplyHandCursor(this);
    AddHelpContentsKey(this);
    PlaceOnScreen(this);
    direction_ = direction == kDirY ? kDirY : kDirX;
    (direction_ == kDirX ? currentXLine_ : currentYLine_) = std::clamp(line, 1, lastLine(direction_));
    directionButton(direction_)->setChecked(true);
    DrawFrame(direction_, direction_ == kDirX ? currentXLine_ : currentYLine_);
    preview_->setZoomMode(PreviewZoom::WholePage);
}

QAction *FrameView::toolbarAction(const QString &key) const
{
    return actions_.value(key, nullptr);
}

int FrameView::lastLine(int direction) const
{
    const ProjectInfo &info = host_.project->info;
    return (direction == kDirX ? info.spanCountX : info.spanCountY) + 1;
}

void FrameView::beep()
{
    if (host_.beep)
        host_.beep();
    else
        QApplication::beep();
}

void FrameView::DrawFrame(int direction, int line)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PrintSurface surface;
    if (RecordFrameViewPage(surface, *host_.project, *host_.calculation, direction, line)) {
        document_ = surface.TakeDocument();
        const GridInfo &g = host_.project->grid;
        const QString name =
            ShownText((direction == kDirX ? g.lineNameX[line] : g.lineNameY[line]).trimmed(), kShownLineName);
        label_->setText(name + QStringLiteral(" 通り 軸組図"));
        const bool keepZoom = preview_->document() != nullptr;
        const PreviewZoom mode = preview_->zoomMode();
        const double percent = preview_->zoomPercent();
        preview_->setDocument(document_);
        // Stepping along the lines keeps the zoom the designer chose.
        if (keepZoom) {
            if (mode == PreviewZoom::Percent)
                preview_->setZoomPercent(percent);
            else
                preview_->setZoomMode(mode);
        }
    }
    QApplication::restoreOverrideCursor();
}

void FrameView::previousLine()
{
    int &current = direction_ == kDirX ? currentXLine_ : currentYLine_;
    if (current <= 1) {
        current = 1;
        beep();
        return;
    }
    --current;
    DrawFrame(direction_, current);
}

void FrameView::nextLine()
{
    int &current = direction_ == kDirX ? currentXLine_ : currentYLine_;
    if (current >= lastLine(direction_)) {
        current = lastLine(direction_);
        beep();
        return;
    }
    ++current;
    DrawFrame(direction_, current);
}

void FrameView::setDirection(int direction)
{
    direction_ = direction == kDirY ? kDirY : kDirX;
    directionButton(direction_)->setChecked(true);
    DrawFrame(direction_, direction_ == kDirX ? currentXLine_ : currentYLine_);
}

void FrameView::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        preview_->setFocus();
        preview_->viewport()->unsetCursor();
    }
}

void FrameView::printCommand()
{
    const GridInfo &g = host_.project->grid;
    const int line = direction_ == kDirX ? currentXLine_ : currentYLine_;
    const QString name =
        ShownText((direction_ == kDirX ? g.lineNameX[line] : g.lineNameY[line]).trimmed(), kShownLineName);
    PrintShownPage(this, host_, document_.get(),
                   QStringLiteral("軸組図を印刷します。") + kCR + kCR + QStringLiteral("ﾌﾟﾘﾝﾀ名： "),
                   QStringLiteral("_") + name + QStringLiteral("通り軸組図"));
}

}  // namespace rqx
