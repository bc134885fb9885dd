// Recovery copies of the largest project the program allows: the part on the window thread (the
// project turned into bytes, what the designer may wait for a couple of seconds after an edit) and
// the parts on the worker thread (the bytes made what a save writes; header, checksum, temporary
// file and rename). Target: the window-thread part under 5 ms per copy on the project machine; the
// document's save bytes (a copy of the project, prepared, serialised) are what the window thread
// did before, for comparison.
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

// On the worker, before the write: read back, prepared as a save prepares, serialised again.
void BM_RecoveryPrepareOnWorker(benchmark::State &state)
{
    const QByteArray raw = rqx::SerializeProject(Largest());
    for (auto _ : state) {
        rqx::Project project;
        if (!rqx::ParseProject(raw, project)) {
            state.SkipWithError("the bytes do not read back");
            break;
        }
        rqx::PrepareProjectForSave(project);
        const QByteArray bytes = rqx::SerializeProject(project);
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
BENCHMARK(BM_RecoveryPrepareOnWorker)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryWriteOnWorker)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
