#include "invoice_printout.h"

#include "credit_note.h"
#include "facturx.h"
#include "invoice_page.h"

#include "store/fiche.h"
#include "store/money.h"

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

// A company detail with its label, unless it is empty or already carries
// it ("APE 5510Z" stays as typed).
QString labelled(QStringView label, const QString &value)
{
    const QString v = value.trimmed();
    if (v.isEmpty())
        return value;
    const QString bare = label.toString().remove(QStringLiteral("N° "));
    if (v.startsWith(bare, Qt::CaseInsensitive) || v.startsWith(label, Qt::CaseInsensitive))
        return value;
    return label.toString() + QStringLiteral(" : ") + v;
}

QString dateText(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

// A business client's legal name above its address and its identifiers
// under it.
void buyerIds(PrintDocument &doc, const InvoiceCard &c, const ClientBusiness &b)
{
    if (!b.isBusiness())
        return;
    const QString name = b.legalName.trimmed();
    if (!name.isEmpty() && name != c.address[0].trimmed()) {
        setFont(doc, 10, true);
        doc.text(116, 55, name);
    }
    QStringList ids;
    if (!b.siret.trimmed().isEmpty())
        ids << QStringLiteral("SIREN/SIRET : ") + b.siret.trimmed();
    if (!b.vatNumber.trimmed().isEmpty())
        ids << QStringLiteral("N° TVA : ") + b.vatNumber.trimmed();
    setFont(doc, 8, false);
    doc.text(116, 80, ids.join(QStringLiteral("   ")));
}

// What a business is told at the foot of the last page: when to pay and
// what a late payment costs.
void paymentTerms(PrintDocument &doc, const InvoiceCard &c)
{
    setFont(doc, 7, false);
    doc.text(15, 272,
             QStringLiteral("Échéance : %1, paiement à %2 jours ; pas d'escompte pour paiement "
                            "anticipé.")
                 .arg(dateText(c.date.addDays(facturx::kPaymentDays)))
                 .arg(facturx::kPaymentDays));
    doc.text(15, 276,
             QStringLiteral("Pénalités de retard : trois fois le taux d'intérêt légal ; "
                            "indemnité forfaitaire pour frais de recouvrement : 40 €."));
    setFont(doc, 10, false);
}

// The invoice's own heading: client address, number, date, stay.
void heading(PrintDocument &doc, const InvoiceCard &c, const ClientBusiness &buyer)
{
    buyerIds(doc, c, buyer);
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

// Where the totals stand, left of and in the totals' box: without tax,
// VAT, the taxe de séjour when there is some, then the total with tax.
constexpr int kTotalHtY = 246, kTotalVatY = 251, kTouristTaxY = 256, kTotalY = 262;
constexpr int kTotalsBoxRule = 261;

// The captions of the totals' box, whatever the screen's VAT switch says:
// a French invoice shows its tax.
void invoiceCaptions(PrintDocument &doc, const InvoiceTotals &totals)
{
    setFont(doc, 10, true);
    doc.text(108, kTotalHtY, QStringLiteral("Total HT"));
    doc.text(108, kTotalVatY, QStringLiteral("Total TVA"));
    if (!totals.outsideVat.isZero())
        doc.text(108, kTouristTaxY, kTouristTaxPrinted.toString());
    setFont(doc, 12, true);
    doc.text(108, kTotalY, QStringLiteral("Total TTC"));
}

void invoiceTotals(PrintDocument &doc, const InvoiceTotals &totals, const QString &currency)
{
    setFont(doc, 10, true);
    doc.text(189, kTotalHtY, totals.exclusiveText, Align::Right);
    doc.text(189, kTotalVatY, totals.vatText, Align::Right);
    if (!totals.outsideVat.isZero())
        doc.text(189, kTouristTaxY, totals.outsideVatText, Align::Right);
    setFont(doc, 12, true);
    doc.text(189, kTotalY, totals.totalText + u' ' + currency, Align::Right);
}

// The VAT of each rate used, under the lines on the left: the code the
// lines' "T" column shows, its rate, the base without tax, the VAT and the
// base with tax; then the taxe de séjour, outside VAT.
void vatTable(PrintDocument &doc, const InvoiceTotals &t, int decimals)
{
    // Clear of the lines' columns above (17, 22, 62), so no text shares their x.
    constexpr double kCodeX = 18, kRateX = 24, kBaseX = 63, kVatX = 83, kWithTaxX = 104;
    setFont(doc, 8, true);
    doc.text(kCodeX, 246, QStringLiteral("T"));
    doc.text(kRateX, 246, QStringLiteral("Taux"));
    doc.text(kBaseX, 246, QStringLiteral("Base HT"), Align::Right);
    doc.text(kVatX, 246, QStringLiteral("TVA"), Align::Right);
    doc.text(kWithTaxX, 246, QStringLiteral("TTC"), Align::Right);
    setFont(doc, 8, false);
    int y = 250;
    for (std::size_t k = 0; k < 3; ++k) {
        if (!t.used[k])
            continue;
        doc.text(kCodeX, y, QString::number(k + 1));
        doc.text(kRateX, y, t.rates[k].exact() + QStringLiteral(" %"));
        doc.text(kBaseX, y, t.exclusive[k].format(decimals), Align::Right);
        doc.text(kVatX, y, t.vat[k].format(decimals), Align::Right);
        doc.text(kWithTaxX, y, t.inclusive[k].format(decimals), Align::Right);
        y += 4;
    }
    if (!t.outsideVat.isZero()) {
        doc.text(kCodeX, y, kOutsideVatCode.toString());
        doc.text(kRateX, y, kTouristTaxPrinted.toString() + QStringLiteral(" (hors TVA)"));
        doc.text(kWithTaxX, y, t.outsideVat.format(decimals), Align::Right);
    }
    setFont(doc, 10, false);
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
            {kTotalsBoxRule}};
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

void Dessin(PrintDocument &doc, const InvoiceTotals *totals)
{
    drawFrame(doc, invoiceFrame());
    if (totals)
        invoiceCaptions(doc, *totals);
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
    for (int k = 1; k <= 3; ++k)
        doc.text(15, 5 + 5 * k, l[std::size_t(k)]);
    doc.text(15, 25, labelled(u"SIRET", l[4]));
    setFont(doc, 8, true);
    doc.text(15, 30, labelled(u"N° TVA", l[5]));
    doc.text(15, 35, labelled(u"APE", l[6]));
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
    QList<QStringList> rows = printedRows(card.lines);
    for (QStringList &row : rows)
        if (row.size() > invoicecol::Price)
            row[invoicecol::Price] = priceText(row[invoicecol::Price], paper.decimals);
    LinePrintout p{kTitle,
                   invoiceFrame(),
                   rows,
                   card.memo,
                   [&card, &paper](PrintDocument &doc) { heading(doc, card, paper.buyer); },
                   printLine,
                   [&totals](PrintDocument &doc) { invoiceCaptions(doc, totals); },
                   [&](PrintDocument &doc) {
                       vatTable(doc, totals, paper.decimals);
                       invoiceTotals(doc, totals, paper.currency);
                       if (paper.buyer.isBusiness())
                           paymentTerms(doc, card);
                   }};
    return printLines(p, paper, m);
}

PrintJob ImpFactJob(InvoicePage &page, Fiche &fiche)
{
    return {kTitle, Orientation::Portrait, std::nullopt,
            [&page, &fiche](const PageMetrics &m, const PrintRange &) {
                // What is on the page now, never the totals of the last Enter.
                page.Calculef();
                const InvoicePaper paper{fiche.settings().paperType, fiche.company(),
                                         page.currencyLabel(), fiche.decimals(),
                                         facturx::partiesOf(page, fiche).buyer};
                return ImpFact(page.card(), page.totals(), paper, m);
            }};
}
