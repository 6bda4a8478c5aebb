#include "tools/clock.h"
#include "tools/departements.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

TEST(Clock, LocalTimeBecomesUniversalTime)
{
    const QTimeZone paris("Europe/Paris");
    ASSERT_TRUE(paris.isValid());
    QString error;
    // Summer time is two hours ahead, winter time one; midnight goes back
    // to the day before.
    auto summer = clockTime(u"14:30:05", u"15/07/2026", paris, &error);
    ASSERT_TRUE(summer);
    EXPECT_EQ(summer->timeSpec(), Qt::UTC);
    EXPECT_EQ(*summer, QDateTime(QDate(2026, 7, 15), QTime(12, 30, 5), Qt::UTC));
    auto midnight = clockTime(u"00:10:00", u"01/01/2026", paris, &error);
    ASSERT_TRUE(midnight);
    EXPECT_EQ(*midnight, QDateTime(QDate(2025, 12, 31), QTime(23, 10), Qt::UTC));

    // Impossible dates and times are refused with a message.
    EXPECT_FALSE(clockTime(u"10:00:00", u"31/04/2026", paris, &error));
    EXPECT_EQ(error, u"'31/04/2026' n'est pas une date correcte");
    EXPECT_FALSE(clockTime(u"10:00:00", u"29/02/2026", paris, &error));
    EXPECT_FALSE(clockTime(u"24:00:00", u"01/03/2026", paris, &error));
    EXPECT_FALSE(clockTime(u"02:30:00", u"29/03/2026", paris, &error)); // skipped hour
    EXPECT_TRUE(error.contains(u"changement d'heure"));

    // Setting the clock needs the capability to set the system time.
    EXPECT_TRUE(hasSysTimeCapability("Name:\tx\nCapEff:\t0000000002000000\nCapBnd:\t0\n"));
    EXPECT_FALSE(hasSysTimeCapability("CapInh:\t0000000002000000\nCapEff:\t0000000000000400\n"));
    EXPECT_FALSE(hasSysTimeCapability("CapEff:\tzz\n"));
    EXPECT_FALSE(hasSysTimeCapability(""));
}

TEST(Clock, SpinnerStaysWithinItsBoundsAndSetAsksForAValidDate)
{
    ClockFace face;
    face.tick(QDateTime(QDate(2026, 4, 30), QTime(23, 59, 1)));
    face.spin(1); // outside edit mode the lines follow the clock
    EXPECT_EQ(face.timeLine, u"23:59:01");
    QString error;
    EXPECT_FALSE(face.toggleSet(QTimeZone::utc(), &error));
    ASSERT_TRUE(face.editMode());
    face.spin(1); // no unit chosen
    EXPECT_EQ(face.timeLine, u"23:59:01");
    face.unit = ClockUnit::Hours;
    face.spin(1);
    EXPECT_EQ(face.timeLine, u"23:59:01");
    face.unit = ClockUnit::Minutes;
    face.spin(-1);
    EXPECT_EQ(face.timeLine, u"23:58:01");
    face.unit = ClockUnit::Days;
    face.spin(1);
    face.spin(1);
    EXPECT_EQ(face.dateLine, u"31/04/2026");
    face.tick(QDateTime(QDate(2030, 1, 1), QTime(1, 1, 1))); // frozen while editing
    EXPECT_EQ(face.dateLine, u"31/04/2026");
    // 31 April is refused and the clock stays in edit mode to mend it.
    EXPECT_FALSE(face.toggleSet(QTimeZone::utc(), &error));
    EXPECT_TRUE(face.editMode());
    EXPECT_FALSE(error.isEmpty());
    face.spin(-1);
    face.unit = ClockUnit::Years;
    face.dateLine = QStringLiteral("30/04/0099"); // a two-digit year is 19xx
    face.spin(1);
    EXPECT_EQ(face.dateLine, u"30/04/2000");
    const auto set = face.toggleSet(QTimeZone::utc(), &error);
    ASSERT_TRUE(set);
    EXPECT_EQ(*set, QDateTime(QDate(2000, 4, 30), QTime(23, 58, 1), Qt::UTC));
    EXPECT_FALSE(face.editMode());
}

} // namespace
