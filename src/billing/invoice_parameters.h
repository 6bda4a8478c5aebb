#pragma once

#include "store/settings.h"

#include <QString>

#include <array>

// The fields of the dialog "Paramètres de la facture".
struct InvoiceParameters
{
    static constexpr int kPaymentFields = 5;
    std::array<QString, 3> rates; // "Taux 1" to "Taux 3", shown with two decimals
    int decimals = 2;             // "Décimales"
    int currency = 0;             // "Devise": 0 "Euros", 1 "Autre"
    QString currencyName;
    std::array<QString, kPaymentFields> payments; // "Mode de paiement"
    // "Taxe de séjour": the amount per person and per night, shown with two
    // decimals ("0,00": not collected), and the age under which a guest is
    // exempt.
    QString touristTax;
    int exemptAge = kDefaultExemptAge;
};

// The dialog's fields from the settings and the payment list.
InvoiceParameters invoiceParameters(const Settings &settings, const Lists &lists);

// "OK" of the dialog. A rate or a tax amount that does not read, or a
// negative tax amount or age, refuses it: nothing changes and *error says
// which field. Otherwise the rates, decimals and
// currency are taken; the payment list becomes the non-empty fields in order,
// followed by the entries beyond the fifth, which the dialog does not show.
bool applyInvoiceParameters(Settings &settings, Lists &lists, const InvoiceParameters &fields,
                            QString *error = nullptr);

// After the dialog, confirmed or not: the amount format follows the
// decimals (a value outside 0 to 2 leaves it as it was).
void afterInvoiceParameters(Settings &settings);
