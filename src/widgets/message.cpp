#include "widgets/message.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <QWidget>

#include <algorithm>

#include "common/common.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

// The buttons of a message kind; none for an unknown kind.
QMessageBox::StandardButtons ButtonsOf(MessageKind kind)
{
    switch (kind) {
        case MessageKind::Ok:
            return QMessageBox::Ok;
        case MessageKind::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageKind::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case MessageKind::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageKind::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageKind::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

MessageAnswer AnswerOf(int clicked, QMessageBox::StandardButtons buttons)
{
    switch (clicked) {
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Abort:
            return MessageAnswer::Abort;
        case QMessageBox::Retry:
            return MessageAnswer::Retry;
        case QMessageBox::Ignore:
            return MessageAnswer::Ignore;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            // Closed without a button (possible only where the box has no escape button): the
            // answer of the box's most cautious button.
            return buttons.testFlag(QMessageBox::Cancel)  ? MessageAnswer::Cancel
                   : buttons.testFlag(QMessageBox::No)    ? MessageAnswer::No
                   : buttons.testFlag(QMessageBox::Abort) ? MessageAnswer::Abort
                                                          : MessageAnswer::Ok;
    }
}

// The box wraps any line wider than about 500 pixels, so a message written in lines of fifty characters
// came out ragged. Its text label is made as wide as the widest line (as far as the screen allows), so the
// lines break where the message breaks them.
void KeepLineBreaks(QMessageBox &box, const QString &shown)
{
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    label->ensurePolished();
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString &line : shown.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    // The widest box Qt allows on this screen, less the box's margins; beyond it lines still wrap.
    int limit = 1000;
    if (const QScreen *screen = box.screen()) {
        const int w = screen->availableGeometry().width();
        limit = w <= 1024 ? w : std::min(w - 480, 1000);
    }
    label->setMinimumWidth(std::clamp(widest + metrics.averageCharWidth(), 0, std::max(0, limit - 60)));
}

}  // namespace

MessageAnswer ShowMessage(const QString &text, MessageKind kind, const QString &title, QWidget *parent)
{
    const QMessageBox::StandardButtons buttons = ButtonsOf(kind);
    if (buttons == QMessageBox::NoButton)
        return MessageAnswer::Cancel;
    // Stored texts of any length (names from a file) never push the box off the screen; messages
    // break lines with single carriage returns.
    QString shown = FitMessageText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QMessageBox box(QMessageBox::NoIcon, title, shown, buttons,
                    parent ? parent : QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    KeepLineBreaks(box, shown);
    return AnswerOf(box.exec(), buttons);
}

void OpenDocumentFile(QWidget *owner, const QString &path, bool &notFound)
{
    notFound = !FileExists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (notFound) {
        ShowMessage(path + QStringLiteral(" が見つかりません。"), MessageKind::Ok, kMessageTitleFull, owner);
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
