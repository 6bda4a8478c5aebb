#include "invoice_printout.h"

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
    doc.text(15, 84, QStringLiteral("Facture N° ") + c.number);
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

// Rows 1 to the highest edited one, then those kept beyond the grid, less
// the empty rows at the end.
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

} // namespace

void Dessin(PrintDocument &doc, bool totals, bool vatShown)
{
    doc.frame(15, 90, 195, 270);
    doc.line(15, 100, 195, 100);
    doc.line(15, 245, 195, 245);
    for (int x : {40, 60, 115, 130, 155, 165, 190})
        doc.line(x, 90, x, 245);
    doc.line(140, 245, 140, 270);
    doc.line(140, 257, 195, 257);
    setFont(doc, 10, true);
    const struct
    {
        int x;
        const char16_t *text;
    } headings[] = {{17, u"Date"},           {42, u"Réf"},    {62, u"Désignation"},  {116, u"Qté"},
                    {131, u"Prix Unitaire"}, {156, u"R (%)"}, {166, u"Montant TTC"}, {191, u"T"}};
    for (const auto &h : headings)
        doc.text(h.x, 92, QString::fromUtf16(h.text));
    if (totals) {
        setFont(doc, 12, true);
        doc.text(108, 248, QStringLiteral("Total TTC"));
        if (vatShown)
            doc.text(108, 260, QStringLiteral("TVA"));
    }
    setFont(doc, 10, false);
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

PrintDocument ImpFact(const InvoiceCard &card, const InvoiceTotals &totals,
                      const InvoicePaper &paper, const PageMetrics &m)
{
    PrintDocument doc(kTitle, Orientation::Portrait, m);
    const QList<QStringList> rows = printedRows(card.lines);
    const int n = int(rows.size());

    // Each line and memo line takes a slot: page, then y = 105 + 5 * slot.
    struct Slot
    {
        int page, slot;
    };
    const int linePages = std::max(1, (n + kInvoiceLinesPerPage - 1) / kInvoiceLinesPerPage);
    const int onLast = n - (linePages - 1) * kInvoiceLinesPerPage;
    QList<Slot> memo;
    Slot at{linePages - 1, std::max(kMemoEndSlot - int(card.memo.size()), onLast)};
    for (qsizetype k = 0; k < card.memo.size(); ++k) {
        if (at.slot >= kInvoiceLinesPerPage)
            at = {at.page + 1, 0};
        memo << at;
        ++at.slot;
    }
    const int pages = memo.isEmpty() ? linePages : memo.last().page + 1;

    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            doc.newPage();
        const bool last = p == pages - 1;
        if (paper.paperType == 0 || paper.paperType == 1)
            Dessin(doc, last, card.vatShown);
        if (paper.paperType == 0)
            EnTete(doc, paper.company);
        heading(doc, card);

        setFont(doc, 10, false);
        const int first = p * kInvoiceLinesPerPage;
        for (int i = first; i < std::min(n, first + kInvoiceLinesPerPage); ++i)
            printLine(doc, kFirstLineY + kLine * (i - first), rows[i]);
        for (qsizetype k = 0; k < memo.size(); ++k)
            if (memo[k].page == p)
                doc.text(22, kFirstLineY + kLine * memo[k].slot, card.memo[k]);

        if (last) {
            setFont(doc, 12, true);
            doc.text(189, 248, totals.totalText + u' ' + paper.currency, Align::Right);
            if (card.vatShown)
                doc.text(189, 261, totals.vatText + QStringLiteral(" Euros"), Align::Right);
        }
        if (pages > 1) {
            setFont(doc, 10, false);
            doc.text(195, 274, QStringLiteral("Page %1/%2").arg(p + 1).arg(pages), Align::Right);
        }
    }
    return doc;
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
