#include "shell/ui/recovery_offer.h"

#include "common/shown_text.h"
#include "document/document_recovery.h"
#include "model/project.h"
#include "widgets/message.h"

namespace rqx {

QString RecoveryQuestion(const RecoveryCopy &copy)
{
    const QString path = copy.originalPath.trimmed();
    const QString file = path.isEmpty() || path == kNewDataName ? kNewDataName : path;
    return QStringLiteral("前回、VELM-RQX が正常に終了しなかったため、復元用のデータが残っています。\r\r") +
           QStringLiteral("ファイル：") + file + QStringLiteral("\r建物名：") +
           ShownText(copy.buildingName, kShownBuildingName) + QStringLiteral("\r保存時刻：") +
           copy.written.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")) +
           QStringLiteral("\r\rこのデータを復元しますか？\r\r") +
           QStringLiteral("（いいえ：復元用のデータを削除します　キャンセル：次回の起動まで残します）");
}

bool OfferRecovery(DocumentRecovery &recovery, QWidget *parent)
{
    for (const RecoveryCopy &copy : recovery.claimLeftCopies()) {
        MessageAnswer answer = MessageAnswer::Cancel;
        if (!copy.written.isValid()) {
            answer = ShowMessage(QStringLiteral("復元用のデータが壊れているため、復元できません。\r\r(") +
                                     copy.copyPath + QStringLiteral(")\r\r削除しますか？"),
                                 MessageKind::YesNo, kMessageTitle, parent);
            if (answer == MessageAnswer::Yes)
                recovery.discard(copy.copyPath);
            continue;
        }
        answer = ShowMessage(RecoveryQuestion(copy), MessageKind::YesNoCancel, kMessageTitle, parent);
        if (answer == MessageAnswer::No) {
            recovery.discard(copy.copyPath);
            continue;
        }
        if (answer != MessageAnswer::Yes)
            continue;
        QString reason;
        if (recovery.restore(copy.copyPath, &reason)) {
            recovery.store().releaseOrphans();  // the others wait for the next start
            return true;
        }
        ShowMessage(QStringLiteral("復元用のデータを読み込めませんでした。\r\r(") + copy.copyPath +
                        QStringLiteral(")\r\r") + reason,
                    MessageKind::Ok, kMessageTitle, parent);
    }
    recovery.store().releaseOrphans();
    return false;
}

void ShowOpenElsewhere(const QString &path, QWidget *parent)
{
    MessageAnswer answer =
        ShowMessage(QStringLiteral("このデータは、他の VELM-RQX でも開かれています。\r\r(") + path +
                        QStringLiteral(")\r\r両方で変更して保存すると、先に保存した変更が失われます。"),
                    MessageKind::Ok, kMessageTitle, parent);
}

}  // namespace rqx
