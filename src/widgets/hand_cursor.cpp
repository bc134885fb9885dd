#include "widgets/hand_cursor.h"

#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

// Resources of a static library are registered by name from outside any namespace.
static void InitWidgetsResources()
{
    Q_INIT_RESOURCE(widgets);
}

namespace rqx {

QCursor HandCursor()
{
    InitWidgetsResources();
    const QPixmap hand(QStringLiteral(":/velm_widgets/cursors/hand_point.png"));
    if (hand.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(hand, 10, 1);
}

void ApplyHandCursor(QWidget *root)
{
    if (!root)
        return;
    const QCursor hand = HandCursor();
    for (QPushButton *b : root->findChildren<QPushButton *>())
        b->setCursor(hand);
    for (QRadioButton *b : root->findChildren<QRadioButton *>())
        b->setCursor(hand);
    for (QComboBox *c : root->findChildren<QComboBox *>())
        c->setCursor(hand);
}

}  // namespace rqx
