#include "invoice_printout.h"

#include "credit_note.h"
#include "invoice_page.h"

#include "store/fiche.h"

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("Facture");
constexpr int kFirstLineY = 105;
constexpr int kLine = 5;
// The memo's last line stands here, above the totals' box, when the lines
// leave it room: memo line slots end where slot 23 (y 220) begins.
constexpr int kMemoEndSlot = 23;

void setFont(PrintDocument &doc, double size, bool bold)
{
    doc.setFont(PrintFont{QStringLiteral("Arial"), size, bold});
}

QString dateText(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

// The invoice's own heading: client address, number, date, stay.
void heading(PrintDocument &doc, const InvoiceCard &c)
{
    setFont(doc, 10, true);
    for (int k = 0; k < 4; ++k)
        doc.text(116, 60 + 5 * k, c.address[std::size_t(k)]);
    setFont(doc, 12, true);
    doc.text(116, 84, QStringLiteral("Date ") + dateText(c.date));
    doc.text(15, 59, QStringLiteral("Chambre : ") + c.room);
    doc.text(15, 64, QStringLiteral("Occupant : ") + c.occupant);
    doc.text(15, 69,
             QStringLiteral("Séjour du ") + dateText(c.stayFrom) + QStringLiteral(" au ") +
                 dateText(c.stayTo));
    doc.text(15, 74, QStringLiteral("Règlement : ") + c.payment);
    doc.text(15, 79, QStringLiteral("Code client : ") + c.client);
    // A credit note says what it is on paper.
    const bool creditNote = !creditnote::cancelledNumber(c).isEmpty();
    doc.text(15, 84,
             (creditNote ? QStringLiteral("Avoir N° ") : QStringLiteral("Facture N° ")) + c.number);
}

void printLine(PrintDocument &doc, double y, const QStringList &cells)
{
    using namespace invoicecol;
    const PrintFont font = doc.font();
    auto cell = [&](int col) { return cells.value(col); };
    // Texts are cut at their column's rule rather than printed over the next.
    doc.text(17, y, elidedArial(cell(Date), 22, font));
    doc.text(42, y, elidedArial(cell(Code), 17, font));
    doc.text(62, y, elidedArial(cell(Designation), 52, font));
    doc.text(128, y, cell(Quantity).trimmed(), Align::Right);
    doc.text(153, y, cell(Price).trimmed(), Align::Right);
    doc.text(163, y, cell(Discount).trimmed(), Align::Right);
    doc.text(188, y, cell(Amount).trimmed(), Align::Right);
    doc.text(191, y, cell(Vat));
}

// The captions of the totals' box.
void invoiceCaptions(PrintDocument &doc, bool vatShown)
{
    setFont(doc, 12, true);
    doc.text(108, 248, QStringLiteral("Total TTC"));
    if (vatShown)
        doc.text(108, 260, QStringLiteral("TVA"));
}

LineFrame invoiceFrame()
{
    return {{40, 60, 115, 130, 155, 165, 190},
            {{17, QStringLiteral("Date")},
             {42, QStringLiteral("Réf")},
             {62, QStringLiteral("Désignation")},
             {116, QStringLiteral("Qté")},
             {131, QStringLiteral("Prix Unitaire")},
             {156, QStringLiteral("R (%)")},
             {166, QStringLiteral("Montant TTC")},
             {191, QStringLiteral("T")}},
            {257}};
}

} // namespace

void drawFrame(PrintDocument &doc, const LineFrame &frame)
{
    doc.frame(15, 90, 195, 270);
    doc.line(15, 100, 195, 100);
    doc.line(15, 245, 195, 245);
    for (int x : frame.rules)
        doc.line(x, 90, x, 245);
    doc.line(140, 245, 140, 270);
    for (int y : frame.boxRules)
        doc.line(140, y, 195, y);
    setFont(doc, 10, true);
    for (const auto &[x, heading] : frame.headings)
        doc.text(x, 92, heading);
}

void Dessin(PrintDocument &doc, bool totals, bool vatShown)
{
    drawFrame(doc, invoiceFrame());
    if (totals)
        invoiceCaptions(doc, vatShown);
    setFont(doc, 10, false);
}

QList<QStringList> printedRows(const LineGrid &grid)
{
    QList<QStringList> rows;
    for (int r = 1; r <= std::min(grid.highest, grid.rows()); ++r)
        rows << grid.row(r);
    rows += grid.more;
    auto empty = [](const QStringList &row) {
        return std::all_of(row.begin(), row.end(),
                           [](const QString &s) { return s.trimmed().isEmpty(); });
    };
    while (!rows.isEmpty() && empty(rows.last()))
        rows.removeLast();
    return rows;
}

void EnTete(PrintDocument &doc, const Company &company)
{
    const auto &l = company.lines;
    setFont(doc, 14, true);
    doc.text(15, 0, l[0]);
    setFont(doc, 10, true);
    for (int k = 1; k <= 4; ++k)
        doc.text(15, 5 + 5 * k, l[std::size_t(k)]);
    setFont(doc, 8, true);
    doc.text(15, 30, l[5]);
    doc.text(15, 35, l[6]);
    setFont(doc, 10, false);
}

PrintDocument printLines(const LinePrintout &p, const InvoicePaper &paper, const PageMetrics &m)
{
    PrintDocument doc(p.title, Orientation::Portrait, m);
    const int n = int(p.rows.size());

    // Each line and memo line takes a slot: page, then y = 105 + 5 * slot.
    struct Slot
    {
        int page, slot;
    };
    const int linePages = std::max(1, (n + kInvoiceLinesPerPage - 1) / kInvoiceLinesPerPage);
    const int onLast = n - (linePages - 1) * kInvoiceLinesPerPage;
    QList<Slot> memo;
    Slot at{linePages - 1, std::max(kMemoEndSlot - int(p.memo.size()), onLast)};
    for (qsizetype k = 0; k < p.memo.size(); ++k) {
        if (at.slot >= kInvoiceLinesPerPage)
            at = {at.page + 1, 0};
        memo << at;
        ++at.slot;
    }
    const int pages = memo.isEmpty() ? linePages : memo.last().page + 1;

    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            doc.newPage();
        const bool last = page == pages - 1;
        if (paper.paperType == 0 || paper.paperType == 1)
            drawFrame(doc, p.frame);
        if (paper.paperType == 0)
            EnTete(doc, paper.company);
        p.heading(doc);

        setFont(doc, 10, false);
        const int first = page * kInvoiceLinesPerPage;
        for (int i = first; i < std::min(n, first + kInvoiceLinesPerPage); ++i)
            p.line(doc, kFirstLineY + kLine * (i - first), p.rows[i]);
        for (qsizetype k = 0; k < memo.size(); ++k)
            if (memo[k].page == page)
                doc.text(22, kFirstLineY + kLine * memo[k].slot, p.memo[k]);

        if (last && (paper.paperType == 0 || paper.paperType == 1) && p.captions)
            p.captions(doc);
        if (last)
            p.totals(doc);
        if (pages > 1) {
            setFont(doc, 10, false);
            doc.text(195, 274, QStringLiteral("Page %1/%2").arg(page + 1).arg(pages), Align::Right);
        }
    }
    return doc;
}

PrintDocument ImpFact(const InvoiceCard &card, const InvoiceTotals &totals,
                      const InvoicePaper &paper, const PageMetrics &m)
{
    LinePrintout p{kTitle,
                   invoiceFrame(),
                   printedRows(card.lines),
                   card.memo,
                   [&card](PrintDocument &doc) { heading(doc, card); },
                   printLine,
                   [&card](PrintDocument &doc) { invoiceCaptions(doc, card.vatShown); },
                   [&](PrintDocument &doc) {
                       setFont(doc, 12, true);
                       doc.text(189, 248, totals.totalText + u' ' + paper.currency, Align::Right);
                       if (card.vatShown)
                           doc.text(189, 261, totals.vatText + QStringLiteral(" Euros"),
                                    Align::Right);
                   }};
    return printLines(p, paper, m);
}

PrintJob ImpFactJob(const InvoicePage &page, Fiche &fiche)
{
    return {kTitle, Orientation::Portrait, std::nullopt,
            [&page, &fiche](const PageMetrics &m, const PrintRange &) {
                const InvoicePaper paper{fiche.settings().paperType, fiche.company(),
                                         page.currencyLabel()};
                return ImpFact(page.card(), page.totals(), paper, m);
            }};
}
