#pragma once

class CommandHost;

// The accounting journal ("&Journal comptable") and the chart of accounts
// ("&Plan comptable").
void installJournal(CommandHost &host);
