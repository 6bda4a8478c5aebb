#pragma once

#include "store/settings.h"

#include <QDialog>

#include <array>

class QLineEdit;

// TPsoc: the seven lines of the company heading printed on documents, and
// the legal identifiers electronic invoices name the hotel by.
class TPsoc : public QDialog
{
    Q_OBJECT
public:
    using Fields = std::array<QString, kCompanyLines>;

    explicit TPsoc(QWidget *parent = nullptr);

    void Init(const Company &company);
    // The seven fields, in the order of the company lines.
    Fields Result() const;
    // The legal identifiers under them, trimmed.
    CompanyLegal legalResult() const;
    // After OK, gives the fields to the company (PsocOk keeps it unchanged
    // when "Société" is empty); after Annuler changes nothing.
    bool apply(Company &company) const;

    // Shows the dialog modally and applies it; returns whether the company changed.
    static bool run(QWidget *parent, Company &company);

private:
    std::array<QLineEdit *, kCompanyLines> m_fields{};
    // The legal form and the capital; the identifiers the file may keep
    // besides the heading's lines go through unchanged.
    static constexpr int kFirstLegalField = 2;
    std::array<QLineEdit *, kCompanyLegalLines - kFirstLegalField> m_legal{};
    CompanyLegal m_kept;
};
