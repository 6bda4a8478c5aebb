#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Everything on disk is Windows-1252. Every byte value decodes to one
// character and encodes back to the same byte: the five bytes the code page
// leaves undefined stand for the C1 controls of the same value, so a file
// edited by hand never loses a byte through a card read and written back.
namespace cp1252 {

QString decode(QByteArrayView bytes);

// Characters Windows-1252 cannot hold are replaced by '?' and *ok is set to
// false, so callers can refuse the text instead of changing it silently.
QByteArray encode(QStringView text, bool *ok = nullptr);

// A value that is a whole line of a block (a field, a line the reception
// writes): encoded, and given one leading blank when it begins "<BLOC" or
// "</BLOC", since such a line would be read as a block marker.
QByteArray encodeField(QStringView text, bool *ok = nullptr);

// Whether a text would be read as a block marker if it stood alone on a line.
bool looksLikeMarker(QStringView text);
// The text with one leading blank when it looks like a marker; *changed
// tells whether it did.
QString withoutMarker(QString text, bool *changed = nullptr);
// What the person is told when a typed or pasted text was given its blank.
QString markerMessage();

// Whether every character of the text has a Windows-1252 byte.
bool canEncode(QStringView text);
bool canEncode(QChar c);

} // namespace cp1252
