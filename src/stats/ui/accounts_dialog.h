#pragma once

#include "stats/journal.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;

// "Comptes": the chart of accounts, every account number under its label:
// the seven of old with the bank, the cash, "Divers" and the expenses on
// the left, the income and VAT accounts of each VAT rate on the right. A
// field is put in shape when it is left; OK stores them back.
class TCompte : public QDialog
{
    Q_OBJECT
public:
    using Fields = AccountFields;

    explicit TCompte(QWidget *parent = nullptr);

    // The stored accounts; a never stored one shows its default. The VAT
    // rates name the per-rate accounts' labels.
    void Init(const Accounts &accounts, const std::array<double, 3> &vatRates = {});
    // The fields as OK leaves them, into the stored accounts.
    void Result(Accounts &accounts) const;

    QLineEdit *field(int index) const { return m_fields[std::size_t(index)]; }
    QLabel *label(int index) const { return m_labels[std::size_t(index)]; }
    // Edit1Exit ... : the field left, completed with zeros up to six figures;
    // the accounts of each rate (and "Divers") still showing its number
    // before take the new one.
    void EditExit(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QLineEdit *, account::Count> m_fields{};
    std::array<QLabel *, account::Count> m_labels{};
    std::array<QString, account::Count> m_left; // each field as last left
};
