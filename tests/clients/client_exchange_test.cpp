#include "clients/client_exchange.h"
#include "clients_fixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Folder
{
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
    QString file(const QString &name, const QByteArray &bytes) const
    {
        writeFile(path(name), bytes);
        return path(name);
    }
};

// The lines of the client block numbered n.
QStringList blockAt(ClientTable &c, int n)
{
    return linesOf(c.table()).mid(c.table().blockStart(n), 32);
}

} // namespace

TEST(ClientExport, TwoClientsToCsvThenBackIntoAnEmptySet)
{
    Folder f;
    QStringList lines =
        clientBlock(0, {.code = "10001", .name = "Dupont;Fils", .country = "France"}) +
        clientBlock(1, {.code = "10002", .name = "Müller", .town = "Köln"});
    lines[5] = "2 rue\tBasse";
    ClientTable c(lines);
    // Only the separator of the file is replaced inside a field.
    EXPECT_EQ(Exporter(c.page, f.path("Export"), exchange::kCsv), f.path("Export.csv"));
    EXPECT_EQ(readFile(f.path("Export.csv")),
              "Dupont Fils;2 rue\tBasse;;75011;PARIS;France;0143000000\r\n"
              "M\xFCller;1 rue Haute;;75011;K\xF6ln;FRANCE;0143000000\r\n");
    EXPECT_EQ(Exporter(c.page, f.path("Export"), exchange::kTxt), f.path("Export.txt"));
    EXPECT_TRUE(readFile(f.path("Export.txt")).startsWith("Dupont;Fils\t2 rue Basse\t\t75011\t"));

    ClientTable empty;
    EXPECT_TRUE(Importer(empty.page, f.path("Export.csv")));
    EXPECT_EQ(empty.set().count(Table::Clients), 2);
    const QStringList second = blockAt(empty, 1);
    QStringList expected = {"<BLOC00001>", "10002",       "N",         "N",
                            "Müller",      "1 rue Haute", "",          "75011",
                            "Köln",        "FRANCE",      "0143000000"};
    expected += QStringList(20) << "</BLOC00001>";
    EXPECT_EQ(second, expected);
    EXPECT_EQ(blockAt(empty, 0).mid(1, 6),
              QStringList({"10001", "N", "N", "Dupont Fils", "2 rue\tBasse", ""}));
    EXPECT_EQ(empty.table().size(), 64);
    // The count is told, the first client imported is shown, and the set is to be saved.
    EXPECT_EQ(empty.ui.shown, QStringList({"2 clients importés"}));
    EXPECT_EQ(empty.position(), 0);
    EXPECT_EQ(empty.page.card().name, "Dupont Fils");
    EXPECT_TRUE(empty.set().isDirty());

    // From another page the clients are exported all the same, and the
    // client page is shown; ".TXT" already names a text file.
    c.fiche.selectPage(PageId::Rooms);
    EXPECT_EQ(Exporter(c.page, f.path("autre.TXT"), exchange::kTxt), f.path("autre.TXT"));
    EXPECT_EQ(c.fiche.active(), PageId::Clients);
    EXPECT_EQ(readFile(f.path("autre.TXT")), readFile(f.path("Export.txt")));
}

TEST(ClientExport, ATypedCsvOrTxtNameKeepsItsTypeWhateverTheFilter)
{
    Folder f;
    ClientTable c(clientBlock(0, {.code = "10001", .name = "Dupont"}));
    EXPECT_EQ(Exporter(c.page, f.path("clients.csv"), exchange::kTxt), f.path("clients.csv"));
    EXPECT_TRUE(readFile(f.path("clients.csv")).startsWith("Dupont;1 rue Haute;;75011;"));
    EXPECT_FALSE(QFile::exists(f.path("clients.csv.txt")));
    EXPECT_EQ(Exporter(c.page, f.path("clients.TXT"), exchange::kCsv), f.path("clients.TXT"));
    EXPECT_TRUE(readFile(f.path("clients.TXT")).startsWith("Dupont\t1 rue Haute\t\t75011\t"));
    EXPECT_FALSE(QFile::exists(f.path("clients.TXT.csv")));
    // Any other name takes the type of the filter chosen.
    EXPECT_EQ(exchange::exportSeparator("clients", exchange::kCsv), exchange::kCsv);
    EXPECT_EQ(exchange::exportSeparator("clients.csv.old", exchange::kTxt), exchange::kTxt);
    EXPECT_EQ(exchange::exportSeparator("liste.txt.csv", exchange::kTxt), exchange::kCsv);
}

TEST(ClientImport, BlankLinesMakeNoClientAndTheCountIsTold)
{
    Folder f;
    ClientTable c(clientBlock(0, {.code = "10001", .name = "Ancien"}));
    ASSERT_TRUE(
        Importer(c.page, f.file("l.csv", "\r\nAline;1 rue\r\n   \r\n\t\r\nBruno;2 rue\r\n\r\n")));
    EXPECT_EQ(c.table().countBlocks(), 3);
    EXPECT_EQ(c.set().count(Table::Clients), 3);
    EXPECT_EQ(blockAt(c, 2).mid(1, 5), QStringList({"10003", "N", "N", "Bruno", "2 rue"}));
    EXPECT_EQ(c.ui.shown, QStringList({"2 clients importés"}));
    EXPECT_EQ(c.position(), 1);
    EXPECT_EQ(c.page.card().name, "Aline");

    c.ui.shown.clear();
    Importer(c.page, f.file("un.txt", "Chloé\n"));
    EXPECT_EQ(c.ui.shown, QStringList({"1 client importé"}));
    EXPECT_EQ(c.page.card().name, "Chloé");

    // A file of blank lines changes nothing.
    c.ui.shown.clear();
    const QStringList before = c.lines();
    Importer(c.page, f.file("vide.txt", " \r\n\r\n"));
    EXPECT_EQ(c.ui.shown, QStringList({"Aucun client importé"}));
    EXPECT_EQ(c.lines(), before);
    EXPECT_EQ(c.position(), 3);
}

TEST(ClientImport, SeparatorsFollowTheNameAndBothApplyToTxtCsv)
{
    Folder f;
    ClientTable c;
    Importer(c.page, f.file("liste.txt.csv", "Nom;A\tB\r\n"));
    ASSERT_EQ(c.set().count(Table::Clients), 2);
    EXPECT_EQ(blockAt(c, 0).mid(4, 3), QStringList({"Nom;A", "B", ""}));
    EXPECT_EQ(blockAt(c, 1).mid(4, 3), QStringList({"Nom", "A\tB", ""}));
    // Fields are cut at 1024 characters; an empty last field still counts.
    ClientTable d;
    ImportCsv(d.page, f.file("l.csv", QByteArray(1500, 'x') + ";\n"));
    EXPECT_EQ(d.table().line(4).size(), 1024);
    EXPECT_EQ(d.table().size(), 1 + 3 + 2 + 20 + 1);

    c.ui.shown.clear();
    EXPECT_FALSE(Importer(c.page, f.path("absent.txt")));
    EXPECT_EQ(c.ui.shown, QStringList({"Le ficher " + f.path("absent.txt") + "n'existe pas"}));
}

TEST(ClientImport, AfterASingleClientTheFirstImportedIsNumberOne)
{
    Folder f;
    ClientTable c(clientBlock(0, {.code = "10007", .name = "Seul"}));
    c.page.card().name = "Seul modifié";
    c.page.touch();
    Importer(c.page, f.file("un.txt", "Nouveau\tAdresse"));
    EXPECT_EQ(c.set().count(Table::Clients), 2);
    EXPECT_EQ(c.table().countBlocks(), 2);
    EXPECT_EQ(blockAt(c, 0)[4], "Seul modifié"); // kept, and not written over the new client
    EXPECT_EQ(blockAt(c, 1).mid(1, 5), QStringList({"10008", "N", "N", "Nouveau", "Adresse"}));
    EXPECT_EQ(c.page.card().name, "Nouveau");

    // Away from the client page the lines alone import nothing; the import
    // command shows the client page first.
    c.fiche.selectPage(PageId::Rooms);
    ImportTxt(c.page, f.path("un.txt"));
    EXPECT_EQ(c.table().countBlocks(), 2);
    EXPECT_TRUE(Importer(c.page, f.path("un.txt")));
    EXPECT_EQ(c.fiche.active(), PageId::Clients);
    EXPECT_EQ(c.table().countBlocks(), 3);
    EXPECT_EQ(c.page.card().code, "10009");
}

TEST(ClientImport, Utf8FilesAreReadAsUtf8AndAnythingElseAsWindows1252)
{
    Folder f;
    ClientTable c;
    ImportTxt(c.page, f.file("bom.txt", "\xEF\xBB\xBF\xC3\x89lodie\n"));
    ImportTxt(c.page, f.file("utf8.txt", "Zo\xC3\xAB \xE2\x82\xAC\n"));
    ImportTxt(c.page, f.file("ansi.txt", "\xC9lodie \x80\n"));
    ImportTxt(c.page, f.file("ascii.txt", "Plain\n"));
    EXPECT_TRUE(c.ui.shown.isEmpty());
    QStringList names;
    for (int n = 0; n < 4; ++n)
        names << blockAt(c, n)[4];
    EXPECT_EQ(names, QStringList({"Élodie", "Zoë \u0080", "Élodie \u0080", "Plain"}));

    // A character the file cannot hold is replaced, and the user is told.
    ImportTxt(c.page, f.file("greek.txt", "\xCE\xA9mega\n"));
    EXPECT_EQ(blockAt(c, 4)[4], "?mega");
    EXPECT_EQ(c.ui.shown.size(), 1);

    // The export writes Windows-1252 whatever the import read.
    ASSERT_TRUE(ExportTxt(c.fiche, f.path("out.txt")));
    EXPECT_TRUE(readFile(f.path("out.txt")).startsWith("\xC9lodie\t\t\t\t\t\t\r\nZo\xEB \x80\t"));
}

TEST(ClientImport, StopsAtTheClientLimitKeepingWhatWasImported)
{
    Folder f;
    ClientTable c(clientBlock(0, {.code = "10001"}));
    c.set().setCount(Table::Clients, exchange::kMaxClients - 1);
    ImportTxt(c.page, f.file("trop.txt", "A\nB\nC\n"));
    EXPECT_EQ(c.set().count(Table::Clients), exchange::kMaxClients);
    EXPECT_EQ(c.table().countBlocks(), 2);
    EXPECT_GE(c.table().blockStart(exchange::kMaxClients - 1), 0);
    EXPECT_EQ(c.ui.shown, QStringList({"Trop de lignes, le fichier a été tronqué"}));
}
