#include "clients/client_printouts.h"
#include "print/ui/renderer.h"
#include "print_items.h"
#include "scripted_ui.h"

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A machine without printers, or one whose print dialog picks a PDF file and
// the range 3 to 5.
// With `paper`, the dialog picks a printer that does not exist instead.
struct ScriptedPrintUi : PrintUi
{
    bool printers = false, paper = false;
    QString pdf;
    int dialogs = 0;
    bool hasPrinter() const override { return printers; }
    bool choosePrinter(QWidget *, QPrinter &printer, PrintRange *range) override
    {
        ++dialogs;
        if (paper) {
            // A printer chosen, not a file: the output has no file name.
            printer.setOutputFileName(QString());
            return true;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (range)
            *range = {3, 5, range->max};
        return true;
    }
    QString choosePdfFile(QWidget *, const QString &) override { return pdf; }
    // A printer is never really printed on: whatever queues the machine has,
    // the page goes nowhere and the printer is said to have failed.
    bool render(const PrintDocument &doc, QPrinter &printer) override
    {
        return printer.outputFileName().isEmpty() ? false : PrintUi::render(doc, printer);
    }
};

QString pdfText(const QString &path)
{
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintPdf : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    ScriptedUi ui;
    ScriptedPrintUi printUi;
};

} // namespace

TEST_F(PrintPdf, EachPrintoutReachesAPdfWithItsPagesAndFrenchText)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext is missing";

    ClientCard card;
    card.name = "Hélène Dupré";
    card.note = QStringList{"Très calme"};
    card.history[0] = {"02/01/2024", "Séjour", "120,00"};
    Company company;
    company.lines[0] = "Hôtel de la Gare";
    Settings settings;
    settings.envelopeGuide = 100;
    const RecordTable table = clients(100);

    const struct
    {
        const char *name;
        PrintJob job;
        int pages;
        QStringList texts;
    } cases[] = {
        {"card",
         {"Fiche",
          Orientation::Portrait,
          {},
          [&](const PageMetrics &m, const PrintRange &) {
              return ImpFiche(card, {QDate(2024, 1, 2), "Acompte", "5,00"}, m);
          }},
         1,
         {"Hélène Dupré", "Très calme", "Séjour"}},
        // No range asked without a printer: the whole list.
        {"list", ImpCliJob(table, 100), 3, {"Nom 0", "Nom 99"}},
        {"envelope", ImpEnvJob(card, company, settings), 1, {"Hôtel de la Gare", "Hélène Dupré"}},
    };
    for (const auto &c : cases) {
        printUi.pdf = dir.filePath(QString(c.name) + ".pdf");
        ui.okCancel = {true};
        ASSERT_TRUE(printDocument(nullptr, c.job, ui, printUi)) << c.name;
        const QString text = pdfText(printUi.pdf);
        EXPECT_EQ(text.count('\f'), c.pages) << c.name;
        for (const QString &t : c.texts)
            EXPECT_TRUE(text.contains(t)) << c.name << ": " << t.toStdString();
    }
    EXPECT_EQ(ui.shown.size(), 3); // the offer to save as PDF, each time

    // With a printer, the range chosen in its dialog selects the clients.
    printUi.printers = true;
    printUi.pdf = dir.filePath("range.pdf");
    ASSERT_TRUE(printDocument(nullptr, ImpCliJob(table, 100), ui, printUi));
    const QString text = pdfText(printUi.pdf);
    EXPECT_EQ(printUi.dialogs, 1);
    EXPECT_TRUE(text.contains("Nom 2") && text.contains("Nom 4"));
    EXPECT_FALSE(text.contains("Nom 1 ") || text.contains("Nom 5"));
}

TEST_F(PrintPdf, WithoutPrinterNothingHappensSilently)
{
    const PrintDocument doc("Enveloppe", Orientation::Portrait, kPortrait);
    const PrintJob job{"Enveloppe", Orientation::Portrait, {}, [&](auto &, auto &) { return doc; }};

    // Declining the PDF file prints nothing.
    printUi.pdf = dir.filePath("no.pdf");
    ui.okCancel = {false};
    EXPECT_FALSE(printDocument(nullptr, job, ui, printUi));
    EXPECT_FALSE(QFile::exists(printUi.pdf));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(ui.shown[0].contains("PDF"));

    // A file that cannot be written is told; ".pdf" is added to a bare name.
    printUi.pdf = dir.filePath("missing/folder/out");
    ui.okCancel = {true};
    EXPECT_FALSE(printDocument(nullptr, job, ui, printUi));
    ASSERT_EQ(ui.shown.size(), 3);
    EXPECT_EQ(ui.shown[2], "Impossible d'écrire le fichier " +
                               dir.filePath("missing/folder/out.pdf") + " : Dossier introuvable");
}

TEST_F(PrintPdf, TheEnvelopeIsAskedForOnlyWhenAPrinterPrintsIt)
{
    const ClientCard card;
    const Company company;
    const Settings settings;
    const PrintJob job = ImpEnvJob(card, company, settings);

    // No envelope when the print dialog chose a file.
    printUi.printers = true;
    printUi.pdf = dir.filePath("fichier.pdf");
    ASSERT_TRUE(printDocument(nullptr, job, ui, printUi));
    EXPECT_TRUE(ui.shown.isEmpty());

    // A printer: the envelope first (the printer then fails, and says so).
    printUi.paper = true;
    EXPECT_FALSE(printDocument(nullptr, job, ui, printUi));
    ASSERT_EQ(ui.shown.size(), 2);
    EXPECT_EQ(ui.shown[0], "Insérez une enveloppe dans l'imprimante");
}
