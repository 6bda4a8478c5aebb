#include "stay_history.h"

#include "store/codec.h"
#include "store/text.h"

namespace {

QString situationWord(int situation)
{
    switch (situation) {
    case 0:
        return QStringLiteral("transféré");
    case 3:
        return QStringLiteral("parti");
    case 4:
        return QStringLiteral("annulé");
    }
    return QString();
}

} // namespace

QString StaySegment::text() const
{
    return room + u'\t' + text::dateText(first) + u'\t' + text::dateText(last) + u'\t' +
           QString::number(situation);
}

std::optional<StaySegment> StaySegment::read(QStringView text)
{
    const QList<QStringView> parts = text.split(u'\t');
    if (parts.size() != 4)
        return std::nullopt;
    StaySegment s;
    s.room = parts[0].trimmed().toString();
    s.first = text::storedDate(parts[1]);
    s.last = text::storedDate(parts[2]);
    const QStringView situation = parts[3].trimmed();
    if (s.room.isEmpty() || !s.first.isValid() || !s.last.isValid() || s.last < s.first ||
        situation.size() != 1 || situation[0] < u'0' || situation[0] > u'4')
        return std::nullopt;
    s.situation = situation[0].unicode() - u'0';
    return s;
}

std::optional<StaySegment> StaySegment::read(QByteArrayView text)
{
    return read(QStringView(cp1252::decode(text)));
}

QString StaySegment::label() const
{
    const QString nights = QString::number(first.daysTo(last) + 1);
    return QStringLiteral("Ch. %1 → %2 : %3 nuit%4, %5")
        .arg(room, text::dateText(last.addDays(1)), nights,
             first == last ? QString() : QStringLiteral("s"), situationWord(situation));
}

QDate currentStayStart(QDate since, const QList<StaySegment> &segments)
{
    QDate start = since;
    if (!since.isValid())
        return start;
    for (const StaySegment &s : segments)
        if (s.situation == 0 && s.first >= since && s.last >= start)
            start = s.last.addDays(1);
    return start;
}

QList<StaySegment> staySegments(const QStringList &texts)
{
    QList<StaySegment> out;
    for (const QString &t : texts)
        if (const auto s = StaySegment::read(t))
            out << *s;
    return out;
}
