#pragma once

#include "tools/messages.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The message pad ("Messages"): one message at a time, the buttons to move
// between them, add and delete. It shows the pad it is given; the command
// reads and writes the file.
class TFicheMsg : public QDialog
{
    Q_OBJECT
public:
    explicit TFicheMsg(MessagePad &pad, QWidget *parent = nullptr);

    // Why the messages will not be kept, when they will not.
    void setNote(const QString &note);

    QLineEdit *field(int i) const { return m_fields[std::size_t(i)]; }
    QCheckBox *flag(int i) const { return m_flags[std::size_t(i)]; }
    QPushButton *button(const QString &caption) const;

    // Shows the pad's current message (LitFiche on screen).
    void LitFiche();

private:
    void act(void (MessagePad::*op)());

    MessagePad &m_pad;
    QLabel *m_number = nullptr;
    QLabel *m_note = nullptr;
    std::array<QLineEdit *, kMessageFields> m_fields{};
    std::array<QCheckBox *, kMessageFlags> m_flags{};
    bool m_showing = false;
};
