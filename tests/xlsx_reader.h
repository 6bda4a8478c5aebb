#pragma once

// Reads back the first worksheet of an .xlsx (unzip, then its XML) to check
// what a spreadsheet will see in each cell: a text, a number, or a date (a
// number whose style has a day-month-year format).

#include <QDate>
#include <QHash>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

struct XlsxCell
{
    enum Kind { Text, Number, Date } kind = Text;
    QString text;  // the text, or the number as written
    double number = 0;
    QDate date() const { return QDate(1899, 12, 30).addDays(qint64(number)); }
};

struct XlsxSheet
{
    QList<QMap<int, XlsxCell>> rows; // by row from the top, cells by column from 0
    QString cellStyleFormat;         // what the date cells' format says
};

inline QByteArray xlsxPart(const QString &path, const QString &part)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, part});
    unzip.waitForFinished();
    return unzip.readAllStandardOutput();
}

inline int xlsxColumn(QStringView ref)
{
    int column = 0;
    for (QChar c : ref) {
        if (!c.isLetter())
            break;
        column = column * 26 + (c.unicode() - u'A' + 1);
    }
    return column - 1;
}

inline XlsxSheet readXlsx(const QString &path)
{
    QStringList shared;
    {
        QXmlStreamReader xml(xlsxPart(path, QStringLiteral("xl/sharedStrings.xml")));
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"si")
                shared << QString();
            else if (xml.isStartElement() && xml.name() == u"t" && !shared.isEmpty())
                shared.last() += xml.readElementText();
        }
    }
    // The number format of each cell style; the date formats among them.
    QHash<int, QString> formats = {{14, QStringLiteral("mm-dd-yy")}};
    QList<int> styleFormat;
    {
        QXmlStreamReader xml(xlsxPart(path, QStringLiteral("xl/styles.xml")));
        bool inCellXfs = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"numFmt")
                formats[xml.attributes().value(QStringLiteral("numFmtId")).toInt()] =
                    xml.attributes().value(QStringLiteral("formatCode")).toString();
            else if (xml.isStartElement() && xml.name() == u"cellXfs")
                inCellXfs = true;
            else if (xml.isEndElement() && xml.name() == u"cellXfs")
                inCellXfs = false;
            else if (inCellXfs && xml.isStartElement() && xml.name() == u"xf")
                styleFormat << xml.attributes().value(QStringLiteral("numFmtId")).toInt();
        }
    }
    XlsxSheet sheet;
    QXmlStreamReader xml(xlsxPart(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    int column = -1;
    QString type;
    int style = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"row") {
            const int r = xml.attributes().value(QStringLiteral("r")).toInt();
            while (sheet.rows.size() < r)
                sheet.rows << QMap<int, XlsxCell>();
        } else if (xml.isStartElement() && xml.name() == u"c") {
            column = xlsxColumn(xml.attributes().value(QStringLiteral("r")));
            type = xml.attributes().value(QStringLiteral("t")).toString();
            style = xml.attributes().value(QStringLiteral("s")).toInt();
        } else if (xml.isStartElement() && (xml.name() == u"v" || xml.name() == u"t") && column >= 0) {
            const QString v = xml.readElementText();
            XlsxCell cell;
            if (type == u"s") {
                cell.text = shared.value(v.toInt());
            } else if (type == u"inlineStr" || type == u"str") {
                cell.text = v;
            } else {
                cell.text = v;
                cell.number = v.toDouble();
                const QString format = formats.value(styleFormat.value(style));
                const bool date = format.contains(u"yy") && format.contains(u"d");
                cell.kind = date ? XlsxCell::Date : XlsxCell::Number;
                if (date)
                    sheet.cellStyleFormat = format;
            }
            sheet.rows.last()[column] = cell;
        }
    }
    return sheet;
}
