#pragma once
// ProgBar: the progress window shown while the report is built. It blocks the other windows, counts the
// report steps, and asks whether to stop when it is closed or its stop button is pressed; a Yes asks the
// build to stop.

#include <QDialog>

class QProgressBar;

namespace rqx {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(int maximum, QWidget *parent = nullptr);

    // Brings the window to the front and shows `value` steps done.
    void setStepsDone(int value);
    int stepsDone() const;
    // True once the designer answered Yes to the stop question.
    bool stopRequested() const { return stopRequested_; }
    // Hides the window for good (the build has ended): closing it no longer asks.
    void finish();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void askToStop();

    QProgressBar *bar_ = nullptr;
    bool stopRequested_ = false;
    bool finished_ = false;
};

}  // namespace rqx
