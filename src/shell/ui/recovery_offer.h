#pragma once
// The questions of crash recovery: before the start dialog, each project copy left by a program
// that did not end cleanly is offered for restoring (file name, building name, time of the copy);
// and the notice that a project just opened is also open in another running program.

#include <QString>

class QWidget;

namespace rqx {

class DocumentRecovery;
struct RecoveryCopy;

// The question for one copy: はい restores it, いいえ deletes it, キャンセル keeps it for the next start.
QString RecoveryQuestion(const RecoveryCopy &copy);
// Asks about every copy left behind, newest first, until one is restored. True when the document
// now holds a restored project (marked changed; the start dialog is then not needed).
bool OfferRecovery(DocumentRecovery &recovery, QWidget *parent);
// "Open in another program" notice for path.
void ShowOpenElsewhere(const QString &path, QWidget *parent);

}  // namespace rqx
