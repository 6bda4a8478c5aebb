#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QBoxLayout;
class QGridLayout;
class QKeyEvent;
class QPushButton;

// What the small office windows share: a keypad of buttons, a "Fermer"
// button, and keys typed anywhere in the window reaching the window.

// A grid of buttons, one row per list; an empty caption leaves its cell
// empty, a caption repeated beside or below makes one wider or taller button. Each click calls `pressed` with the caption. The buttons take no
// focus, so that Enter and the digits always reach the window.
QGridLayout *makeKeypad(const QList<QStringList> &rows,
                        const std::function<void(const QString &)> &pressed);

// "Fermer" at the bottom right of `layout`; it closes `dialog`.
QPushButton *addCloseButton(QDialog *dialog, QBoxLayout *layout);

// Sends every key pressed in `dialog`, whichever of its widgets has the
// focus, to `handler` first; a key it takes goes no further.
void forwardKeys(QDialog *dialog, std::function<bool(QKeyEvent *)> handler);

// A line of a converter or of the calculator: read-only, right-aligned.
class QLineEdit;
QLineEdit *makeDisplayLine(int characters, int pointSize = 0);
