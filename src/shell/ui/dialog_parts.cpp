#include "shell/ui/dialog_parts.h"

#include <QComboBox>
#include <QLineEdit>

#include "widgets/message.h"
#include "shell/ui/text_values.h"
#include "model/project_values.h"

namespace rqx {

QStringList GridCountChoices(int maxGridCount)
{
    QStringList counts;
    for (int i = 1; i <= maxGridCount; ++i)
        counts << QString::number(i);
    return counts;
}

const QStringList &ModuleLengthChoices()
{
    static const QStringList modules = {QStringLiteral("900"), QStringLiteral("909"), QStringLiteral("910"),
                                        QStringLiteral("980"), QStringLiteral("1000")};
    return modules;
}

bool ReadGridSizeInput(QWidget *dialog, QComboBox *countX, QComboBox *countY, QComboBox *moduleList,
                       int maxGridCount, int (&counts)[2], double &module)
{
    QComboBox *countLists[2] = {countX, countY};
    for (int i = 0; i < 2; ++i) {
        if (!ParseWholeNumber(countLists[i]->currentText(), 1, maxGridCount, counts[i])) {
            ShowMessage(GridCountRefusedMessage(maxGridCount), MessageKind::Ok, kMessageTitle, dialog);
            countLists[i]->setFocus();
            countLists[i]->lineEdit()->selectAll();
            return false;
        }
    }
    // Within what a project file keeps: a module the reader refuses would make a file that never opens.
    if (!ParsePositiveNumber(moduleList->currentText(), module) || module < kMinModuleLength * 1000.0 ||
        module > kMaxModuleLength * 1000.0) {
        ShowMessage(ModuleRefusedMessage(), MessageKind::Ok, kMessageTitle, dialog);
        moduleList->setFocus();
        moduleList->lineEdit()->selectAll();
        return false;
    }
    return true;
}

}  // namespace rqx
