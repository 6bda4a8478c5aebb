#include "journal_commands.h"

#include "accounts_dialog.h"
#include "journal_window.h"

#include "commands/command_host.h"
#include "store/fiche.h"
#include "store/ui.h"

#include <QApplication>

namespace {

// `Compte`: the chart of accounts, stored back on OK (with the settings file).
void editAccounts(CommandHost &host)
{
    TCompte dialog(host.dialogParent());
    Settings &settings = host.fiche().settings();
    dialog.Init(settings.accounts, settings.vatRates);
    if (host.showDialog(dialog) == QDialog::Accepted)
        dialog.Result(settings.accounts);
}

// `Journal`: the entries of the whole set in the journal window.
void showJournal(CommandHost &host)
{
    Fiche &fiche = host.fiche();
    // The invoice and the order on screen count as they stand.
    fiche.page(PageId::Invoices).writeBack();
    fiche.page(PageId::Orders).writeBack();
    JournalSettings settings;
    settings.accounts = fiche.settings().accounts;
    settings.vatRates = fiche.settings().vatRates;
    settings.decimals = fiche.decimals();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TJournal::Journal journal{journalLines(fiche.set(), settings), settings.decimals, fiche.company()};
    QApplication::restoreOverrideCursor();

    TJournal window(host.dialogParent());
    window.Init(std::move(journal),
                {[&host](const PrintJob &job) { return host.print(job); },
                 [&host](QDialog &dialog) { return host.showDialog(dialog); }, QDate::currentDate(), {}},
                [&host](const QString &text) { host.ui().inform(text); });
    host.showDialog(window);
}

} // namespace

void installJournal(CommandHost &host)
{
    host.setHandler(Cmd::Journal, [&host] { showJournal(host); });
    host.setHandler(Cmd::PlanComptable, [&host] { editAccounts(host); });
}
