// Load and save of the largest project the dialogs allow (30 × 30 modules, 4 divisions = 120 × 120
// spans, 2 storeys, every node with walls, a column, beams and hardware texts), next to plain reading
// and writing of the same number of bytes.
//
// Targets: save and load each within 4× of plain I/O of their bytes; the peak heap of a load under
// 3 × file size plus the size of the loaded model. Reads are measured twice: with the file in the
// page cache (a memory copy) and with its pages dropped first (read from the disk, as an Open after
// a while); saves against a plain write in place and against the same bytes written as a save must
// (complete new file, synced, renamed).
//
// Memory is measured with a counting allocator: malloc, calloc, realloc, free and the aligned forms
// are interposed in this program (operator new, QString and QByteArray all allocate through them);
// the live byte count (malloc_usable_size of each block) and its peak are kept. For a load, the peak
// above the count before the load is compared with what stays allocated afterwards (the model).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

#include "model/project_file.h"
#include "support/sample_houses.h"

// ---------------------------------------------------------------- counting allocator

extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void __libc_free(void *);
void *__libc_memalign(size_t, size_t);
}

namespace {

std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

inline void Added(void *p)
{
    if (!p)
        return;
    const long long now =
        g_live.fetch_add(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed) +
        static_cast<long long>(malloc_usable_size(p));
    long long peak = g_peak.load(std::memory_order_relaxed);
    while (now > peak && !g_peak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

inline void Removed(void *p)
{
    if (p)
        g_live.fetch_sub(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
}

}  // namespace

extern "C" {
void *malloc(size_t n)
{
    void *p = __libc_malloc(n);
    Added(p);
    return p;
}
void *calloc(size_t n, size_t size)
{
    void *p = __libc_calloc(n, size);
    Added(p);
    return p;
}
void *realloc(void *old, size_t n)
{
    const long long oldSize = old ? static_cast<long long>(malloc_usable_size(old)) : 0;
    void *p = __libc_realloc(old, n);
    if (p || n == 0) {  // moved, resized, or freed by a zero size; on failure the old block stays
        g_live.fetch_sub(oldSize, std::memory_order_relaxed);
        Added(p);
    }
    return p;
}
void free(void *p)
{
    Removed(p);
    __libc_free(p);
}
void *memalign(size_t align, size_t n)
{
    void *p = __libc_memalign(align, n);
    Added(p);
    return p;
}
void *aligned_alloc(size_t align, size_t n)
{
    return memalign(align, n);
}
int posix_memalign(void **out, size_t align, size_t n)
{
    void *p = memalign(align, n);
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}
}

// ---------------------------------------------------------------- fixture

namespace {

struct Fixture {
    QTemporaryDir dir;
    rqx::Project project;
    QString path;
    QString plainPath;
    QByteArray bytes;

    Fixture()
    {
        project = rqx::samples::LargestProject();
        path = dir.filePath(QStringLiteral("largest.RQX"));
        plainPath = dir.filePath(QStringLiteral("plain.bin"));
        if (!rqx::SaveProjectFile(project, path).ok)
            std::abort();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            std::abort();
        bytes = f.readAll();
    }
};

Fixture &Data()
{
    static Fixture f;
    return f;
}

void SetBytes(benchmark::State &state)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Data().bytes.size());
    state.counters["file_MB"] = static_cast<double>(Data().bytes.size()) / 1e6;
}

// ---------------------------------------------------------------- save

void BM_SaveProject(benchmark::State &state)
{
    Fixture &d = Data();
    for (auto _ : state) {
        if (!rqx::SaveProjectFile(d.project, d.path).ok)
            state.SkipWithError("save failed");
    }
    SetBytes(state);
}

// Saves of a typical two-storey house (about 110 KB) and of a small house (about 10 KB): for files
// of this size the syncs of the file and its folder, not the bytes, make most of a save's time.
void SaveSample(benchmark::State &state, rqx::Project project)
{
    Fixture &d = Data();
    const QString path = d.dir.filePath(QStringLiteral("sample.RQX"));
    for (auto _ : state) {
        if (!rqx::SaveProjectFile(project, path).ok)
            state.SkipWithError("save failed");
    }
    state.counters["file_KB"] = static_cast<double>(QFileInfo(path).size()) / 1e3;
}

void BM_SaveTypicalHouse(benchmark::State &state)
{
    SaveSample(state, rqx::samples::TwoStoreyHouse());
}

void BM_SaveSmallHouse(benchmark::State &state)
{
    SaveSample(state, rqx::samples::SmallHouse());
}

// The same bytes the way a save must write them: complete new file, synced, then renamed.
void BM_PlainWriteReplacing(benchmark::State &state)
{
    Fixture &d = Data();
    for (auto _ : state) {
        QSaveFile f(d.plainPath);
        if (!f.open(QIODevice::WriteOnly) || f.write(d.bytes) != d.bytes.size() || !f.commit())
            state.SkipWithError("write failed");
    }
    SetBytes(state);
}

// The same bytes written in place, without sync.
void BM_PlainWrite(benchmark::State &state)
{
    Fixture &d = Data();
    for (auto _ : state) {
        QFile f(d.plainPath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(d.bytes) != d.bytes.size())
            state.SkipWithError("write failed");
    }
    SetBytes(state);
}

void BM_SerializeOnly(benchmark::State &state)
{
    Fixture &d = Data();
    for (auto _ : state)
        benchmark::DoNotOptimize(rqx::SerializeProject(d.project));
    SetBytes(state);
}

// ---------------------------------------------------------------- load

void BM_LoadProject(benchmark::State &state)
{
    Fixture &d = Data();
    long long peakOverStart = 0;
    long long model = 0;
    for (auto _ : state) {
        rqx::Project loaded;
        const long long start = g_live.load();
        g_peak.store(start);
        if (!rqx::LoadProjectFile(d.path, loaded).ok)
            state.SkipWithError("load failed");
        peakOverStart = g_peak.load() - start;
        model = g_live.load() - start;
        state.PauseTiming();  // freeing the loaded model is not part of the load
        loaded = rqx::Project();
        state.ResumeTiming();
    }
    SetBytes(state);
    const double file = static_cast<double>(d.bytes.size());
    state.counters["model_MB"] = static_cast<double>(model) / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peakOverStart) / 1e6;
    // Target: below 3.
    state.counters["peak_minus_model_per_file"] = static_cast<double>(peakOverStart - model) / file;
}

// Loading over an open project of the same size, as the Open command does: the old model lives
// until the new one has been read completely.
void BM_LoadProjectReplacing(benchmark::State &state)
{
    Fixture &d = Data();
    rqx::Project open = d.project;
    long long peakOverStart = 0;
    for (auto _ : state) {
        const long long start = g_live.load();
        g_peak.store(start);
        if (!rqx::LoadProjectFile(d.path, open).ok)
            state.SkipWithError("load failed");
        peakOverStart = g_peak.load() - start;
    }
    SetBytes(state);
    state.counters["peak_MB"] = static_cast<double>(peakOverStart) / 1e6;
}

void BM_PlainRead(benchmark::State &state)
{
    Fixture &d = Data();
    for (auto _ : state) {
        QFile f(d.path);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(f.readAll());
    }
    SetBytes(state);
}

void BM_ParseOnly(benchmark::State &state)
{
    Fixture &d = Data();
    for (auto _ : state) {
        rqx::Project loaded;
        if (!rqx::ParseProject(d.bytes, loaded))
            state.SkipWithError("parse failed");
        state.PauseTiming();
        loaded = rqx::Project();
        state.ResumeTiming();
    }
    SetBytes(state);
}

// Drops the file's pages from the page cache, so the next read comes from the disk (an Open after
// some time); pages of a file that was synced are clean, so no privilege is needed.
bool Evict(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    ::fdatasync(fd);
    const bool ok = ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    ::close(fd);
    return ok;
}

void BM_PlainReadFromDisk(benchmark::State &state)
{
    Fixture &d = Data();
    for (auto _ : state) {
        state.PauseTiming();
        Evict(d.path);
        state.ResumeTiming();
        QFile f(d.path);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(f.readAll());
    }
    SetBytes(state);
}

void BM_LoadProjectFromDisk(benchmark::State &state)
{
    Fixture &d = Data();
    for (auto _ : state) {
        rqx::Project loaded;
        state.PauseTiming();
        Evict(d.path);
        state.ResumeTiming();
        if (!rqx::LoadProjectFile(d.path, loaded).ok)
            state.SkipWithError("load failed");
        state.PauseTiming();
        loaded = rqx::Project();
        state.ResumeTiming();
    }
    SetBytes(state);
}

// What any load must do besides reading: create the node, coordinate and working arrays of the
// file's bounds (the floor under the load time).
void BM_AllocateArraysOnly(benchmark::State &state)
{
    Fixture &d = Data();
    for (auto _ : state) {
        rqx::Project loaded;
        loaded.info = d.project.info;
        rqx::AllocateProjectArrays(loaded);
        benchmark::DoNotOptimize(loaded.nodes.data());
        state.PauseTiming();
        loaded = rqx::Project();
        state.ResumeTiming();
    }
    SetBytes(state);
}

}  // namespace

BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTypicalHouse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSmallHouse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWriteReplacing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SerializeOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProjectReplacing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProjectFromDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadFromDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllocateArraysOnly)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
