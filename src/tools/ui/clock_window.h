#pragma once

#include "tools/clock.h"

#include <QDialog>

class QButtonGroup;
class QLabel;
class QPushButton;
class QTimer;
class Ui;

// The clock ("Horloge"): the time and the date, each second. "Régler" freezes
// them so the spinner can change the chosen unit, and pressed again sets the
// system clock, where the program may; elsewhere it stays disabled and its
// hint says why.
class THorloge : public QDialog
{
    Q_OBJECT
public:
    THorloge(Ui &ui, QWidget *parent = nullptr);

    const ClockFace &face() const { return m_face; }
    QPushButton *setButton() const { return m_set; }

private:
    void tick();
    void setClicked();
    void refresh();

    Ui &m_ui;
    ClockFace m_face;
    QTimer *m_timer = nullptr;
    QLabel *m_time = nullptr;
    QLabel *m_date = nullptr;
    QButtonGroup *m_units = nullptr;
    QPushButton *m_set = nullptr;
};
