#pragma once
// Message boxes, opening documents and small window helpers shared by every window.

#include <QList>
#include <QString>

class QAbstractButton;
class QWidget;

namespace rqx {

// Titles of message boxes: most questions and notices use the half-width one; the exit question,
// the history-clear and defaults questions, closing the report preview and the help-file message the
// full-width one.
inline const QString kMessageTitle = QStringLiteral("確認ﾒｯｾｰｼﾞ");
inline const QString kMessageTitleFull = QStringLiteral("確認メッセージ");

// Kinds of ShowMessage: the buttons offered.
enum class MessageKind { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

enum class MessageAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// Modal message box with the buttons of kind; returns the button pressed. A kind outside the list
// shows nothing and answers Cancel. Carriage returns in text are line breaks. parent defaults to the
// active window.
MessageAnswer ShowMessage(const QString &text, MessageKind kind, const QString &title,
                          QWidget *parent = nullptr);

// Opens the file with the desktop's application for it. When the file is missing or cannot be opened,
// sets notFound and tells the user "<path> が見つかりません。" (title "確認メッセージ"); else clears it.
void OpenDocumentFile(QWidget *owner, const QString &path, bool &notFound);

// index = position of the first checked button of the group; left unchanged when none is checked.
void SelectedOptionIndex(const QList<QAbstractButton *> &group, int &index);

// Sets the window title.
void SetFormCaption(QWidget *window, const QString &text);

// Closes every top-level window, resets the mouse pointer and ends the event loop.
void QuitApplication();

}  // namespace rqx
