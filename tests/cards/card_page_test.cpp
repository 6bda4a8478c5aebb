#include "clients/client_search.h"
#include "purchasing/supplier_page.h"
#include "rooms/room_page.h"
#include "scripted_ui.h"
#include "stock/article_page.h"
#include "store/table_helpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The moves, browsing, search, list, adding and removing that every page of
// numbered cards shares, run on each page: a fault there shows on all four.

namespace {

// One page of numbered cards and the lines its rules look at.
struct Kind
{
    const char *name;
    Table table;
    PageId id;
    int markerWidth, fieldLines;
    int keyLine;    // what the search looks at, and what `edit` changes
    int familyLine; // what the browsing compares
    int maxCount;   // 0: no limit
    bool lastNeedsTwo;
    std::function<std::unique_ptr<CardPage>(Fiche &)> make;
    std::function<void(CardPage &, const QString &)> edit;
    std::function<bool(CardPage &, const QString &)> search;
    std::function<void(CardPage &, const QString &)> browseFamily;
    // The block numbers of the list window's rows; nothing when it stays shut.
    std::function<std::optional<QList<int>>(CardPage &)> list;
};

template <typename P> P &as(CardPage &p)
{
    return static_cast<P &>(p);
}

template <typename Rows> std::optional<QList<int>> blocksOf(const std::optional<Rows> &rows)
{
    if (!rows)
        return std::nullopt;
    QList<int> blocks;
    if constexpr (requires { rows->rowCount(); }) {
        for (int r = 0; r < rows->rowCount(); ++r)
            blocks << rows->block(r);
    } else {
        for (const auto &r : *rows)
            blocks << r.block;
    }
    return blocks;
}

const Kind kKinds[] = {
    {"clients", Table::Clients, PageId::Clients, 5, 24, 4, 8, 99000, true,
     [](Fiche &f) { return std::make_unique<ClientPage>(f); },
     [](CardPage &p, const QString &s) { as<ClientPage>(p).card().name = s; },
     [](CardPage &p, const QString &s) { return RechNom(as<ClientPage>(p), s); },
     [](CardPage &p, const QString &s) { SetSel(as<ClientPage>(p), 3, s); },
     [](CardPage &p) { return blocksOf(Liste(as<ClientPage>(p))); }},
    {"rooms", Table::Rooms, PageId::Rooms, 5, 17, 8, 2, 99000, true,
     [](Fiche &f) { return std::make_unique<RoomPage>(f); },
     [](CardPage &p, const QString &s) { as<RoomPage>(p).card().occupant = s; },
     [](CardPage &p, const QString &s) { return as<RoomPage>(p).RechNom(s); },
     [](CardPage &p, const QString &s) { as<RoomPage>(p).SetChambre(2, s); },
     [](CardPage &p) { return blocksOf(as<RoomPage>(p).Liste()); }},
    {"articles", Table::Articles, PageId::Articles, 4, 7, 3, 2, 9998, false,
     [](Fiche &f) { return std::make_unique<ArticlePage>(f); },
     [](CardPage &p, const QString &s) { as<ArticlePage>(p).card().designation = s; },
     [](CardPage &p, const QString &s) { return as<ArticlePage>(p).RechArt(s); },
     [](CardPage &p, const QString &s) { as<ArticlePage>(p).SetArt(2, s); },
     [](CardPage &p) { return blocksOf(as<ArticlePage>(p).Liste()); }},
    {"suppliers", Table::Suppliers, PageId::Suppliers, 4, 22, 3, 2, 0, false,
     [](Fiche &f) { return std::make_unique<SupplierPage>(f); },
     [](CardPage &p, const QString &s) { as<SupplierPage>(p).card().name = s; },
     [](CardPage &p, const QString &s) { return as<SupplierPage>(p).RechNom(s); },
     [](CardPage &p, const QString &s) { as<SupplierPage>(p).SetFour(2, s); },
     [](CardPage &p) { return blocksOf(as<SupplierPage>(p).Liste()); }},
};

// A record window whose page table holds one block per (key, family).
struct Cards
{
    const Kind &kind;
    ScriptedUi ui;
    Fiche fiche{ui};
    std::unique_ptr<CardPage> page = kind.make(fiche);

    Cards(const Kind &k, const QList<std::pair<QString, QString>> &cards, const QString &code = {})
        : kind(k)
    {
        QStringList lines;
        for (int n = 0; n < cards.size(); ++n) {
            QStringList block(kind.fieldLines);
            block[0] = code.isEmpty() ? QString::number(10001 + n) : code;
            block[kind.keyLine - 1] = cards[n].first;
            block[kind.familyLine - 1] = cards[n].second;
            lines << blockLines(n, block, kind.markerWidth);
        }
        fiche.setPage(kind.id, page.get());
        fiche.set().table(kind.table).setBytes(crlf(lines));
        fiche.set().setCount(kind.table, fiche.set().table(kind.table).countBlocks());
        fiche.selectPage(kind.id);
    }
    int position() const { return fiche.set().position(kind.table); }
    int count() const { return fiche.set().count(kind.table); }
    // The key line of block n as the table holds it.
    QString stored(int n) const
    {
        const QList<QByteArray> lines = fiche.set().table(kind.table).block(n);
        return lines.size() > kind.keyLine ? QString::fromLatin1(lines[kind.keyLine]) : QString();
    }
    void edit(const QString &key)
    {
        kind.edit(*page, key);
        page->touch();
    }
};

QList<std::pair<QString, QString>> named(const QStringList &keys, const QStringList &families = {})
{
    QList<std::pair<QString, QString>> out;
    for (int i = 0; i < keys.size(); ++i)
        out.append({keys[i], families.value(i, "ANGERS")});
    return out;
}

} // namespace

TEST(CardPage, EveryMoveWritesTheCardShownBackFirst)
{
    for (const Kind &kind : kKinds) {
        SCOPED_TRACE(kind.name);
        Cards c(kind, named({"ALPHA", "BRAVO", "CHARLIE"}));
        const QList<std::pair<void (CardPage::*)(), int>> moves = {
            {&CardPage::next, 1},  {&CardPage::last, 2},     {&CardPage::previous, 1},
            {&CardPage::first, 0}, {&CardPage::previous, 0}, {&CardPage::last, 2},
            {&CardPage::next, 2}};
        for (const auto &[move, reached] : moves) {
            const int from = c.position();
            c.edit("EDIT" + QString::number(from));
            ((*c.page).*move)();
            EXPECT_EQ(c.position(), reached);
            EXPECT_EQ(c.stored(from), "EDIT" + QString::number(from));
        }
        EXPECT_EQ(c.count(), 3);
    }
}

TEST(CardPage, ALoneCardAndAFullTable)
{
    for (const Kind &kind : kKinds) {
        SCOPED_TRACE(kind.name);
        Cards one(kind, named({"SEUL"}));
        one.edit("CHANGED");
        // "Suivant" beside a lone client or room does nothing, not even a
        // write back; the other pages write the card back and read it again.
        one.page->next();
        EXPECT_EQ(one.stored(0), kind.lastNeedsTwo ? "SEUL" : "CHANGED");
        EXPECT_EQ(one.page->modified(), kind.lastNeedsTwo);
        if (kind.maxCount == 0)
            continue;
        one.fiche.set().setCount(kind.table, kind.maxCount + 1);
        one.page->add();
        EXPECT_EQ(one.ui.shown, QStringList{"Le fichier est plein"});
        EXPECT_EQ(one.position(), 0);
    }
}

TEST(CardPage, SearchReadsTheCardShownAsEditedAndFindsTheFirstInTableOrder)
{
    for (const Kind &kind : kKinds) {
        SCOPED_TRACE(kind.name);
        Cards c(kind, named({"DUPONT", "Martin", "MARTINEZ"}));
        c.edit("Zorro");
        EXPECT_TRUE(kind.search(*c.page, "zor"));
        EXPECT_EQ(c.position(), 0);
        EXPECT_EQ(c.stored(0), "Zorro");
        EXPECT_TRUE(kind.search(*c.page, "MART"));
        EXPECT_EQ(c.position(), 1);
        EXPECT_FALSE(kind.search(*c.page, "Durand"));
        EXPECT_EQ(c.position(), 1);
        EXPECT_TRUE(c.ui.shown.last().endsWith("DURAND non trouvée"))
            << qPrintable(c.ui.shown.last());
        EXPECT_FALSE(kind.search(*c.page, ""));
    }
}

TEST(CardPage, BrowsingMovesAmongTheCardsOfTheFamilyOnly)
{
    for (const Kind &kind : kKinds) {
        SCOPED_TRACE(kind.name);
        Cards c(kind,
                named({"A", "B", "C", "D", "E"}, {"BREST", "ANGERS", "BREST", "ANGERS", "BREST"}));
        kind.browseFamily(*c.page, "BREST");
        // From the first card, each move stops at the nearest card of the family.
        QList<int> reached;
        for (auto move : {&CardPage::next, &CardPage::next, &CardPage::next, &CardPage::previous,
                          &CardPage::first, &CardPage::last})
            ((*c.page).*move)(), reached << c.position();
        EXPECT_EQ(reached, (QList<int>{2, 4, 4, 2, 0, 4}));
        // A family no card holds leaves the card shown where it is.
        kind.browseFamily(*c.page, "CAEN");
        c.page->first();
        EXPECT_EQ(c.position(), 4);
    }
}

TEST(CardPage, ListAddAndRemoveKeepTheBlocksNumberedInOrder)
{
    for (const Kind &kind : kKinds) {
        SCOPED_TRACE(kind.name);
        Cards empty(kind, {});
        EXPECT_EQ(kind.list(*empty.page), std::nullopt); // too short for the list window

        Cards c(kind, named({"A", "B", "C"}));
        c.edit("LISTED");
        // One row per block in table order: a room written back went last.
        const auto rows = kind.list(*c.page);
        ASSERT_TRUE(rows);
        const QList<int> inTableOrder =
            kind.table == Table::Rooms ? QList<int>{1, 2, 0} : QList<int>{0, 1, 2};
        EXPECT_EQ(*rows, inTableOrder);
        EXPECT_EQ(c.stored(0), "LISTED");

        // A new card is counted once written, under the next block number.
        c.page->add();
        EXPECT_EQ(c.position(), 3);
        EXPECT_EQ(c.count(), 3);
        c.edit("NEW");
        c.page->first();
        EXPECT_EQ(c.count(), 4);
        EXPECT_EQ(c.stored(3), "NEW");

        // Removing a card closes the gap: the cards after it come down one.
        c.page->next();
        c.page->remove();
        EXPECT_EQ(c.count(), 3);
        EXPECT_EQ(c.stored(1), "C");
        EXPECT_EQ(c.stored(2), "NEW");
    }
}

// The next free code counts only the whole numbers on the blocks' first
// line, and follows the codes written after it without losing count.
TEST(CardPage, NewCardsTakeOneMoreThanTheLargestWholeCode)
{
    const struct
    {
        const char *code;
        int next;
    } cases[] = {
        {"10007", 10008}, {" 10009 ", 10010}, {"42", 10001}, {"ABC", 10001}, {"12,5", 10001}};
    for (const Kind &kind : kKinds) {
        if (kind.table == Table::Rooms)
            continue; // a room has a number, not a code
        for (const auto &[code, next] : cases) {
            SCOPED_TRACE(std::string(kind.name) + " " + code);
            Cards c(kind, named({"A", "B"}), code);
            for (int added = 0; added < 2; ++added) {
                c.page->add();
                c.edit("NEW");
                c.page->first();
                const QByteArray written =
                    c.fiche.set().table(kind.table).block(2 + added).value(1);
                EXPECT_EQ(written.trimmed().toInt(), next + added);
            }
        }
    }
}
