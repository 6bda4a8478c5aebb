#include "hotel.h"
#include "names.h"

#include "store/text.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace {

struct Size
{
    int floors, roomsPerFloor, clients, invoices, articles, suppliers, orders;
    int years, horizon; // main courante years back, reservation days ahead
};

constexpr Size kBig = {4, 15, 40000, 60000, 2000, 300, 3000, 10, 90};
constexpr Size kSmall = {2, 10, 150, 400, 60, 15, 40, 1, 60};

// Streams of random numbers, one per part of the hotel, so that changing one
// part leaves the others as they were.
enum Stream : uint64_t { Catalogue = 1, Suppliers, Rooms, Stays, Clients, Invoices, Orders };

uint64_t streamSeed(uint64_t seed, Stream s)
{
    Rng r(seed * 0x2545F4914F6CDD1Dull + s);
    return r.next();
}

// Weighted choice among (value, weight) pairs.
template <typename T> T weighted(Rng &rng, std::initializer_list<std::pair<T, int>> table)
{
    int total = 0;
    for (const auto &e : table)
        total += e.second;
    int w = rng.below(total);
    for (const auto &e : table)
        if ((w -= e.second) < 0)
            return e.first;
    return table.begin()->first;
}

int stayLength(Rng &rng, bool small)
{
    if (small)
        return weighted<int>(rng, {{2, 20}, {3, 25}, {4, 20}, {5, 15}, {7, 15}, {10, 5}});
    return weighted<int>(
        rng, {{1, 340}, {2, 280}, {3, 150}, {4, 90}, {5, 50}, {6, 30}, {7, 40}, {10, 15}, {14, 5}});
}

QString monthKey(int day)
{
    const QDate d = QDate::fromJulianDay(day);
    return QStringLiteral("%1%2").arg(d.year()).arg(d.month(), 2, 10, QLatin1Char('0'));
}

// Numbers of the form yyyymm + three digits, counting from 001 in each month.
class Numbering
{
public:
    QString next(int day)
    {
        const QString key = monthKey(day);
        return key + QStringLiteral("%1").arg(++counts[key], 3, 10, QLatin1Char('0'));
    }

private:
    std::map<QString, int> counts;
};

void buildRooms(Hotel &h, const Size &size, Rng &rng)
{
    struct Category
    {
        const char16_t *name;
        const char16_t *beds;
        int bedCount;
        int weight;
    };
    static const Category cats[] = {
        {u"Simple", u"lit 90", 1, 15},
        {u"Double", u"grand lit 160", 1, 40},
        {u"Twin", u"deux lits 90", 2, 20},
        {u"Triple", u"un lit 140 et un lit 90", 2, 10},
        {u"Familiale", u"lit 160 et deux lits superposés", 3, 10},
        {u"Suite", u"lit 180 et salon", 1, 5},
    };
    static const QStringList orientations = {QStringLiteral("Rue"),   QStringLiteral("Cour"),
                                             QStringLiteral("Nord"),  QStringLiteral("Est"),
                                             QStringLiteral("Ouest"), QStringLiteral("Sud")};
    static const QStringList notes = {
        QStringLiteral("Accessible aux personnes à mobilité réduite."),
        QStringLiteral("Climatisée."),
        QStringLiteral("Balcon avec table et deux chaises."),
        QStringLiteral("Communicante avec la chambre voisine."),
        QStringLiteral("Fenêtres double vitrage changées récemment."),
        QStringLiteral("Coffre-fort dans la penderie."),
    };
    for (int f = 1; f <= size.floors; ++f) {
        for (int k = 1; k <= size.roomsPerFloor; ++k) {
            const bool top = f == size.floors && k == size.roomsPerFloor;
            int w = rng.below(100);
            const Category *c = &cats[0];
            for (const Category &cat : cats)
                if ((w -= cat.weight) < 0) {
                    c = &cat;
                    break;
                }
            if (top)
                c = &cats[5];
            Room r;
            r.number = QString::number(f * 100 + k);
            r.category = QString::fromUtf16(c->name);
            r.floor = f;
            r.orientation = orientations[rng.below(int(orientations.size()))];
            const QString view = r.orientation == QLatin1String("Rue") ? QStringLiteral("côté rue")
                                 : r.orientation == QLatin1String("Cour")
                                     ? QStringLiteral("côté cour, calme")
                                     : QStringLiteral("exposée ") + r.orientation.toLower();
            r.designation = r.category + QStringLiteral(", ") + QString::fromUtf16(c->beds) +
                            QStringLiteral(", ") + view;
            r.beds = c->bedCount;
            const bool bath = c == &cats[4] || c == &cats[5] || rng.chance(0.3);
            r.comfort[0] = !bath || rng.chance(0.3);
            r.comfort[1] = true;
            r.comfort[2] = bath;
            r.comfort[3] = rng.chance(0.95);
            r.comfort[4] = true;
            r.comfort[5] = rng.chance(0.9);
            if (rng.chance(0.3))
                r.notes << notes[rng.below(int(notes.size()))];
            const QString article = r.category == QLatin1String("Suite")
                                        ? QStringLiteral("Nuitée suite")
                                        : QStringLiteral("Nuitée chambre ") + r.category.toLower();
            for (int a = 0; a < int(h.articles.size()); ++a)
                if (h.articles[size_t(a)].designation == article)
                    r.nightArticle = a;
            r.price = h.articles[size_t(r.nightArticle)].price;
            h.rooms.push_back(std::move(r));
        }
    }
}

// Past works that closed a room, and the closures of today and of the weeks
// to come.
void planClosures(Hotel &h, bool small, Rng &rng)
{
    static const QStringList works = {QStringLiteral("Réfection peinture"),
                                      QStringLiteral("Remplacement moquette"),
                                      QStringLiteral("Rénovation salle de bain"),
                                      QStringLiteral("Changement literie"),
                                      QStringLiteral("Dégât des eaux"),
                                      QStringLiteral("Remplacement fenêtre"),
                                      QStringLiteral("Mise aux normes électriques")};
    for (Room &r : h.rooms) {
        const int n = small ? (rng.chance(0.3) ? 1 : 0) : rng.below(4);
        for (int i = 0; i < n; ++i) {
            const int len = rng.between(3, 14);
            const int first = h.ledgerFirst + 30 + rng.below(h.today - h.ledgerFirst - 60 - len);
            const bool clash = std::any_of(r.works.begin(), r.works.end(), [&](const Period &p) {
                return first <= p.last + 2 && first + len - 1 >= p.first - 2;
            });
            if (!clash)
                r.works.push_back({first, first + len - 1, works[rng.below(int(works.size()))]});
        }
        std::sort(r.works.begin(), r.works.end(),
                  [](const Period &a, const Period &b) { return a.first < b.first; });
    }
    const int closedNow = rng.below(int(h.rooms.size()));
    int closedLater = rng.below(int(h.rooms.size()) - 1);
    if (closedLater >= closedNow)
        ++closedLater;
    h.rooms[size_t(closedNow)].closure = {h.today - 3, h.today + 4,
                                          QStringLiteral("Dégât des eaux")};
    h.rooms[size_t(closedLater)].closure = {h.today + 12, h.today + 25,
                                            QStringLiteral("Remplacement moquette")};
    for (int i : {closedNow, closedLater})
        h.rooms[size_t(i)].reason = h.rooms[size_t(i)].closure.what;
}

int personsFor(const Room &r, Rng &rng)
{
    if (r.category == QLatin1String("Simple"))
        return 1;
    if (r.category == QLatin1String("Triple"))
        return rng.between(2, 3);
    if (r.category == QLatin1String("Familiale"))
        return rng.between(3, 4);
    return rng.chance(0.75) ? 2 : 1;
}

// Places `count` stays in the days first..last, with gaps spread at random.
void fillSegment(Hotel &h, int room, int first, int last, int count, bool small, Rng &rng)
{
    if (count <= 0)
        return;
    const int len = last - first + 1;
    std::vector<int> lengths(static_cast<size_t>(count));
    for (int &l : lengths)
        l = stayLength(rng, small);
    int used = std::accumulate(lengths.begin(), lengths.end(), 0);
    while (used > len * 9 / 10) {
        int &l = lengths[size_t(rng.below(count))];
        if (l > 1) {
            --l;
            --used;
        } else if (std::all_of(lengths.begin(), lengths.end(), [](int x) { return x == 1; })) {
            break;
        }
    }
    const int slack = std::max(0, len - used);
    std::vector<double> weights(size_t(count) + 1);
    for (double &w : weights)
        w = rng.unit();
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    std::vector<int> gaps(weights.size());
    int given = 0;
    for (size_t i = 0; i < weights.size(); ++i)
        given += gaps[i] = int(slack * weights[i] / total);
    for (int i = rng.below(int(gaps.size())); given < slack; i = (i + 1) % int(gaps.size()))
        ++gaps[size_t(i)], ++given;
    int day = first;
    for (int i = 0; i < count; ++i) {
        day += gaps[size_t(i)];
        Stay s;
        s.room = room;
        s.first = day;
        s.last = day + lengths[size_t(i)] - 1;
        s.persons = personsFor(h.rooms[size_t(room)], rng);
        h.stays.push_back(s);
        day = s.last + 1;
    }
}

void planStays(Hotel &h, const Size &size, bool small, Rng &rng)
{
    const int rooms = int(h.rooms.size());
    for (int r = 0; r < rooms; ++r) {
        Room &room = h.rooms[size_t(r)];
        int invoiced = size.invoices / rooms + (r < size.invoices % rooms ? 1 : 0);
        const bool closedToday =
            room.closure.first && room.closure.first <= h.today && room.closure.last >= h.today;
        // Who is in the room today: nobody, a guest who leaves later, or one
        // whose invoice is being made out today.
        const double draw = rng.unit();
        const int kind = closedToday ? 0 : draw < 0.12 ? 2 : draw < (small ? 0.45 : 0.72) ? 1 : 0;
        Stay present;
        present.room = r;
        present.situation = Present;
        present.persons = personsFor(room, rng);
        int pastEnd = h.today - 1;
        if (kind == 1) {
            const int len = std::max(2, stayLength(rng, small));
            present.first = h.today - rng.below(len - 1);
            present.last = present.first + len - 1;
            if (room.closure.first > h.today)
                present.last = std::min(present.last, room.closure.first - 1);
            pastEnd = present.first - 1;
        } else if (kind == 2) {
            const int len = stayLength(rng, small);
            present.first = h.today - len + 1;
            present.last = h.today;
            pastEnd = present.first - 1;
            --invoiced;
        }
        // The days before, cut by the past closures, share the other stays
        // in proportion to their length.
        std::vector<std::pair<int, int>> segments;
        int from = h.ledgerFirst;
        for (const Period &p : room.works) {
            if (p.first > from)
                segments.push_back({from, std::min(p.first - 1, pastEnd)});
            from = p.last + 1;
        }
        if (from <= pastEnd)
            segments.push_back({from, pastEnd});
        int free = 0;
        for (const auto &s : segments)
            free += s.second - s.first + 1;
        std::vector<int> counts(segments.size());
        int given = 0;
        std::vector<std::pair<double, size_t>> remainders;
        for (size_t i = 0; i < segments.size(); ++i) {
            const double share =
                double(invoiced) * (segments[i].second - segments[i].first + 1) / free;
            given += counts[i] = int(share);
            remainders.push_back({share - counts[i], i});
        }
        std::sort(remainders.begin(), remainders.end(), std::greater<>());
        for (size_t i = 0; given < invoiced; ++i, ++given)
            ++counts[remainders[i % remainders.size()].second];
        for (size_t i = 0; i < segments.size(); ++i)
            fillSegment(h, r, segments[i].first, segments[i].second, counts[i], small, rng);
        if (kind)
            h.stays.push_back(present);
        // Reservations to come; the room closed later takes none.
        if (room.closure.first > h.today)
            continue;
        int day = std::max({h.today, kind ? present.last : 0, room.closure.last}) + 1;
        const int end = h.today + size.horizon;
        while (true) {
            day += rng.below(2 + (day - h.today) / (small ? 3 : 6));
            const int len = stayLength(rng, small);
            if (day + len - 1 > end)
                break;
            Stay s;
            s.room = r;
            s.first = day;
            s.last = day + len - 1;
            s.persons = personsFor(room, rng);
            s.situation =
                weighted<Situation>(rng, {{Reserved, 45}, {Confirmed, 45}, {Cancelled, 10}});
            h.stays.push_back(s);
            day = s.last + 1;
        }
    }
    for (Stay &s : h.stays) {
        if (s.first > h.today)
            s.booked = h.today - rng.below(std::min(60, s.first - h.today) + 1);
        else
            s.booked = s.first - rng.below(45);
    }
    std::sort(h.stays.begin(), h.stays.end(), [](const Stay &a, const Stay &b) {
        return a.first != b.first ? a.first < b.first : a.room < b.room;
    });
}

// The demo shows a guest still in the house the day after the departure
// planned, once: the first present guest who came at least two nights ago
// and meant to stay on was due to leave yesterday.
void keepOneGuestOverdue(Hotel &h)
{
    for (int i = 0; i < int(h.stays.size()); ++i) {
        Stay &s = h.stays[size_t(i)];
        // The card shows the guest's latest stay: this one, not a booking to come.
        if (s.situation == Present && s.first <= h.today - 2 && s.last > h.today &&
            h.clients[size_t(s.client)].lastStay == i) {
            s.last = h.today - 2;
            return;
        }
    }
}

Client newClient(Rng &rng, int created)
{
    Client c;
    const QString surname = rng.pick(words::surnames());
    const QString first = rng.pick(words::firstNames());
    c.name = surname + QLatin1Char(' ') + first;
    const bool abroad = rng.chance(0.06);
    const Town &town = abroad ? rng.pick(words::foreignTowns()) : rng.pick(words::frenchTowns());
    c.address1 = QStringLiteral("%1 %2 %3")
                     .arg(rng.between(1, 120))
                     .arg(rng.pick(words::streetKinds()), rng.pick(words::streets()));
    if (rng.chance(0.15))
        c.address2 = rng.pick(words::secondAddressLines());
    c.postcode = town.postcode;
    c.town = town.name;
    c.country = town.country;
    c.phone = words::phoneNumber(rng, town, rng.chance(0.55));
    if (rng.chance(0.05))
        c.fax = words::phoneNumber(rng, town, false);
    if (rng.chance(0.65)) {
        c.email = words::asciiSlug(first) + QLatin1Char('.') + words::asciiSlug(surname);
        if (rng.chance(0.3))
            c.email += QString::number(rng.between(1, 99));
        c.email += QLatin1Char('@') + rng.pick(words::mailDomains());
    }
    c.created = created;
    const double id = rng.unit();
    if (id < (abroad ? 0.1 : 0.4))
        c.identity = QStringLiteral("CNI %1%2")
                         .arg(rng.between(100000, 999999))
                         .arg(rng.between(0, 999999), 6, 10, QLatin1Char('0'));
    else if (id < 0.5)
        c.identity = QStringLiteral("Passeport %1%2%3%4")
                         .arg(rng.between(10, 99))
                         .arg(QChar(u'A' + rng.below(26)))
                         .arg(QChar(u'A' + rng.below(26)))
                         .arg(rng.between(10000, 99999));
    if (rng.chance(0.45)) {
        const QDate d = QDate::fromJulianDay(created - 365 * rng.between(18, 85) - rng.below(365));
        c.birth = d.toString(QStringLiteral("dd/MM/yyyy"));
    } else {
        c.birth = QStringLiteral("  /  /    ");
    }
    if (rng.chance(0.5))
        c.family = rng.pick(words::familySituations());
    if (rng.chance(0.8))
        c.nationality = words::nationalityOf(c.country);
    if (rng.chance(0.45))
        c.profession = rng.pick(words::professions());
    c.returnedMail = rng.chance(0.02);
    c.marked = rng.chance(0.05);
    const double n = rng.unit();
    const int notes = n < 0.18 ? 3 : n < 0.4 ? 2 : n < 0.7 ? 1 : 0;
    for (int i = 0; i < notes; ++i) {
        const QString &note = rng.pick(words::clientNotes());
        if (!c.notes.contains(note))
            c.notes << note;
    }
    return c;
}

// Gives every stay a guest: new clients and returning ones, never one guest
// in two rooms at once, and exactly the number of clients asked for.
void assignClients(Hotel &h, int count, Rng &rng)
{
    const int total = int(h.stays.size());
    int lastCreated = 0;
    for (int i = 0; i < total; ++i) {
        Stay &s = h.stays[size_t(i)];
        const int created = int(h.clients.size());
        const int left = count - created;
        const auto eligible = [&](int c) {
            const Client &cl = h.clients[size_t(c)];
            return cl.lastEnd < s.first && cl.lastEnd < h.today &&
                   h.stays[size_t(cl.lastStay)].first < s.first;
        };
        int chosen = -1;
        const bool fresh = created == 0 || left >= total - i ||
                           (left > 0 && rng.unit() < double(left) / (total - i));
        if (!fresh) {
            for (int tries = 0; tries < 20 && chosen < 0; ++tries) {
                // One guest in forty is a regular who comes back often.
                int c = rng.chance(0.1) ? 40 * rng.below(created / 40 + 1) : rng.below(created);
                c = std::min(c, created - 1);
                if (eligible(c))
                    chosen = c;
            }
            for (int k = 0, c = rng.below(created); chosen < 0 && left == 0 && k < created;
                 ++k, c = (c + 1) % created)
                if (eligible(c))
                    chosen = c;
        }
        if (chosen < 0) {
            lastCreated = std::min(std::max(lastCreated, s.booked), std::min(s.first, h.today));
            h.clients.push_back(newClient(rng, lastCreated));
            chosen = created;
        }
        Client &c = h.clients[size_t(chosen)];
        s.client = chosen;
        c.lastStay = i;
        if (s.situation != Cancelled)
            c.lastEnd = s.last;
        if (s.situation == Departed || s.situation == Present)
            ++c.stays;
    }
}

// The room card keeps the present guest, and in its closure reason the name of
// whoever booked it last (the reservation writes it there).
void markRooms(Hotel &h)
{
    std::vector<int> lastBooking(h.rooms.size(), -1);
    for (int i = 0; i < int(h.stays.size()); ++i) {
        const Stay &s = h.stays[size_t(i)];
        Room &r = h.rooms[size_t(s.room)];
        if (s.situation == Present)
            r.occupant = h.clients[size_t(s.client)].name;
        if (s.situation == Reserved || s.situation == Confirmed) {
            int &b = lastBooking[size_t(s.room)];
            if (b < 0 || h.stays[size_t(b)].booked <= s.booked)
                b = i;
        }
    }
    for (size_t r = 0; r < h.rooms.size(); ++r)
        if (lastBooking[r] >= 0 && !h.rooms[r].closure.first)
            h.rooms[r].reason = h.clients[size_t(h.stays[size_t(lastBooking[r])].client)].name;
}

ItemLine itemLine(const Hotel &h, int day, int article, double quantity)
{
    ItemLine l;
    l.day = day;
    l.article = article;
    l.quantity = quantity;
    l.quantityText = QString::number(quantity);
    l.price = h.articles[size_t(article)].price;
    l.vat = h.articles[size_t(article)].vat;
    return l;
}

// Sums by VAT code in row order, then their total, as the invoice page does.
double invoiceTotal(const std::vector<ItemLine> &lines)
{
    double sums[kOutsideVat + 1] = {};
    for (const ItemLine &l : lines)
        sums[l.vat] += l.amount();
    return sums[1] + sums[2] + sums[3] + sums[kOutsideVat];
}

void makeInvoices(Hotel &h, Rng &rng)
{
    std::vector<int> billed;
    for (int i = 0; i < int(h.stays.size()); ++i) {
        const Stay &s = h.stays[size_t(i)];
        if (s.situation == Departed || (s.situation == Present && s.last == h.today))
            billed.push_back(i);
    }
    std::sort(billed.begin(), billed.end(), [&h](int a, int b) {
        const Stay &x = h.stays[size_t(a)], &y = h.stays[size_t(b)];
        return x.last != y.last ? x.last < y.last : x.room < y.room;
    });
    static const QStringList memos = {
        QStringLiteral("Règlement reçu avec nos remerciements."),
        QStringLiteral("Facture à adresser au service comptable de la société."),
        QStringLiteral("Réservation faite par l'office de tourisme."),
        QStringLiteral("Séjour dans le cadre du séminaire annuel."),
        QStringLiteral("Arrivée tardive, dîner servi en chambre."),
        QStringLiteral("Geste commercial suite au bruit des travaux."),
    };
    Numbering numbers;
    for (int idx : billed) {
        Stay &s = h.stays[size_t(idx)];
        const Room &room = h.rooms[size_t(s.room)];
        Invoice inv;
        inv.stay = idx;
        inv.day = s.last;
        inv.number = numbers.next(inv.day);
        inv.payment = weighted<QString>(rng, {{QStringLiteral("Carte bancaire"), 55},
                                              {QStringLiteral("Espèces"), 14},
                                              {QStringLiteral("Chèque"), 16},
                                              {QStringLiteral("Virement"), 6},
                                              {QStringLiteral("Chèques vacances"), 9}});
        inv.vatShown = rng.chance(0.3);
        inv.validated = s.situation == Departed;
        // The invoice runs from the first day to the last: one night fewer
        // than the days, as the invoice and the tax report count them.
        const int nights = std::max(1, s.last - s.first);
        const int adults = std::min(s.persons, 2);
        const int children = s.persons - adults;
        ItemLine room_ = itemLine(h, inv.day, room.nightArticle, nights);
        if (rng.chance(0.1))
            room_.discount = rng.chance(0.6) ? 10 : 5;
        inv.lines.push_back(room_);
        if (rng.chance(0.72)) {
            inv.lines.push_back(itemLine(h, inv.day, h.breakfastArticle, nights * adults));
            if (children && h.childBreakfastArticle >= 0)
                inv.lines.push_back(
                    itemLine(h, inv.day, h.childBreakfastArticle, nights * children));
        }
        if (rng.chance(0.85)) {
            // Collected for the commune: outside VAT, at the settings' amount.
            ItemLine tax = itemLine(h, inv.day, h.taxArticle, nights * adults);
            tax.vat = kOutsideVat;
            inv.lines.push_back(tax);
        }
        const int extras = weighted<int>(rng, {{0, 25}, {1, 25}, {2, 20}, {3, 14}, {4, 9}, {5, 7}});
        for (int e = 0; e < extras; ++e) {
            const int a = rng.pick(h.extraArticles);
            const QString &d = h.articles[size_t(a)].designation;
            const int q = d.startsWith(u"Parking") || d.startsWith(u"Garage") ? nights
                          : d.startsWith(u"Téléphone")                        ? rng.between(3, 40)
                                                       : rng.between(1, s.persons + 1);
            inv.lines.push_back(itemLine(h, inv.day, a, q));
        }
        if (rng.chance(0.5))
            inv.memo << QStringLiteral("Séjour de %1 nuit%2 pour %3 personne%4.")
                            .arg(nights)
                            .arg(nights > 1 ? QStringLiteral("s") : QString())
                            .arg(s.persons)
                            .arg(s.persons > 1 ? QStringLiteral("s") : QString());
        const double m = rng.unit();
        if (m < 0.2)
            inv.memo << memos[rng.below(int(memos.size()))];
        if (m < 0.04)
            inv.memo << QStringLiteral("Merci de votre visite et à bientôt.");
        inv.total = invoiceTotal(inv.lines);
        s.invoice = int(h.invoices.size());
        if (inv.validated)
            h.clients[size_t(s.client)].invoices.push_back(s.invoice);
        h.invoices.push_back(std::move(inv));
    }
}

// The demo's business clients, whose invoices can be sent as electronic
// invoices: a company sending its staff and a tour operator, the first two
// clients with validated invoices; the tour operator's latest invoice is
// cancelled by a credit note of today.
void makeBusinessClients(Hotel &h)
{
    struct Business
    {
        const char16_t *name, *siret, *vat;
    };
    static constexpr Business kBusinesses[] = {
        {u"Sud Conseil SARL", u"552 081 317 00029", u"FR 47 552081317"},
        {u"Azur Voyages SAS", u"410 276 849 00015", u"FR 83 410276849"}};
    size_t made = 0;
    for (Client &c : h.clients) {
        if (made == std::size(kBusinesses))
            break;
        if (c.invoices.empty())
            continue;
        const Business &b = kBusinesses[made++];
        c.legalName = QString::fromUtf16(b.name);
        c.siret = QString::fromUtf16(b.siret);
        c.vatNumber = QString::fromUtf16(b.vat);
        if (made < std::size(kBusinesses))
            continue;
        qint64 last = 0;
        for (const Invoice &inv : h.invoices)
            last = std::max(last, inv.number.toLongLong());
        Invoice credit = h.invoices[size_t(c.invoices.back())];
        for (ItemLine &l : credit.lines) {
            l.quantity = -l.quantity;
            l.quantityText = QStringLiteral("-") + l.quantityText;
        }
        credit.memo = {QStringLiteral("Avoir sur facture N° ") + credit.number};
        credit.number = QString::number(last + 1);
        credit.day = h.today;
        credit.total = -credit.total;
        credit.validated = true;
        h.invoices.push_back(std::move(credit));
    }
}

void fillOccupancy(Hotel &h)
{
    const int days = h.today - h.ledgerFirst + 1;
    h.occupancy.assign(h.rooms.size(), std::vector<int>(size_t(days), -1));
    for (int i = 0; i < int(h.stays.size()); ++i) {
        const Stay &s = h.stays[size_t(i)];
        if (s.situation != Departed && s.situation != Present)
            continue;
        for (int d = std::max(s.first, h.ledgerFirst); d <= std::min(s.last, h.today); ++d)
            h.occupancy[size_t(s.room)][size_t(d - h.ledgerFirst)] = i;
    }
}

void makeOrders(Hotel &h, int count, Rng &rng)
{
    std::vector<int> days(static_cast<size_t>(count));
    for (int &d : days) {
        d = h.ledgerFirst + rng.below(h.today - h.ledgerFirst + 1);
        const int dow = QDate::fromJulianDay(d).dayOfWeek();
        if (dow > 5)
            d -= dow - 5; // deliveries are ordered on weekdays
    }
    std::sort(days.begin(), days.end());
    std::vector<int> sellers;
    for (int s = 0; s < int(h.suppliers.size()); ++s)
        if (!h.suppliers[size_t(s)].articles.empty())
            sellers.push_back(s);
    static const QStringList memos = {
        QStringLiteral("Livraison par l'entrée de service, rue arrière."),
        QStringLiteral("Merci de livrer avant 10 h."),
        QStringLiteral("Suite à notre entretien téléphonique."),
        QStringLiteral("Merci de joindre le bon de livraison à la facture."),
    };
    Numbering numbers;
    for (int i = 0; i < count; ++i) {
        Order o;
        o.day = days[size_t(i)];
        o.number = numbers.next(o.day);
        // A supplier with something on sale that day.
        std::vector<int> pool;
        while (pool.empty()) {
            o.supplier = rng.pick(sellers);
            for (int a : h.suppliers[size_t(o.supplier)].articles)
                if (h.articles[size_t(a)].since <= o.day)
                    pool.push_back(a);
        }
        Supplier &sup = h.suppliers[size_t(o.supplier)];
        o.payment = weighted<QString>(rng, {{QStringLiteral("A réception"), 25},
                                            {QStringLiteral("Réglement à 30 jours"), 45},
                                            {QStringLiteral("Réglement à 60 jours"), 20},
                                            {QStringLiteral("Réglement à 90 jours"), 5},
                                            {QStringLiteral("En votre aimable réglement"), 5}});
        o.taxIncluded = rng.chance(0.12);
        o.validated = i < count - 1 && !(o.day > h.today - 10 && rng.chance(0.7));
        const int n = std::min(int(pool.size()), rng.between(2, 8));
        for (int k = 0; k < n; ++k) {
            const int j = k + rng.below(int(pool.size()) - k);
            std::swap(pool[size_t(k)], pool[size_t(j)]);
            const Article &a = h.articles[size_t(pool[size_t(k)])];
            ItemLine l;
            l.day = o.day;
            l.article = pool[size_t(k)];
            l.quantity = a.packSize * rng.between(1, 4);
            l.quantityText = QString::number(l.quantity);
            l.vat = a.purchaseVat;
            l.price = o.taxIncluded ? std::round(a.cost * (100 + kVatRates[l.vat])) / 100 : a.cost;
            if (rng.chance(0.1))
                l.discount = 5;
            o.lines.push_back(l);
        }
        if (rng.chance(0.1))
            o.memo << memos[rng.below(int(memos.size()))];
        double sums[4] = {};
        for (const ItemLine &l : o.lines)
            sums[l.vat] += l.amount();
        if (o.taxIncluded) {
            o.total = sums[1] + sums[2] + sums[3];
        } else {
            const double v1 = sums[1] * kVatRates[1] / 100, v2 = sums[2] * kVatRates[2] / 100,
                         v3 = sums[3] * kVatRates[3] / 100;
            o.total = sums[1] + sums[2] + sums[3] + v1 + v2 + v3;
        }
        if (o.validated) {
            const QString label = QStringLiteral("Commande ") + o.number;
            sup.statement.push_back({o.day, label, o.total});
            for (const ItemLine &l : o.lines)
                h.articles[size_t(l.article)].movements.push_back({o.day, label, l.quantity});
            const int delay = o.payment.contains(u"30")    ? 30
                              : o.payment.contains(u"60")  ? 60
                              : o.payment.contains(u"90")  ? 90
                              : o.payment.startsWith(u"A") ? rng.below(10)
                                                           : rng.between(15, 45);
            if (o.day + delay <= h.today)
                sup.statement.push_back(
                    {o.day + delay, QStringLiteral("Règlement commande ") + o.number, -o.total});
        }
        h.orders.push_back(std::move(o));
    }
    // What is still owed, and the statements in date order; a statement, like
    // the stock movements, holds 63 rows at most, later entries being refused.
    for (Supplier &s : h.suppliers) {
        std::stable_sort(
            s.statement.begin(), s.statement.end(),
            [](const Supplier::Row &a, const Supplier::Row &b) { return a.day < b.day; });
        double owed = 0;
        for (const Supplier::Row &r : s.statement)
            owed += r.amount;
        s.owed = text::formatAmount(std::max(0.0, owed), 2);
        if (s.statement.size() > 63)
            s.statement.resize(63);
    }
    // Stocked goods are counted at the end of every year.
    for (Article &a : h.articles) {
        if (a.supplier < 0)
            continue;
        for (int y = QDate::fromJulianDay(h.ledgerFirst).year();; ++y) {
            const int day = int(QDate(y, 12, 31).toJulianDay());
            if (day > h.today)
                break;
            if (day >= h.ledgerFirst && day >= a.since)
                a.movements.push_back({day, QStringLiteral("Inventaire annuel"),
                                       double(a.packSize * rng.below(4) + rng.below(a.packSize))});
        }
        std::stable_sort(
            a.movements.begin(), a.movements.end(),
            [](const Article::Movement &x, const Article::Movement &y) { return x.day < y.day; });
        if (a.movements.size() > 63)
            a.movements.resize(63);
    }
}

} // namespace

Hotel buildHotel(const Options &options)
{
    Size size = options.small ? kSmall : kBig;
    if (!options.small && options.years != kBig.years) {
        // The same hotel kept longer: as many invoices, orders and new
        // clients each year.
        size.years = options.years;
        size.invoices = kBig.invoices / kBig.years * options.years;
        size.orders = kBig.orders / kBig.years * options.years;
        size.clients = std::min(99000, kBig.clients / kBig.years * options.years);
    }
    Hotel h;
    h.today = int(options.today.toJulianDay());
    h.ledgerFirst = int(options.today.addYears(-size.years).addDays(1).toJulianDay());

    buildSuppliers(h, size.suppliers, streamSeed(options.seed, Suppliers));
    buildArticles(h, size.articles, streamSeed(options.seed, Catalogue));
    Rng rooms(streamSeed(options.seed, Rooms));
    buildRooms(h, size, rooms);
    planClosures(h, options.small, rooms);
    Rng stays(streamSeed(options.seed, Stays));
    planStays(h, size, options.small, stays);
    Rng clients(streamSeed(options.seed, Clients));
    assignClients(h, size.clients, clients);
    if (options.small)
        keepOneGuestOverdue(h);
    markRooms(h);
    Rng invoices(streamSeed(options.seed, Invoices));
    makeInvoices(h, invoices);
    if (options.small)
        makeBusinessClients(h);
    fillOccupancy(h);
    Rng orders(streamSeed(options.seed, Orders));
    makeOrders(h, size.orders, orders);
    return h;
}
