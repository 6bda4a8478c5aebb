#pragma once

#include "passes.h"
#include "record_table.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <functional>

// The seven tables of a hotel, in the order they are read and written.
enum class Table { Clients, Rooms, Invoices, MainCourante, Articles, Suppliers, Orders };
constexpr int kTableCount = 7;
constexpr std::array<Table, 7> kAllTables = {Table::Clients,  Table::Rooms,     Table::Invoices,
                                             Table::MainCourante, Table::Articles, Table::Suppliers,
                                             Table::Orders};
// The block tables, in the order they are verified.
constexpr std::array<Table, 6> kBlockTables = {Table::Clients,  Table::Rooms,     Table::Invoices,
                                               Table::Articles, Table::Suppliers, Table::Orders};

struct TableInfo
{
    const char *extension; // "htl", ...
    int markerWidth;       // 0: no blocks
    const char *name;      // French, for messages: "clients", ...
};
const TableInfo &tableInfo(Table t);

// What the pages of the record window do when the file set asks them. The
// store knows no page: the record window installs its own hooks.
class PageHooks
{
public:
    virtual ~PageHooks() = default;
    // Writes back the client, room, day, invoice and article cards whose
    // modified flag is set (before a save).
    virtual void commitPages() {}
    // Prepares the main courante day and draws the planning after an open.
    virtual void afterOpen() {}
};

// A hotel file set in memory: the seven tables, their counts and current
// positions, the dirty flags and the file names.
class FileSet
{
public:
    FileSet();

    RecordTable &table(Table t) { return m_tables[std::size_t(t)]; }
    const RecordTable &table(Table t) const { return m_tables[std::size_t(t)]; }

    int count(Table t) const { return m_counts[std::size_t(t)]; }
    void setCount(Table t, int n) { m_counts[std::size_t(t)] = n; }
    int position(Table t) const { return m_positions[std::size_t(t)]; }
    void setPosition(Table t, int p) { m_positions[std::size_t(t)] = p; }

    bool isDirty() const { return m_dirty; }
    void SetSauve() { m_dirty = true; }
    bool pageModified(Table t) const { return m_modified[std::size_t(t)]; }
    void setPageModified(Table t, bool on) { m_modified[std::size_t(t)] = on; }

    // Current day of the main courante and first day shown by the planning.
    QDate currentDay;
    QDate planningStart;

    void setHooks(PageHooks *hooks) { m_hooks = hooks ? hooks : &m_noHooks; }

    // File names: the client file's full path and the six derived ones.
    // Empty while the set is untitled.
    QString fileName(Table t) const { return m_names[std::size_t(t)]; }
    QString clientFile() const { return fileName(Table::Clients); }
    // The client file's name without its folder.
    QString caption() const { return m_caption; }

    // The six other names of a client file: its last three characters
    // replaced by each table's extension. An existing file whose name
    // differs only in letter case is used under the name it has.
    static std::array<QString, 7> Synchro(const QString &clientFile);

    // Opens the set whose client file is at `path` (or, failing that, of
    // the same name in `currentDir`). Every table is emptied before its
    // file is read; the files are all read before any table changes, so a
    // read error leaves the open set as it was. The repair passes run on
    // every block table. Returns false with a French message on a read
    // error, for a client file that is not a hotel file, and when a save
    // that was interrupted cannot be finished. Such a save is finished only
    // with `lockHeld`: without the set's lock, its journal is not touched.
    bool Charge(const QString &path, const QString &currentDir, bool lockHeld = true);

    // Charge in two steps, so that the window stays alive while a large set
    // is read: read() reads, splits and repairs the tables apart from any
    // open set (on any thread; `progress`, when given, counts its
    // kOpenSteps steps), and adopt() makes them the open set in one go
    // (false, with the error message, when the read failed: the open set
    // then stays as it was).
    //
    // A large set shows its planning sooner when it is read in two parts:
    // read() with `firstPart` reads only the tables the planning and the
    // client cards are drawn from (kFirstTables), and readRest() the others
    // once adopt() has made the first part the open set. Until adoptRest()
    // hands them over the set is incomplete: the tables to come are empty,
    // and it cannot be saved. Every repair works on one table, so each runs
    // as its table is read, before anything can write to it. Only the
    // holder of the set's lock reads in two parts: between the parts no
    // other program writes the set.
    struct Opened
    {
        bool ok = false;
        QString error;
        QStringList messages;
        std::array<RecordTable, 7> tables;
        std::array<int, 7> counts{};
        std::array<passes::Report, 7> reports;
        std::array<QString, 7> names;
        bool dirty = false;
        std::array<bool, 7> holds{}; // the tables this read carries
        quint64 openId = 0;          // readRest: the open it completes
    };
    static constexpr int kOpenSteps = 1 + 7 + 6;
    static constexpr std::array<Table, 2> kFirstTables = {Table::Clients, Table::Rooms};
    static Opened read(const QString &path, const QString &currentDir, bool lockHeld,
                       std::atomic<int> *progress = nullptr, bool firstPart = false);
    bool adopt(Opened &&opened);
    // The tables a first part left, read for the set open now; null when
    // the set is complete.
    using ReadRest = std::function<Opened(std::atomic<int> *progress)>;
    ReadRest restReader() const;
    // Hands the rest over. On a read error the set is closed (emptied and
    // untitled, as Nouveau leaves it) and false returned with the message: a
    // set without some of its tables is never left open. A rest read for
    // another open (the set was closed or replaced meanwhile) is dropped.
    bool adoptRest(Opened &&rest);
    // No table is still to come.
    bool complete() const { return !m_arriving; }

    // Commits the open cards and, when anything changed, compacts the block
    // tables and writes the seven files all or nothing. Returns false with a
    // French message when the files could not be written: nothing on disk
    // is replaced and the set stays dirty.
    bool Sauve(const QString &path);

    // Empties the seven tables and forgets the file names.
    void Nouveau();

    // Commits the open cards; returns whether the set differs from disk.
    bool TestModif();

    // Writes the card shown at the table's current position: its block is
    // replaced (where it stood, or at the end of the table), the set becomes
    // dirty, and a new card standing one past the last block is counted now
    // that it has one.
    void writeCurrent(Table t, const QList<QByteArray> &lines, bool keepPlace);

    // The table side of deleting the current card: its block goes, the
    // blocks above it are renumbered and the position stays in range. The
    // caller then reads the card at the new position.
    void deleteCurrent(Table t);

    // What the last Charge or Sauve has to tell the user (repairs made,
    // errors), one message per entry, lines separated by CR LF.
    QStringList messages() const { return m_messages; }
    QString errorMessage() const { return m_error; }
    // What the passes of the last open did, per table.
    const passes::Report &openReport(Table t) const { return m_reports[std::size_t(t)]; }
    // What compaction dropped at the last save, per table.
    const passes::Report &saveReport(Table t) const { return m_saveReports[std::size_t(t)]; }

    // The journal of an interrupted save of this client file.
    static QString journalPath(const QString &clientFile);
    // Largest file a table can hold.
    static constexpr qint64 kMaxFileSize = qint64(1) << 30;

    // For tests: the seam that makes a step of the next saves fail.
    void setSaveFaultHook(SafeSave::FaultHook hook) { m_saveFault = std::move(hook); }
    // Forcing files to disk can be turned off for benchmarks comparing the
    // save with plain writes.
    void setSyncToDisk(bool on) { m_sync = on; }

private:

    std::array<RecordTable, 7> m_tables;
    std::array<int, 7> m_counts{};
    std::array<int, 7> m_positions{};
    std::array<bool, 7> m_modified{};
    std::array<QString, 7> m_names;
    std::array<passes::Report, 7> m_reports;
    std::array<passes::Report, 7> m_saveReports;
    QString m_caption;
    bool m_dirty = false;
    std::array<bool, 7> m_toCome{}; // tables a first part left
    bool m_arriving = false;
    quint64 m_openId = 0; // changes at every open and Nouveau
    PageHooks m_noHooks;
    PageHooks *m_hooks = &m_noHooks;
    QStringList m_messages;
    QString m_error;
    SafeSave::FaultHook m_saveFault;
    bool m_sync = true;
};
