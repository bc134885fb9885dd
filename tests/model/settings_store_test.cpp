#include "model/settings_store.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "common/common.h"
#include "support/failing_file_layer.h"
#include "support/scratch_registry.h"

namespace rqx {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        state.programDir = dir.path();
        // Registry values go to a file under the temporary folder, never the user's own settings.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           dir.filePath(QStringLiteral("reg")));
    }
    QString FilePath(const QString &name) const { return dir.filePath(name); }
    QByteArray ReadBytes(const QString &name) const
    {
        QFile f(FilePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void WriteBytes(const QString &name, const QByteArray &bytes) const
    {
        QFile f(FilePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
    AppState state;
};

HistoryEntry Entry(const QString &path, const QString &building)
{
    QString title;
    bool noSeparator = false;
    FileNameOfPath(path, title, noSeparator);
    return HistoryEntry{path, title, building};
}

// ---- History file ----

TEST_F(SettingsStoreTest, MissingHistoryFileLeavesEverything)
{
    state.dataDirectory = QStringLiteral("C:\\start");
    ReadHistoryFile(state);
    EXPECT_TRUE(state.history.isEmpty());
    EXPECT_EQ(state.dataDirectory, QStringLiteral("C:\\start"));
    EXPECT_EQ(state.lastDataPath, kNewDataName);
}

TEST_F(SettingsStoreTest, HistoryWritesCrLfLinesAndReadsBackAwkwardValues)
{
    state.dataDirectory = QStringLiteral("C:\\住宅\\2024");
    state.lastDataPath = QStringLiteral("C:\\住宅\\2024\\\"quoted\".RQX");
    state.history = {Entry(QStringLiteral("C:\\a,b\\山田邸.RQX"), QStringLiteral("山田邸, 増築")),
                     Entry(QStringLiteral("\"C:\\q\\x.RQX"), QStringLiteral("\"引用\"")),
                     Entry(QStringLiteral("/home/u/plain.RQX"), QString())};
    ASSERT_TRUE(WriteHistoryFile(state));

    const QByteArray bytes = ReadBytes(kHistoryFileName);
    // 6 header lines + 2 per entry, every one ended by CR LF and no bare LF.
    EXPECT_EQ(bytes.count("\r\n"), 6 + 2 * 3);
    EXPECT_EQ(bytes.count('\n'), 6 + 2 * 3);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_TRUE(bytes.startsWith("[DataDir]\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n[DataName]\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n[DataHistory]\r\n3\r\n"));

    AppState back;
    back.programDir = state.programDir;
    ReadHistoryFile(back);
    EXPECT_EQ(back.dataDirectory, state.dataDirectory);
    EXPECT_EQ(back.lastDataPath, state.lastDataPath);
    EXPECT_EQ(back.history, state.history);
    EXPECT_EQ(back.history[0].fileTitle, QStringLiteral("山田邸.RQX"));
}

TEST_F(SettingsStoreTest, HistoryReadsByPositionAndStopsAtTenOrAtTheEnd)
{
    // Section lines are not checked; a count of 12 reads at most 10 entries.
    QByteArray text = "x\r\nD:\\dir\r\ny\r\nD:\\dir\\last.RQX\r\nz\r\n12\r\n";
    for (int i = 1; i <= 12; ++i)
        text += "D:\\dir\\p" + QByteArray::number(i) + ".RQX\r\nname" + QByteArray::number(i) + "\r\n";
    WriteBytes(kHistoryFileName, text);
    ReadHistoryFile(state);
    EXPECT_EQ(state.dataDirectory, QStringLiteral("D:\\dir"));
    EXPECT_EQ(state.lastDataPath, QStringLiteral("D:\\dir\\last.RQX"));
    ASSERT_EQ(state.history.size(), 10);
    EXPECT_EQ(state.history[9], Entry(QStringLiteral("D:\\dir\\p10.RQX"), QStringLiteral("name10")));

    // A count larger than the lines present reads what is there; plain LF ends lines too.
    WriteBytes(kHistoryFileName, "[DataDir]\nd\n[DataName]\nf\n[DataHistory]\n5\nD:\\one.RQX\nOne\n");
    ReadHistoryFile(state);
    ASSERT_EQ(state.history.size(), 1);
    EXPECT_EQ(state.history[0], Entry(QStringLiteral("D:\\one.RQX"), QStringLiteral("One")));

    // A count of 0 keeps the entries held so far.
    WriteBytes(kHistoryFileName, "[DataDir]\r\nd\r\n[DataName]\r\nf\r\n[DataHistory]\r\n0\r\n");
    ReadHistoryFile(state);
    EXPECT_EQ(state.history.size(), 1);
}

TEST_F(SettingsStoreTest, HistoryValueWithLineBreakStaysOnOneLine)
{
    state.history = {Entry(QStringLiteral("C:\\a.RQX"), QStringLiteral("two\r\nlines"))};
    ASSERT_TRUE(WriteHistoryFile(state));
    AppState back;
    back.programDir = state.programDir;
    ReadHistoryFile(back);
    ASSERT_EQ(back.history.size(), 1);
    EXPECT_EQ(back.history[0].buildingName, QStringLiteral("two  lines"));
}

TEST_F(SettingsStoreTest, UpdateHistoryMovesReopenedFileToTop)
{
    state.history = {Entry(QStringLiteral("C:\\a.RQX"), QStringLiteral("A")),
                     Entry(QStringLiteral("C:\\b.RQX"), QStringLiteral("B")),
                     Entry(QStringLiteral("C:\\c.RQX"), QStringLiteral("C"))};
    const QString reopened = QStringLiteral("  C:\\c.RQX ");
    UpdateHistory(state, reopened, QStringLiteral("C2"));
    ASSERT_EQ(state.history.size(), 3);
    EXPECT_EQ(state.history[0], Entry(QStringLiteral("C:\\c.RQX"), QStringLiteral("C2")));
    EXPECT_EQ(state.history[1].path, QStringLiteral("C:\\a.RQX"));
    EXPECT_EQ(state.history[2].path, QStringLiteral("C:\\b.RQX"));

    // Re-opening the top entry changes nothing but its building name.
    UpdateHistory(state, reopened, QStringLiteral("C3"));
    EXPECT_EQ(state.history[0].buildingName, QStringLiteral("C3"));
    EXPECT_EQ(state.history[1].path, QStringLiteral("C:\\a.RQX"));

    // An unsaved project is not remembered.
    UpdateHistory(state, QStringLiteral(" 新規データ "), QStringLiteral("X"));
    EXPECT_EQ(state.history.size(), 3);

    ClearHistory(state);
    EXPECT_TRUE(state.history.isEmpty());
}

TEST_F(SettingsStoreTest, EleventhFileDropsTheOldest)
{
    for (int i = 1; i <= 11; ++i) {
        UpdateHistory(state, QStringLiteral("C:\\p%1.RQX").arg(i), QStringLiteral("b%1").arg(i));
    }
    ASSERT_EQ(state.history.size(), kMaxHistory);
    EXPECT_EQ(state.history.first().path, QStringLiteral("C:\\p11.RQX"));
    EXPECT_EQ(state.history.last().path, QStringLiteral("C:\\p2.RQX"));  // p1 dropped

    // The file keeps the same ten.
    ASSERT_TRUE(WriteHistoryFile(state));
    AppState back;
    back.programDir = state.programDir;
    ReadHistoryFile(back);
    EXPECT_EQ(back.history, state.history);
}

// ---- Defaults file ----

TEST_F(SettingsStoreTest, MissingDefaultsFileIsCreatedAndLineStylesRepaired)
{
    ReadDefaults(state);
    EXPECT_TRUE(QFile::exists(FilePath(kDefaultsFileName)));
    EXPECT_EQ(QFileInfo(FilePath(kDefaultsFileName)).size(), 0);
    const std::array<int32_t, 19> expected{1, 1, 1, 1};
    EXPECT_EQ(state.defaultSettings, expected);

    ASSERT_TRUE(WriteDefaults(state));
    EXPECT_EQ(QFileInfo(FilePath(kDefaultsFileName)).size(), kDefaultsFileSize);
}

TEST_F(SettingsStoreTest, ShortDefaultsFileKeepsTheRest)
{
    // 10 bytes: index 0 = 3, index 1 = 0, then two stray bytes that make no whole field.
    WriteBytes(kDefaultsFileName, QByteArray("\x03\0\0\0\0\0\0\0\x05\0", 10));
    state.defaultSettings[2] = 0;
    state.defaultSettings[4] = 7;
    ReadDefaults(state);
    EXPECT_EQ(state.defaultSettings[0], 3);
    EXPECT_EQ(state.defaultSettings[2], 0);  // index 0 was not 0: its line start is not touched
    EXPECT_EQ(state.defaultSettings[1], 1);  // 0 repaired together with index 3
    EXPECT_EQ(state.defaultSettings[3], 1);
    EXPECT_EQ(state.defaultSettings[4], 7);
}

TEST_F(SettingsStoreTest, DefaultsAreLittleEndianAndExactly76Bytes)
{
    // A longer file from elsewhere is replaced, not overwritten in front.
    WriteBytes(kDefaultsFileName, QByteArray(100, '\x7f'));
    for (int i = 0; i < 19; ++i)
        state.defaultSettings[i] = i + 1;
    state.defaultSettings[6] = 0x01020304;
    state.defaultSettings[18] = -2;
    ASSERT_TRUE(WriteDefaults(state));

    const QByteArray bytes = ReadBytes(kDefaultsFileName);
    ASSERT_EQ(bytes.size(), kDefaultsFileSize);
    EXPECT_EQ(bytes.mid(0, 4), QByteArray("\x01\0\0\0", 4));
    EXPECT_EQ(bytes.mid(24, 4), QByteArray("\x04\x03\x02\x01", 4));
    EXPECT_EQ(bytes.mid(72, 4), QByteArray("\xfe\xff\xff\xff", 4));  // −2 in two's complement

    AppState back;
    back.programDir = state.programDir;
    ReadDefaults(back);
    EXPECT_EQ(back.defaultSettings, state.defaultSettings);
}

TEST_F(SettingsStoreTest, FailedWritesKeepTheOldFilesAndSayWhy)
{
    state.history = {Entry(QStringLiteral("/p/a.RQX"), QStringLiteral("A"))};
    state.defaultSettings[4] = 1;
    struct Store {
        QString name;
        SaveOutcome (*write)(const AppState &, FileLayer &);
    };
    for (const Store &store :
         {Store{kHistoryFileName, WriteHistoryFile}, Store{kDefaultsFileName, WriteDefaults}}) {
        for (const test::FailurePoint &f : test::kFailurePoints) {
            WriteBytes(store.name, "old");
            test::FailingFileLayer layer(f.call, f.error);
            const SaveOutcome out = store.write(state, layer);
            EXPECT_EQ(out.step, f.step) << f.name;
            EXPECT_EQ(out.error, f.error) << f.name;
            EXPECT_EQ(ReadBytes(store.name), QByteArray("old")) << f.name;
            EXPECT_FALSE(
                QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).join(' ').contains(".saving-"));
        }
        EXPECT_TRUE(store.write(state, FileLayer::System()));
        EXPECT_NE(ReadBytes(store.name), QByteArray("old"));
    }
}

TEST_F(SettingsStoreTest, NoProgramDirWritesNothing)
{
    AppState none;
    EXPECT_FALSE(WriteDefaults(none));
    EXPECT_FALSE(WriteHistoryFile(none));
    ReadDefaults(none);
    EXPECT_EQ(none.defaultSettings[0], 1);
}

// ---- Registry values and the program folder ----

TEST_F(SettingsStoreTest, RegistryValuesRoundTrip)
{
    const test::ScratchRegistryKey scratch(kRegistryKey);
    EXPECT_EQ(ReadRegistrySettings().windowState, 0);  // missing value

    WriteRegistrySettings({2});
#ifndef Q_OS_WIN
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("reg/ヘルミナ/VELM-RQX.conf"))));
#endif
    // Version 1.0.1 is written "101".
    EXPECT_EQ(
        ReadUserRegString(kRegistryKey, QStringLiteral("Ver")),
        QStringLiteral("%1%2%3").arg(VELM_VERSION_MAJOR).arg(VELM_VERSION_MINOR).arg(VELM_VERSION_REVISION));
    EXPECT_EQ(ReadUserRegString(kRegistryKey, QStringLiteral("AppExeName")), QStringLiteral("VELMRQX"));

    EXPECT_EQ(ReadRegistrySettings().windowState, 2);

    // Values that are no window state start the window normal.
    for (const QString &bad :
         {QStringLiteral(""), QStringLiteral("abc"), QStringLiteral("7"), QStringLiteral("-1")}) {
        ASSERT_TRUE(WriteUserRegString(kRegistryKey, QStringLiteral("CloseWinFlag"), bad));
        EXPECT_EQ(ReadRegistrySettings().windowState, 0) << bad.toStdString();
    }
}

TEST(ChooseProgramDirTest, ExecutableFolderWhenWritableElseUserDataFolder)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir writable;
    ASSERT_TRUE(writable.isValid());
    EXPECT_EQ(ChooseProgramDir(writable.path()), QDir::cleanPath(writable.path()));
    EXPECT_EQ(QDir(writable.path()).entryList(QDir::Files).size(), 0);  // the probe file is gone

    const QString fallback = ChooseProgramDir(writable.filePath(QStringLiteral("no/such/folder")));
    EXPECT_EQ(fallback, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    EXPECT_TRUE(QDir(fallback).exists());
}

}  // namespace
}  // namespace rqx
