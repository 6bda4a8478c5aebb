#pragma once

class CommandHost;

// The "&Utilitaires" windows: calendar, calculator, clock, euro and currency
// converters, départements. Each is made when its command is chosen, shown
// modally and destroyed; only the currency converter keeps its state, in the
// settings, from one opening and one run to the next.
void installUtilities(CommandHost &host);
