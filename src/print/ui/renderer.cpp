#include "renderer.h"

#include "store/user_folders.h"
#include "store/whole_file.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace {

QPageLayout::Orientation qtOrientation(Orientation o)
{
    return o == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void paintPage(QPainter &p, const PrintPage &page, const PageMetrics &m)
{
    const double kx = m.pxPerMmH(), ky = m.pxPerMmV();
    auto px = [&](double x) { return x * kx; };
    auto py = [&](double y) { return (y + 3) * ky; };
    // Lines a fifth of a millimetre thick, whatever the resolution.
    p.setPen(QPen(Qt::black, std::max(1.0, ky / 5)));
    for (const PrintItem &item : page) {
        const QRectF box(QPointF(px(item.x), py(item.y)), QPointF(px(item.x2), py(item.y2)));
        switch (item.kind) {
        case PrintItem::Kind::Text: {
            if (item.text.isEmpty())
                break;
            QFont font(item.font.family);
            font.setPointSizeF(item.font.size);
            font.setBold(item.font.bold);
            p.setFont(font);
            const QFontMetricsF fm(font, p.device());
            double x = px(item.x);
            if (item.align != Align::Left) {
                const double w = fm.horizontalAdvance(item.text);
                x -= item.align == Align::Right ? w : w / 2;
            }
            p.drawText(QPointF(x, py(item.y) + fm.ascent()), item.text);
            break;
        }
        case PrintItem::Kind::Line:
            p.drawLine(box.topLeft(), box.bottomRight());
            break;
        case PrintItem::Kind::Frame:
            p.drawRect(box.normalized());
            break;
        case PrintItem::Kind::Fill:
            p.fillRect(box.normalized(), QColor::fromRgb(item.rgb));
            break;
        }
    }
}

} // namespace

PageMetrics pageMetrics(const QPaintDevice &device)
{
    return {device.width(), device.height(), device.widthMM(), device.heightMM()};
}

bool renderDocument(const PrintDocument &doc, QPrinter &printer)
{
    // A printout made for its own sheet is printed on it; the printer keeps
    // its paper for the next one.
    const QPageSize paperBefore = printer.pageLayout().pageSize();
    if (doc.paper())
        printer.setPageSize(QPageSize(*doc.paper(), QPageSize::Millimeter));
    printer.setPageOrientation(qtOrientation(doc.orientation()));
    printer.setDocName(doc.title());
    QPainter p;
    bool ok = p.begin(&printer);
    if (ok) {
        const PageMetrics m = pageMetrics(printer);
        for (qsizetype i = 0; i < doc.pages().size() && ok; ++i) {
            if (i > 0)
                ok = printer.newPage();
            paintPage(p, doc.pages()[i], m);
        }
        ok = p.end() && ok;
    }
    printer.setPageOrientation(QPageLayout::Portrait);
    if (doc.paper())
        printer.setPageSize(paperBefore);
    return ok;
}

bool paintPdf(QPrinter &printer, const QString &path, const std::function<bool()> &paint,
              QString *error)
{
    WholeFile file(path);
    bool ok = file.open();
    if (ok) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file.tempPath());
        // Whatever the painting says, the bytes it left are judged.
        paint();
        ok = file.commitWritten(isWholePdf);
        printer.setOutputFileName(path);
    }
    if (error)
        *error = file.errorMessage();
    return ok;
}

bool renderPdf(const PrintDocument &doc, QPrinter &printer, const QString &path, QString *error)
{
    return paintPdf(
        printer, path, [&] { return renderDocument(doc, printer); }, error);
}

bool PrintUi::hasPrinter() const
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

bool PrintUi::choosePrinter(QWidget *parent, QPrinter &printer, PrintRange *range)
{
    QPrintDialog dialog(&printer, parent);
    if (range) {
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        dialog.setMinMax(1, range->max);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(range->from, range->to);
    }
    // The dialog's "print to a file" proposes its file in the current folder,
    // which is the program's own and hidden: for the time of the dialog it
    // is the folder proposed for PDFs.
    const QString current = QDir::currentPath();
    QDir::setCurrent(documentFolders().folder(FileKind::Pdf));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QDir::setCurrent(current);
    if (!accepted)
        return false;
    if (!printer.outputFileName().isEmpty())
        documentFolders().remember(FileKind::Pdf, printer.outputFileName());
    if (range && printer.printRange() == QPrinter::PageRange) {
        range->from = printer.fromPage();
        range->to = printer.toPage();
    } else if (range) {
        *range = {1, range->max, range->max};
    }
    // The numbers chosen select what is laid out, not pages to skip.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    return true;
}

QString PrintUi::choosePdfFile(QWidget *parent, const QString &proposed)
{
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Enregistrer l'impression"),
        documentFolders().proposedPath(FileKind::Pdf, QFileInfo(proposed).fileName()),
        QStringLiteral("Fichier PDF (*.pdf)"));
    if (path.isEmpty())
        return {};
    if (const QString problem = fileNameProblem(path); !problem.isEmpty()) {
        QMessageBox::information(parent, QApplication::applicationDisplayName(), problem);
        return {};
    }
    documentFolders().remember(FileKind::Pdf, path);
    return path;
}

bool PrintUi::render(const PrintDocument &doc, QPrinter &printer)
{
    return renderDocument(doc, printer);
}

bool printDocument(QWidget *parent, const PrintJob &job, Ui &ui, PrintUi &printUi)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(job.title);
    PrintRange range = job.range.value_or(PrintRange{});
    if (printUi.hasPrinter()) {
        if (!printUi.choosePrinter(parent, printer, job.range ? &range : nullptr))
            return false;
        // The print dialog may also have chosen a file ("Imprimer dans un fichier").
        if (printer.outputFileName().isEmpty() && !job.printerPrompt.isEmpty())
            ui.inform(job.printerPrompt);
    } else {
        if (!ui.askOkCancel(QStringLiteral("Aucune imprimante n'est installée.\n"
                                           "Enregistrer l'impression dans un fichier PDF ?")))
            return false;
        QString path = printUi.choosePdfFile(parent, job.title + QStringLiteral(".pdf"));
        if (path.isEmpty())
            return false;
        if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
            path += QStringLiteral(".pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    }
    if (job.paperMm)
        printer.setPageSize(QPageSize(*job.paperMm, QPageSize::Millimeter));
    printer.setPageOrientation(qtOrientation(job.orientation));
    PrintDocument doc = job.layout(pageMetrics(printer), range);
    if (job.paperMm)
        doc.setPaper(job.paperMm);
    // A file is written whole or not at all.
    if (const QString file = printer.outputFileName(); !file.isEmpty()) {
        QString error;
        if (paintPdf(
                printer, file, [&] { return printUi.render(doc, printer); }, &error))
            return true;
        ui.inform(error);
        return false;
    }
    if (printUi.render(doc, printer))
        return true;
    ui.inform(QStringLiteral("L'impression sur ") + printer.printerName() +
              QStringLiteral(" a échoué"));
    return false;
}

bool printDocument(QWidget *parent, const PrintJob &job, Ui &ui)
{
    PrintUi dialogs;
    return printDocument(parent, job, ui, dialogs);
}

bool printDocument(QWidget *parent, const PrintDocument &doc, Ui &ui)
{
    PrintJob job{doc.title(), doc.orientation(), std::nullopt,
                 [&doc](const PageMetrics &, const PrintRange &) { return doc; }, {}, doc.paper()};
    return printDocument(parent, job, ui);
}
