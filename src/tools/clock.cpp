#include "clock.h"

#include "store/text.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

constexpr int kCapSysTime = 25;

struct Field
{
    QString *line;
    int start, length, lowest, highest;
};

} // namespace

bool hasSysTimeCapability(QByteArrayView procStatus)
{
    const QByteArrayView key = "CapEff:";
    const qsizetype at = procStatus.indexOf(key);
    if (at < 0)
        return false;
    QByteArrayView rest = procStatus.sliced(at + key.size());
    const qsizetype end = rest.indexOf('\n');
    if (end >= 0)
        rest = rest.first(end);
    bool ok = false;
    const qulonglong caps = rest.trimmed().toByteArray().toULongLong(&ok, 16);
    return ok && (caps >> kCapSysTime & 1) != 0;
}

ClockPermission clockPermission()
{
    if (geteuid() == 0)
        return {true, {}};
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly) && hasSysTimeCapability(status.readAll()))
        return {true, {}};
    return {false, QStringLiteral("Seul l'administrateur du poste peut régler l'horloge "
                                  "du système : Carvelle n'en a pas le droit.")};
}

void ClockFace::tick(const QDateTime &now)
{
    if (m_editMode)
        return;
    timeLine = now.time().toString(QStringLiteral("HH:mm:ss"));
    dateLine = now.date().toString(QStringLiteral("dd/MM/yyyy"));
}

void ClockFace::spin(int delta)
{
    if (!m_editMode)
        return;
    Field f{};
    switch (unit) {
    case ClockUnit::None: return;
    case ClockUnit::Hours: f = {&timeLine, 0, 2, 0, 23}; break;
    case ClockUnit::Minutes: f = {&timeLine, 3, 2, 0, 59}; break;
    case ClockUnit::Days: f = {&dateLine, 0, 2, 1, 31}; break;
    case ClockUnit::Months: f = {&dateLine, 3, 2, 1, 12}; break;
    case ClockUnit::Years: f = {&dateLine, 6, 4, 1900, 2099}; break;
    }
    if (f.line->size() < f.start + f.length)
        return;
    bool ok = false;
    int value = f.line->mid(f.start, f.length).trimmed().toInt(&ok);
    if (!ok)
        return;
    if (unit == ClockUnit::Years && value < 100)
        value += 1900;
    value = std::clamp(value + delta, f.lowest, f.highest);
    f.line->replace(f.start, f.length, QString::number(value).rightJustified(f.length, u'0'));
}

std::optional<QDateTime> ClockFace::toggleSet(const QTimeZone &zone, QString *error)
{
    if (!m_editMode) {
        m_editMode = true;
        return std::nullopt;
    }
    auto instant = clockTime(timeLine, dateLine, zone, error);
    if (instant)
        m_editMode = false;
    return instant;
}

std::optional<QDateTime> clockTime(QStringView time, QStringView date, const QTimeZone &zone,
                                   QString *error)
{
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    const QDate d = QDate::fromString(date.toString(), QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        return fail(text::dateError(date));
    const QTime t = QTime::fromString(time.toString(), QStringLiteral("HH:mm:ss"));
    if (!t.isValid())
        return fail(QStringLiteral("'%1' n'est pas une heure correcte").arg(time));
    const QDateTime local(d, t, zone);
    // A time skipped when the clocks go forward is moved by Qt: refuse it.
    if (!local.isValid() || local.time() != t || local.date() != d)
        return fail(QStringLiteral("Le %1 à %2 n'existe pas (changement d'heure).").arg(date, time));
    return local.toUTC();
}

bool setSystemClock(const QDateTime &instant, QString *error)
{
    timespec ts{};
    ts.tv_sec = time_t(instant.toSecsSinceEpoch());
    if (clock_settime(CLOCK_REALTIME, &ts) == 0)
        return true;
    if (error)
        *error = errno == EPERM
                     ? QStringLiteral("L'horloge du système n'a pas été réglée : droit refusé.")
                     : QStringLiteral("L'horloge du système n'a pas été réglée : %1.")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}
