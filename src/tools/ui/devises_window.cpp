#include "devises_window.h"

#include "euro_window.h"
#include "store/settings.h"
#include "tool_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

TDevisef::TDevisef(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Convertisseur de devises"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_currency = new QComboBox;
    for (QStringView choice : kCurrencyChoices)
        m_currency->addItem(choice.toString());
    layout->addWidget(m_currency);
    connect(m_currency, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_converter.setCurrency(index);
        refresh();
    });

    auto *directions = new QHBoxLayout;
    m_toEuros = new QRadioButton(QStringLiteral("D > Euro"));
    m_fromEuros = new QRadioButton(QStringLiteral("Euro > D"));
    directions->addWidget(m_toEuros);
    directions->addWidget(m_fromEuros);
    directions->addStretch();
    layout->addLayout(directions);
    connect(m_toEuros, &QRadioButton::toggled, this, [this](bool toEuros) {
        m_converter.setDirection(toEuros ? CurrencyConverter::ToEuros : CurrencyConverter::FromEuros);
        refresh();
    });

    m_amountCaption = new QLabel;
    m_resultCaption = new QLabel;
    m_amount = makeDisplayLine(ConverterKeypad::kMaxAmount, 13);
    m_result = makeDisplayLine(ConverterKeypad::kMaxAmount, 13);
    layout->addWidget(m_amountCaption);
    layout->addWidget(m_amount);
    layout->addWidget(m_resultCaption);
    layout->addWidget(m_result);

    // The drop-down keeps its arrows; digits and Enter go to the amount.
    addConverterKeypad(this, layout, m_converter.keypad, [this] { m_converter.convert(); },
                       [this] { refresh(); });
    refresh();
}

void TDevisef::Init(const Settings &settings)
{
    SetIni(m_converter, settings);
    refresh();
}

void TDevisef::Result(Settings &settings) const
{
    GetIni(m_converter, settings);
}

void TDevisef::refresh()
{
    const QSignalBlocker blockCurrency(m_currency);
    const QSignalBlocker blockDirection(m_toEuros);
    m_currency->setCurrentIndex(m_converter.currency());
    const bool toEuros = m_converter.direction() == CurrencyConverter::ToEuros;
    m_toEuros->setChecked(toEuros);
    m_fromEuros->setChecked(!toEuros);
    m_amountCaption->setText(m_converter.amountCaption());
    m_resultCaption->setText(m_converter.resultCaption());
    m_amount->setText(m_converter.keypad.amount());
    m_result->setText(m_converter.keypad.result());
}
