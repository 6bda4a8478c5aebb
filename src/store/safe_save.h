#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Writes a group of files all or nothing.
//
// Every file is first written in full to "<name>.tmp" beside it and flushed
// to disk, with the mode of the file it replaces, and each old file is linked
// as "<name>.bak.new". Only when all of that is done does a small journal
// ("<journal>", naming the files relative to its folder) go to disk; then the
// ".bak.new" links replace the previous backups and the new files are
// renamed over the old ones. A failure before the journal replaces nothing,
// backups included; a program that dies during the renames leaves the
// journal, and `recover` finishes the renames at the next open, so a group
// on disk is always wholly old or wholly new. A file reached through a
// symbolic link is saved where the link points, and the link stays.
class SafeSave
{
public:
    // The steps a test can make fail (or make the program "die" at).
    enum class Step { Open, Write, Flush, Journal, Backup, Rename };
    enum class Fault { None, Fail, Die };
    using FaultHook = std::function<Fault(Step, const QString &path)>;

    // Receives the bytes of one file, in pieces.
    class Sink
    {
    public:
        virtual ~Sink() = default;
        virtual void write(QByteArrayView bytes) = 0;
    };
    using Producer = std::function<void(Sink &)>;

    explicit SafeSave(QString journalPath);

    void add(const QString &path, Producer produce);
    void add(const QString &path, const QByteArray &bytes);

    // All or nothing. On failure nothing is replaced and errorMessage() says,
    // in French, which file and why.
    bool commit();
    QString errorMessage() const { return m_error; }

    // Whether files are forced to disk before the renames (on by default;
    // a benchmark compares against plain writes with it off).
    void setSync(bool on) { m_sync = on; }

    // For tests: called before each step.
    void setFaultHook(FaultHook hook) { m_hook = std::move(hook); }

    // Finishes (or clears away) a save that was interrupted. Returns false
    // with a French message when files could not be put right.
    static bool recover(const QString &journalPath, QString *error = nullptr);

    static QString tempPath(const QString &path) { return path + QStringLiteral(".tmp"); }
    static QString backupPath(const QString &path) { return path + QStringLiteral(".bak"); }
    static QString newBackupPath(const QString &path) { return path + QStringLiteral(".bak.new"); }

    // A system error as the person should read it ("Disque plein").
    static QString systemMessage(int error);

private:
    struct Entry
    {
        QString path;
        Producer produce;
    };
    Fault fault(Step step, const QString &path);
    bool fail(const QString &path, int error);
    bool writeTemp(const Entry &e);
    void removeTemps();

    QString m_journal;
    std::vector<Entry> m_entries;
    QString m_error;
    FaultHook m_hook;
    bool m_died = false;
    bool m_sync = true;
};
