#pragma once

#include "print/print_job.h"
#include "store/spreadsheet.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// A grid as its window shows it, for printing: the columns with their
// heading, their width on screen and their alignment, then the rows (the
// ordinal or line number in the first cell). The statistics windows and the
// accounting journal print through it.
struct GridColumn
{
    QString heading;
    int width = 64; // pixels on screen
    bool right = false;
};

struct GridSheet
{
    QList<GridColumn> columns;
    QList<QStringList> rows;

    // The screen width of all the columns.
    int width() const;
    // The cells of one column, from the first row down to the first empty
    // cell (what the chart draws).
    QStringList columnDown(int column) const;
};

// The ruled table: on every page a head (the heading on the left and
// "Imprimé le " + today on the right, in bold), a grey band with the
// column headings, then one ruled line a row and the column lines. The
// columns keep their proportions on screen and span the page between its
// margins (a twentieth-fifth of the page each side), whatever the printer's
// resolution. Rows 1 to `rowCount` are printed (at most those there are);
// a row that would reach the bottom margin starts a new page.
// What a printout may add: a title in large print over every page's head,
// "Page n/N" at every page's foot, and rows in bold (totals).
struct GridPrintExtras
{
    QString title;
    bool pageNumbers = false;
    QList<int> boldRows; // ascending
};
PrintDocument gridPrintout(const GridSheet &sheet, const QString &title, const QString &heading,
                           int rowCount, QDate today, const PageMetrics &metrics,
                           const GridPrintExtras &extras = {});
// The print job: `titlePrefix` + today ("dd/mm/yyyy") as its title.
PrintJob gridPrintoutJob(const GridSheet &sheet, const QString &titlePrefix, const QString &heading,
                         int rowCount, QDate today, const GridPrintExtras &extras = {});

// The grid for a spreadsheet, without its first column (the ordinal or line
// number): `types` says what each of the other columns holds (text when not
// said).
Spreadsheet gridSpreadsheet(const GridSheet &sheet, const QString &name, const QList<CellType> &types);
