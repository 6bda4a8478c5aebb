#pragma once

class CommandHost;

// "État de la taxe de séjour" in "&Outils".
void installTouristTax(CommandHost &host);
