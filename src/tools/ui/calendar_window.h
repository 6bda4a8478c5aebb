#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;

// The calendar ("Calendrier"): a month, weeks from Sunday, with the month
// and year over it; "Mois" buttons and Page Up / Page Down change the month.
class TCalendrier : public QDialog
{
    Q_OBJECT
public:
    explicit TCalendrier(QWidget *parent = nullptr);

    QCalendarWidget *calendar() const { return m_calendar; }
    QString header() const;

private:
    void refresh();

    QCalendarWidget *m_calendar = nullptr;
    QLabel *m_header = nullptr;
};
