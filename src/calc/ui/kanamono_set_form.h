#pragma once
// KanamonoSetForm: the hardware actually placed at the top and foot of every column of both storeys,
// beside the required class of a fresh calculation. Choices stay pending until they are applied
// (O K on closing, or リスト更新); the clear buttons and the two check boxes write the project at once.
// Everything the dialog writes into the node records becomes one undoable step of the document.

#include <QDialog>

#include <memory>
#include <vector>

#include "calc/placed_hardware.h"
#include "model/project.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace rqx {

class PlacedHardwareHeading;
class NodeEdit;
class ProjectDocument;

class KanamonoSetForm : public QDialog {
    Q_OBJECT
public:
    // Runs the calculation so the required classes are current, then fills the lists.
    KanamonoSetForm(ProjectDocument &document, AppState &settings, QWidget *parent = nullptr);
    ~KanamonoSetForm() override;

    // Storey 1 or 2: List1 (ℓ-1), the top and foot lists (Combo1 / Combo2 (0), (1)), Command2 (ℓ-1).
    QListWidget *columnList(int level) const { return lists_[level - 1]; }
    QComboBox *topChoice(int level) const { return combos_[level - 1][0]; }
    QComboBox *footChoice(int level) const { return combos_[level - 1][1]; }
    QPushButton *clearButton(int level) const { return clearButtons_[level - 1]; }
    // Check1 (blank placements get the required class), Check2 (hold-downs matched across the floor).
    QCheckBox *requiredWhenBlankCheck() const { return checks_[0]; }
    QCheckBox *doublePullCheck() const { return checks_[1]; }
    // Command1 (0) "O K", (1) "リスト更新", (2) "ｷｬﾝｾﾙ".
    QPushButton *okButton() const { return commands_[0]; }
    QPushButton *refreshButton() const { return commands_[1]; }
    QPushButton *cancelButton() const { return commands_[2]; }

    // The pending placements of a storey, in list order.
    const PlacedHardwareList &pending(int level) const { return pending_[level - 1]; }
    bool changed() const { return changed_; }

protected:
    // The close box and Esc: as ｷｬﾝｾﾙ.
    void reject() override;
    // Every way of closing: the records written since opening become one undoable step.
    void done(int result) override;

private:
    void buildLists();
    void buildList(int level);
    void lineSelected(int level, int row);
    void choiceMade(int level, int which);
    void optionTicked();
    void clearStorey(int level);
    void okClicked();
    void refreshClicked();
    void cancelClicked();
    void storeOptions();
    // Writes the pending placements; true when a through column got hardware at a non-joint end.
    bool apply();
    // The closing questions; true when the dialog may close.
    bool mayClose();
    void markChanged();
    NodeRecord &written(int x, int y, int level);

    ProjectDocument &document_;
    const Project &project_;
    const Calculation *calc_ = nullptr;  // the document's calculation when the dialog opened
    AppState &state_;
    PlacedHardwareList pending_[2];
    QListWidget *lists_[2] = {};
    PlacedHardwareHeading *headings_[2] = {};
    QComboBox *combos_[2][2] = {};
    QPushButton *clearButtons_[2] = {};
    QCheckBox *checks_[2] = {};
    QPushButton *commands_[3] = {};
    bool loading_ = false;
    bool changed_ = false;
    bool applyOnClose_ = false;
    bool throughWarning_ = false;
    // The column records as they were after the opening calculation (offsets in the node array).
    // Every placement the dialog writes, recorded from its opening: one undoable step when it closes.
    std::unique_ptr<NodeEdit> edit_;
};

}  // namespace rqx
