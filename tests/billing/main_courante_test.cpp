#include "billing_fixture.h"

#include "billing/main_courante.h"
#include "billing/main_courante_printout.h"
#include "store/settings.h"

#include <gtest/gtest.h>

namespace {

const QDate kDay(2026, 3, 14);

// Rooms "1", "2", ... in blocks 0, 1, ..., the day's lines in the table.
struct Sheet
{
    ScriptedUi ui;
    Fiche fiche{ui};
    MainCourantePage page{fiche};

    explicit Sheet(const QStringList &lines = {}, int rooms = 3)
    {
        QStringList roomLines;
        for (int b = 0; b < rooms; ++b)
            roomLines += roomBlock(b, QString::number(b + 1), "Occupant " + QString::number(b + 1));
        setRooms(roomLines);
        fiche.set().table(Table::MainCourante) = tableOf(lines, 0);
        fiche.set().currentDay = kDay;
        page.LitJour();
    }
    void setRooms(const QStringList &roomLines)
    {
        fiche.set().table(Table::Rooms) = tableOf(roomLines);
        fiche.set().setCount(Table::Rooms, fiche.set().table(Table::Rooms).countBlocks());
    }
    QStringList lines() const { return linesOf(fiche.set().table(Table::MainCourante)); }
    const DayRow &row(int r) const { return page.rows()[r]; }
    // A row as "room|name|nights|amounts", the padded cells trimmed.
    QString text(int r) const
    {
        QStringList cells{row(r).room, row(r).name, row(r).nights.trimmed()};
        for (const QString &a : row(r).amounts)
            cells << a.trimmed();
        return cells.join('|');
    }
    QStringList texts() const
    {
        QStringList all;
        for (int r = 0; r < page.rows().size(); ++r)
            all << text(r);
        return all;
    }
    // Types an entry row and posts it.
    std::optional<int> post(const QString &room, const QString &name, const QString &nights,
                            const QStringList &amounts = {})
    {
        page.entry.room = room;
        page.entry.name = name;
        page.entry.nights = nights;
        for (int p = 0; p < kPaymentCount; ++p)
            page.entry.amounts[p] = amounts.value(p);
        return page.SpeedButton2Click();
    }
};

// A row showing its room and nothing else.
DayRow roomOnly(const QString &room)
{
    DayRow row;
    row.room = room;
    return row;
}

QString mc(const QString &key, const QStringList &fields)
{
    return key + fields.join('\t');
}

TEST(LitJour, FillsTheRowsOfTheDayByRoomAndEachMoveStoresTheDayLeft)
{
    Sheet s({mc("20260314", {"2", "Martin", "1", "80,00", "", "", "", ""}),
             mc("20260313", {"1", "Hier", "1", "10,00", "", "", "", ""}),
             mc("20260314", {"1", "Durand", "2", "", "", "120,00", "", "5,50"}),
             // A later line of the same room wins.
             mc("20260314", {"2", "Martin Paul", "1", "90,00", "", "", "", ""}),
             // Written by hand: a room with blanks, a short line.
             mc("20260314", {"  3 ", "Blanc", "1", "", "", "", "", ""}), "2026"});
    EXPECT_EQ(s.texts(), (QStringList{"1|Durand|2|||120,00||5,50", "2|Martin Paul|1|90,00||||",
                                      "3|Blanc|1|||||"}));
    EXPECT_FALSE(s.page.modified());

    // Sixty rooms: the rooms past the 32nd take entries like the others.
    Sheet large({mc("20260314", {"60", "Dernier", "1", "70,00", "", "", "", ""}),
                 mc("20260314", {"33", "Trente-trois", "3", "", "", "", "", ""})},
                60);
    ASSERT_EQ(large.page.rows().size(), 60);
    EXPECT_EQ(large.row(59).name, "Dernier");
    EXPECT_EQ(large.row(32).name, "Trente-trois");
    EXPECT_FALSE(large.post("45", "Posté", "1", {"12"}));
    large.page.EcritJour();
    EXPECT_EQ(large.lines().size(), 3);
    EXPECT_TRUE(
        large.lines().contains(mc("20260314", {"45", "Posté", "1", "12,00", "", "", "", ""})));

    // Each move stores the day left and loads the next.
    Sheet moves({mc("20260315", {"3", "Demain", "1", "", "", "", "", ""}),
                 mc("20260213", {"1", "Avant", "1", "", "", "", "", ""})});
    EXPECT_FALSE(moves.post("1", "Aujourd'hui", "1"));
    moves.page.next();
    EXPECT_EQ(moves.page.day(), kDay.addDays(1));
    EXPECT_EQ(moves.row(2).name, "Demain");
    EXPECT_TRUE(
        moves.lines().contains(mc("20260314", {"1", "Aujourd'hui", "1", "", "", "", "", ""})));
    moves.page.previous();
    EXPECT_EQ(moves.row(0).name, "Aujourd'hui");
    moves.page.first();
    EXPECT_EQ(moves.page.day(), QDate(2026, 2, 14));
    moves.page.previous();
    EXPECT_EQ(moves.row(0).name, "Avant");
    moves.page.last();
    EXPECT_EQ(moves.page.day(), QDate(2026, 3, 13));
}

TEST(EcritJour, StoringTwiceLeavesOneLinePerFilledRoom)
{
    const QString other = mc("20260301", {"1", "Autre jour", "1", "", "", "", "", ""});
    // A room written with blanks by hand is the row's room all the same.
    Sheet s({other, mc("20260314", {" 1 ", "Durand", "1", "", "", "", "", ""})});
    s.page.EcritJour();
    EXPECT_FALSE(s.fiche.set().isDirty()) << "unchanged, nothing written";
    EXPECT_FALSE(s.post("2", "Martin", "2", {"", "45,5"}));
    // A row holding only its room is not stored.
    s.page.EcritJour();
    s.page.EcritJour();
    const QStringList day = {mc("20260314", {"1", "Durand", "1", "", "", "", "", ""}),
                             mc("20260314", {"2", "Martin", "2", "", "45,50", "", "", ""})};
    EXPECT_EQ(s.lines(), QStringList{other} + day);
    EXPECT_TRUE(s.fiche.set().isDirty());
    // Read back and stored again, the day's lines being the last of the table.
    s.page.LitJour();
    s.page.touch();
    s.page.EcritJour();
    EXPECT_EQ(s.lines(), QStringList{other} + day);
    // Clearing a row removes its line at the next store.
    s.page.SupLigne2(1);
    EXPECT_EQ(s.row(1), roomOnly("2"));
    EXPECT_TRUE(s.page.modified());
    s.page.EcritJour();
    EXPECT_EQ(s.lines(), (QStringList{other, day[0]}));
}

TEST(EcritJour, KeepsTheLinesOfRoomsWithoutARowAndLongLines)
{
    const QString longName = QString(300, u'x') + "fin";
    const QString renumbered = mc("20260314", {"12", "Ancienne 12", "1", "30,00", "", "", "", ""});
    const QString typed = mc("20260314", {"Bar", "Tapée", "1", "", "", "", "", ""});
    Sheet s({renumbered, mc("20260314", {"1", longName, "1", "", "", "", "", ""}), typed});
    EXPECT_EQ(s.row(0).name, longName);
    EXPECT_FALSE(s.post("2", "Martin", "1"));
    s.page.EcritJour();
    EXPECT_EQ(s.lines(), (QStringList{renumbered, typed,
                                      mc("20260314", {"1", longName, "1", "", "", "", "", ""}),
                                      mc("20260314", {"2", "Martin", "1", "", "", "", "", ""})}));

    // A missing room block leaves its row without room; a line without a
    // room is no row's and stays as it was.
    Sheet missing({mc("20260314", {"", "Sans chambre", "1", "", "", "", "", ""})});
    missing.setRooms(roomBlock(0, "1", "") + roomBlock(2, "3", ""));
    missing.fiche.set().setCount(Table::Rooms, 3);
    missing.page.LitJour();
    EXPECT_EQ(missing.row(1), DayRow{});
    missing.page.SupLigne2(0);
    missing.page.EcritJour();
    EXPECT_EQ(missing.lines(),
              QStringList{mc("20260314", {"", "Sans chambre", "1", "", "", "", "", ""})});
}

TEST(Posting, AnEntryIsPostedWholeOrNotAtAll)
{
    Sheet s({mc("20260314", {"1", "Durand", "1", "10,00", "20,00", "30,00", "40,00", "50,00"})});
    // A bad amount after good ones changes no cell and keeps what was typed.
    EXPECT_EQ(s.post("1", "Autre", "3", {"11", "22", "3x", "44", "55"}), 5);
    EXPECT_EQ(s.ui.shown.value(0), "CB : '3x' n'est pas une valeur en virgule flottante correcte");
    EXPECT_EQ(s.text(0), "1|Durand|1|10,00|20,00|30,00|40,00|50,00");
    EXPECT_EQ(s.page.entry.amounts[2], "3x");
    EXPECT_EQ(s.page.entry.name, "Autre");
    EXPECT_FALSE(s.page.modified());
    // Nights are a whole number.
    EXPECT_EQ(s.post("1", "Autre", "2,5"), 2);
    EXPECT_EQ(s.row(0).nights.trimmed(), "1");

    // An empty amount keeps its cell, 0 replaces it, "." is the decimal comma.
    EXPECT_FALSE(s.post("1", "Autre", "3", {"", "0", "", "4.5", ""}));
    EXPECT_EQ(s.text(0), "1|Autre|3|10,00|0,00|30,00|4,50|50,00");
    EXPECT_EQ(s.page.entry, DayRow{});
    EXPECT_TRUE(s.page.modified());

    // With no decimals, 0 shows an empty cell.
    s.fiche.settings().decimals = 0;
    EXPECT_FALSE(s.post("1", "Autre", "3", {"0", "", "", "", "7"}));
    EXPECT_EQ(s.row(0).amounts[0], "");
    EXPECT_EQ(s.row(0).amounts[4].trimmed(), "7");

    // A room without a row posts nothing, silently; what was typed stays
    // for the room to be corrected.
    Sheet none;
    EXPECT_FALSE(none.post(" 2", "Martin", "1", {"10"}));
    EXPECT_FALSE(none.post("", "Personne", "1"));
    EXPECT_FALSE(none.page.modified());
    EXPECT_TRUE(none.ui.shown.isEmpty());
    EXPECT_EQ(none.page.entry.name, "Personne");
    for (int r = 0; r < 3; ++r)
        EXPECT_FALSE(none.row(r).hasEntry());
}

TEST(DayIndex, StaysTrueAfterADayInTheMiddleIsRewritten)
{
    // Three days of three rooms each, in table order; the middle day is
    // stored with a row cleared and one added, then every day reads back as
    // a page reading the table afresh reads it.
    QStringList lines;
    for (const QString key : {"20260313", "20260314", "20260315"})
        for (int room = 1; room <= 2; ++room)
            lines << mc(key, {QString::number(room), key + "-" + QString::number(room), "1", "", "", "", "", ""});
    lines << mc("20260313", {"3", "Tard", "1", "", "", "", "", ""});
    Sheet s(lines);
    s.page.SupLigne2(0);
    EXPECT_FALSE(s.post("3", "Nouveau", "2"));
    for (QDate d : {kDay.addDays(-1), kDay.addDays(1), kDay}) {
        s.page.showDay(d);
        Sheet fresh(s.lines());
        fresh.page.showDay(d);
        EXPECT_EQ(s.page.rows(), fresh.page.rows()) << qPrintable(text::dateText(d));
    }
    EXPECT_EQ(s.row(0), roomOnly("1"));
    EXPECT_EQ(s.row(2).name, "Nouveau");
    EXPECT_EQ(s.page.rows()[1].name, "20260314-2");
}

TEST(Export, HeaderThenOneRecordPerRoomRowAndTheDaysTotals)
{
    Sheet s({mc("20260314", {"2", "Martin; Paul", "1", "80,00", "", "", "", ""})}, 40);
    const QList<QByteArray> csv = s.page.exportRecords(';');
    ASSERT_EQ(csv.size(), 41);
    EXPECT_EQ(csv[2], "14/03/2026;2;Martin  Paul;1;80,00;;;;");
    EXPECT_EQ(csv[40], "14/03/2026;40;;;;;;;");

    // The totals add up the day and skip what is not a number.
    Sheet totals({mc("20260314", {"1", "A", "2", "10,25", "", "", "", "3"}),
                  mc("20260314", {"2", "B", "deux", "5", "", "", "x", "1,5"}),
                  mc("20260314", {"3", "C", "1", "0,5", "", "100", "", ""})});
    const DayTotals t = totals.page.totals();
    EXPECT_EQ(t.nights, 3);
    EXPECT_EQ(t.amounts[0], Money::parse(u"15,75"));
    EXPECT_EQ(totals.page.totalTexts(),
              (QStringList{"3", "15,75", "0,00", "100,00", "0,00", "4,50"}));
}

TEST(ImpJournee, SixtyRoomsTakeTwoPagesWithTheRulesAndTotalsOnTheLast)
{
    Sheet s({mc("20260314", {"60", "Martin", "2", "80,00", "", "", "", "12,50"}),
             mc("20260314", {"59", "Roux", "1", "20,00", "", "5", "", ""})},
            60);
    const PrintDocument doc =
        ImpJournee(s.page.caption(), s.page.rows(), s.page.totalTexts(), a4Metrics(300, false));
    ASSERT_EQ(doc.pages().size(), 2);
    QList<int> roomsOnPage;
    for (const PrintPage &page : doc.pages()) {
        int rooms = 0, captions = 0, verticalRules = 0;
        for (const PrintItem &item : page) {
            if (item.kind == PrintItem::Kind::Text && item.x == 6 && item.y >= 20 && !item.text.isEmpty())
                ++rooms;
            captions += item.text == "Main courante du 14/03/2026" && item.font.size == 14;
            verticalRules += item.kind == PrintItem::Kind::Line && item.x == item.x2;
        }
        roomsOnPage << rooms;
        EXPECT_EQ(captions, 1);
        EXPECT_EQ(verticalRules, &page == &doc.pages().last() ? 9 : 0);
    }
    EXPECT_EQ(roomsOnPage[0] + roomsOnPage[1], 60);
    // The day's totals under the last row, the column rules stopping under them.
    const double totalY = 20 + 8 * roomsOnPage[1];
    int totals = 0;
    for (const PrintItem &item : doc.pages().last()) {
        totals += item.y == totalY && (item.text == "Total" || item.text == "100,00");
        if (item.kind == PrintItem::Kind::Line && item.x == item.x2) {
            EXPECT_EQ(std::pair(item.y, item.y2), std::pair(15.0, totalY + 5));
        }
    }
    EXPECT_EQ(totals, 2);
}

} // namespace

// An amount with more decimals than the amounts have is refused with a
// message, never rounded; what was typed stays in the entry row.
TEST(EntryRow, RefusesMoreDecimalsThanTheFormat)
{
    Sheet s;
    s.fiche.settings().decimals = 0;
    EXPECT_EQ(s.post("2", "Martin", "1", {"12,50"}), 3);
    EXPECT_EQ(s.ui.shown.value(0), "Espèces : '12,50' : les montants sont sans décimale.");
    EXPECT_EQ(s.row(1).amounts[0], "");
    EXPECT_EQ(s.page.entry.amounts[0], "12,50");
    EXPECT_EQ(s.post("2", "Martin", "1", {"12,00"}), std::nullopt);
    EXPECT_EQ(s.row(1).amounts[0].trimmed(), "12");
}

// An entry row typed and not posted is not dropped by a move to another
// day without a question; a row only copied into it loses nothing.
TEST(EntryRow, ADayChangeAsksBeforeDroppingWhatWasTyped)
{
    Sheet s({mc("20260314", {"1", "A", "2", "10,25", "", "", "", ""})});
    s.page.entry.room = "2";
    s.page.entry.amounts[0] = "40";
    s.ui.okCancel = {false};
    s.page.next();
    EXPECT_EQ(s.page.day(), kDay) << "kept";
    EXPECT_EQ(s.page.entry.amounts[0], "40");
    s.ui.okCancel = {true};
    s.page.next();
    EXPECT_EQ(s.page.day(), kDay.addDays(1));
    EXPECT_EQ(s.ui.shown.size(), 2);

    s.page.previous();
    s.page.StringGrid3Click(0);
    s.page.next();
    EXPECT_EQ(s.page.day(), kDay.addDays(1));
    EXPECT_EQ(s.ui.shown.size(), 2) << "nothing typed, nothing asked";
}
