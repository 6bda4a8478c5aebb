#pragma once

#include "tools/converters.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
struct Settings;

// The currency converter ("Convertisseur de devises"). Its direction,
// currency and rates come from the settings (Init) and go back to them when
// it closes (Result), so that they are kept between runs.
class TDevisef : public QDialog
{
    Q_OBJECT
public:
    explicit TDevisef(QWidget *parent = nullptr);

    void Init(const Settings &settings);
    void Result(Settings &settings) const;

    CurrencyConverter &converter() { return m_converter; }

private:
    void refresh();

    CurrencyConverter m_converter;
    QComboBox *m_currency = nullptr;
    QRadioButton *m_toEuros = nullptr;
    QRadioButton *m_fromEuros = nullptr;
    QLabel *m_amountCaption = nullptr;
    QLabel *m_resultCaption = nullptr;
    QLineEdit *m_amount = nullptr;
    QLineEdit *m_result = nullptr;
};
