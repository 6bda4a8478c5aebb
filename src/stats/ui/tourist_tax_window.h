#pragma once

#include "stats_window.h"

#include "stats/tourist_tax.h"

#include <functional>

class QDateEdit;

// "État de la taxe de séjour": the statistics window's grid over the
// period "Du" ... "Au" with "OK", printing with the period as heading,
// and an export of the declaration as a ";" separated file.
class TTaxeSejour : public TStats
{
    Q_OBJECT
public:
    // The report of a period, worked out by the caller over its set.
    using Compute = std::function<TouristTaxReport(QDate from, QDate to)>;

    explicit TTaxeSejour(QWidget *parent = nullptr);

    // Shows the period from..to; `inform` tells why an export was not written.
    void Init(Compute compute, int decimals, QDate from, QDate to, TStats::Actions actions,
              std::function<void(const QString &)> inform);

    // "OK": the report of the period "Du" ... "Au".
    void Remplit();
    // The grid printout, headed with the period.
    void printReport();
    // The export to the file chosen in the save dialog.
    void SaveBtnClick();
    void exportSheet() override { SaveBtnClick(); }

    const TouristTaxReport &report() const { return m_report; }
    QDateEdit *from() const { return m_from; }
    QDateEdit *to() const { return m_to; }

private:
    Compute m_compute;
    int m_decimals = 2;
    TouristTaxReport m_report;
    QDate m_shownFrom, m_shownTo;
    TStats::Actions m_actions;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
};
