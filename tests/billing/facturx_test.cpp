#include "billing/credit_note.h"
#include "billing_fixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kValidator =
    QStringLiteral(CARVELLE_TEST_DATA "/../../third_party/einvoice/validate-cii.sh");

const QStringList kBusiness = {"ENTR552 100 554 00012\tFR40552100554\tVoyages Azur SAS"};

// A hotel folder whose company's identifiers stand in the heading's "Siret"
// and "N° TVA" lines (no decimals) or, in a file that keeps them apart,
// after the heading (two decimals).
struct Hotel : ToolSet
{
    Hotel(int decimals, const QStringList &invoices, const QStringList &clients)
        : ToolSet(invoices, toolSettings(decimals), clients)
    {
        Company c;
        const QString siret = "732 829 320 00074", vat = "FR 44 732829320";
        const bool inHeading = decimals == 0;
        c.lines = {"Hôtel du Port", "2 quai Nord", "", "17000 LA ROCHELLE",
                   inHeading ? siret : "", inHeading ? vat : "", ""};
        c.legal = {inHeading ? "" : siret, inHeading ? "" : vat, "SARL", "8 000 €"};
        writeFile(file("Carvelle.soc"), companyBytes(c));
    }
    int tool(const QStringList &args, QString *out = nullptr)
    {
        QString ignored;
        return ToolSet::tool("facturx", args, out ? out : &ignored);
    }
};

QStringList stay(const QString &vat = "1")
{
    return {line("Nuit chambre double", "2 nuits", "84,5", vat),
            line("Petit déjeuner", "4", "12,5", "2", "10"), line("Champagne", "1", "55", "3"),
            line("Remise fidélité", "1", "-7,35", "1"), line("Taxe de séjour", "4", "1,65", "D")};
}

TEST(FacturX, InvoicesPassTheStandardsRulesAndThePdfCarriesTheSameXml)
{
    // Two decimals: an invoice of three rates, a discount, a negative line and
    // the taxe de séjour, then its credit note; with no decimals, the same.
    const QStringList clients =
        clientBlock(0, "10001", "Martin Paul", kBusiness) + clientBlock(1, "10002", "Durand Léa");
    InvoiceFields credit{.number = "202603002", .validated = "Y"};
    QStringList negated;
    for (QString l : stay()) {
        QStringList cells = l.mid(4).split('\t');
        cells[invoicecol::Quantity] = creditnote::negatedQuantity(cells[invoicecol::Quantity]);
        negated << fact(cells);
    }
    negated << "MEMO" + creditnote::memoFor("202603001");
    // Validated when the first rate was 7 %: its kept figures, not today's rates.
    LineGrid grid(invoicecol::Count, InvoiceCard::kRows);
    for (const QString &l : stay())
        grid.appendRead(l.mid(4).split('\t'));
    const QString kept = QString::fromLatin1(keptFiguresLine(Calculef(grid, {7, 10, 20}, 2)));
    const QStringList invoices =
        invoiceBlock(0, stay(), {.validated = "Y"}) + invoiceBlock(1, negated, credit) +
        invoiceBlock(2, stay(), {.number = "202603003", .client = "10002", .validated = "Y"}) +
        invoiceBlock(3, stay(), {.number = "202603004"}) +
        invoiceBlock(4, stay() << kept, {.number = "202603005", .validated = "Y"});
    Hotel cents(2, invoices, clients), euros(0, invoices, clients);

    QStringList files;
    for (Hotel *h : {&cents, &euros})
        for (const char *number : {"202603001", "202603002", "202603005"}) {
            files << h->dir.filePath(QString(number) + ".xml");
            ASSERT_EQ(h->tool({number, "--xml", files.last()}), 0) << number;
        }
    const QString pdf = cents.dir.filePath("facture.pdf");
    ASSERT_EQ(cents.tool({"202603001", "-o", pdf}), 0);
    files << pdf;

    QString out;
    EXPECT_EQ(cents.ToolSet::tool("archive-invoices", {"archive", "--facturx"}, &out), 0);

    QProcess check;
    check.start("bash", QStringList{kValidator} + files);
    check.waitForFinished(300000);
    const QString report =
        QString::fromUtf8(check.readAllStandardOutput() + check.readAllStandardError());
    EXPECT_EQ(check.exitCode(), 0) << qPrintable(report);

    // The attachment is the tool's XML, byte for byte; the archive made the
    // business client's invoice a Factur-X and the private guest's a plain PDF.
    auto attachment = [](const QString &file) {
        QProcess qpdf;
        qpdf.start("qpdf", {"--show-attachment=factur-x.xml", file});
        qpdf.waitForFinished(60000);
        return qpdf.exitCode() == 0 ? qpdf.readAllStandardOutput() : QByteArray();
    };
    QFile xml(files[0]);
    ASSERT_TRUE(xml.open(QIODevice::ReadOnly));
    const QByteArray written = xml.readAll();
    EXPECT_EQ(attachment(pdf), written);
    EXPECT_EQ(attachment(cents.dir.filePath("archive/Facture-202603001.pdf")), written);
    EXPECT_TRUE(attachment(cents.dir.filePath("archive/Facture-202603003.pdf")).isEmpty());

    // The figures the paper shows: 2 x 84,50 + 45,00 + 55,00 - 7,35 + 6,60.
    EXPECT_TRUE(written.contains("<ram:DuePayableAmount>268.25</ram:DuePayableAmount>"));
    EXPECT_TRUE(written.contains("<ram:TypeCode>380</ram:TypeCode>"));
    EXPECT_TRUE(written.contains("<ram:ID schemeID=\"0009\">55210055400012</ram:ID>"));
    QFile old(files[2]);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_TRUE(old.readAll().contains("<ram:RateApplicablePercent>7</ram:RateApplicablePercent>"));

    // What is no business invoice (a private guest's, a draft, none) is refused.
    const QString file = cents.file("f.xml");
    struct Case
    {
        const char *number;
        int exit;
        const char *says;
    } cases[] = {{"202603003", 2, "clients professionnels"},
                 {"202603004", 2, "facture validée"},
                 {"202699999", 1, "Aucune facture"}};
    for (const Case &c : cases) {
        EXPECT_EQ(cents.tool({c.number, "--xml", file}, &out), c.exit) << c.number;
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.says))) << qPrintable(out);
        EXPECT_FALSE(QFile::exists(file)) << c.number;
    }
}

} // namespace
