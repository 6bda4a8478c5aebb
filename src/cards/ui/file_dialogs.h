#pragma once

#include "store/spreadsheet.h"
#include "store/user_folders.h"

#include <QString>

class QFileDialog;
class QWidget;

// The file dialogs of the files a person makes for someone else (exports,
// PDFs, letters, the FEC): they start in the folder proposed for their kind,
// their name field holds a name or nothing (never a filter, which Enter
// would take for a name), and a name a shared Windows folder cannot hold is
// refused with a message.

// Starts `dialog` in the folder proposed for `kind`, with `name` (may be
// empty) in its name field.
void proposeIn(QFileDialog &dialog, FileKind kind, const QString &name = {});

// The file chosen in an accepted `dialog`: empty when its name cannot be
// used, after saying why; the folder is remembered for `kind`.
QString acceptedFile(const QFileDialog &dialog, FileKind kind);

// An export for a spreadsheet: its formats as the dialog's filters (.xlsx
// chosen first; the .txt of the exchange files only `withTxt`), started in
// the folder of the spreadsheets with `name`.
void proposeExport(QFileDialog &dialog, const QString &name, bool withTxt = true);
// The format of the filter chosen in that dialog.
ExportFormat chosenExportFormat(const QFileDialog &dialog);
