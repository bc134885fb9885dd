// The safe save and the file reader on Windows: the read-only attribute, a file another program
// holds open, the old file's attributes kept by the replace, stale temporaries of running and ended
// programs, and the registry values in the registry itself.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "common/registry_strings.h"
#include "common/safe_save.h"
#include "model/project_file.h"
#include "support/failing_file_layer.h"

namespace rqx {
namespace {

// Run as a child with VELM_HOLD_FILE set, the test program holds that file open for reading only,
// sharing nothing but reading, until it is ended; it says "held" on standard output first.
[[maybe_unused]] const bool kHolder = [] {
    const QString path = qEnvironmentVariable("VELM_HOLD_FILE");
    if (path.isEmpty())
        return false;
    const HANDLE h = ::CreateFileW(QDir::toNativeSeparators(path).toStdWString().c_str(), GENERIC_READ,
                                   FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const char *said = h == INVALID_HANDLE_VALUE ? "failed\n" : "held\n";
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), said, DWORD(std::strlen(said)), &written, nullptr);
    ::Sleep(INFINITE);
    return true;
}();

// Another program holding `path` open, for as long as the object lives.
class Holder {
public:
    explicit Holder(const QString &path)
    {
        wchar_t exe[MAX_PATH];
        ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        HANDLE readEnd = nullptr;
        HANDLE writeEnd = nullptr;
        ::CreatePipe(&readEnd, &writeEnd, &inherit, 0);
        ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW start{};
        start.cb = sizeof(start);
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdOutput = writeEnd;
        start.hStdError = writeEnd;
        start.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        qputenv("VELM_HOLD_FILE", path.toUtf8());
        std::wstring command = L"\"" + std::wstring(exe) + L"\"";
        ok_ = ::CreateProcessW(exe, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process_);
        qunsetenv("VELM_HOLD_FILE");
        ::CloseHandle(writeEnd);
        char said[16] = {};
        DWORD got = 0;
        ok_ = ok_ && ::ReadFile(readEnd, said, sizeof(said) - 1, &got, nullptr) &&
              std::string(said, got).rfind("held", 0) == 0;
        ::CloseHandle(readEnd);
    }
    ~Holder() { end(); }
    void end()
    {
        if (process_.hProcess) {
            ::TerminateProcess(process_.hProcess, 0);
            ::WaitForSingleObject(process_.hProcess, 10000);
            ::CloseHandle(process_.hProcess);
            ::CloseHandle(process_.hThread);
            process_.hProcess = nullptr;
        }
    }
    bool ok() const { return ok_; }
    qint64 pid() const { return process_.dwProcessId; }

private:
    PROCESS_INFORMATION process_{};
    bool ok_ = false;
};

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList Entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

DWORD Attributes(const QString &path)
{
    return ::GetFileAttributesW(QDir::toNativeSeparators(path).toStdWString().c_str());
}

bool SetAttributes(const QString &path, DWORD attributes)
{
    return ::SetFileAttributesW(QDir::toNativeSeparators(path).toStdWString().c_str(), attributes);
}

TEST(WindowsFiles, ReadOnlyAttributeRefusesTheReplaceAndKeepsTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("家.RQX"));
    ASSERT_TRUE(SaveFileSafely(path, "old"));
    ASSERT_TRUE(SetAttributes(path, FILE_ATTRIBUTE_READONLY));
    const SaveOutcome out = SaveFileSafely(path, "new");
    EXPECT_EQ(out.step, SaveStep::Check);
    EXPECT_EQ(out.error, kWriteProtected);
    EXPECT_TRUE(out.cause().contains(QStringLiteral("書き込みが禁止されています")));
    EXPECT_TRUE(out.causeInEnglish().contains(QStringLiteral("write-protected")));
    SafeSaveFile streamed(path);
    EXPECT_FALSE(streamed.open(QIODevice::WriteOnly));
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    EXPECT_TRUE(Attributes(path) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("家.RQX")});

    // Cleared again, the file is replaced; a hidden file stays hidden (the new file takes the old
    // one's attributes, as it takes owner and permissions elsewhere).
    ASSERT_TRUE(SetAttributes(path, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SaveFileSafely(path, "new"));
    EXPECT_EQ(ReadAll(path), QByteArray("new"));
    EXPECT_TRUE(Attributes(path) & FILE_ATTRIBUTE_HIDDEN);
}

TEST(WindowsFiles, FileHeldByAnotherProgramIsReportedAndKeptAndItsTemporaryStays)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.RQX"));
    ASSERT_TRUE(SaveFileSafely(path, "old"));
    // Temporaries of killed saves: one of the holder, which still runs, one of an ended program.
    Holder holder(path);
    ASSERT_TRUE(holder.ok());
    const QString running = dir.filePath(QStringLiteral(".a.RQX.saving-%1").arg(holder.pid()));
    const QString gone = dir.filePath(QStringLiteral(".a.RQX.saving-4194305"));
    ASSERT_TRUE(SaveFileSafely(running, "x") && SaveFileSafely(gone, "x"));

    const SaveOutcome out = SaveFileSafely(path, QByteArray(200000, 'n'));
    EXPECT_EQ(out.step, SaveStep::Replace) << out.causeInEnglish().toStdString();
    EXPECT_EQ(out.error, EBUSY);
    EXPECT_TRUE(out.targetUntouched());
    EXPECT_EQ(out.cause(), QStringLiteral("ファイルまたはドライブが使用中です（元のファイルとの置き換え中、EBUSY）。"));
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    const QStringList left = {QFileInfo(running).fileName(), QStringLiteral("a.RQX")};
    EXPECT_EQ(Entries(dir.path()), left);

    // A failed write before the replace keeps the old file as well.
    test::FailingFileLayer layer(test::FileCall::Write, EIO);
    EXPECT_EQ(SaveFileSafely(path, "new", layer).step, SaveStep::Write);
    EXPECT_EQ(ReadAll(path), QByteArray("old"));

    holder.end();
    ASSERT_TRUE(SaveFileSafely(path, "new"));
    EXPECT_EQ(ReadAll(path), QByteArray("new"));
    // The holder has ended: its temporary goes with the next save.
    EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("a.RQX")});
}

TEST(WindowsFiles, ReaderNamesFoldersDevicesAndFilesHeldExclusively)
{
    QTemporaryDir dir;
    Project project;
    EXPECT_EQ(LoadProjectFile(dir.path(), project).error, EISDIR);
    EXPECT_EQ(LoadProjectFile(QStringLiteral("\\\\.\\NUL"), project).error, ENODEV);
    const FileResult missing = LoadProjectFile(dir.filePath(QStringLiteral("無い.RQX")), project);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_TRUE(missing.message.contains(QStringLiteral("ファイルが見つかりません。")));

    // A project with a Japanese name, written and read through the wide-character calls.
    const QString path = dir.filePath(QStringLiteral("軸組 [1].RQX"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELM_TEST_DATA_DIR "/small_house.RQX"), path));
    ASSERT_TRUE(LoadProjectFile(path, project).ok);
    ASSERT_TRUE(SaveProjectFile(project, path).ok);
    Project again;
    ASSERT_TRUE(LoadProjectFile(path, again).ok);
    const QString copy = dir.filePath(QStringLiteral("二階.RQX"));
    ASSERT_TRUE(SaveProjectFile(again, copy).ok);
    EXPECT_EQ(ReadAll(copy), ReadAll(path));
}

TEST(WindowsFiles, RegistryStringsLiveInTheCurrentUsersRegistry)
{
    const QString key = QStringLiteral("Software\\ヘルミナ\\VELM-RQX-test");
    QSettings native(QStringLiteral("HKEY_CURRENT_USER\\") + key, QSettings::NativeFormat);
    native.remove(QString());
    native.sync();
    EXPECT_FALSE(WriteRegString(RegRoot::CurrentUser, key, QStringLiteral("Ver"), QStringLiteral("1"), false));
    ASSERT_TRUE(WriteUserRegString(key, QStringLiteral("Ver"), QStringLiteral("101")));
    EXPECT_EQ(ReadUserRegString(key, QStringLiteral("Ver")), QStringLiteral("101"));

    // The value is a string value of the real key, as the registry's own calls see it.
    wchar_t value[16] = {};
    DWORD size = sizeof(value);
    DWORD type = 0;
    const std::wstring subKey = key.toStdWString();
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), L"Ver", RRF_RT_ANY, &type, value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(QString::fromWCharArray(value), QStringLiteral("101"));
    native.remove(QString());
}

}  // namespace
}  // namespace rqx
