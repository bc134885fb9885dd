#include "model/project_values.h"

#include <cmath>

#include "model/line_names.h"

namespace rqx {

namespace {

// A record named only when one of its values is refused: a project holds tens of thousands.
struct RecordName {
    const char *kind;  // "プロジェクト情報", "節点"…
    int x = 0;
    int y = 0;
    int level = 0;
    QString text() const
    {
        const QString name = QString::fromUtf8(kind);
        if (level == 0)
            return name;
        return QStringLiteral("%1 (x %2, y %3, レベル %4)").arg(name).arg(x).arg(y).arg(level);
    }
};

// Remembers the first value out of its range; later checks cost a comparison each.
class ValueCheck {
public:
    bool failed() const { return !problem_.isEmpty(); }
    const QString &problem() const { return problem_; }

    void range(const RecordName &record, const char *field, int32_t value, int32_t lo, int32_t hi)
    {
        if (value >= lo && value <= hi) [[likely]]
            return;
        const QString expected = hi == lo + 1 ? QStringLiteral("%1 または %2").arg(lo).arg(hi)
                                              : QStringLiteral("%1～%2").arg(lo).arg(hi);
        fail(record, field, QString::number(value), expected);
    }
    void flag(const RecordName &record, const char *field, int32_t value)
    {
        range(record, field, value, 0, 1);
    }
    void real(const RecordName &record, const char *field, float value, float lo, float hi)
    {
        if (std::isfinite(value) && value >= lo && value <= hi) [[likely]]
            return;
        fail(record, field, QString::number(static_cast<double>(value), 'g', 9),
             QStringLiteral("%1～%2").arg(static_cast<double>(lo)).arg(static_cast<double>(hi)));
    }
    // A value that must be 0 where it stands; `where` says where ("屋根面では").
    void zero(const RecordName &record, const char *field, int32_t value, const char *where)
    {
        if (value == 0) [[likely]]
            return;
        fail(record, field, QString::number(value), QString::fromUtf8(where) + QStringLiteral(" 0"));
    }
    Q_NEVER_INLINE void fail(const RecordName &record, const char *field, const QString &value,
                             const QString &expected)
    {
        if (failed())
            return;
        problem_ = record.text() + QStringLiteral(" の ") + QLatin1String(field) + QStringLiteral("（") +
                   value + QStringLiteral("）が正しくありません。") + expected +
                   QStringLiteral(" のはずです。");
    }

private:
    QString problem_;
};

void CheckInfo(ValueCheck &c, const ProjectInfo &info)
{
    const RecordName record{"プロジェクト情報"};
    c.flag(record, "hideOfficeOnCover", info.hideOfficeOnCover);
    c.flag(record, "hideDateOnCover", info.hideDateOnCover);
    static const char *const heights[] = {"levelHeight(1)", "levelHeight(2)", "levelHeight(3)",
                                          "levelHeight(4)"};
    for (int level = 1; level <= 4; ++level)
        c.range(record, heights[level - 1], info.levelHeight[level], 0, kMaxLevelHeight);
    c.real(record, "moduleLength", info.moduleLength, kMinModuleLength, kMaxModuleLength);
}

void CheckGrid(ValueCheck &c, const GridInfo &g)
{
    const RecordName record{"グリッド情報"};
    // Style 0 is what files of the first versions hold; it reads as style 1.
    c.range(record, "lineStyleX", g.lineStyleX, 0, kLineStyleDigits);
    c.range(record, "lineStyleY", g.lineStyleY, 0, kLineStyleDigits);
    c.flag(record, "lineReverseX", g.lineReverseX);
    c.flag(record, "lineReverseY", g.lineReverseY);
    c.flag(record, "showRequiredWhenBlank", g.showRequiredWhenBlank);
    c.flag(record, "useDoublePull", g.useDoublePull);
    c.flag(record, "lCoefficientMode", g.lCoefficientMode);
    c.flag(record, "crossBeamIgnored", g.crossBeamIgnored);
    c.flag(record, "crossBeamNoWarning", g.crossBeamNoWarning);
}

// A wall member: every field within what placement, splitting and the grid-size change write. A
// removed member is all zero, but indices stay within the line either way.
void CheckWall(ValueCheck &c, const RecordName &record, const WallMember &m, const char *const fields[6],
               int32_t maxKind, int32_t lineCount)
{
    c.range(record, fields[0], m.kind, 0, maxKind);
    c.range(record, fields[1], m.firstIndex, 0, lineCount);
    c.range(record, fields[2], m.lastIndex, 0, lineCount);
    c.range(record, fields[3], m.code, 0, 4);
    c.range(record, fields[4], m.segment, 0, 3);
    c.real(record, fields[5], m.multiplier, 0.0f, kMaxMemberMultiplier);
}

// Members where no program puts one: the roof plane (the level above the top storey) holds beams only,
// and no wall, beam or floor cell starts at the last node of a line, where no span follows. The
// calculation would leave them out while a figure or a count took them in.
void CheckPlacement(ValueCheck &c, const Project &p, const RecordName &record, int x, int y, int level)
{
    static const char *const kinds[3][2] = {{"brace(1).kind", "brace(2).kind"},
                                            {"board(1).kind", "board(2).kind"},
                                            {"beam(1).present", "beam(2).present"}};
    const NodeRecord &n = p.nodes(x, y, level);
    if (level > p.info.floorCount) {
        const char *const where = "屋根面（梁のみ）では";
        for (int d = kDirX; d <= kDirY; ++d) {
            c.zero(record, kinds[0][d - 1], n.brace[d].kind, where);
            c.zero(record, kinds[1][d - 1], n.board[d].kind, where);
        }
        c.zero(record, "cellFloor", n.cellFloor, where);
        // Entered on the one storey of a house, a through column keeps its upper half on the roof plane.
        const bool throughHalf = p.info.floorCount == 1 && n.columnKind == 2 && n.throughOrigin == 1;
        if (!throughHalf) {
            c.zero(record, "columnKind", n.columnKind, where);
            c.zero(record, "throughOrigin", n.throughOrigin, where);
        }
        // Corner and outline marks are derived for the storeys alone; stale ones here are read by nothing.
    }
    const int along[3] = {0, x, y};
    const int32_t lastNode[3] = {0, p.info.spanCountX + 1, p.info.spanCountY + 1};
    for (int d = kDirX; d <= kDirY; ++d) {
        if (along[d] != lastNode[d])
            continue;
        const char *const where = d == kDirX ? "X 方向の最後の節点では" : "Y 方向の最後の節点では";
        c.zero(record, kinds[0][d - 1], n.brace[d].kind, where);
        c.zero(record, kinds[1][d - 1], n.board[d].kind, where);
        c.zero(record, kinds[2][d - 1], n.beam[d].present, where);
        c.zero(record, "cellFloor", n.cellFloor, where);
    }
}

void CheckNode(ValueCheck &c, const Project &p, int x, int y, int level)
{
    static const char *const wallFields[4][6] = {
        {"brace(1).kind", "brace(1).firstIndex", "brace(1).lastIndex", "brace(1).code", "brace(1).segment",
         "brace(1).multiplier"},
        {"brace(2).kind", "brace(2).firstIndex", "brace(2).lastIndex", "brace(2).code", "brace(2).segment",
         "brace(2).multiplier"},
        {"board(1).kind", "board(1).firstIndex", "board(1).lastIndex", "board(1).code", "board(1).segment",
         "board(1).multiplier"},
        {"board(2).kind", "board(2).firstIndex", "board(2).lastIndex", "board(2).code", "board(2).segment",
         "board(2).multiplier"},
    };
    const NodeRecord &n = p.nodes(x, y, level);
    const int32_t lines[3] = {0, p.info.spanCountX + 1, p.info.spanCountY + 1};
    const RecordName record{"節点", x, y, level};
    for (int d = kDirX; d <= kDirY; ++d) {
        CheckWall(c, record, n.brace[d], wallFields[d - 1], kMaxBraceKind, lines[d]);
        CheckWall(c, record, n.board[d], wallFields[d + 1], kMaxBoardKind, lines[d]);
    }
    c.range(record, "columnKind", n.columnKind, 0, 2);
    c.flag(record, "throughOrigin", n.throughOrigin);
    c.flag(record, "isCorner", n.isCorner);
    // Beam flags and positions are read as absolute values: a negative one is taken as written by
    // an earlier program, never beyond the four positions.
    c.range(record, "beam(1).present", n.beam[1].present, -1, 1);
    c.range(record, "beam(1).segment", n.beam[1].segment, -3, 3);
    c.range(record, "beam(2).present", n.beam[2].present, -1, 1);
    c.range(record, "beam(2).segment", n.beam[2].segment, -3, 3);
    c.range(record, "cellFloor", n.cellFloor, 0, 2);
    c.flag(record, "outlineEdge(1)", n.outlineEdge[1]);
    c.flag(record, "outlineEdge(2)", n.outlineEdge[2]);
    if (c.failed()) [[unlikely]]
        return;
    CheckPlacement(c, p, record, x, y, level);
}

// A node's plan position is where the grid puts it, (i − 1) × span length, up to rounding; z is
// the level's height. Anything else would make beam spans of zero length or figures off the page.
void CheckCoord(ValueCheck &c, const Project &p, int x, int y, int level)
{
    const NodeCoord &k = p.coords(x, y, level);
    const double span = static_cast<double>(p.info.moduleLength) / p.info.divisions;
    const double tolerance = 0.01 * span;
    auto near = [tolerance](float value, double expected) {
        return std::isfinite(value) && std::abs(static_cast<double>(value) - expected) <= tolerance;
    };
    const RecordName record{"節点座標", x, y, level};
    if (near(k.x, (x - 1) * span) && near(k.y, (y - 1) * span)) [[likely]] {
        c.real(record, "z", k.z, 0.0f, static_cast<float>(kMaxLevelHeight));
        return;
    }
    const QString expected = QStringLiteral("グリッド上の位置 (%1 m, %2 m)")
                                 .arg((x - 1) * span, 0, 'f', 3)
                                 .arg((y - 1) * span, 0, 'f', 3);
    const bool xWrong = !near(k.x, (x - 1) * span);
    c.fail(record, xWrong ? "x" : "y", QString::number(static_cast<double>(xWrong ? k.x : k.y), 'g', 9),
           expected);
}

}  // namespace

QString ProjectValueProblem(const Project &project)
{
    ValueCheck c;
    CheckInfo(c, project.info);
    CheckGrid(c, project.grid);
    const NodeArray &nodes = project.nodes;
    for (int level = 1; level <= nodes.sizeLevel() && !c.failed(); ++level)
        for (int y = 1; y <= nodes.sizeY() && !c.failed(); ++y)
            for (int x = 1; x <= nodes.sizeX() && !c.failed(); ++x) {
                CheckNode(c, project, x, y, level);
                CheckCoord(c, project, x, y, level);
            }
    return c.problem();
}

}  // namespace rqx
