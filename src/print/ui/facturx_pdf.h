#pragma once

#include "print/print_job.h"

#include <QByteArray>
#include <QString>

// A Factur-X file: a printout as a PDF/A (as far as Qt and qpdf make one)
// with the invoice's XML embedded as "factur-x.xml". Qt paints the pages as
// PDF/A-1b (fonts embedded, sRGB output intent, XMP metadata); qpdf then
// embeds the XML, links it from the catalogue's /AF with the relationship
// /Data, and the XMP says PDF/A-3 and carries the Factur-X extension schema
// (document type INVOICE, file name, version 1.0, conformance level
// EN 16931), which is the part no library writes.

// The bytes of a PDF with `xml` attached; empty, with the French reason in
// *error, when the PDF cannot be read.
QByteArray attachFacturX(const QByteArray &pdf, const QByteArray &xml, QString *error);

// The XMP packet of a Factur-X PDF: `xmp` (Qt's PDF/A-1b packet) said to be
// PDF/A-3 B, with the Factur-X schema and its description added.
QByteArray facturXMetadata(QByteArray xmp);

// Lays the job out on A4 into `path` with `xml` attached, whole or not at
// all; false with the French reason in *error.
bool writeFacturXPdf(const PrintJob &job, const QByteArray &xml, const QString &path,
                     QString *error);
