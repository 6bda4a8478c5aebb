#pragma once

#include <QChar>
#include <QString>

// The pocket calculator's state machine. "=" applies the pending operator to
// the accumulator and the number shown; a second "=" applies it again with
// the result as operand ("2 + 3 = =" shows 5, then 10). Anything that has no
// value (a division by zero, the inverse of 0, the root of a negative number,
// an empty display) shows "Erreur" and starts afresh. The display never holds
// more than 15 characters, and a result is shown to as many significant
// digits as fit.
class Calculator
{
public:
    static constexpr int kWidth = 15;

    // "0" to "9" and "," (a second comma in the same number is ignored).
    void digit(QChar c);
    void equals();
    // '+', '-', '*' or '/': "=" first, then this operator is pending. An
    // operator right after another only replaces it.
    void op(QChar o);
    void reciprocal(); // "1/x"
    void squareRoot(); // "sqr"
    // "%": the number shown as a percentage of the accumulator for "+" and
    // "-" (100 + 5 % gives 105), hundredths of itself otherwise.
    void percent();
    void negate(); // "+/-"
    void clear();  // "C"
    // Removes the last character of the number being typed.
    void backspace();

    // A key typed on the keyboard: digits, "," and "." as ",", + - * /, "=",
    // C (clear), S (square root), X (1/x), % . Returns whether it was one.
    bool press(QChar key);

    const QString &display() const { return m_display; }
    // Whether the calculator holds nothing: a fresh start, or after "C".
    bool isClear() const;

    // A value in at most `width` characters, decimal comma, as many
    // significant digits as fit; an exponent ("1,5E+20") only when needed.
    static QString format(double value, int width = kWidth);

private:
    // The number shown; none when the display is empty or not a number.
    bool readDisplay(double &value) const;
    // Shows a computed value, or "Erreur" when it has none.
    bool show(double value);
    void error();
    void afterResult();

    QString m_display;
    double m_shownValue = 0; // the value of a result shown, in full
    bool m_shownIsValue = false;
    double m_accumulator = 0;
    double m_operand = 0;
    QChar m_pending; // none, '+', '-', '*', '/'
    bool m_hasAccumulator = false;
    bool m_newEntry = true;
    bool m_afterOperator = false;
    bool m_afterEquals = false;
};
