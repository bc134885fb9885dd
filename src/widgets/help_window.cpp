#include "widgets/help_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "model/project.h"
#include "widgets/message.h"

namespace rqx {

namespace {

struct TopicEntry {
    int topic;
    const char *anchor;
};
const TopicEntry kTopics[] = {
    {kHelpOrthogonalBeams, "orthogonal-beams"},
};

QString &OverridePath()
{
    static QString path;
    return path;
}

QPointer<HelpWindow> &HelpWindowPointer()
{
    static QPointer<HelpWindow> window;
    return window;
}

const QString kIndex = QStringLiteral("index.html");

}  // namespace

QString HelpTopicAnchor(int topic)
{
    for (const TopicEntry &t : kTopics)
        if (t.topic == topic)
            return QString::fromLatin1(t.anchor);
    return {};
}

void SetHelpDocumentPath(const QString &path)
{
    OverridePath() = path;
}

QString HelpDocumentPath()
{
    if (!OverridePath().isEmpty())
        return OverridePath();
    const QDir exe(QCoreApplication::applicationDirPath());
    QStringList candidates = {exe.filePath(QStringLiteral("help/") + kIndex),
                              exe.filePath(QStringLiteral("../share/velmrqx/help/") + kIndex)};
#ifdef VELM_SOURCE_HELP_DIR
    candidates << QStringLiteral(VELM_SOURCE_HELP_DIR "/") + kIndex;
#endif
    for (const QString &c : candidates)
        if (QFileInfo::exists(c))
            return QDir::cleanPath(QFileInfo(c).absoluteFilePath());
    return {};
}

HelpWindow::HelpWindow(const QString &documentPath, QWidget *parent)
    : QMainWindow(parent), path_(documentPath)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // An open help window does not keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    SetFormCaption(this, kAppTitle + QStringLiteral("   ヘルプ"));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QFileInfo(documentPath).absolutePath()});
    setCentralWidget(browser_);

    QToolBar *bar = addToolBar(QStringLiteral("HelpToolbar"));
    bar->setMovable(false);
    QAction *contents = bar->addAction(QStringLiteral("目次"));
    QAction *back = bar->addAction(QStringLiteral("戻る"));
    QAction *forward = bar->addAction(QStringLiteral("進む"));
    QAction *close = bar->addAction(QStringLiteral("閉じる"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QAction::triggered, this, [this] { showTopic(kHelpContents); });
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(close, &QAction::triggered, this, &QWidget::close);

    browser_->setSource(QUrl::fromLocalFile(path_));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        resize(r.width() * 11 / 20, r.height() * 4 / 5);
    }
}

void HelpWindow::showTopic(int topic)
{
    anchor_ = HelpTopicAnchor(topic);
    QUrl url = QUrl::fromLocalFile(path_);
    if (!anchor_.isEmpty())
        url.setFragment(anchor_);
    if (browser_->source().adjusted(QUrl::RemoveFragment) != url.adjusted(QUrl::RemoveFragment))
        browser_->setSource(url);
    if (anchor_.isEmpty())
        browser_->verticalScrollBar()->setValue(0);
    else
        browser_->scrollToAnchor(anchor_);
}

HelpWindow *OpenHelpWindow()
{
    return HelpWindowPointer();
}

HelpWindow *ShowHelp(QWidget *owner, int topic)
{
    const QString path = HelpDocumentPath();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        const QString shown =
            path.isEmpty()
                ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/") + kIndex)
                : path;
        ShowMessage(shown + QStringLiteral(" が見つかりません。"), MessageKind::Ok, kMessageTitleFull, owner);
        return nullptr;
    }
    QPointer<HelpWindow> &window = HelpWindowPointer();
    // Asked from a modal dialog, the help window belongs to the dialog so that it takes input while the
    // dialog is open (and closes with it).
    QWidget *modal = QApplication::activeModalWidget();
    if (window && window->parentWidget() != modal) {
        window->close();
        window = nullptr;
    }
    if (!window) {
        window = new HelpWindow(path, modal);
        window->setWindowFlag(Qt::Window);
    }
    window->showTopic(topic);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace rqx
