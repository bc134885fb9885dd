#pragma once
// Takes recovery copies of the open project while it has unsaved changes: a couple of seconds after
// the last edit (at most ten seconds after the first edit not yet in a copy, when edits keep coming),
// and as before every few minutes and after every 50 edits. The project is turned into bytes on the
// calling (window) thread, a few milliseconds even for the largest grid; anything more (preparing
// the bytes as a save would, the file) is done on a worker thread, so an edit never waits for the
// disk. A save, a load or a new project removes the copy. QtCore only.

#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>

#include "model/recovery_store.h"

namespace rqx {

class RecoveryAutosave : public QObject {
    Q_OBJECT
public:
    // What a copy holds, taken on the window thread when a copy is due.
    using SnapshotFn = std::function<RecoveryCopy()>;
    // What is done to a copy on the worker thread before it is written (may be empty).
    using PrepareFn = std::function<void(RecoveryCopy &)>;

    RecoveryAutosave(RecoveryStore &store, SnapshotFn snapshot, QObject *parent = nullptr,
                     PrepareFn prepare = {});
    // Finishes the writes already asked for; the copy stays (a clean exit calls noteClean first).
    ~RecoveryAutosave() override;

    static constexpr std::chrono::minutes kDefaultInterval{3};
    static constexpr int kDefaultEditThreshold = 50;
    // After a copy that could not be written, the next try comes this soon, edit or not.
    static constexpr std::chrono::seconds kDefaultRetryDelay{10};
    // A copy follows this long after the last edit, and no later than kDefaultLongestWait after the
    // first edit not yet in a copy.
    static constexpr std::chrono::milliseconds kDefaultQuietDelay{2000};
    static constexpr std::chrono::seconds kDefaultLongestWait{10};
    void setQuietDelays(std::chrono::milliseconds quiet, std::chrono::milliseconds longest);
    void setRetryDelay(std::chrono::milliseconds delay) { retryDelay_ = delay; }
    // The last copy could not be written: crash protection is off until a copy succeeds again.
    bool failing() const { return failing_; }
    void setInterval(std::chrono::milliseconds interval);
    void setEditThreshold(int edits) { threshold_ = std::max(1, edits); }

    // One edit of the open project.
    void noteEdit();
    // The project has no unsaved changes any more (saved, loaded, new, or a clean exit).
    void noteClean();
    // A project that is changed without an edit of this run (a restored copy).
    void noteChangedProject();
    // Takes a copy now when there are changes not yet in one.
    void writeNow();
    // Returns once every write and removal asked for so far is done.
    void waitForWrites();

    int editsSinceCopy() const { return editsSinceCopy_; }
    int copiesRequested() const { return copiesRequested_; }

signals:
    // A copy could not be written (the reason in English); it is tried again after the retry delay.
    void copyFailed(const QString &reason);
    // A copy was written after one or more had failed: crash protection works again.
    void copyWorksAgain();

private:
    void post(std::function<void()> job);
    void failed(quint64 generation);
    void written();

    RecoveryStore &store_;
    SnapshotFn snapshot_;
    PrepareFn prepare_;
    QTimer timer_;
    QTimer quiet_;    // restarted by every edit
    QTimer longest_;  // started by the first edit after a copy
    QThread thread_;
    QObject *worker_ = nullptr;           // lives in thread_
    std::atomic<quint64> generation_{0};  // a write of an older generation is skipped
    int threshold_ = kDefaultEditThreshold;
    int editsSinceCopy_ = 0;
    bool changed_ = false;
    bool copyQueued_ = false;
    int copiesRequested_ = 0;
    bool failing_ = false;
    std::chrono::milliseconds retryDelay_ = kDefaultRetryDelay;
    QTimer retry_;
};

}  // namespace rqx
