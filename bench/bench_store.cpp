// Store benchmarks on the ten-year hotel. Each one times our operation and
// its physical reference in the same iterations, so the ratio holds on a
// noisy machine. The set is written by carvelle-generate (scripts/bench.sh).

#include "reference.h"
#include "store/backup.h"
#include "store/file_set.h"
#include "store/process_memory.h"
#include "store/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

QString setPath()
{
    const QByteArray env = qgetenv("CARVELLE_BENCH_SET");
    return env.isEmpty() ? QStringLiteral("hotel/HOTEL.htl") : QString::fromLocal8Bit(env);
}

double seconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

// Writing the same bytes to the same folder, with or without forcing them
// to disk.
void writeReference(const QString &folder, const std::array<QByteArray, 7> &files, bool sync)
{
    for (int i = 0; i < 7; ++i) {
        QFile f(folder + QStringLiteral("/REF.") + QString::number(i));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(files[std::size_t(i)]);
        f.flush();
        if (sync)
            ::fsync(f.handle());
    }
}

qint64 setSize(const std::array<QString, 7> &names)
{
    qint64 size = 0;
    for (const QString &n : names)
        size += QFileInfo(n).size();
    return size;
}

bool haveSet(benchmark::State &state)
{
    if (QFile::exists(setPath()))
        return true;
    state.SkipWithError("no ten-year set: run scripts/bench.sh");
    return false;
}

// Our open of the set at `path` against reading its files and finding
// their lines, in the same iterations.
void openAgainstReference(benchmark::State &state, const QString &path)
{
    const auto names = FileSet::Synchro(QFileInfo(path).absoluteFilePath());
    double ours = 0, ref = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(readReference(names));
        const auto t1 = Clock::now();
        FileSet set;
        if (!set.Charge(path, QDir::currentPath()))
            state.SkipWithError(qPrintable(set.errorMessage()));
        const auto t2 = Clock::now();
        ref += seconds(t0, t1);
        ours += seconds(t1, t2);
        state.SetIterationTime(seconds(t1, t2));
        state.counters["repaired"] = set.isDirty();
        state.counters["invoices"] = set.count(Table::Invoices);
    }
    state.counters["ours_ms"] = 1000 * ours / double(state.iterations());
    state.counters["reference_ms"] = 1000 * ref / double(state.iterations());
    state.counters["ratio"] = ours / ref;
    state.counters["MB"] = double(setSize(names)) / 1e6;
}

void BM_Open(benchmark::State &state)
{
    if (haveSet(state))
        openAgainstReference(state, setPath());
}
BENCHMARK(BM_Open)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Twenty years of the same hotel: 120,000 invoices, past the five digits
// of their markers (scripts/bench.sh writes it into hotel20/).
void BM_OpenTwentyYears(benchmark::State &state)
{
    const QByteArray env = qgetenv("CARVELLE_BENCH_SET20");
    const QString path = env.isEmpty() ? QStringLiteral("hotel20/HOTEL.htl") : QString::fromLocal8Bit(env);
    if (!QFile::exists(path)) {
        state.SkipWithError("no twenty-year set: run scripts/bench.sh");
        return;
    }
    openAgainstReference(state, path);
}
BENCHMARK(BM_OpenTwentyYears)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The ten-year set with one invoice end marker deleted in the middle of its
// table: the open repairs it.
void BM_OpenMissingEndMarker(benchmark::State &state)
{
    if (!haveSet(state))
        return;
    static QTemporaryDir dir(QFileInfo(setPath()).absolutePath() + QStringLiteral("/damaged-XXXXXX"));
    const QString copy = dir.filePath(QStringLiteral("HOTEL.htl"));
    if (!QFile::exists(copy)) {
        for (const QString &name : FileSet::Synchro(QFileInfo(setPath()).absoluteFilePath()))
            QFile::copy(name, dir.filePath(QFileInfo(name).fileName()));
        QFile fct(dir.filePath(QStringLiteral("HOTEL.fct")));
        fct.open(QIODevice::ReadOnly);
        QByteArray bytes = fct.readAll();
        fct.close();
        const qsizetype at = bytes.indexOf("</BLOC", bytes.size() / 2);
        bytes.remove(at, bytes.indexOf('\n', at) + 1 - at);
        fct.open(QIODevice::WriteOnly | QIODevice::Truncate);
        fct.write(bytes);
    }
    openAgainstReference(state, copy);
}
BENCHMARK(BM_OpenMissingEndMarker)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Save(benchmark::State &state)
{
    if (!haveSet(state))
        return;
    const bool sync = state.range(0) != 0;
    FileSet set;
    set.Charge(setPath(), QDir::currentPath());
    QTemporaryDir dir(QFileInfo(setPath()).absolutePath() + QStringLiteral("/save-XXXXXX"));
    const QString target = dir.filePath(QStringLiteral("COPIE.htl"));
    std::array<QByteArray, 7> bytes;
    for (Table t : kAllTables)
        bytes[std::size_t(t)] = set.table(t).toBytes();
    set.setSyncToDisk(sync);
    double ours = 0, ref = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        writeReference(dir.path(), bytes, sync);
        // A day's work: one line changed in every table, so the save mixes
        // lines from the file with changed ones.
        for (Table t : kAllTables) {
            RecordTable &tbl = set.table(t);
            if (tbl.size() > 2)
                tbl.setLine(tbl.size() / 2, tbl.line(tbl.size() / 2).toByteArray());
        }
        const auto t1 = Clock::now();
        set.SetSauve();
        if (!set.Sauve(target))
            state.SkipWithError(qPrintable(set.errorMessage()));
        const auto t2 = Clock::now();
        ref += seconds(t0, t1);
        ours += seconds(t1, t2);
        state.SetIterationTime(seconds(t1, t2));
    }
    state.counters["ours_ms"] = 1000 * ours / double(state.iterations());
    state.counters["reference_ms"] = 1000 * ref / double(state.iterations());
    state.counters["ratio"] = ours / ref;
}
BENCHMARK(BM_Save)->Arg(1)->Arg(0)->ArgName("sync")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Finding an invoice by number: between changes the index answers; right
// after a change (a line rewritten) the first lookup rebuilds it.
void BM_BlockLookup(benchmark::State &state)
{
    if (!haveSet(state))
        return;
    const bool afterChange = state.range(0) != 0;
    FileSet set;
    set.Charge(setPath(), QDir::currentPath());
    RecordTable &invoices = set.table(Table::Invoices);
    const int count = set.count(Table::Invoices);
    std::mt19937 rng(1);
    invoices.blockStart(0);
    for (auto _ : state) {
        const int n = int(rng() % unsigned(count));
        if (afterChange) {
            state.PauseTiming();
            const qsizetype at = invoices.blockStart(n) + 1;
            invoices.setLine(at, invoices.line(at).toByteArray());
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(invoices.blockStart(n));
    }
    state.counters["lines"] = double(invoices.size());
}
BENCHMARK(BM_BlockLookup)->Arg(0)->Arg(1)->ArgName("after_change")->Unit(benchmark::kMicrosecond);

// Resident memory held by an open set, against the set's size on disk.
void BM_MemoryAfterOpen(benchmark::State &state)
{
    if (!haveSet(state))
        return;
    const auto names = FileSet::Synchro(QFileInfo(setPath()).absoluteFilePath());
    for (auto _ : state) {
        const ProcessMemory before = ProcessMemory::now();
        FileSet set;
        set.Charge(setPath(), QDir::currentPath());
        for (Table t : kBlockTables)
            set.table(t).blockStart(0); // the indexes a session builds
        const ProcessMemory after = ProcessMemory::now();
        const double size = double(setSize(names));
        state.counters["set_MB"] = size / 1e6;
        state.counters["resident_MB"] = double(after.residentKiB - before.residentKiB) * 1024 / 1e6;
        state.counters["ratio"] = double(after.residentKiB - before.residentKiB) * 1024 / size;
        // Without the pages of the mapped files, which the system's file
        // cache holds anyway.
        state.counters["own_ratio"] = double(after.ownKiB - before.ownKiB) * 1024 / size;
    }
}
BENCHMARK(BM_MemoryAfterOpen)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

// A backup of the set made, then restored into an empty folder and opened
// there, against opening it, in the same iterations; the restored files are
// compared with the set byte for byte.
void BM_BackupAndRestore(benchmark::State &state)
{
    if (!haveSet(state))
        return;
    const QString path = QFileInfo(setPath()).absoluteFilePath();
    const auto names = FileSet::Synchro(path);
    double open = 0, made = 0, restored = 0;
    qint64 archiveSize = 0;
    int iteration = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        const auto t0 = Clock::now();
        FileSet set;
        if (!set.Charge(path, QDir::currentPath()))
            state.SkipWithError(qPrintable(set.errorMessage()));
        const auto t1 = Clock::now();
        backup::Made m;
        QString error;
        const QDateTime when = QDateTime::currentDateTime().addDays(-iteration++);
        if (!backup::make(path, dir.filePath("vide"), dir.filePath("cle"), when, true, &m, &error))
            state.SkipWithError(qPrintable(error));
        const auto t2 = Clock::now();
        // As carvelle-tool restore does: the files, then the passes of an open.
        backup::Restored r;
        FileSet check;
        if (!backup::restore(m.archive, dir.filePath("retour"), &r, &error) ||
            !check.Charge(r.clientFile, dir.filePath("retour")))
            state.SkipWithError(qPrintable(error + check.errorMessage()));
        const auto t3 = Clock::now();
        open += seconds(t0, t1);
        made += seconds(t1, t2);
        restored += seconds(t2, t3);
        state.SetIterationTime(seconds(t1, t3));
        archiveSize = QFileInfo(m.archive).size();
        bool same = true;
        for (const QString &name : names) {
            QFile a(name), b(dir.filePath("retour/") + QFileInfo(name).fileName());
            same = same && a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) &&
                   a.readAll() == b.readAll();
        }
        if (!same)
            state.SkipWithError("the restored set differs");
    }
    const double n = double(state.iterations());
    state.counters["open_ms"] = 1000 * open / n;
    state.counters["backup_ms"] = 1000 * made / n;
    state.counters["restore_ms"] = 1000 * restored / n;
    state.counters["backup_ratio"] = made / open;
    state.counters["restore_ratio"] = restored / open;
    state.counters["archive_MB"] = double(archiveSize) / 1e6;
    state.counters["MB"] = double(setSize(names)) / 1e6;
}
BENCHMARK(BM_BackupAndRestore)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
