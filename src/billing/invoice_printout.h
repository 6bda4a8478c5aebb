#pragma once

#include "invoice.h"

#include "clients/client_page.h"
#include "print/print_job.h"
#include "store/settings.h"

#include <functional>
#include <utility>

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
    int decimals = 2; // of the amounts printed
    // The client as a business: its legal name and identifiers are printed
    // under its address, and the due date and late-payment terms at the foot.
    ClientBusiness buyer = {};
};

// The caption of the "D" lines' total on paper.
inline constexpr QStringView kTouristTaxPrinted = u"Taxe de séjour";

// Lines printed inside the frame of one page, 5 mm apart from y 105.
inline constexpr int kInvoiceLinesPerPage = 28;

// The columns of a printout of lines (an invoice, an order): the rules
// between them inside the frame, their headings at y 92, and the rules
// that split the totals' box.
struct LineFrame
{
    QList<int> rules;
    QList<std::pair<int, QString>> headings;
    QList<int> boxRules;
};

// A printout of lines on as many portrait pages as its lines and memo
// need: each page carries the frame, the headings and the card's own
// heading (and the company heading on plain paper); the lines run 28 to a
// page, the memo stands above the totals' box and never over a line, the
// totals are on the last page and "Page n/N" at the foot when there are
// several pages.
struct LinePrintout
{
    QString title;
    LineFrame frame;
    QList<QStringList> rows;
    QStringList memo;
    // The card's own heading, on every page.
    std::function<void(PrintDocument &)> heading;
    // One row of cells at y, in regular.
    std::function<void(PrintDocument &, double, const QStringList &)> line;
    // The captions of the totals' box, on the last page with the frame.
    std::function<void(PrintDocument &)> captions;
    // The totals, on the last page.
    std::function<void(PrintDocument &)> totals;
};
PrintDocument printLines(const LinePrintout &printout, const InvoicePaper &paper,
                         const PageMetrics &m);
// Rows 1 to the highest edited one, then those kept beyond the grid, less
// the empty rows at the end.
QList<QStringList> printedRows(const LineGrid &grid);
// The frame of a printout of lines and its column headings.
void drawFrame(PrintDocument &doc, const LineFrame &frame);

// `Dessin`: the frame and the column headings of a page; the totals'
// captions only on the page that carries the totals (given).
void Dessin(PrintDocument &doc, const InvoiceTotals *totals);
// `EnTete`: the company heading at the top of a page.
void EnTete(PrintDocument &doc, const Company &company);

// `ImpFact`: the invoice on as many portrait pages as its lines and memo
// need. Each page carries the frame, the headings and the invoice's own
// heading (and the company heading on plain paper); the lines run 28 to a
// page, the memo stands above the totals' box and never over a line (it
// follows the lines when they leave it no room), the totals are on the
// last page and "Page n/N" at the foot when there are several pages. Under
// the lines, whatever the screen's VAT switch: the VAT of each rate used
// (code, rate, base without tax, VAT, base with tax) and the taxe de séjour
// apart; in the totals' box the totals without tax, of VAT, of the taxe de
// séjour and with tax. `totals` are those the page shows for the card.
PrintDocument ImpFact(const InvoiceCard &card, const InvoiceTotals &totals,
                      const InvoicePaper &paper, const PageMetrics &m);

// The invoice shown on the page, as a print job that first computes it
// afresh; page and record window must outlive the printing.
PrintJob ImpFactJob(InvoicePage &page, Fiche &fiche);
