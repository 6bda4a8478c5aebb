#pragma once

#include "print/print_job.h"
#include "store/ui.h"

#include <QString>

#include <functional>

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

// Paints the document into the PDF file `path`, whole or not at all: the
// printer writes a temporary file beside it, which replaces `path` only once
// it is a whole PDF on disk. False with the French reason in *error.
bool renderPdf(const PrintDocument &doc, QPrinter &printer, const QString &path, QString *error);
// The same around any painting of `printer` into the file `path`.
bool paintPdf(QPrinter &printer, const QString &path, const std::function<bool()> &paint,
              QString *error);

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
