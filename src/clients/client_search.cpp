#include "client_search.h"

#include "client_lines.h"
#include "store/block_lines.h"
#include "store/block_spans.h"
#include "store/codec.h"
#include "store/text.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <functional>

namespace {

FileSet &setOf(ClientPage &page)
{
    return page.fiche().set();
}

// Whether `line`, with a to z upper-cased, begins with `upper` (already
// upper-cased the same way); compared byte by byte without a copy.
bool startsWithAZ(QByteArrayView line, QByteArrayView upper)
{
    if (line.size() < upper.size())
        return false;
    for (qsizetype i = 0; i < upper.size(); ++i) {
        char c = line[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != upper[i])
            return false;
    }
    return true;
}

// The selection text as stored bytes; nothing when it holds a character no
// stored line can hold (then no client qualifies).
std::optional<QByteArray> stored(const QString &s)
{
    bool ok = true;
    const QByteArray bytes = cp1252::encode(s, &ok);
    return ok ? std::optional(bytes) : std::nullopt;
}

// The block line a browse mode looks at.
int selectionLine(int mode)
{
    return mode == 2   ? clientline::PostalCode
           : mode == 3 ? clientline::Town
           : mode == 4 ? clientline::Country
                       : clientline::Situation;
}

std::function<bool(QByteArrayView)> qualifier(const ClientPage &page)
{
    const int mode = page.browseMode;
    if (mode == 5)
        return [](QByteArrayView line) { return line == "0"; };
    const QString &sel = mode == 2   ? page.selPostalCode
                         : mode == 3 ? page.selTown
                                     : page.selCountry;
    const auto wanted = stored(mode == 2 ? sel : text::upperAZ(sel));
    if (!wanted)
        return [](QByteArrayView) { return false; };
    if (mode == 2)
        return [w = *wanted](QByteArrayView line) { return line.startsWith(w); };
    return [w = *wanted](QByteArrayView line) { return startsWithAZ(line, w); };
}

// Blanks, dots and dashes only lay a telephone number out.
bool phoneLayout(QChar c)
{
    return c == u' ' || c == u'.' || c == u'-';
}

// Whether the line, its layout skipped, begins with `wanted` (without layout).
bool startsWithPhone(QByteArrayView line, QByteArrayView wanted)
{
    qsizetype j = 0;
    for (qsizetype i = 0; i < line.size() && j < wanted.size(); ++i) {
        if (phoneLayout(QLatin1Char(line[i])))
            continue;
        if (line[i] != wanted[j++])
            return false;
    }
    return j == wanted.size();
}

bool startsWith(QByteArrayView line, QByteArrayView wanted)
{
    return line.startsWith(wanted);
}

// The first client whose line `offset` matches `wanted` becomes the card
// shown; `typed` is the text the message repeats when none does.
bool search(ClientPage &page, const QString &wanted, const QString &typed, int offset,
            bool (*match)(QByteArrayView line, QByteArrayView wanted))
{
    if (wanted.isEmpty())
        return false;
    const auto bytes = stored(wanted);
    return page.findFirst(
        offset, [&](QByteArrayView line) { return bytes && match(line, *bytes); },
        QStringLiteral("Fiche ") + typed + QStringLiteral(" non trouvée"));
}

} // namespace

QByteArrayView clientField(const RecordTable &t, qsizetype start, int offset)
{
    return blockField(t, start, offset);
}

std::optional<SelectionQuestion> selectionQuestion(const ClientPage &page, int mode)
{
    const ClientCard &c = page.card();
    switch (mode) {
    case 2:
        return SelectionQuestion{QStringLiteral("Sélection par code postal"),
                                 QStringLiteral("Code postal"), c.postalCode};
    case 3:
        return SelectionQuestion{QStringLiteral("Sélection par ville"), QStringLiteral("Ville"),
                                 c.town};
    case 4:
        return SelectionQuestion{QStringLiteral("Sélection par pays"), QStringLiteral("Pays"),
                                 c.country};
    default:
        return std::nullopt;
    }
}

void SetSel(ClientPage &page, int mode, const std::optional<QString> &answer)
{
    page.browseMode = mode;
    const auto question = selectionQuestion(page, mode);
    if (!question)
        return;
    const QString text = answer.value_or(question->offered);
    (mode == 2 ? page.selPostalCode : mode == 3 ? page.selTown : page.selCountry) = text;
}

std::function<bool(qsizetype)> ClientPage::browsed() const
{
    const RecordTable &t = table();
    return [&t, qualifies = qualifier(*this), offset = selectionLine(browseMode)](qsizetype start) {
        return qualifies(clientField(t, start, offset));
    };
}

bool searchKeyAccepted(ClientSearch kind, QChar c)
{
    switch (kind) {
    case ClientSearch::Name:
        return true;
    case ClientSearch::Code:
        return c >= u'0' && c <= u'9';
    case ClientSearch::Phone:
        return (c >= u'0' && c <= u'9') || phoneLayout(c);
    }
    return false;
}

bool RechNom(ClientPage &page, const QString &name)
{
    const QString upper = text::upperAZ(name);
    return search(page, upper, upper, clientline::Name, startsWithAZ);
}

bool RechNum(ClientPage &page, const QString &code)
{
    return search(page, code, code, clientline::Code, startsWith);
}

bool RechTel(ClientPage &page, const QString &phone)
{
    constexpr int kPhoneLine = 10;
    QString digits = phone;
    digits.removeIf(phoneLayout);
    return search(page, digits, phone, kPhoneLine, startsWithPhone);
}

ClientList::ClientList(const RecordTable &clients) : m_table(&clients)
{
    for (qsizetype i = 0; i < clients.size(); ++i)
        if (RecordTable::isStart(clients.line(i)))
            m_starts.push_back(i);
}

int ClientList::block(int row) const
{
    return CardPage::listBlock(m_table->line(m_starts[std::size_t(row)]), row);
}

QString ClientList::cell(int row, int column) const
{
    static constexpr int kLines[ColumnCount] = {0, 0, 4, 5, 6, 7, 8, 10, 11};
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount)
        return {};
    const qsizetype start = m_starts[std::size_t(row)];
    if (column == Block) {
        const auto n = m_table->markerNumber(m_table->line(start));
        return n ? QString::number(*n) : QString();
    }
    if (column == Ordinal)
        return QString::number(row + 1);
    return blockFieldText(*m_table, start, kLines[column]);
}

QString ClientList::title(int column)
{
    static const char16_t *const titles[ColumnCount] = {
        u"", u"", u"Nom/Société", u"Adresse", u"Adresse", u"C.P.", u"Ville", u"Téléphone", u"Fax"};
    return column >= 0 && column < ColumnCount ? QString::fromUtf16(titles[column]) : QString();
}

std::optional<ClientList> Liste(ClientPage &page)
{
    if (!page.openList(ClientList::kMinLines))
        return std::nullopt;
    return ClientList(setOf(page).table(Table::Clients));
}

void showClient(ClientPage &page, int block)
{
    if (block >= 0 && block < setOf(page).count(Table::Clients))
        page.showBlock(block);
}

void Trier(ClientPage &page, SortKey key)
{
    static constexpr int kKeyLines[] = {clientline::Code, clientline::Name, clientline::PostalCode,
                                        clientline::Town};
    const int keyLine = kKeyLines[int(key)];
    page.EcritFiche();
    FileSet &s = setOf(page);
    RecordTable &t = s.table(Table::Clients);

    using Block = BlockSpan;
    const std::vector<Block> blocks = blockSpans(t); // lines outside blocks are dropped

    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    auto bodyLine = [&](const Block &b, int offset) -> std::optional<QString> {
        if (b.start + offset > b.last)
            return std::nullopt;
        return cp1252::decode(t.line(b.start + offset));
    };
    // Keys and the first other line are turned into sort keys once; ties
    // beyond them (rare) compare the remaining lines as they come.
    const int secondLine = keyLine == 1 ? 2 : 1;
    std::vector<QCollatorSortKey> keys, seconds;
    keys.reserve(blocks.size());
    seconds.reserve(blocks.size());
    for (const Block &b : blocks) {
        keys.push_back(collator.sortKey(bodyLine(b, keyLine).value_or(QString())));
        seconds.push_back(collator.sortKey(bodyLine(b, secondLine).value_or(QString())));
    }
    std::vector<std::size_t> order(blocks.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    auto otherLines = [&](const Block &a, const Block &b) {
        const qsizetype longest = std::max(a.last - a.start, b.last - b.start);
        for (int offset = 1; offset <= longest; ++offset) {
            if (offset == keyLine || offset == secondLine)
                continue;
            const auto x = bodyLine(a, offset), y = bodyLine(b, offset);
            if (!x || !y)
                return x ? 1 : y ? -1 : 0; // a shorter block comes first
            if (const int c = collator.compare(*x, *y))
                return c;
        }
        return 0;
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (const int c = keys[a].compare(keys[b]))
            return c < 0;
        if (const int c = seconds[a].compare(seconds[b]))
            return c < 0;
        return otherLines(blocks[a], blocks[b]) < 0;
    });

    // The lines are moved, never copied through text: only the markers change.
    std::vector<qsizetype> lines;
    std::vector<qsizetype> markerPlaces;
    for (std::size_t k : order) {
        const Block &b = blocks[k];
        markerPlaces.push_back(qsizetype(lines.size()));
        for (qsizetype i = b.start; i <= b.last; ++i)
            lines.push_back(i);
        markerPlaces.push_back(qsizetype(lines.size()));
        lines.push_back(b.end >= 0 ? b.end : b.start);
    }
    // The client shown stays shown, at its new number.
    const qsizetype shownStart = t.blockStart(s.position(Table::Clients));
    const auto shown = std::find_if(order.begin(), order.end(),
                                    [&](std::size_t k) { return blocks[k].start == shownStart; });
    t.keepLines(lines);
    for (std::size_t k = 0; k < order.size(); ++k) {
        t.setLine(markerPlaces[2 * k], t.startMarker(qint64(k)));
        t.setLine(markerPlaces[2 * k + 1], t.endMarker(qint64(k)));
    }
    if (shownStart >= 0 && shown != order.end())
        s.setPosition(Table::Clients, int(shown - order.begin()));
    page.LitFiche();
    s.SetSauve();
    emit page.fiche().cardChanged(PageId::Clients);
}

QStringList presentGuests(const RecordTable &clients)
{
    QStringList entries;
    forEachBlockField(clients, clientline::Situation,
                       [&](qsizetype start, qint64, QByteArrayView situation) {
                           if (situation == "0")
                               entries << blockFieldText(clients, start, clientline::Code) + u' ' +
                                              blockFieldText(clients, start, clientline::Name) +
                                              QStringLiteral(" (Ch ") +
                                              blockFieldText(clients, start, clientline::Room) + u')';
                           return false;
                       });
    return entries;
}

QString guestCode(const QString &entry)
{
    const qsizetype blank = entry.indexOf(u' ');
    return blank < 0 ? entry : entry.left(blank);
}
