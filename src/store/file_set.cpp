#include "file_set.h"

#include "file_names.h"
#include "set_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr std::array<TableInfo, 7> kInfo = {{
    {"htl", 5, "clients"},
    {"chb", 5, "chambres"},
    {"fct", 5, "factures"},
    {"mnc", 0, "main courante"},
    {"stk", 4, "articles"},
    {"frs", 4, "fournisseurs"},
    {"cmd", 4, "commandes"},
}};

const QString kCheckData = QStringLiteral("Vérifiez s'il n'y a pas eu perte de données");

// The nearest Sunday on or before a day.
QDate sundayOnOrBefore(QDate d)
{
    for (int i = 0; i < 7 && d.dayOfWeek() != Qt::Sunday; ++i)
        d = d.addDays(-1);
    return d;
}

// An existing file at `path`, looked up without regard to letter case.
QString existingNoCase(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QFileInfo info(path);
    return findFileNoCase(info.absolutePath(), info.fileName());
}

// Whether a client file may be opened: empty (or blank) files are empty
// hotels; anything else must hold at least one block marker.
bool isHotelFile(QByteArrayView bytes)
{
    for (const char *marker : {"<BLOC", "</BLOC"}) {
        if (bytes.startsWith(marker))
            return true;
        for (char end : {'\n', '\r'})
            if (bytes.indexOf(QByteArray(1, end) + marker) >= 0)
                return true;
    }
    return bytes.trimmed().isEmpty();
}

} // namespace

const TableInfo &tableInfo(Table t)
{
    return kInfo[std::size_t(t)];
}

FileSet::FileSet()
    : currentDay(QDate::currentDate()), planningStart(sundayOnOrBefore(QDate::currentDate())),
      m_tables{RecordTable(5), RecordTable(5), RecordTable(5), RecordTable(0),
               RecordTable(4), RecordTable(4), RecordTable(4)}
{}

std::array<QString, 7> FileSet::Synchro(const QString &clientFile)
{
    std::array<QString, 7> names;
    const QString stem = clientFile.left(std::max<qsizetype>(0, clientFile.size() - 3));
    for (Table t : kAllTables) {
        const QString derived = t == Table::Clients
                                    ? clientFile
                                    : stem + QLatin1String(tableInfo(t).extension);
        const QString existing = existingNoCase(derived);
        names[std::size_t(t)] = existing.isEmpty() ? derived : existing;
    }
    return names;
}

QString FileSet::journalPath(const QString &clientFile)
{
    return clientFile + QStringLiteral(".journal");
}

namespace {

void step(std::atomic<int> *progress)
{
    if (progress)
        ++*progress;
}

// Makes tables of the files read: a table whose file is missing is emptied,
// never kept from the set that was open before; the repair counts the
// blocks of every block table.
void makeTables(FileSet::Opened &o, SetFiles &files, const std::array<bool, 7> &wanted,
                std::atomic<int> *progress)
{
    for (Table t : kAllTables) {
        if (!wanted[std::size_t(t)])
            continue;
        RecordTable &table = o.tables[std::size_t(t)];
        table = RecordTable(tableInfo(t).markerWidth);
        if (files.present[std::size_t(t)])
            table.setBytes(std::move(files.bytes[std::size_t(t)]),
                           std::move(files.mapped[std::size_t(t)]));
        o.holds[std::size_t(t)] = true;
        step(progress);
    }
    for (Table t : kBlockTables) {
        if (!wanted[std::size_t(t)])
            continue;
        passes::Report &report = o.reports[std::size_t(t)];
        int &count = o.counts[std::size_t(t)];
        if (passes::repair(o.tables[std::size_t(t)], count, &report)) {
            o.dirty = true;
            o.messages << QStringLiteral("Des fichiers ont été altérés (%1 : %2)\r\n")
                                  .arg(QLatin1String(tableInfo(t).name), report.describe())
                              + kCheckData;
        }
        step(progress);
    }
}

} // namespace

FileSet::Opened FileSet::read(const QString &path, const QString &currentDir, bool lockHeld,
                              std::atomic<int> *progress, bool firstPart)
{
    Opened o;
    std::array<bool, 7> wanted = kEveryTable;
    if (firstPart && lockHeld) {
        wanted.fill(false);
        for (Table t : kFirstTables)
            wanted[std::size_t(t)] = true;
    }
    // Read every file wanted before touching a table.
    SetFiles files;
    files.mayMap = true;
    if (!readSetFiles(path, currentDir, lockHeld, files, &o.error, wanted))
        return o;
    step(progress);
    const QString &client = files.names[0];

    // Lines but not one marker: not a hotel file. Opening it as an empty
    // hotel would let the next save write over it.
    if (!isHotelFile(files.bytes[std::size_t(Table::Clients)])) {
        o.error = QStringLiteral("Le fichier %1 n'est pas un fichier hôtel Carvelle")
                      .arg(QFileInfo(client).fileName());
        return o;
    }

    o.names = files.names;
    makeTables(o, files, wanted, progress);
    o.ok = true;
    return o;
}

FileSet::ReadRest FileSet::restReader() const
{
    if (!m_arriving)
        return nullptr;
    return [names = m_names, wanted = m_toCome, id = m_openId](std::atomic<int> *progress) {
        Opened o;
        o.openId = id;
        SetFiles files;
        files.names = names;
        files.mayMap = true;
        if (!readMoreFiles(files, wanted, &o.error))
            return o;
        step(progress);
        makeTables(o, files, wanted, progress);
        o.ok = true;
        return o;
    };
}

bool FileSet::adoptRest(Opened &&o)
{
    m_messages.clear();
    m_error.clear();
    if (!m_arriving || o.openId != m_openId)
        return false;
    m_error = std::move(o.error);
    if (!o.ok) {
        Nouveau();
        return false;
    }
    m_messages = std::move(o.messages);
    for (Table t : kAllTables) {
        if (!o.holds[std::size_t(t)] || !m_toCome[std::size_t(t)])
            continue;
        m_tables[std::size_t(t)] = std::move(o.tables[std::size_t(t)]);
        m_counts[std::size_t(t)] = o.counts[std::size_t(t)];
        m_reports[std::size_t(t)] = o.reports[std::size_t(t)];
        m_positions[std::size_t(t)] = 0;
        m_toCome[std::size_t(t)] = false;
    }
    m_dirty = m_dirty || o.dirty;
    m_arriving = false;
    m_hooks->afterOpen();
    return true;
}

bool FileSet::adopt(Opened &&o)
{
    m_messages = std::move(o.messages);
    m_error = std::move(o.error);
    if (!o.ok)
        return false;
    m_tables = std::move(o.tables);
    ++m_openId;
    for (Table t : kAllTables)
        m_toCome[std::size_t(t)] = !o.holds[std::size_t(t)];
    m_arriving = std::find(m_toCome.begin(), m_toCome.end(), true) != m_toCome.end();
    m_names = std::move(o.names);
    m_caption = QFileInfo(m_names[0]).fileName();
    m_counts = o.counts;
    m_reports = std::move(o.reports);
    m_dirty = o.dirty;
    m_positions.fill(0);
    m_modified.fill(false);
    // The main courante prepares its day once its table is there.
    if (!m_arriving)
        m_hooks->afterOpen();
    return true;
}

bool FileSet::Charge(const QString &path, const QString &currentDir, bool lockHeld)
{
    return adopt(read(path, currentDir, lockHeld));
}

bool FileSet::TestModif()
{
    m_hooks->commitPages();
    return m_dirty;
}

bool FileSet::Sauve(const QString &path)
{
    m_messages.clear();
    m_error.clear();
    if (m_arriving) {
        m_error =
            QStringLiteral("L'hôtel n'est pas encore entièrement lu : réessayez dans un instant");
        return false;
    }
    if (!TestModif())
        return true;

    for (Table t : kBlockTables) {
        m_saveReports[std::size_t(t)] = {};
        m_saveReports[std::size_t(t)].leadingLinesDropped = passes::squeeze(table(t));
    }

    const std::array<QString, 7> names = Synchro(path);
    SafeSave save(journalPath(names[0]));
    save.setFaultHook(m_saveFault);
    save.setSync(m_sync);
    for (Table t : kAllTables) {
        const RecordTable *tbl = &table(t);
        save.add(names[std::size_t(t)], [tbl](SafeSave::Sink &sink) { tbl->writeTo(sink); });
    }
    if (!save.commit()) {
        m_error = save.errorMessage();
        return false;
    }

    m_names = names;
    m_caption = QFileInfo(names[0]).fileName();
    m_dirty = false;
    for (Table t : {Table::Clients, Table::Invoices, Table::Articles, Table::Suppliers})
        m_modified[std::size_t(t)] = false;
    return true;
}

void FileSet::Nouveau()
{
    for (RecordTable &t : m_tables)
        t.clear();
    ++m_openId;
    m_toCome.fill(false);
    m_arriving = false;
    m_counts.fill(0);
    m_positions.fill(0);
    m_dirty = false;
    for (Table t : kBlockTables)
        m_modified[std::size_t(t)] = false;
    for (QString &n : m_names)
        n.clear();
    m_caption.clear();
}

void FileSet::writeCurrent(Table t, const QList<QByteArray> &lines, bool keepPlace)
{
    const int pos = position(t);
    m_dirty = true;
    table(t).writeBlock(pos, lines, keepPlace);
    if (count(t) <= pos)
        setCount(t, pos + 1);
}

void FileSet::deleteCurrent(Table t)
{
    RecordTable &tbl = table(t);
    int &count = m_counts[std::size_t(t)];
    int &pos = m_positions[std::size_t(t)];
    if (pos >= count) {
        // A new card that was never written: there is nothing to delete.
        pos = std::max(count - 1, 0);
        return;
    }
    passes::deleteBlock(tbl, pos);
    m_dirty = true;
    passes::renumber(tbl, count, pos);
    if (pos > count - 1)
        pos = std::max(count - 1, 0);
}
