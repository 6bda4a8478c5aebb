#include "supplier_commands.h"

#include "commands/command_host.h"
#include "cards/ui/list_dialog.h"
#include "supplier_page_widget.h"

#include <QPointer>

#include <memory>

void installSuppliers(CommandHost &host)
{
    auto page = std::make_shared<SupplierPage>(host.fiche());
    host.keep(page);
    // The widget lives with the record window, which may be built again.
    auto widget = std::make_shared<QPointer<TSupplierPage>>();
    host.keep(widget);
    host.addPage(PageId::Suppliers, *page, [page, widget] {
        *widget = new TSupplierPage(*page);
        return widget->get();
    });

    const ShowDialog show = [&host](QDialog &dialog) { return host.showDialog(dialog); };
    // What runs on the page widget does nothing before the window is built.
    auto onWidget = [widget](auto f) {
        return [widget, f] {
            if (TSupplierPage *w = widget->get())
                f(*w);
        };
    };

    host.setHandler(Cmd::ListeFournisseurs, onWidget([show](TSupplierPage &w) { w.Liste(show); }));
    host.setHandler(Cmd::RechercherFournisseur,
                    onWidget([show](TSupplierPage &w) { w.RechNom(show); }));
    // The selections: the window moves to the first supplier after them.
    host.setHandler(Cmd::TousLesFournisseurs, [page] { page->SetFour(1); });
    host.setHandler(Cmd::FournisseursFamille,
                    onWidget([show](TSupplierPage &w) { w.SetFour(2, show); }));
    host.setHandler(Cmd::FamillesFournisseurs, [&host, widget] {
        TListe::run(host.dialogParent(), host.fiche().lists().supplierFamilies,
                    kSupplierFamiliesEditor);
        if (TSupplierPage *w = widget->get())
            w->refresh();
    });

    host.setPageHandler(PageId::Suppliers, Cmd::Copier, [page] { page->copy(); });
    host.setPageHandler(PageId::Suppliers, Cmd::Coller, [page, widget] {
        page->paste();
        if (TSupplierPage *w = widget->get())
            w->refresh();
    });
    host.setPageHandler(PageId::Suppliers, Cmd::Liste, [&host] { host.run(Cmd::ListeFournisseurs); });
}
