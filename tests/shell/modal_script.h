#pragma once
// Answers the modal windows a command opens, one step per window, from a QTimer that polls
// QApplication::activeModalWidget(). Message boxes are recorded (title, text, buttons).

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

namespace rqx::test {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    bool wrapped = false;  // the box broke a line the text did not break
};

class ModalScript {
public:
    using Step = std::function<void(QWidget *)>;

    ModalScript()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    // Records the next message box and presses `button`.
    ModalScript &answer(QMessageBox::StandardButton button)
    {
        steps_.push_back([this, button](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box) {
                unexpected_ << w->metaObject()->className();
                closeAny(w);
                return;
            }
            boxes_.push_back({box->windowTitle(), box->text(), box->standardButtons(), Wrapped(box)});
            if (QAbstractButton *b = box->button(button))
                b->click();
            else {
                unexpected_ << QStringLiteral("no button");
                closeAny(w);
            }
        });
        return *this;
    }

    // Runs `act` on the next modal window when it is a T (else it is closed and noted).
    template <class T>
    ModalScript &on(std::function<void(T *)> act)
    {
        steps_.push_back([this, act](QWidget *w) {
            if (auto *t = qobject_cast<T *>(w))
                act(t);
            else {
                unexpected_ << w->metaObject()->className();
                closeAny(w);
            }
        });
        return *this;
    }

    // A modal window the test shows itself and drives directly.
    ModalScript &ignore(QWidget *w)
    {
        ignored_.append(QPointer<QWidget>(w));
        return *this;
    }

    const std::vector<SeenBox> &boxes() const { return boxes_; }
    const QStringList &unexpected() const { return unexpected_; }
    bool finished() const { return steps_.empty(); }
    int pending() const { return static_cast<int>(steps_.size()); }

private:
    // True when the text label, at the width the box gave it, needs more lines than the text has.
    static bool Wrapped(QMessageBox *box)
    {
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        return label && label->wordWrap() &&
               label->heightForWidth(label->width()) > label->heightForWidth(100000);
    }

    static void closeAny(QWidget *w)
    {
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            if (QAbstractButton *b = box->escapeButton())
                b->click();
            else
                box->done(QMessageBox::Cancel);
        } else if (auto *dialog = qobject_cast<QDialog *>(w))
            dialog->done(QDialog::Rejected);
        else
            w->close();
    }

    void poll()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || w == last_.data() || !w->isVisible())
            return;
        for (const QPointer<QWidget> &i : ignored_)
            if (i.data() == w)
                return;
        // A window whose step is still running (it opened a box, which has closed) is not a new one.
        for (const QPointer<QWidget> &i : busy_)
            if (i.data() == w)
                return;
        last_ = w;
        if (steps_.empty()) {
            unexpected_ << QStringLiteral("extra ") + w->metaObject()->className() +
                               (qobject_cast<QMessageBox *>(w)
                                    ? QStringLiteral(": ") + qobject_cast<QMessageBox *>(w)->text()
                                    : QString());
            closeAny(w);
            return;
        }
        // Run outside this timer's slot: a step may open a nested modal box that the same timer
        // has to answer, and a timer does not fire again while its slot runs.
        auto step = std::make_shared<Step>(std::move(steps_.front()));
        steps_.pop_front();
        QPointer<QWidget> target(w);
        QTimer::singleShot(0, &timer_, [this, step, target] {
            if (!target)
                return;
            busy_.append(target);
            (*step)(target);
            busy_.removeAll(target);
            busy_.removeAll(QPointer<QWidget>());
        });
    }

    QTimer timer_;
    QPointer<QWidget> last_;
    QList<QPointer<QWidget>> ignored_;
    QList<QPointer<QWidget>> busy_;
    std::deque<Step> steps_;
    std::vector<SeenBox> boxes_;
    QStringList unexpected_;
};

}  // namespace rqx::test
