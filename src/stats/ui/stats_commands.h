#pragma once

class CommandHost;

// The statistics of the "&Outils" menu: by month, client and room, and the
// occupancy per month, each shown in its window.
void installStatistics(CommandHost &host);
