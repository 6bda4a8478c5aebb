#include "pocket_window.h"

#include "tool_window.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

TPocket::TPocket(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Calculatrice"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_display = makeDisplayLine(Calculator::kWidth, 16);
    layout->addWidget(m_display);
    layout->addLayout(makeKeypad({{u"C"_qs, u"←"_qs, u"%"_qs, u"sqr"_qs, u"1/x"_qs},
                                  {u"7"_qs, u"8"_qs, u"9"_qs, u"/"_qs, u"+/-"_qs},
                                  {u"4"_qs, u"5"_qs, u"6"_qs, u"*"_qs, u"="_qs},
                                  {u"1"_qs, u"2"_qs, u"3"_qs, u"-"_qs, u"="_qs},
                                  {u"0"_qs, u"0"_qs, u","_qs, u"+"_qs, u"="_qs}},
                                 [this](const QString &caption) { button(caption); }));
    addCloseButton(this, layout);
    forwardKeys(this, [this](QKeyEvent *event) { return key(event); });
    refresh();
}

void TPocket::button(const QString &caption)
{
    if (caption == u"sqr")
        m_calculator.squareRoot();
    else if (caption == u"1/x")
        m_calculator.reciprocal();
    else if (caption == u"+/-")
        m_calculator.negate();
    else if (caption == u"←")
        m_calculator.backspace();
    else
        m_calculator.press(caption[0]);
    refresh();
}

bool TPocket::key(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: m_calculator.equals(); break;
    case Qt::Key_Backspace: m_calculator.backspace(); break;
    case Qt::Key_Escape:
        if (m_calculator.isClear())
            reject();
        else
            m_calculator.clear();
        break;
    default:
        if (event->text().size() != 1 || !m_calculator.press(event->text()[0]))
            return false;
    }
    refresh();
    return true;
}

void TPocket::refresh()
{
    m_display->setText(m_calculator.display());
}
