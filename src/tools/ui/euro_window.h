#pragma once

#include "tools/converters.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QRadioButton;

// The euro converter ("Euro convertisseur"): francs and euros at the fixed
// rate, which the spinner beside it may change for this opening only.
class TEurof : public QDialog
{
    Q_OBJECT
public:
    explicit TEurof(QWidget *parent = nullptr);

    const EuroConverter &converter() const { return m_converter; }

private:
    void refresh();

    EuroConverter m_converter;
    QRadioButton *m_toEuros = nullptr;
    QRadioButton *m_toFrancs = nullptr;
    QLabel *m_amountCaption = nullptr;
    QLabel *m_resultCaption = nullptr;
    QLineEdit *m_amount = nullptr;
    QLineEdit *m_result = nullptr;
    QLineEdit *m_rate = nullptr;
};

class QBoxLayout;
// The bottom of both converters: the keypad ("0" to "9", "," and "="), then
// "Fermer". Its buttons and the keys typed anywhere in `window` go to
// `keypad`, Enter and "=" to `convert`; `refresh` follows each.
void addConverterKeypad(QDialog *window, QBoxLayout *layout, ConverterKeypad &keypad,
                        const std::function<void()> &convert, const std::function<void()> &refresh);
