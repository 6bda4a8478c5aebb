#include "graph_window.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

ChartArea::ChartArea(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kScaleWidth + Chart::kWidth, Chart::kHeight + kLabelHeight);
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
    p.drawRect(0, 0, width() - 1, height() - 1);
    QFont font = p.font();
    font.setPointSize(8);
    p.setFont(font);
    const QFontMetrics metrics(font);
    const QLocale french(QLocale::French, QLocale::France);
    // The scale: a mark and its figure left of the axis, a faint line across.
    p.translate(kScaleWidth, 0);
    for (qint64 v : m_chart.scale()) {
        const int y = m_chart.yOf(v);
        p.setPen(QColor(220, 220, 220));
        if (v > 0)
            p.drawLine(Chart::kAxisX + 1, y, Chart::kAxisRight, y);
        p.setPen(Qt::black);
        p.drawLine(Chart::kAxisX - 4, y, Chart::kAxisX, y);
        p.drawText(QRect(-kScaleWidth + 2, y - metrics.height() / 2,
                         kScaleWidth + Chart::kAxisX - 8, metrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter, french.toString(v));
    }
    p.drawLine(Chart::kAxisX, Chart::kAxisY, Chart::kAxisRight, Chart::kAxisY);
    p.drawLine(Chart::kAxisX, Chart::kAxisY, Chart::kAxisX, Chart::kAxisTop);
    p.setBrush(QColor(0, 0, 255));
    for (const QRect &bar : m_chart.bars())
        p.drawRect(bar.adjusted(0, 0, -1, -1));
    // Each bar's name, written upwards from the foot of the area to the axis.
    const QStringList &labels = m_chart.labels();
    const int room = Chart::kHeight - Chart::kAxisY + kLabelHeight - 6;
    for (int i = 0; i < labels.size(); ++i) {
        const int centre = Chart::kAxisX + Chart::kBarStep * i + Chart::kBarWidth / 2;
        p.save();
        p.translate(centre, Chart::kAxisY + 3);
        p.rotate(-90);
        p.drawText(QRect(-room, -metrics.height() / 2, room, metrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter,
                   metrics.elidedText(labels[i], Qt::ElideRight, room));
        p.restore();
    }
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

void TGraph::Init(const QStringList &amounts, const QStringList &labels)
{
    m_area->setChart(Chart(amounts, labels));
}

void TGraph::DrawChart()
{
    m_area->update();
}
