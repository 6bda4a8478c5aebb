#pragma once

#include "main_courante.h"
#include "print/print_job.h"

// The printed day sheet (`ImpJournee`): portrait, Arial 10. Every page opens
// with its heading (`Entete5`: the caption, the column titles and a rule);
// then one ruled row per room row of the sheet, 8 mm apart, a new page when
// a row would pass the foot of the page. The column rules (`Dessin5`) stand
// on the last page only, from the titles down to the last row's rule. The
// sheet ends with its "Total" row in bold: `totals` holds the nights and
// the five amounts as the page shows them (none: no such row).
PrintDocument ImpJournee(const QString &caption, const QList<DayRow> &rows,
                         const QStringList &totals, const PageMetrics &m);

// The sheet shown on the page, as a print job; the page must outlive it.
PrintJob ImpMainCouranteJob(const MainCourantePage &page);
