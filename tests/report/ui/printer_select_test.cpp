#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

#include "model/project.h"
#include "report/ui/printer_select.h"

namespace rqx {
namespace {

// A click copies the entry into the label; OK clears the cancel flag and takes only an installed printer;
// ｷｬﾝｾﾙ sets the flag. The printer is left alone unless an installed printer was chosen.
TEST(PrinterSelect, ChoosesAmongTheInstalledPrinters)
{
    struct Case {
        const char *name;
        int click;  // row clicked, -1 none
        bool ok;
        const char *label;
        int cancelled;
    } const cases[] = {
        {"cancel after a click", 1, false, "Office B", 1},
        {"ok without a choice", -1, true, "/tmp/unused.pdf", 0},  // the current printer's device
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QPrinter printer;
        printer.setOutputFileName(QStringLiteral("/tmp/unused.pdf"));
        AppState state;
        PrinterSelect dialog(printer, state, {QStringLiteral("Office A"), QStringLiteral("Office B")});
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("プリンターの設定"));
        ASSERT_EQ(dialog.printerList()->count(), 2);
        if (c.click >= 0) {
            QListWidget *list = dialog.printerList();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(c.click)).center());
        }
        EXPECT_EQ(dialog.selectedLabel()->text(), QString::fromUtf8(c.label));
        c.ok ? dialog.accept() : dialog.reject();
        EXPECT_EQ(dialog.result(), c.cancelled ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(printer.outputFileName(), QStringLiteral("/tmp/unused.pdf"));
    }
}

}  // namespace
}  // namespace rqx
