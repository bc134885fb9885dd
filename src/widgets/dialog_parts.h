#pragma once
// Parts the dialogs of every window share: the OK/ｷｬﾝｾﾙ buttons at their foot, the frame of the three
// name boxes and a drop-down list that also takes typed text.

#include <QStringList>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace rqx {

// Longest building, office and person names (the name boxes' limits).
struct NameLimits {
    static constexpr int building = 50;
    static constexpr int office = 16;
    static constexpr int person = 16;
};

// Command1 (0) "OK", the default button, and (1) "ｷｬﾝｾﾙ", at least 100 × 30, right-aligned in the
// returned row. The caller connects their clicked signals.
QHBoxLayout *OkCancelRow(QWidget *parent, QPushButton *(&buttons)[2]);

// The "建物名称" frame with Text1 (0..2): building, office and person name, each limited to its
// length with the limit as tool tip. The boxes start empty.
QGroupBox *NameBox(QWidget *parent, QLineEdit *(&names)[3]);

// A drop-down list that also takes typed text (typing adds no item), showing text, width pixels
// wide and 12 items at a time.
QComboBox *EditableCombo(QWidget *parent, const QStringList &items, const QString &text, int width);

}  // namespace rqx
