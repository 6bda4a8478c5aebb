#include "facturx.h"

#include "credit_note.h"
#include "invoice_page.h"

#include "store/codec.h"
#include "store/fiche.h"
#include "store/text.h"

#include <QHash>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstdlib>

namespace facturx {

namespace {

const QString kRam = QStringLiteral("urn:un:unece:uncefact:data:standard:"
                                    "ReusableAggregateBusinessInformationEntity:100");
const QString kRsm = QStringLiteral("urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100");
const QString kUdt = QStringLiteral("urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100");
const QString kQdt = QStringLiteral("urn:un:unece:uncefact:data:standard:QualifiedDataType:100");

// The taxe de séjour: amounts received in the name of the commune.
const QString kOutsideReason =
    QStringLiteral("Débours : taxe de séjour perçue pour le compte de la commune");
const QString kOutsideReasonCode = QStringLiteral("VATEX-EU-79-C");

// A figure as the standard writes it: a decimal point, no thousands
// separator; amounts with two decimals, other figures with what they need.
QString amount(Money m)
{
    return m.rounded(2).format(2).replace(u',', u'.');
}

QString figure(Money m)
{
    return m.exact().replace(u',', u'.');
}

QString day(const QDate &d)
{
    return d.toString(QStringLiteral("yyyyMMdd"));
}

QString digits(const QString &s)
{
    QString out;
    for (QChar c : s)
        if (c.isDigit())
            out += c;
    return out;
}

// A VAT number as written to be read by a machine: letters and digits only.
QString vatId(const QString &s)
{
    QString out;
    for (QChar c : s)
        if (c.isLetterOrNumber())
            out += c.toUpper();
    return out;
}

// One line as the standard sees it.
struct Line
{
    QString code, name;
    Money quantity, netPrice, net;
    int vatCode = 0; // 1 to 3, RowFigures::kOutside
    bool night = false;
    Money weight; // the line's amount with tax, which shares out the base
};

struct Category
{
    QString code; // S, Z, E
    Money rate, base, vat;
    bool outside = false;
};

QString categoryOf(int vatCode, const VatRates &rates)
{
    if (vatCode == RowFigures::kOutside)
        return QStringLiteral("E");
    return rates[std::size_t(vatCode - 1)].isZero() ? QStringLiteral("Z") : QStringLiteral("S");
}

// The lines of the grid (rows kept apart included) with their net amounts,
// and the breakdown per rate, every figure with the sign `sign`.
void linesAndBreakdown(const InvoiceCard &card, const InvoiceTotals &t, int decimals, int sign,
                       QList<Line> &lines, QList<Category> &categories)
{
    QList<QStringList> rows;
    for (int r = 1; r <= card.lines.rows(); ++r)
        rows << card.lines.row(r);
    rows += card.lines.more;
    for (const QStringList &cells : rows) {
        const std::optional<RowFigures> f = rowFigures(cells, kInvoiceColumns, decimals);
        if (!f || f->code == 0)
            continue;
        Line l;
        l.code = cells.value(invoicecol::Code).trimmed();
        l.name = cells.value(invoicecol::Designation).trimmed();
        if (l.name.isEmpty())
            l.name = l.code.isEmpty() ? QStringLiteral("Prestation") : l.code;
        const QString unit = cells.value(invoicecol::Quantity).trimmed().section(u' ', 1);
        l.night = unit.contains(QStringLiteral("nuit"), Qt::CaseInsensitive) ||
                  l.name.contains(QStringLiteral("nuit"), Qt::CaseInsensitive);
        l.quantity = sign < 0 ? -f->quantity : f->quantity;
        l.weight = sign < 0 ? -f->amount : f->amount;
        l.vatCode = f->code;
        lines << l;
    }

    const Money hundred = Money::whole(100);
    auto share = [&](int vatCode, Money base, Money withTax, Money rate) {
        Money sum;
        int largest = -1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            Line &l = lines[i];
            if (l.vatCode != vatCode)
                continue;
            l.net = !withTax.isZero()
                        ? l.weight.mulDiv(base, withTax, 2).value_or(Money())
                        : l.weight.mulDiv(hundred, hundred + rate, 2).value_or(Money());
            sum += l.net;
            if (largest < 0 || std::abs(l.weight.units()) > std::abs(lines[largest].weight.units()))
                largest = int(i);
        }
        if (largest >= 0)
            lines[largest].net += base - sum;
    };
    for (std::size_t k = 0; k < 3; ++k) {
        const Money base = sign < 0 ? -t.exclusive[k] : t.exclusive[k];
        const Money withTax = sign < 0 ? -t.inclusive[k] : t.inclusive[k];
        const bool any = std::any_of(lines.begin(), lines.end(),
                                     [&](const Line &l) { return l.vatCode == int(k) + 1; });
        if (!any && base.isZero())
            continue;
        share(int(k) + 1, base, withTax, t.rates[k]);
        categories << Category{categoryOf(int(k) + 1, t.rates), t.rates[k], base,
                               sign < 0 ? -t.vat[k] : t.vat[k], false};
    }
    const Money outside = sign < 0 ? -t.outsideVat : t.outsideVat;
    const bool anyOutside = std::any_of(lines.begin(), lines.end(), [](const Line &l) {
        return l.vatCode == RowFigures::kOutside;
    });
    if (anyOutside || !outside.isZero()) {
        share(RowFigures::kOutside, outside, outside, Money());
        categories << Category{QStringLiteral("E"), Money(), outside, Money(), true};
    }
    // A price is never negative: a line that takes off (a discount, a
    // credit) has a negative quantity instead.
    for (Line &l : lines) {
        if (l.net.isNegative() != l.quantity.isNegative() && !l.net.isZero())
            l.quantity = -l.quantity;
        const Money q = l.quantity.isNegative() ? -l.quantity : l.quantity;
        const Money n = l.net.isNegative() ? -l.net : l.net;
        l.netPrice = q.isZero() ? n : n.mulDiv(Money::whole(1), q, 4).value_or(Money());
    }
}

struct Writer
{
    QXmlStreamWriter &x;
    void ram(const char *name, const QString &value)
    {
        x.writeTextElement(kRam, QString::fromLatin1(name), value);
    }
    void open(const char *name, const QString &ns = {})
    {
        x.writeStartElement(ns.isEmpty() ? kRam : ns, QString::fromLatin1(name));
    }
    void close() { x.writeEndElement(); }
    void date(const char *name, const QDate &d)
    {
        open(name);
        x.writeStartElement(kUdt, QStringLiteral("DateTimeString"));
        x.writeAttribute(QStringLiteral("format"), QStringLiteral("102"));
        x.writeCharacters(day(d));
        x.writeEndElement();
        close();
    }
    void idWithScheme(const char *name, const QString &scheme, const QString &value)
    {
        open(name);
        x.writeAttribute(QStringLiteral("schemeID"), scheme);
        x.writeCharacters(value);
        close();
    }
    // A party's legal registration: a SIREN (9 digits) or SIRET (14).
    void legal(const QString &siret, const QString &tradingName = {})
    {
        const QString id = digits(siret);
        if (id.size() != 9 && id.size() != 14 && tradingName.isEmpty())
            return;
        open("SpecifiedLegalOrganization");
        if (id.size() == 9 || id.size() == 14)
            idWithScheme("ID", id.size() == 9 ? QStringLiteral("0002") : QStringLiteral("0009"),
                         id);
        if (!tradingName.isEmpty())
            ram("TradingBusinessName", tradingName);
        close();
    }
    // An address from its lines, the last of which holds the postal code and the town.
    void address(const QStringList &streets, const QString &postalTown, const QString &country)
    {
        open("PostalTradeAddress");
        const QString pt = postalTown.trimmed();
        const QString first = pt.section(u' ', 0, 0);
        const bool hasCode = !first.isEmpty() && digits(first) == first;
        if (hasCode)
            ram("PostcodeCode", first);
        QStringList filled;
        for (const QString &s : streets)
            if (!s.trimmed().isEmpty())
                filled << s.trimmed();
        static const char *kLines[] = {"LineOne", "LineTwo", "LineThree"};
        for (qsizetype i = 0; i < std::min<qsizetype>(filled.size(), 3); ++i)
            ram(kLines[i], filled[i]);
        const QString town = hasCode ? pt.section(u' ', 1).trimmed() : pt;
        if (!town.isEmpty())
            ram("CityName", town);
        ram("CountryID", country);
        close();
    }
    void vat(const QString &number)
    {
        const QString id = vatId(number);
        if (id.isEmpty())
            return;
        open("SpecifiedTaxRegistration");
        idWithScheme("ID", QStringLiteral("VA"), id);
        close();
    }
};

// UNTDID 4461: how the invoice says it is paid.
QString paymentMeansCode(const QString &payment)
{
    const QString p = payment.toLower();
    if (p.startsWith(QStringLiteral("esp")))
        return QStringLiteral("10");
    if (p.startsWith(QStringLiteral("ch")))
        return QStringLiteral("20");
    if (p.contains(QStringLiteral("carte")) || p.startsWith(QStringLiteral("cb")))
        return QStringLiteral("48");
    if (p.contains(QStringLiteral("virement")))
        return QStringLiteral("42");
    return QStringLiteral("1"); // not defined
}

} // namespace

QString latePaymentTerms()
{
    return QStringLiteral("Paiement à %1 jours. Pas d'escompte pour paiement anticipé. "
                          "Pénalités de retard : trois fois le taux d'intérêt légal. "
                          "Indemnité forfaitaire pour frais de recouvrement : 40 €.")
        .arg(kPaymentDays);
}

std::optional<QString> countryCode(const QString &typed)
{
    static const QHash<QString, QString> kCountries = {
        {QStringLiteral("FRANCE"), QStringLiteral("FR")},
        {QStringLiteral("ALLEMAGNE"), QStringLiteral("DE")},
        {QStringLiteral("BELGIQUE"), QStringLiteral("BE")},
        {QStringLiteral("ESPAGNE"), QStringLiteral("ES")},
        {QStringLiteral("ITALIE"), QStringLiteral("IT")},
        {QStringLiteral("SUISSE"), QStringLiteral("CH")},
        {QStringLiteral("LUXEMBOURG"), QStringLiteral("LU")},
        {QStringLiteral("PAYS-BAS"), QStringLiteral("NL")},
        {QStringLiteral("PORTUGAL"), QStringLiteral("PT")},
        {QStringLiteral("ROYAUME-UNI"), QStringLiteral("GB")},
        {QStringLiteral("ANGLETERRE"), QStringLiteral("GB")},
        {QStringLiteral("AUTRICHE"), QStringLiteral("AT")},
        {QStringLiteral("IRLANDE"), QStringLiteral("IE")},
        {QStringLiteral("DANEMARK"), QStringLiteral("DK")},
        {QStringLiteral("SUEDE"), QStringLiteral("SE")},
        {QStringLiteral("POLOGNE"), QStringLiteral("PL")},
        {QStringLiteral("ETATS-UNIS"), QStringLiteral("US")},
        {QStringLiteral("CANADA"), QStringLiteral("CA")},
        {QStringLiteral("JAPON"), QStringLiteral("JP")},
    };
    QString key = typed.trimmed().toUpper();
    key.replace(u'É', u'E').replace(u'È', u'E').replace(u'Ü', u'U').replace(u' ', u'-');
    if (const auto it = kCountries.constFind(key); it != kCountries.constEnd())
        return *it;
    if (key.size() == 2 && key[0].isLetter() && key[1].isLetter() && key[0].unicode() < 128 &&
        key[1].unicode() < 128)
        return key;
    return std::nullopt;
}

QByteArray ciiXml(const InvoiceCard &card, const InvoiceTotals &t, const Parties &p, int decimals)
{
    const bool creditNote = !p.cancelled.isEmpty();
    // A credit note states what it gives back as positive figures.
    const int sign = creditNote && t.total <= Money() ? -1 : 1;
    QList<Line> lines;
    QList<Category> categories;
    linesAndBreakdown(card, t, decimals, sign, lines, categories);

    QByteArray out;
    QXmlStreamWriter x(&out);
    x.setAutoFormatting(true);
    x.setAutoFormattingIndent(1);
    Writer w{x};
    x.writeStartDocument();
    x.writeNamespace(kRsm, QStringLiteral("rsm"));
    x.writeNamespace(kRam, QStringLiteral("ram"));
    x.writeNamespace(kUdt, QStringLiteral("udt"));
    x.writeNamespace(kQdt, QStringLiteral("qdt"));
    w.open("CrossIndustryInvoice", kRsm);

    w.open("ExchangedDocumentContext", kRsm);
    w.open("GuidelineSpecifiedDocumentContextParameter");
    w.ram("ID", QStringLiteral("urn:cen.eu:en16931:2017"));
    w.close();
    w.close();

    w.open("ExchangedDocument", kRsm);
    w.ram("ID", card.number);
    w.ram("TypeCode", creditNote ? QStringLiteral("381") : QStringLiteral("380"));
    w.date("IssueDateTime", card.date);
    const CompanyLegal &legal = p.company.legal;
    if (!legal.legalForm.isEmpty() || !legal.capital.isEmpty()) {
        w.open("IncludedNote");
        QString note = legal.legalForm;
        if (!legal.capital.isEmpty())
            note += (note.isEmpty() ? QString() : QStringLiteral(" ")) +
                    QStringLiteral("au capital de ") + legal.capital;
        w.ram("Content", note.trimmed());
        w.ram("SubjectCode", QStringLiteral("REG"));
        w.close();
    }
    if (p.buyer.isBusiness()) {
        w.open("IncludedNote");
        w.ram("Content", latePaymentTerms());
        w.ram("SubjectCode", QStringLiteral("PMT"));
        w.close();
    }
    for (const QString &m : card.memo)
        if (!m.trimmed().isEmpty()) {
            w.open("IncludedNote");
            w.ram("Content", m.trimmed());
            w.close();
        }
    w.close();

    w.open("SupplyChainTradeTransaction", kRsm);
    int id = 0;
    for (const Line &l : lines) {
        w.open("IncludedSupplyChainTradeLineItem");
        w.open("AssociatedDocumentLineDocument");
        w.ram("LineID", QString::number(++id));
        w.close();
        w.open("SpecifiedTradeProduct");
        if (!l.code.isEmpty())
            w.ram("SellerAssignedID", l.code);
        w.ram("Name", l.name);
        w.close();
        w.open("SpecifiedLineTradeAgreement");
        w.open("NetPriceProductTradePrice");
        w.ram("ChargeAmount", figure(l.netPrice));
        w.close();
        w.close();
        w.open("SpecifiedLineTradeDelivery");
        w.open("BilledQuantity");
        x.writeAttribute(QStringLiteral("unitCode"),
                         l.night ? QStringLiteral("DAY") : QStringLiteral("C62"));
        x.writeCharacters(figure(l.quantity));
        w.close();
        w.close();
        w.open("SpecifiedLineTradeSettlement");
        w.open("ApplicableTradeTax");
        w.ram("TypeCode", QStringLiteral("VAT"));
        w.ram("CategoryCode", categoryOf(l.vatCode, t.rates));
        w.ram("RateApplicablePercent", l.vatCode == RowFigures::kOutside
                                           ? QStringLiteral("0")
                                           : figure(t.rates[std::size_t(l.vatCode - 1)]));
        w.close();
        w.open("SpecifiedTradeSettlementLineMonetarySummation");
        w.ram("LineTotalAmount", amount(l.net));
        w.close();
        w.close();
        w.close();
    }

    w.open("ApplicableHeaderTradeAgreement");
    w.open("SellerTradeParty");
    w.ram("Name", p.company.lines[0].trimmed());
    w.legal(p.company.siret());
    w.address({p.company.lines[1], p.company.lines[2]}, p.company.lines[3], QStringLiteral("FR"));
    w.vat(p.company.vatNumber());
    w.close();
    w.open("BuyerTradeParty");
    if (!card.client.trimmed().isEmpty())
        w.ram("ID", card.client.trimmed());
    const QString buyerName = p.buyer.legalName.trimmed().isEmpty() ? card.address[0].trimmed()
                                                                    : p.buyer.legalName.trimmed();
    w.ram("Name", buyerName.isEmpty() ? card.client.trimmed() : buyerName);
    w.legal(p.buyer.siret);
    QString country = countryCode(p.buyerCountry).value_or(QString());
    if (country.isEmpty()) {
        const QString v = vatId(p.buyer.vatNumber);
        country =
            v.size() > 2 && v[0].isLetter() && v[1].isLetter() ? v.left(2) : QStringLiteral("FR");
    }
    QStringList streets = {card.address[1], card.address[2]};
    if (!p.buyer.legalName.trimmed().isEmpty() && !card.address[0].trimmed().isEmpty() &&
        card.address[0].trimmed() != buyerName)
        streets.prepend(card.address[0]); // the person the invoice is addressed to
    w.address(streets, card.address[3], country);
    w.vat(p.buyer.vatNumber);
    w.close();
    w.close();

    w.open("ApplicableHeaderTradeDelivery");
    if (card.stayTo.isValid()) {
        w.open("ActualDeliverySupplyChainEvent");
        w.date("OccurrenceDateTime", card.stayTo);
        w.close();
    }
    w.close();

    w.open("ApplicableHeaderTradeSettlement");
    w.ram("InvoiceCurrencyCode", QStringLiteral("EUR"));
    if (!card.payment.trimmed().isEmpty()) {
        w.open("SpecifiedTradeSettlementPaymentMeans");
        w.ram("TypeCode", paymentMeansCode(card.payment));
        w.ram("Information", card.payment.trimmed());
        w.close();
    }
    Money base, vat;
    for (const Category &c : categories) {
        w.open("ApplicableTradeTax");
        w.ram("CalculatedAmount", amount(c.vat));
        w.ram("TypeCode", QStringLiteral("VAT"));
        if (c.outside)
            w.ram("ExemptionReason", kOutsideReason);
        w.ram("BasisAmount", amount(c.base));
        w.ram("CategoryCode", c.code);
        if (c.outside)
            w.ram("ExemptionReasonCode", kOutsideReasonCode);
        w.ram("RateApplicablePercent", c.outside ? QStringLiteral("0") : figure(c.rate));
        w.close();
        base += c.base;
        vat += c.vat;
    }
    if (card.stayFrom.isValid() && card.stayTo.isValid() && card.stayFrom <= card.stayTo) {
        w.open("BillingSpecifiedPeriod");
        w.date("StartDateTime", card.stayFrom);
        w.date("EndDateTime", card.stayTo);
        w.close();
    }
    w.open("SpecifiedTradePaymentTerms");
    if (p.buyer.isBusiness())
        w.ram("Description", latePaymentTerms());
    else
        w.ram("Description", QStringLiteral("Payable à réception."));
    w.date("DueDateDateTime", p.buyer.isBusiness() ? card.date.addDays(kPaymentDays) : card.date);
    w.close();
    const Money grand = base + vat;
    // What the paper asks, to the cent: the total with tax as it shows it,
    // in the amount format; what that rounding changes is the standard's
    // rounding amount.
    const Money due = (sign < 0 ? -t.total : t.total).rounded(std::clamp(decimals, 0, 2));
    w.open("SpecifiedTradeSettlementHeaderMonetarySummation");
    w.ram("LineTotalAmount", amount(base));
    w.ram("TaxBasisTotalAmount", amount(base));
    w.open("TaxTotalAmount");
    x.writeAttribute(QStringLiteral("currencyID"), QStringLiteral("EUR"));
    x.writeCharacters(amount(vat));
    w.close();
    if (due != grand)
        w.ram("RoundingAmount", amount(due - grand));
    w.ram("GrandTotalAmount", amount(grand));
    w.ram("DuePayableAmount", amount(due));
    w.close();
    if (creditNote) {
        w.open("InvoiceReferencedDocument");
        w.ram("IssuerAssignedID", p.cancelled);
        w.close();
    }
    w.close();
    w.close();
    w.close();
    x.writeEndDocument();
    return out;
}

QString refusal(const InvoiceCard &card, const Parties &parties, const Settings &settings)
{
    if (!card.validated)
        return QStringLiteral("Seule une facture validée (ou un avoir) peut être émise en "
                              "facture électronique.");
    if (!parties.buyer.isBusiness())
        return QStringLiteral("La facture électronique (Factur-X) est destinée aux clients "
                              "professionnels : la fiche client %1 ne porte ni raison sociale, ni "
                              "SIREN/SIRET, ni numéro de TVA.")
            .arg(card.client.trimmed());
    if (settings.currency != 0)
        return QStringLiteral("La facture électronique est établie en euros : la devise des "
                              "factures n'est pas l'euro.");
    if (vatId(parties.company.vatNumber()).isEmpty() ||
        parties.company.lines[0].trimmed().isEmpty())
        return QStringLiteral("Le nom et le numéro de TVA intracommunautaire de l'hôtel manquent "
                              "(Paramètres, Société).");
    return {};
}

Parties partiesOf(const InvoicePage &page, Fiche &fiche)
{
    Parties p;
    p.company = fiche.company();
    const InvoiceCard &card = page.card();
    p.cancelled = creditnote::cancelledNumber(card);
    // The client the invoice's validation wrote to, through the page's
    // index: an archive of many invoices reads the client cards once.
    const RecordTable &clients = fiche.set().table(Table::Clients);
    const qint64 n = page.clientBlock();
    const qsizetype start = n < 0 ? -1 : clients.blockStart(n);
    if (start < 0)
        return p;
    const qsizetype end = clients.blockStop(start, n);
    constexpr int kCountry = 9;
    if (start + kCountry < end)
        p.buyerCountry = cp1252::decode(clients.line(start + kCountry));
    for (qsizetype l = start + 1; l < end; ++l)
        if (clients.line(l).startsWith(ClientBusiness::kTag))
            p.buyer = ClientBusiness::read(clients.line(l));
    return p;
}

std::optional<QByteArray> xmlOf(InvoicePage &page, Fiche &fiche, QString *error)
{
    page.Calculef();
    const Parties parties = partiesOf(page, fiche);
    const QString why = refusal(page.card(), parties, fiche.settings());
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return std::nullopt;
    }
    return ciiXml(page.card(), page.totals(), parties, fiche.decimals());
}

} // namespace facturx
