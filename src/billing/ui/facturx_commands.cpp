#include "facturx_commands.h"

#include "billing/facturx.h"
#include "billing/invoice_page.h"
#include "billing/invoice_printout.h"
#include "print/ui/facturx_pdf.h"
#include "print/ui/renderer.h"
#include "commands/command_host.h"
#include "store/fiche.h"
#include "store/ui.h"

void installFacturX(CommandHost &host)
{
    host.setHandler(Cmd::ExporterFacturX, [&host] {
        auto *page = dynamic_cast<InvoicePage *>(&host.fiche().page(PageId::Invoices));
        if (!page)
            return;
        if (host.fiche().active() != PageId::Invoices)
            host.run(Cmd::Factures);
        // What the file holds is what the table holds.
        page->EcritFact();
        QString error;
        const std::optional<QByteArray> xml = facturx::xmlOf(*page, host.fiche(), &error);
        if (!xml) {
            host.ui().inform(error);
            return;
        }
        PrintUi printUi;
        const QString path = printUi.choosePdfFile(
            host.dialogParent(), QStringLiteral("Facture-%1.pdf").arg(page->card().number));
        if (path.isEmpty())
            return;
        if (!writeFacturXPdf(ImpFactJob(*page, host.fiche()), *xml, path, &error))
            host.ui().inform(error);
    });
}
