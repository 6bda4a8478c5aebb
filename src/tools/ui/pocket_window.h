#pragma once

#include "tools/calculator.h"

#include <QDialog>

class QLineEdit;

// The pocket calculator ("Calculatrice"). From the keyboard: digits, "," or
// ".", + - * /, Enter or "=", Backspace, C, S (root), X (1/x), %; Escape
// clears, and closes a calculator that is already clear.
class TPocket : public QDialog
{
    Q_OBJECT
public:
    explicit TPocket(QWidget *parent = nullptr);

    const Calculator &calculator() const { return m_calculator; }

private:
    void button(const QString &caption);
    bool key(QKeyEvent *event);
    void refresh();

    Calculator m_calculator;
    QLineEdit *m_display = nullptr;
};
