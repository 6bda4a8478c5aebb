#pragma once

#include "stats/journal.h"

#include <QDialog>

#include <array>

class QLineEdit;

// "Comptes": the chart of accounts, seven account numbers under their labels.
// A field is put in shape when it is left; OK stores the seven back.
class TCompte : public QDialog
{
    Q_OBJECT
public:
    using Fields = std::array<QString, account::Edited>;

    explicit TCompte(QWidget *parent = nullptr);

    // The nine stored accounts; a never stored one shows its default.
    void Init(const Accounts &accounts);
    // The fields as OK leaves them, into the stored accounts (the eighth and
    // ninth untouched).
    void Result(Accounts &accounts) const;

    QLineEdit *field(int index) const { return m_fields[std::size_t(index)]; }
    // Edit1Exit ... : the field left, completed with zeros up to six figures.
    void EditExit(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QLineEdit *, account::Edited> m_fields{};
};
