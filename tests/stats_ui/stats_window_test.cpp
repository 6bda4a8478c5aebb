// The statistics commands of the main window open their window over the
// set's invoices; its buttons draw the chart and print the grid.
// "État de la taxe de séjour": the period's rows, recomputed on "OK" and
// exported for the commune.
#include "shell/ui/fiche_widget.h"
#include "shell_ui/clean_set.h"
#include "stats/stats_fixture.h"
#include "stats/ui/graph_window.h"
#include "stats/ui/stats_window.h"
#include "stats/ui/tourist_tax_window.h"

#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The clean LION set holds one invoice: 340,00 for DUPONT Jean, room 12,
// stay ending on 05/12/2026.
TEST(StatsWindow, CommandsOpenTheirWindowChartAndPrintout)
{
    CleanSet h;
    PdfOnly printUi;
    printUi.path = h.path(u"stats.pdf"_s);
    h.form.setPrintUi(printUi);
    ASSERT_TRUE(h.open());

    QStringList seen;
    QList<qint64> charted;
    h.answer = [&](QDialog &d) {
        if (auto *graph = qobject_cast<TGraph *>(&d)) {
            charted = graph->area()->chart().values();
            return 0;
        }
        auto *w = qobject_cast<TStats *>(&d);
        EXPECT_NE(w, nullptr);
        if (!w)
            return 0;
        seen << w->windowTitle();
        const QAbstractItemModel *m = w->grid()->model();
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->index(0, c).data().toString();
        seen << cells.join('|');
        if (w->windowTitle() == u"Statistiques sur les chambres"_s) {
            w->toolBar()->findChild<QAction *>(u"chart"_s)->trigger();
            h.ui.okCancel = {true};
            w->toolBar()->findChild<QAction *>(u"print"_s)->trigger();
        }
        return 0;
    };
    h.form.run(Cmd::StatsMois);
    h.form.run(Cmd::StatsClients);
    h.form.run(Cmd::StatsChambres);
    h.form.run(Cmd::StatsOccupation);
    EXPECT_EQ(seen.mid(0, 7),
              QStringList({u"Statistiques sur les mois"_s, u"1|Décembre 2026|340,00"_s,
                           u"Statistiques sur les Clients"_s, u"1|10001|DUPONT Jean|340,00"_s,
                           u"Statistiques sur les chambres"_s, u"1|12  Chambre côté mer|340,00"_s,
                           u"Statistiques d'occupation"_s}));
    // The invoice page shows the last invoice.
    EXPECT_EQ(h.form.fiche().set().position(Table::Invoices), 0);
    EXPECT_EQ(charted, QList<qint64>{340});
    ASSERT_TRUE(QFile::exists(printUi.path));

    // The window shows every entry of a long statistic.
    Cumul list(2);
    for (int k = 1; k <= 100; ++k)
        CumulLot(list, QString::number(k), QString::number(k), QString());
    TStats all;
    all.Init(statTable(StatKind::Chambres, list), {});
    EXPECT_EQ(all.grid()->model()->rowCount(), 100);
    EXPECT_EQ(all.grid()->model()->index(99, 0).data().toString(), u"100"_s);
}

TEST(TouristTaxWindow, PeriodRowsAndExport)
{
    auto taxedStay = [](int n, const QString &number, const QString &date) {
        InvoiceFields f;
        f.number = number;
        f.date = date;
        f.validated = u"Y"_s;
        return invoiceBlock(n, {line(u"Taxe de séjour"_s, u"2"_s, u"1,5"_s, u"D"_s)}, f);
    };
    const FileSet set =
        setOf(taxedStay(0, u"A1"_s, u"10/03/2026"_s) + taxedStay(1, u"A2"_s, u"10/04/2026"_s));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"declaration.csv"_s);
    QString proposed;
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
    actions.today = QDate(2026, 5, 2);

    TTaxeSejour w;
    w.Init([&](QDate from, QDate to) { return touristTaxReport(set, passSettings(), from, to); }, 2,
           QDate(2026, 3, 1), QDate(2026, 3, 31), actions, {});
    const QAbstractItemModel *m = w.grid()->model();
    ASSERT_EQ(m->rowCount(), 2); // the invoice of March and the total
    EXPECT_EQ(m->index(0, 1).data().toString(), u"A1"_s);
    EXPECT_EQ(m->index(1, 8).data().toString(), u"3,00"_s);

    w.to()->setDate(QDate(2026, 4, 30));
    w.findChild<QPushButton *>(u"ok"_s)->click();
    EXPECT_EQ(m->rowCount(), 3);

    w.toolBar()->findChild<QAction *>(u"export"_s)->trigger();
    // The name proposed takes the suffix of the format chosen; a ".csv"
    // typed is the UTF-8 one unless the Windows-1252 filter is chosen.
    EXPECT_EQ(proposed, u"taxe-sejour-20260301-20260430"_s);
    EXPECT_EQ(readFile(path),
              delimitedBytes(touristTaxSpreadsheet(w.report(), 2), ExportFormat::CsvUtf8));
}
