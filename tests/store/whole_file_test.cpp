#include "store/whole_file.h"
#include "table_helpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

mode_t modeOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Nothing but the files the test named: no temporary left behind.
QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray pdfLike(int size)
{
    QByteArray b = "%PDF-1.4\n";
    b += QByteArray(size, 'x');
    return b + "\n%%EOF\n";
}

} // namespace

// Whatever stops a write, the file on disk is the old one (or none), and the
// person is told why in French.
TEST(WholeFile, AFailedWriteLeavesTheOldFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString old = dir.filePath("ancien.txt"), fresh = dir.filePath("nouveau.txt");
    writeFile(old, "avant\r\n");

    const QByteArray big(200000, 'x');
    {
        SmallDisk disk(100000);
        QString error;
        EXPECT_FALSE(WholeFile::write(old, big, &error));
        EXPECT_EQ(error, "Impossible d'écrire le fichier " + old +
                             " : Disque plein (taille maximale d'un fichier atteinte)");
        EXPECT_FALSE(WholeFile::write(fresh, big, &error));
    }
    EXPECT_EQ(readFile(old), "avant\r\n");
    EXPECT_EQ(entries(dir.path()), QStringList{"ancien.txt"});

    // A folder that does not exist, a folder where the file should be.
    QString error;
    EXPECT_FALSE(WholeFile::write(dir.filePath("absent/f.txt"), "x", &error));
    EXPECT_TRUE(error.endsWith(" : Dossier introuvable")) << qPrintable(error);
    ASSERT_TRUE(QDir(dir.path()).mkdir("dossier"));
    EXPECT_FALSE(WholeFile::write(dir.filePath("dossier"), "x", &error));
    EXPECT_TRUE(QFileInfo(dir.filePath("dossier")).isDir());

    // Abandoned halfway (a program that stops): the temporary goes.
    {
        WholeFile file(old);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("moitié"));
        EXPECT_TRUE(QFile::exists(file.tempPath()));
    }
    EXPECT_EQ(readFile(old), "avant\r\n");
    EXPECT_EQ(entries(dir.path()), (QStringList{"ancien.txt", "dossier"}));
}

// A file marked read-only is not replaced, even by an administrator whom
// the system would let through; a writable one keeps its mode.
TEST(WholeFile, ReadOnlyFilesAreRefusedAndModesKept)
{
    QTemporaryDir dir;
    const QString locked = dir.filePath("fec.txt"), shared = dir.filePath("export.txt");
    writeFile(locked, "gardé");
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0444), 0);
    writeFile(shared, "avant");
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0664), 0);

    QString error;
    EXPECT_FALSE(WholeFile::write(locked, "remplacé", &error));
    EXPECT_EQ(error, "Impossible d'écrire le fichier " + locked +
                         " : Permission refusée (fichier en lecture seule)");
    EXPECT_EQ(readFile(locked), "gardé");
    EXPECT_EQ(modeOf(locked), 0444u);

    ASSERT_TRUE(WholeFile::write(shared, "après", &error)) << qPrintable(error);
    EXPECT_EQ(readFile(shared), "après");
    EXPECT_EQ(modeOf(shared), 0664u);

    // A new file gets the usual mode, not the temporary's private one.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(WholeFile::write(dir.filePath("neuf.txt"), "n", &error));
    ::umask(mask);
    EXPECT_EQ(modeOf(dir.filePath("neuf.txt")), 0644u);
}

// A writer that opens the file by its name (the PDF engine) and stops
// halfway: what it left is judged before it replaces anything.
TEST(WholeFile, AWriterThatStoppedHalfwayReplacesNothing)
{
    // The file check reads only the head and the tail, and judges alike.
    const QTemporaryDir judging;
    const auto judged = [&](const QByteArray &bytes) {
        const QString path = judging.filePath("essai.pdf");
        writeFile(path, bytes);
        EXPECT_EQ(isWholePdfFile(path), isWholePdf(bytes)) << bytes.left(20).constData();
        return isWholePdf(bytes);
    };
    EXPECT_TRUE(judged(pdfLike(1000)));
    EXPECT_TRUE(judged(pdfLike(5000) + QByteArray(300, '\n')));
    for (const QByteArray &bad : {QByteArray(), pdfLike(1000).left(600),
                                  QByteArray("%PDF-1.4\n%%EOF\n"), QByteArray(2000, 'x') + "%%EOF"})
        EXPECT_FALSE(judged(bad)) << bad.left(20).constData();
    EXPECT_FALSE(isWholePdfFile(judging.filePath("absent.pdf")));
    // A pipe under a PDF's name is judged at once, not waited on.
    ASSERT_EQ(::mkfifo(QFile::encodeName(judging.filePath("tube.pdf")).constData(), 0600), 0);
    EXPECT_FALSE(isWholePdfFile(judging.filePath("tube.pdf")));

    QTemporaryDir dir;
    const QString pdf = dir.filePath("Facture.pdf");
    writeFile(pdf, pdfLike(500));
    auto writeThrough = [&](const QByteArray &bytes, QString *error) {
        WholeFile file(pdf);
        if (!file.open())
            return false;
        QFile other(file.tempPath());
        EXPECT_TRUE(other.open(QIODevice::WriteOnly | QIODevice::Truncate));
        other.write(bytes);
        other.close();
        const bool ok = file.commitWritten(isWholePdf);
        *error = file.errorMessage();
        return ok;
    };
    QString error;
    EXPECT_FALSE(writeThrough(pdfLike(3000).left(1500), &error));
    EXPECT_TRUE(error.startsWith("Impossible d'écrire le fichier " + pdf)) << qPrintable(error);
    EXPECT_EQ(readFile(pdf), pdfLike(500));
    EXPECT_EQ(entries(dir.path()), QStringList{"Facture.pdf"});
    ASSERT_TRUE(writeThrough(pdfLike(3000), &error)) << qPrintable(error);
    EXPECT_EQ(readFile(pdf), pdfLike(3000));
}
