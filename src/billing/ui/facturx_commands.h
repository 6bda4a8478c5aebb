#pragma once

class CommandHost;

// "Exporter la facture électronique (Factur-X)..." on the invoice page.
void installFacturX(CommandHost &host);
