#pragma once

#include "client_page.h"
#include "print/print_job.h"
#include "store/settings.h"
#include "store/ui.h"

#include <functional>

// The "fiche individuelle de police" a hotel fills for every foreign guest.
namespace police {

inline const QString kTitle = QStringLiteral("Fiche individuelle de police");
inline const QString kQuestion = QStringLiteral("Imprimer la fiche de police ?");

// Whether a nationality is French: nothing, "France", "Française" or
// "Français", in any letter case, with or without accents and blanks.
bool isFrench(const QString &nationality);
// Whether the guest of the card needs a police form.
inline bool needsForm(const ClientCard &card)
{
    return !isFrench(card.nationality);
}

// The form of the card: one A5 portrait page headed by the hotel (the
// company lines), with the guest's identity, home, contact and stay, and a
// signature box. What the card does not hold (place of birth, children
// under 15) and what it leaves empty prints as dots to fill in by hand.
PrintDocument FichePolice(const ClientCard &card, const Company &company, const PageMetrics &m);
// The form as a print job on A5; the job refers to its arguments, which
// must outlive the printing.
PrintJob FichePoliceJob(const ClientCard &card, const Company &company);

// What ends an arrival: for a foreign guest, asks whether to print the form
// and prints it through `print` on "Oui". Returns whether it was printed.
bool offerAfterArrival(const ClientCard &card, const Company &company, Ui &ui,
                       const std::function<bool(const PrintJob &)> &print);

} // namespace police
