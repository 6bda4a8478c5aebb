// "État de la taxe de séjour": the period's rows, recomputed on "OK",
// printed with the period as heading and exported for the commune.
#include "stats/stats_fixture.h"
#include "stats/ui/tourist_tax_window.h"

#include <QAction>
#include <QDateEdit>
#include <QFileDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList taxedStay(int n, const QString &number, const QString &date)
{
    InvoiceFields f;
    f.number = number;
    f.date = date;
    f.validated = u"Y"_s;
    return invoiceBlock(n, {line(u"Taxe de séjour"_s, u"2"_s, u"1,5"_s, u"D"_s)}, f);
}

} // namespace

TEST(TouristTaxWindow, PeriodRowsPrintoutAndExport)
{
    const FileSet set = setOf(taxedStay(0, u"A1"_s, u"10/03/2026"_s) + taxedStay(1, u"A2"_s, u"10/04/2026"_s));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"declaration.csv"_s);
    QString proposed;
    QList<PrintDocument> printed;
    TStats::Actions actions;
    actions.showDialog = [&](QDialog &d) {
        auto *files = qobject_cast<QFileDialog *>(&d);
        EXPECT_NE(files, nullptr);
        if (!files)
            return 0;
        proposed = QFileInfo(files->selectedFiles().value(0)).fileName();
        files->selectFile(path);
        return int(QDialog::Accepted);
    };
    actions.print = [&](const PrintJob &job) {
        printed << job.layout(a4Metrics(300, false), PrintRange{});
        return true;
    };
    actions.today = QDate(2026, 5, 2);

    TTaxeSejour w;
    w.Init([&](QDate from, QDate to) { return touristTaxReport(set, passSettings(), from, to); }, 2,
           QDate(2026, 3, 1), QDate(2026, 3, 31), actions, {});
    EXPECT_EQ(w.windowTitle(), u"État de la taxe de séjour"_s);
    const QAbstractItemModel *m = w.grid()->model();
    ASSERT_EQ(m->rowCount(), 2); // the invoice of March and the total
    EXPECT_EQ(m->index(0, 1).data().toString(), u"A1"_s);
    EXPECT_EQ(m->index(1, 8).data().toString(), u"3,00"_s);

    w.to()->setDate(QDate(2026, 4, 30));
    w.findChild<QPushButton *>(u"ok"_s)->click();
    EXPECT_EQ(m->rowCount(), 3);

    w.toolBar()->findChild<QAction *>(u"print"_s)->trigger();
    ASSERT_EQ(printed.size(), 1);
    QStringList texts;
    for (const PrintItem &item : printed[0].pages().value(0))
        texts << item.text;
    EXPECT_TRUE(texts.contains(u"Taxe de séjour du 01/03/2026 au 30/04/2026"_s)) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(u"A2"_s));

    w.toolBar()->findChild<QAction *>(u"export"_s)->trigger();
    // The name proposed takes the suffix of the format chosen; a ".csv"
    // typed is the UTF-8 one unless the Windows-1252 filter is chosen.
    EXPECT_EQ(proposed, u"taxe-sejour-20260301-20260430"_s);
    EXPECT_EQ(readFile(path), delimitedBytes(touristTaxSpreadsheet(w.report(), 2), ExportFormat::CsvUtf8));
}
