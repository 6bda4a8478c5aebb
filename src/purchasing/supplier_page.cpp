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

SupplierPage::SupplierPage(Fiche &fiche)
    : CardPage(fiche, Table::Suppliers, PageId::Suppliers), entryDate(QDate::currentDate())
{
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
    store(blockLines(position()), true);
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
        readBlock(start, t.blockStop(start, pos));
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

std::function<bool(qsizetype)> SupplierPage::browsed() const
{
    return [&t = table(), wanted = cp1252::encode(selectedFamily)](qsizetype start) {
        return text::upperAZ(blockField(t, start, Family)) == wanted;
    };
}

bool SupplierPage::RechNom(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QString wanted = text::upperAZ(name);
    const QByteArray prefix = cp1252::encode(wanted);
    return findFirst(
        Name, [&](QByteArrayView line) { return text::upperAZ(line).startsWith(prefix); },
        QStringLiteral("Fiche %1 non trouvée").arg(wanted));
}

std::optional<QList<SupplierListRow>> SupplierPage::Liste()
{
    const RecordTable &t = table();
    return listRows<SupplierListRow>(kListMinLines, [&t](SupplierListRow &r, qsizetype i) {
        auto field = [&](int offset) { return blockFieldText(t, i, offset); };
        r.name = field(Name);
        r.address1 = field(Address1);
        r.address2 = field(Address2);
        r.postalCode = field(PostalCode);
        r.town = field(Town);
        r.phone = field(Phone);
        r.fax = field(Fax);
    });
}

void SupplierPage::copy()
{
    copyFields(m_card, std::span(kFields).first<kCopied>());
}

void SupplierPage::paste()
{
    if (m_clipboard.size() != kCopied)
        return;
    m_card.code = QString::number(Numerou());
    pasteFields(m_card, std::span(kFields).first<kCopied>());
}
