#include "graph_window.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

ChartArea::ChartArea(QWidget *parent) : QWidget(parent)
{
    setFixedSize(Chart::kWidth, Chart::kHeight);
}

void ChartArea::setChart(const Chart &chart)
{
    m_chart = chart;
    update();
}

void ChartArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(0, 0, Chart::kWidth - 1, Chart::kHeight - 1);
    p.drawLine(Chart::kAxisX, Chart::kAxisY, Chart::kAxisRight, Chart::kAxisY);
    p.drawLine(Chart::kAxisX, Chart::kAxisY, Chart::kAxisX, Chart::kAxisTop);
    p.setBrush(QColor(0, 0, 255));
    for (const QRect &bar : m_chart.bars())
        p.drawRect(bar.adjusted(0, 0, -1, -1));
}

TGraph::TGraph(QWidget *parent) : QDialog(parent), m_area(new ChartArea)
{
    setWindowTitle(QStringLiteral("Graphique"));
    auto *close = new QPushButton(QStringLiteral("Fermer"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *top = new QHBoxLayout;
    top->addWidget(close);
    top->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_area);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TGraph::Init(const QStringList &amounts)
{
    m_area->setChart(Chart(amounts));
}

void TGraph::DrawChart()
{
    m_area->update();
}
