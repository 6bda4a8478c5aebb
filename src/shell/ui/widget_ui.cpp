#include "widget_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

const QString kFilter = QStringLiteral("Fichiers hotel (*.htl)");
const QString kSuffix = QStringLiteral("htl");

QString title()
{
    return QApplication::applicationDisplayName();
}

QString runFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &caption,
                      const QString &proposed)
{
    QFileDialog dialog(parent, caption, QString(), kFilter);
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(kSuffix);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // The save command asks itself before replacing a set.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!proposed.isEmpty())
        dialog.selectFile(proposed);
    // Wide enough for the names, sizes and dates of a hotel's folder.
    dialog.resize(760, 440);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void WidgetUi::inform(const QString &text)
{
    QMessageBox::information(m_window, title(), text);
}

Ui::Answer WidgetUi::askYesNoCancel(const QString &text)
{
    const auto button = QMessageBox::warning(
        m_window, title(), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes);
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool WidgetUi::askOkCancel(const QString &text)
{
    return QMessageBox::warning(m_window, title(), text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Ok) == QMessageBox::Ok;
}

QString WidgetUi::chooseOpenFile()
{
    return runFileDialog(m_window, QFileDialog::AcceptOpen, QStringLiteral("Ouvrir"), {});
}

QString WidgetUi::chooseSaveFile(const QString &proposed)
{
    return runFileDialog(m_window, QFileDialog::AcceptSave, QStringLiteral("Enregistrer sous"),
                         proposed);
}

std::optional<QString> WidgetUi::askText(const QString &title, const QString &prompt,
                                         const QString &defaultText)
{
    // OK and Annuler come from the translator loaded at start-up.
    QInputDialog dialog(m_window);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}
