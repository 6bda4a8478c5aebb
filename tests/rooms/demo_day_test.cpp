// A day at the demo hotel: a no-show's room let to a walk-in with the
// reception's own operations, then carvelle-tool conflits over the set
// saved has nothing to say until the no-show is marked present by hand.

#include "clients/client_page.h"
#include "rooms/journee.h"
#include "rooms/reception.h"
#include "rooms/room_page.h"
#include "scripted_ui.h"
#include "tool_run.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace reception;

namespace {

struct Demo
{
    QTemporaryDir dir;
    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage clients{fiche};
    RoomPage rooms{fiche};
    const QDate today = QDate::currentDate(); // carvelle-tool's today

    bool open()
    {
        QProcess generator;
        generator.setStandardOutputFile(QProcess::nullDevice());
        generator.start(CARVELLE_GENERATOR,
                        {"--small", "--date", today.toString(Qt::ISODate), dir.path(), "DEMO"});
        if (!generator.waitForFinished(60000) || generator.exitCode() != 0)
            return false;
        fiche.setPage(PageId::Clients, &clients);
        fiche.setPage(PageId::Rooms, &rooms);
        installSituationHook(fiche);
        fiche.setToday(today);
        return fiche.Charge(path());
    }
    QString path() const { return dir.filePath("DEMO.htl"); }
    QString conflits(int *code)
    {
        QString output;
        *code = runTool(dir.path(), {"conflits", path()}, &output);
        return output;
    }
};

} // namespace

TEST(DemoDay, ANoShowsRoomLetToAWalkInLeavesNoClash)
{
    Demo d;
    ASSERT_TRUE(d.open());

    // A booking made for yesterday whose guest never came: from tonight its
    // room is let to a walk-in.
    const QString room = roomOf(shownEntry(
        ChambresLibres(d.fiche.set(), d.today.addDays(-1), d.today.addDays(2), {}, d.today)
            .value(0)));
    ASSERT_FALSE(room.isEmpty());
    d.clients.add();
    d.clients.card().name = "ABSENT Gilles";
    d.clients.touch();
    ASSERT_TRUE(Reservation(d.fiche, {"ABSENT Gilles", "ABSENT Gilles", d.today.addDays(-1),
                                      d.today.addDays(2), room}));
    ASSERT_EQ(journee::Journee(d.fiche.set(), d.today).noShows.size(), 1);
    d.clients.add();
    d.clients.card().name = "PASSANT Luc";
    d.clients.touch();
    QStringList free;
    for (const QString &entry :
         ChambresLibres(d.fiche.set(), d.today, d.today.addDays(1), {}, d.today))
        free << roomOf(shownEntry(entry));
    EXPECT_TRUE(free.contains(room));

    // The walk-in takes the no-show's room.
    EXPECT_TRUE(Arriv(d.fiche, {"PASSANT Luc", "PASSANT Luc", d.today, d.today.addDays(1), room}));
    ASSERT_TRUE(d.fiche.Sauve(d.path()));
    int code = -1;
    EXPECT_EQ(d.conflits(&code), QString());
    EXPECT_EQ(code, 0);

    // The absent guest marked present straight in the table clashes with the walk-in.
    RecordTable &clients = d.fiche.set().table(Table::Clients);
    const qsizetype start = clients.blockStart(d.fiche.set().count(Table::Clients) - 2);
    clients.setLine(start + 24, "0");
    d.fiche.SetSauve();
    ASSERT_TRUE(d.fiche.Sauve(d.path()));
    const QStringList lines = d.conflits(&code).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(code, 1);
    ASSERT_FALSE(lines.isEmpty());
    const QStringList fields = lines[0].split('\t');
    ASSERT_EQ(fields.size(), 4);
    EXPECT_EQ(fields[0], room);
    EXPECT_TRUE(fields[2].contains("ABSENT Gilles") || fields[3].contains("ABSENT Gilles"))
        << lines[0].toStdString();
}
