#include "model/recovery_autosave.h"

#include <QDateTime>

namespace rqx {

RecoveryAutosave::RecoveryAutosave(RecoveryStore &store, SnapshotFn snapshot, QObject *parent,
                                   PrepareFn prepare)
    : QObject(parent), store_(store), snapshot_(std::move(snapshot)), prepare_(std::move(prepare))
{
    worker_ = new QObject;
    worker_->moveToThread(&thread_);
    thread_.setObjectName(QStringLiteral("recovery copies"));
    thread_.start(QThread::LowPriority);
    setInterval(kDefaultInterval);
    connect(&timer_, &QTimer::timeout, this, &RecoveryAutosave::writeNow);
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &RecoveryAutosave::writeNow);
    quiet_.setSingleShot(true);
    longest_.setSingleShot(true);
    setQuietDelays(kDefaultQuietDelay, kDefaultLongestWait);
    connect(&quiet_, &QTimer::timeout, this, &RecoveryAutosave::writeNow);
    connect(&longest_, &QTimer::timeout, this, &RecoveryAutosave::writeNow);
}

void RecoveryAutosave::setQuietDelays(std::chrono::milliseconds quiet, std::chrono::milliseconds longest)
{
    quiet_.setInterval(quiet);
    longest_.setInterval(longest);
}

RecoveryAutosave::~RecoveryAutosave()
{
    waitForWrites();
    thread_.quit();
    thread_.wait();
    delete worker_;
}

void RecoveryAutosave::setInterval(std::chrono::milliseconds interval)
{
    timer_.start(interval);
}

void RecoveryAutosave::post(std::function<void()> job)
{
    QMetaObject::invokeMethod(worker_, std::move(job), Qt::QueuedConnection);
}

void RecoveryAutosave::noteEdit()
{
    changed_ = true;
    quiet_.start();
    if (!longest_.isActive())
        longest_.start();
    if (++editsSinceCopy_ < threshold_ || copyQueued_)
        return;
    // After the edit has finished drawing, not inside it.
    copyQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        copyQueued_ = false;
        writeNow();
    });
}

void RecoveryAutosave::noteChangedProject()
{
    changed_ = true;
    editsSinceCopy_ = std::max(editsSinceCopy_, 1);
}

void RecoveryAutosave::noteClean()
{
    changed_ = false;
    editsSinceCopy_ = 0;
    retry_.stop();
    quiet_.stop();
    longest_.stop();
    ++generation_;
    post([this] { store_.removeCopy(); });
}

void RecoveryAutosave::writeNow()
{
    quiet_.stop();
    longest_.stop();
    if (!changed_ || editsSinceCopy_ == 0 || !store_.runOpen())
        return;
    RecoveryCopy copy = snapshot_();
    copy.written = QDateTime::currentDateTimeUtc();
    editsSinceCopy_ = 0;
    ++copiesRequested_;
    const quint64 generation = ++generation_;
    post([this, copy = std::move(copy), generation]() mutable {
        if (generation != generation_.load())
            return;  // a newer copy or a removal follows
        QString reason;
        if (prepare_)
            prepare_(copy);
        const bool ok = store_.writeCopy(copy, &reason);
        // Back on the window thread, where the counters and timers live.
        QMetaObject::invokeMethod(
            this,
            [this, ok, generation, reason] {
                if (ok) {
                    written();
                } else {
                    emit copyFailed(reason);
                    failed(generation);
                }
            },
            Qt::QueuedConnection);
    });
}

void RecoveryAutosave::failed(quint64 generation)
{
    failing_ = true;
    if (generation != generation_.load() || !changed_)
        return;  // a newer copy was asked for, or the project was saved meanwhile
    // The changes are still in no copy: due again, soon, without waiting for an edit.
    editsSinceCopy_ = std::max(editsSinceCopy_, 1);
    retry_.start(retryDelay_);
}

void RecoveryAutosave::written()
{
    if (!failing_)
        return;
    failing_ = false;
    emit copyWorksAgain();
}

void RecoveryAutosave::waitForWrites()
{
    QMetaObject::invokeMethod(
        worker_, [] {}, Qt::BlockingQueuedConnection);
}

}  // namespace rqx
