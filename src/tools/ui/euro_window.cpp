#include "euro_window.h"

#include "tool_window.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

void addConverterKeypad(QDialog *window, QBoxLayout *layout, ConverterKeypad &keypad,
                        const std::function<void()> &convert, const std::function<void()> &refresh)
{
    auto key = [&keypad, convert, refresh](const QString &text, int code) {
        const bool enter = code == Qt::Key_Return || code == Qt::Key_Enter || text == u"=";
        if (enter)
            convert();
        else if (text.size() != 1 || !keypad.press(text[0]))
            return false;
        refresh();
        return true;
    };
    layout->addLayout(makeKeypad({{u"7"_qs, u"8"_qs, u"9"_qs},
                                  {u"4"_qs, u"5"_qs, u"6"_qs},
                                  {u"1"_qs, u"2"_qs, u"3"_qs},
                                  {u"0"_qs, u","_qs, u"="_qs}},
                                 [key](const QString &text) { key(text, 0); }));
    addCloseButton(window, layout);
    forwardKeys(window, [key](QKeyEvent *event) { return key(event->text(), event->key()); });
}

TEurof::TEurof(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Euro convertisseur"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto *directions = new QHBoxLayout;
    m_toEuros = new QRadioButton(QStringLiteral("Fr>Euro"));
    m_toFrancs = new QRadioButton(QStringLiteral("Euro>Fr"));
    m_toEuros->setChecked(true);
    directions->addWidget(m_toEuros);
    directions->addWidget(m_toFrancs);
    directions->addStretch();
    layout->addLayout(directions);
    connect(m_toEuros, &QRadioButton::toggled, this, [this](bool toEuros) {
        m_converter.direction = toEuros ? EuroConverter::FrancsToEuros : EuroConverter::EurosToFrancs;
        refresh();
    });

    auto *lines = new QGridLayout;
    m_amountCaption = new QLabel;
    m_resultCaption = new QLabel;
    m_amount = makeDisplayLine(ConverterKeypad::kMaxAmount, 13);
    m_result = makeDisplayLine(ConverterKeypad::kMaxAmount, 13);
    lines->addWidget(m_amountCaption, 0, 0);
    lines->addWidget(m_amount, 1, 0);
    lines->addWidget(m_resultCaption, 2, 0);
    lines->addWidget(m_result, 3, 0);
    layout->addLayout(lines);

    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(new QLabel(QStringLiteral("Taux")));
    m_rate = makeDisplayLine(8);
    rateRow->addWidget(m_rate);
    auto *spinner = new QVBoxLayout;
    spinner->setSpacing(0);
    for (int step : {1, -1}) {
        auto *arrow = new QToolButton;
        arrow->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setFixedSize(22, 14);
        connect(arrow, &QToolButton::clicked, this, [this, step] {
            m_converter.stepRate(step);
            refresh();
        });
        spinner->addWidget(arrow);
    }
    rateRow->addLayout(spinner);
    rateRow->addStretch();
    layout->addLayout(rateRow);

    addConverterKeypad(this, layout, m_converter.keypad, [this] { m_converter.convert(); },
                       [this] { refresh(); });
    refresh();
}

void TEurof::refresh()
{
    const bool toEuros = m_converter.direction == EuroConverter::FrancsToEuros;
    m_amountCaption->setText(toEuros ? QStringLiteral("Francs") : QStringLiteral("Euros"));
    m_resultCaption->setText(toEuros ? QStringLiteral("Euros") : QStringLiteral("Francs"));
    m_amount->setText(m_converter.keypad.amount());
    m_result->setText(m_converter.keypad.result());
    m_rate->setText(m_converter.rateText());
}
