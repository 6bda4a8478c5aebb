#include "clients/client_page.h"
#include "scripted_ui.h"
#include "shell/main_controller.h"
#include "store/table_helpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// One client card, DUPONT Jean.
const QByteArray kClient =
    crlf(QStringLiteral("<BLOC00000>|10001|N|N|DUPONT Jean|||||||||04/03/2026||"
                        "04/03/2026||04/03/2026|0|  /  /    |||||-1|</BLOC00000>")
             .split('|'));

// One program: a record window with its client page and the main window's
// commands, answering from a script.
struct Program
{
    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage clients{fiche};
    MainController main{fiche, ui};
    Program() { fiche.setPage(PageId::Clients, &clients); }
    void editName(const QString &name)
    {
        fiche.selectPage(PageId::Clients);
        clients.card().name = name;
        clients.touch();
    }
};

struct Folder
{
    QTemporaryDir dir;
    Folder() { writeFile(path("LION.htl"), kClient); }
    QString path(const QString &name) const { return dir.filePath(name); }
};

} // namespace

TEST(SavePrompt, ItsThreeAnswersBeforeOpening)
{
    Folder f;
    writeFile(f.path("TIGRE.htl"), kClient);
    Program p;
    ASSERT_TRUE(p.main.open(f.path("LION.htl")));
    p.editName("MODIFIÉ");

    // Cancel: the open set stays and no dialog is shown.
    p.ui.yesNoCancel = {Ui::Answer::Cancel};
    EXPECT_FALSE(p.main.OpenItemClick());
    EXPECT_EQ(p.ui.openDialogs, 0);
    EXPECT_EQ(p.ui.shown.last(), "Enregistrer changements dans LION.htl ?");

    // Yes: the set is written first, then the other one opens.
    p.ui.yesNoCancel = {Ui::Answer::Yes};
    p.ui.openFiles = {f.path("TIGRE.htl")};
    EXPECT_TRUE(p.main.OpenItemClick());
    EXPECT_TRUE(readFile(f.path("LION.htl")).contains("MODIFI\xC9"));
    EXPECT_EQ(p.main.FileName, f.path("TIGRE.htl"));

    // No: goes on without writing.
    p.editName("PERDU");
    p.ui.yesNoCancel = {Ui::Answer::No};
    p.ui.openFiles = {f.path("LION.htl")};
    EXPECT_TRUE(p.main.OpenItemClick());
    EXPECT_FALSE(readFile(f.path("TIGRE.htl")).contains("PERDU"));
}

TEST(SaveAsCommand, NamesEndInHtlAndStayInTheirFolder)
{
    Folder f;
    QDir(f.dir.path()).mkdir("mes.hotels");
    Program p;
    p.ui.saveFiles = {f.path("essai.txt"), f.path("mes.hotels/lion"), f.path("essai")};
    EXPECT_TRUE(p.main.SaveAs());
    EXPECT_EQ(p.main.FileName, f.path("essai.htl"));
    EXPECT_TRUE(QFile::exists(f.path("essai.htl")));
    EXPECT_TRUE(QFile::exists(f.path("essai.fct")));
    EXPECT_TRUE(p.main.SaveAs());
    EXPECT_EQ(p.main.FileName, f.path("mes.hotels/lion.htl"));
    // Onto an existing file: asked, and Cancel saves nothing and keeps the
    // set's name for the next save and the close.
    EXPECT_FALSE(p.main.SaveAs());
    EXPECT_EQ(p.ui.shown.last(), "Ce fichier existe déjà");
    EXPECT_EQ(p.main.FileName, f.path("mes.hotels/lion.htl"));
    p.editName("MODIFIÉ");
    p.ui.yesNoCancel = {Ui::Answer::No};
    EXPECT_TRUE(p.main.FormCloseQuery());
    EXPECT_EQ(p.ui.shown.last(), "Enregistrer changements dans lion.htl ?");
}

// Enter in a save dialog whose name field held "*.htl" used to write a set
// named "*.htl", which a later "rm *.htl" takes with every other set.
TEST(SaveAsCommand, NeverProposesAFilterAndRefusesWildcardNames)
{
    Folder f;
    Program p;
    p.ui.saveFiles = {f.path("*.htl"), f.path("lion?"), f.path(".htl"), f.path("essai")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(p.main.SaveAs());
        EXPECT_FALSE(p.ui.shown.last().isEmpty());
    }
    EXPECT_TRUE(p.ui.shown[0].contains("ne peut pas être celui d'un fichier"));
    EXPECT_EQ(p.ui.shown[2], "Tapez un nom de fichier.");
    EXPECT_TRUE(p.main.FileName.isEmpty());
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files), QStringList({"LION.htl"}));
    EXPECT_TRUE(p.main.SaveAs());
    // An untitled set starts with an empty name; a named one with its own.
    EXPECT_FALSE(p.main.SaveAs()); // cancelled
    ASSERT_EQ(p.ui.proposedSaves.size(), 5);
    EXPECT_EQ(p.ui.proposedSaves[0], "");
    EXPECT_EQ(p.ui.proposedSaves[4], f.path("essai.htl"));
}

// Ctrl+S saves under the set's name; a set open read-only offers another name
// so the edits are kept.
TEST(SaveUnderName, WritesTheOpenSetOrOffersAnotherNameWhenReadOnly)
{
    Folder f;
    Program first;
    ASSERT_TRUE(first.main.open(f.path("LION.htl")));
    first.editName("PREMIER");
    EXPECT_TRUE(first.main.saveUnderName());
    EXPECT_EQ(first.ui.saveDialogs, 0);
    EXPECT_TRUE(readFile(f.path("LION.htl")).contains("PREMIER"));

    Program second;
    second.ui.okCancel = {true};
    ASSERT_TRUE(second.main.open(f.path("LION.htl")));
    ASSERT_TRUE(second.main.readOnly());
    second.editName("SECOND");
    second.ui.okCancel = {true};
    second.ui.saveFiles = {f.path("COPIE.htl")};
    EXPECT_TRUE(second.main.saveUnderName());
    EXPECT_EQ(second.ui.shown.last(),
              "Cet hôtel est ouvert en lecture seule : ouvert par un autre programme "
              "Carvelle.\r\nL'enregistrer sous un autre nom ?");
    EXPECT_TRUE(readFile(f.path("COPIE.htl")).contains("SECOND"));
    EXPECT_FALSE(readFile(f.path("LION.htl")).contains("SECOND"));
    EXPECT_FALSE(second.main.readOnly());
    EXPECT_EQ(second.main.FileName, f.path("COPIE.htl"));
}

TEST(Closing, CancellingTheSaveDialogKeepsTheProgramOpen)
{
    Folder f;
    Program p;
    p.main.startupDir = f.dir.path();
    p.editName("NOUVEAU");
    // A set never saved: Yes goes through Save As; cancelling it cancels the close.
    p.ui.yesNoCancel = {Ui::Answer::Yes};
    EXPECT_FALSE(p.main.FormCloseQuery());
    EXPECT_EQ(p.ui.saveDialogs, 1);
    EXPECT_TRUE(p.fiche.set().isDirty());
    p.ui.yesNoCancel = {Ui::Answer::Yes};
    p.ui.saveFiles = {f.path("NOUVEAU")};
    EXPECT_TRUE(p.main.FormCloseQuery());
    EXPECT_TRUE(readFile(f.path("NOUVEAU.htl")).contains("NOUVEAU"));
    EXPECT_TRUE(QFile::exists(f.path("Carvelle.ini")));
}

TEST(Locking, ASecondProgramOpensReadOnlyOrNotAtAll)
{
    Folder f;
    Program first, second, third;
    ASSERT_TRUE(first.main.open(f.path("LION.htl")));
    EXPECT_FALSE(first.main.readOnly());

    second.ui.okCancel = {false};
    EXPECT_FALSE(second.main.open(f.path("LION.htl")));
    EXPECT_TRUE(second.ui.shown.last().startsWith("Cet hôtel est ouvert dans Carvelle par "))
        << qPrintable(second.ui.shown.last());
    EXPECT_TRUE(second.ui.shown.last().contains("(verrou " + f.path("LION.htl.lck") + ")"));

    third.ui.okCancel = {true};
    ASSERT_TRUE(third.main.open(f.path("LION.htl")));
    EXPECT_TRUE(third.main.readOnly());
    third.editName("INTERDIT");
    EXPECT_FALSE(third.fiche.Sauve(f.path("LION.htl")));
    EXPECT_FALSE(readFile(f.path("LION.htl")).contains("INTERDIT"));
    // The repair tool's refusal of a set held and the taking over of a lock
    // left by a program that died are SetLock's.
}

// A set read away from the window: nothing of the open set changes until
// the read is handed over, a second open is refused meanwhile, and a read
// that fails gives the set, the lock and its name back as they were. The
// planning's tables come first, then the rest, in the same steps.
TEST(Locking, ASetReadInTheBackgroundIsTakenInOneStep)
{
    Folder f;
    writeFile(f.path("OURS.htl"), "not a hotel\r\n");
    Program p;
    ASSERT_TRUE(p.main.open(f.path("LION.htl")));
    std::vector<std::pair<MainController::ReadSet, std::function<void(FileSet::Opened)>>> pending;
    p.main.reader = [&](MainController::ReadSet read, std::function<void(FileSet::Opened)> done) {
        pending.emplace_back(std::move(read), std::move(done));
    };
    std::vector<bool> ended;
    p.main.opened = [&](bool ok) { ended.push_back(ok); };
    std::atomic<int> steps{0};
    auto finish = [&] {
        auto [read, done] = std::move(pending.back());
        pending.pop_back();
        done(read(&steps));
    };

    ASSERT_TRUE(p.main.open(f.path("OURS.htl")));
    EXPECT_TRUE(p.main.opening());
    EXPECT_FALSE(p.main.open(f.path("LION.htl")));
    EXPECT_EQ(pending.size(), 1u);
    EXPECT_EQ(p.fiche.set().clientFile(), f.path("LION.htl"));
    finish();
    EXPECT_EQ(ended, std::vector<bool>{false});
    EXPECT_EQ(steps.load(), 1);
    EXPECT_FALSE(p.main.opening());
    EXPECT_EQ(p.main.FileName, f.path("LION.htl"));
    EXPECT_EQ(p.fiche.set().count(Table::Clients), 1);
    // The first set's lock is still held: another program opens it read-only.
    Program other;
    other.ui.okCancel = {true};
    ASSERT_TRUE(other.main.open(f.path("LION.htl")));
    EXPECT_TRUE(other.main.readOnly());

    writeFile(f.path("TIGRE.htl"), kClient + kClient);
    ASSERT_TRUE(p.main.open(f.path("TIGRE.htl")));
    finish();
    EXPECT_TRUE(p.main.completing());
    EXPECT_FALSE(p.main.open(f.path("LION.htl")) || p.main.Nouveau1Click());
    finish();
    EXPECT_EQ(ended, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(steps.load(), 1 + FileSet::kOpenSteps + 1);
    EXPECT_FALSE(p.main.opening());
    EXPECT_EQ(p.main.FileName, f.path("TIGRE.htl"));
    EXPECT_TRUE(p.fiche.set().isDirty()); // the repeated card was repaired
    EXPECT_TRUE(QFile::exists(f.path("TIGRE.htl.lck")));
}

// A file of the set marked read-only: the set opens read-only, as a set
// another program holds does, and says why.
TEST(Locking, AReadOnlyFileOpensTheSetReadOnly)
{
    Folder f;
    writeFile(f.path("LION.fct"), "");
    ASSERT_TRUE(
        QFile::setPermissions(f.path("LION.fct"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    Program p;
    ASSERT_TRUE(p.main.open(f.path("LION.htl")));
    EXPECT_TRUE(p.main.readOnly());
    EXPECT_EQ(p.main.readOnlyReason(), "le fichier LION.fct est en lecture seule");
    // Not held: another program may open it once the file is writable again.
    EXPECT_FALSE(QFile::exists(f.path("LION.htl.lck")));
    p.editName("INTERDIT");
    EXPECT_FALSE(p.fiche.Sauve(f.path("LION.htl")));
    EXPECT_FALSE(readFile(f.path("LION.htl")).contains("INTERDIT"));
}

// Once a day at the end of a run, when the person turned backups on.
TEST(Closing, OffersABackupOnceADay)
{
    Folder f;
    const QString keys = f.path("cle");
    Program p;
    p.main.startupDir = f.dir.path();
    ASSERT_TRUE(p.main.open(f.path("LION.htl")));
    const QDateTime evening(QDate(2026, 12, 7), QTime(19, 0));

    // Off (no settings kept): nothing asked.
    p.main.offerBackup(evening);
    EXPECT_TRUE(p.ui.shown.isEmpty());
    EXPECT_TRUE(p.main.lastBackupText().isEmpty());

    p.main.backupSettings.on = true;
    p.main.backupSettings.folder = keys;
    ASSERT_TRUE(p.main.saveBackupSettings());
    EXPECT_EQ(p.main.lastBackupText(), "Aucune sauvegarde");
    // The key is not plugged in: said, nothing made in its place.
    p.main.offerBackup(evening);
    ASSERT_EQ(p.ui.shown.size(), 1);
    EXPECT_TRUE(
        p.ui.shown[0].startsWith("Le dossier des sauvegardes " + keys + " est introuvable"));
    EXPECT_FALSE(QDir(keys).exists());

    ASSERT_TRUE(QDir().mkdir(keys));
    p.ui.shown.clear();
    p.ui.okCancel = {false};
    p.main.offerBackup(evening);
    EXPECT_EQ(p.ui.shown, QStringList{"Sauvegarder l'hôtel dans " + keys + " ?"});
    EXPECT_EQ(QDir(keys).entryList(QDir::Files), QStringList());

    p.ui.okCancel = {true};
    p.main.offerBackup(evening);
    EXPECT_EQ(QDir(keys).entryList(QDir::Files), QStringList{backup::archiveName("LION", evening)});
    EXPECT_EQ(p.main.lastBackupText(), "Dernière sauvegarde : 07/12/2026 19:00");
    // Kept for the next run; not asked again the same day.
    EXPECT_EQ(backup::loadSettings(f.dir.path()).last, evening);
    p.ui.shown.clear();
    p.main.offerBackup(evening.addSecs(3600));
    EXPECT_TRUE(p.ui.shown.isEmpty());
}

namespace {

// A run that opens LION.htl, turns automatic opening on and closes.
void openWithAutomaticOpening(const Folder &f)
{
    Program p;
    p.main.startupDir = f.dir.path();
    ASSERT_TRUE(p.main.open(f.path("LION.htl")));
    p.main.Ouvrirautomatiquement1Click();
    EXPECT_TRUE(p.main.autoOpen());
    EXPECT_TRUE(p.main.FormCloseQuery());
}

} // namespace

// A file that is not a hotel file is neither opened, nor the name the next
// save writes, nor opened again at the next start.
TEST(AutomaticOpening, AFileThatIsNotAHotelFileIsNeverTakenForOne)
{
    Folder f;
    openWithAutomaticOpening(f);
    const QByteArray notes = "Liste des courses\r\n";
    writeFile(f.path("LION.htl"), notes); // replaced by hand since
    {
        Program p;
        EXPECT_FALSE(p.main.start(f.dir.path()));
        EXPECT_EQ(p.ui.shown,
                  QStringList({"Le fichier LION.htl n'est pas un fichier hôtel Carvelle"}));
        EXPECT_TRUE(p.main.FileName.isEmpty());
        EXPECT_FALSE(QFile::exists(f.path("LION.htl.lck")));
        p.editName("DUPONT");
        p.ui.yesNoCancel = {Ui::Answer::Yes};
        EXPECT_FALSE(p.main.FormCloseQuery()); // asks where to save: nothing is chosen
        EXPECT_EQ(p.ui.saveDialogs, 1);
        p.ui.yesNoCancel = {Ui::Answer::No};
        EXPECT_TRUE(p.main.FormCloseQuery());
    }
    EXPECT_EQ(readFile(f.path("LION.htl")), notes);
    Program p;
    EXPECT_FALSE(p.main.start(f.dir.path()));
    EXPECT_TRUE(p.ui.shown.isEmpty());
}
