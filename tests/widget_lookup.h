#pragma once

// Finding the widgets of a page or dialog the way a person does: by the
// label beside them or the text on them.

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

// The field a label names (its buddy), `nth` telling equal labels apart;
// else the widget with that accessible or object name.
template <typename W> W *named(QWidget *parent, const QString &text, int nth = 0)
{
    for (QLabel *label : parent->findChildren<QLabel *>())
        if (label->text() == text && nth-- == 0)
            return qobject_cast<W *>(label->buddy());
    for (W *w : parent->findChildren<W *>())
        if (w->accessibleName() == text || w->objectName() == text)
            return w;
    return nullptr;
}

// The button showing that text or tool tip.
template <typename B> B *button(QWidget *parent, const QString &text)
{
    for (B *b : parent->findChildren<B *>())
        if (b->text() == text || b->toolTip() == text)
            return b;
    return nullptr;
}

// What the first table view under `parent` shows in a cell.
inline QString cell(QWidget *parent, int row, int column)
{
    QAbstractItemModel *m = parent->findChild<QTableView *>()->model();
    return m->data(m->index(row, column)).toString();
}

// Leaving a field, as Tab does.
inline void leave(QWidget *field)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &out);
}

// Clicks the push button of a dialog showing that text, as a person does,
// and gives the dialog's result; a button missing fails the test.
inline int click(QDialog &dialog, const QString &text)
{
    QPushButton *b = button<QPushButton>(&dialog, text);
    if (!b) {
        ADD_FAILURE() << "no button " << text.toStdString();
        return -1;
    }
    QTest::mouseClick(b, Qt::LeftButton);
    return dialog.result();
}
