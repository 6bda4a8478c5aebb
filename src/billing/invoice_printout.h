#pragma once

#include "invoice.h"

#include "print/print_job.h"
#include "store/settings.h"

class Fiche;
class InvoicePage;

// What an invoice printout needs besides the invoice: the paper in the
// printer (0 plain paper: frame and company heading; 1 letterhead: the
// frame only; anything else: neither), the company heading and the
// currency label shown beside the total.
struct InvoicePaper
{
    int paperType = 0;
    Company company;
    QString currency = QStringLiteral("Euros");
};

// Lines printed inside the frame of one page, 5 mm apart from y 105.
inline constexpr int kInvoiceLinesPerPage = 28;

// `Dessin`: the frame and the column headings of a page; the totals'
// captions only on the page that carries the totals.
void Dessin(PrintDocument &doc, bool totals, bool vatShown);
// `EnTete`: the company heading at the top of a page.
void EnTete(PrintDocument &doc, const Company &company);

// `ImpFact`: the invoice on as many portrait pages as its lines and memo
// need. Each page carries the frame, the headings and the invoice's own
// heading (and the company heading on plain paper); the lines run 28 to a
// page, the memo stands above the totals' box and never over a line (it
// follows the lines when they leave it no room), the totals are on the
// last page and "Page n/N" at the foot when there are several pages.
// `totals` are those Calculef gave for the card.
PrintDocument ImpFact(const InvoiceCard &card, const InvoiceTotals &totals,
                      const InvoicePaper &paper, const PageMetrics &m);

// The invoice shown on the page, as a print job; page and record window
// must outlive the printing.
PrintJob ImpFactJob(const InvoicePage &page, Fiche &fiche);
