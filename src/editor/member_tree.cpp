#include "editor/member_tree.h"

#include "model/project.h"

namespace rqx {

namespace {

void AddGroup(QList<MemberTreeNode> &nodes, const QString &caption, const QString &kind,
              const QStringList &texts)
{
    const int group = static_cast<int>(nodes.size());
    nodes.append({caption, kKeyFolder + kind, kKeyFolder, 0, -1});
    for (int i = 0; i < texts.size(); ++i)
        nodes.append({texts[i], kind + QString::number(i + 1), kind, i + 1, group});
}

}  // namespace

QList<MemberTreeNode> MemberTreeNodes(Tool tool, int floor)
{
    QList<MemberTreeNode> nodes;
    switch (tool) {
        case kToolFloor:
            nodes.append({QStringLiteral("床"), QStringLiteral("床"), kKeySlab1, 1, -1});
            if (floor == 2)
                nodes.append({QStringLiteral("吹き抜け"), QStringLiteral("吹き抜け"), kKeySlab2, 2, -1});
            break;
        case kToolWall: {
            AddGroup(nodes, QStringLiteral("筋かい(けさ掛け)"), kKeyKesa,
                     {QStringLiteral("15×90 (1.0)"), QStringLiteral("30×90 (1.5)"),
                      QStringLiteral("45×90 (2.0)"), QStringLiteral("90×90 (3.0)")});
            AddGroup(nodes, QStringLiteral("筋かい(たすき掛け)"), kKeyTasuki,
                     {QStringLiteral("15×90 (2.0)"), QStringLiteral("30×90 (3.0)"),
                      QStringLiteral("45×90 (4.0)"), QStringLiteral("90×90 (5.0)")});
            QStringList boards;
            for (int row = 1; row <= 10; ++row)
                boards.append(QString::number(row * 0.5, 'f', 1));  // "#0.0"
            AddGroup(nodes, QStringLiteral("面材耐力壁"), kKeyMenzai, boards);
            break;
        }
        case kToolColumn:
            nodes.append({QStringLiteral("管柱"), QStringLiteral("管柱"), kKeyCol1, 1, -1});
            nodes.append({QStringLiteral("通し柱"), QStringLiteral("通し柱"), kKeyCol2, 2, -1});
            break;
        default:
            break;
    }
    return nodes;
}

int FindTreeNode(const QList<MemberTreeNode> &nodes, const QString &key)
{
    if (key.isEmpty())
        return -1;
    for (int i = 0; i < nodes.size(); ++i)
        if (nodes[i].key == key)
            return i;
    return -1;
}

int RestoreTreeSelection(EditorState &editor, int floor, const QList<MemberTreeNode> &nodes)
{
    const Tool tool = editor.currentTool;
    if (tool < kToolFloor || tool > kToolBeam)
        return -1;
    if (editor.selectedItem[tool] == 0)
        editor.selectedItem[tool] = 1;
    if (tool > kToolColumn || nodes.isEmpty())  // the beam tool has no tree
        return -1;
    QString &recorded = editor.selectedNodeKey[tool];
    if (tool == kToolFloor && floor == 1) {
        editor.selectedItem[tool] = 1;
        recorded = QStringLiteral("床");
    } else if (tool == kToolColumn && floor == 2) {
        editor.selectedItem[tool] = 1;
        recorded = QStringLiteral("管柱");
    }
    int index = FindTreeNode(nodes, recorded);
    if (index < 0) {
        // Nothing recorded yet: the first member, as the floor and column trees take their first node.
        // For the wall tree that is the first brace, so that the tool never places with the kind key
        // left behind by another tool.
        index = tool == kToolWall ? 1 : 0;
        recorded = nodes[index].key;
    }
    const MemberTreeNode &node = nodes[index];
    editor.selectedItem[tool] = node.tag;
    editor.memberKey = node.kindKey;
    if (const auto m = WallMultiplierOf(node.kindKey, node.tag, node.text))
        editor.multiplier = *m;
    return index;
}

void SelectTreeNode(EditorState &editor, const MemberTreeNode &node)
{
    const Tool tool = editor.currentTool;
    if (tool < kToolFloor || tool > kToolBeam)
        return;
    editor.selectedItem[tool] = node.tag;
    editor.memberKey = node.kindKey;
    if (tool <= kToolColumn)
        editor.selectedNodeKey[tool] = node.key;
    if (const auto m = WallMultiplierOf(node.kindKey, node.tag, node.text))
        editor.multiplier = *m;
}

std::optional<float> WallMultiplierOf(const QString &kindKey, int tag, const QString &text)
{
    constexpr float kesa[4] = {1.0f, 1.5f, 2.0f, 3.0f};
    constexpr float tasuki[4] = {2.0f, 3.0f, 4.0f, 5.0f};
    if (kindKey == kKeyKesa && tag >= 1 && tag <= 4)
        return kesa[tag - 1];
    if (kindKey == kKeyTasuki && tag >= 1 && tag <= 4)
        return tasuki[tag - 1];
    if (kindKey == kKeyMenzai) {
        bool ok = false;
        const float v = text.toFloat(&ok);
        if (ok)
            return v;
    }
    return std::nullopt;
}

}  // namespace rqx
