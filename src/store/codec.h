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

// Whether every character of the text has a Windows-1252 byte.
bool canEncode(QStringView text);
bool canEncode(QChar c);

} // namespace cp1252
