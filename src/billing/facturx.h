#pragma once

#include "invoice.h"

#include "clients/client_page.h"
#include "store/settings.h"

#include <QByteArray>
#include <QString>

#include <optional>

class Fiche;
class InvoicePage;

// A validated invoice or credit note as an electronic invoice: the Cross
// Industry Invoice XML of the European standard's core profile, which a
// Factur-X PDF carries as its "factur-x.xml". Everything here is read from
// the figures the invoice keeps, never recomputed with today's rates, so the
// XML asks what the paper asks, to the cent.
//
// Prices on an invoice include the tax; the standard's lines do not. Each
// line's net amount is its share of its rate's base without tax, rounded to
// the cent; what the rounding leaves goes on the rate's largest line, so
// the lines add up to the base exactly and the base plus the VAT kept is the
// base with tax. The taxe de séjour ("D" lines) is a débours: amounts
// collected in the name of the commune, outside the taxable amount
// (article 79 c of the VAT directive). It is written as exempt with that
// reason, since a line "not subject to VAT" may not stand beside taxed ones.
namespace facturx {

// What the XML names besides the invoice: the hotel, the client as its
// card says it (a business or not, its country) and, for a credit note,
// the invoice it cancels.
struct Parties
{
    Company company;
    ClientBusiness buyer;
    QString buyerCountry; // as typed on the card ("FRANCE", "Belgique")
    QString cancelled;    // the cancelled invoice's number, or empty
};

// The days after the invoice date within which a business pays.
inline constexpr int kPaymentDays = 30;
// The late-payment terms a business client's invoice states.
QString latePaymentTerms();

// The two-letter code of a country as typed ("France", "BELGIQUE", "DE");
// nothing when it is not one the program knows.
std::optional<QString> countryCode(const QString &typed);

// The CII XML of an invoice with its totals (the page's, kept figures
// included) and decimals. A credit note (with `cancelled`) is type 381 with
// its figures positive; an invoice is type 380.
QByteArray ciiXml(const InvoiceCard &card, const InvoiceTotals &totals, const Parties &parties,
                  int decimals);

// Why the invoice cannot be sent as an electronic invoice, in French: not
// validated, for a private guest, in another currency than the euro, or the
// hotel's VAT number missing. Empty when it can.
QString refusal(const InvoiceCard &card, const Parties &parties, const Settings &settings);

// The parties of the invoice shown on the page: the company of the record
// window, the first client card with the invoice's client code.
Parties partiesOf(const InvoicePage &page, Fiche &fiche);

// The XML of the invoice shown, or nothing with the French reason in *error.
std::optional<QByteArray> xmlOf(InvoicePage &page, Fiche &fiche, QString *error);

} // namespace facturx
