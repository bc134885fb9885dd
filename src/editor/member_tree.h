#pragma once
// The member tree of the input screen: which members each tool offers, how the choice is restored
// after the tree is rebuilt, and the wall multiplier of a choice.

#include <QList>
#include <QString>

#include <optional>

#include "editor/editor_state.h"

namespace rqx {

inline const QString kKeyFolder = QStringLiteral("Folder");

struct MemberTreeNode {
    QString text;     // caption
    QString key;      // unique key (the text for floor and column nodes)
    QString kindKey;  // member kind key, "Folder" for a group
    int tag = 0;      // size index, board row, floor or column kind; 0 for a group
    int parent = -1;  // index of the group node in the list, -1 at the top level
};

// The nodes for a tool on a storey, groups before their members. Empty for the beam tool.
QList<MemberTreeNode> MemberTreeNodes(Tool tool, int floor);

// Index of the node with the given unique key, -1 when there is none.
int FindTreeNode(const QList<MemberTreeNode> &nodes, const QString &key);

// After a rebuild: fills in the tool's missing or forced choice (床 on the first storey, 管柱 on the
// second), then takes the recorded node as selection. Returns its index, -1 when the tool has no tree.
int RestoreTreeSelection(EditorState &editor, int floor, const QList<MemberTreeNode> &nodes);

// A click on a node: it becomes the tool's choice, and a wall member sets the multiplier.
void SelectTreeNode(EditorState &editor, const MemberTreeNode &node);

// Wall multiplier of a brace or board choice; nothing for other kinds.
std::optional<float> WallMultiplierOf(const QString &kindKey, int tag, const QString &text);

}  // namespace rqx
