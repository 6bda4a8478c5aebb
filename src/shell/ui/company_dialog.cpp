#include "company_dialog.h"

#include "cards/ui/field_validator.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPsoc::TPsoc(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(kCompanyCaption.toString());

    auto *heading = new QLabel(kCompanyHeading.toString());
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *validator = new FieldValidator(FieldValidator::Text, this);
    for (int i = 0; i < kCompanyLines; ++i) {
        auto *field = new QLineEdit;
        field->setObjectName(QStringLiteral("companyLine%1").arg(i));
        field->setValidator(validator);
        field->setMinimumWidth(320);
        auto *label = new QLabel(kCompanyLabels[i].toString());
        label->setBuddy(field);
        form->addRow(label, field);
        m_fields[i] = field;
    }
    // What an electronic invoice names the hotel by besides its heading: the
    // SIRET and VAT number are the heading's own lines, typed once.
    auto *legalHeading = new QLabel(QStringLiteral("Pour les factures électroniques"));
    legalHeading->setFont(bold);
    form->addRow(legalHeading);
    for (int i = 0; i < int(m_legal.size()); ++i) {
        auto *field = new QLineEdit;
        field->setObjectName(QStringLiteral("companyLegal%1").arg(i));
        field->setValidator(validator);
        auto *label = new QLabel(kCompanyLegalLabels[kFirstLegalField + i].toString());
        label->setBuddy(field);
        form->addRow(label, field);
        m_legal[i] = field;
    }

    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addSpacing(6);
    layout->addLayout(form);
    layout->addStretch();
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

void TPsoc::Init(const Company &company)
{
    for (int i = 0; i < kCompanyLines; ++i)
        m_fields[i]->setText(company.lines[i]);
    m_legal[0]->setText(company.legal.legalForm);
    m_legal[1]->setText(company.legal.capital);
    m_kept = company.legal;
    m_fields[0]->setFocus();
}

TPsoc::Fields TPsoc::Result() const
{
    Fields fields;
    for (int i = 0; i < kCompanyLines; ++i)
        fields[i] = m_fields[i]->text();
    return fields;
}

CompanyLegal TPsoc::legalResult() const
{
    CompanyLegal legal = m_kept;
    legal.legalForm = m_legal[0]->text().trimmed();
    legal.capital = m_legal[1]->text().trimmed();
    return legal;
}

bool TPsoc::apply(Company &company) const
{
    if (result() != Accepted || !PsocOk(company, Result()))
        return false;
    company.legal = legalResult();
    return true;
}

bool TPsoc::run(QWidget *parent, Company &company)
{
    TPsoc dialog(parent);
    dialog.Init(company);
    dialog.exec();
    return dialog.apply(company);
}
