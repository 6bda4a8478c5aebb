#pragma once

#include "stats/statistics.h"

#include <QDate>
#include <QDialog>

#include <functional>
#include <utility>

class GridModel;
class QTableView;
class QToolBar;
struct PrintJob;

// TStatsV, TStatsC, TStatsL and the occupancy window: one fixed-size window
// over a grid with a tool strip (print, chart, export, "Fermer"),
// configured by the statistic it shows. The accounting journal reuses it: it adds its own
// controls to toolBar() and refills the grid with setRows().
class TStats : public QDialog
{
    Q_OBJECT
public:
    struct Actions
    {
        // Prints through the print dialog (the main window's printer).
        std::function<bool(const PrintJob &)> print;
        // Shows the chart window modally (tests answer it in place).
        std::function<int(QDialog &)> showDialog;
        QDate today = QDate::currentDate();
        // Tells why an export was not written.
        std::function<void(const QString &)> inform;
    };

    explicit TStats(QWidget *parent = nullptr);

    void Init(const StatTable &table, Actions actions);
    // The rows shown (the ordinal or line number first).
    void setRows(const QList<QStringList> &rows);
    // `count` rows read cell by cell as the grid shows them; what prints is
    // then sheetToPrint()'s.
    void setRows(int count, std::function<QVariant(int row, int column)> cell);
    const StatTable &table() const { return m_table; }

    QToolBar *toolBar() const { return m_tools; }
    QTableView *grid() const { return m_view; }

    // Print: the grid printout of every row shown, titled with today.
    void SpeedButton8Click();
    // Chart: the last 32 amounts of the chart column.
    void SpeedButton1Click();
    void Button1Click() { accept(); }
    // Export: the grid for a spreadsheet (.xlsx or .csv), right-aligned
    // columns as numbers. The journal and the tourist tax export their own.
    virtual void exportSheet();

protected:
    const Actions &actions() const { return m_actions; }
    // Runs the export dialog; the file chosen and its format, or an empty
    // path when cancelled or refused.
    std::pair<QString, ExportFormat> chooseExport(const QString &name, const QStringList &moreFilters = {});
    // Writes `sheet`, telling what went wrong.
    void writeExport(const Spreadsheet &sheet, ExportFormat format, const QString &path);
    // The grid as it prints: the table's rows.
    virtual GridSheet sheetToPrint() const { return m_table.sheet; }
    // What the print button prints: the grid printout of sheetToPrint().
    virtual PrintJob printJob() const;

private:
    StatTable m_table;
    Actions m_actions;
    QToolBar *m_tools = nullptr;
    GridModel *m_model = nullptr;
    QTableView *m_view = nullptr;
};
