#include "police_commands.h"

#include "clients/police_form.h"
#include "commands/command_host.h"
#include "store/fiche.h"

void installPoliceForm(CommandHost &host)
{
    host.setHandler(Cmd::ImprimerFichePolice, [&host] {
        Fiche &fiche = host.fiche();
        if (const auto *clients = dynamic_cast<const ClientPage *>(&fiche.page(PageId::Clients)))
            host.print(police::FichePoliceJob(clients->card(), fiche.company()));
    });
}
