#include "order_printout.h"

#include "order_page.h"

#include "store/fiche.h"

namespace {

const QString kTitle = QStringLiteral("Commande");

void font(PrintDocument &doc, double size, bool bold)
{
    doc.setFont(PrintFont{QStringLiteral("Arial"), size, bold});
}

LineFrame orderFrame(bool pricesWithTax)
{
    const QStringList headings = orderHeadings(pricesWithTax);
    return {{40, 115, 130, 155, 165, 190},
            {{17, headings[ordercol::Ref]},
             {42, headings[ordercol::Designation]},
             {116, QStringLiteral("Qté")},
             {131, headings[ordercol::Price]},
             {156, headings[ordercol::Discount]},
             {166, headings[ordercol::Amount]},
             {191, headings[ordercol::Vat]}},
            {}};
}

void orderHeading(PrintDocument &doc, const OrderCard &c)
{
    font(doc, 10, true);
    for (std::size_t k = 0; k < c.address.size(); ++k)
        doc.text(116, 60 + 5 * double(k), c.address[k]);
    font(doc, 12, true);
    doc.text(116, 84, QStringLiteral("Date ") + c.date.toString(QStringLiteral("dd/MM/yyyy")));
    doc.text(15, 69,
             c.pricesWithTax ? QStringLiteral("Commande TTC") : QStringLiteral("Commande H.T."));
    doc.text(15, 74, QStringLiteral("Conditions : ") + c.payment);
    doc.text(15, 79, QStringLiteral("Code fournisseur : ") + c.supplier);
    doc.text(15, 84, QStringLiteral("Commande N° ") + c.number);
}

void orderLine(PrintDocument &doc, double y, const QStringList &cells)
{
    using namespace ordercol;
    const PrintFont f = doc.font();
    doc.text(17, y, elidedArial(cells.value(Ref), 22, f));
    doc.text(42, y, elidedArial(cells.value(Designation), 72, f));
    const std::pair<int, double> amounts[] = {
        {Quantity, 128}, {Price, 153}, {Discount, 163}, {Amount, 188}};
    for (const auto &[column, right] : amounts)
        doc.text(right, y, cells.value(column).trimmed(), Align::Right);
    doc.text(191, y, cells.value(Vat));
}

} // namespace

PrintDocument ImpCmd(const OrderCard &card, const LineTotals &totals, const InvoicePaper &paper,
                     const PageMetrics &m)
{
    // The three totals stand in the box, 7 mm apart.
    const std::pair<QString, QString> lines[] = {
        {QStringLiteral("Total H.T."), totals.exclusiveText},
        {QStringLiteral("Total TVA"), totals.vatText},
        {QStringLiteral("TOTAL TTC"), totals.totalText + u' ' + paper.currency}};
    const LinePrintout p{kTitle,
                         orderFrame(card.pricesWithTax),
                         printedRows(card.lines),
                         card.memo,
                         [&card](PrintDocument &doc) { orderHeading(doc, card); },
                         orderLine,
                         [&lines](PrintDocument &doc) {
                             font(doc, 11, true);
                             for (int k = 0; k < 3; ++k)
                                 doc.text(108, 247 + 7 * k, lines[k].first);
                         },
                         [&lines](PrintDocument &doc) {
                             font(doc, 11, true);
                             for (int k = 0; k < 3; ++k)
                                 doc.text(193, 247 + 7 * k, lines[k].second, Align::Right);
                         }};
    return printLines(p, paper, m);
}

PrintJob ImpCmdJob(OrderPage &page, Fiche &fiche)
{
    return {kTitle, Orientation::Portrait, std::nullopt,
            [&page, &fiche](const PageMetrics &m, const PrintRange &) {
                // What is on the page now, never the totals of the last Enter.
                page.Calculec();
                const InvoicePaper paper{fiche.settings().paperType, fiche.company(),
                                         page.currencyLabel()};
                return ImpCmd(page.card(), page.totals(), paper, m);
            }};
}
