#include "tourist_tax_line.h"

#include "store/money.h"
#include "store/text.h"

int liablePersons(const QString &family)
{
    const QString f = family.trimmed();
    if (f.compare(u"Couple", Qt::CaseInsensitive) == 0 || f.contains(u"enfant", Qt::CaseInsensitive))
        return 2;
    return 1;
}

bool addTouristTaxLine(InvoiceCard &card, double amountPerNight, const QString &family,
                       QDate stayFrom, QDate stayTo, QDate day, int decimals)
{
    // The settings keep the amount as a real: its exact decimal is the price.
    const auto price = Money::fromReal(amountPerNight);
    if (!price || *price <= Money() || !stayFrom.isValid() || !stayTo.isValid())
        return false;
    const qint64 nights = stayFrom.daysTo(stayTo);
    LineGrid &g = card.lines;
    int row = g.highest + 1;
    while (row <= g.rows() && !g.rowIsEmpty(row))
        ++row;
    if (nights <= 0 || row > g.rows())
        return false;
    using namespace invoicecol;
    g.setCell(row, Date, text::dateText(day));
    g.setCell(row, Designation, kTouristTaxDesignation.toString());
    g.setCell(row, Quantity, QString::number(nights * liablePersons(family)));
    g.setCell(row, Price, priceText(price->exact(), decimals));
    g.setCell(row, Vat, kOutsideVatCode.toString());
    g.highest = row;
    return true;
}
