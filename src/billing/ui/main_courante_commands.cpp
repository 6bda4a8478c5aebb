#include "main_courante_commands.h"

#include "billing/main_courante_printout.h"
#include "cards/ui/file_dialogs.h"
#include "clients/client_exchange.h"
#include "main_courante_page_widget.h"
#include "commands/command_host.h"

#include <QFileDialog>

#include <memory>

namespace {

// The day sheet to a spreadsheet, a ".csv" or a ".txt" (TAB) file chosen by
// the person.
void exportDaySheet(CommandHost &host, const MainCourantePage &page)
{
    auto *clients = dynamic_cast<ClientPage *>(&host.fiche().page(PageId::Clients));
    if (!clients)
        return;
    QFileDialog dialog(host.dialogParent(), QStringLiteral("Exporter"));
    proposeExport(dialog, QStringLiteral("Main courante %1").arg(page.day().toString(QStringLiteral("yyyy-MM-dd"))));
    if (host.showDialog(dialog) != QDialog::Accepted)
        return;
    const QString path = acceptedFile(dialog, FileKind::Spreadsheet);
    Exporter(*clients, path, chosenExportFormat(dialog),
             [&page](char separator) { return page.exportRecords(separator); },
             [&page] { return page.daySheet(); });
}

} // namespace

void installMainCourante(CommandHost &host)
{
    auto page = std::make_shared<MainCourantePage>(host.fiche());
    host.keep(page);
    MainCourantePage *model = page.get();
    host.addPage(PageId::MainCourante, *model, [model] { return new TMainCourantePage(*model); });

    // The sheet printed is the one on screen: from another page the print
    // menu shows it first.
    auto print = [&host, model] {
        if (host.fiche().active() != PageId::MainCourante)
            host.run(Cmd::MainCourante);
        host.print(ImpMainCouranteJob(*model));
    };
    host.setPageHandler(PageId::MainCourante, Cmd::ImprimerFiche, print);
    host.setHandler(Cmd::ImprimerMainCourante, print);
    host.setPageHandler(PageId::MainCourante, Cmd::Exporter,
                        [&host, model] { exportDaySheet(host, *model); });
}
