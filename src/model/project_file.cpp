#include "model/project_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "common/file_paths.h"
#include "common/platform.h"
#include "model/cp932.h"
#include "model/cp932_table.h"
#include "model/project_values.h"

namespace rqx {

namespace {

// Bytes that must follow ProjectInfo at the least: two empty line-name arrays (descriptor only), the
// GridInfo fixed block with 30 empty strings, and the spare table of 10 empty entries.
constexpr qsizetype kMinGridBytes = 2 * 10 + kGridInfoFixedBytes + 30 * 2;
constexpr qsizetype kSpareTableMinBytes = 10 * (2 + 4);
constexpr qsizetype kMinBytesPerNode = kMinNodeBytes + kNodeCoordBytes;

// ---------------------------------------------------------------- writing

class Writer {
public:
    explicit Writer(qsizetype expected)
    {
        buf_.resize(expected);
        w_ = buf_.data();
        end_ = w_ + buf_.size();
    }

    void i32(int32_t v)
    {
        ensure(4);
        qToLittleEndian(v, w_);
        w_ += 4;
    }
    void f32(float v)
    {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        ensure(4);
        qToLittleEndian(bits, w_);
        w_ += 4;
    }
    void u16(uint16_t v)
    {
        ensure(2);
        qToLittleEndian(v, w_);
        w_ += 2;
    }
    void bytes(const void *data, qsizetype n)
    {
        ensure(n);
        std::memcpy(w_, data, static_cast<size_t>(n));
        w_ += n;
    }
    void str(const QString &text)
    {
        const qsizetype units = text.size();
        ensure(2 + 2 * units);
        char *const lengthAt = w_;
        char *w = w_ + 2;
        const char16_t *p = reinterpret_cast<const char16_t *>(text.utf16());
        const char16_t *end = p + units;
        // Plain ASCII (member keys, most hardware names) is copied through; the rest goes by table.
        while (p < end && *p < 0x80)
            *w++ = static_cast<char>(*p++);
        if (p < end)
            w = EncodeCp932(QStringView(p, end - p), w);
        qsizetype n = w - (lengthAt + 2);
        if (n > kMaxStringBytes)
            n = CutAtCharacter(reinterpret_cast<const uint8_t *>(lengthAt + 2), n, kMaxStringBytes);
        qToLittleEndian(static_cast<uint16_t>(n), lengthAt);
        w_ = lengthAt + 2 + n;
    }

    QByteArray take()
    {
        buf_.truncate(w_ - buf_.data());
        return std::move(buf_);
    }

private:
    // Longest prefix of at most `limit` bytes that does not split a double-byte code.
    static qsizetype CutAtCharacter(const uint8_t *s, qsizetype n, qsizetype limit)
    {
        qsizetype pos = 0;
        while (pos < n) {
            const qsizetype step = cp932::kLeadIndex[s[pos]] != 0 ? 2 : 1;
            if (pos + step > limit)
                break;
            pos += step;
        }
        return pos;
    }

    void ensure(qsizetype n)
    {
        if (end_ - w_ < n)
            grow(n);
    }
    void grow(qsizetype n)
    {
        const qsizetype used = w_ - buf_.data();
        buf_.resize(std::max(2 * buf_.size(), used + n));
        w_ = buf_.data() + used;
        end_ = buf_.data() + buf_.size();
    }

    QByteArray buf_;
    char *w_ = nullptr;    // next byte to write
    char *end_ = nullptr;  // end of the room in buf_
};

// ---------------------------------------------------------------- reading

// Recently read strings by their bytes: equal texts (hardware names above all) share one QString
// instead of being decoded and allocated once per node. Texts of up to 16 bytes are keyed by their
// bytes themselves (two words and the length), longer ones by a hash and compared.
class StringCache {
public:
    // `room` is how many bytes may be read from `bytes` (at least n).
    QString get(const uint8_t *bytes, uint16_t n, qsizetype room)
    {
        if (n == 0)
            return QString();
        const QByteArrayView view(bytes, n);
        if (n > kMaxCached)
            return FromCp932(view);
        uint64_t a = 0;
        uint64_t b = 0;
        if (n <= 16) {
            if (room >= 16) {  // whole words, the bytes past the text masked off
                std::memcpy(&a, bytes, 8);
                std::memcpy(&b, bytes + 8, 8);
                a = qFromLittleEndian(a);
                b = qFromLittleEndian(b);
                if (n < 8) {
                    a &= (uint64_t(1) << (8 * n)) - 1;
                    b = 0;
                } else if (n < 16) {
                    b &= (uint64_t(1) << (8 * (n - 8))) - 1;
                }
            } else {
                for (uint16_t i = 0; i < n; ++i)
                    (i < 8 ? a : b) |= uint64_t(bytes[i]) << (8 * (i & 7));
            }
        } else {
            a = 1469598103934665603ull;
            for (uint16_t i = 0; i < n; ++i)
                a = (a ^ bytes[i]) * 1099511628211ull;
        }
        const uint64_t mix = (a ^ (b * 0x9E3779B97F4A7C15ull) ^ n) * 0xFF51AFD7ED558CCDull;
        if (slots_.empty())  // made on first use: a file refused early never pays for it
            slots_.resize(kSlots);
        Slot &slot = slots_[(mix >> 40) & (kSlots - 1)];
        if (slot.length == n && slot.a == a && slot.b == b &&
            (n <= 16 || std::memcmp(slot.bytes, bytes, n) == 0))
            return slot.text;
        slot.bytes = bytes;
        slot.length = n;
        slot.a = a;
        slot.b = b;
        slot.text = FromCp932(view);
        return slot.text;
    }

private:
    static constexpr uint16_t kMaxCached = 64;
    static constexpr uint32_t kSlots = 1024;
    struct Slot {
        uint64_t a = 0;
        uint64_t b = 0;
        const uint8_t *bytes = nullptr;
        uint16_t length = 0;
        QString text;
    };
    std::vector<Slot> slots_;
};

// Reads fields in order; the first shortfall is remembered and every later read yields zero.
class Reader {
public:
    explicit Reader(QByteArrayView bytes)
        : begin_(reinterpret_cast<const uint8_t *>(bytes.data())), p_(begin_), end_(begin_ + bytes.size())
    {
    }

    // From here on equal texts are read once and shared (the node records repeat them).
    void shareRepeatedTexts() { shareTexts_ = true; }

    bool failed() const { return !error_.isEmpty(); }
    const QString &error() const { return error_; }
    qsizetype remaining() const { return end_ - p_; }
    qsizetype offset() const { return p_ - begin_; }

    void fail(const QString &reason)
    {
        if (error_.isEmpty())
            error_ = reason;
        p_ = end_;
    }

    int32_t i32()
    {
        if (!need(4))
            return 0;
        const int32_t v = qFromLittleEndian<int32_t>(p_);
        p_ += 4;
        return v;
    }
    uint16_t u16()
    {
        if (!need(2))
            return 0;
        const uint16_t v = qFromLittleEndian<uint16_t>(p_);
        p_ += 2;
        return v;
    }
    float f32()
    {
        if (!need(4))
            return 0.0f;
        const uint32_t bits = qFromLittleEndian<uint32_t>(p_);
        p_ += 4;
        float v;
        std::memcpy(&v, &bits, 4);
        return v;
    }
    template <size_t N>
    void block(std::array<uint8_t, N> &out)
    {
        if (!need(static_cast<qsizetype>(N)))
            return;
        std::memcpy(out.data(), p_, N);
        p_ += N;
    }
    // A 16-bit byte count, then that many code page 932 bytes. Empty texts, the most frequent in
    // the node records, are read here without a call.
    QString str()
    {
        if (end_ - p_ >= 2 && p_[0] == 0 && p_[1] == 0) [[likely]] {
            p_ += 2;
            return QString();
        }
        return text();
    }
    // The member key of a wall: copies of the program's own constants share their static text
    // and need neither decoding nor reference counting.
    QString key()
    {
        if (end_ - p_ >= 8) [[likely]] {
            const uint8_t *s = p_;
            if (s[0] == 4 && s[1] == 0 && std::memcmp(s + 2, "Kesa", 4) == 0) {
                p_ += 6;
                return kKeyKesa;
            }
            if (s[0] == 6 && s[1] == 0) {
                if (std::memcmp(s + 2, "Tasuki", 6) == 0) {
                    p_ += 8;
                    return kKeyTasuki;
                }
                if (std::memcmp(s + 2, "Menzai", 6) == 0) {
                    p_ += 8;
                    return kKeyMenzai;
                }
            }
        }
        return str();
    }
    void skipString()
    {
        const qsizetype at = offset();
        const uint16_t n = u16();
        if (remaining() < n) {
            stringPastEnd(n, at);
            return;
        }
        p_ += n;
    }

private:
    Q_NEVER_INLINE QString text()
    {
        const qsizetype at = offset();
        const uint16_t n = u16();
        if (n == 0)
            return QString();
        if (remaining() < n) [[unlikely]] {
            stringPastEnd(n, at);
            return QString();
        }
        const uint8_t *s = p_;
        p_ += n;
        return shareTexts_ ? cache_.get(s, n, end_ - s) : FromCp932(QByteArrayView(s, n));
    }
    bool need(qsizetype n)
    {
        if (end_ - p_ >= n) [[likely]]
            return true;
        endsEarly();
        return false;
    }
    Q_NEVER_INLINE void endsEarly()
    {
        fail(QStringLiteral("ファイルが途中で終わっています（%1 バイト目）。").arg(offset()));
    }
    Q_NEVER_INLINE void stringPastEnd(uint16_t n, qsizetype at)
    {
        fail(QStringLiteral("文字列の長さ（%1 バイト）がファイルの終わりを越えています（%2 バイト目）。")
                 .arg(n)
                 .arg(at));
    }

    const uint8_t *begin_;
    const uint8_t *p_;
    const uint8_t *end_;
    QString error_;
    bool shareTexts_ = false;
    StringCache cache_;
};

// ---------------------------------------------------------------- records
// Every saved record has one list of its fields in file order, walked by a writing and a reading visitor:
// Put writes each field, Take reads it into the record.

// Writes the fields it is shown.
struct Put {
    Writer &w;
    void operator()(int32_t v) { w.i32(v); }
    void operator()(float v) { w.f32(v); }
    void operator()(const QString &v) { w.str(v); }
    void key(const QString &v) { w.str(v); }
    template <size_t N>
    void operator()(const std::array<uint8_t, N> &v)
    {
        w.bytes(v.data(), static_cast<qsizetype>(N));
    }
};

// Reads each field it is shown into the record.
struct Take {
    Reader &r;
    void operator()(int32_t &v) { v = r.i32(); }
    void operator()(float &v) { v = r.f32(); }
    void operator()(QString &v) { v = r.str(); }
    void key(QString &v) { v = r.key(); }
    template <size_t N>
    void operator()(std::array<uint8_t, N> &v)
    {
        r.block(v);
    }
};

// ---- 1. FileHeader

template <class Io, class Header>
void HeaderFields(Io &&io, Header &h)
{
    io(h.versionText);
    io(h.productName);
    io(h.reserved);
}

// ---- 2. ProjectInfo

template <class Io, class Info>
void ProjectInfoFields(Io &&io, Info &info)
{
    io(info.buildingName);
    io(info.officeName);
    io(info.personName);
    io(info.hideOfficeOnCover);
    io(info.hideDateOnCover);
    io(info.floorCount);
    for (auto &height : info.levelHeight)
        io(height);
    io(info.spanCountX);
    io(info.spanCountY);
    io(info.divisions);
    io(info.moduleLength);
    io(info.reserved);
    for (auto &text : info.reservedText)
        io(text);
}

// ---- 3. GridInfo: the two line-name arrays, then the options

void WriteLineNames(Writer &w, const OneBasedArray<QString> &names)
{
    w.u16(1);
    w.i32(names.size());
    w.i32(1);
    for (const QString &name : names)
        w.str(name);
}

// Reads a line-name array: descriptor (one dimension from 1), then its names. Only as many names as
// the grid has lines are kept; the array is then fitted to the grid (missing names empty).
void ReadLineNames(Reader &r, OneBasedArray<QString> &names, int lineCount, const char *axis)
{
    const qsizetype at = r.offset();
    const uint16_t dims = r.u16();
    const int32_t count = r.i32();
    const int32_t lower = r.i32();
    if (r.failed())
        return;
    if (dims != 1 || lower != 1 || count < 0) {
        r.fail(QStringLiteral(
                   "通り名 %1 の配列の記述が正しくありません（%2 バイト目：次元数 %3、要素数 %4、下限 %5）。")
                   .arg(QLatin1String(axis))
                   .arg(at)
                   .arg(dims)
                   .arg(count)
                   .arg(lower));
        return;
    }
    if (count > r.remaining() / 2) {
        r.fail(QStringLiteral("通り名 %1 の数（%2）に対してファイルが短すぎます。")
                   .arg(QLatin1String(axis))
                   .arg(count));
        return;
    }
    names = OneBasedArray<QString>(lineCount);
    for (int k = 1; k <= count && !r.failed(); ++k) {
        if (k <= lineCount)
            names[k] = r.str();
        else
            r.skipString();
    }
}

// The fields after the two line-name arrays.
template <class Io, class Grid>
void GridOptionFields(Io &&io, Grid &g)
{
    io(g.lineStyleX);
    io(g.lineStyleY);
    io(g.lineStartX);
    io(g.lineStartY);
    io(g.lineReverseX);
    io(g.lineReverseY);
    io(g.showRequiredWhenBlank);
    io(g.useDoublePull);
    io(g.reserved1);
    io(g.lCoefficientMode);
    io(g.crossBeamIgnored);
    io(g.crossBeamNoWarning);
    io(g.reserved2);
    for (auto &text : g.reservedText)
        io(text);
}

void WriteGridInfo(Writer &w, const GridInfo &g)
{
    WriteLineNames(w, g.lineNameX);
    WriteLineNames(w, g.lineNameY);
    GridOptionFields(Put{w}, g);
}

// The line names are fitted to the grid's lineCountX × lineCountY lines.
void ReadGridInfo(Reader &r, GridInfo &g, int lineCountX, int lineCountY)
{
    ReadLineNames(r, g.lineNameX, lineCountX, "X");
    ReadLineNames(r, g.lineNameY, lineCountY, "Y");
    GridOptionFields(Take{r}, g);
}

// ---- 4. Nodes

template <class Io, class Wall>
void WallFields(Io &io, Wall &m)
{
    io(m.kind);
    io(m.firstIndex);
    io(m.lastIndex);
    io.key(m.key);
    io(m.code);
    io(m.segment);
    io(m.multiplier);
}

template <class Io, class Node>
void NodeRecordFields(Io &&io, Node &n)
{
    WallFields(io, n.brace[1]);
    WallFields(io, n.brace[2]);
    WallFields(io, n.board[1]);
    WallFields(io, n.board[2]);
    io(n.columnKind);
    io(n.throughOrigin);
    io(n.isCorner);
    for (auto &text : n.hardware)
        io(text);
    for (auto &b : n.beam) {
        io(b.present);
        io(b.segment);
    }
    io(n.cellFloor);
    io(n.outlineEdge[1]);
    io(n.outlineEdge[2]);
}

// ---- 5. NodeCoords

template <class Io, class Coord>
void CoordFields(Io &&io, Coord &c)
{
    io(c.x);
    io(c.y);
    io(c.z);
}

// ---- 6. SpareTable

template <class Io, class Table>
void SpareTableFields(Io &&io, Table &spare)
{
    for (auto &e : spare) {
        io(e.text);
        io(e.value);
    }
}

// ---------------------------------------------------------------- checks

// What reading refuses in the dimensions of ProjectInfo; empty when they are sound. A grid larger
// than the program makes is refused here, before anything of its size is allocated.
QString DimensionProblem(const ProjectInfo &info)
{
    if (info.floorCount < 1 || info.floorCount > 2)
        return QStringLiteral("階数（%1）が正しくありません。1 または 2 のはずです。").arg(info.floorCount);
    if (info.divisions < 1 || info.divisions > kMaxDivisions)
        return QStringLiteral("グリッドの分割数（%1）が正しくありません。1～4 のはずです。")
            .arg(info.divisions);
    if (info.spanCountX < 1 || info.spanCountY < 1)
        return QStringLiteral("スパン数（X %1、Y %2）が正しくありません。")
            .arg(info.spanCountX)
            .arg(info.spanCountY);
    if (info.spanCountX > kMaxSpanCount || info.spanCountY > kMaxSpanCount)
        return QStringLiteral(
                   "グリッドの大きさ（X %1、Y %2 スパン）がこのプログラムで扱える大きさを"
                   "超えています。各方向 %3 スパン（%4 モジュール × %5 分割）までです。")
            .arg(info.spanCountX)
            .arg(info.spanCountY)
            .arg(kMaxSpanCount)
            .arg(kMaxGridCount)
            .arg(kMaxDivisions);
    if (!std::isfinite(info.moduleLength) || info.moduleLength <= 0.0f)
        return QStringLiteral("グリッドモジュールの長さ（%1）が正しくありません。")
            .arg(static_cast<double>(info.moduleLength));
    return QString();
}

// A save must write what a load reads back: the dimensions readable and the node and coordinate
// arrays of exactly the bounds they announce (their element counts are not stored).
QString UnsavableProblem(const Project &project)
{
    const ProjectInfo &info = project.info;
    if (QString why = DimensionProblem(info); !why.isEmpty())
        return why;
    auto fits = [&info](const auto &a) {
        return a.sizeX() == info.spanCountX + 1 && a.sizeY() == info.spanCountY + 1 &&
               a.sizeLevel() == info.floorCount + 1;
    };
    if (!fits(project.nodes) || !fits(project.coords))
        return QStringLiteral(
                   "節点の配列（%1 × %2 × %3）がグリッドの大きさ（%4 × %5 スパン、%6 階）と合っていません。")
            .arg(project.nodes.sizeX())
            .arg(project.nodes.sizeY())
            .arg(project.nodes.sizeLevel())
            .arg(info.spanCountX)
            .arg(info.spanCountY)
            .arg(info.floorCount);
    // What a load would refuse is not written: the file would not open again.
    return ProjectValueProblem(project);
}

QString WithFileName(const QString &lead, const QString &reason, const QString &path)
{
    return lead + QStringLiteral("\r\r") + reason + QStringLiteral("\r\rFile Name: ") + FileNameOf(path);
}

const QString kLoadLead = QStringLiteral("ファイルを読み込めませんでした。");

// Why a file cannot be read, for the designer: what is wrong with the path itself.
QString ReadProblemText(int error)
{
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("ファイルが見つかりません。");
        case EISDIR:
            return QStringLiteral("ファイルではなくフォルダです。");
        case EACCES:
        case EPERM:
            return QStringLiteral("ファイルを読む権限がありません。");
        case ENODEV:
            return QStringLiteral("通常のファイルではありません。");
        default:
            return SystemErrorText(error);
    }
}

QString ReadProblemInEnglish(int error)
{
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("file not found (ENOENT)");
        case EISDIR:
            return QStringLiteral("a folder, not a file (EISDIR)");
        case ENODEV:
            return QStringLiteral("not a regular file");
        default:
            return SystemErrorInEnglish(error);
    }
}

// A file read in steps: a project's dimensions are checked before the bulk of a large file is read.
class FileBytes {
public:
    // 0 or the errno of the failed call; a folder gives EISDIR and anything else that is no regular
    // file ENODEV, before it is opened (a pipe or a device could block or never end).
    int open(const QString &path)
    {
        const int error = file_.open(path);
        sizeHint_ = file_.sizeHint();  // a file that grows or shrinks meanwhile is read to its end
        return error;
    }

    // Reads on until `limit` bytes are held or the file ends; 0 or the errno of the failed read.
    int readUpTo(qint64 limit)
    {
        if (buffer_.size() < std::min(sizeHint_, limit) + 1)
            buffer_.resize(std::min(sizeHint_, limit) + 1);  // + 1: the end shows without growing
        while (!ended_ && used_ < limit) {
            if (used_ == buffer_.size())
                buffer_.resize(std::min<qint64>(2 * buffer_.size(), limit));
            const qint64 room = std::min<qint64>(buffer_.size(), limit) - used_;
            qint64 n = 0;
            if (const int error = file_.read(buffer_.data() + used_, room, n); error != 0)
                return error;
            ended_ = n == 0;
            used_ += n;
        }
        return 0;
    }

    bool ended() const { return ended_; }
    QByteArrayView bytes() const { return QByteArrayView(buffer_.constData(), used_); }

private:
    system::ReadOnlyFile file_;
    qint64 sizeHint_ = 0;
    qint64 used_ = 0;
    bool ended_ = false;
    QByteArray buffer_;
};

// The header is two strings of at most 65535 bytes and an int32; the header and ProjectInfo
// together (23 strings more and the 204-byte block) fit in kMaxLeadBytes.
constexpr qint64 kMaxHeaderBytes = 2 * (2 + 0xFFFF) + 4;
constexpr qint64 kMaxLeadBytes = kMaxHeaderBytes + 23 * (2 + 0xFFFF) + kProjectInfoFixedBytes;

// The dimensions' problem of a file's first bytes, when they hold the whole ProjectInfo.
QString LeadProblem(QByteArrayView lead)
{
    Reader r(lead);
    FileHeader header;
    ProjectInfo info;
    HeaderFields(Take{r}, header);
    ProjectInfoFields(Take{r}, info);
    return r.failed() ? QString() : DimensionProblem(info);
}

FileResult ReadProblem(const QString &path, int error)
{
    return {false, WithFileName(kLoadLead, ReadProblemText(error), path), ReadProblemInEnglish(error), error};
}

}  // namespace

// ---------------------------------------------------------------- bytes

QByteArray SerializeProject(const Project &project)
{
    const qsizetype nodeCount = static_cast<qsizetype>(project.nodes.count());
    Writer w(2048 + 4 * (project.grid.lineNameX.size() + project.grid.lineNameY.size()) +
             nodeCount * (kMinBytesPerNode + 32));
    HeaderFields(Put{w}, project.header);
    ProjectInfoFields(Put{w}, project.info);
    WriteGridInfo(w, project.grid);
    for (const NodeRecord &n : project.nodes)
        NodeRecordFields(Put{w}, n);
    for (const NodeCoord &c : project.coords)
        CoordFields(Put{w}, c);
    SpareTableFields(Put{w}, project.spare);
    return w.take();
}

bool ParseFileHeader(QByteArrayView bytes, FileHeader &header)
{
    Reader r(bytes);
    FileHeader h;
    HeaderFields(Take{r}, h);
    if (r.failed())
        return false;
    header = std::move(h);
    return true;
}

namespace {

QString TooShortFor(const ProjectInfo &info)
{
    return QStringLiteral("グリッドの大きさ（%1 × %2 スパン、%3 階）に対してファイルが短すぎます。")
        .arg(info.spanCountX)
        .arg(info.spanCountY)
        .arg(info.floorCount);
}

// The header and ProjectInfo with sound dimensions, and room for the arrays they announce (at least
// 162 bytes per node): a grid the rest of the file cannot hold is refused before anything of its
// size is allocated. Empty when all is well, else why not.
QString ReadLead(Reader &r, Project &p)
{
    HeaderFields(Take{r}, p.header);
    ProjectInfoFields(Take{r}, p.info);
    if (r.failed())
        return r.error();
    if (QString why = DimensionProblem(p.info); !why.isEmpty())
        return why;
    const qint64 nx = qint64(p.info.spanCountX) + 1;
    const qint64 ny = qint64(p.info.spanCountY) + 1;
    const qint64 nl = qint64(p.info.floorCount) + 1;
    const qint64 room = (r.remaining() - kMinGridBytes - kSpareTableMinBytes) / kMinBytesPerNode;
    if (room < 1 || nx > room || ny > room / nx || nl > room / (nx * ny))
        return TooShortFor(p.info);
    return QString();
}

// GridInfo, then the arrays with the file's bounds holding the names just read.
QString ReadGrid(Reader &r, Project &p)
{
    const qint64 nx = qint64(p.info.spanCountX) + 1;
    const qint64 ny = qint64(p.info.spanCountY) + 1;
    const qint64 nodeCount = nx * ny * (qint64(p.info.floorCount) + 1);
    GridInfo &g = p.grid;
    ReadGridInfo(r, g, static_cast<int>(nx), static_cast<int>(ny));
    if (r.failed())
        return r.error();
    if (r.remaining() < nodeCount * kMinBytesPerNode + kSpareTableMinBytes)
        return TooShortFor(p.info);
    OneBasedArray<QString> namesX = std::move(g.lineNameX);
    OneBasedArray<QString> namesY = std::move(g.lineNameY);
    AllocateProjectArrays(p);
    g.lineNameX = std::move(namesX);
    g.lineNameY = std::move(namesY);
    return QString();
}

// Nodes, NodeCoords and the spare table.
QString ReadArrays(Reader &r, Project &p)
{
    r.shareRepeatedTexts();
    for (NodeRecord &n : p.nodes) {
        NodeRecordFields(Take{r}, n);
        if (r.failed())
            return r.error();
    }
    for (NodeCoord &c : p.coords)
        CoordFields(Take{r}, c);
    SpareTableFields(Take{r}, p.spare);
    return r.failed() ? r.error() : QString();
}

}  // namespace

bool ParseProject(QByteArrayView bytes, Project &out, QString *reason)
{
    Reader r(bytes);
    auto p = std::make_unique<Project>();
    QString why = ReadLead(r, *p);
    if (why.isEmpty())
        why = ReadGrid(r, *p);
    if (why.isEmpty())
        why = ReadArrays(r, *p);
    // Values no program writes: refused whole, never half-used.
    if (why.isEmpty())
        why = ProjectValueProblem(*p);
    if (!why.isEmpty()) {
        if (reason)
            *reason = why;
        return false;
    }
    out = std::move(*p);
    return true;
}

void PrepareProjectForSave(Project &project)
{
    for (int level = 1; level <= project.info.floorCount; ++level)
        UpdateOutlineMarks(project, level);
    project.header.productName = kProductName;
    project.header.versionText = VersionText();
}

// ---------------------------------------------------------------- files

FileResult SaveProjectFile(Project &project, const QString &path, FileLayer &layer)
{
    const QString lead = QStringLiteral("ファイルを保存できませんでした。");
    if (const QString why = UnsavableProblem(project); !why.isEmpty())
        return {false, WithFileName(lead, why, path), QStringLiteral("the project would not read back")};
    PrepareProjectForSave(project);
    const SaveOutcome saved = SaveFileSafely(path, SerializeProject(project), layer);
    if (saved.ok())
        return {};
    QString why = saved.cause();
    if (saved.targetUntouched())
        why += QStringLiteral("\r\r") + (QFileInfo::exists(path)
                                             ? QStringLiteral("元のファイルはそのまま残っています。")
                                             : QStringLiteral("ファイルは作成されていません。"));
    return {false, WithFileName(lead, why, path), saved.causeInEnglish(), saved.error};
}

FileResult LoadProjectFile(const QString &path, Project &project)
{
    FileBytes file;
    int error = file.open(path);
    if (error == 0)
        error = file.readUpTo(kMaxLeadBytes);
    // A grid larger than the program makes is refused before the rest of a large file is read.
    QString reason = file.ended() ? QString() : LeadProblem(file.bytes());
    if (error == 0 && reason.isEmpty())
        error = file.readUpTo(std::numeric_limits<qint64>::max() / 4);
    if (error != 0)
        return ReadProblem(path, error);
    if (reason.isEmpty() && ParseProject(file.bytes(), project, &reason))
        return {};
    return {false, WithFileName(kLoadLead, reason, path), QStringLiteral("not a readable project file")};
}

FileHeader ReadFileHeader(const QString &path)
{
    FileHeader header;
    FileBytes file;
    if (file.open(path) == 0 && file.readUpTo(kMaxHeaderBytes) == 0)
        ParseFileHeader(file.bytes(), header);
    return header;
}

bool IsProjectFileHeader(const FileHeader &header)
{
    return header.productName == kProductName;
}

QString NotProjectFileMessage(const QString &appTitle, const QString &path)
{
    return QStringLiteral("このファイルは、[ ") + appTitle + QStringLiteral(" ] のデータではありません。") +
           QStringLiteral("\r\rFile Name: ") + FileNameOf(path);
}

FileResult CheckProjectFile(const QString &appTitle, const QString &path)
{
    FileBytes file;
    int error = file.open(path);
    if (error == 0)
        error = file.readUpTo(kMaxHeaderBytes);
    if (error != 0)
        return ReadProblem(path, error);
    FileHeader header;
    ParseFileHeader(file.bytes(), header);
    if (!IsProjectFileHeader(header))
        return {false, NotProjectFileMessage(appTitle, path),
                QStringLiteral("not a project file of this program")};
    return {};
}

}  // namespace rqx
