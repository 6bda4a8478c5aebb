#include "utility_commands.h"

#include "calendar_window.h"
#include "clock_window.h"
#include "devises_window.h"
#include "departements_window.h"
#include "euro_window.h"
#include "pocket_window.h"
#include "commands/command_host.h"
#include "store/fiche.h"

namespace {

template <typename Window, typename... Args> void showWindow(CommandHost &host, Args &...args)
{
    Window window(args..., host.dialogParent());
    host.showDialog(window);
}

} // namespace

void installUtilities(CommandHost &host)
{
    host.setHandler(Cmd::Calendrier, [&host] { showWindow<TCalendrier>(host); });
    host.setHandler(Cmd::Calculatrice, [&host] { showWindow<TPocket>(host); });
    host.setHandler(Cmd::Horloge, [&host] { showWindow<THorloge>(host, host.ui()); });
    host.setHandler(Cmd::EuroConversion, [&host] { showWindow<TEurof>(host); });
    host.setHandler(Cmd::Departements, [&host] { showWindow<TDepartmnt>(host); });
    // Devises: the state goes back to the settings however the window closes.
    host.setHandler(Cmd::Devises, [&host] {
        TDevisef window(host.dialogParent());
        window.Init(host.fiche().settings());
        host.showDialog(window);
        window.Result(host.fiche().settings());
    });
}
