#include "clients/client_page.h"
#include "scripted_ui.h"
#include "shell/main_controller.h"
#include "store/splash_first_ui.h"
#include "store/user_folders.h"
#include "store/table_helpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Program
{
    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage clients{fiche};
    MainController main{fiche, ui};
    Program() { fiche.setPage(PageId::Clients, &clients); }
};

// A folder holding the small clean set LION.*.
struct Folder
{
    QTemporaryDir dir;
    Folder()
    {
        const QDir clean(QStringLiteral(CARVELLE_TEST_DATA "/sets/clean"));
        for (const QString &name : clean.entryList(QDir::Files))
            QFile::copy(clean.filePath(name), path(name));
    }
    QString path(const QString &name) const { return dir.filePath(name); }
};

} // namespace

// Started from another folder, the program reads and writes its settings
// in the per-user folder only: nothing is left where it was started.
TEST(StartupFolder, NothingWrittenInTheFolderStartedFrom)
{
    QTemporaryDir home, documents;
    const QString startedIn = documents.path();
    const QString work = workFolder(startedIn, "", home.path(), "");
    ASSERT_TRUE(QDir().mkpath(work));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(startedIn));
    {
        Program p;
        EXPECT_FALSE(p.main.start(work));
        p.fiche.settings().autoOpen = 1;
        ASSERT_TRUE(p.main.FormCloseQuery());
    }
    QDir::setCurrent(before);
    EXPECT_TRUE(QDir(startedIn).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_TRUE(QFile::exists(work + "/Carvelle.ini"));
    // The next start, from anywhere, finds them again.
    Program again;
    again.main.start(workFolder("/", "", home.path(), ""));
    EXPECT_TRUE(again.main.autoOpen());
}

// The demonstration question of the first start comes after the splash has
// gone: nothing covers it.
TEST(FirstStart, TheSplashGoesBeforeTheFirstQuestion)
{
    struct Recording : ScriptedUi
    {
        bool *splashShown = nullptr;
        QList<bool> coveredAtEachQuestion;
        Answer askYesNoCancel(const QString &text) override
        {
            coveredAtEachQuestion << *splashShown;
            return ScriptedUi::askYesNoCancel(text);
        }
    };
    QTemporaryDir empty;
    bool splashShown = true;
    int closes = 0;
    Recording inner;
    inner.splashShown = &splashShown;
    inner.yesNoCancel = {Ui::Answer::No};
    SplashFirstUi ui(inner, [&] {
        splashShown = false;
        ++closes;
    });
    Fiche fiche{ui};
    ClientPage clients{fiche};
    MainController main{fiche, ui};
    fiche.setPage(PageId::Clients, &clients);
    main.demoWriter = [](const QString &) { return true; };
    main.start(empty.path());
    EXPECT_EQ(inner.coveredAtEachQuestion, QList<bool>({false}));
    ui.dismiss();
    EXPECT_EQ(closes, 1);
}

TEST(CommandLineFile, OpensInsteadOfTheLastSetWithOpensChecks)
{
    Folder f, other;
    {
        // The settings of the start-up folder reopen another set.
        Program p;
        p.main.startupDir = f.dir.path();
        ASSERT_TRUE(p.main.open(other.path("LION.htl")));
        p.main.Ouvrirautomatiquement1Click();
        ASSERT_TRUE(p.main.FormCloseQuery());
    }
    Program p;
    EXPECT_TRUE(p.main.start(f.dir.path(), f.path("lion.HTL")));
    EXPECT_EQ(p.main.FileName, f.path("LION.htl"));
    EXPECT_GT(p.fiche.set().count(Table::Clients), 0);
    EXPECT_TRUE(p.main.autoOpen()); // the settings were read all the same
    EXPECT_TRUE(p.ui.shown.isEmpty());

    Program missing, notHotel;
    EXPECT_FALSE(missing.main.start(f.dir.path(), f.path("TIGRE.htl")));
    EXPECT_EQ(missing.ui.shown, QStringList({"Le fichier n'existe pas"}));
    EXPECT_TRUE(missing.main.FileName.isEmpty());
    EXPECT_FALSE(notHotel.main.start(f.dir.path(), f.path("LION.chb")));
    EXPECT_EQ(notHotel.ui.shown, QStringList({"Type de fichier non valide"}));
}
