#pragma once

#include "stats_window.h"

#include "stats/journal.h"

#include <functional>

class QDateEdit;
class QFileDialog;

// "Journal des Achats / Ventes": the statistics window's grid and print
// button, with an export button, the period "Du" ... "Au" and "OK".
class TJournal : public TStats
{
    Q_OBJECT
public:
    struct Journal
    {
        QList<JournalLine> lines; // in journal order
        int decimals = 2;
        Company company;          // its "Siret" names the FEC file
    };

    explicit TJournal(QWidget *parent = nullptr);

    // Fills the window: with lines, the period of the first to the last and
    // the grid for it; with none an empty grid without headings.
    // `inform` tells the person why an export was not written.
    void Init(Journal journal, TStats::Actions actions, std::function<void(const QString &)> inform);

    // Refills the grid with the lines of the period "Du" ... "Au".
    void Remplit();
    // The lines shown.
    const QList<JournalLine> &shown() const { return m_shown; }

    // "OK": Remplit.
    void SpeedButton1Click() { Remplit(); }
    // Export: the text export or the FEC of the lines shown, to the file
    // chosen in the save dialog.
    void SaveBtnClick();
    void exportSheet() override { SaveBtnClick(); }

    QDateEdit *from() const { return m_from; }
    QDateEdit *to() const { return m_to; }

    static const QString kTextFilter;
    static const QString kFecFilter;

protected:
    GridSheet sheetToPrint() const override;
    // The journal of the period, journal by journal with their totals,
    // titled with the period, headed with the hotel's name, pages numbered.
    PrintJob printJob() const override;

private:
    void write(const QString &path, const QByteArray &bytes);

    Journal m_journal;
    QList<JournalLine> m_shown;
    TStats::Actions m_actions;
    std::function<void(const QString &)> m_inform;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
};
