#include "widgets/message.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace rqx {
namespace {

// What the next modal message box showed.
struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Polls for the next modal message box, records it and presses `press` (or the escape button when
// press is NoButton). Keeps polling until the box appeared or the timer is deleted.
QTimer *AnswerNextBox(SeenBox &seen, QMessageBox::StandardButton press)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, &seen, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.buttons = box->standardButtons();
        QAbstractButton *button = press == QMessageBox::NoButton ? box->escapeButton() : box->button(press);
        if (button)
            button->click();
        else
            box->done(-1);
    });
    timer->start();
    return timer;
}

TEST(ShowMessageTest, EachKindOffersItsButtonsAndReportsTheOnePressed)
{
    using SB = QMessageBox;
    struct Case {
        MessageKind kind;
        QMessageBox::StandardButtons buttons;
        QList<std::pair<QMessageBox::StandardButton, MessageAnswer>> answers;
    };
    const QList<Case> cases = {
        {MessageKind::Ok, SB::Ok, {{SB::Ok, MessageAnswer::Ok}}},
        {MessageKind::OkCancel,
         SB::Ok | SB::Cancel,
         {{SB::Ok, MessageAnswer::Ok}, {SB::Cancel, MessageAnswer::Cancel}}},
        {MessageKind::AbortRetryIgnore,
         SB::Abort | SB::Retry | SB::Ignore,
         {{SB::Abort, MessageAnswer::Abort},
          {SB::Retry, MessageAnswer::Retry},
          {SB::Ignore, MessageAnswer::Ignore}}},
        {MessageKind::YesNoCancel,
         SB::Yes | SB::No | SB::Cancel,
         {{SB::Yes, MessageAnswer::Yes}, {SB::No, MessageAnswer::No}, {SB::Cancel, MessageAnswer::Cancel}}},
        {MessageKind::YesNo, SB::Yes | SB::No, {{SB::Yes, MessageAnswer::Yes}, {SB::No, MessageAnswer::No}}},
        {MessageKind::RetryCancel,
         SB::Retry | SB::Cancel,
         {{SB::Retry, MessageAnswer::Retry}, {SB::Cancel, MessageAnswer::Cancel}}},
    };
    for (const Case &c : cases) {
        for (const auto &[press, expected] : c.answers) {
            SeenBox seen;
            std::unique_ptr<QTimer> timer(AnswerNextBox(seen, press));
            // Start from an answer the box cannot give back by accident.
            MessageAnswer answer = expected == MessageAnswer::Ok ? MessageAnswer::No : MessageAnswer::Ok;
            answer = ShowMessage(QStringLiteral("保存しますか？"), c.kind, kMessageTitle);
            ASSERT_TRUE(seen.shown) << "kind " << static_cast<int>(c.kind);
            EXPECT_EQ(seen.buttons, c.buttons) << "kind " << static_cast<int>(c.kind);
            EXPECT_EQ(seen.title, QStringLiteral("確認ﾒｯｾｰｼﾞ"));
            EXPECT_EQ(answer, expected) << "kind " << static_cast<int>(c.kind) << " button " << press;
        }
    }
}

TEST(ShowMessageTest, CarriageReturnsBreakLinesAndEscapeIsCautious)
{
    SeenBox seen;
    std::unique_ptr<QTimer> timer(AnswerNextBox(seen, QMessageBox::NoButton));
    MessageAnswer answer =
        ShowMessage(QStringLiteral("一行目\r二行目\r\n三行目"), MessageKind::YesNoCancel, kMessageTitleFull);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, QStringLiteral("一行目\n二行目\n三行目"));
    EXPECT_EQ(seen.title, QStringLiteral("確認メッセージ"));
    EXPECT_EQ(answer, MessageAnswer::Cancel);
}

TEST(ShowMessageTest, KindOutsideTheRangeShowsNothing)
{
    for (int kind : {-1, 6, 16}) {
        SeenBox seen;
        // Would close a box if one appeared, so a wrong result fails instead of hanging.
        std::unique_ptr<QTimer> timer(AnswerNextBox(seen, QMessageBox::NoButton));
        const MessageAnswer answer =
            ShowMessage(QStringLiteral("text"), static_cast<MessageKind>(kind), kMessageTitle);
        EXPECT_FALSE(seen.shown) << kind;
        EXPECT_EQ(answer, MessageAnswer::Cancel) << kind;
    }
}

TEST(OpenDocumentFileTest, MissingFileIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("VELMRQX.HLP"));
    SeenBox seen;
    std::unique_ptr<QTimer> timer(AnswerNextBox(seen, QMessageBox::Ok));
    bool notFound = false;
    OpenDocumentFile(nullptr, path, notFound);
    EXPECT_TRUE(notFound);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, path + QStringLiteral(" が見つかりません。"));
    EXPECT_EQ(seen.title, QStringLiteral("確認メッセージ"));
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(WindowHelpersTest, SelectedOptionIndexAndCaption)
{
    QWidget form;
    auto *a = new QRadioButton(&form);
    auto *b = new QRadioButton(&form);
    auto *c = new QRadioButton(&form);
    const QList<QAbstractButton *> group{a, b, c};
    int index = 9;
    SelectedOptionIndex(group, index);
    EXPECT_EQ(index, 9);  // none checked
    c->setChecked(true);
    SelectedOptionIndex(group, index);
    EXPECT_EQ(index, 2);
    b->setChecked(true);
    SelectedOptionIndex(group, index);
    EXPECT_EQ(index, 1);

    SetFormCaption(&form, QStringLiteral("VELM-RQX /軸組Ｎ値算定   山田邸.RQX"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("VELM-RQX /軸組Ｎ値算定   山田邸.RQX"));
}

TEST(WindowHelpersTest, QuitApplicationClosesWindowsAndResetsPointer)
{
    QWidget first;
    QWidget second;
    first.show();
    second.show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QuitApplication();
    EXPECT_FALSE(first.isVisible());
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace rqx
