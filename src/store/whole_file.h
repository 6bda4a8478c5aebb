#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>

// Writes one file outside the hotel set (a printout, the invoice archive,
// the FEC, an export, a backup) whole or not at all.
//
// The bytes go to a hidden temporary file in the target's own folder, are
// forced to disk, and only then is the temporary renamed over the target:
// a full disk, a killed program or a printer engine that stopped halfway
// leaves the old file (or no file), never a short one. A file the person
// marked read-only is not replaced. Errors are said in French and name the
// file ("Impossible d'écrire le fichier X : Disque plein").
class WholeFile
{
public:
    explicit WholeFile(const QString &path);
    ~WholeFile();
    WholeFile(const WholeFile &) = delete;
    WholeFile &operator=(const WholeFile &) = delete;

    // Creates the temporary file. False when the target cannot be replaced
    // (read-only, a folder) or the folder takes no new file.
    bool open();
    // Appends bytes; false (and every later call false) once a write failed.
    bool write(QByteArrayView bytes);
    // Forces the bytes to disk and renames them over the target.
    bool commit();

    // For a writer that opens the file by its name (the PDF engine): it
    // writes tempPath() after open(); `isWhole` then judges what it wrote
    // before it goes to disk and is renamed over the target.
    QString tempPath() const { return m_temp; }
    bool commitWritten(const std::function<bool(const QByteArray &bytes)> &isWhole);

    QString errorMessage() const { return m_error; }
    QString path() const { return m_path; }

    // The whole file in one call.
    static bool write(const QString &path, QByteArrayView bytes, QString *error);

    // Whether a file exists that the person (or another program) marked
    // read-only: no write permission at all, or none for this user.
    static bool isReadOnlyFile(const QString &path);

private:
    bool fail(int error);
    bool failWith(const QString &reason);
    bool finish();
    void discard();

    QString m_path;  // where the file ends up (a link's target)
    QString m_shown; // as the person named it
    QString m_temp;
    QString m_error;
    int m_fd = -1;
    bool m_failed = false;
    unsigned m_mode = 0;
};

// Whether bytes are a whole PDF document: its header at the start and its
// end-of-file marker at the end, as a writer that stopped halfway cannot leave.
bool isWholePdf(const QByteArray &bytes);
// The same for a file on disk, reading only its first and last bytes: an
// archive of a hundred thousand invoices is checked without reading them.
bool isWholePdfFile(const QString &path);

// The whole PDFs of a folder, judged as isWholePdfFile judges one file, for
// an archive of a hundred thousand invoices: the folder is listed once and
// the files whose names begin with `prefix` and end with `suffix` are
// judged on a second thread from the moment this is made, while the caller
// reads the hotel set and writes the files that were not there; asked
// whether a file is whole, it waits for them, lending a hand. A file that
// the last run found (or wrote) whole and that has not changed since (the
// same inode, size and change time) is not read again. The folder may not
// exist yet.
class WholePdfsInFolder
{
public:
    WholePdfsInFolder(const QString &folder, QByteArray prefix, QByteArray suffix);
    ~WholePdfsInFolder();
    WholePdfsInFolder(const WholePdfsInFolder &) = delete;
    WholePdfsInFolder &operator=(const WholePdfsInFolder &) = delete;

    // Where the listing has the file `name` (as the system spells it:
    // QFile::encodeName), or -1 when the folder did not hold it; waits for
    // the listing only.
    qsizetype listed(QByteArrayView name);
    // Whether the folder's file `name` is a whole PDF: found so when listed
    // (`at` is what listed() said), or found so now (a file written since).
    bool isWhole(QByteArrayView name, qsizetype at);
    // The file `name` was just written whole.
    void written(QByteArrayView name);
    // Keeps, beside the PDFs, the list of those found or written whole with
    // their inode, size and change time: the next run reads again only the
    // files that changed since. A list that cannot be written is no loss.
    void remember();

private:
    struct Work;
    void finish();

    QString m_folder;
    std::unique_ptr<Work> m_work;
};
