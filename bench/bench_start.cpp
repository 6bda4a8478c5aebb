// Starts the real program on the twenty-year hotel, under the offscreen
// platform, as many times as asked: the time to its window, the time to a
// usable planning with the set read, and the memory held, against reading
// the set's files and finding their lines in the same run. The planning is
// usable once its tables are read ("planning"), before the rest of the set
// ("ready"). A start that never shows its window is counted: there must be
// none.

#include "billing/invoice.h"
#include "reference.h"
#include "store/file_set.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

QString setPath()
{
    const QByteArray env = qgetenv("CARVELLE_BENCH_SET20");
    return env.isEmpty() ? QStringLiteral("hotel20/HOTEL.htl") : QString::fromLocal8Bit(env);
}

double ms(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

struct Start
{
    double windowMs = -1, planningMs = -1, readyMs = -1;
    // Resident memory, and the process's own part of it (without the pages
    // of the files it maps), in KiB.
    long windowKiB = 0, readyKiB = 0, reportsKiB = 0;
    long windowOwnKiB = 0, readyOwnKiB = 0, reportsOwnKiB = 0;
};

// One start; each line the program prints is timed as it arrives.
Start startOnce(const QString &set, const QString &home, bool reports)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("CARVELLE_HOME"), home);
    env.insert(QStringLiteral("CARVELLE_START_REPORT"),
               reports ? QStringLiteral("reports") : QStringLiteral("1"));
    p.setProcessEnvironment(env);
    Start s;
    const auto t0 = Clock::now();
    p.start(QStringLiteral(CARVELLE_PROGRAM), {set});
    const auto deadline = t0 + std::chrono::seconds(60);
    QByteArray pending;
    while (Clock::now() < deadline && p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(20);
        pending += p.readAllStandardOutput();
        qsizetype nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            const QList<QByteArray> words = pending.left(nl).split(' ');
            pending.remove(0, nl + 1);
            const long kib = words.value(1).toLong();
            const long own = words.value(2).toLong();
            if (words[0] == "window") {
                s.windowMs = ms(t0, Clock::now());
                s.windowKiB = kib;
                s.windowOwnKiB = own;
            } else if (words[0] == "planning") {
                s.planningMs = ms(t0, Clock::now());
            } else if (words[0] == "ready") {
                s.readyMs = ms(t0, Clock::now());
                s.readyKiB = kib;
                s.readyOwnKiB = own;
            } else if (words[0] == "reports") {
                s.reportsKiB = kib;
                s.reportsOwnKiB = own;
            }
        }
    }
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
    }
    return s;
}

void startAgainstReference(benchmark::State &state, bool reports)
{
    const QString set = QFileInfo(setPath()).absoluteFilePath();
    if (!QFile::exists(set)) {
        state.SkipWithError("no twenty-year set: run scripts/bench.sh");
        return;
    }
    const auto names = FileSet::Synchro(set);
    qint64 setBytes = 0;
    for (const QString &n : names)
        setBytes += QFileInfo(n).size();
    QTemporaryDir home;
    double window = 0, planning = 0, ready = 0, ref = 0, worstWindow = 0, worstPlanning = 0,
           worstReady = 0, above = 0, afterReports = 0, ownAbove = 0, ownAfterReports = 0;
    int noWindow = 0, notReady = 0, started = 0;
    for (auto _ : state) {
        const auto r0 = Clock::now();
        benchmark::DoNotOptimize(readReference(names));
        ref += ms(r0, Clock::now());
        const Start s = startOnce(set, home.path(), reports);
        ++started;
        if (s.windowMs < 0) {
            ++noWindow;
            continue;
        }
        if (s.readyMs < 0) {
            ++notReady;
            continue;
        }
        // A set read at once has its planning when it is ready.
        const double planned = s.planningMs < 0 ? s.readyMs : s.planningMs;
        window += s.windowMs;
        planning += planned;
        ready += s.readyMs;
        worstWindow = std::max(worstWindow, s.windowMs);
        worstPlanning = std::max(worstPlanning, planned);
        worstReady = std::max(worstReady, s.readyMs);
        above += double(s.readyKiB - s.windowKiB) * 1024;
        afterReports += double(s.reportsKiB - s.windowKiB) * 1024;
        ownAbove += double(s.readyOwnKiB - s.windowOwnKiB) * 1024;
        ownAfterReports += double(s.reportsOwnKiB - s.windowOwnKiB) * 1024;
        state.SetIterationTime(planned / 1000);
    }
    const int good = std::max(1, started - noWindow - notReady);
    state.counters["starts"] = started;
    state.counters["no_window"] = noWindow;
    state.counters["not_ready"] = notReady;
    state.counters["window_ms"] = window / good;
    state.counters["worst_window_ms"] = worstWindow;
    state.counters["planning_ms"] = planning / good;
    state.counters["worst_planning_ms"] = worstPlanning;
    state.counters["ready_ms"] = ready / good;
    state.counters["worst_ready_ms"] = worstReady;
    state.counters["reference_ms"] = ref / started;
    state.counters["set_MB"] = double(setBytes) / 1e6;
    // Memory above the empty window, as a share of the set's size: all that
    // is resident, and the program's own part, without the pages of the
    // files it maps (the system's file cache, shared, given back at need).
    state.counters["open_ratio"] = above / good / double(setBytes);
    state.counters["own_open_ratio"] = ownAbove / good / double(setBytes);
    if (reports) {
        state.counters["after_reports_ratio"] = afterReports / good / double(setBytes);
        state.counters["own_after_reports_ratio"] = ownAfterReports / good / double(setBytes);
    }
}

void BM_StartTwentyYears(benchmark::State &state)
{
    startAgainstReference(state, false);
}
BENCHMARK(BM_StartTwentyYears)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_StartAndReportWindowsTwentyYears(benchmark::State &state)
{
    startAgainstReference(state, true);
}
BENCHMARK(BM_StartAndReportWindowsTwentyYears)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// `carvelle-tool archive-invoices` on the twenty-year hotel into a folder
// that already holds every validated invoice's PDF but `missing` of them
// (the newest): against opening the set, in this process and as the whole
// process `carvelle-tool check`, and against the reference, in the same
// run. The PDFs kept are copies of one small whole PDF, each a file of its
// own as in a hotel's folder: links to one file would have every check meet
// on that one file.
void BM_ArchiveTwentyYears(benchmark::State &state)
{
    const QString set = QFileInfo(setPath()).absoluteFilePath();
    if (!QFile::exists(set)) {
        state.SkipWithError("no twenty-year set: run scripts/bench.sh");
        return;
    }
    const auto names = FileSet::Synchro(set);
    FileSet opened;
    opened.Charge(set, QDir::currentPath());
    const RecordTable &t = opened.table(Table::Invoices);
    QStringList numbers;
    for (int n = 0; n < opened.count(Table::Invoices); ++n)
        if (const InvoiceFacts f = invoiceFacts(t, n); f.validated && !f.number.isEmpty())
            numbers << f.number;
    QTemporaryDir dir;
    const QString model = dir.filePath(QStringLiteral("model.pdf"));
    {
        QFile f(model);
        f.open(QIODevice::WriteOnly);
        f.write("%PDF-1.4\n" + QByteArray(300, ' ') + "\n%%EOF\n");
    }
    const QString out = dir.filePath(QStringLiteral("archive"));
    QDir().mkpath(out);
    for (const QString &number : numbers)
        QFile::copy(model, out + QStringLiteral("/Facture-") + number + QStringLiteral(".pdf"));
    const int missing = int(state.range(0));
    // Archived before: the folder has the list of the PDFs a run found whole
    // (the run after a hotel's first). Otherwise every PDF is read.
    const bool archivedBefore = state.range(1) != 0;
    const QString remembered = out + QStringLiteral("/.pdf-entiers");
    auto run = [&](QStringList args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(CARVELLE_TOOL), args);
        p.waitForFinished(600000);
        if (p.exitCode() != 0)
            state.SkipWithError(p.readAllStandardError().constData());
    };
    const QStringList archive = {QStringLiteral("archive-invoices"), set, out};
    if (archivedBefore)
        run(archive);
    // On disk before the runs: the system writing them out would be timed too.
    ::sync();
    double ours = 0, open = 0, ref = 0, check = 0;
    for (auto _ : state) {
        for (int k = 0; k < missing && k < numbers.size(); ++k)
            QFile::remove(out + QStringLiteral("/Facture-") + numbers[numbers.size() - 1 - k] +
                          QStringLiteral(".pdf"));
        if (!archivedBefore)
            QFile::remove(remembered);
        const auto r0 = Clock::now();
        benchmark::DoNotOptimize(readReference(names));
        const auto r1 = Clock::now();
        {
            FileSet again;
            again.Charge(set, QDir::currentPath());
        }
        const auto r2 = Clock::now();
        run(archive);
        const auto r3 = Clock::now();
        // The open as a whole process too, with the same start and end.
        run({QStringLiteral("check"), set});
        check += ms(r3, Clock::now());
        ref += ms(r0, r1);
        open += ms(r1, r2);
        ours += ms(r2, r3);
        state.SetIterationTime(ms(r2, r3) / 1000);
        // The ones printed stay: the next run finds them missing again.
    }
    state.counters["validated"] = double(numbers.size());
    state.counters["archive_ms"] = ours / double(state.iterations());
    state.counters["open_ms"] = open / double(state.iterations());
    state.counters["reference_ms"] = ref / double(state.iterations());
    state.counters["over_open"] = ours / open;
    state.counters["check_ms"] = check / double(state.iterations());
    state.counters["over_check"] = ours / check;
}
BENCHMARK(BM_ArchiveTwentyYears)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({500, 1})
    ->ArgNames({"new_pdfs", "archived_before"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace

BENCHMARK_MAIN();
