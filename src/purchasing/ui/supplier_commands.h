#pragma once

class CommandHost;

// The supplier page and its commands: the page itself, its list window,
// the search by name, the two selections, the family list, and what copy,
// paste and the list key do while it is shown.
void installSuppliers(CommandHost &host);
