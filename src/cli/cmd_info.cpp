// info FILE.RQX: what a project holds, one fact per line.
//   building: <name>
//   storeys: <1|2>
//   spans: X <n> Y <n>
//   divisions: <1..4>
//   module: <metres> m
//   heights: H1 <mm> mm H2 <mm> mm      (only when a storey height is stored; 0 = not entered)
//   level <l>: columns=<n> through=<n> brace-spans=<n> board-spans=<n> beam-spans=<n> floor-cells=<n>
//   void-cells=<n>
// with one level line for every level 1 .. storeys+1 (the last is the roof plane).
#include <QStringList>

#include "cli/cli_common.h"

namespace rqx::cli {

namespace {

struct LevelCounts {
    int columns = 0;
    int through = 0;
    int braceSpans = 0;
    int boardSpans = 0;
    int beamSpans = 0;
    int floorCells = 0;
    int voidCells = 0;
};

LevelCounts CountLevel(const Project &p, int level)
{
    LevelCounts c;
    const NodeArray &nodes = p.nodes;
    for (int y = 1; y <= nodes.sizeY(); ++y)
        for (int x = 1; x <= nodes.sizeX(); ++x) {
            const NodeRecord &n = nodes(x, y, level);
            c.columns += n.columnKind > 0;
            c.through += n.columnKind == 2;
            for (int dir = kDirX; dir <= kDirY; ++dir) {
                c.braceSpans += n.brace[dir].kind > 0;
                c.boardSpans += n.board[dir].kind > 0;
                c.beamSpans += IsBeamPresent(n.beam[dir]);
            }
            // A cell exists for the lower-left nodes of the grid only.
            if (x <= p.info.spanCountX && y <= p.info.spanCountY) {
                c.floorCells += n.cellFloor == 1;
                c.voidCells += n.cellFloor == 2;
            }
        }
    return c;
}

}  // namespace

int RunInfo(const QStringList &args)
{
    if (args.size() != 1)
        return UsageError(QStringLiteral("info FILE.RQX"));
    Project p;
    if (!LoadForCommand(args[0], p))
        return kExitRefused;
    const ProjectInfo &info = p.info;
    QTextStream &out = Out();
    out << "building: " << info.buildingName << '\n'
        << "storeys: " << info.floorCount << '\n'
        << "spans: X " << info.spanCountX << " Y " << info.spanCountY << '\n'
        << "divisions: " << info.divisions << '\n'
        << "module: " << QString::number(static_cast<double>(info.moduleLength), 'g', 6) << " m\n";
    if (info.levelHeight[1] != 0 || info.levelHeight[2] != 0)
        out << "heights: H1 " << info.levelHeight[1] << " mm H2 " << info.levelHeight[2] << " mm\n";
    for (int level = 1; level <= p.nodes.sizeLevel(); ++level) {
        const LevelCounts c = CountLevel(p, level);
        out << "level " << level << ": columns=" << c.columns << " through=" << c.through
            << " brace-spans=" << c.braceSpans << " board-spans=" << c.boardSpans
            << " beam-spans=" << c.beamSpans << " floor-cells=" << c.floorCells
            << " void-cells=" << c.voidCells << '\n';
    }
    out.flush();
    return kExitOk;
}

}  // namespace rqx::cli
