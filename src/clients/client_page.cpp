#include "client_page.h"

#include "client_search.h"
#include "stay_history.h"

#include "store/block_lines.h"
#include "store/codec.h"
#include "store/text.h"

#include <array>
#include <optional>

const QStringList kFamilySituations = {QStringLiteral("Célibataire"), QStringLiteral("Couple"),
                                       QStringLiteral("1 enfant"),    QStringLiteral("2 enfants"),
                                       QStringLiteral("3 enfants"),   QStringLiteral("> 3 enfants")};
const QStringList kSituationNames = {QStringLiteral("Présent"), QStringLiteral("Réserve"),
                                     QStringLiteral("Confirme"), QStringLiteral("Parti"),
                                     QStringLiteral("Annulle")};

namespace {

constexpr int kAmountColumn = 95;
constexpr int kDueField = 96;
constexpr int kFixedLines = 24; // field lines after the start marker

QByteArray enc(const QString &s)
{
    return cp1252::encodeField(s);
}

QByteArray yn(bool on)
{
    return on ? "Y" : "N";
}

QByteArray historyLine(const HistoryRow &r)
{
    return "DATA" + enc(r.date) + '\t' + enc(r.label) + '\t' + enc(r.amount);
}

} // namespace

ClientPage::ClientPage(Fiche &fiche)
    : GuestPage(fiche, Table::Clients, PageId::Clients, {.maxCount = kMaxCount, .lastNeedsTwo = true}), entryDate(QDate::currentDate())
{
}

QByteArray ClientBusiness::line() const
{
    return kTag.toByteArray() + enc(siret) + '\t' + enc(vatNumber) + '\t' + enc(legalName);
}

ClientBusiness ClientBusiness::read(QByteArrayView line)
{
    QString rest = cp1252::decode(line.sliced(std::min(line.size(), kTag.size())));
    ClientBusiness b;
    b.siret = text::beforeTab(rest);
    b.vatNumber = text::beforeTab(rest);
    b.legalName = rest;
    return b;
}

QList<QByteArray> ClientPage::blockLines(int number) const
{
    const ClientCard &c = m_card;
    const RecordTable &t = table();
    QList<QByteArray> lines = {
        t.startMarker(number),  enc(c.code),     yn(c.npai),
        yn(c.marked),           enc(c.name),     enc(c.address1),
        enc(c.address2),        enc(c.postalCode), enc(c.town),
        enc(c.country),         enc(c.phone),    enc(c.fax),
        enc(c.email),           enc(text::dateText(c.created)), enc(c.idDocument),
        enc(text::dateText(c.since)), enc(c.room), enc(text::dateText(c.leaving)),
        QByteArray::number(c.stays), enc(c.birthDate), enc(c.family),
        enc(c.due),             enc(c.nationality), enc(c.profession),
        QByteArray::number(c.situation)};
    for (const QString &l : c.note)
        lines << "MEMO" + enc(l);
    // Every filled row is written, up to the last one: a short or empty row
    // in the middle never cuts off the rows after it.
    qsizetype lastRow = c.history.size() - 1;
    while (lastRow >= 0 && c.history[lastRow].isEmpty())
        --lastRow;
    for (qsizetype i = 0; i <= lastRow; ++i)
        if (!c.history[i].isEmpty())
            lines << historyLine(c.history[i]);
    for (const HistoryRow &r : c.moreHistory)
        lines << historyLine(r);
    for (const QString &l : c.stayLines)
        lines << StaySegment::kTag.toByteArray() + enc(l);
    if (c.business.isBusiness())
        lines << c.business.line();
    lines << t.endMarker(number);
    return lines;
}

void ClientPage::EcritFiche()
{
    if (!modified())
        return;
    keepStayBookable();
    store(blockLines(position()), true);
}

void ClientPage::readBlock(const RecordTable &t, qsizetype start, qsizetype end)
{
    ClientCard &c = m_card;
    const BlockReader block{t, start, end};
    auto field = [&](int offset) { return block.text(offset); };
    auto date = [&](int offset, QDate &d) { block.date(offset, d); };
    c.code = field(1);
    c.npai = field(2) == u"Y";
    c.marked = field(3) == u"Y";
    c.name = field(4);
    c.address1 = field(5);
    c.address2 = field(6);
    c.postalCode = field(7);
    c.town = field(8);
    c.country = field(9);
    c.phone = field(10);
    c.fax = field(11);
    c.email = field(12);
    date(13, c.created);
    c.idDocument = field(14);
    date(15, c.since);
    c.room = field(16);
    date(17, c.leaving);
    if (const auto stays = text::parseInt(field(18)))
        c.stays = *stays;
    c.birthDate = field(19);
    c.family = field(20);
    c.due = field(21);
    c.nationality = field(22);
    c.profession = field(23);
    const QString situation = field(24);
    c.situation = situation.size() == 1 && situation[0] >= u'0' && situation[0] <= u'4'
                      ? situation[0].unicode() - u'0'
                      : -1;

    // Tagged lines come after the fixed fields, up to the end marker.
    int row = 0;
    for (qsizetype i = start + kFixedLines + 1; i < end; ++i) {
        const QByteArrayView l = t.line(i);
        if (l.startsWith("MEMO")) {
            c.note << cp1252::decode(l.sliced(4));
        } else if (l.startsWith("DATA")) {
            QString rest = cp1252::decode(l.sliced(4));
            HistoryRow r;
            if (!rest.contains(u'\t')) {
                r.date = rest; // kept whole rather than lost
            } else {
                r.date = text::beforeTab(rest);
                r.label = text::beforeTab(rest);
                r.amount = text::Rset(rest, kAmountColumn);
            }
            if (row < ClientCard::kHistoryRows)
                c.history[row++] = r;
            else
                c.moreHistory << r;
        } else if (l.startsWith(StaySegment::kTag)) {
            c.stayLines << cp1252::decode(l.sliced(StaySegment::kTag.size()));
        } else if (l.startsWith(ClientBusiness::kTag)) {
            c.business = ClientBusiness::read(l);
        }
    }
}

void ClientPage::LitFiche()
{
    ClientCard &c = m_card;
    const QDate today = QDate::currentDate();
    // The country stays from the card shown before (guests often come from
    // the same one); a new guest has made no stay yet.
    ClientCard empty;
    empty.country = c.country;
    empty.created = empty.since = empty.leaving = today;
    c = empty;
    entryDate = today;
    set().setPageModified(Table::Clients, false);
    c.code = QString::number(numerom());

    const RecordTable &t = set().table(Table::Clients);
    const int pos = set().position(Table::Clients);
    const qsizetype start = t.blockStart(pos);
    if (start < 0)
        return;
    const qsizetype end = t.blockStop(start, pos);
    readBlock(t, start, end);
    if (c.code.isEmpty())
        c.code = QString::number(numerom());
    set().setPageModified(Table::Clients, false);
}

bool ClientPage::addHistory(QString *error)
{
    if (entryLabel.trimmed().isEmpty() || entryAmount.trimmed().isEmpty())
        return true;
    const auto amount = text::parseReal(entryAmount, error);
    if (!amount)
        return false;
    const QString shown = text::Rset(text::formatAmount(*amount, m_fiche.decimals()), kAmountColumn);
    entryAmount = shown;
    for (HistoryRow &r : m_card.history) {
        if (r.date.isEmpty()) {
            r = {text::dateText(entryDate), entryLabel, shown};
            entryLabel.clear();
            entryAmount.clear();
            break;
        }
    }
    set().SetSauve();
    touch();
    return true;
}

QList<HistoryRow> ClientPage::shownHistory() const
{
    const ClientCard &c = m_card;
    qsizetype filled = c.history.size();
    while (filled > 0 && c.history[filled - 1].isEmpty())
        --filled;
    QList<HistoryRow> rows = c.history.first(filled);
    rows << c.moreHistory;
    for (const QString &line : c.stayLines) {
        if (const auto s = StaySegment::read(QStringView(line)))
            rows << HistoryRow{text::dateText(s->first), s->label(), QString()};
        else
            rows << HistoryRow{QString(), QStringLiteral("Séjour ") + line, QString()};
    }
    while (rows.size() < ClientCard::kHistoryRows)
        rows << HistoryRow{};
    return rows;
}

void ClientPage::leaveDue()
{
    const QString aligned = text::Rset(m_card.due, kDueField);
    if (aligned != m_card.due) {
        m_card.due = aligned;
        touch();
    }
}

void ClientPage::chooseSituation(int index)
{
    m_card.situation = index;
    if (onSituation && (index == 0 || index == 3))
        onSituation(m_card.room, m_card.name, index == 0);
    if (index == 3)
        m_card.room.clear();
    touch();
}

bool ClientPage::pickSituation(int index)
{
    ClientCard &c = m_card;
    if (index == c.situation || index < 0 || index >= ClientCard::kSituations)
        return false;
    const QString stay = c.room.trimmed().isEmpty()
                             ? c.name
                             : QStringLiteral("%1, chambre %2 du %3 au %4")
                                   .arg(c.name, c.room.trimmed(), text::dateText(c.since), text::dateText(c.leaving));
    if (index <= 2) {
        ClientCard trial = c;
        trial.situation = index;
        if (const QString problem = stayCheck ? stayCheck(trial) : QString(); !problem.isEmpty()) {
            m_fiche.ui().inform(problem);
            return false;
        }
        chooseSituation(index);
        return true;
    }
    if (index == 3) {
        if (!m_fiche.ui().askOkCancel(QStringLiteral("Départ de %1 ?").arg(stay)))
            return false;
        if (c.situation == 0 && onDeparture)
            onDeparture();
        else
            chooseSituation(3);
        return true;
    }
    if (!m_fiche.ui().askOkCancel(QStringLiteral("Annuler le séjour de %1 ?").arg(stay)))
        return false;
    // The booking cancelled stays in the history with its nights.
    if ((c.situation == 1 || c.situation == 2) && !c.room.trimmed().isEmpty() && c.since.isValid() &&
        c.leaving.isValid())
        c.stayLines << StaySegment{c.room.trimmed(), c.since, std::max(c.since, c.leaving.addDays(-1)), 4}.text();
    chooseSituation(4);
    return true;
}

void ClientPage::keepStayBookable()
{
    ClientCard &c = m_card;
    if (!stayCheck || c.situation < 0 || c.situation > 2)
        return;
    const RecordTable &t = set().table(Table::Clients);
    const int pos = set().position(Table::Clients);
    const qsizetype start = t.blockStart(pos);
    ClientCard stored;
    stored.since = stored.leaving = QDate::currentDate(); // as the card reads dates that do not read
    int storedSituation = -1;
    if (start >= 0) {
        const BlockReader block{t, start, t.blockStop(start, pos)};
        stored.room = block.text(16);
        block.date(15, stored.since);
        block.date(17, stored.leaving);
        const QString situation = block.text(24);
        if (situation.size() == 1 && situation[0] >= u'0' && situation[0] <= u'4')
            storedSituation = situation[0].unicode() - u'0';
    }
    if (start >= 0 && stored.room == c.room && stored.since == c.since && stored.leaving == c.leaving &&
        storedSituation == c.situation)
        return;
    const QString problem = stayCheck(c);
    if (problem.isEmpty())
        return;
    c.room = stored.room;
    c.since = stored.since.isValid() ? stored.since : QDate::currentDate();
    c.leaving = stored.leaving.isValid() ? stored.leaving : QDate::currentDate();
    c.situation = storedSituation;
    m_fiche.ui().inform(problem +
                        QStringLiteral("\nLa fiche garde la chambre, les dates et la situation d'avant."));
    emit m_fiche.cardChanged(PageId::Clients);
}

namespace {

// The fields "Copier" keeps: the code, then the name and address.
constexpr std::array<QString ClientCard::*, 10> kCopied = {
    &ClientCard::code,       &ClientCard::name, &ClientCard::address1, &ClientCard::address2,
    &ClientCard::postalCode, &ClientCard::town, &ClientCard::country,  &ClientCard::phone,
    &ClientCard::fax,        &ClientCard::email};

} // namespace

void ClientPage::copy()
{
    copyFields(m_card, kCopied);
}

void ClientPage::paste()
{
    // Before any copy, pasting empties the name and address.
    if (m_clipboard.size() != qsizetype(kCopied.size()))
        m_clipboard = QStringList(kCopied.size());
    m_card.code = QString::number(numerom());
    pasteFields(m_card, kCopied);
}
