#pragma once

#include "print_document.h"

#include <functional>
#include <optional>

// The from/to range of a print dialog; `max` is the highest number offered.
struct PrintRange
{
    int from = 1, to = 1, max = 1;
};

// A printout to lay out once the printer, its orientation and the range
// chosen are known.
struct PrintJob
{
    QString title;
    Orientation orientation = Orientation::Portrait;
    std::optional<PrintRange> range; // offered in the print dialog when set
    std::function<PrintDocument(const PageMetrics &, const PrintRange &)> layout;
    // Told before a printer prints the job (an envelope to insert); never
    // when it goes to a file.
    QString printerPrompt = {};
    // The sheet the job is laid out on, in millimetres (portrait), whatever
    // paper the printer holds; none to follow the printer's paper.
    std::optional<QSizeF> paperMm = {};
};
