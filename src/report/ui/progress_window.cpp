#include "report/ui/progress_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/app_look.h"
#include "widgets/message.h"

namespace rqx {

ProgressWindow::ProgressWindow(int maximum, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ProgBar"));
    setWindowTitle(QStringLiteral("ただいま計算書作成中です..."));
    setWindowIcon(AppIcon());
    setWindowModality(Qt::ApplicationModal);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, maximum);
    bar_->setValue(0);
    bar_->setMinimumWidth(360);
    // Without a window manager (or with one that hides the close box) the build can still be stopped.
    auto *stop = new QPushButton(QStringLiteral("中止"), this);
    stop->setObjectName(QStringLiteral("stopButton"));
    stop->setCursor(HandCursor());
    stop->setAutoDefault(false);
    connect(stop, &QPushButton::clicked, this, &ProgressWindow::askToStop);
    auto *row = new QHBoxLayout;
    row->addWidget(bar_, 1);
    row->addWidget(stop);
    auto *top = new QVBoxLayout(this);
    top->addLayout(row);
    setSizeGripEnabled(false);
}

void ProgressWindow::setStepsDone(int value)
{
    bar_->setValue(std::min(value, bar_->maximum()));
    raise();
}

int ProgressWindow::stepsDone() const
{
    return bar_->value();
}

void ProgressWindow::finish()
{
    finished_ = true;
    hide();
}

void ProgressWindow::askToStop()
{
    if (finished_ || stopRequested_)
        return;
    MessageAnswer answer =
        ShowMessage(QStringLiteral("計算書作成処理を中止します。"), MessageKind::YesNo, kMessageTitle, this);
    if (answer == MessageAnswer::Yes)
        stopRequested_ = true;
}

void ProgressWindow::closeEvent(QCloseEvent *event)
{
    if (finished_) {
        event->accept();
        return;
    }
    // The window stays until the build has stopped.
    event->ignore();
    askToStop();
}

void ProgressWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape would reject the dialog behind the build's back.
    if (event->key() == Qt::Key_Escape) {
        askToStop();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace rqx
