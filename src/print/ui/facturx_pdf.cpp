#include "facturx_pdf.h"

#include "renderer.h"

#include "store/whole_file.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

// Only the standard smart pointers: no PointerHolder in this code.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include <exception>

namespace {

const char kFileName[] = "factur-x.xml";

const char kExtension[] =
    R"(<rdf:Description rdf:about="" xmlns:pdfaExtension="http://www.aiim.org/pdfa/ns/extension/" xmlns:pdfaSchema="http://www.aiim.org/pdfa/ns/schema#" xmlns:pdfaProperty="http://www.aiim.org/pdfa/ns/property#">
<pdfaExtension:schemas><rdf:Bag><rdf:li rdf:parseType="Resource">
<pdfaSchema:schema>Factur-X PDFA Extension Schema</pdfaSchema:schema>
<pdfaSchema:namespaceURI>urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#</pdfaSchema:namespaceURI>
<pdfaSchema:prefix>fx</pdfaSchema:prefix>
<pdfaSchema:property><rdf:Seq>
<rdf:li rdf:parseType="Resource"><pdfaProperty:name>DocumentFileName</pdfaProperty:name><pdfaProperty:valueType>Text</pdfaProperty:valueType><pdfaProperty:category>external</pdfaProperty:category><pdfaProperty:description>The name of the embedded XML document</pdfaProperty:description></rdf:li>
<rdf:li rdf:parseType="Resource"><pdfaProperty:name>DocumentType</pdfaProperty:name><pdfaProperty:valueType>Text</pdfaProperty:valueType><pdfaProperty:category>external</pdfaProperty:category><pdfaProperty:description>The type of the hybrid document in capital letters, e.g. INVOICE or ORDER</pdfaProperty:description></rdf:li>
<rdf:li rdf:parseType="Resource"><pdfaProperty:name>Version</pdfaProperty:name><pdfaProperty:valueType>Text</pdfaProperty:valueType><pdfaProperty:category>external</pdfaProperty:category><pdfaProperty:description>The actual version of the standard applying to the embedded XML document</pdfaProperty:description></rdf:li>
<rdf:li rdf:parseType="Resource"><pdfaProperty:name>ConformanceLevel</pdfaProperty:name><pdfaProperty:valueType>Text</pdfaProperty:valueType><pdfaProperty:category>external</pdfaProperty:category><pdfaProperty:description>The conformance level of the embedded XML document</pdfaProperty:description></rdf:li>
</rdf:Seq></pdfaSchema:property>
</rdf:li></rdf:Bag></pdfaExtension:schemas>
</rdf:Description>
<rdf:Description rdf:about="" xmlns:fx="urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#">
<fx:DocumentType>INVOICE</fx:DocumentType>
<fx:DocumentFileName>factur-x.xml</fx:DocumentFileName>
<fx:Version>1.0</fx:Version>
<fx:ConformanceLevel>EN 16931</fx:ConformanceLevel>
</rdf:Description>
)";

} // namespace

QByteArray facturXMetadata(QByteArray xmp)
{
    // Qt writes the PDF/A identification either as elements or as attributes.
    xmp.replace("<pdfaid:part>1</pdfaid:part>", "<pdfaid:part>3</pdfaid:part>");
    xmp.replace("pdfaid:part=\"1\"", "pdfaid:part=\"3\"");
    xmp.replace("pdfaid:part='1'", "pdfaid:part='3'");
    const qsizetype end = xmp.lastIndexOf("</rdf:RDF>");
    if (end >= 0)
        xmp.insert(end, kExtension);
    return xmp;
}

QByteArray attachFacturX(const QByteArray &pdf, const QByteArray &xml, QString *error)
{
    try {
        QPDF q;
        q.processMemoryFile("facture.pdf", pdf.constData(), size_t(pdf.size()));
        auto efs = QPDFEFStreamObjectHelper::createEFStream(q, xml.toStdString());
        efs.setSubtype("text/xml");
        const std::string now = QUtil::qpdf_time_to_pdf_time(QUtil::get_current_qpdf_time());
        efs.setCreationDate(now).setModDate(now);
        QPDFObjectHandle fileSpec = q.makeIndirectObject(
            QPDFFileSpecObjectHelper::createFileSpec(q, kFileName, efs).getObjectHandle());
        QPDFFileSpecObjectHelper fs(fileSpec);
        fs.setDescription("Factur-X");
        fileSpec.replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Data"));
        QPDFEmbeddedFileDocumentHelper(q).replaceEmbeddedFile(kFileName, fs);

        QPDFObjectHandle root = q.getRoot();
        root.replaceKey("/AF", QPDFObjectHandle::newArray(std::vector<QPDFObjectHandle>{fileSpec}));
        QPDFObjectHandle metadata = root.getKey("/Metadata");
        if (metadata.isStream()) {
            const auto data = metadata.getStreamData(qpdf_dl_all);
            QByteArray xmp(reinterpret_cast<const char *>(data->getBuffer()),
                           qsizetype(data->getSize()));
            const QByteArray fx = facturXMetadata(xmp);
            metadata.replaceStreamData(fx.toStdString(), QPDFObjectHandle::newNull(),
                                       QPDFObjectHandle::newNull());
        }

        QPDFWriter w(q);
        w.setOutputMemory();
        w.setMinimumPDFVersion("1.7");
        w.write();
        auto out = w.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char *>(out->getBuffer()),
                          qsizetype(out->getSize()));
    } catch (const std::exception &e) {
        if (error)
            *error = QStringLiteral("Le PDF de la facture n'a pas pu être complété : %1")
                         .arg(QString::fromLocal8Bit(e.what()));
        return {};
    }
}

bool writeFacturXPdf(const PrintJob &job, const QByteArray &xml, const QString &path,
                     QString *error)
{
    QTemporaryDir dir;
    const QString painted = dir.filePath(QStringLiteral("facture.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(job.title);
    if (!dir.isValid() || !renderPdf(job.layout(pageMetrics(printer), {}), printer, painted, error))
        return false;
    QFile file(painted);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = attachFacturX(file.readAll(), xml, error);
    return !bytes.isEmpty() && WholeFile::write(path, bytes, error);
}
