#pragma once
// PrinterSelect: chooses the application printer among the installed printers. OK makes the printer named
// in the "選択されているプリンター" label the application printer and clears the dialog-cancel flag;
// ｷｬﾝｾﾙ sets it to 1.

#include <QDialog>

class QLabel;
class QListWidget;
class QPrinter;

namespace rqx {

struct AppState;
class MainWindowHost;

class PrinterSelect : public QDialog {
    Q_OBJECT
public:
    // `installed`: the installed printers' names (QPrinterInfo::availablePrinterNames() by default).
    PrinterSelect(QPrinter &printer, AppState &state, const QStringList &installed,
                  QWidget *parent = nullptr);

    QListWidget *printerList() const { return list_; }
    QLabel *selectedLabel() const { return selected_; }
    void accept() override;
    void reject() override;

private:
    QPrinter &printer_;
    AppState &state_;
    QStringList installed_;
    QListWidget *list_ = nullptr;
    QLabel *selected_ = nullptr;
};

// Ties the main window's ﾌﾟﾘﾝﾀｰの設定 to this dialog on the application printer: the same printer list as
// the report window's, so both windows choose the printer the same way.
void InstallPrinterSetupCommand(MainWindowHost &window);

}  // namespace rqx
