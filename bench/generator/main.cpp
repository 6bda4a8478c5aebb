// carvelle-generate: writes a made-up hotel file set, the same bytes for the
// same seed and date, for benchmarks and demonstrations.

#include "hotel.h"
#include "tables.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: carvelle-generate [--small] [--years N] [--seed N] [--date yyyy-mm-dd] "
                         "OUTDIR [BASENAME]\n"
                         "  default: ten-year hotel HOTEL.*; --years 20: twenty years of it;\n"
                         "  --small: demo hotel DEMO.*\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    QStringList positional;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--small")) {
            options.small = true;
        } else if (arg == QLatin1String("--years") && i + 1 < argc) {
            bool ok = false;
            options.years = QString::fromLocal8Bit(argv[++i]).toInt(&ok);
            if (!ok || options.years < 1 || options.years > 50)
                return usage();
        } else if (arg == QLatin1String("--seed") && i + 1 < argc) {
            bool ok = false;
            options.seed = QString::fromLocal8Bit(argv[++i]).toULongLong(&ok);
            if (!ok)
                return usage();
        } else if (arg == QLatin1String("--date") && i + 1 < argc) {
            options.today =
                QDate::fromString(QString::fromLocal8Bit(argv[++i]), QStringLiteral("yyyy-MM-dd"));
            if (!options.today.isValid())
                return usage();
        } else if (arg.startsWith(QLatin1Char('-'))) {
            return usage();
        } else {
            positional << arg;
        }
    }
    if (positional.isEmpty() || positional.size() > 2)
        return usage();
    const QString dir = positional[0];
    const QString base = positional.size() > 1 ? positional[1]
                         : options.small       ? QStringLiteral("DEMO")
                                               : QStringLiteral("HOTEL");
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dir));
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    const Hotel hotel = buildHotel(options);
    const std::vector<TableFile> files = writeTables(hotel);
    qint64 bytes = 0, lines = 0;
    for (const TableFile &f : files) {
        const QString path = QDir(dir).filePath(base + QLatin1Char('.') + f.extension);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(f.bytes) != f.bytes.size() || !out.flush()) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                         qPrintable(out.errorString()));
            return 1;
        }
        std::printf("%-24s %12lld bytes %10lld lines\n", qPrintable(QFileInfo(path).fileName()),
                    qlonglong(f.bytes.size()), qlonglong(f.lines));
        bytes += f.bytes.size();
        lines += f.lines;
    }
    std::printf("%-24s %12lld bytes %10lld lines  (%.1f MB, %.2f s)\n", "total", qlonglong(bytes),
                qlonglong(lines), bytes / 1e6, timer.elapsed() / 1000.0);
    return 0;
}
