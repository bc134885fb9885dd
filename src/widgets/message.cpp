#include "widgets/message.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

#include "common/common.h"
#include "common/shown_text.h"

namespace rqx {

void ShowMessage(const QString &text, int kind, const QString &title, MessageAnswer &answer, QWidget *parent)
{
    QMessageBox::StandardButtons buttons;
    switch (kind) {
        case kMsgOk:
            buttons = QMessageBox::Ok;
            break;
        case kMsgOkCancel:
            buttons = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case kMsgAbortRetryIgnore:
            buttons = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
            break;
        case kMsgYesNoCancel:
            buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
        case kMsgYesNo:
            buttons = QMessageBox::Yes | QMessageBox::No;
            break;
        case kMsgRetryCancel:
            buttons = QMessageBox::Retry | QMessageBox::Cancel;
            break;
        default:
            return;
    }
    // Messages break lines with single carriage returns.
    // Stored texts of any length (names from a file) never push the box off the screen.
    QString shown = FitMessageText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QMessageBox box(QMessageBox::NoIcon, title, shown, buttons,
                    parent ? parent : QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
        case QMessageBox::Ok:
            answer = MessageAnswer::Ok;
            break;
        case QMessageBox::Cancel:
            answer = MessageAnswer::Cancel;
            break;
        case QMessageBox::Abort:
            answer = MessageAnswer::Abort;
            break;
        case QMessageBox::Retry:
            answer = MessageAnswer::Retry;
            break;
        case QMessageBox::Ignore:
            answer = MessageAnswer::Ignore;
            break;
        case QMessageBox::Yes:
            answer = MessageAnswer::Yes;
            break;
        case QMessageBox::No:
            answer = MessageAnswer::No;
            break;
        default:
            // Closed without a button (possible only where the box has no escape button): the
            // answer of the box's most cautious button.
            answer = buttons.testFlag(QMessageBox::Cancel)  ? MessageAnswer::Cancel
                     : buttons.testFlag(QMessageBox::No)    ? MessageAnswer::No
                     : buttons.testFlag(QMessageBox::Abort) ? MessageAnswer::Abort
                                                            : MessageAnswer::Ok;
            break;
    }
}

void OpenDocumentFile(QWidget *owner, const QString &path, bool &notFound)
{
    notFound = !FileExists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (notFound) {
        MessageAnswer answer = MessageAnswer::Ok;
        ShowMessage(path + QStringLiteral(" が見つかりません。"), kMsgOk, kMessageTitleFull, answer, owner);
    }
}

void SelectedOptionIndex(const QList<QAbstractButton *> &group, int &index)
{
    for (qsizetype i = 0; i < group.size(); ++i) {
        if (group[i] && group[i]->isChecked()) {
            index = static_cast<int>(i);
            return;
        }
    }
}

void SetFormCaption(QWidget *window, const QString &text)
{
    if (window)
        window->setWindowTitle(ShownText(text, kShownCaption));
}

void QuitApplication()
{
    QApplication::closeAllWindows();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    QCoreApplication::quit();
}

}  // namespace rqx
