#pragma once

#include <QString>
#include <QTest>

// Types any text, accents included, one key press per character as a
// keyboard would (QTest::keyClicks knows ASCII only).
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
