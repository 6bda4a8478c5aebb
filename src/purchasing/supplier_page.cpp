#include "supplier_page.h"

#include "store/block_lines.h"
#include "store/codec.h"
#include "store/text.h"

#include <algorithm>
#include <array>

namespace {

// Lines of a supplier block after its start marker: 22 fields, then the
// tagged lines up to the end marker.
enum Line { Code = 1, Family, Name, Address1, Address2, PostalCode, Town, Phone = 9, Fax, LastField = 22 };
constexpr int kFieldLines = LastField;
// The card fields "Copier" keeps: lines 1 to 11.
constexpr int kCopied = 11;

// The card's fields in the order of their lines, from line 1.
using Field = QString SupplierCard::*;
constexpr std::array<Field, kFieldLines> kFields = {
    &SupplierCard::code,          &SupplierCard::family,     &SupplierCard::name,
    &SupplierCard::address1,      &SupplierCard::address2,   &SupplierCard::postalCode,
    &SupplierCard::town,          &SupplierCard::country,    &SupplierCard::phone,
    &SupplierCard::fax,           &SupplierCard::email,      &SupplierCard::bank,
    &SupplierCard::bankCode,      &SupplierCard::branchCode, &SupplierCard::accountNumber,
    &SupplierCard::accountKey,    &SupplierCard::website,    &SupplierCard::representative,
    &SupplierCard::creditLimit,   &SupplierCard::totalOwed,  &SupplierCard::risk,
    &SupplierCard::account};

QByteArray statementBytes(const StatementRow &r)
{
    return cp1252::encode(suppliers::statementLine(r.date, r.label, r.amount));
}

StatementRow statementOf(QString rest)
{
    StatementRow r;
    r.date = text::beforeTab(rest);
    r.label = text::beforeTab(rest);
    r.amount = text::Rset(rest, suppliers::kAmountWidth);
    return r;
}

// Where reading the block starting at `start` stops: at its end marker, or
// after the last line of a block that lost it.
qsizetype blockStop(const RecordTable &t, qsizetype start, qint64 number)
{
    const qsizetype last = t.blockEnd(start, number);
    return t.line(last) == t.endMarker(number) ? last : last + 1;
}

} // namespace

namespace suppliers {

int blockOfCode(const RecordTable &table, QStringView code)
{
    const QByteArray wanted = cp1252::encode(code.trimmed());
    if (wanted.isEmpty())
        return -1;
    int found = -1;
    forEachNumberedBlock(table, [&](qsizetype start, qint64 n) {
        if (blockField(table, start, Code).trimmed() != wanted)
            return false;
        found = int(n);
        return true;
    });
    return found;
}

QString statementLine(const QString &date, const QString &label, const QString &amount)
{
    return QStringLiteral("DATA") + date + u'\t' + label + u'\t' + text::Rset(amount, kAmountWidth);
}

QList<SupplierPick> picks(const RecordTable &t)
{
    QList<SupplierPick> entries;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!RecordTable::isStart(t.line(i)))
            continue;
        const QString code = blockFieldText(t, i, Code);
        entries.append({code.trimmed(), code + u' ' + blockFieldText(t, i, Name)});
    }
    return entries;
}

} // namespace suppliers

SupplierPage::SupplierPage(Fiche &fiche) : entryDate(QDate::currentDate()), m_fiche(fiche) {}

bool SupplierPage::modified() const
{
    return set().pageModified(Table::Suppliers);
}

void SupplierPage::touch()
{
    set().setPageModified(Table::Suppliers, true);
}

QList<QByteArray> SupplierPage::blockLines(qint64 number) const
{
    const RecordTable &t = table();
    QList<QByteArray> lines{t.startMarker(number)};
    for (Field field : kFields)
        lines << cp1252::encodeField(m_card.*field);
    for (const QString &l : m_card.observations)
        lines << "MEMO" + cp1252::encode(l);
    // Every filled row is kept, a short one edited by hand included.
    for (const auto *rows : {&m_card.statement, &m_card.moreStatement}) {
        for (const StatementRow &r : *rows) {
            if (!r.isEmpty())
                lines << statementBytes(r);
        }
    }
    lines << t.endMarker(number);
    return lines;
}

void SupplierPage::EcritFour()
{
    if (!modified())
        return;
    set().writeCurrent(Table::Suppliers, blockLines(set().position(Table::Suppliers)), true);
}

int SupplierPage::Numerou() const
{
    const RecordTable &t = table();
    if (t.revision() == m_numberedRevision)
        return m_nextCode;
    qint64 largest = kFirstCode - 1;
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
        if (!RecordTable::isStart(t.line(i)))
            continue;
        // A code typed as a name or left with letters is not counted.
        const auto code = wholeNumber(t.line(i + 1), 9);
        largest = std::max(largest, code.value_or(0));
    }
    m_numberedRevision = t.revision();
    m_nextCode = int(largest + 1);
    return m_nextCode;
}

void SupplierPage::readBlock(qsizetype start, qsizetype end)
{
    const RecordTable &t = table();
    const BlockReader block{t, start, end};
    for (int i = 0; i < kFieldLines; ++i)
        m_card.*kFields[i] = block.text(i + 1);

    // The tagged lines follow the fields, whatever their number.
    int row = 0;
    for (qsizetype i = start + kFieldLines + 1; i < end; ++i) {
        const QByteArrayView l = t.line(i);
        if (l.startsWith("MEMO")) {
            m_card.observations << cp1252::decode(l.sliced(4));
        } else if (l.startsWith("DATA")) {
            StatementRow r = statementOf(cp1252::decode(l.sliced(4)));
            if (row < SupplierCard::kStatementRows)
                m_card.statement[row++] = std::move(r);
            else
                m_card.moreStatement << std::move(r);
        }
    }
}

void SupplierPage::LitFour()
{
    m_card = SupplierCard();
    entryDate = QDate::currentDate();
    entryLabel.clear();
    entryAmount.clear();
    m_card.code = QString::number(Numerou());

    const RecordTable &t = table();
    const int pos = set().position(Table::Suppliers);
    if (const qsizetype start = t.blockStart(pos); start >= 0) {
        readBlock(start, blockStop(t, start, pos));
        // A stored card keeps an empty account as it is.
        if (m_card.code.isEmpty())
            m_card.code = QString::number(Numerou());
    } else {
        m_card.account = kDefaultAccount;
    }
    set().setPageModified(Table::Suppliers, false);
}

bool SupplierPage::addStatementRow()
{
    if (entryLabel.trimmed().isEmpty() || entryAmount.trimmed().isEmpty())
        return true;
    QString error;
    const auto amount = text::parseReal(entryAmount.trimmed(), &error);
    if (!amount) {
        m_fiche.ui().inform(error);
        return false;
    }
    entryAmount = text::Rset(text::formatAmount(*amount, m_fiche.decimals()), suppliers::kAmountWidth);
    const auto free = std::find_if(m_card.statement.begin(), m_card.statement.end(),
                                   [](const StatementRow &r) { return r.date.isEmpty(); });
    if (free == m_card.statement.end()) {
        m_fiche.ui().inform(QStringLiteral("Les %1 lignes du relevé sont remplies : "
                                           "la ligne n'est pas ajoutée.")
                                .arg(SupplierCard::kStatementRows));
        return false;
    }
    *free = {text::dateText(entryDate), entryLabel, entryAmount};
    entryLabel.clear();
    entryAmount.clear();
    touch();
    return true;
}

void SupplierPage::SetFour(int mode, const std::optional<QString> &family)
{
    browseMode = mode;
    if (mode == 2 && family)
        selectedFamily = text::upperAZ(*family);
}

void SupplierPage::familyMove(Step step)
{
    EcritFour();
    const RecordTable &t = table();
    const qint64 current = set().position(Table::Suppliers);
    const QByteArray wanted = cp1252::encode(selectedFamily);
    // Whether block n is a better answer than `best` for this step.
    auto better = [&](qint64 n, const std::optional<qint64> &best) {
        switch (step) {
        case Step::First:
            return !best || n < *best;
        case Step::Last:
            return !best || n > *best;
        case Step::Next:
            return n > current && (!best || n < *best);
        case Step::Previous:
            return n < current && (!best || n > *best);
        }
        return false;
    };
    std::optional<qint64> chosen;
    forEachNumberedBlock(t, [&](qsizetype start, qint64 n) {
        if (better(n, chosen) && text::upperAZ(blockField(t, start, Family)) == wanted)
            chosen = n;
        return false;
    });
    if (chosen)
        set().setPosition(Table::Suppliers, int(*chosen));
    LitFour();
}

void SupplierPage::FamFourFirst()
{
    familyMove(Step::First);
}

void SupplierPage::FamFourLast()
{
    familyMove(Step::Last);
}

void SupplierPage::FamFourNext()
{
    familyMove(Step::Next);
}

void SupplierPage::FamFourPrev()
{
    familyMove(Step::Previous);
}

void SupplierPage::moveTo(int position)
{
    EcritFour();
    const int last = std::max(set().count(Table::Suppliers) - 1, 0);
    set().setPosition(Table::Suppliers, std::clamp(position, 0, last));
    LitFour();
}

void SupplierPage::first()
{
    if (browseMode == 2)
        FamFourFirst();
    else
        moveTo(0);
}

void SupplierPage::last()
{
    if (browseMode == 2)
        FamFourLast();
    else
        moveTo(set().count(Table::Suppliers) - 1);
}

void SupplierPage::next()
{
    if (browseMode == 2)
        FamFourNext();
    else
        moveTo(set().position(Table::Suppliers) + 1);
}

void SupplierPage::previous()
{
    if (browseMode == 2)
        FamFourPrev();
    else
        moveTo(set().position(Table::Suppliers) - 1);
}

bool SupplierPage::RechNom(const QString &name)
{
    if (name.isEmpty())
        return false;
    // The card shown keeps its edits before another supplier is read.
    EcritFour();
    const QString wanted = text::upperAZ(name);
    const QByteArray prefix = cp1252::encode(wanted);
    const RecordTable &t = table();
    std::optional<qint64> found;
    forEachNumberedBlock(t, [&](qsizetype start, qint64 n) {
        if (text::upperAZ(blockField(t, start, Name)).startsWith(prefix))
            found = n;
        return found.has_value();
    });
    if (!found) {
        m_fiche.ui().inform(QStringLiteral("Fiche %1 non trouvée").arg(wanted));
        return false;
    }
    set().setPosition(Table::Suppliers, int(*found));
    LitFour();
    emit m_fiche.cardChanged(PageId::Suppliers);
    return true;
}

std::optional<QList<SupplierListRow>> SupplierPage::Liste()
{
    if (table().size() < kListMinLines)
        return std::nullopt;
    EcritFour();
    const RecordTable &t = table();
    QList<SupplierListRow> rows;
    rows.reserve(set().count(Table::Suppliers));
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QByteArrayView l = t.line(i);
        if (!RecordTable::isStart(l))
            continue;
        auto field = [&](int offset) { return blockFieldText(t, i, offset); };
        // A marker without a number stands for its row (counted from 1).
        const auto n = RecordTable::markerNumber(l);
        rows.append({n ? int(*n) : int(rows.size() + 1), field(Name), field(Address1),
                     field(Address2), field(PostalCode), field(Town), field(Phone), field(Fax)});
    }
    return rows;
}

void SupplierPage::showSupplier(int block)
{
    moveTo(block);
    emit m_fiche.cardChanged(PageId::Suppliers);
}

void SupplierPage::copy()
{
    m_clipboard.clear();
    for (int i = 0; i < kCopied; ++i)
        m_clipboard << m_card.*kFields[i];
}

void SupplierPage::paste()
{
    if (m_clipboard.size() != kCopied)
        return;
    m_card.code = QString::number(Numerou());
    for (int i = 1; i < kCopied; ++i)
        m_card.*kFields[i] = m_clipboard[i];
    touch();
}

void SupplierPage::add()
{
    EcritFour();
    // Block numbers grow past 9999 with wider markers: the table has no
    // limit of its own. The new card stands one past the last block and is
    // counted once written, so a card left empty leaves no hole behind it.
    set().setPosition(Table::Suppliers, set().count(Table::Suppliers));
    LitFour();
}

void SupplierPage::remove()
{
    set().deleteCurrent(Table::Suppliers);
    LitFour();
}
