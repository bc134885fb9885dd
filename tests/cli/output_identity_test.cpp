// Every output the program gives of a house, byte for byte as recorded: velmrqx-cli's calc (CSV and
// table), report text, plan and frame pages (text, and PNG for the example house), the report's DXF
// drawings and resave, and the rendered pages of the example report, over the example house, the test
// and fuzzing corpus files and generated houses. The hashes in tests/data/output_hashes.txt were
// recorded from the program before the calculation became a value of its own; any change of the code
// that is meant to leave results alone must leave every one of them.
//
// To record them again (only when an output is meant to change):
//     VELM_RECORD_OUTPUT_HASHES=tests/data/output_hashes.txt cli_output_identity_test
// runs every case in one process and writes the file anew. VELM_OUTPUT_DUMP_DIR=DIR keeps the outputs
// that differ there, to compare with those of the recorded program.
#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "calc/calculation.h"
#include "model/project_file.h"
#include "print/font_names.h"
#include "print/page_render.h"
#include "print/print_surface.h"
#include "report/report_builder.h"
#include "support/generated_houses.h"

namespace rqx::test {
namespace {

using namespace Qt::StringLiterals;

// The recorded hash of every output, "case/output" → hex SHA-256.
QMap<QString, QString> &Recorded()
{
    static QMap<QString, QString> map = [] {
        QMap<QString, QString> m;
        QFile f(QStringLiteral(VELM_OUTPUT_HASHES));
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray &line : f.readAll().split('\n')) {
                const QList<QByteArray> parts = line.trimmed().split(' ');
                if (parts.size() == 2)
                    m.insert(QString::fromUtf8(parts[0]), QString::fromLatin1(parts[1]));
            }
        return m;
    }();
    return map;
}

// In record mode the hashes gathered so far, written whole after each case.
QMap<QString, QString> &Recording()
{
    static QMap<QString, QString> map;
    return map;
}

QString RecordPath()
{
    return qEnvironmentVariable("VELM_RECORD_OUTPUT_HASHES");
}

void WriteRecording()
{
    QFile f(RecordPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (auto it = Recording().cbegin(); it != Recording().cend(); ++it)
        f.write(it.key().toUtf8() + ' ' + it.value().toLatin1() + '\n');
}

// Checks (or records) the bytes of one output.
void Check(const QString &key, const QByteArray &bytes)
{
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    if (!RecordPath().isEmpty()) {
        Recording().insert(key, hash);
        return;
    }
    ASSERT_TRUE(Recorded().contains(key)) << "no recorded hash for " << key.toStdString();
    EXPECT_EQ(hash, Recorded().value(key)) << key.toStdString() << " differs from the recorded output";
    if (hash != Recorded().value(key) && !qEnvironmentVariableIsEmpty("VELM_OUTPUT_DUMP_DIR")) {
        const QString path =
            qEnvironmentVariable("VELM_OUTPUT_DUMP_DIR") + u'/' + QString(key).replace(u'/', u'_');
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
}

struct Run {
    int status = -1;
    QByteArray out;
};

Run Cli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(VELM_CLI_PATH), args);
    EXPECT_TRUE(process.waitForFinished(120000));
    Run r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput();
    return r;
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The exit status in front of what was written, so a refusal is checked as well as an output.
QByteArray WithStatus(int status, const QByteArray &bytes)
{
    return QByteArray::number(status) + '\n' + bytes;
}

// The cover prints today's date; the recorded text has "DATE" there.
QByteArray WithoutToday(QByteArray text)
{
    for (const QString &form : {u"yyyy/MM/dd"_s, u"yyyy/M/d"_s})
        text.replace(QDate::currentDate().toString(form).toUtf8(), "DATE");
    return text;
}

// The outputs of velmrqx-cli for one project file; `pictures` adds PNG pages and DXF drawings.
void CheckCommands(const QString &name, const QString &file, bool pictures)
{
    QTemporaryDir dir;
    Project p;
    ASSERT_TRUE(LoadProjectFile(file, p).ok) << file.toStdString();
    const int floors = p.dims.floorCount;

    Run r = Cli({u"calc"_s, file});
    Check(name + u"/calc"_s, WithStatus(r.status, r.out));
    r = Cli({u"calc"_s, u"--table"_s, file});
    Check(name + u"/calc-table"_s, WithStatus(r.status, r.out));
    r = Cli({u"report"_s, file, u"--text"_s});
    Check(name + u"/report-text"_s, WithStatus(r.status, WithoutToday(r.out)));

    const QString resaved = dir.filePath(u"resaved.RQX"_s);
    r = Cli({u"resave"_s, file, resaved});
    Check(name + u"/resave"_s, WithStatus(r.status, ReadAll(resaved)));

    QStringList exts = {u"txt"_s};
    if (pictures)
        exts << u"png"_s;
    for (const QString &ext : exts) {
        for (int floor = 1; floor <= floors; ++floor)
            for (const QString &kind : {u"walls"_s, u"hardware"_s}) {
                const QString out = dir.filePath(u"plan.%1"_s.arg(ext));
                QFile::remove(out);
                r = Cli(
                    {u"plan"_s, file, u"--floor"_s, QString::number(floor), u"--kind"_s, kind, u"-o"_s, out});
                Check(name + u"/plan-%1-%2.%3"_s.arg(kind).arg(floor).arg(ext),
                      WithStatus(r.status, ReadAll(out)));
            }
        if (floors == 2) {
            const QString out = dir.filePath(u"transfer.%1"_s.arg(ext));
            r = Cli({u"plan"_s, file, u"--kind"_s, u"transfer"_s, u"-o"_s, out});
            Check(name + u"/plan-transfer.%1"_s.arg(ext), WithStatus(r.status, ReadAll(out)));
        }
        // The first, a middle and the last line of each direction.
        for (const auto &[option, count] :
             {std::pair{u"--x"_s, p.dims.spanCountX + 1}, std::pair{u"--y"_s, p.dims.spanCountY + 1}})
            for (const int line : {1, (count + 1) / 2, count}) {
                const QString out = dir.filePath(u"frame.%1"_s.arg(ext));
                QFile::remove(out);
                r = Cli({u"frame"_s, file, option, QString::number(line), u"-o"_s, out});
                Check(name + u"/frame%1-%2.%3"_s.arg(option.mid(1)).arg(line).arg(ext),
                      WithStatus(r.status, ReadAll(out)));
            }
    }
    if (pictures) {
        const QString folder = dir.filePath(u"dxf"_s);
        r = Cli({u"report"_s, file, u"--dxf"_s, folder});
        const QStringList drawings = QDir(folder).entryList(QDir::Files, QDir::Name);
        Check(name + u"/report-dxf-list"_s, WithStatus(r.status, drawings.join(u'\n').toUtf8()));
        for (const QString &drawing : drawings)
            Check(name + u"/report-dxf/"_s + drawing, ReadAll(QDir(folder).filePath(drawing)));
    }
    if (!RecordPath().isEmpty())
        WriteRecording();
}

class SavedHouse : public ::testing::TestWithParam<const char *> {};

TEST_P(SavedHouse, EveryOutputAsRecorded)
{
    const QString path = QString::fromUtf8(GetParam());
    const QString name = QFileInfo(path).completeBaseName();
    CheckCommands(name, path, name == u"two_storey_house"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SavedHouse,
    ::testing::Values(VELM_EXAMPLES_DIR "/two_storey_house.RQX", VELM_TEST_DATA_DIR "/small_house.RQX",
                      VELM_TEST_DATA_DIR "/two_storey.RQX", VELM_CORPUS_DIR "/hand_cross_beam.RQX",
                      VELM_CORPUS_DIR "/hand_one_storey.RQX", VELM_CORPUS_DIR "/hand_two_storey_l0.RQX",
                      VELM_CORPUS_DIR "/hand_two_storey_l1.RQX", VELM_CORPUS_DIR "/small_house_mutated_1.RQX",
                      VELM_CORPUS_DIR "/small_house_mutated_2.RQX",
                      VELM_CORPUS_DIR "/small_house_mutated_3.RQX"),
    [](const auto &info) {
        return QFileInfo(QString::fromUtf8(info.param)).completeBaseName().toStdString();
    });

// Generated houses, saved as the program saves them after the calculation; the file itself is one of
// the recorded outputs.
class GeneratedHouseFile : public ::testing::TestWithParam<unsigned> {};

TEST_P(GeneratedHouseFile, EveryOutputAsRecorded)
{
    const unsigned seed = GetParam();
    const samples::HouseShape shape =
        samples::GeneratedShape(seed, 1 + seed % 4, seed % 2, seed % 3 == 0 ? 1 : 0);
    Project p = samples::GeneratedHouse(shape, seed);
    StampCalculatedMarks(p, Calculate(p));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"generated.RQX"_s);
    ASSERT_TRUE(SaveProjectFile(p, path).ok);
    const QString name = u"generated%1"_s.arg(seed);
    Check(name + u"/file"_s, ReadAll(path));
    CheckCommands(name, path, false);
}

INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedHouseFile, ::testing::Values(3u, 8u, 15u, 22u, 41u, 57u, 64u, 90u));

// Every page of the example report rendered at 50 dpi (the cover's date fixed).
TEST(ExampleReport, RenderedPagesAsRecorded)
{
    InstallJapaneseFontSubstitutions();
    Project p;
    ASSERT_TRUE(LoadProjectFile(QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX"), p).ok);
    const Calculation calc = Calculate(p);
    PrintSurface surface;
    ReportOptions options;
    options.coverDate = QDate(2026, 12, 7);
    const ReportResult built = BuildReport(surface, p, calc, options);
    Check(u"example-report/pages"_s, QByteArray::number(built.pageCount));
    for (int n = 1; n <= built.pageCount; ++n) {
        const QImage image = RenderPageImage(surface.document(), n, 50.0);
        Check(u"example-report/page%1"_s.arg(n, 2, 10, QChar(u'0')),
              QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
    }
    if (!RecordPath().isEmpty())
        WriteRecording();
}

}  // namespace
}  // namespace rqx::test
