#include "report/ui/printer_select.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/project.h"
#include "report/ui/print_output.h"
#include "widgets/main_window_host.h"
#include "widgets/app_look.h"

namespace rqx {

PrinterSelect::PrinterSelect(QPrinter &printer, AppState &state, const QStringList &installed,
                             QWidget *parent)
    : QDialog(parent), printer_(printer), state_(state), installed_(installed)
{
    setObjectName(QStringLiteral("PrinterSelect"));
    setWindowTitle(QStringLiteral("プリンターの設定"));
    auto *frame = new QGroupBox(QStringLiteral("プリンターの選択"), this);
    auto *caption = new QLabel(QStringLiteral("選択されているプリンター"), frame);
    selected_ = new QLabel(PrinterDeviceName(printer_), frame);
    selected_->setObjectName(QStringLiteral("Label1"));
    selected_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    selected_->setMinimumWidth(320);
    list_ = new QListWidget(frame);
    list_->setObjectName(QStringLiteral("List1"));
    list_->addItems(installed_);
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->text() == printer_.printerName())
            list_->setCurrentRow(i);
    }
    auto *none = new QLabel(QStringLiteral("インストールされているプリンターがありません。"), frame);
    none->setObjectName(QStringLiteral("noPrinterNote"));
    none->setVisible(installed_.isEmpty());
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { selected_->setText(item->text()); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        selected_->setText(item->text());
        accept();
    });
    auto *inner = new QVBoxLayout(frame);
    inner->addWidget(caption);
    inner->addWidget(selected_);
    inner->addWidget(list_);
    inner->addWidget(none);

    auto *ok = new QPushButton(QStringLiteral("O K"), this);
    auto *cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    cancel->setObjectName(QStringLiteral("Command2"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PrinterSelect::accept);
    connect(cancel, &QPushButton::clicked, this, &PrinterSelect::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *top = new QVBoxLayout(this);
    top->addWidget(frame);
    top->addLayout(buttons);
    ApplyHandCursor(this);
}

void PrinterSelect::accept()
{
    const QString name = selected_->text();
    if (installed_.contains(name))
        printer_.setPrinterName(name);
    QDialog::accept();
}

void PrinterSelect::reject()
{
    QDialog::reject();
}

void InstallPrinterSetupCommand(MainWindowHost &window)
{
    QAction *action = window.commandAction(HostCommand::PrinterSetup);
    if (!action)
        return;
    QObject::connect(action, &QAction::triggered, window.hostWidget(), [&window] {
        PrinterSelect dialog(*window.applicationPrinter(), window.appState(), InstalledPrinterNames(),
                             window.hostWidget());
        dialog.exec();
    });
}

}  // namespace rqx
