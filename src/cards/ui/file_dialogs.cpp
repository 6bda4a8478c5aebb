#include "file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

void proposeIn(QFileDialog &dialog, FileKind kind, const QString &name)
{
    dialog.setDirectory(documentFolders().folder(kind));
    dialog.selectFile(name);
}

QString acceptedFile(const QFileDialog &dialog, FileKind kind)
{
    const QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty())
        return {};
    if (dialog.acceptMode() == QFileDialog::AcceptSave) {
        if (const QString problem = fileNameProblem(path); !problem.isEmpty()) {
            QMessageBox::information(dialog.parentWidget(), QApplication::applicationDisplayName(), problem);
            return {};
        }
    }
    documentFolders().remember(kind, path);
    return path;
}

void proposeExport(QFileDialog &dialog, const QString &name, bool withTxt)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(exportFilterTexts(withTxt));
    proposeIn(dialog, FileKind::Spreadsheet, name);
}

ExportFormat chosenExportFormat(const QFileDialog &dialog)
{
    return exportFormatOfFilter(dialog.selectedNameFilter());
}
