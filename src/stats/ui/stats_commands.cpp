#include "stats_commands.h"

#include "stats_window.h"

#include "commands/command_host.h"
#include "store/fiche.h"

#include <QApplication>
#include <QCursor>

namespace {

void showStatistic(CommandHost &host, StatKind kind)
{
    Fiche &fiche = host.fiche();
    // The invoice shown is stored first, so that it counts as it stands.
    fiche.page(PageId::Invoices).writeBack();
    InvoicePassSettings settings;
    settings.vatRates = fiche.settings().vatRates;
    settings.decimals = fiche.decimals();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const StatTable table = computeStatistic(kind, fiche.set(), settings);
    // As after reading every invoice in turn, the page shows the last one.
    FileSet &set = fiche.set();
    const int count = set.count(Table::Invoices);
    if (count > 0 && set.position(Table::Invoices) != count - 1) {
        set.setPosition(Table::Invoices, count - 1);
        fiche.page(PageId::Invoices).read();
        emit fiche.cardChanged(PageId::Invoices);
    }
    QApplication::restoreOverrideCursor();

    TStats window(host.dialogParent());
    window.Init(table, {[&host](const PrintJob &job) { return host.print(job); },
                        [&host](QDialog &dialog) { return host.showDialog(dialog); },
                        settings.today, [&host](const QString &text) { host.ui().inform(text); }});
    host.showDialog(window);
}

} // namespace

void installStatistics(CommandHost &host)
{
    const std::pair<Cmd, StatKind> commands[] = {{Cmd::StatsMois, StatKind::Mois},
                                                 {Cmd::StatsClients, StatKind::Clients},
                                                 {Cmd::StatsChambres, StatKind::Chambres},
                                                 {Cmd::StatsOccupation, StatKind::Occupation}};
    for (const auto &[cmd, kind] : commands)
        host.setHandler(cmd, [&host, kind = kind] { showStatistic(host, kind); });
}
