#include "credit_note.h"

#include "invoice_page.h"

#include "store/codec.h"
#include "store/fiche.h"
#include "store/text.h"

namespace {

const QString kMemoPrefix = QStringLiteral("Avoir sur facture N° ");

void negateRow(QStringList &cells)
{
    if (cells.size() > invoicecol::Quantity)
        cells[invoicecol::Quantity] = creditnote::negatedQuantity(cells[invoicecol::Quantity]);
}

} // namespace

namespace creditnote {

QString memoFor(const QString &number)
{
    return kMemoPrefix + number.trimmed();
}

QString cancelledNumber(const InvoiceCard &card)
{
    return cancelledNumber(card.memo.value(0));
}

QString cancelledNumber(const QString &first)
{
    return first.startsWith(kMemoPrefix) ? first.mid(kMemoPrefix.size()).trimmed() : QString();
}

int blockFor(const FileSet &set, const QString &number)
{
    const RecordTable &t = set.table(Table::Invoices);
    const int count = set.count(Table::Invoices);
    const QByteArray wanted = "MEMO" + cp1252::encode(memoFor(number));
    for (qsizetype i = t.indexOf(wanted); i >= 0; i = t.indexOf(wanted, i + 1)) {
        // The block holding the line: the nearest start marker above it,
        // with no end marker between, and the memo among its tagged lines.
        for (qsizetype j = i - 1; j >= 0; --j) {
            const QByteArrayView l = t.line(j);
            if (RecordTable::isEnd(l))
                break;
            if (!RecordTable::isStart(l))
                continue;
            const std::optional<qint64> n = t.startNumber(l);
            if (n && *n < count && t.blockStart(*n) == j && i - j >= invoiceline::FirstTagged)
                return int(*n);
            break;
        }
    }
    return -1;
}

QString negatedQuantity(const QString &cell)
{
    const QString q = cell.trimmed();
    const qsizetype blank = q.indexOf(u' ');
    const QString number = blank < 0 ? q : q.left(blank);
    const QString unit = blank < 0 ? QString() : q.mid(blank);
    if (number.isEmpty() || text::parseReal(number) == 0.0)
        return cell;
    if (number.startsWith(u'-'))
        return number.mid(1) + unit;
    return u'-' + (number.startsWith(u'+') ? number.mid(1) : number) + unit;
}

} // namespace creditnote

bool EtablirAvoir(Fiche &fiche, InvoicePage &page)
{
    const InvoiceCard original = page.card();
    if (!original.validated) {
        fiche.ui().inform(QStringLiteral(
            "Seule une facture validée reçoit un avoir : une facture non validée se corrige "
            "ou se supprime."));
        return false;
    }
    if (!creditnote::cancelledNumber(original).isEmpty()) {
        fiche.ui().inform(QStringLiteral("Cette facture est déjà un avoir."));
        return false;
    }
    const QString number = original.number.trimmed();
    page.EcritFact();
    if (const int existing = creditnote::blockFor(fiche.set(), number); existing >= 0) {
        page.showInvoice(existing);
        return true;
    }

    page.Creer();
    InvoiceCard &c = page.card();
    c.client = original.client;
    c.room = original.room;
    c.payment = original.payment;
    c.stayFrom = original.stayFrom;
    c.stayTo = original.stayTo;
    c.occupant = original.occupant;
    c.address = original.address;
    c.vatShown = original.vatShown;
    for (int row = 1; row <= original.lines.rows(); ++row) {
        QStringList cells = original.lines.row(row);
        negateRow(cells);
        for (int col = 0; col < invoicecol::Count; ++col)
            c.lines.setCell(row, col, cells.value(col));
    }
    c.lines.more = original.lines.more;
    for (QStringList &cells : c.lines.more)
        negateRow(cells);
    c.lines.highest = original.lines.highest;
    c.memo = {creditnote::memoFor(number)};
    page.touch();
    return page.validateAs(QStringLiteral("Avoir "));
}
