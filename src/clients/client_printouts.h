#pragma once

#include "client_page.h"
#include "print/print_job.h"
#include "store/record_table.h"
#include "store/settings.h"

// The printouts of the client page, laid out for a printer's page metrics.

// The history entry row as the page shows it.
struct HistoryEntry
{
    QDate date;
    QString label, amount;
};

// The card on screen (`ImpFiche`): portrait, Arial 10, one page.
PrintDocument ImpFiche(const ClientCard &card, const HistoryEntry &entry, const PageMetrics &m);
PrintDocument ImpFiche(const ClientPage &page, const PageMetrics &m);

// Client numbers chosen in the print dialog (from 1) to the block numbers
// listed; first > last when there is nothing to list.
struct BlockRange
{
    int first = 0, last = -1;
};
BlockRange clientBlocks(int from, int to, int count);

// The column heading of the client list, at the top of each page.
void Entete1(PrintDocument &doc);

// The client list (`ImpCli`): landscape, blocks first to last in block order,
// missing blocks skipped; a text too long for its column is cut with "…".
PrintDocument ImpCli(const RecordTable &clients, BlockRange blocks, const PageMetrics &m);

// The envelope (`ImpEnv`): sender from the company heading, recipient from
// the card, both moved down by the envelope guide offset.
Orientation envelopeOrientation(const Settings &settings);
PrintDocument ImpEnv(const ClientCard &card, const Company &company, const Settings &settings,
                     const PageMetrics &m);

// The three printouts as print jobs, laid out once the printer is chosen.
// The list offers the client numbers 1 to `count` as its range; the envelope
// asks for an envelope when a printer (not a file) is to print it. The jobs
// refer to their arguments, which must outlive the printing.
PrintJob ImpFicheJob(const ClientPage &page);
PrintJob ImpCliJob(const RecordTable &clients, int count);
// The list of the page's clients: the card on screen is written back first,
// so that the list holds its edits.
PrintJob ImpCliJob(ClientPage &page);
PrintJob ImpEnvJob(const ClientCard &card, const Company &company, const Settings &settings);
