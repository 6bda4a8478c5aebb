#include "credit_note_commands.h"

#include "billing/credit_note.h"
#include "billing/invoice_page.h"
#include "commands/command_host.h"
#include "store/fiche.h"
#include "store/ui.h"

namespace {

InvoicePage *invoicePage(CommandHost &host)
{
    return dynamic_cast<InvoicePage *>(&host.fiche().page(PageId::Invoices));
}

// A deletion of the invoice shown: refused at once when it is validated,
// otherwise done after the person confirms `question`.
void deleteInvoice(CommandHost &host, const QString &question, bool wholeCard)
{
    InvoicePage *page = invoicePage(host);
    if (!page || page->deletionRefused())
        return;
    if (!host.ui().askOkCancel(question))
        return;
    if (wholeCard) {
        host.fiche().Supprimer();
        return;
    }
    page->SupFact();
    emit host.fiche().cardChanged(PageId::Invoices);
}

} // namespace

void installCreditNotes(CommandHost &host)
{
    host.setHandler(Cmd::EtablirAvoir, [&host] {
        InvoicePage *page = invoicePage(host);
        if (!page)
            return;
        if (host.fiche().active() != PageId::Invoices)
            host.run(Cmd::Factures);
        EtablirAvoir(host.fiche(), *page);
        emit host.fiche().cardChanged(PageId::Invoices);
    });
    host.setHandler(Cmd::SupprimerFacture, [&host] {
        deleteInvoice(host, QStringLiteral("Confirmer suppression de la facture ?"), false);
    });
    host.setPageHandler(PageId::Invoices, Cmd::SupprimerFiche, [&host] {
        deleteInvoice(host, QStringLiteral("Confirmer suppression de la fiche ?"), true);
    });
}
