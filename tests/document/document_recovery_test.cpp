#include "document/document_recovery.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/project_document.h"
#include "document/recovery_edits.h"
#include "model/project_file.h"

namespace rqx {
namespace {

const QString kSmallHouse = QStringLiteral(VELM_TEST_DATA_DIR "/small_house.RQX");

// A project file of its own, a recovery folder and a lock folder, and a child program editing it.
struct RecoveryFixture {
    QTemporaryDir dir;
    QString project = dir.filePath(QStringLiteral("house.RQX"));
    QString copies = dir.filePath(QStringLiteral("recovery"));
    QString locks = dir.filePath(QStringLiteral("locks"));
    QProcess child;

    RecoveryFixture() { QFile::copy(kSmallHouse, project); }
    ~RecoveryFixture()
    {
        child.kill();
        child.waitForFinished();
    }
    // Starts the child; its "ready" line once it has a copy of all `edits` edits.
    QByteArray runChild(int edits, const char *mode)
    {
        child.start(QStringLiteral(VELM_RECOVERY_DRIVER),
                    {copies, locks, project, QString::number(edits), QLatin1String(mode)});
        return child.waitForReadyRead(20000) ? child.readAll().trimmed() : QByteArray();
    }
    QStringList filesIn(const QString &folder) const { return QDir(folder).entryList(QDir::Files); }
    // The bytes a save writes after the first `edits` edits of the project file.
    QByteArray expectedBytes(int edits) const
    {
        ProjectDocument doc;
        EXPECT_TRUE(doc.LoadProject(project).ok);
        for (int i = 0; i < edits; ++i)
            test::MakeRecoveryEdit(doc, i);
        return doc.saveBytes();
    }
};

TEST(DocumentRecoveryTest, KilledAfterEditsLeavesACopyThatRestoresExactlyTheEditedProject)
{
    // 57 edits: the 50-edit copy, then the timer's copy with the last seven.
    RecoveryFixture f;
    ASSERT_EQ(f.runChild(57, "wait"), "ready 2");

    ProjectDocument doc;
    {
        // While the child runs, its copy is not offered and its open file is reported.
        DocumentRecovery other(doc, f.copies, f.locks);
        EXPECT_TRUE(other.claimLeftCopies().isEmpty());
        QSignalSpy elsewhere(&other, &DocumentRecovery::openElsewhere);
        doc.replaceProject(doc.project(), f.project);
        ASSERT_EQ(elsewhere.size(), 1);
        EXPECT_EQ(elsewhere[0][0].toString(), f.project);
        doc.replaceProject(doc.project(), kNewDataName);
    }
    f.child.kill();
    ASSERT_TRUE(f.child.waitForFinished());

    DocumentRecovery recovery(doc, f.copies, f.locks);
    QSignalSpy elsewhere(&recovery, &DocumentRecovery::openElsewhere);
    const QList<RecoveryCopy> left = recovery.claimLeftCopies();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].originalPath, f.project);
    EXPECT_EQ(left[0].buildingName, QStringLiteral("小さな家"));
    EXPECT_LT(left[0].written.secsTo(QDateTime::currentDateTimeUtc()), 60);
    {
        // A third program starting now is not offered the copy this one holds.
        ProjectDocument otherDoc;
        DocumentRecovery third(otherDoc, f.copies, f.locks);
        EXPECT_TRUE(third.claimLeftCopies().isEmpty());
    }

    QString reason;
    ASSERT_TRUE(recovery.restore(left[0].copyPath, &reason)) << reason.toStdString();
    EXPECT_EQ(doc.saveBytes(), f.expectedBytes(57));
    EXPECT_EQ(doc.dataFilePath(), f.project);
    EXPECT_TRUE(doc.isDirty());
    EXPECT_TRUE(elsewhere.isEmpty());  // the killed child's lock on the file was stale
    // The copy is now this program's own: still there for another crash, gone after a save.
    EXPECT_TRUE(QFile::exists(recovery.store().runCopyPath()));
    EXPECT_FALSE(QFile::exists(left[0].copyPath));
    doc.markSaved();
    recovery.autosave().waitForWrites();
    EXPECT_FALSE(QFile::exists(recovery.store().runCopyPath()));
}

// A designer who pauses for a few seconds after some edits and then loses the program (kill -9)
// loses none of them: the copy follows a couple of seconds after the last edit, long before the
// every-few-minutes or every-50-edits copies would.
TEST(DocumentRecoveryTest, KilledSecondsAfterTheLastEditLosesNoEdit)
{
    RecoveryFixture f;
    ASSERT_EQ(f.runChild(7, "edit"), "edited");
    QTest::qWait(5000);
    f.child.kill();
    ASSERT_TRUE(f.child.waitForFinished());

    ProjectDocument doc;
    DocumentRecovery recovery(doc, f.copies, f.locks);
    const QList<RecoveryCopy> left = recovery.claimLeftCopies();
    ASSERT_EQ(left.size(), 1);
    QString reason;
    ASSERT_TRUE(recovery.restore(left[0].copyPath, &reason)) << reason.toStdString();
    EXPECT_EQ(doc.saveBytes(), f.expectedBytes(7));
}

TEST(DocumentRecoveryTest, AKilledRunWithoutChangesLeavesNoLockBehindTheNextStart)
{
    RecoveryFixture f;
    ASSERT_EQ(f.runChild(0, "wait"), "ready 0");
    ASSERT_EQ(f.filesIn(f.copies).size(), 1);
    const QString childLock = f.filesIn(f.copies).constFirst();
    ProjectDocument doc;
    {
        // While the child runs its lock stays.
        DocumentRecovery other(doc, f.copies, f.locks);
        EXPECT_TRUE(other.claimLeftCopies().isEmpty());
        EXPECT_TRUE(f.filesIn(f.copies).contains(childLock));
    }
    f.child.kill();
    ASSERT_TRUE(f.child.waitForFinished());
    DocumentRecovery next(doc, f.copies, f.locks);
    EXPECT_TRUE(next.claimLeftCopies().isEmpty());
    EXPECT_FALSE(f.filesIn(f.copies).contains(childLock));
}

TEST(DocumentRecoveryTest, ACleanExitLeavesNoCopyAndNoLock)
{
    RecoveryFixture f;
    ASSERT_EQ(f.runChild(50, "exit"), "ready 1");
    ASSERT_TRUE(f.child.waitForFinished());
    EXPECT_EQ(f.child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(f.child.exitCode(), 0);
    EXPECT_EQ(f.filesIn(f.copies), QStringList());
    EXPECT_EQ(f.filesIn(f.locks), QStringList());
}

TEST(DocumentRecoveryTest, ADamagedCopyIsRefusedAndLeavesTheDocumentAsItWas)
{
    QTemporaryDir dir;
    RecoveryCopy copy;
    copy.written = QDateTime::currentDateTimeUtc();
    QFile house(kSmallHouse);
    ASSERT_TRUE(house.open(QIODevice::ReadOnly));
    copy.projectBytes = house.readAll();
    const QByteArray whole = FormatRecoveryCopy(copy);
    QByteArray flipped = whole;
    flipped[flipped.size() - 100] = static_cast<char>(flipped[flipped.size() - 100] ^ 1);
    const QByteArray damaged[] = {whole.left(whole.size() - 1), flipped,
                                  whole.left(whole.indexOf("\n\n") + 2), copy.projectBytes, QByteArray()};

    ProjectDocument doc;
    DocumentRecovery recovery(doc, dir.filePath(QStringLiteral("r")), dir.filePath(QStringLiteral("l")));
    const QByteArray before = doc.saveBytes();
    const QString path = dir.filePath(QStringLiteral("damaged.rqxrecovery"));
    for (const QByteArray &bytes : damaged) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        out.close();
        QString reason;
        EXPECT_FALSE(recovery.restore(path, &reason)) << bytes.size();
        EXPECT_FALSE(reason.isEmpty()) << bytes.size();
        EXPECT_EQ(doc.saveBytes(), before);
        EXPECT_FALSE(doc.isDirty());
    }
}

// A copy that cannot be written is announced and tried again shortly, without waiting for an edit;
// once one is written the protection is announced back.
TEST(DocumentRecoveryTest, AFailedCopyIsAnnouncedAndRetriedWithoutAnEdit)
{
    QTemporaryDir dir;
    ProjectDocument doc;
    ASSERT_TRUE(doc.LoadProject(kSmallHouse).ok);
    DocumentRecovery recovery(doc, dir.filePath(QStringLiteral("r")), dir.filePath(QStringLiteral("l")));
    recovery.autosave().setRetryDelay(std::chrono::milliseconds(50));
    QSignalSpy failing(&recovery, &DocumentRecovery::recoveryFailing);
    QSignalSpy works(&recovery, &DocumentRecovery::recoveryWorks);

    // A folder in the copy's place: the safe save refuses to replace it.
    const QString copyPath = recovery.store().runCopyPath();
    ASSERT_TRUE(QDir().mkpath(copyPath));
    test::MakeRecoveryEdit(doc, 0);
    recovery.autosave().writeNow();
    ASSERT_TRUE(failing.wait(5000));
    EXPECT_TRUE(failing.first().first().toString().contains(QStringLiteral("folder")));
    EXPECT_TRUE(recovery.autosave().failing());
    EXPECT_TRUE(failing.wait(5000));  // tried again, still failing

    ASSERT_TRUE(QDir().rmdir(copyPath));
    ASSERT_TRUE(works.wait(5000));
    EXPECT_FALSE(recovery.autosave().failing());
    RecoveryCopy copy;
    ASSERT_TRUE(ReadRecoveryCopy(copyPath, copy));
    EXPECT_EQ(copy.projectBytes, doc.saveBytes());
    const int tries = failing.size();
    QTest::qWait(200);  // nothing more to do: no further tries
    EXPECT_EQ(failing.size(), tries);
}

}  // namespace
}  // namespace rqx
