#pragma once

class CommandHost;

// The purchase orders page and the order commands of "&Achat".
void installOrders(CommandHost &host);
