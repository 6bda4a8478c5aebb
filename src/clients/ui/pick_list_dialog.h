#pragma once

#include <QDialog>
#include <QString>

class QBoxLayout;
class QListWidget;
class QListWidgetItem;

// "Annuler" (or the given caption) and "OK" below a dialog's controls;
// Enter clicks OK.
void addOkCancel(QDialog *dialog, QBoxLayout *layout,
                 const QString &cancel = QStringLiteral("Annuler"));

// A dialog that offers a list to pick one entry from (double-click or OK).
class PickListDialog : public QDialog
{
    Q_OBJECT
public:
    PickListDialog(const QString &title, int width, int height, QWidget *parent = nullptr);

protected:
    // The entry picked, or none after "Annuler" or with nothing selected.
    const QListWidgetItem *chosen() const;

    QListWidget *m_list = nullptr;
};
