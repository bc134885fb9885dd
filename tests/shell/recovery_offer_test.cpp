#include "shell/ui/recovery_offer.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/document_recovery.h"
#include "document/project_document.h"
#include "model/project_file.h"
#include "shell/modal_script.h"
#include "support/sample_houses.h"

namespace rqx {
namespace {

TEST(RecoveryOfferTest, YesRestoresNoDeletesCancelKeepsForTheNextStart)
{
    const struct {
        QMessageBox::StandardButton answer;
        bool restored;
        bool offeredAgain;
    } cases[] = {
        {QMessageBox::Yes, true, false}, {QMessageBox::No, false, false}, {QMessageBox::Cancel, false, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        QTemporaryDir dir;
        const QString copies = dir.filePath(QStringLiteral("recovery"));
        const QString locks = dir.filePath(QStringLiteral("locks"));
        // A copy of the small house with one column more, left by a program that has ended.
        Project edited = samples::SmallHouse();
        edited.nodes(2, 2, 1).columnKind = 1;
        {
            RecoveryStore crashed(copies);
            const RecoveryCopy copy{QString(), QStringLiteral("/設計/小さな家.RQX"), edited.info.buildingName,
                                    QDateTime(QDate(2026, 12, 7), QTime(9, 41, 5)), SerializeProject(edited)};
            ASSERT_TRUE(crashed.openRun() && crashed.writeCopy(copy));
        }
        ProjectDocument doc;
        const QByteArray untouched = doc.saveBytes();
        {
            DocumentRecovery recovery(doc, copies, locks);
            test::ModalScript script;
            script.answer(c.answer);
            EXPECT_EQ(OfferRecovery(recovery, nullptr), c.restored);
            ASSERT_EQ(script.boxes().size(), 1u);
            EXPECT_EQ(script.boxes()[0].text.split(QLatin1Char('\n')).mid(2, 3),
                      QStringList({QStringLiteral("ファイル：/設計/小さな家.RQX"),
                                   QStringLiteral("建物名：小さな家"),
                                   QStringLiteral("保存時刻：2026/12/07 09:41:05")}));
            EXPECT_EQ(doc.isDirty(), c.restored);
            EXPECT_EQ(doc.dataFilePath(), c.restored ? QStringLiteral("/設計/小さな家.RQX") : kNewDataName);
            PrepareProjectForSave(edited);
            EXPECT_EQ(doc.saveBytes(), c.restored ? SerializeProject(edited) : untouched);
            // A restored copy stays for another crash until a save or a clean exit.
            EXPECT_EQ(QFile::exists(recovery.store().runCopyPath()), c.restored);
        }
        // The next start, after this one ended cleanly.
        ProjectDocument next;
        DocumentRecovery again(next, copies, locks);
        EXPECT_EQ(again.claimLeftCopies().size(), c.offeredAgain ? 1 : 0);
    }
}

}  // namespace
}  // namespace rqx
