#pragma once

class CommandHost;

// Credit notes: "Établir un avoir" on the invoice page, and the deletion
// commands that refuse a validated invoice before asking anything.
void installCreditNotes(CommandHost &host);
