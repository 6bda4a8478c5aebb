#include "order_commands.h"

#include "order_dialogs.h"
#include "order_page_widget.h"
#include "purchasing/order_printout.h"
#include "purchasing/supplier_page.h"

#include "commands/command_host.h"

#include <QPointer>

#include <memory>

void installOrders(CommandHost &host)
{
    auto page = std::make_shared<OrderPage>(host.fiche());
    host.keep(page);
    // The widget lives with the record window, which may be built again.
    auto widget = std::make_shared<QPointer<TOrderPage>>();
    host.keep(widget);
    host.addPage(PageId::Orders, *page, [&host, page, widget] {
        auto *w = new TOrderPage(*page, host.fiche());
        w->setShowDialog([&host](QDialog &dialog) { return host.showDialog(dialog); });
        // The menus take this state at the next command.
        QObject::connect(w, &TOrderPage::gridFocusChanged, w, [&host](bool focused) {
            host.state().setEnabled(Cmd::SupprimerLigneCommande,
                                    focused && host.fiche().active() == PageId::Orders);
        });
        QObject::connect(w, &TOrderPage::printRequested, w,
                         [&host] { host.run(Cmd::ImprimerCommande); });
        *widget = w;
        return w;
    });
    auto shown = [&host] { emit host.fiche().cardChanged(PageId::Orders); };

    host.setHandler(Cmd::NouvelleCommande, [&host, page, widget, shown] {
        auto *suppliers = dynamic_cast<SupplierPage *>(&host.fiche().page(PageId::Suppliers));
        if (!suppliers || !page->NouvCmd(suppliers->card()))
            return;
        host.state().ValidePage(PageId::Orders);
        shown();
        if (TOrderPage *w = widget->get())
            w->focusFirstField();
    });
    host.setHandler(Cmd::SupprimerCommande, [&host, page, shown] {
        if (!host.ui().askOkCancel(QStringLiteral("Confirmer suppression de la Commande ?")))
            return;
        page->SupCmd();
        shown();
    });
    host.setHandler(Cmd::SupprimerLigneCommande, [page, shown] {
        page->SupLigne3();
        shown();
    });
    host.setHandler(Cmd::ListeCommandes, [&host, page, shown] {
        if (!page->leave())
            return;
        OrderList rows(host.fiche().set().table(Table::Orders));
        TCmdListe dialog(host.dialogParent());
        dialog.Init(rows);
        host.showDialog(dialog);
        if (dialog.chosen() >= 0)
            page->showOrder(dialog.chosen());
        shown();
    });
    // The order as it stands on screen, written back first when it can be.
    host.setHandler(Cmd::ImprimerCommande, [&host, page] {
        page->EcritCmd();
        host.print(ImpCmdJob(*page, host.fiche()));
    });
    host.setPageHandler(PageId::Orders, Cmd::Liste, [&host] { host.run(Cmd::ListeCommandes); });
    host.setPageHandler(PageId::Orders, Cmd::ImprimerFiche,
                        [&host] { host.run(Cmd::ImprimerCommande); });
}
