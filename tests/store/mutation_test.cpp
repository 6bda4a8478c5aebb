// The fixture sets damaged a few thousand ways: whatever the bytes, the
// open repairs the set in one go, and what it saves opens clean.

#include "store/file_set.h"
#include "store/text.h"
#include "table_helpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

const QString kSets = QStringLiteral(CARVELLE_TEST_DATA "/sets");

QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    text::forEachLine(bytes, [&](qsizetype s, qsizetype l) { lines << bytes.mid(s, l); });
    return lines;
}

QByteArray markerLike(std::mt19937 &rng, int width)
{
    static const QList<QByteArray> odd = {"<BLOC", "</BLOC", "<BLOCxx>", "</BLOCxx>", "<BLOC100000>",
                                          "</BLOC99999>", "<BLOC 0001>", "<BLOC00012", "</BLOC-1>"};
    if (rng() % 3 == 0)
        return odd[rng() % odd.size()];
    const QByteArray number = RecordTable::numberText(int(rng() % 6), width);
    return (rng() % 2 ? "<BLOC" : "</BLOC") + number + '>';
}

// One to three damages of the kinds hand edits, cut copies and old
// versions leave.
QByteArray mutate(QByteArray bytes, int width, std::mt19937 &rng)
{
    const int damages = 1 + int(rng() % 3);
    for (int d = 0; d < damages; ++d) {
        QList<QByteArray> lines = splitLines(bytes);
        const auto anyLine = [&] { return lines.isEmpty() ? 0 : qsizetype(rng() % lines.size()); };
        switch (rng() % 7) {
        case 0: // a line lost
            if (!lines.isEmpty())
                lines.removeAt(anyLine());
            break;
        case 1: { // a stretch copied elsewhere
            const qsizetype from = anyLine(), n = std::min<qsizetype>(1 + rng() % 30, lines.size() - from);
            const QList<QByteArray> copy = lines.mid(from, n);
            const qsizetype to = anyLine();
            for (qsizetype k = 0; k < copy.size(); ++k)
                lines.insert(to + k, copy[k]);
            break;
        }
        case 2: // a marker, or something like one, typed anywhere
            lines.insert(anyLine(), markerLike(rng, width));
            break;
        case 3: // a digit of a marker changed
            for (int tries = 0; tries < 20 && !lines.isEmpty(); ++tries) {
                QByteArray &l = lines[anyLine()];
                if (l.startsWith("<BLOC") || l.startsWith("</BLOC")) {
                    const qsizetype at = l.size() - 2 - qsizetype(rng() % 2);
                    if (at > 5)
                        l[at] = char('0' + rng() % 10);
                    break;
                }
            }
            break;
        case 4: // the file cut short
            return bytes.left(qsizetype(rng() % (bytes.size() + 1)));
        case 5: { // noise
            QByteArray noise;
            for (int k = int(rng() % 12); k >= 0; --k)
                noise += char(rng() % 256);
            bytes.insert(qsizetype(rng() % (bytes.size() + 1)), noise);
            continue;
        }
        default: // another system's line ends
            return bytes.replace("\r\n", rng() % 2 ? "\n" : "\r");
        }
        bytes = lines.join("\r\n") + (lines.isEmpty() ? "" : "\r\n");
    }
    return bytes;
}

} // namespace

TEST(Mutations, EveryDamagedSetIsRepairedOnceAndOpensCleanAfter)
{
    std::mt19937 rng(8);
    const QStringList sets = QDir(kSets).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    ASSERT_FALSE(sets.isEmpty());
    int repaired = 0, rounds = 0;
    QTemporaryDir dir;
    for (int round = 0; round < 3000; ++round) {
        const QString set = sets[round % sets.size()];
        SetBytes files = readSetFiles(kSets + '/' + set, "LION");
        const Table damaged = kBlockTables[rng() % kBlockTables.size()];
        const int width = tableInfo(damaged).markerWidth;
        QByteArray &bytes = files[std::size_t(damaged)];
        if (bytes == "<missing>")
            bytes.clear();
        bytes = mutate(bytes, width, rng);
        const QString folder = dir.filePath(QString::number(round));
        QDir().mkpath(folder);
        writeSetFiles(folder, "LION", files);
        SCOPED_TRACE(qPrintable(set + " " + tableInfo(damaged).name + " round " + QString::number(round)));

        FileSet first;
        first.setSyncToDisk(false);
        if (!first.Charge(folder + "/LION.htl", folder)) {
            // Only a client file left with no marker at all is refused.
            EXPECT_EQ(damaged, Table::Clients);
            EXPECT_TRUE(first.errorMessage().contains("n'est pas un fichier hôtel")) << qPrintable(first.errorMessage());
            continue;
        }
        ++rounds;
        repaired += first.isDirty();
        const passes::Report report = first.openReport(damaged);
        first.SetSauve();
        ASSERT_TRUE(first.Sauve(first.clientFile())) << qPrintable(first.errorMessage());

        // No larger than what was read plus what the repair wrote anew.
        RecordTable read(width);
        read.setBytes(bytes);
        const QByteArray saved = readFile(folder + "/LION." + kSetExtensions[int(damaged)]);
        EXPECT_LE(saved.size(), read.toBytes().size() + report.bytesAdded);

        // Opened again: nothing to repair, every position has its block.
        FileSet second;
        ASSERT_TRUE(second.Charge(folder + "/LION.htl", folder));
        EXPECT_FALSE(second.isDirty());
        EXPECT_TRUE(second.messages().isEmpty()) << qPrintable(second.messages().join('|'));
        for (Table t : kBlockTables) {
            EXPECT_EQ(second.count(t), second.table(t).countBlocks());
            for (int n = 0; n < second.count(t); ++n)
                ASSERT_GE(second.table(t).blockStart(n), 0) << n;
        }
        QDir(folder).removeRecursively();
    }
    // The damages are real ones: most sets needed a repair.
    EXPECT_GT(rounds, 2500);
    EXPECT_GT(repaired, rounds / 2);
}
