// The safe save under every failure a disk can give: injected through a failing file layer, on a
// real full file system where the test may mount one, and through the streaming device.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "common/safe_save.h"
#include "support/failing_file_layer.h"

using namespace rqx;
using rqx::test::FailingFileLayer;
using rqx::test::FileCall;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList Entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// 200 KB, more than the device gathers before writing.
QByteArray NewBytes()
{
    QByteArray b;
    for (int i = 0; i < 50000; ++i)
        b.append(reinterpret_cast<const char *>(&i), 4);
    return b;
}

}  // namespace

TEST(SafeSave, EveryFailurePointKeepsTheOldFileNamesTheCauseAndLeavesNoTemporary)
{
    const QString name = QStringLiteral("家 [1].RQX");
    for (const test::FailurePoint &f : test::kFailurePoints) {
        for (const bool oldExists : {true, false}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(name);
            if (oldExists) {
                ASSERT_TRUE(SaveFileSafely(path, "old"));
            }
            FailingFileLayer layer(f.call, f.error);
            const SaveOutcome out = SaveFileSafely(path, NewBytes(), layer);
            EXPECT_EQ(layer.failures(), 1) << f.name;
            EXPECT_EQ(out.step, f.step) << f.name;
            EXPECT_EQ(out.error, f.error) << f.name;
            EXPECT_TRUE(out.targetUntouched()) << f.name;
            EXPECT_EQ(ReadAll(path), oldExists ? QByteArray("old") : QByteArray("<missing>")) << f.name;
            EXPECT_EQ(Entries(dir.path()), oldExists ? QStringList{name} : QStringList{}) << f.name;
            const QString errorName = SystemErrorInEnglish(f.error).section(QLatin1Char('('), 1);
            EXPECT_TRUE(out.cause().contains(errorName.chopped(1))) << out.cause().toStdString();
            EXPECT_TRUE(out.causeInEnglish().contains(errorName)) << out.causeInEnglish().toStdString();
        }
    }
    // The rename happened, but the folder could not be synced: the new file is there, yet the save
    // is not reported as done.
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    FailingFileLayer layer(FileCall::SyncFolder, EIO);
    const SaveOutcome out = SaveFileSafely(path, "new", layer);
    EXPECT_EQ(out.step, SaveStep::SyncFolder);
    EXPECT_FALSE(out.targetUntouched());
    EXPECT_EQ(ReadAll(path), QByteArray("new"));
    EXPECT_EQ(Entries(dir.path()), QStringList{name});

    // A folder of the target's name, a device, a folder that does not exist.
    EXPECT_EQ(SaveFileSafely(dir.path(), "x").step, SaveStep::Check);
#ifdef Q_OS_WIN
    const QString device = QStringLiteral("\\\\.\\NUL");
#else
    const QString device = QStringLiteral("/dev/null");
#endif
    EXPECT_EQ(SaveFileSafely(device, "x").error, ENODEV);
    const SaveOutcome nowhere = SaveFileSafely(dir.filePath(QStringLiteral("no/x.RQX")), "x");
    EXPECT_EQ(nowhere.step, SaveStep::Create);
    EXPECT_TRUE(nowhere.cause().startsWith(QStringLiteral("保存先のフォルダがありません")))
        << nowhere.cause().toStdString();
}

TEST(SafeSave, StreamedSaveKeepsModeAndLinkAndClearsStaleTemporaries)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "symbolic links, permission bits and process 1 are POSIX's (the Windows file layer's "
                    "test streams a save and clears stale temporaries)";
#else
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.RQX"));
    ASSERT_TRUE(SaveFileSafely(path, "old"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QFile::Permissions mode = QFileInfo(path).permissions();
    const QString link = dir.filePath(QStringLiteral("link.RQX"));
    ASSERT_TRUE(QFile::link(path, link));
    // Left by killed saves: one of a process that is gone, one of a running process (pid 1).
    const QString gone = dir.filePath(QStringLiteral(".a.RQX.saving-4194305"));
    const QString running = dir.filePath(QStringLiteral(".a.RQX.saving-1"));
    ASSERT_TRUE(SaveFileSafely(gone, "x") && SaveFileSafely(running, "x"));

    const QByteArray bytes = NewBytes();
    {
        SafeSaveFile file(link);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.targetPath(), QFileInfo(path).canonicalFilePath());
        EXPECT_FALSE(QFileInfo::exists(gone));
        EXPECT_TRUE(QFileInfo::exists(file.temporaryPath()));
        for (qsizetype at = 0; at < bytes.size(); at += 1000)
            ASSERT_EQ(file.write(bytes.mid(at, 1000)), std::min<qsizetype>(1000, bytes.size() - at));
        EXPECT_TRUE(file.commit());
    }
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadAll(path), bytes);
    EXPECT_EQ(QFileInfo(path).permissions(), mode);
    EXPECT_EQ(Entries(dir.path()), (QStringList{QStringLiteral(".a.RQX.saving-1"), QStringLiteral("a.RQX"),
                                                QStringLiteral("link.RQX")}));

    // A write that fails in the middle of a stream: later writes are refused, the commit reports
    // it; a device dropped without a commit leaves nothing either.
    FailingFileLayer layer(FileCall::Write, EIO);
    SafeSaveFile failing(path, layer);
    ASSERT_TRUE(failing.open(QIODevice::WriteOnly));
    qint64 accepted = 0;
    for (int i = 0; i < 100; ++i)
        accepted += std::max<qint64>(0, failing.write(bytes.left(1000)));
    EXPECT_LT(accepted, 100000);
    EXPECT_EQ(failing.commit().step, SaveStep::Write);
    {
        SafeSaveFile dropped(path);
        ASSERT_TRUE(dropped.open(QIODevice::WriteOnly));
        dropped.write("never committed");
    }
    EXPECT_EQ(ReadAll(path), bytes);
    EXPECT_EQ(Entries(dir.path()).size(), 3);
#endif
}

TEST(SafeSave, FullFileSystemKeepsTheOldFile)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "mounting a small file system needs Linux and root";
#else
    QTemporaryDir dir;
    if (::geteuid() != 0 ||
        ::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    const QString path = dir.filePath(QStringLiteral("a.RQX"));
    const QByteArray old(40000, 'o');
    EXPECT_TRUE(SaveFileSafely(path, old));
    const SaveOutcome out = SaveFileSafely(path, NewBytes());
    EXPECT_EQ(out.step, SaveStep::Write);
    EXPECT_EQ(out.error, ENOSPC);
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("a.RQX")});
    ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
#endif
}

TEST(SafeSave, WriteProtectedTargetIsNeverReplacedAndAnotherUsersFileStaysTheirs)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX permission bits, owners and fork (the Windows file layer's test covers the "
                    "read-only attribute)";
#else
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.RQX"));
    ASSERT_TRUE(SaveFileSafely(path, "old"));
    // No write bit at all: protected for every user, root included; the folder would allow a rename.
    for (const QFile::Permissions mode :
         {QFile::Permissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther),
          QFile::Permissions(QFile::ReadOwner | QFile::ExeOwner)}) {
        ASSERT_TRUE(QFile::setPermissions(path, mode));
        const SaveOutcome out = SaveFileSafely(path, NewBytes());
        EXPECT_EQ(out.step, SaveStep::Check);
        EXPECT_EQ(out.error, kWriteProtected);
        EXPECT_TRUE(out.cause().contains(QStringLiteral("書き込みが禁止されています")));
        EXPECT_TRUE(out.causeInEnglish().contains(QStringLiteral("write-protected")));
        SafeSaveFile streamed(path);
        EXPECT_FALSE(streamed.open(QIODevice::WriteOnly));
        EXPECT_EQ(ReadAll(path), QByteArray("old"));
        const QFile::Permissions userBits = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
        EXPECT_EQ(QFileInfo(path).permissions() & ~userBits, mode & ~userBits);
        EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("a.RQX")});
    }
    if (::geteuid() != 0)
        GTEST_SKIP() << "owners and other users need root";

    // A file of another user, writable by its owner only, in a folder everybody may write: that
    // user may not replace it although the rename alone would succeed.
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const QByteArray target = QFile::encodeName(path);
    ASSERT_EQ(::chmod(target.constData(), 0644), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const SaveOutcome out = SaveFileSafely(path, "theirs");
        ::_exit(out.step == SaveStep::Check && out.error == kWriteProtected ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadAll(path), QByteArray("old"));

    // Root saving a user's file keeps the user as owner and group, and the mode.
    ASSERT_EQ(::chown(target.constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(target.constData(), 0640), 0);
    ASSERT_TRUE(SaveFileSafely(path, "new"));
    struct stat st;
    ASSERT_EQ(::stat(target.constData(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadAll(path), QByteArray("new"));
#endif
}
