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

Chart::Chart(const QStringList &amounts, const QStringList &labels)
{
    const qsizetype first = std::max<qsizetype>(0, amounts.size() - kMaxBars);
    for (qsizetype i = first; i < amounts.size(); ++i) {
        m_values << wholeValue(amounts[i]);
        m_labels << labels.value(i).trimmed();
    }
}

QList<qint64> Chart::scale() const
{
    const qint64 max = maximum();
    if (max <= 0)
        return {};
    // The smallest round step that needs no more than ten marks above 0.
    qint64 step = 1;
    for (qint64 power = 1;; power *= 10) {
        const qint64 steps[] = {power, 2 * power, 5 * power};
        const auto fits = std::find_if(std::begin(steps), std::end(steps),
                                       [max](qint64 s) { return max / s <= 10; });
        if (fits != std::end(steps)) {
            step = *fits;
            break;
        }
    }
    QList<qint64> marks;
    for (qint64 v = 0; v <= max; v += step)
        marks << v;
    return marks;
}

int Chart::yOf(qint64 value) const
{
    const qint64 max = maximum();
    return max <= 0 ? kAxisY : kAxisY - int(value * kTallest / max);
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
