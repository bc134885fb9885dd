// Recovery copies of the largest project the program allows: the part on the window thread (the
// project turned into bytes, what an edit may wait for once every 50 edits) and the part on the
// worker thread (header, checksum, temporary file and rename). Target: the window-thread part well
// under a frame-and-a-half (25 ms) on the project machine.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "document/project_document.h"
#include "model/project_file.h"
#include "model/recovery_store.h"
#include "support/sample_houses.h"

namespace {

const rqx::Project &Largest()
{
    static const rqx::Project project = rqx::samples::LargestProject();
    return project;
}

void BM_RecoverySnapshotOnWindowThread(benchmark::State &state)
{
    for (auto _ : state) {
        rqx::RecoveryCopy copy;
        copy.projectBytes = rqx::SerializeProject(Largest());
        copy.buildingName = Largest().info.buildingName;
        benchmark::DoNotOptimize(copy.projectBytes.data());
    }
}

// What the open program does: the document's save bytes (a copy of the project, prepared as a save
// prepares it, then serialised).
void BM_RecoveryDocumentSaveBytes(benchmark::State &state)
{
    rqx::ProjectDocument doc;
    doc.replaceProject(Largest());
    for (auto _ : state) {
        const QByteArray bytes = doc.saveBytes();
        benchmark::DoNotOptimize(bytes.data());
    }
}

void BM_RecoveryWriteOnWorker(benchmark::State &state)
{
    QTemporaryDir dir;
    rqx::RecoveryStore store(dir.path());
    if (!store.openRun()) {
        state.SkipWithError("no recovery run open");
        return;
    }
    rqx::RecoveryCopy copy;
    copy.projectBytes = rqx::SerializeProject(Largest());
    for (auto _ : state) {
        if (!store.writeCopy(copy))
            state.SkipWithError("write failed");
    }
    state.counters["copy_MB"] = static_cast<double>(rqx::FormatRecoveryCopy(copy).size()) / 1e6;
}

}  // namespace

BENCHMARK(BM_RecoverySnapshotOnWindowThread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryDocumentSaveBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryWriteOnWorker)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
