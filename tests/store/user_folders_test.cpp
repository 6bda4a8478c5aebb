#include "store/user_folders.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(WorkFolder, TheSameWhateverTheFolderStartedFrom)
{
    struct Case
    {
        const char *current, *carvelleHome, *dataHome, *expected;
    };
    const Case cases[] = {
        {"/home/anne", "", "", "/home/anne/.local/share/Carvelle"},
        {"/home/anne/Documents", "", "", "/home/anne/.local/share/Carvelle"},
        {"/tmp", "", "", "/home/anne/.local/share/Carvelle"},
        {"/tmp", "", "/data/anne", "/data/anne/Carvelle"},
        // A relative XDG_DATA_HOME is not a place.
        {"/tmp", "", "data", "/home/anne/.local/share/Carvelle"},
        // CARVELLE_HOME says otherwise, relative to where it was said.
        {"/tmp", "/srv/demo/", "/data/anne", "/srv/demo"},
        {"/home/anne/src", "../carvelle-demo", "", "/home/anne/carvelle-demo"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(workFolder(c.current, c.carvelleHome, "/home/anne", c.dataHome), c.expected)
            << c.current << " " << c.carvelleHome;
}

TEST(DocumentFolders, ProposedUnderDocumentsThenWhereLastChosenPerKind)
{
    QTemporaryDir home;
    const QString documents = home.filePath("Documents");
    const QString memory = home.filePath("Carvelle.dossiers");
    const QString own = documents + "/Carvelle";
    {
        DocumentFolders folders(documents, memory);
        EXPECT_FALSE(QDir(own).exists());
        // Made on first use, even when the documents folder itself is missing.
        EXPECT_EQ(folders.proposedPath(FileKind::Spreadsheet, "clients.csv"), own + "/clients.csv");
        EXPECT_TRUE(QDir(own).exists());
        EXPECT_EQ(folders.proposedPath(FileKind::Pdf, ""), own);

        ASSERT_TRUE(QDir().mkpath(home.filePath("compta")));
        folders.remember(FileKind::Accounting, home.filePath("compta/FEC.txt"));
        EXPECT_EQ(folders.folder(FileKind::Accounting), home.filePath("compta"));
        // Each kind keeps its own folder.
        EXPECT_EQ(folders.folder(FileKind::Spreadsheet), own);
    }
    // Remembered from one run to the next.
    DocumentFolders next(documents, memory);
    EXPECT_EQ(next.folder(FileKind::Accounting), home.filePath("compta"));
    // A remembered folder since removed falls back to the documents.
    ASSERT_TRUE(QDir(home.filePath("compta")).removeRecursively());
    EXPECT_EQ(next.folder(FileKind::Accounting), own);
}

TEST(FileNameProblem, RefusesWhatASharedWindowsFolderCannotHold)
{
    for (const char *good : {"/tmp/LION.htl", "/tmp/Hôtel de la Plage.csv", "/tmp/a b-c_d(1).xlsx",
                             "/tmp/FEC20261231.txt"})
        EXPECT_TRUE(fileNameProblem(good).isEmpty()) << good;
    for (const char *bad : {"/tmp/*.htl", "/tmp/lion?.htl", "/tmp/a\"b.csv", "/tmp/a<b", "/tmp/a>b",
                            "/tmp/a|b", "/tmp/c:lion.htl", "/tmp/a\\b.htl"})
        EXPECT_TRUE(fileNameProblem(bad).contains("ne peut pas être celui d'un fichier")) << bad;
    for (const char *empty : {"/tmp/", "/tmp/.htl", "/tmp/   "})
        EXPECT_EQ(fileNameProblem(empty), "Tapez un nom de fichier.") << empty;
}
