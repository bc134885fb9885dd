#pragma once
// The edits the recovery tests make, in the test and in its child program alike: edit i places a
// column with a placed top class on node i of the small house's first storey, each step a change.
#include <QStringList>

#include "document/project_document.h"
#include "support/writable_project.h"

namespace rqx::test {

inline void MakeRecoveryEdit(ProjectDocument &doc, int i)
{
    static const QStringList kClasses = {QStringLiteral("(い)"), QStringLiteral("(ろ)"),
                                         QStringLiteral("(は)")};
    const Project &p = doc.project();
    const int nodesX = p.nodes.sizeX();
    const int nodes = nodesX * p.nodes.sizeY();
    const int at = i % nodes;
    NodeEdit edit(doc, QStringLiteral("柱"), NodeFields::MembersAndPlacedHardware);
    NodeRecord &node = edit.node(1 + at % nodesX, 1 + at / nodesX, 1);
    node.columnKind = 1;
    node.hardware[1] = kClasses[(i / nodes) % kClasses.size()];
    edit.commit();
}

}  // namespace rqx::test
