#pragma once

#include "invoice.h"

#include <QString>

class Fiche;
class FileSet;
class InvoicePage;

// Credit notes ("avoirs"). A validated invoice is never deleted: it is
// cancelled by a credit note, an invoice of its own with the next number
// whose quantities are the invoice's negated, validated at once. The credit
// note names the invoice it cancels in its memo, and that memo line is how
// the two are linked: no other field is stored.
namespace creditnote {

// The memo line of the credit note of invoice `number`.
QString memoFor(const QString &number);

// The number of the invoice a card cancels, from its memo's first line;
// empty when the card is not a credit note.
QString cancelledNumber(const InvoiceCard &card);
// The same from a memo line's text.
QString cancelledNumber(const QString &memoLine);

// The block of the credit note of invoice `number` (its memo line as
// written); -1 when there is none.
int blockFor(const FileSet &set, const QString &number);

// A quantity cell negated: the number before its first blank changes sign,
// a unit after it stays ("2 nuits" gives "-2 nuits"); an empty or zero
// quantity stays as it is.
QString negatedQuantity(const QString &cell);

} // namespace creditnote

// "Établir un avoir" on the invoice shown. A validated invoice that has no
// credit note yet gets one (shown, validated, posted "Avoir N" to the
// client's history); one that has one shows it. Returns false, with a French
// message, when the invoice shown cannot have one (not validated, itself a
// credit note) or the credit note could not be validated.
bool EtablirAvoir(Fiche &fiche, InvoicePage &page);
