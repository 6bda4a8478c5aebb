#include "order_page.h"

#include "supplier_page.h"

#include "store/block_lines.h"
#include "store/codec.h"
#include "store/text.h"

#include <algorithm>

namespace {

// Supplier block lines an order takes its address from.
namespace supplierline {
constexpr int Name = 3;
constexpr int Address = 4; // two lines
constexpr int PostalCode = 6;
constexpr int Town = 7;
} // namespace supplierline

const QString kIncomplete = QStringLiteral("Commande incomplète : l'abandonner ?");

} // namespace

OrderPage::OrderPage(Fiche &fiche) : CardPage(fiche, Table::Orders, PageId::Orders)
{
    m_card.date = QDate::currentDate();
    m_card.payment = orderPaymentTerms().front();
    m_status = QStringLiteral("Cmde non validée");
}

QString OrderPage::currencyLabel() const
{
    return ::currencyLabel(m_fiche.settings());
}

qint64 OrderPage::Numeroc()
{
    const RecordTable &t = table();
    if (t.revision() != m_numberedRevision) {
        // Only the number line of each block counts: an address or a memo
        // line beginning "NUM" is no order number.
        qint64 largest = 0;
        forEachNumberedBlock(t, [&](qsizetype start, qint64) {
            largest = std::max(
                largest, orderNumberValue(blockField(t, start, orderline::Number)).value_or(0));
            return false;
        });
        m_largestStored = largest;
        m_numberedRevision = t.revision();
    }
    const QDate today = QDate::currentDate();
    return std::max((qint64(today.year()) * 100 + today.month()) * 1000, m_largestStored) + 1;
}

bool OrderPage::Validec() const
{
    // A number whose first place is blank is no number.
    const bool numbered = !m_card.number.isEmpty() && m_card.number[0] != u' ';
    return numbered && !m_card.supplier.isEmpty() && m_card.lines.anyFilled(ordercol::Ref);
}

void OrderPage::EcritCmd()
{
    if (!modified() || !Validec())
        return;
    const int pos = set().position(Table::Orders);
    // A rewritten order moves to the end of the table.
    set().writeCurrent(Table::Orders, orderBlockLines(m_card, table(), pos), false);
    m_shown = pos;
}

void OrderPage::LitCmd()
{
    OrderCard fresh;
    fresh.date = QDate::currentDate();
    fresh.payment = orderPaymentTerms().front();
    m_card = fresh;
    gridFocus = false;
    const qint64 proposed = Numeroc();
    m_card.number = QString::number(proposed);
    m_status = QStringLiteral("Cmde non validée");

    const RecordTable &t = table();
    const int pos = set().position(Table::Orders);
    m_shown = pos;
    const qsizetype start = t.blockStart(pos);
    if (start >= 0) {
        const qsizetype end = t.blockStop(start, pos);
        readOrderBlock(m_card, t, start, end);
        if (m_card.number.isEmpty())
            m_card.number = QString::number(proposed);
        m_card.lines.highest = std::min(m_card.lines.readRows() + 1, m_card.lines.rows());
        if (m_card.validated)
            m_status = QStringLiteral("Commande validée");
    }
    Calculec();
    set().setPageModified(Table::Orders, false);
}

void OrderPage::read()
{
    if (modified() && !Validec() && m_shown == set().position(Table::Orders))
        return;
    LitCmd();
}

void OrderPage::Calculec()
{
    m_totals = orderTotals(m_card, m_fiche.settings().vatRates, m_fiche.decimals());
}

void OrderPage::setPricesWithTax(bool on)
{
    if (on == m_card.pricesWithTax)
        return;
    m_card.pricesWithTax = on;
    touch();
    Calculec();
}

QChar OrderPage::StringGrid8KeyPress(QChar key)
{
    LineGrid &g = m_card.lines;
    // No TAB stands for Enter here, and no column limits its length.
    static const LineGrid::KeyRules rules{-1, -1, 0, false};
    const QChar k = g.filterKey(key, rules);
    if (k == LineGrid::kEnter && g.cursorColumn >= ordercol::Quantity) {
        if (g.cell(g.cursorRow, ordercol::Vat).isEmpty())
            g.setCell(g.cursorRow, ordercol::Vat, QStringLiteral("1"));
        Calculec();
        touch();
        dirty();
        g.enterMove();
    }
    return k;
}

void OrderPage::SupLigne3()
{
    // Only while the grid has the focus, and never on a validated order.
    const bool deleted = gridFocus && !m_card.validated && m_card.lines.deleteCursorRow();
    if (deleted) {
        touch();
        dirty();
    }
}

void OrderPage::pickSupplier(const QString &code)
{
    const RecordTable &t = set().table(Table::Suppliers);
    if (code.isEmpty())
        return;
    m_card.supplier = code;
    touch();
    const int block = suppliers::blockOfCode(t, code);
    const qsizetype start = block >= 0 ? t.blockStart(block) : -1;
    // A block too short to hold the town gives no address.
    if (start < 0 || t.blockEnd(start, block) <= start + supplierline::Town)
        return;
    auto field = [&](int offset) { return blockFieldText(t, start, offset); };
    m_card.address = {field(supplierline::Name), field(supplierline::Address),
                      field(supplierline::Address + 1),
                      field(supplierline::PostalCode) + u' ' + field(supplierline::Town)};
}

bool OrderPage::leave()
{
    if (!modified() || Validec()) {
        EcritCmd();
        return true;
    }
    if (!m_fiche.ui().askOkCancel(kIncomplete))
        return false;
    set().setPageModified(Table::Orders, false);
    return true;
}

void OrderPage::allocateNew()
{
    // A count that says there are orders while the table holds no block
    // (the only order deleted) starts again from 0.
    int count = set().count(Table::Orders);
    if (count > 0 && table().countBlocks() == 0)
        count = 0;
    set().setCount(Table::Orders, count);
    set().setPosition(Table::Orders, count);
}

bool OrderPage::Creer()
{
    if (!leave())
        return false;
    allocateNew();
    LitCmd();
    m_card.validated = false;
    m_card.date = QDate::currentDate();
    m_card.lines.highest = 0;
    return true;
}

bool OrderPage::NouvCmd(const SupplierCard &s)
{
    if (m_fiche.active() != PageId::Orders)
        m_fiche.selectPage(PageId::Orders);
    if (!Creer())
        return false;
    m_card.supplier = s.code;
    const std::array<QString, 4> address = {s.name, s.address1, s.address2,
                                            s.postalCode + u' ' + s.town};
    m_card.address = address;
    touch();
    return true;
}

qsizetype OrderPage::statementSlot(int block) const
{
    const RecordTable &t = set().table(Table::Suppliers);
    const qsizetype start = t.blockStart(block);
    const qsizetype end = t.blockStop(start, block);
    qsizetype lastRow = -1;
    int rows = 0;
    for (qsizetype i = start + 1; i < end; ++i) {
        if (t.line(i).startsWith("DATA")) {
            lastRow = i;
            ++rows;
        }
    }
    if (rows >= SupplierCard::kStatementRows)
        return -1;
    return lastRow >= 0 ? lastRow + 1 : end;
}

bool OrderPage::Valider()
{
    if (m_card.validated)
        return true;
    Calculec();
    if (!m_totals.bad.isEmpty()) {
        m_fiche.ui().inform(
            badCellMessage(m_card.lines, m_totals.bad.front(), kOrderColumns) +
            QStringLiteral("\r\nCorrigez cette ligne avant de valider la commande."));
        return false;
    }
    if (!Validec()) {
        m_fiche.ui().inform(QStringLiteral(
            "La commande ne peut pas être validée : il lui faut un numéro, un code fournisseur et "
            "au moins une ligne avec une référence."));
        return false;
    }
    // The supplier card on screen first, so that nothing typed on it is lost.
    m_fiche.page(PageId::Suppliers).writeBack();
    RecordTable &supplierTable = set().table(Table::Suppliers);
    const int supplier = suppliers::blockOfCode(supplierTable, m_card.supplier);
    const qsizetype slot = supplier >= 0 ? statementSlot(supplier) : -1;
    if (supplier >= 0 && slot < 0) {
        m_fiche.ui().inform(
            QStringLiteral("Le relevé du fournisseur %1 est plein (%2 lignes) : la commande n'est "
                           "pas validée.")
                .arg(m_card.supplier.trimmed())
                .arg(SupplierCard::kStatementRows));
        return false;
    }

    m_card.validated = true;
    // The order keeps the rates and figures it is validated with.
    keepFigures(m_card.otherLines, m_totals);
    m_totals.kept = true;
    touch();
    EcritCmd();
    dirty();
    m_status = QStringLiteral("Cmde validée");
    if (supplier < 0) {
        m_fiche.ui().inform(QStringLiteral("Aucun fournisseur n'a le code %1 : la commande n'est "
                                           "portée sur aucun relevé.")
                                .arg(m_card.supplier.trimmed()));
        return true;
    }
    const QString row =
        statementLine(text::dateText(QDate::currentDate()),
                      QStringLiteral("Commande ") + m_card.number.trimmed(), m_totals.totalText);
    supplierTable.insert(slot, {cp1252::encode(row)});
    dirty();
    if (set().position(Table::Suppliers) == supplier) {
        m_fiche.page(PageId::Suppliers).read();
        emit m_fiche.cardChanged(PageId::Suppliers);
    }
    return true;
}

void OrderPage::SupCmd()
{
    set().deleteCurrent(Table::Orders);
    LitCmd();
}

void OrderPage::showOrder(int block)
{
    if (!leave())
        return;
    set().setPosition(Table::Orders, block);
    LitCmd();
}
