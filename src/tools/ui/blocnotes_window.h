#pragma once

#include "store/ui.h"

#include <QDialog>

class QPlainTextEdit;

// The notepad ("Bloc-notes"): one plain text kept in a file of the start-up
// folder. Closing saves a changed text; a text that cannot be saved keeps
// the window open.
class TBlocnotes : public QDialog
{
    Q_OBJECT
public:
    explicit TBlocnotes(Ui &ui, QWidget *parent = nullptr);

    // Reads the file; a missing file gives an empty text.
    void Charge(const QString &path);
    // Writes the text only when it changed; false, told, when it could not.
    bool Sauve();

    QPlainTextEdit *editor() const { return m_edit; }

public slots:
    void reject() override;

private:
    Ui &m_ui;
    QString m_path;
    QPlainTextEdit *m_edit = nullptr;
};
