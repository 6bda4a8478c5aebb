#pragma once

#include "print/print_job.h"
#include "store/ui.h"

#include <QString>

class QPaintDevice;
class QPrinter;
class QWidget;

// The printable area of a printer (or any paint device) as layouts need it.
PageMetrics pageMetrics(const QPaintDevice &device);

// Paints every page of a document on the printer, converting millimetres by
// Mh and Mv for that printer. The printer is in the document's orientation
// while it prints and in portrait before and after. False when the printer
// (or the PDF file) cannot be opened.
bool renderDocument(const PrintDocument &doc, QPrinter &printer);

// What printing asks of the person at the screen; real dialogs by default,
// scripted in tests.
class PrintUi
{
public:
    virtual ~PrintUi() = default;
    virtual bool hasPrinter() const;
    // The system print dialog on `printer`; with a range, its from/to fields,
    // read back into *range. False when cancelled.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer, PrintRange *range);
    // The save dialog for a PDF file; empty when cancelled.
    virtual QString choosePdfFile(QWidget *parent, const QString &proposed);
    // Paints the document on the printer chosen (renderDocument).
    virtual bool render(const PrintDocument &doc, QPrinter &printer);
};

// Prints through the print dialog; on a machine without any printer offers
// to save the printout as a PDF file instead. The job's printer prompt is
// told once a printer is chosen, never for a file. Every failure is told
// through `ui`. Returns whether something was printed.
bool printDocument(QWidget *parent, const PrintJob &job, Ui &ui, PrintUi &printUi);
bool printDocument(QWidget *parent, const PrintJob &job, Ui &ui);
// A document already laid out (its orientation and title are kept).
bool printDocument(QWidget *parent, const PrintDocument &doc, Ui &ui);
