#pragma once

#include "billing/invoice_parameters.h"
#include "cards/ui/question_dialogs.h"

#include <QDialog>

#include <array>
#include <functional>

class QLineEdit;
class QRadioButton;
class QSpinBox;
class Ui;

// TParF, "Paramètres de la facture": the VAT rates, the decimals, the
// currency, the payment methods and the taxe de séjour. "OK" is refused, the dialog staying
// open, while `acceptFields` refuses what is typed.
class TParF : public QDialog
{
    Q_OBJECT
public:
    explicit TParF(QWidget *parent = nullptr);

    void Init(const InvoiceParameters &fields,
              std::function<bool(const InvoiceParameters &)> acceptFields = {});
    InvoiceParameters Result() const;

    void accept() override;

    // Shows the dialog over the settings and the payment list; after "OK"
    // they hold what was typed (a bad rate is told through `ui` and keeps
    // the dialog open). The amount format follows the decimals afterwards,
    // confirmed or not. Returns whether "OK" closed it.
    static bool run(QWidget *parent, Settings &settings, Lists &lists, Ui &ui,
                    const ShowDialog &show);

private:
    std::array<QLineEdit *, 3> m_rates{};
    QSpinBox *m_decimals = nullptr;
    QRadioButton *m_euros = nullptr;
    QRadioButton *m_other = nullptr;
    QLineEdit *m_currencyName = nullptr;
    std::array<QLineEdit *, InvoiceParameters::kPaymentFields> m_payments{};
    QLineEdit *m_touristTax = nullptr;
    QSpinBox *m_exemptAge = nullptr;
    std::function<bool(const InvoiceParameters &)> m_acceptFields;
};
