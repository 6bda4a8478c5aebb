#pragma once

class CommandHost;

// "&Fiche de police" of the print menu: the police form of the client card
// shown, on A5.
void installPoliceForm(CommandHost &host);
