#pragma once

#include "store/backup.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// TSauvegarde ("Paramètres › Sauvegarde..."): whether a backup of the hotel
// is offered once a day at the end of a run, and the folder it goes to
// (typically a USB key or a synchronised folder).
class TSauvegarde : public QDialog
{
    Q_OBJECT
public:
    explicit TSauvegarde(QWidget *parent = nullptr);

    void Init(const backup::Settings &settings);
    // The settings given, with the choices of the dialog; the date of the
    // last backup is kept.
    backup::Settings Result() const;

private:
    void browse();

    backup::Settings m_settings;
    QCheckBox *m_on = nullptr;
    QLineEdit *m_folder = nullptr;
};
