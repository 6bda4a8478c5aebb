#pragma once

#include <QList>
#include <QRect>
#include <QStringList>

// The bar chart's model: up to 32 whole values, one blue bar each on a
// 559 x 321 drawing area, the tallest reaching 280 pixels above the axis.
// Values and heights are 64-bit: a hotel's yearly turnover in cents would
// overflow 32-bit arithmetic long before the chart's scale did.
class Chart
{
public:
    static constexpr int kWidth = 559, kHeight = 321;
    static constexpr int kMaxBars = 32;
    static constexpr int kAxisX = 20, kAxisY = 300, kAxisTop = 20, kAxisRight = 550;
    static constexpr int kBarStep = 15, kBarWidth = 10, kTallest = 280;

    Chart() = default;
    // The amounts shown, each trimmed and rounded to the nearest whole
    // number (halves to even); only the last 32 are kept. A text that is
    // not a number counts as 0.
    explicit Chart(const QStringList &amounts, const QStringList &labels = {});

    const QList<qint64> &values() const { return m_values; }
    // The largest value, at least 0.
    qint64 maximum() const;
    // The bars to draw, left to right, in drawing-area pixels. A value that
    // is not above zero gets no bar (there is no room below the axis), and
    // there are none when no value is above zero.
    QList<QRect> bars() const;
    // What names each bar (month, client, room), the last 32 as the values.
    const QStringList &labels() const { return m_labels; }
    // The scale beside the axis: 0, then the smallest round step (1, 2 or 5
    // times a power of ten) that needs no more than ten marks above 0, up to
    // the largest value; nothing when no value is above zero.
    QList<qint64> scale() const;
    // Where a value of the scale stands, in drawing-area pixels.
    int yOf(qint64 value) const;

private:
    QList<qint64> m_values;
    QStringList m_labels;
};
