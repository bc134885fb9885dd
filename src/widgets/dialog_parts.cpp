#include "widgets/dialog_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace rqx {

QHBoxLayout *OkCancelRow(QWidget *parent, QPushButton *(&buttons)[2])
{
    buttons[0] = new QPushButton(QStringLiteral("OK"), parent);
    buttons[1] = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), parent);
    for (int i = 0; i < 2; ++i) {
        buttons[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons[i]->setMinimumSize(100, 30);
    }
    buttons[0]->setDefault(true);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(buttons[0]);
    row->addWidget(buttons[1]);
    return row;
}

QGroupBox *NameBox(QWidget *parent, QLineEdit *(&names)[3])
{
    auto *box = new QGroupBox(QStringLiteral("建物名称"), parent);
    auto *grid = new QGridLayout(box);
    const char *labels[3] = {"建物名称", "事務所名", "担当者名"};
    const int limits[3] = {NameLimits::building, NameLimits::office, NameLimits::person};
    const char *tips[3] = {"最大文字数は、５０文字です", "最大文字数は、１６文字です",
                           "最大文字数は、１６文字です"};
    for (int i = 0; i < 3; ++i) {
        names[i] = new QLineEdit(box);
        names[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        names[i]->setMaxLength(limits[i]);
        names[i]->setToolTip(QString::fromUtf8(tips[i]));
        names[i]->setMinimumWidth(i == 0 ? 380 : 200);
        grid->addWidget(new QLabel(QString::fromUtf8(labels[i]), box), i, 0);
        grid->addWidget(names[i], i, 1, Qt::AlignLeft);
    }
    return box;
}

QComboBox *EditableCombo(QWidget *parent, const QStringList &items, const QString &text, int width)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setEditText(text);
    combo->setFixedWidth(width);
    combo->setMaxVisibleItems(12);
    return combo;
}

}  // namespace rqx
