#include "room_page.h"

#include "clients/client_lines.h"
#include "room_lines.h"
#include "store/block_lines.h"
#include "store/block_spans.h"
#include "store/codec.h"
#include "store/text.h"

#include <QCollator>
#include <QLocale>
#include <QSet>

#include <algorithm>

namespace {

QByteArray enc(const QString &s)
{
    return cp1252::encodeField(s);
}

QByteArray yn(bool on)
{
    return on ? "Y" : "N";
}


} // namespace

RoomPage::RoomPage(Fiche &fiche) : CardPage(fiche, Table::Rooms, PageId::Rooms, {.maxCount = kMaxCount, .lastNeedsTwo = true})
{
    // "Copier" keeps number, category, designation, beds, price, floor and
    // orientation; pasting before any copy empties them.
    m_clipboard = QStringList(7);
}

QList<QByteArray> RoomPage::blockLines(int number) const
{
    const RoomCard &c = m_card;
    const RecordTable &t = table();
    QList<QByteArray> lines = {t.startMarker(number),
                               enc(c.number),
                               enc(c.category),
                               enc(c.designation),
                               QByteArray::number(c.beds),
                               enc(c.price),
                               QByteArray::number(c.floor),
                               enc(c.orientation),
                               enc(c.occupant)};
    for (bool on : c.comfort)
        lines << yn(on);
    lines << enc(c.closedFrom) << enc(c.closedUntil) << enc(c.closedReason);
    for (const QString &l : c.note)
        lines << "MEMO" + enc(l);
    // Every filled row is written, in order: an empty row read from a block
    // edited by hand never cuts off the rows after it.
    for (const RoomHistoryRow &r : c.history) {
        if (!r.isEmpty())
            lines << "DATA" + enc(r.from) + '\t' + enc(r.until) + '\t' + enc(r.description);
    }
    lines << t.endMarker(number);
    return lines;
}

void RoomPage::EcritChambre()
{
    if (!modified())
        return;
    // The block number identifies a room, not its place: it goes to the end.
    store(blockLines(position()), false);
}

void RoomPage::readBlock(const RecordTable &t, qsizetype start, qsizetype end)
{
    RoomCard &c = m_card;
    const BlockReader block{t, start, end};
    auto field = [&](int offset) { return block.text(offset); };
    c.number = text::normRoom(field(roomline::Number));
    c.category = field(roomline::Category);
    c.designation = field(roomline::Designation);
    // A beds or floor line that is not a whole number leaves the fields
    // after it empty.
    [&] {
        auto whole = [&](int offset, int &value) {
            const QString s = field(offset);
            if (s.isEmpty())
                return true;
            const auto v = text::parseInt(s);
            if (v)
                value = *v;
            return v.has_value();
        };
        if (!whole(roomline::Beds, c.beds))
            return;
        c.price = field(roomline::Price);
        if (!whole(roomline::Floor, c.floor))
            return;
        c.orientation = field(roomline::Orientation);
        c.occupant = field(roomline::Occupant);
        for (int i = 0; i < RoomCard::kComforts; ++i)
            c.comfort[std::size_t(i)] = field(roomline::Shower + i) == u"Y";
    }();
    auto date = [&](int offset) {
        const QString s = field(offset);
        return s.isEmpty() ? RoomCard::kNoDate : s;
    };
    c.closedFrom = date(roomline::ClosedFrom);
    c.closedUntil = date(roomline::ClosedUntil);
    c.closedReason = field(roomline::ClosedReason);

    // Tagged lines come after the fixed fields, up to the end marker.
    int row = 0;
    for (qsizetype i = start + roomline::FirstTagged; i < end; ++i) {
        const QByteArrayView l = t.line(i);
        if (l.startsWith("MEMO")) {
            c.note << cp1252::decode(l.sliced(4));
        } else if (l.startsWith("DATA")) {
            QString rest = cp1252::decode(l.sliced(4));
            RoomHistoryRow r;
            r.from = text::beforeTab(rest);
            r.until = text::beforeTab(rest);
            r.description = rest.trimmed();
            if (row < c.history.size())
                c.history[row] = r;
            else
                c.history << r;
            ++row;
        }
    }
}

void RoomPage::LitChambre()
{
    m_card = RoomCard();
    set().setPageModified(Table::Rooms, false);
    const RecordTable &t = table();
    const int pos = set().position(Table::Rooms);
    const qsizetype start = t.blockStart(pos);
    if (start < 0)
        return;
    readBlock(t, start, t.blockStop(start, pos));
}

void RoomPage::leaveNumber()
{
    const QString norm = text::normRoom(m_card.number);
    if (norm != m_card.number) {
        m_card.number = norm;
        touch();
    }
}

bool RoomPage::addHistory()
{
    // Only the first character tells whether a date was typed in.
    auto typed = [](const QString &d) { return !d.isEmpty() && d[0] != u' '; };
    if (!typed(entryFrom) || !typed(entryUntil))
        return false;
    QList<RoomHistoryRow> &h = m_card.history;
    auto row =
        std::find_if(h.begin(), h.end(), [](const RoomHistoryRow &r) { return r.from.isEmpty(); });
    if (row == h.end()) {
        // The grid is full: the oldest row goes, the new one comes last.
        h.removeFirst();
        h.append(RoomHistoryRow());
        row = h.end() - 1;
    }
    *row = {entryFrom, entryUntil, entryDescription};
    entryFrom = entryUntil = RoomCard::kNoDate;
    entryDescription.clear();
    set().SetSauve();
    touch();
    return true;
}

void RoomPage::clearOutOfService()
{
    m_card.closedFrom = m_card.closedUntil = RoomCard::kNoDate;
    m_card.closedReason.clear();
    touch();
}

void RoomPage::SetChambre(int mode, const std::optional<QString> &answer)
{
    browseMode = mode;
    if (mode == 2 && answer)
        selectedCategory = text::upperAZ(*answer);
    else if (mode == 3)
        selectedBeds = answer.value_or(bedsProposal());
}

std::function<bool(qsizetype)> RoomPage::browsed() const
{
    const RecordTable &t = table();
    switch (browseMode) {
    case 2:
        return [&t, wanted = enc(text::upperAZ(selectedCategory))](qsizetype start) {
            return text::upperAZ(blockField(t, start, roomline::Category)).startsWith(wanted);
        };
    case 3:
        return [&t, wanted = enc(selectedBeds)](qsizetype start) {
            return blockField(t, start, roomline::Beds) == wanted;
        };
    default:
        break;
    }
    if (!freeRooms)
        return [&t](qsizetype start) { return blockField(t, start, roomline::Occupant).isEmpty(); };
    QSet<QString> free;
    for (QString entry : freeRooms())
        free.insert(text::normRoom(text::beforeTab(entry)));
    return [&t, free](qsizetype start) {
        return free.contains(text::normRoom(blockFieldText(t, start, roomline::Number)));
    };
}

void RoomPage::Trier3(int key)
{
    if (key != 0 && key != 1)
        return;
    EcritChambre();
    RecordTable &t = set().table(Table::Rooms);
    const int keyOffset = key == 0 ? roomline::Number : roomline::Occupant;

    struct Block
    {
        QString sortText;
        QList<QByteArray> body; // the lines between the markers
    };
    std::vector<Block> blocks;
    for (const BlockSpan &span : blockSpans(t)) { // lines outside blocks are dropped
        Block b;
        b.body = t.lines(span.start + 1, span.last - span.start);
        b.sortText = keyOffset <= b.body.size() ? cp1252::decode(b.body[keyOffset - 1]) : QString();
        for (const QByteArray &line : std::as_const(b.body))
            b.sortText += u'\t' + cp1252::decode(line);
        blocks.push_back(std::move(b));
    }

    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(blocks.begin(), blocks.end(), [&](const Block &a, const Block &b) {
        return collator.compare(a.sortText, b.sortText) < 0;
    });

    QList<QByteArray> lines;
    for (std::size_t k = 0; k < blocks.size(); ++k)
        lines << t.startMarker(qint64(k)) << blocks[k].body << t.endMarker(qint64(k));
    t.clear();
    t.insert(0, lines);
    LitChambre();
    set().SetSauve();
    emit m_fiche.cardChanged(PageId::Rooms);
}

bool RoomPage::RechNum(const QString &number)
{
    if (number.isEmpty())
        return false;
    const QString wanted = text::normRoom(number);
    return findFirst(
        roomline::Number, [&](QByteArrayView line) { return text::normRoom(cp1252::decode(line)) == wanted; },
        QStringLiteral("Chambre ") + wanted + QStringLiteral(" non trouvée"));
}

bool RoomPage::RechNom(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QString wanted = text::upperAZ(name);
    const QByteArray bytes = enc(wanted);
    return findFirst(
        roomline::Occupant, [&](QByteArrayView line) { return text::upperAZ(line).startsWith(bytes); },
        QStringLiteral("Chambre ") + wanted + QStringLiteral(" non trouvée"));
}

std::optional<QList<RoomListRow>> RoomPage::Liste()
{
    const RecordTable &t = table();
    return listRows<RoomListRow>(kListMinLines, [&t](RoomListRow &r, qsizetype i) {
        r.number = blockFieldText(t, i, roomline::Number);
        r.category = blockFieldText(t, i, roomline::Category);
        r.designation = blockFieldText(t, i, roomline::Designation);
        r.beds = blockFieldText(t, i, roomline::Beds);
        r.price = blockFieldText(t, i, roomline::Price);
        r.floor = blockFieldText(t, i, roomline::Floor);
        r.occupant = blockFieldText(t, i, roomline::Occupant);
    });
}

void RoomPage::copy()
{
    const RoomCard &c = m_card;
    m_clipboard = {c.number,      c.category,
                   c.designation, QString::number(c.beds),
                   c.price,       QString::number(c.floor),
                   c.orientation};
}

void RoomPage::paste()
{
    // The card keeps its own number: two rooms never share one by pasting.
    RoomCard &c = m_card;
    c.category = m_clipboard[1];
    c.designation = m_clipboard[2];
    c.price = m_clipboard[4];
    c.orientation = m_clipboard[6];
    if (!m_clipboard[3].isEmpty())
        c.beds = m_clipboard[3].toInt();
    if (!m_clipboard[5].isEmpty())
        c.floor = m_clipboard[5].toInt();
    touch();
}

void RoomPage::add()
{
    if (!roomForNew())
        return;
    table().append(" ");
    openNew();
}

bool RechChambre(Fiche &fiche, const QString &room)
{
    auto *clients = dynamic_cast<CardPage *>(&fiche.page(PageId::Clients));
    if (room.isEmpty() || !clients)
        return false;
    const QString wanted = text::normRoom(room);
    return clients->findFirst(
        clientline::Room, [&](QByteArrayView line) { return text::normRoom(cp1252::decode(line)) == wanted; },
        QStringLiteral("Fiche ") + wanted + QStringLiteral(" non trouvée"));
}
