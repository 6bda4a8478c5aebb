#include "tourist_tax_commands.h"

#include "tourist_tax_window.h"

#include "commands/command_host.h"
#include "store/fiche.h"
#include "store/ui.h"

#include <QApplication>

namespace {

// The window over this month, recomputed over the set for each period.
void showTouristTax(CommandHost &host)
{
    Fiche &fiche = host.fiche();
    // The invoice shown counts as it stands.
    fiche.page(PageId::Invoices).writeBack();
    InvoicePassSettings settings;
    settings.vatRates = fiche.settings().vatRates;
    settings.decimals = fiche.decimals();
    const QDate today = QDate::currentDate();
    const QDate first(today.year(), today.month(), 1);

    TTaxeSejour window(host.dialogParent());
    window.Init(
        [&fiche, settings](QDate from, QDate to) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            TouristTaxReport report = touristTaxReport(fiche.set(), settings, from, to);
            QApplication::restoreOverrideCursor();
            return report;
        },
        settings.decimals, first, first.addMonths(1).addDays(-1),
        {[&host](const PrintJob &job) { return host.print(job); },
         [&host](QDialog &dialog) { return host.showDialog(dialog); }, today, {}},
        [&host](const QString &text) { host.ui().inform(text); });
    host.showDialog(window);
}

} // namespace

void installTouristTax(CommandHost &host)
{
    host.setHandler(Cmd::EtatTaxeSejour, [&host] { showTouristTax(host); });
}
