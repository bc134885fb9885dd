#include "report/ui/report_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "calc/n_value.h"
#include "print/page_render.h"
#include "print/print_document.h"
#include "report/ui/page_preview.h"
#include "report/ui/printer_select.h"
#include "report/ui/progress_window.h"
#include "report/ui/version_view.h"
#include "widgets/app_look.h"
#include "widgets/help_window.h"
#include "widgets/message.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

const QString kCR = QStringLiteral("\r");
// Steps of a report build: the progress window's maximum.
constexpr int kBuildSteps = 10;

struct ContentsLabel {
    int group;
    int index;
    const char *text;
};
// The table of contents, in panel order.
const ContentsLabel kContents[] = {
    {0, 1, "表紙"},
    {1, 1, "1.1. 設計方針"},
    {1, 2, "1.2. Ｎ値計算方法"},
    {1, 3, "1.3. 接合金物リスト"},
    {1, 4, "1.4. 耐力壁リスト"},
    {1, 5, "1.5. 耐力壁伏図"},
    {1, 6, "1.6. 耐力壁軸組図"},
    {2, 1, "2.1. 接合金物伏図"},
    {2, 2, "2.2. 接合金物軸組図"},
    {2, 3, "2.3. Ｎ値･接合金物        算定一覧表"},
    {3, 1, "3.1. 金物許容耐力       一覧表"},
    {3, 2, "3.2. 接合金物の仕様"},
};
const char *const kGroupLabels[] = {nullptr, "１．概要", "２．接合金物", "３．接合金物資料"};

struct ToolbarKey {
    const char *key;
    const char *caption;
};
const ToolbarKey kToolbar[] = {
    {"Print", "印刷"},         {"TopPage", "先頭ページ"},  {"BeforePage", "前ページ"},
    {"NextPage", "次ページ"},  {"LastPage", "最終ページ"}, {"NChkFig", "２階柱Ｎ値伝達チェック"},
    {"JikuX", "Ｘ通り軸組図"}, {"JikuY", "Ｙ通り軸組図"},  {"Close", "閉じる"},
};

const char *const kZoomItems[] = {"全体表示(&1)", "幅合わせ(&2)",   "120%(&3)", "150%(&4)",
                                  "200%(&5)",     "2ﾍﾟｰｼﾞ表示(&6)", "ｻﾑﾈｲﾙ(&7)"};

QIcon ToolIcon(const QString &key, QStyle *style)
{
    const QIcon own = ToolbarIcon(key);
    if (!own.isNull())
        return own;
    if (key == QLatin1String("Print"))
        return QIcon::fromTheme(QStringLiteral("document-print"), style->standardIcon(QStyle::SP_FileIcon));
    if (key == QLatin1String("TopPage"))
        return style->standardIcon(QStyle::SP_MediaSkipBackward);
    if (key == QLatin1String("BeforePage"))
        return style->standardIcon(QStyle::SP_MediaSeekBackward);
    if (key == QLatin1String("NextPage"))
        return style->standardIcon(QStyle::SP_MediaSeekForward);
    if (key == QLatin1String("LastPage"))
        return style->standardIcon(QStyle::SP_MediaSkipForward);
    return {};
}

QString MenuText(QString text)
{
    text = ShownText(text, kShownLineName);
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

MessageAnswer Ask(QWidget *parent, const QString &text, MessageKind kind,
                  const QString &title = kMessageTitle)
{
    MessageAnswer answer = ShowMessage(text, kind, title, parent);
    return answer;
}

}  // namespace

ReportWindow::ReportWindow(const Project &project, const Calculation &calc, AppState &state,
                           QPrinter &printer, QWidget *parent)
    : QMainWindow(parent),
      project_(project),
      calc_(calc),
      state_(state),
      printer_(printer),
      fileChooser_(ChooseFileWithDialog)
{
    setObjectName(QStringLiteral("PrtPaper"));
    setAttribute(Qt::WA_DeleteOnClose);
    SetFormCaption(this, state_.appTitle);
    setWindowIcon(AppIcon());

    preview_ = new PagePreview(this);
    preview_->setObjectName(QStringLiteral("Paper"));
    warningPanel_ = new QLabel(QStringLiteral("  柱引抜き力が１階に伝達されない２階柱があります。"), this);
    warningPanel_->setObjectName(QStringLiteral("warningPanel"));
    warningPanel_->setStyleSheet(
        QStringLiteral("QLabel { background: #ffff80; color: #c00000; font-weight: bold; padding: 4px; "
                       "border: 1px solid #c00000; }"));
    warningPanel_->hide();

    auto *right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(2);
    right->addWidget(warningPanel_);
    right->addWidget(preview_, 1);
    auto *central = new QWidget(this);
    auto *row = new QHBoxLayout(central);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(4);  // the surface stands a little right of the panel
    row->addWidget(buildContentsPanel());
    row->addLayout(right, 1);
    setCentralWidget(central);
    buildMenusAndToolBar();

    connect(preview_, &PagePreview::zoomMenuRequested, this,
            [this](const QPoint &pos) { zoomMenu_->popup(pos); });
    connect(preview_, &PagePreview::currentPageChanged, this, [this](int page) {
        // A thumbnail click chooses the page.
        if (page != currentPage_) {
            currentPage_ = page;
            ShowPage();
        }
    });
    connect(preview_, &PagePreview::zoomChanged, this, &ReportWindow::refreshZoomChecks);

    // The lines of the frame menus, the L-coefficient method and the printer of the surface.
    rebuildFrameMenus();
    lCoefficientLabel_->setText(project_.grid.lCoefficientMode == 0
                                    ? QStringLiteral("『改正建築基準法(二年目施行)の解説』による")
                                    : QStringLiteral("２階柱の押さえ効果を考慮する"));
    printerName_ = PrinterDeviceName(printer_);
    orientation_ = printer_.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
    setViews({});
    ShowPage();

    // 0.85 of the screen, centred, as the main window.
    if (QScreen *screen = QApplication::primaryScreen()) {
        const QRect s = screen->availableGeometry();
        const QSize size(int(s.width() * 0.85), int(s.height() * 0.85));
        resize(size);
        move(s.x() + (s.width() - size.width()) / 2, s.y() + (s.height() - size.height()) / 2);
    }
}

ReportWindow::~ReportWindow() = default;

QWidget *ReportWindow::buildContentsPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("contentsPanel"));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    pageLabel_ = new QLabel(panel);
    pageLabel_->setObjectName(QStringLiteral("pageLabel"));
    pageLabel_->setAlignment(Qt::AlignCenter);
    pageLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont big = pageLabel_->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    pageLabel_->setFont(big);
    pageLabel_->setMinimumHeight(36);
    layout->addWidget(pageLabel_);

    auto *contents = new QGroupBox(QStringLiteral("目次"), panel);
    auto *list = new QVBoxLayout(contents);
    list->setSpacing(2);
    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    int lastGroup = -1;
    for (const ContentsLabel &c : kContents) {
        if (c.group != lastGroup && kGroupLabels[c.group]) {
            auto *label = new QLabel(QString::fromUtf8(kGroupLabels[c.group]), contents);
            label->setObjectName(QStringLiteral("groupLabel%1").arg(c.group));
            QFont f = label->font();
            f.setBold(true);
            label->setFont(f);
            list->addSpacing(6);
            list->addWidget(label);
        }
        lastGroup = c.group;
        auto *button = new QRadioButton(QString::fromUtf8(c.text), contents);
        button->setObjectName(QStringLiteral("Option%1_%2").arg(c.group).arg(c.index));
        button->setCursor(HandCursor());
        button->setEnabled(false);  // until the report is there
        if (c.group > 0)
            button->setContentsMargins(12, 0, 0, 0);
        group->addButton(button);
        list->addWidget(button, 0, Qt::AlignLeft);
        contentsButtons_[c.group][c.index] = button;
        const int g = c.group, i = c.index;
        connect(button, &QRadioButton::clicked, this, [this, g, i] { jumpToContents(g, i); });
    }
    list->addStretch(1);
    layout->addWidget(contents, 1);

    auto *lFrame = new QGroupBox(QStringLiteral("１階柱 押さえ係数Ｌ"), panel);
    lFrame->setObjectName(QStringLiteral("lCoefficientFrame"));
    lCoefficientLabel_ = new QLabel(lFrame);
    lCoefficientLabel_->setObjectName(QStringLiteral("lCoefficientLabel"));
    lCoefficientLabel_->setWordWrap(true);
    auto *lLayout = new QVBoxLayout(lFrame);
    lLayout->addWidget(lCoefficientLabel_);
    layout->addWidget(lFrame);
    panel->setFixedWidth(std::max(240, panel->sizeHint().width()));
    return panel;
}

QAction *ReportWindow::makeAction(const QString &key, const QString &text)
{
    auto *action = new QAction(text, this);
    action->setObjectName(key);
    actions_.insert(key, action);
    return action;
}

void ReportWindow::buildMenusAndToolBar()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    QAction *thisPage =
        makeAction(QStringLiteral("MenuFile_ThisPage"), QStringLiteral("このﾍﾟｰｼﾞのみ印刷(&A)"));
    QAction *output = makeAction(QStringLiteral("MenuFile_OutPut"), QStringLiteral("印刷(&P)..."));
    QAction *setup =
        makeAction(QStringLiteral("MenuFile_PrinterSetup"), QStringLiteral("ﾌﾟﾘﾝﾀｰの設定(&U)..."));
    QAction *pdf = makeAction(QStringLiteral("MenuFile_Pdf"), QStringLiteral("PDF出力(&D)..."));
    QAction *dxf = makeAction(QStringLiteral("MenuFile_Dxf"), QStringLiteral("DXF出力(&X)..."));
    QAction *close = makeAction(QStringLiteral("MenuFile_Close"), QStringLiteral("閉じる(&C)"));
    output->setShortcut(QKeySequence::Print);
    file->addAction(thisPage);
    file->addAction(output);
    file->addAction(setup);
    file->addSeparator();
    file->addAction(pdf);
    file->addAction(dxf);
    file->addSeparator();
    file->addAction(close);
    connect(thisPage, &QAction::triggered, this, &ReportWindow::printThisPageCommand);
    connect(output, &QAction::triggered, this, &ReportWindow::printAllCommand);
    connect(setup, &QAction::triggered, this, &ReportWindow::printerSetupCommand);
    connect(pdf, &QAction::triggered, this, &ReportWindow::exportPdfCommand);
    connect(dxf, &QAction::triggered, this, &ReportWindow::exportDxfCommand);
    connect(close, &QAction::triggered, this, &QWidget::close);

    QMenu *view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    QAction *check =
        makeAction(QStringLiteral("MenuView_NDentatuCheck"), QStringLiteral("２階Ｎ値伝達ﾁｪｯｸ(&N)"));
    view->addAction(check);
    connect(check, &QAction::triggered, this, &ReportWindow::transferCheckCommand);

    QMenu *frames = menuBar()->addMenu(QStringLiteral("軸組図(&J)"));
    frameMenuX_ = frames->addMenu(QStringLiteral("Ｘ通り軸組図(&X)"));
    frameMenuY_ = frames->addMenu(QStringLiteral("Ｙ通り軸組図(&Y)"));
    frameMenuX_->setObjectName(QStringLiteral("MenuFrameFig_X"));
    frameMenuY_->setObjectName(QStringLiteral("MenuFrameFig_Y"));

    zoomMenu_ = menuBar()->addMenu(QStringLiteral("ｽﾞｰﾑ(&Z)"));
    zoomMenu_->setObjectName(QStringLiteral("MenuZoom"));
    zoomGroup_ = new QActionGroup(this);
    for (int i = 0; i < 7; ++i) {
        QAction *a = zoomMenu_->addAction(QString::fromUtf8(kZoomItems[i]));
        a->setObjectName(QStringLiteral("MenuZoom_Sel"));
        a->setData(i);
        a->setCheckable(true);
        zoomGroup_->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { selectZoom(i); });
    }

    QMenu *help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    QAction *contents = makeAction(QStringLiteral("MenuHelp_Mokuji"), QStringLiteral("目次(&C)"));
    QAction *about = makeAction(QStringLiteral("MenuHelp_Ver"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"));
    help->addAction(contents);
    help->addAction(about);
    connect(contents, &QAction::triggered, this, &ReportWindow::helpCommand);
    connect(about, &QAction::triggered, this, &ReportWindow::aboutCommand);

    toolBar_ = addToolBar(QStringLiteral("Toolbar1"));
    toolBar_->setObjectName(QStringLiteral("Toolbar1"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolbarKey &t : kToolbar) {
        const QString key = QString::fromLatin1(t.key);
        QAction *a = makeAction(key, QString::fromUtf8(t.caption));
        a->setIcon(ToolIcon(key, style()));
        if (key == QLatin1String("NChkFig") || key == QLatin1String("Close") ||
            key == QLatin1String("TopPage"))
            toolBar_->addSeparator();
        toolBar_->addAction(a);
    }
    connect(actions_.value(QStringLiteral("Print")), &QAction::triggered, this,
            &ReportWindow::printAllCommand);
    connect(actions_.value(QStringLiteral("TopPage")), &QAction::triggered, this, [this] { GoToPage(1); });
    connect(actions_.value(QStringLiteral("BeforePage")), &QAction::triggered, this, [this] { GoToPage(2); });
    connect(actions_.value(QStringLiteral("NextPage")), &QAction::triggered, this, [this] { GoToPage(3); });
    connect(actions_.value(QStringLiteral("LastPage")), &QAction::triggered, this, [this] { GoToPage(4); });
    connect(actions_.value(QStringLiteral("NChkFig")), &QAction::triggered, this,
            &ReportWindow::transferCheckCommand);
    connect(actions_.value(QStringLiteral("JikuX")), &QAction::triggered, this,
            [this] { frameMenuX_->popup(QCursor::pos()); });
    connect(actions_.value(QStringLiteral("JikuY")), &QAction::triggered, this,
            [this] { frameMenuY_->popup(QCursor::pos()); });
    connect(actions_.value(QStringLiteral("Close")), &QAction::triggered, this, &QWidget::close);
    // Paging from the keyboard as well.
    actions_.value(QStringLiteral("BeforePage"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    actions_.value(QStringLiteral("NextPage"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    actions_.value(QStringLiteral("TopPage"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
    actions_.value(QStringLiteral("LastPage"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
    for (QAction *a : toolBar_->actions()) {
        if (QWidget *w = toolBar_->widgetForAction(a))
            w->setCursor(HandCursor());
    }
}

void ReportWindow::rebuildFrameMenus()
{
    frameMenuX_->clear();
    frameMenuY_->clear();
    const GridInfo &g = project_.grid;
    for (int k = 1; k <= g.lineNameX.size(); ++k) {
        QAction *a = frameMenuX_->addAction(MenuText(g.lineNameX[k].trimmed()));
        a->setObjectName(QStringLiteral("MenuFrameFig_X_Line"));
        a->setData(k);
        connect(a, &QAction::triggered, this, [this, k] { frameViewCommand(1, k); });
    }
    for (int k = g.lineNameY.size(); k >= 1; --k) {
        QAction *a = frameMenuY_->addAction(MenuText(g.lineNameY[k].trimmed()));
        a->setObjectName(QStringLiteral("MenuFrameFig_Y_Line"));
        a->setData(k);
        connect(a, &QAction::triggered, this, [this, k] { frameViewCommand(2, k); });
    }
}

void ReportWindow::setViews(ReportViews views)
{
    views_ = std::move(views);
    const bool check = static_cast<bool>(views_.openTransferCheck);
    const bool frames = static_cast<bool>(views_.openFrameView);
    actions_.value(QStringLiteral("NChkFig"))->setEnabled(check);
    actions_.value(QStringLiteral("MenuView_NDentatuCheck"))->setEnabled(check);
    actions_.value(QStringLiteral("JikuX"))->setEnabled(frames);
    actions_.value(QStringLiteral("JikuY"))->setEnabled(frames);
    frameMenuX_->menuAction()->setEnabled(frames);
    frameMenuY_->menuAction()->setEnabled(frames);
}

QRadioButton *ReportWindow::contentsButton(int group, int index) const
{
    if (group < 0 || group >= kContentsGroups || index < 1 || index > kContentsPerGroup)
        return nullptr;
    return contentsButtons_[group][index];
}

QAction *ReportWindow::toolbarAction(const QString &key) const
{
    return actions_.value(key, nullptr);
}

// ---- Building ----

bool ReportWindow::buildReport(const ReportBuilder &builder)
{
    building_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ProgressWindow progress(kBuildSteps, this);
    progress.show();
    QApplication::processEvents();
    BuiltReport report = builder([&progress](int done) {
        progress.setStepsDone(done);
        // Keeps the windows painted and lets the stop question be answered.
        QApplication::processEvents();
        return !progress.stopRequested();
    });
    progress.finish();
    QApplication::restoreOverrideCursor();
    building_ = false;
    if (report.cancelled || progress.stopRequested() || !report.document) {
        closeWithoutQuestion();
        return false;
    }
    setReport(std::move(report));
    return true;
}

void ReportWindow::setReport(BuiltReport report)
{
    document_ = std::move(report.document);
    contents_ = report.contents;
    pageCount_ = document_ ? document_->pageCount() : 0;
    currentPage_ = 1;
    preview_->setDocument(document_);
    preview_->setZoomMode(PreviewZoom::PageWidth);
    refreshZoomChecks();
    // Sections the report does not have cannot be chosen.
    for (int g = 0; g < kContentsGroups; ++g) {
        for (int i = 1; i <= kContentsPerGroup; ++i) {
            if (QRadioButton *b = contentsButtons_[g][i])
                b->setEnabled((g == 0 && pageCount_ > 0) || contents_.page[g][i] > 0);
        }
    }
    // The report prints no chapter of hardware documents; its chapter 3, when there, is the wall
    // quantities and the wall placement, and the contents name them so.
    const bool walls = contents_.page[3][1] > 0;
    if (auto *label = findChild<QLabel *>(QStringLiteral("groupLabel3")))
        label->setText(walls ? QStringLiteral("３．壁量計算") : QString::fromUtf8(kGroupLabels[3]));
    if (QRadioButton *b = contentsButtons_[3][1])
        b->setText(walls ? QStringLiteral("3.1. 壁量計算") : QString::fromUtf8(kContents[10].text));
    if (QRadioButton *b = contentsButtons_[3][2])
        b->setText(walls ? QStringLiteral("3.2. 壁の配置") : QString::fromUtf8(kContents[11].text));
    warningPanel_->setVisible(calc_.anyNotCarried != 0);
    ShowPage();
}

// ---- Navigation ----

void ReportWindow::setCurrentPage(int page)
{
    if (pageCount_ == 0)
        return;
    currentPage_ = std::clamp(page, 1, pageCount_);
    ShowPage();
}

void ReportWindow::ShowPage()
{
    if (pageCount_ == 0) {
        pageLabel_->clear();
        return;
    }
    preview_->setCurrentPage(currentPage_);
    pageLabel_->setText(currentPage_ == 1
                            ? QStringLiteral("表紙")
                            : QStringLiteral("%1 / %2").arg(currentPage_ - 1).arg(pageCount_ - 1));
    markContents();
}

void ReportWindow::markContents()
{
    // The first section starting on the page shown, else the last one started before it.
    QRadioButton *mark = nullptr;
    for (const ContentsLabel &c : kContents) {
        const int page = c.group == 0 ? 1 : contents_.page[c.group][c.index];
        if (page <= 0 || page > currentPage_)
            continue;
        if (page == currentPage_) {
            mark = contentsButtons_[c.group][c.index];
            break;
        }
        mark = contentsButtons_[c.group][c.index];
    }
    if (mark && !mark->isChecked())
        mark->setChecked(true);
}

void ReportWindow::GoToPage(int kind)
{
    if (pageCount_ == 0)
        return;
    switch (kind) {
        case 1:
            currentPage_ = 1;
            break;
        case 2:
            currentPage_ = currentPage_ <= 1 ? pageCount_ : currentPage_ - 1;
            break;
        case 3:
            currentPage_ = currentPage_ >= pageCount_ ? 1 : currentPage_ + 1;
            break;
        case 4:
            currentPage_ = pageCount_;
            break;
        default:
            return;
    }
    ShowPage();
}

void ReportWindow::jumpToContents(int group, int index)
{
    if (group < 0 || group >= kContentsGroups || index < 1 || index > kContentsPerGroup || pageCount_ == 0)
        return;
    const int page = contents_.page[group][index] > 0 ? contents_.page[group][index] : (group == 0 ? 1 : 0);
    if (page == 0)
        return;
    currentPage_ = std::clamp(page, 1, pageCount_);
    ShowPage();
    preview_->scrollToPaperOffset(contents_.offsetTwips[group][index]);
    if (QRadioButton *b = contentsButton(group, index))
        b->setChecked(true);
}

void ReportWindow::selectZoom(int choice)
{
    switch (choice) {
        case ZoomWhole:
            preview_->setZoomMode(PreviewZoom::WholePage);
            break;
        case ZoomWidth:
            preview_->setZoomMode(PreviewZoom::PageWidth);
            break;
        case Zoom120:
            preview_->setZoomPercent(120);
            break;
        case Zoom150:
            preview_->setZoomPercent(150);
            break;
        case Zoom200:
            preview_->setZoomPercent(200);
            break;
        case ZoomTwoPages:
            preview_->setZoomMode(PreviewZoom::TwoPages);
            break;
        case ZoomThumbnails:
            preview_->setZoomMode(PreviewZoom::Thumbnails);
            break;
        default:
            return;
    }
    refreshZoomChecks();
}

void ReportWindow::refreshZoomChecks()
{
    int checked = -1;
    switch (preview_->zoomMode()) {
        case PreviewZoom::WholePage:
            checked = ZoomWhole;
            break;
        case PreviewZoom::PageWidth:
            checked = ZoomWidth;
            break;
        case PreviewZoom::TwoPages:
            checked = ZoomTwoPages;
            break;
        case PreviewZoom::Thumbnails:
            checked = ZoomThumbnails;
            break;
        case PreviewZoom::Percent: {
            const double p = preview_->zoomPercent();
            checked = std::abs(p - 120) < 0.01   ? Zoom120
                      : std::abs(p - 150) < 0.01 ? Zoom150
                      : std::abs(p - 200) < 0.01 ? Zoom200
                                                 : -1;
            break;
        }
    }
    const QList<QAction *> items = zoomGroup_->actions();
    if (checked < 0) {
        if (QAction *a = zoomGroup_->checkedAction())
            a->setChecked(false);
    } else {
        items[checked]->setChecked(true);
    }
}

// ---- Printing and PDF ----

PrintJob ReportWindow::printJob(int first, int last, const QString &question) const
{
    PrintJob job;
    job.document = document_.get();
    job.first = first;
    job.last = last;
    job.question = question;
    job.title = state_.appTitle + QStringLiteral("   ") +
                ShownText(project_.info.buildingName.trimmed(), kShownBuildingName);
    // The whole report is named after the project; one page also by the page's label.
    const QString suffix = first == 1 && last == pageCount_ ? QString()
                           : first == 1                     ? QStringLiteral("_表紙")
                                                            : QStringLiteral("_p%1").arg(first - 1);
    job.pdfPath = ProposedPdfPath(projectFilePath_, project_.info.buildingName, state_.dataDirectory, suffix);
    job.chooser = fileChooser_;
    return job;
}

void ReportWindow::printAllCommand()
{
    if (!document_ || pageCount_ == 0)
        return;
    PrintOrOfferPdf(
        this, printer_,
        printJob(1, pageCount_,
                 QStringLiteral("作成した計算書(全ページ)をプリンターへ出力します。") + kCR +
                     QStringLiteral("よろしいですか？") + kCR + kCR + QStringLiteral("ﾌﾟﾘﾝﾀ名： ")));
}

void ReportWindow::printThisPageCommand()
{
    if (!document_ || pageCount_ == 0)
        return;
    PrintOrOfferPdf(this, printer_,
                    printJob(currentPage_, currentPage_,
                             QStringLiteral("現在、表示されているページのみ印刷します。") + kCR + kCR +
                                 QStringLiteral("ﾌﾟﾘﾝﾀ名： ")));
}

void ReportWindow::printerSetupCommand()
{
    PrinterSelect dialog(printer_, state_, InstalledPrinterNames(), this);
    dialog.exec();
    // The surface takes the printer's name and orientation; the report is not laid out again.
    printerName_ = PrinterDeviceName(printer_);
    orientation_ = printer_.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
}

void ReportWindow::exportPdfCommand()
{
    if (!document_ || pageCount_ == 0)
        return;
    WritePdfWithChooser(this, printJob(1, pageCount_, QString()));
}

void ReportWindow::exportDxfCommand()
{
    if (!document_ || pageCount_ == 0)
        return;
    // The drawings go beside the project, one file per figure.
    QString folder = state_.dataDirectory;
    if (projectFilePath_.trimmed() != kNewDataName && !projectFilePath_.isEmpty())
        folder = QFileInfo(projectFilePath_).absolutePath();
    const QString chosen = folderChooser_(this, QStringLiteral("DXF出力 (出力先のフォルダ)"), folder);
    if (!chosen.isEmpty())
        WriteReportDrawings(this, *document_, chosen);
}

// ---- Views, help ----

void ReportWindow::transferCheckCommand()
{
    if (!views_.openTransferCheck)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // An open transfer check is raised as it is; the views calculate through the document.
    transferCheckView_ = views_.openTransferCheck(this);
    QApplication::restoreOverrideCursor();
}

void ReportWindow::frameViewCommand(int dir, int line)
{
    if (!views_.openFrameView)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    closeViews();
    frameView_ = views_.openFrameView(this, dir, line);
    QApplication::restoreOverrideCursor();
}

void ReportWindow::closeViews()
{
    if (frameView_)
        frameView_->close();
    if (transferCheckView_)
        transferCheckView_->close();
}

void ReportWindow::helpCommand()
{
    ShowHelp(this, kHelpContents);
}

void ReportWindow::aboutCommand()
{
    VersionView view(state_.appTitle, this);
    view.exec();
}

// ---- Closing ----

void ReportWindow::closeWithoutQuestion()
{
    closeWithoutQuestion_ = true;
    close();
}

void ReportWindow::closeEvent(QCloseEvent *event)
{
    if (building_) {
        event->ignore();
        return;
    }
    if (!closeWithoutQuestion_ && Ask(this, QStringLiteral("プレビュー画面を閉じます。"), MessageKind::YesNo,
                                      kMessageTitleFull) != MessageAnswer::Yes) {
        event->ignore();
        return;
    }
    closeViews();
    event->accept();
    QApplication::restoreOverrideCursor();
    emit closed();
}

}  // namespace rqx
