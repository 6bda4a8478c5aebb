#include "calendar_window.h"

#include "tool_window.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TCalendrier::TCalendrier(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Calendrier"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto *top = new QHBoxLayout;
    auto *previous = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QStringLiteral("Mois"));
    auto *next = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QStringLiteral("Mois"));
    next->setLayoutDirection(Qt::RightToLeft); // the arrow after the word
    previous->setToolTip(QStringLiteral("Mois précédent (Page préc.)"));
    next->setToolTip(QStringLiteral("Mois suivant (Page suiv.)"));
    for (QPushButton *b : {previous, next}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    m_header = new QLabel;
    m_header->setFixedWidth(372);
    m_header->setAlignment(Qt::AlignCenter);
    QFont font = m_header->font();
    font.setPointSize(font.pointSize() + 3);
    font.setBold(true);
    m_header->setFont(font);
    top->addWidget(previous);
    top->addWidget(m_header);
    top->addWidget(next);
    layout->addLayout(top);

    m_calendar = new QCalendarWidget;
    m_calendar->setLocale(QLocale(QLocale::French, QLocale::France));
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(true);
    layout->addWidget(m_calendar);
    connect(previous, &QPushButton::clicked, m_calendar, &QCalendarWidget::showPreviousMonth);
    connect(next, &QPushButton::clicked, m_calendar, &QCalendarWidget::showNextMonth);
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this, &TCalendrier::refresh);
    addCloseButton(this, layout);
    m_calendar->setFocus();
    refresh();
}

QString TCalendrier::header() const
{
    const QDate month(m_calendar->yearShown(), m_calendar->monthShown(), 1);
    return QLocale(QLocale::French, QLocale::France).toString(month, QStringLiteral("MMMM  yyyy"));
}

void TCalendrier::refresh()
{
    m_header->setText(header());
}
