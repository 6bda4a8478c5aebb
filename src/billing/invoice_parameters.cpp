#include "invoice_parameters.h"

#include "store/text.h"

InvoiceParameters invoiceParameters(const Settings &settings, const Lists &lists)
{
    InvoiceParameters p;
    for (std::size_t i = 0; i < 3; ++i)
        p.rates[i] = text::formatAmount(settings.vatRates[i], 2);
    p.decimals = settings.decimals;
    p.currency = settings.currency;
    p.currencyName = settings.otherCurrency;
    for (int i = 0; i < InvoiceParameters::kPaymentFields; ++i)
        p.payments[std::size_t(i)] = lists.paymentModes.value(i);
    p.touristTax = text::formatAmount(settings.touristTax, 2);
    p.exemptAge = settings.touristTaxExemptAge;
    return p;
}

bool applyInvoiceParameters(Settings &settings, Lists &lists, const InvoiceParameters &fields,
                            QString *error)
{
    std::array<double, 3> rates{};
    for (std::size_t i = 0; i < 3; ++i) {
        QString why;
        const auto v = text::parseReal(fields.rates[i], &why);
        if (v && !saneVatRate(*v))
            why = QStringLiteral("un taux va de 0 à 100 %, avec quatre décimales au plus");
        if (!v || !saneVatRate(*v)) {
            if (error)
                *error = QStringLiteral("Taux %1 : %2").arg(i + 1).arg(why);
            return false;
        }
        rates[i] = *v;
    }
    double tax = 0;
    if (!fields.touristTax.trimmed().isEmpty()) {
        QString why;
        const auto v = text::parseReal(fields.touristTax, &why);
        if (!v || *v < 0) {
            if (error)
                *error = QStringLiteral("Taxe de séjour : %1")
                             .arg(v ? QStringLiteral("le montant ne peut être négatif") : why);
            return false;
        }
        tax = *v;
    }
    if (fields.exemptAge < 0) {
        if (error)
            *error = QStringLiteral("Taxe de séjour : l'âge d'exonération ne peut être négatif");
        return false;
    }
    settings.touristTax = tax;
    settings.touristTaxExemptAge = fields.exemptAge;
    settings.vatRates = rates;
    settings.decimals = fields.decimals;
    QStringList payments;
    for (const QString &p : fields.payments)
        if (!p.isEmpty())
            payments << p;
    lists.paymentModes = payments + lists.paymentModes.mid(InvoiceParameters::kPaymentFields);
    settings.currency = fields.currency == 1 ? 1 : 0;
    settings.otherCurrency = settings.currency == 1 ? fields.currencyName : QString();
    return true;
}

void afterInvoiceParameters(Settings &settings)
{
    if (settings.decimals >= 0 && settings.decimals <= 2)
        settings.amountFormat = text::amountFormat(settings.decimals);
}
