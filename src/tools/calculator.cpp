#include "calculator.h"

#include <cmath>

namespace {

const QString kError = QStringLiteral("Erreur");

} // namespace

QString Calculator::format(double value, int width)
{
    if (value == 0)
        return QStringLiteral("0"); // also -0
    // Fifteen significant digits are all a double promises; fewer hide no
    // digit the value has, they only drop those that do not fit.
    QString text;
    for (int precision = 15; precision >= 1; --precision) {
        text = QString::number(value, 'g', precision);
        const qsizetype e = text.indexOf(u'e');
        if (e >= 0) // "1.5e+20" -> "1.5E+20", "1e-05" -> "1E-5"
            text = text.left(e) + (text[e + 1] == u'-' ? QStringLiteral("E-") : QStringLiteral("E+"))
                   + QString::number(std::abs(text.mid(e + 1).toInt()));
        text.replace(u'.', u',');
        if (text.size() <= width)
            break;
    }
    return text;
}

bool Calculator::readDisplay(double &value) const
{
    // A result goes on with all its digits, not only those shown.
    if (m_shownIsValue) {
        value = m_shownValue;
        return true;
    }
    if (m_display.isEmpty())
        return false;
    QString text = m_display;
    text.replace(u',', u'.');
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

bool Calculator::show(double value)
{
    if (!std::isfinite(value)) {
        error();
        return false;
    }
    m_display = format(value);
    m_shownValue = value;
    m_shownIsValue = true;
    return true;
}

void Calculator::error()
{
    clear();
    m_display = kError;
}

bool Calculator::isClear() const
{
    return m_display.isEmpty() && !m_hasAccumulator && m_pending.isNull();
}

void Calculator::clear()
{
    m_display.clear();
    m_shownIsValue = false;
    m_afterEquals = false;
    m_accumulator = 0;
    m_operand = 0;
    m_pending = QChar();
    m_hasAccumulator = false;
    m_newEntry = true;
    m_afterOperator = false;
}

void Calculator::afterResult()
{
    // A number typed or changed after "=" starts a new calculation.
    if (m_afterEquals) {
        m_hasAccumulator = false;
        m_pending = QChar();
        m_afterEquals = false;
    }
}

void Calculator::digit(QChar c)
{
    afterResult();
    if (m_newEntry)
        m_display.clear();
    m_shownIsValue = false;
    m_newEntry = false;
    m_afterOperator = false;
    if (m_display.size() >= kWidth)
        return;
    if (c == u',') {
        if (m_display.contains(u','))
            return;
        if (m_display.isEmpty() || m_display == u"-")
            m_display += u'0';
    } else if (m_display == u"0" || m_display == u"-0") {
        m_display.chop(1); // no leading zero before other digits
    }
    m_display += c;
}

void Calculator::equals()
{
    m_afterOperator = false;
    m_afterEquals = false;
    double value = 0;
    if (!readDisplay(value)) {
        error();
        return;
    }
    if (m_hasAccumulator && !m_pending.isNull()) {
        m_operand = value;
        switch (m_pending.unicode()) {
        case u'+': value = m_accumulator + m_operand; break;
        case u'-': value = m_accumulator - m_operand; break;
        case u'*': value = m_accumulator * m_operand; break;
        case u'/':
            if (m_operand == 0) {
                error();
                return;
            }
            value = m_accumulator / m_operand;
            break;
        }
    }
    // With nothing pending the number shown becomes the accumulator.
    if (!show(value))
        return;
    m_accumulator = value;
    m_hasAccumulator = true;
    m_newEntry = true;
    m_afterEquals = true;
}

void Calculator::op(QChar o)
{
    // Right after an operator or "=", the operator only takes its place.
    if (m_afterOperator || m_afterEquals) {
        m_pending = o;
        m_afterOperator = true;
        m_afterEquals = false;
        return;
    }
    equals();
    if (!m_hasAccumulator)
        return; // an error started afresh
    m_pending = o;
    m_afterOperator = true;
    m_afterEquals = false;
}

void Calculator::reciprocal()
{
    afterResult();
    double value = 0;
    if (!readDisplay(value) || value == 0) {
        error();
        return;
    }
    // The result is the number shown: "2 + 4 1/x =" gives 2,25.
    if (show(1 / value)) {
        m_newEntry = true;
        m_afterOperator = false;
    }
}

void Calculator::squareRoot()
{
    afterResult();
    double value = 0;
    if (!readDisplay(value) || value < 0) {
        error();
        return;
    }
    if (show(std::sqrt(value))) {
        m_newEntry = true;
        m_afterOperator = false;
    }
}

void Calculator::percent()
{
    afterResult();
    double value = 0;
    if (!readDisplay(value)) {
        error();
        return;
    }
    const bool ofAccumulator = m_hasAccumulator && (m_pending == u'+' || m_pending == u'-');
    if (show(ofAccumulator ? m_accumulator * value / 100 : value / 100)) {
        m_newEntry = true;
        m_afterOperator = false;
    }
}

void Calculator::negate()
{
    double value = 0;
    if (!readDisplay(value))
        return;
    if (!m_newEntry) { // the number being typed keeps its digits
        m_shownIsValue = false;
        if (m_display.startsWith(u'-'))
            m_display.remove(0, 1);
        else if (m_display.size() < kWidth)
            m_display.prepend(u'-');
        return;
    }
    afterResult();
    show(-value);
    m_afterOperator = false;
}

void Calculator::backspace()
{
    if (m_newEntry || m_display.isEmpty())
        return;
    m_shownIsValue = false;
    m_display.chop(1);
    if (m_display == u"-")
        m_display.clear();
}

bool Calculator::press(QChar key)
{
    switch (key.unicode()) {
    case u'.':
    case u',': digit(u','); break;
    case u'+':
    case u'-':
    case u'*':
    case u'/': op(key); break;
    case u'=': equals(); break;
    case u'%': percent(); break;
    case u'C':
    case u'c': clear(); break;
    case u'S':
    case u's': squareRoot(); break;
    case u'X':
    case u'x': reciprocal(); break;
    default:
        if (key < u'0' || key > u'9')
            return false;
        digit(key);
    }
    return true;
}
