#pragma once

#include <QString>

// The plain text files of the writing tools (the notepad, the messages):
// Windows-1252, every line ended by CR LF when written, by CR LF, CR or LF
// when read.
namespace plaintext {

// The text of the file, lines joined by "\n"; an empty text when there is no
// file. False, with a French message, when it exists but cannot be read.
bool load(const QString &path, QString &text, QString *error = nullptr);
// Writes the text all or nothing, every line ended by CR LF. Characters
// Windows-1252 cannot hold are refused: false with a message, nothing written.
bool save(const QString &path, const QString &text, QString *error = nullptr);

} // namespace plaintext

// The notepad's file, "Tolvenar.nte" in the start-up folder.
namespace notepad {

inline constexpr QStringView kFileName = u"Tolvenar.nte";

// The notepad file of a folder, under the spelling it has on disk.
QString fileIn(const QString &folder);

} // namespace notepad
