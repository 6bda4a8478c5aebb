#include "chart.h"

#include "store/text.h"

#include <algorithm>
#include <cmath>

namespace {

// Far beyond any turnover, and small enough that value * 280 fits in 64 bits.
constexpr double kLimit = 1e15;

qint64 wholeValue(const QString &amount)
{
    const auto v = text::parseReal(amount.trimmed());
    if (!v)
        return 0;
    const double r = std::nearbyint(std::clamp(*v, -kLimit, kLimit)); // halves to even
    return qint64(r);
}

} // namespace

Chart::Chart(const QStringList &amounts)
{
    const qsizetype first = std::max<qsizetype>(0, amounts.size() - kMaxBars);
    for (qsizetype i = first; i < amounts.size(); ++i)
        m_values << wholeValue(amounts[i]);
}

qint64 Chart::maximum() const
{
    qint64 m = 0;
    for (qint64 v : m_values)
        m = std::max(m, v);
    return m;
}

QList<QRect> Chart::bars() const
{
    QList<QRect> bars;
    const qint64 max = maximum();
    if (max <= 0)
        return bars;
    for (qsizetype i = 0; i < m_values.size(); ++i) {
        const qint64 v = m_values[i];
        if (v <= 0)
            continue;
        const int height = int(v * kTallest / max);
        const int x = kAxisX + kBarStep * int(i);
        bars << QRect(QPoint(x, kAxisY - height), QPoint(x + kBarWidth, kAxisY));
    }
    return bars;
}
