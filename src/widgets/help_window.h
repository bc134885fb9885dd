#pragma once
// The program's help: a Japanese HTML document installed beside the program (help/index.html), shown in a
// help window of its own that works offline. Commands open it at its contents or at a numbered topic.

#include <QMainWindow>
#include <QString>

class QTextBrowser;

namespace rqx {

// Topics the windows ask for by number.
inline constexpr int kHelpContents = 0;
inline constexpr int kHelpOrthogonalBeams = 25;  // orthogonal beams and the transfer check

// The anchor of a topic in the document ("" for the contents and unknown numbers).
QString HelpTopicAnchor(int topic);

// The help document: help/index.html beside the program, the installed share/velmrqx/help/, or the
// source tree's resources/help/ in a build folder. Empty when none exists.
QString HelpDocumentPath();
// Overrides the search above (tests); an empty path restores it.
void SetHelpDocumentPath(const QString &path);

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(const QString &documentPath, QWidget *parent = nullptr);
    QTextBrowser *browser() const { return browser_; }
    void showTopic(int topic);
    // The anchor shown last ("" at the contents).
    const QString &currentAnchor() const { return anchor_; }

private:
    QTextBrowser *browser_ = nullptr;
    QString path_;
    QString anchor_;
};

// Shows the program's help window at `topic`, raising the one already open. A missing document is
// reported with the path followed by " が見つかりません。" and nullptr is returned.
HelpWindow *ShowHelp(QWidget *owner, int topic = kHelpContents);
// The open help window, if any.
HelpWindow *OpenHelpWindow();

}  // namespace rqx
