// The statistics commands of the main window open their window over the
// set's invoices; its buttons draw the chart and print the grid.
#include "shell/ui/fiche_widget.h"
#include "shell_ui/clean_set.h"
#include "stats/ui/graph_window.h"
#include "stats/ui/stats_window.h"

#include <QAction>
#include <QFile>
#include <QTableView>
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
        seen << m->headerData(m->columnCount() - 1, Qt::Horizontal, Qt::DisplayRole).toString();
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
    EXPECT_EQ(seen.mid(0, 10), QStringList({u"Statistiques sur les mois"_s, u"1|Décembre 2026|340,00"_s, u"C.A. mois"_s,
                                 u"Statistiques sur les Clients"_s, u"1|10001|DUPONT Jean|340,00"_s, u"C.A. TTC"_s,
                                 u"Statistiques sur les chambres"_s, u"1|12  Chambre côté mer|340,00"_s,
                                 u"C.A. TTC"_s, u"Statistiques d'occupation"_s}));
    // The occupancy months run from the stays sold to the validated invoice.
    EXPECT_GE(seen.size(), 12);
    EXPECT_EQ(seen.value(11), u"RevPAR"_s);
    // The invoice page shows the last invoice.
    EXPECT_EQ(h.form.fiche().set().position(Table::Invoices), 0);
    EXPECT_EQ(charted, QList<qint64>{340});
    ASSERT_TRUE(QFile::exists(printUi.path));
}

TEST(StatsWindow, ShowsEveryEntry)
{
    Cumul list(2);
    for (int k = 1; k <= 100; ++k)
        CumulLot(list, QString::number(k), QString::number(k), QString());
    TStats w;
    w.Init(statTable(StatKind::Chambres, list), {});
    EXPECT_EQ(w.grid()->model()->rowCount(), 100);
    EXPECT_EQ(w.grid()->model()->index(99, 0).data().toString(), u"100"_s);
    EXPECT_EQ(w.grid()->columnWidth(1), 313);
}
