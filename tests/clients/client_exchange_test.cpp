#include "clients/client_exchange.h"
#include "clients_fixture.h"
#include "store/codec.h"

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

TEST(ClientExport, TheTxtExchangeFileKeepsItsSevenFields)
{
    Folder f;
    QStringList lines =
        clientBlock(0, {.code = "10001", .name = "Dupont;Fils", .country = "France"}) +
        clientBlock(1, {.code = "10002", .name = "Müller", .town = "Köln"});
    lines[5] = "2 rue\tBasse";
    ClientTable c(lines);
    // Only the separator of the file is replaced inside a field.
    EXPECT_EQ(Exporter(c.page, f.path("Export"), ExportFormat::Txt), f.path("Export.txt"));
    EXPECT_EQ(readFile(f.path("Export.txt")),
              "Dupont;Fils\t2 rue Basse\t\t75011\tPARIS\tFrance\t0143000000\r\n"
              "M\xFCller\t1 rue Haute\t\t75011\tK\xF6ln\tFRANCE\t0143000000\r\n");

    ClientTable empty;
    EXPECT_TRUE(Importer(empty.page, f.path("Export.txt")));
    const QStringList second = blockAt(empty, 1);
    QStringList expected = {"<BLOC00001>", "10002",       "N",         "N",
                            "Müller",      "1 rue Haute", "",          "75011",
                            "Köln",        "FRANCE",      "0143000000"};
    expected += QStringList(20) << "</BLOC00001>";
    EXPECT_EQ(second, expected);
    EXPECT_EQ(empty.table().size(), 64);
    // The count is told, the first client imported is shown, and the set is to be saved.
    EXPECT_EQ(empty.ui.shown, QStringList({"2 clients importés"}));
    EXPECT_EQ(empty.position(), 0);
    EXPECT_EQ(empty.page.card().name, "Dupont;Fils");
    EXPECT_TRUE(empty.set().isDirty());
}

// The spreadsheet file carries a header, the e-mail and the card's figures,
// in the encoding chosen, and reads back into the same fields.
TEST(ClientExport, CsvWithHeaderInEitherEncodingReadsBackIntoItsFields)
{
    Folder f;
    QStringList lines = clientBlock(0, {.code = "10001", .name = "Dupont;Fils", .postalCode = "06000",
                                        .town = "NICE", .country = "France"}) +
                        clientBlock(1, {.code = "10002", .name = "Müller \"Haus\"", .town = "Köln"});
    lines[12] = "dupont@exemple.fr";
    lines[21] = "  120,50";
    ClientTable c(lines);
    const QByteArray header = "Code client;Nom/Société;Adresse;Adresse (suite);Code postal;Ville;Pays;"
                              "Téléphone;Fax;E-mail;Créé le;Nb. séjours;Total dû\r\n";
    EXPECT_EQ(Exporter(c.page, f.path("clients"), ExportFormat::CsvUtf8), f.path("clients.csv"));
    EXPECT_EQ(readFile(f.path("clients.csv")),
              "\xEF\xBB\xBF" + header +
                  "10001;\"Dupont;Fils\";1 rue Haute;;06000;NICE;France;0143000000;;dupont@exemple.fr;"
                  "04/03/2026;1;  120,50\r\n"
                  "10002;\"Müller \"\"Haus\"\"\";1 rue Haute;;75011;Köln;FRANCE;0143000000;;;04/03/2026;1;\r\n");
    // Windows-1252 with ";": the same lines, in the code page.
    EXPECT_EQ(Exporter(c.page, f.path("ancien.csv"), ExportFormat::CsvWindows1252), f.path("ancien.csv"));
    EXPECT_EQ(readFile(f.path("ancien.csv")), cp1252::encode(QString::fromUtf8(readFile(f.path("clients.csv")).mid(3))));

    for (const char *name : {"clients.csv", "ancien.csv"}) {
        ClientTable back;
        ASSERT_TRUE(Importer(back.page, f.path(name)));
        EXPECT_EQ(back.set().count(Table::Clients), 2) << name;
        const QStringList first = blockAt(back, 0);
        EXPECT_EQ(first.mid(4, 10), QStringList({"Dupont;Fils", "1 rue Haute", "", "06000", "NICE", "France",
                                                 "0143000000", "", "dupont@exemple.fr", "04/03/2026"}))
            << name;
        EXPECT_EQ(first.value(18), "1");
        EXPECT_EQ(first.value(21), "  120,50");
        EXPECT_EQ(blockAt(back, 1).value(4), "Müller \"Haus\"");
        // The card reads as a card: the number is the set's own.
        EXPECT_EQ(back.page.card().code, "10001");
    }
}

TEST(ClientExport, ATypedNameKeepsItsTypeWhateverTheFilter)
{
    struct Case
    {
        const char *name;
        ExportFormat filter, expected;
    };
    const Case cases[] = {
        {"clients.csv", ExportFormat::Txt, ExportFormat::CsvUtf8},
        {"clients.csv", ExportFormat::CsvWindows1252, ExportFormat::CsvWindows1252},
        {"clients.TXT", ExportFormat::CsvUtf8, ExportFormat::Txt},
        {"clients.XLSX", ExportFormat::Txt, ExportFormat::Xlsx},
        // Any other name takes the type of the filter chosen.
        {"clients", ExportFormat::CsvWindows1252, ExportFormat::CsvWindows1252},
        {"clients.csv.old", ExportFormat::Txt, ExportFormat::Txt},
        {"liste.txt.csv", ExportFormat::Txt, ExportFormat::CsvUtf8},
    };
    for (const Case &c : cases)
        EXPECT_EQ(exportFormatOf(c.name, c.filter), c.expected) << c.name;
    EXPECT_EQ(withExportSuffix("clients.CSV", ExportFormat::CsvUtf8), "clients.CSV");
    EXPECT_EQ(withExportSuffix("clients.csv.old", ExportFormat::Txt), "clients.csv.old.txt");
}

// Importing a file of clients already in the set asks first: nothing is
// doubled without a word.
TEST(ClientImport, ClientsAlreadyThereAreAddedAgainSkippedOrNothingIsImported)
{
    Folder f;
    const QString file = f.file("retour.txt", "Dupont\t1 rue Haute\t\t75011\tPARIS\tFRANCE\t0143000000\r\n"
                                              "Neuf\t2 rue\t\t75011\tPARIS\tFRANCE\t0100000000\r\n"
                                              "Dupont\t1 rue Haute\t\t75012\tPARIS\tFRANCE\t0143000000\r\n");
    struct Case
    {
        Ui::Answer answer;
        bool imported;
        int count;
    };
    for (const Case &k : {Case{Ui::Answer::Cancel, false, 1}, Case{Ui::Answer::No, true, 3},
                          Case{Ui::Answer::Yes, true, 4}}) {
        ClientTable c(clientBlock(0, {.code = "10001", .name = "Dupont"}));
        c.ui.yesNoCancel = {k.answer};
        EXPECT_EQ(Importer(c.page, file), k.imported);
        EXPECT_EQ(c.set().count(Table::Clients), k.count);
        // One only: the other Dupont lives at another postal code.
        EXPECT_TRUE(c.ui.shown.value(0).startsWith("1 client de ce fichier est déjà dans le dossier"));
    }
    // A file of new clients asks nothing.
    ClientTable fresh(clientBlock(0, {.code = "10001", .name = "Autre"}));
    EXPECT_TRUE(Importer(fresh.page, file));
    EXPECT_EQ(fresh.ui.shown, QStringList({"3 clients importés"}));
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
