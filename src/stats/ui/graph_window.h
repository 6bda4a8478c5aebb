#pragma once

#include "stats/chart.h"

#include <QDialog>
#include <QWidget>

// The drawing area of the chart: a white frame, the two axes and the bars,
// the scale left of the vertical axis and each bar's name under it.
class ChartArea : public QWidget
{
    Q_OBJECT
public:
    // Room for the scale's figures and for the names, written upwards.
    static constexpr int kScaleWidth = 70, kLabelHeight = 110;

    explicit ChartArea(QWidget *parent = nullptr);
    void setChart(const Chart &chart);
    const Chart &chart() const { return m_chart; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Chart m_chart;
};

// TGraph: the fixed-size "Graphique" window, "Fermer" (or Escape) above the
// drawing area.
class TGraph : public QDialog
{
    Q_OBJECT
public:
    explicit TGraph(QWidget *parent = nullptr);
    // The amount texts, top to bottom, and what names each; the last 32
    // are drawn.
    void Init(const QStringList &amounts, const QStringList &labels = {});
    void DrawChart();
    ChartArea *area() const { return m_area; }

private:
    ChartArea *m_area;
};
