#include "store/file_set.h"
#include "store/set_files.h"
#include "table_helpers.h"
#include "tool_run.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

SetBytes soundSet(const QString &tag = "v1")
{
    return {
        crlf(oneLineBlocks({"DUPONT Jean " + tag, "MARTIN Zo\xEB"})),
        crlf(oneLineBlocks({"   12"})),
        crlf(oneLineBlocks({"2026120001"})),
        crlf({"20261201\t   12\tPetit d\xE9jeuner\t9,50"}),
        crlf(blockLines(0, {"Caf\xE9"}, 4)),
        crlf(blockLines(0, {"Brasserie"}, 4)),
        crlf(blockLines(0, {"Commande " + tag}, 4)),
    };
}

// Opens the v1 set written in `folder` and puts v2 in two of its tables,
// ready to be saved.
void openWithV2(FileSet &set, const QString &folder)
{
    writeSetFiles(folder, "LION", soundSet("v1"));
    ASSERT_TRUE(set.Charge(folder + "/LION.htl", folder));
    set.table(Table::Clients).setLine(1, "DUPONT Jean v2");
    set.table(Table::Orders).setLine(1, "Commande v2");
    set.SetSauve();
}

// `fault` at every step of one kind.
SafeSave::FaultHook faultAt(SafeSave::Step at, SafeSave::Fault fault)
{
    return [=](SafeSave::Step step, const QString &) { return step == at ? fault : SafeSave::Fault::None; };
}

class Hooks : public PageHooks
{
public:
    int commits = 0, opens = 0;
    void commitPages() override { ++commits; }
    void afterOpen() override { ++opens; }
};

} // namespace

// Opened then saved unchanged, a set changes no byte. A client file found
// nowhere, or one that is not a hotel file, leaves the open set as it was;
// a client file not where it was named is found in the current directory;
// an empty or blank file is an empty hotel.
TEST(FileSet, OpenThenSaveChangesNoByteAndAFailedOpenLeavesTheSetAlone)
{
    QTemporaryDir dir;
    writeSetFiles(dir.path(), "LION", soundSet());
    FileSet set;
    Hooks hooks;
    set.setHooks(&hooks);
    ASSERT_TRUE(set.Charge("/nowhere/LION.htl", dir.path()));
    EXPECT_EQ(set.clientFile(), dir.filePath("LION.htl"));
    EXPECT_EQ(hooks.opens, 1);
    EXPECT_EQ(set.count(Table::Articles), 1);
    EXPECT_FALSE(set.isDirty());

    // Nothing changed: nothing is written, not even under another name.
    ASSERT_TRUE(set.Sauve(dir.filePath("AUTRE.htl")));
    EXPECT_EQ(hooks.commits, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("AUTRE.htl")));

    set.SetSauve();
    ASSERT_TRUE(set.Sauve(dir.filePath("LION.htl")));
    EXPECT_EQ(readSetFiles(dir.path(), "LION"), soundSet());
    EXPECT_FALSE(set.isDirty());
    // The previous version stays as a backup; no temporary file is left.
    EXPECT_EQ(readFile(dir.filePath("LION.htl.bak")), soundSet()[0]);
    EXPECT_FALSE(QFile::exists(dir.filePath("LION.htl.tmp")));
    EXPECT_FALSE(QFile::exists(FileSet::journalPath(dir.filePath("LION.htl"))));

    writeFile(dir.filePath("NOTES.htl"), "Liste des courses\r\npain\r\n");
    const struct
    {
        QString path, message;
    } refused[] = {
        {"/nowhere/TIGRE.htl", "Le fichier n'existe pas"},
        {dir.filePath("NOTES.htl"), "Le fichier NOTES.htl n'est pas un fichier hôtel Carvelle"},
    };
    for (const auto &r : refused) {
        SCOPED_TRACE(qPrintable(r.path));
        EXPECT_FALSE(set.Charge(r.path, dir.path()));
        EXPECT_EQ(set.errorMessage(), r.message);
        EXPECT_EQ(set.clientFile(), dir.filePath("LION.htl"));
        EXPECT_EQ(set.count(Table::Clients), 2);
    }
    writeFile(dir.filePath("VIDE.htl"), "\r\n  \r\n");
    EXPECT_TRUE(set.Charge(dir.filePath("VIDE.htl"), dir.path()));
    EXPECT_EQ(set.count(Table::Clients), 0);
}

// A set file rewritten or cut short in place by another program while the
// set is open: the tables keep the lines they read, and a save writes them
// back whole. Where the files are mapped, the writer is held back until the
// program has copied them; a zero byte still follows the last byte.
TEST(FileSet, AFileRewrittenInPlaceWhileOpenLeavesTheTablesAsRead)
{
    QTemporaryDir dir;
    writeSetFiles(dir.path(), "LION", soundSet());
    const QString page = dir.filePath("page.htl");
    writeFile(page, QByteArray(4096, 'x'));
    const auto mapped = MappedFile::map(page);
    if (mapped) {
        EXPECT_TRUE(mapped->isShared());
        writeFile(page, "y");
        EXPECT_FALSE(mapped->isShared());
        EXPECT_EQ(mapped->bytes(), QByteArray(4096, 'x'));
        EXPECT_EQ(mapped->bytes().constData()[4096], '\0');
    }

    FileSet set;
    ASSERT_TRUE(set.Charge(dir.filePath("LION.htl"), dir.path()));
    const QStringList clients = linesOf(set.table(Table::Clients));
    const QStringList rooms = linesOf(set.table(Table::Rooms));
    writeFile(dir.filePath("LION.htl"), "<BLOC00000>\r\nAUTRE\r\n");
    ASSERT_EQ(::truncate(QFile::encodeName(dir.filePath("LION.chb")).constData(), 0), 0);
    EXPECT_EQ(linesOf(set.table(Table::Clients)), clients);
    EXPECT_EQ(linesOf(set.table(Table::Rooms)), rooms);
    set.SetSauve();
    ASSERT_TRUE(set.Sauve(dir.filePath("LION.htl")));
    EXPECT_EQ(readSetFiles(dir.path(), "LION"), soundSet());
}

TEST(FileSet, NamesIgnoreLetterCase)
{
    QTemporaryDir dir;
    const auto files = soundSet();
    writeFile(dir.filePath("LION.HTL"), files[0]);
    writeFile(dir.filePath("LION.FCT"), files[2]);
    writeFile(dir.filePath("lion.Chb"), files[1]);
    FileSet set;
    ASSERT_TRUE(set.Charge(dir.filePath("lion.htl"), dir.path()));
    EXPECT_EQ(set.count(Table::Invoices), 1);
    EXPECT_EQ(set.count(Table::Rooms), 1);
    set.SetSauve();
    ASSERT_TRUE(set.Sauve(set.clientFile()));
    // Files that did not exist get the lower-case extension.
    QStringList names = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    names.removeIf([](const QString &n) { return n.endsWith(".bak"); });
    EXPECT_EQ(names, QStringList({"LION.FCT", "LION.HTL", "LION.cmd", "LION.frs", "LION.mnc",
                                  "LION.stk", "lion.Chb"}));
}

TEST(FileSet, MissingFileEmptiesItsTable)
{
    QTemporaryDir dir;
    writeSetFiles(dir.path(), "LION", soundSet());
    QDir(dir.path()).mkdir("b");
    writeFile(dir.filePath("b/TIGRE.htl"), crlf(oneLineBlocks({"Tigre"})));
    FileSet set;
    ASSERT_TRUE(set.Charge(dir.filePath("LION.htl"), dir.path()));
    ASSERT_TRUE(set.Charge(dir.filePath("b/TIGRE.htl"), dir.path()));
    for (Table t : kAllTables)
        EXPECT_EQ(set.table(t).isEmpty(), t != Table::Clients) << tableInfo(t).extension;
    EXPECT_EQ(set.count(Table::Rooms), 0);

    // So the next save cannot write one hotel's rooms into another's files.
    set.SetSauve();
    ASSERT_TRUE(set.Sauve(set.clientFile()));
    EXPECT_EQ(readFile(dir.filePath("b/TIGRE.chb")), "");
    EXPECT_EQ(readSetFiles(dir.path(), "LION"), soundSet());
}

// Read in two parts (the planning's tables first), a set is the set read at
// once, repairs included; nothing saves it until the rest is there, a rest
// read for a set since replaced is dropped, and one that cannot be read
// closes the set rather than leave it without some of its tables.
TEST(FileSet, ASetReadInTwoPartsIsTheSetReadAtOnce)
{
    QTemporaryDir dir;
    auto files = soundSet();
    files[2] = crlf({"<BLOC00000>", "x", "<BLOC00001>", "y", "</BLOC00001>"});
    writeSetFiles(dir.path(), "LION", files);
    const QString lion = dir.filePath("LION.htl");
    FileSet whole, parts;
    Hooks hooks;
    parts.setHooks(&hooks);
    ASSERT_TRUE(whole.Charge(lion, dir.path()));
    ASSERT_TRUE(parts.adopt(FileSet::read(lion, dir.path(), true, nullptr, true)));
    EXPECT_FALSE(parts.complete());
    EXPECT_EQ(hooks.opens, 0);
    EXPECT_EQ(parts.count(Table::Clients), 2);
    EXPECT_TRUE(parts.table(Table::Invoices).isEmpty());
    parts.SetSauve();
    EXPECT_FALSE(parts.Sauve(lion));
    EXPECT_EQ(readFile(dir.filePath("LION.fct")), files[2]);
    ASSERT_TRUE(parts.adoptRest(parts.restReader()(nullptr)));
    EXPECT_TRUE(parts.complete() && parts.isDirty());
    EXPECT_EQ(hooks.opens, 1);
    EXPECT_EQ(parts.messages(), whole.messages());
    for (Table t : kAllTables) {
        EXPECT_EQ(parts.table(t).toBytes(), whole.table(t).toBytes());
        EXPECT_EQ(parts.count(t), whole.count(t));
    }

    ASSERT_TRUE(parts.adopt(FileSet::read(lion, dir.path(), true, nullptr, true)));
    const FileSet::ReadRest stale = parts.restReader();
    ASSERT_TRUE(parts.adopt(FileSet::read(lion, dir.path(), true, nullptr, true)));
    EXPECT_FALSE(parts.adoptRest(stale(nullptr)));
    EXPECT_FALSE(parts.complete());
    QFile::remove(dir.filePath("LION.fct"));
    QDir(dir.path()).mkdir("LION.fct");
    EXPECT_FALSE(parts.adoptRest(parts.restReader()(nullptr)));
    EXPECT_TRUE(parts.complete() && parts.clientFile().isEmpty());
    EXPECT_TRUE(parts.table(Table::Clients).isEmpty());
    EXPECT_TRUE(parts.errorMessage().startsWith("Impossible de lire le fichier"));
}

// Every write, flush, backup, journal and rename of a save fails in turn: the
// files on disk are the old set, never a mixture, and the set stays dirty.
TEST(SafeSaving, AFailureAnywhereKeepsTheOldSet)
{
    for (int failAt = 0;; ++failAt) {
        QTemporaryDir dir;
        FileSet set;
        openWithV2(set, dir.path());
        int step = 0;
        set.setSaveFaultHook([&](SafeSave::Step, const QString &) {
            return step++ == failAt ? SafeSave::Fault::Fail : SafeSave::Fault::None;
        });
        if (set.Sauve(set.clientFile())) {
            EXPECT_GT(failAt, 20); // every step has been made to fail
            EXPECT_EQ(readSetFiles(dir.path(), "LION"), soundSet("v2"));
            break;
        }
        SCOPED_TRACE(failAt);
        EXPECT_EQ(readSetFiles(dir.path(), "LION"), soundSet("v1"));
        EXPECT_TRUE(set.isDirty());
        EXPECT_TRUE(set.errorMessage().startsWith("Impossible d'enregistrer le fichier "));
        EXPECT_FALSE(QFile::exists(FileSet::journalPath(dir.filePath("LION.htl"))));
        // The next save goes through.
        set.setSaveFaultHook({});
        ASSERT_TRUE(set.Sauve(set.clientFile()));
        EXPECT_EQ(readSetFiles(dir.path(), "LION"), soundSet("v2"));
    }
}

// The program dies at every step in turn; the next open finds either the
// whole old set or the whole new one.
TEST(SafeSaving, AnInterruptedSaveIsFinishedAtTheNextOpen)
{
    int sawOld = 0, sawNew = 0;
    for (int dieAt = 0;; ++dieAt) {
        QTemporaryDir dir;
        bool died = false;
        {
            FileSet set;
            openWithV2(set, dir.path());
            int step = 0;
            set.setSaveFaultHook([&](SafeSave::Step, const QString &) {
                died = died || step == dieAt;
                return step++ == dieAt ? SafeSave::Fault::Die : SafeSave::Fault::None;
            });
            set.Sauve(set.clientFile());
        }
        if (!died)
            break;
        SCOPED_TRACE(dieAt);
        FileSet reopened;
        ASSERT_TRUE(reopened.Charge(dir.filePath("LION.htl"), dir.path()));
        const auto onDisk = readSetFiles(dir.path(), "LION");
        EXPECT_TRUE(onDisk == soundSet("v1") || onDisk == soundSet("v2"));
        (onDisk == soundSet("v1") ? sawOld : sawNew)++;
        EXPECT_EQ(reopened.table(Table::Orders).text(1), QString::fromLatin1(onDisk[6].split('\r')[1].mid(1)));
        EXPECT_FALSE(QFile::exists(FileSet::journalPath(dir.filePath("LION.htl"))));
    }
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

// A real write error from the system: the file size limit stands in for a
// full disk.
TEST(SafeSaving, NoSpaceLeftKeepsTheOldSet)
{
    QTemporaryDir dir;
    writeSetFiles(dir.path(), "LION", soundSet("v1"));
    FileSet set;
    ASSERT_TRUE(set.Charge(dir.filePath("LION.htl"), dir.path()));
    set.table(Table::MainCourante).append(QByteArray(200000, 'x'));
    set.SetSauve();

    {
        // The save itself keeps the limit from ending the program.
        SmallDisk disk(100000);
        EXPECT_FALSE(set.Sauve(set.clientFile()));
    }
    EXPECT_TRUE(set.errorMessage().contains("LION.mnc")) << qPrintable(set.errorMessage());
    EXPECT_TRUE(set.errorMessage().endsWith(": Disque plein (taille maximale d'un fichier atteinte)"));
    EXPECT_EQ(readSetFiles(dir.path(), "LION"), soundSet("v1"));
    EXPECT_FALSE(QFile::exists(dir.filePath("LION.htl.tmp")));
    EXPECT_TRUE(set.isDirty());
}

namespace {

// Saves v2 over v1, the program dying at the first rename: the journal is
// on disk and the files are still the old ones.
void dieDuringTheRenames(const QString &folder)
{
    FileSet set;
    openWithV2(set, folder);
    set.setSaveFaultHook(faultAt(SafeSave::Step::Rename, SafeSave::Fault::Die));
    set.Sauve(set.clientFile());
    ASSERT_TRUE(QFile::exists(FileSet::journalPath(folder + "/LION.htl")));
}

} // namespace

TEST(SafeSaving, AJournalIsFinishedAfterItsFolderWasRenamed)
{
    QTemporaryDir dir;
    const QString before = dir.filePath("Hôtel\tdu\nPort");
    ASSERT_TRUE(QDir().mkdir(before));
    dieDuringTheRenames(before);
    const QString after = dir.filePath("Archives 2026");
    ASSERT_TRUE(QDir().rename(before, after));
    FileSet set;
    ASSERT_TRUE(set.Charge(after + "/LION.htl", after)) << qPrintable(set.errorMessage());
    EXPECT_EQ(readSetFiles(after, "LION"), soundSet("v2"));
    EXPECT_EQ(readFile(after + "/LION.cmd.bak"), soundSet("v1")[6]);
    EXPECT_FALSE(QFile::exists(FileSet::journalPath(after + "/LION.htl")));
}

TEST(SafeSaving, OnlyTheHolderOfTheLockFinishesAJournal)
{
    QTemporaryDir dir;
    dieDuringTheRenames(dir.path());
    const QString journal = FileSet::journalPath(dir.filePath("LION.htl"));
    // Another program holds the set: neither an open nor a check touches
    // its journal, and neither reads a set that is half old, half new.
    FileSet reader;
    EXPECT_FALSE(reader.Charge(dir.filePath("LION.htl"), dir.path(), false));
    EXPECT_EQ(reader.errorMessage(),
              "Un enregistrement est en cours ou a été interrompu ; réessayez");
    EXPECT_TRUE(QFile::exists(journal));
    {
        QLockFile held(dir.filePath("LION.htl.lck"));
        ASSERT_TRUE(held.tryLock(0));
        QString out;
        EXPECT_EQ(runTool(dir.path(), {"check", dir.filePath("LION.htl")}, &out), 2);
        EXPECT_TRUE(QFile::exists(journal));
        EXPECT_EQ(readSetFiles(dir.path(), "LION"), soundSet("v1"));
    }
    // The holder of the lock finishes it.
    FileSet owner;
    ASSERT_TRUE(owner.Charge(dir.filePath("LION.htl"), dir.path(), true));
    EXPECT_FALSE(QFile::exists(journal));
    EXPECT_EQ(readSetFiles(dir.path(), "LION"), soundSet("v2"));

    // A journal that cannot be finished (a folder now stands where a file
    // was) opens nothing.
    dieDuringTheRenames(dir.path());
    ASSERT_TRUE(QFile::remove(dir.filePath("LION.frs")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("LION.frs/dossier")));
    FileSet blocked;
    EXPECT_FALSE(blocked.Charge(dir.filePath("LION.htl"), dir.path()));
    EXPECT_TRUE(blocked.errorMessage().startsWith("L'enregistrement interrompu n'a pas pu être terminé pour"))
        << qPrintable(blocked.errorMessage());
    EXPECT_TRUE(blocked.clientFile().isEmpty());
    EXPECT_TRUE(QFile::exists(journal));
}

// A save killed after two of its renames: two tables new, five old. A
// reading command with nobody holding the set finishes the save first and
// reads the new set whole; with a holder it reads nothing.
TEST(SafeSaving, ReadingCommandsNeverReadHalfASave)
{
    QTemporaryDir dir;
    FileSet set;
    openWithV2(set, dir.path());
    int renames = 0;
    set.setSaveFaultHook([&](SafeSave::Step step, const QString &) {
        return step == SafeSave::Step::Rename && ++renames == 3 ? SafeSave::Fault::Die
                                                                : SafeSave::Fault::None;
    });
    set.Sauve(set.clientFile());
    const QString journal = FileSet::journalPath(dir.filePath("LION.htl"));
    ASSERT_TRUE(QFile::exists(journal));
    ASSERT_TRUE(readFile(dir.filePath("LION.htl")).contains("v2"));
    ASSERT_TRUE(readFile(dir.filePath("LION.cmd")).contains("v1"));

    for (const char *command : {"invoices", "check"}) {
        SCOPED_TRACE(command);
        QLockFile held(dir.filePath("LION.htl.lck"));
        ASSERT_TRUE(held.tryLock(0));
        QString err;
        EXPECT_EQ(runTool(dir.path(), {command, dir.filePath("LION.htl")}, &err), 2);
        EXPECT_TRUE(err.contains("Un enregistrement est en cours ou a été interrompu"));
        EXPECT_TRUE(QFile::exists(journal));
    }
    QString err;
    EXPECT_EQ(runTool(dir.path(), {"invoices", dir.filePath("LION.htl")}, &err), 0)
        << qPrintable(err);
    EXPECT_FALSE(QFile::exists(journal));
    EXPECT_TRUE(readFile(dir.filePath("LION.cmd")).contains("v2"));
    EXPECT_FALSE(QFile::exists(dir.filePath("LION.htl.lck")));
}

TEST(SafeSaving, AFailedJournalKeepsThePreviousBackups)
{
    QTemporaryDir dir;
    FileSet set;
    openWithV2(set, dir.path());
    ASSERT_TRUE(set.Sauve(set.clientFile()));
    ASSERT_EQ(readFile(dir.filePath("LION.htl.bak")), soundSet("v1")[0]);
    set.table(Table::Clients).setLine(1, "DUPONT Jean v3");
    set.SetSauve();
    set.setSaveFaultHook(faultAt(SafeSave::Step::Journal, SafeSave::Fault::Fail));
    EXPECT_FALSE(set.Sauve(set.clientFile()));
    EXPECT_EQ(readFile(dir.filePath("LION.htl.bak")), soundSet("v1")[0]);
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.tmp", "*.new"}, QDir::Files).isEmpty());
}

TEST(SafeSaving, FilesKeepTheirModeAndLinksKeepPointingAtThem)
{
    QTemporaryDir dir;
    const QString real = dir.filePath("donnees");
    const QString set = dir.filePath("hotel");
    ASSERT_TRUE(QDir().mkdir(real) && QDir().mkdir(set));
    writeSetFiles(set, "LION", soundSet("v1"));
    // The invoices live elsewhere, reached through a link.
    ASSERT_TRUE(QFile::rename(set + "/LION.fct", real + "/factures.fct"));
    ASSERT_TRUE(QFile::link(real + "/factures.fct", set + "/LION.fct"));
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(set + "/LION.chb", readOnly));

    FileSet s;
    ASSERT_TRUE(s.Charge(set + "/LION.htl", set));
    s.table(Table::Invoices).setLine(1, "2026120002");
    s.SetSauve();
    ASSERT_TRUE(s.Sauve(s.clientFile())) << qPrintable(s.errorMessage());
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(set + "/LION.chb").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
    EXPECT_TRUE(QFileInfo(set + "/LION.fct").isSymLink());
    EXPECT_TRUE(readFile(real + "/factures.fct").contains("2026120002"));
    EXPECT_EQ(readFile(real + "/factures.fct.bak"), soundSet("v1")[2]);
}

// Twenty years of invoices: six-digit markers survive an open, a deletion
// and a save, and the next open finds nothing to repair.
TEST(FileSet, InvoicesPastTheMarkerWidthAreKeptThroughASave)
{
    QTemporaryDir dir;
    auto files = soundSet();
    QByteArray invoices;
    for (int n = 0; n < 100003; ++n)
        invoices += "<BLOC" + RecordTable::numberText(n, 5) + ">\r\nF" + QByteArray::number(n) + "\r\n</BLOC"
                    + RecordTable::numberText(n, 5) + ">\r\n";
    files[2] = invoices;
    writeSetFiles(dir.path(), "LION", files);
    FileSet set;
    ASSERT_TRUE(set.Charge(dir.filePath("LION.htl"), dir.path()));
    EXPECT_TRUE(set.messages().isEmpty());
    EXPECT_EQ(set.count(Table::Invoices), 100003);
    set.setPosition(Table::Invoices, 10);
    set.deleteCurrent(Table::Invoices);
    ASSERT_TRUE(set.Sauve(set.clientFile()));

    FileSet reopened;
    ASSERT_TRUE(reopened.Charge(dir.filePath("LION.htl"), dir.path()));
    EXPECT_TRUE(reopened.messages().isEmpty()) << qPrintable(reopened.messages().join('|'));
    EXPECT_EQ(reopened.count(Table::Invoices), 100002);
    const RecordTable &t = reopened.table(Table::Invoices);
    EXPECT_EQ(t.block(10)[1], "F11");
    EXPECT_EQ(t.block(99999), QList<QByteArray>({"<BLOC99999>", "F100000", "</BLOC99999>"}));
    EXPECT_EQ(t.block(100001), QList<QByteArray>({"<BLOC100001>", "F100002", "</BLOC100001>"}));
}

// A program reading a set another one saves meanwhile reads it again, so
// that its seven tables are all of one save.
TEST(SafeSaving, AReaderWithoutTheLockNeverSeesHalfASave)
{
    QTemporaryDir dir;
    writeSetFiles(dir.path(), "LION", soundSet("v1"));
    FileSet writer;
    ASSERT_TRUE(writer.Charge(dir.filePath("LION.htl"), dir.path()));

    int version = 1;
    for (Table during : {Table::Clients, Table::Invoices, Table::Suppliers}) {
        SCOPED_TRACE(int(during));
        const QString tag = QString("v%1").arg(++version);
        writer.table(Table::Clients).setLine(1, ("DUPONT Jean " + tag).toLatin1());
        writer.table(Table::Orders).setLine(1, ("Commande " + tag).toLatin1());
        FileSet reader;
        int reads = 0;
        // The other program saves while the reader is between two files.
        setReadHookForTests([&](Table t) {
            if (++reads <= kTableCount && t == during) {
                writer.SetSauve();
                ASSERT_TRUE(writer.Sauve(writer.clientFile()));
            }
        });
        const bool read = reader.Charge(dir.filePath("LION.htl"), dir.path(), false);
        setReadHookForTests({});
        ASSERT_TRUE(read) << qPrintable(reader.errorMessage());
        EXPECT_EQ(reader.table(Table::Clients).text(1), "DUPONT Jean " + tag);
        EXPECT_EQ(reader.table(Table::Orders).text(1), "Commande " + tag);
        EXPECT_EQ(reads, 2 * kTableCount);
    }
}

// A save that died before its journal left temporary files and backups to
// be: the next open that holds the lock clears them, and only that one.
TEST(SafeSaving, LeftoversOfASaveThatDiedBeforeItsJournalAreCleared)
{
    QTemporaryDir dir;
    FileSet set;
    openWithV2(set, dir.path());
    set.setSaveFaultHook(faultAt(SafeSave::Step::Journal, SafeSave::Fault::Die));
    set.Sauve(set.clientFile());
    auto leftovers = [&] {
        return QDir(dir.path()).entryList({"*.tmp", "*.bak.new"}, QDir::Files | QDir::Hidden).size();
    };
    ASSERT_EQ(leftovers(), 14);
    FileSet reader;
    ASSERT_TRUE(reader.Charge(dir.filePath("LION.htl"), dir.path(), false));
    EXPECT_EQ(leftovers(), 14);
    FileSet owner;
    ASSERT_TRUE(owner.Charge(dir.filePath("LION.htl"), dir.path(), true));
    EXPECT_EQ(leftovers(), 0);
    EXPECT_EQ(readSetFiles(dir.path(), "LION"), soundSet("v1"));
}
