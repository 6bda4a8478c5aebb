#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTimeZone>

#include <optional>

// The clock tool: the time and date lines, their spinner while the clock is
// being set, and setting the system clock. The lines hold local time; the
// system clock keeps universal time, so a time typed here is converted in
// the local time zone (summer time included) before it is set.

// Whether this program may set the system clock, and, when it may not, a
// sentence for the user saying why.
struct ClockPermission
{
    bool allowed = false;
    QString why;
};
ClockPermission clockPermission();
// CAP_SYS_TIME among the effective capabilities of a /proc/<pid>/status text.
bool hasSysTimeCapability(QByteArrayView procStatus);

// The unit the spinner changes: "Hr", "Mn", "Jo", "Mo", "An".
enum class ClockUnit { None, Hours, Minutes, Days, Months, Years };

class ClockFace
{
public:
    QString timeLine; // "hh:mm:ss"
    QString dateLine; // "dd/mm/yyyy"
    ClockUnit unit = ClockUnit::None;

    // Each second outside edit mode: the lines follow `now`.
    void tick(const QDateTime &now);
    // One step up (+1) or down (-1) of the chosen unit, within its bounds:
    // hours 0-23, minutes 0-59, days 1-31, months 1-12, years 1900-2099.
    // Nothing without a unit, or outside edit mode.
    void spin(int delta);

    bool editMode() const { return m_editMode; }
    // "Régler" pressed: enters edit mode (nothing to set), or leaves it and
    // gives the universal time the two lines mean in `zone`. An impossible
    // date or time stays in edit mode, with *error saying why.
    std::optional<QDateTime> toggleSet(const QTimeZone &zone, QString *error);
    void leaveEditMode() { m_editMode = false; }

private:
    bool m_editMode = false;
};

// The instant that a local time line and date line mean in `zone`, in
// universal time; nothing, with a message, for a date or time that does not
// exist (31/04, 25:00, a time skipped when clocks go forward).
std::optional<QDateTime> clockTime(QStringView time, QStringView date, const QTimeZone &zone,
                                   QString *error);

// Sets the system clock. On failure *error says why, in French.
bool setSystemClock(const QDateTime &instant, QString *error);
