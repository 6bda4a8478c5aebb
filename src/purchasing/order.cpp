#include "order.h"

#include "store/block_lines.h"
#include "store/codec.h"
#include "store/text.h"

QStringList orderHeadings(bool pricesWithTax)
{
    return {QStringLiteral("Réf"),
            QStringLiteral("Désignation"),
            QStringLiteral("Quantité"),
            QStringLiteral("Prix Unitaire"),
            QStringLiteral("R (%)"),
            pricesWithTax ? QStringLiteral("Montant TTC") : QStringLiteral("Montant H.T."),
            QStringLiteral("T")};
}

QStringList orderPaymentTerms()
{
    return {QStringLiteral("A réception"), QStringLiteral("Réglement à 30 jours"),
            QStringLiteral("Réglement à 60 jours"), QStringLiteral("Réglement à 90 jours"),
            QStringLiteral("En votre aimable réglement")};
}

std::optional<qint64> orderNumberValue(QByteArrayView line)
{
    // Eighteen digits at most, so the value cannot overflow.
    return line.startsWith("NUM") ? wholeNumber(line.sliced(3), 18) : std::nullopt;
}

QList<QByteArray> orderBlockLines(const OrderCard &c, const RecordTable &t, qint64 block)
{
    auto enc = [](const QString &s) { return cp1252::encodeField(s); };
    QList<QByteArray> lines{t.startMarker(block), "NUM" + cp1252::encode(c.number),
                            enc(text::dateText(c.date)), enc(c.supplier), enc(c.payment)};
    for (const QString &a : c.address)
        lines << enc(a);
    lines << (c.pricesWithTax ? "TTCY" : "TTCN") << (c.validated ? "Y" : "N");
    appendTaggedLines(lines, "CMDE", c.lines, c.memo, c.otherLines);
    lines << t.endMarker(block);
    return lines;
}

void readOrderBlock(OrderCard &c, const RecordTable &t, qsizetype start, qsizetype end)
{
    using namespace orderline;
    c.number = numberLineText(t, start, end, Number, 3);
    const BlockReader block{t, start, end};
    block.date(Date, c.date);
    c.supplier = block.text(Supplier);
    if (const QString payment = block.text(Payment); !payment.isEmpty())
        c.payment = payment;
    for (std::size_t i = 0; i < c.address.size(); ++i)
        c.address[i] = block.text(Address + int(i));
    const QString tax = block.text(Tax);
    c.pricesWithTax = tax.startsWith(u"TTC") && tax.size() > 3 && tax[3] == u'Y';
    c.validated = block.text(Validated) == u"Y";
    readTaggedLines(t, start + FirstTagged, end, "CMDE", c.lines, c.memo, c.otherLines);
}

LineTotals Calculec(LineGrid &grid, bool pricesWithTax, const std::array<double, 3> &rates,
                    int decimals)
{
    return lineTotals(grid, kOrderColumns, exactRates(rates), decimals, pricesWithTax);
}

LineTotals orderTotals(OrderCard &card, const std::array<double, 3> &rates, int decimals)
{
    LineTotals t = Calculec(card.lines, card.pricesWithTax, rates, decimals);
    applyKeptFigures(t, card.validated, card.otherLines, decimals);
    return t;
}

OrderList::OrderList(const RecordTable &table)
    : BlockList(table,
                {orderline::Number, orderline::Date, orderline::Supplier, orderline::Address,
                 orderline::Address + 1},
                "NUM")
{}
