#pragma once
// A file layer under the savers that fails one chosen call with a chosen error, the way a full disk,
// a failing drive or a refused permission would, and passes every other call to the system.

#include <cerrno>

#include "common/safe_save.h"

namespace rqx::test {

enum class FileCall { Create, Write, Sync, Close, Rename, SyncFolder };

class FailingFileLayer : public FileLayer {
public:
    FailingFileLayer(FileCall call, int error) : call_(call), error_(error) {}

    int create(const QByteArray &path, int mode, int &fd) override
    {
        return failing(FileCall::Create) ? error_ : FileLayer::create(path, mode, fd);
    }
    int write(int fd, const char *data, qint64 size, qint64 &written) override
    {
        return failing(FileCall::Write) ? error_ : FileLayer::write(fd, data, size, written);
    }
    int sync(int fd) override { return failing(FileCall::Sync) ? error_ : FileLayer::sync(fd); }
    int close(int fd) override
    {
        // The descriptor is released as a real failing close does.
        const int result = FileLayer::close(fd);
        return failing(FileCall::Close) ? error_ : result;
    }
    int rename(const QByteArray &from, const QByteArray &to) override
    {
        return failing(FileCall::Rename) ? error_ : FileLayer::rename(from, to);
    }
    int syncFolder(const QByteArray &folder) override
    {
        const int result = FileLayer::syncFolder(folder);  // the rename has happened either way
        return failing(FileCall::SyncFolder) ? error_ : result;
    }

    int failures() const { return failures_; }

private:
    bool failing(FileCall call)
    {
        if (call != call_ || failures_ > 0)
            return false;
        ++failures_;
        return true;
    }

    FileCall call_;
    int error_;
    int failures_ = 0;
};

// Every call that can fail, with the save step it shows as.
struct FailurePoint {
    FileCall call;
    SaveStep step;
    int error;
    const char *name;
};

inline constexpr FailurePoint kFailurePoints[] = {
    {FileCall::Create, SaveStep::Create, EACCES, "create EACCES"},
    {FileCall::Write, SaveStep::Write, ENOSPC, "write ENOSPC"},
    {FileCall::Write, SaveStep::Write, EIO, "write EIO"},
    {FileCall::Sync, SaveStep::Sync, EIO, "sync EIO"},
    {FileCall::Sync, SaveStep::Sync, ENOSPC, "sync ENOSPC"},
    {FileCall::Close, SaveStep::Close, EIO, "close EIO"},
    {FileCall::Rename, SaveStep::Replace, EIO, "rename EIO"},
    {FileCall::Rename, SaveStep::Replace, EPERM, "rename EPERM"},
};

}  // namespace rqx::test
