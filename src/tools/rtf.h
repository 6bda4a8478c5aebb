#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QTextDocument;

// Letters are kept as rich text files (".rtf") that any word processor
// opens. The reader takes what a letter needs from them — paragraphs, their
// alignment and indents, bullets, bold, italic, underline, fonts and sizes,
// accented letters and characters outside Windows-1252 — and skips the rest.
// It accepts any bytes: groups nested too deep, runaway control words and
// binary data that claims more bytes than the file holds cost nothing but
// the skipping, and the time and memory it takes grow with the file's size.
//
// Indents are kept in the document in pixels at 96 per inch (4/3 pixel per
// point, 15 twips per pixel); sizes in points.
namespace rtf {

// Reads `bytes` into `doc`, replacing what it held. False, with a French
// message in *error, when the bytes are not rich text at all; a file cut
// short or damaged gives what could be read.
bool read(QByteArrayView bytes, QTextDocument &doc, QString *error = nullptr);

// The document as rich text: Windows-1252 with "\uN" for other characters,
// every paragraph ended by "\par".
QByteArray write(const QTextDocument &doc);

// Limits the reader keeps to whatever it is given.
inline constexpr int kMaxDepth = 100;       // deeper groups are skipped whole
inline constexpr int kMaxWordLength = 32;   // letters of a control word kept
inline constexpr int kMaxParamDigits = 10;  // digits of a parameter kept

} // namespace rtf
