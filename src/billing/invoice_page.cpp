#include "invoice_page.h"

#include "credit_note.h"
#include "tourist_tax_line.h"

#include "clients/client_page.h"
#include "rooms/block_fields.h"
#include "clients/client_lines.h"
#include "rooms/room_lines.h"
#include "store/codec.h"
#include "store/text.h"

#include <algorithm>

namespace {

// The largest number of the lines that begin "NUMF" (0 when none).
template <typename Lines> qint64 largestNumber(const Lines &lines)
{
    qint64 largest = 0;
    for (const auto &l : lines)
        if (QByteArrayView(l).startsWith("NUMF"))
            largest = std::max(largest, invoiceNumberValue(l).value_or(0));
    return largest;
}

// The start line of the first block, in table order, whose line `offset`
// satisfies `match`; -1 when none. A short block never lends the next
// block's lines.
template <typename Match> qsizetype findBlockStart(const RecordTable &t, int offset, Match &&match)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!blockfields::isStart(t.line(i)))
            continue;
        const blockfields::Block b = blockfields::blockAt(t, i, offset);
        if (b.lineOf(offset) >= 0 && match(b.field(offset)))
            return i;
        i += b.reach - 1;
    }
    return -1;
}

} // namespace

InvoicePage::InvoicePage(Fiche &fiche, ClientPage &clients)
    : CardPage(fiche, Table::Invoices, PageId::Invoices), m_clients(clients), m_clientCodes(clientline::Code)
{
    m_card.date = m_card.stayFrom = m_card.stayTo = QDate::currentDate();
}

void InvoicePage::dirty()
{
    set().SetSauve();
}

QString InvoicePage::statusText() const
{
    if (m_card.validated && !creditnote::cancelledNumber(m_card).isEmpty())
        return QStringLiteral("Avoir validé");
    return m_card.validated ? QStringLiteral("Facture validée")
                            : QStringLiteral("Facture non validée");
}

QString InvoicePage::currencyLabel() const
{
    return m_fiche.settings().currency == 1 ? m_fiche.settings().otherCurrency
                                            : QStringLiteral("Euros");
}

qint64 InvoicePage::Numerof()
{
    const RecordTable &t = table();
    if (t.revision() != m_numberedRevision) {
        qint64 largest = 0;
        for (qsizetype i = 0; i < t.size(); ++i) {
            const QByteArrayView l = t.line(i);
            if (l.startsWith("NUMF"))
                largest = std::max(largest, invoiceNumberValue(l).value_or(0));
        }
        m_largestStored = largest;
        m_numberedRevision = t.revision();
    }
    const QDate today = QDate::currentDate();
    const qint64 base = (qint64(today.year()) * 100 + today.month()) * 1000;
    return std::max(base, m_largestStored) + 1;
}

bool InvoicePage::Validef() const
{
    const InvoiceCard &c = m_card;
    if (c.client.isEmpty() || c.number.isEmpty() || c.number[0] == u' ' || c.lines.highest < 1)
        return false;
    for (int r = 1; r <= std::min(c.lines.highest, c.lines.rows()); ++r)
        if (!c.lines.cell(r, invoicecol::Designation).isEmpty())
            return true;
    return false;
}

void InvoicePage::EcritFact()
{
    if (!modified() || !Validef())
        return;
    dirty();
    RecordTable &t = table();
    const int pos = set().position(Table::Invoices);
    const QList<QByteArray> lines = invoiceBlockLines(m_card, t, pos);

    // The numbering scan stays good unless the block replaced held the
    // largest number.
    bool numberingKept = t.revision() == m_numberedRevision;
    if (numberingKept) {
        const QList<QByteArray> old = t.block(pos);
        numberingKept = old.isEmpty() || largestNumber(old) < m_largestStored;
    }
    set().writeCurrent(Table::Invoices, lines, false);
    if (numberingKept) {
        m_largestStored = std::max(m_largestStored, largestNumber(lines));
        m_numberedRevision = t.revision();
    }
}

void InvoicePage::LitFact()
{
    InvoiceCard fresh;
    const QDate today = QDate::currentDate();
    fresh.date = fresh.stayFrom = fresh.stayTo = today;
    fresh.payment = m_fiche.lists().paymentModes.value(0);
    m_card = fresh;
    gridFocus = false;
    const qint64 proposed = Numerof();
    set().setPageModified(Table::Invoices, false);
    m_card.number = QString::number(proposed);

    const RecordTable &t = table();
    const int pos = set().position(Table::Invoices);
    m_shown = pos;
    const qsizetype start = t.blockStart(pos);
    if (start < 0) {
        m_totals = ::Calculef(m_card.lines, m_fiche.settings().vatRates, m_fiche.decimals());
        return;
    }
    const qsizetype end = t.blockStop(start, pos);
    readInvoiceBlock(m_card, t, start, end);
    if (m_card.number.isEmpty())
        m_card.number = QString::number(proposed);
    m_card.lines.highest = std::min(m_card.lines.readRows() + 1, m_card.lines.rows());
    Calculef();
    set().setPageModified(Table::Invoices, false);
}

void InvoicePage::Calculef()
{
    m_totals = ::Calculef(m_card.lines, m_fiche.settings().vatRates, m_fiche.decimals());
    applyKeptFigures(m_totals, m_card.validated, m_card.otherLines, m_fiche.decimals());
}

QChar InvoicePage::StringGrid5KeyPress(QChar key)
{
    touch();
    dirty();
    LineGrid &g = m_card.lines;
    static const LineGrid::KeyRules rules{invoicecol::Vat, invoicecol::Code, 40, true};
    const QChar k = g.filterKey(key, rules);
    if (k == LineGrid::kEnter && g.cursorColumn >= invoicecol::Designation) {
        const int row = g.cursorRow;
        if (g.cell(row, invoicecol::Vat).isEmpty() && !g.cell(row, invoicecol::Price).isEmpty())
            g.setCell(row, invoicecol::Vat, QStringLiteral("1"));
        Calculef();
        g.enterMove();
    }
    return k;
}

bool InvoicePage::wantsArticlePicker() const
{
    const LineGrid &g = m_card.lines;
    return g.cursorColumn == invoicecol::Designation &&
           g.cell(g.cursorRow, invoicecol::Code).trimmed().isEmpty();
}

void InvoicePage::StringGrid5Click(const QString &pickedCode)
{
    touch();
    dirty();
    LineGrid &g = m_card.lines;
    if (g.cursorColumn != invoicecol::Designation)
        return;
    QString code = g.cell(g.cursorRow, invoicecol::Code).trimmed();
    if (code.isEmpty())
        code = pickedCode;
    if (code.isEmpty())
        return;
    const int row = g.cursorRow;
    g.setCell(row, invoicecol::Date, text::dateText(m_card.date));
    g.setCell(row, invoicecol::Code, code);
    // Articles: code at line 1, designation at 3, unit price at 4.
    const QByteArray wanted = cp1252::encode(code);
    const RecordTable &articles = set().table(Table::Articles);
    qsizetype start = -1;
    bool hasVat = false;
    for (qsizetype i = 0; i < articles.size() && start < 0; ++i) {
        if (!blockfields::isStart(articles.line(i)))
            continue;
        // A block too short to hold the price is passed over.
        const blockfields::Block b = blockfields::blockAt(articles, i, 5);
        if (b.reach > 4 && b.field(1) == wanted) {
            start = i;
            hasVat = b.reach > 5;
        }
        i += b.reach - 1;
    }
    if (start >= 0) {
        g.setCell(row, invoicecol::Designation, articles.text(start + 3));
        if (g.cell(row, invoicecol::Price).isEmpty())
            g.setCell(row, invoicecol::Price, articles.text(start + 4).trimmed());
        // The article says which VAT code it is billed at (1 to 3, or "D").
        const QString vat = hasVat ? articles.text(start + 5).trimmed().toUpper() : QString();
        if (vat == u"1" || vat == u"2" || vat == u"3" || vat == kOutsideVatCode)
            g.setCell(row, invoicecol::Vat, vat);
    }
    g.cursorColumn = invoicecol::Quantity;
}

void InvoicePage::SupLigne1()
{
    if (!gridFocus || !m_card.lines.deleteCursorRow())
        return;
    touch();
    dirty();
}

void InvoicePage::pickClient(const QString &code)
{
    if (code.isEmpty())
        return;
    m_card.client = code;
    touch();
    const QByteArray wanted = cp1252::encode(code);
    const RecordTable &t = set().table(Table::Clients);
    const qsizetype start =
        findBlockStart(t, clientline::Code, [&](QByteArrayView l) { return l == wanted; });
    if (start < 0)
        return;
    const blockfields::Block b = blockfields::blockAt(t, start, clientline::Room);
    if (b.reach <= 8)
        return; // a block too short to hold an address
    auto field = [&](int offset) { return cp1252::decode(b.field(offset)); };
    m_card.address = {field(clientline::Name), field(5), field(6),
                      field(clientline::PostalCode) + u' ' + field(clientline::Town)};
    m_card.room = field(clientline::Room);
}

void InvoicePage::setVatShown(bool on)
{
    m_card.vatShown = on;
    touch();
}

void InvoicePage::allocateNew()
{
    // A count that says there are invoices while the table holds no block
    // (the only invoice deleted) starts again from 0.
    int count = set().count(Table::Invoices);
    if (count > 0 && table().blockStart(count - 1) < 0 && table().countBlocks() == 0)
        count = 0;
    set().setCount(Table::Invoices, count);
    set().setPosition(Table::Invoices, count);
}

bool InvoicePage::Creer()
{
    if (!leave())
        return false;
    allocateNew();
    LitFact();
    m_card.validated = false;
    m_card.date = QDate::currentDate();
    m_card.lines.highest = 0;
    return true;
}

void InvoicePage::NouvFact()
{
    if (m_fiche.active() != PageId::Invoices)
        m_fiche.selectPage(PageId::Invoices);
    if (!leave())
        return;
    allocateNew();
    browseMode = 0;
    LitFact();
    const ClientCard &c = m_clients.card();
    const QDate today = QDate::currentDate();
    if (m_card.client.isEmpty()) {
        m_card.client = c.code;
        m_card.date = today;
    }
    std::array<QString, 4> address = {c.name, c.address1, c.address2, c.postalCode + u' ' + c.town};
    for (std::size_t i = 0; i < 4; ++i)
        if (m_card.address[i].isEmpty())
            m_card.address[i] = address[i];
    if (m_card.room.isEmpty())
        m_card.room = c.room.trimmed();
    m_card.stayFrom = c.since;
    m_card.stayTo = c.leaving;
    Occupant();
    m_card.validated = false;
    m_card.date = today;
    if (addTouristTaxLine(m_card, m_fiche.settings().touristTax, c.family, m_card.stayFrom,
                          m_card.stayTo, today, m_fiche.decimals()))
        Calculef();
    touch();
}

void InvoicePage::Occupant()
{
    const QString wanted = text::normRoom(m_card.room);
    const RecordTable &rooms = set().table(Table::Rooms);
    const qsizetype start = findBlockStart(rooms, roomline::Number, [&](QByteArrayView l) {
        return text::normRoom(cp1252::decode(l)) == wanted;
    });
    if (start < 0)
        return;
    const blockfields::Block b = blockfields::blockAt(rooms, start, roomline::Occupant);
    const QString occupant = cp1252::decode(b.field(roomline::Occupant));
    if (occupant != m_card.occupant) {
        m_card.occupant = occupant;
        touch();
    }
}

bool InvoicePage::Valider()
{
    return validateAs(QStringLiteral("Facture "));
}

bool InvoicePage::validateAs(const QString &historyLabel)
{
    if (m_card.validated)
        return true;
    Calculef();
    if (!m_totals.bad.isEmpty()) {
        m_fiche.ui().inform(
            badCellMessage(m_card.lines, m_totals.bad.front()) +
            QStringLiteral("\r\nCorrigez cette ligne avant de valider la facture."));
        return false;
    }
    if (!Validef()) {
        m_fiche.ui().inform(QStringLiteral(
            "La facture ne peut pas être validée : il lui faut un numéro, un code client et au "
            "moins une ligne avec une désignation."));
        return false;
    }
    m_card.validated = true;
    // The invoice keeps the rates and figures it is validated with.
    keepFigures(m_card.otherLines, m_totals);
    m_totals.kept = true;
    touch();
    EcritFact();
    dirty();

    const qint64 found = clientBlock();
    if (found < 0)
        return true;
    // The card on screen first, so that nothing typed on it is lost.
    m_clients.EcritFiche();
    set().setPosition(Table::Clients, int(found));
    m_clients.LitFiche();
    m_clients.entryDate = QDate::currentDate();
    m_clients.entryLabel = historyLabel + m_card.number.trimmed();
    m_clients.entryAmount = m_totals.totalText;
    m_clients.addHistory();
    m_clients.EcritFiche();
    emit m_fiche.cardChanged(PageId::Clients);
    return true;
}

qint64 InvoicePage::clientBlock() const
{
    const QByteArray code = cp1252::encode(m_card.client.trimmed());
    return code.isEmpty() ? -1 : m_clientCodes.firstBlock(set().table(Table::Clients), code);
}

void InvoicePage::SetFact(int mode, const QString &clientCode)
{
    browseMode = mode;
    if (mode == 1) {
        selectedClient = clientCode;
        first();
    }
}

bool InvoicePage::ChercheFact(const QString &answer)
{
    if (!leave())
        return false;
    const RecordTable &t = table();
    const QByteArray wanted = "NUM" + cp1252::encode(answer);
    // The number line stands right under its block's start marker.
    for (qsizetype i = t.indexOf(wanted); i >= 0; i = t.indexOf(wanted, i + 1)) {
        const std::optional<qint64> n = i > 0 ? t.startNumber(t.line(i - 1)) : std::nullopt;
        if (n) {
            set().setPosition(Table::Invoices, int(*n));
            LitFact();
            return true;
        }
    }
    return false;
}

bool InvoicePage::deletionRefused()
{
    if (!m_card.validated)
        return false;
    m_fiche.ui().inform(
        QStringLiteral("Une facture validée ne se supprime pas : établissez un avoir."));
    return true;
}

void InvoicePage::SupFact()
{
    if (deletionRefused())
        return;
    set().deleteCurrent(Table::Invoices);
    LitFact();
}

bool InvoicePage::incomplete() const
{
    if (!modified() || Validef())
        return false;
    const LineGrid &g = m_card.lines;
    for (int r = 1; r <= g.rows(); ++r)
        if (!g.rowIsEmpty(r))
            return true;
    return !g.more.isEmpty();
}

bool InvoicePage::leave()
{
    if (!incomplete()) {
        EcritFact();
        return true;
    }
    if (!m_fiche.ui().askOkCancel(QStringLiteral(
            "Facture incomplète (il lui faut un numéro, un code client et une désignation) : "
            "l'abandonner ?")))
        return false;
    set().setPageModified(Table::Invoices, false);
    return true;
}

void InvoicePage::read()
{
    // An incomplete invoice stays on the page while another page is shown.
    if (incomplete() && m_shown == set().position(Table::Invoices))
        return;
    LitFact();
}

qint64 InvoicePage::firstMatch(Step step) const
{
    const RecordTable &t = table();
    const QByteArray wanted = cp1252::encode(selectedClient);
    const qint64 current = set().position(Table::Invoices);
    qint64 best = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!blockfields::isStart(t.line(i)))
            continue;
        const blockfields::Block b = blockfields::blockAt(t, i, invoiceline::Client);
        i += b.reach - 1;
        const std::optional<qint64> n = t.startNumber(t.line(b.start));
        if (!n || b.lineOf(invoiceline::Client) < 0 || b.field(invoiceline::Client) != wanted)
            continue;
        switch (step) {
        case Step::First:
            if (best < 0 || *n < best)
                best = *n;
            break;
        case Step::Last:
            best = std::max(best, *n);
            break;
        case Step::Next:
            if (*n > current && (best < 0 || *n < best))
                best = *n;
            break;
        case Step::Previous:
            if (*n < current)
                best = std::max(best, *n);
            break;
        }
    }
    return best;
}

void InvoicePage::last()
{
    if (!browsing() && count() < 2)
        leave();
    else
        CardPage::last();
}

void InvoicePage::browse(Step step)
{
    if (!leave())
        return;
    const qint64 n = firstMatch(step);
    if (n < 0)
        return;
    set().setPosition(Table::Invoices, int(n));
    LitFact();
}
