#include "invoice_parameters_dialog.h"

#include "cards/ui/card_fields.h"
#include "cards/ui/field_validator.h"
#include "store/ui.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace {

// A rate takes digits and the decimal comma; a typed "." is the comma.
class RateValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input.replace(u'.', u',');
        for (QChar c : std::as_const(input))
            if (!c.isDigit() && c != u',')
                return Invalid;
        return Acceptable;
    }
};

} // namespace

TParF::TParF(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Paramètres de la facture"));
    auto *layout = new QVBoxLayout(this);
    auto *columns = new QHBoxLayout;
    layout->addLayout(columns);

    auto *left = new QVBoxLayout;
    auto *rates = new QGroupBox(QStringLiteral("Taux de TVA"));
    auto *rateForm = new QFormLayout(rates);
    for (std::size_t i = 0; i < m_rates.size(); ++i) {
        m_rates[i] = new QLineEdit;
        m_rates[i]->setValidator(new RateValidator(m_rates[i]));
        m_rates[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fitChars(m_rates[i], 7);
        rateForm->addRow(buddyLabel(QStringLiteral("Taux %1").arg(i + 1), m_rates[i]), m_rates[i]);
    }
    left->addWidget(rates);

    auto *other = new QFormLayout;
    m_decimals = new QSpinBox;
    m_decimals->setRange(INT_MIN, INT_MAX);
    fitChars(m_decimals, 5);
    other->addRow(buddyLabel(QStringLiteral("Décimales"), m_decimals), m_decimals);
    left->addLayout(other);

    auto *currency = new QGroupBox(QStringLiteral("Devise"));
    auto *currencyGrid = new QGridLayout(currency);
    m_euros = new QRadioButton(QStringLiteral("Euros"));
    m_other = new QRadioButton(QStringLiteral("Autre"));
    m_currencyName = new QLineEdit;
    m_currencyName->setAccessibleName(QStringLiteral("Nom de la devise"));
    m_currencyName->setValidator(new FieldValidator(FieldValidator::Text, m_currencyName));
    connect(m_other, &QRadioButton::toggled, m_currencyName, &QLineEdit::setEnabled);
    currencyGrid->addWidget(m_euros, 0, 0);
    currencyGrid->addWidget(m_other, 1, 0);
    currencyGrid->addWidget(m_currencyName, 1, 1);
    left->addWidget(currency);

    auto *tax = new QGroupBox(QStringLiteral("Taxe de séjour"));
    auto *taxForm = new QFormLayout(tax);
    m_touristTax = new QLineEdit;
    m_touristTax->setValidator(new RateValidator(m_touristTax));
    m_touristTax->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_touristTax->setToolTip(QStringLiteral("0 : la taxe de séjour n'est pas perçue"));
    fitChars(m_touristTax, 7);
    taxForm->addRow(buddyLabel(QStringLiteral("Par personne et par nuit"), m_touristTax),
                    m_touristTax);
    m_exemptAge = new QSpinBox;
    m_exemptAge->setRange(0, 99);
    m_exemptAge->setSuffix(QStringLiteral(" ans"));
    fitChars(m_exemptAge, 7);
    taxForm->addRow(buddyLabel(QStringLiteral("Exonéré avant"), m_exemptAge), m_exemptAge);
    left->addWidget(tax);
    left->addStretch();
    columns->addLayout(left);

    auto *payments = new QGroupBox(QStringLiteral("Mode de paiement"));
    auto *paymentColumn = new QVBoxLayout(payments);
    for (std::size_t i = 0; i < m_payments.size(); ++i) {
        m_payments[i] = new QLineEdit;
        m_payments[i]->setAccessibleName(QStringLiteral("Mode de paiement %1").arg(i + 1));
        m_payments[i]->setValidator(new FieldValidator(FieldValidator::Text, m_payments[i]));
        paymentColumn->addWidget(m_payments[i]);
    }
    paymentColumn->addStretch();
    columns->addWidget(payments, 1);

    addOkCancel(this, layout);
}

void TParF::Init(const InvoiceParameters &fields,
                 std::function<bool(const InvoiceParameters &)> acceptFields)
{
    for (std::size_t i = 0; i < m_rates.size(); ++i)
        m_rates[i]->setText(fields.rates[i]);
    m_decimals->setValue(fields.decimals);
    m_other->setChecked(fields.currency == 1);
    m_euros->setChecked(fields.currency != 1);
    m_currencyName->setEnabled(fields.currency == 1);
    m_currencyName->setText(fields.currencyName);
    for (std::size_t i = 0; i < m_payments.size(); ++i)
        m_payments[i]->setText(fields.payments[i]);
    m_touristTax->setText(fields.touristTax);
    m_exemptAge->setValue(fields.exemptAge);
    m_acceptFields = std::move(acceptFields);
}

InvoiceParameters TParF::Result() const
{
    InvoiceParameters fields;
    for (std::size_t i = 0; i < m_rates.size(); ++i)
        fields.rates[i] = m_rates[i]->text();
    fields.decimals = m_decimals->value();
    fields.currency = m_other->isChecked() ? 1 : 0;
    fields.currencyName = m_currencyName->text();
    for (std::size_t i = 0; i < m_payments.size(); ++i)
        fields.payments[i] = m_payments[i]->text();
    fields.touristTax = m_touristTax->text();
    fields.exemptAge = m_exemptAge->value();
    return fields;
}

void TParF::accept()
{
    if (m_acceptFields && !m_acceptFields(Result()))
        return;
    QDialog::accept();
}

bool TParF::run(QWidget *parent, Settings &settings, Lists &lists, Ui &ui, const ShowDialog &show)
{
    TParF dialog(parent);
    dialog.Init(invoiceParameters(settings, lists), [&](const InvoiceParameters &fields) {
        QString error;
        if (applyInvoiceParameters(settings, lists, fields, &error))
            return true;
        ui.inform(error);
        return false;
    });
    const bool confirmed = show(dialog) == QDialog::Accepted;
    afterInvoiceParameters(settings);
    return confirmed;
}
