#include "tourist_tax.h"

#include "billing/invoice.h"
#include "store/codec.h"
#include "store/text.h"


namespace {

// The quantities of a card's "D" lines (the number before a quantity's
// first blank, as the totals read it).
Money outsideVatQuantity(const InvoiceCard &card)
{
    Money sum;
    auto add = [&sum](const QStringList &cells) {
        if (cells.value(invoicecol::Vat).trimmed().compare(kOutsideVatCode, Qt::CaseInsensitive) != 0)
            return;
        const QString q = cells.value(invoicecol::Quantity).trimmed();
        if (const auto v = Money::parse(QStringView(q).left(q.indexOf(u' '))))
            sum += *v;
    };
    for (int r = 1; r <= card.lines.rows(); ++r)
        add(card.lines.row(r));
    for (const QStringList &cells : card.lines.more)
        add(cells);
    return sum;
}

QList<QStringList> cells(const TouristTaxReport &report, int decimals)
{
    QList<QStringList> rows;
    rows.reserve(report.rows.size() + 1);
    for (const TouristTaxRow &r : report.rows)
        rows << QStringList{r.number,
                            r.client,
                            text::dateText(r.arrival),
                            text::dateText(r.departure),
                            QString::number(r.nights),
                            QString::number(r.persons()),
                            r.personNights.exact(),
                            r.amount.format(decimals)};
    // The total stands even for a period without tax: it declares nothing.
    rows << QStringList{QStringLiteral("Total"),
                        QString(),
                        QString(),
                        QString(),
                        QString::number(report.nights),
                        QString(),
                        report.personNights.exact(),
                        report.amount.format(decimals)};
    return rows;
}

const QStringList kHeadings = {QStringLiteral("Facture"),  QStringLiteral("Client"),
                               QStringLiteral("Arrivée"),  QStringLiteral("Départ"),
                               QStringLiteral("Nuits"),    QStringLiteral("Personnes"),
                               QStringLiteral("Nuitées"),  QStringLiteral("Montant")};

} // namespace

qint64 TouristTaxRow::persons() const
{
    // Divided exactly and rounded once, half away from zero.
    const auto each = personNights.mulDiv(Money::whole(1), Money::whole(nights != 0 ? nights : 1), 0);
    const qint64 p = each ? each->units() / Money::kUnit : 0;
    // A quantity changed by hand may fall short of a night each: someone paid.
    if (p == 0 && !personNights.isZero())
        return personNights.isNegative() ? -1 : 1;
    return p;
}

TouristTaxReport touristTaxReport(const FileSet &set, const InvoicePassSettings &settings,
                                  QDate from, QDate to)
{
    TouristTaxReport report;
    const RecordTable &t = set.table(Table::Invoices);
    for (const InvoiceFigures &f : invoiceFigures(set, settings)) {
        if (!f.validated || !f.date.isValid() || f.date < from || f.date > to)
            continue;
        const Money amount = f.outsideVat;
        if (amount.isZero())
            continue;
        // Only the few invoices carrying the tax are read in full.
        const qsizetype start = t.blockStart(f.block);
        const qsizetype end = t.blockStop(start, f.block);
        InvoiceCard card;
        readInvoiceBlock(card, t, start, end);
        TouristTaxRow row;
        // A credit note is named as such: its tax comes off its invoice's.
        row.number = f.cancels.isEmpty() ? f.number : QStringLiteral("Avoir ") + f.number;
        row.client = f.name.isEmpty() ? f.client : f.name;
        row.arrival = card.stayFrom;
        row.departure = card.stayTo;
        row.personNights = outsideVatQuantity(card);
        const qint64 stay = card.stayFrom.isValid() && card.stayTo.isValid()
                                ? std::max<qint64>(0, card.stayFrom.daysTo(card.stayTo))
                                : 0;
        row.nights = amount.isNegative() ? -stay : stay;
        row.amount = amount;
        report.nights += row.nights;
        report.personNights += row.personNights;
        report.amount += row.amount;
        report.rows << row;
    }
    return report;
}

GridSheet touristTaxSheet(const TouristTaxReport &report, int decimals)
{
    GridSheet sheet;
    sheet.columns = {{QString(), 40, false},
                     {kHeadings[0], 80, false},
                     {kHeadings[1], 200, false},
                     {kHeadings[2], 78, false},
                     {kHeadings[3], 78, false},
                     {kHeadings[4], 50, true},
                     {kHeadings[5], 70, true},
                     {kHeadings[6], 60, true},
                     {kHeadings[7], 90, true}};
    int ordinal = 0;
    for (QStringList row : cells(report, decimals)) {
        const bool total = ordinal == report.rows.size();
        row.prepend(total ? QString() : QString::number(++ordinal));
        sheet.rows << row;
    }
    return sheet;
}

QString touristTaxHeading(QDate from, QDate to)
{
    return QStringLiteral("Taxe de séjour du %1 au %2").arg(text::dateText(from), text::dateText(to));
}

Spreadsheet touristTaxSpreadsheet(const TouristTaxReport &report, int decimals)
{
    Spreadsheet sheet{QStringLiteral("Taxe de séjour"), {}, cells(report, decimals)};
    const CellType types[] = {CellType::Text,    CellType::Text,    CellType::Date,    CellType::Date,
                              CellType::Integer, CellType::Integer, CellType::Integer, CellType::Amount};
    for (qsizetype c = 0; c < kHeadings.size(); ++c)
        sheet.columns << SheetColumn{kHeadings[c], types[c]};
    return sheet;
}

QByteArray touristTaxCsv(const TouristTaxReport &report, int decimals)
{
    return delimitedBytes(touristTaxSpreadsheet(report, decimals), ExportFormat::CsvWindows1252);
}
