#pragma once

#include <QValidator>

// Refuses, as they are typed or pasted, what a one-line field of a card
// cannot keep: characters Windows-1252 cannot hold, and TAB and line breaks,
// which would split the stored line. A text that would begin "<BLOC" or
// "</BLOC" is given one leading blank, with a message under the field. An
// amount field also turns a typed "." into the decimal comma.
class FieldValidator : public QValidator
{
    Q_OBJECT
public:
    enum Kind { Text, Amount };
    explicit FieldValidator(Kind kind, QObject *parent = nullptr) : QValidator(parent), m_kind(kind)
    {}
    State validate(QString &input, int &pos) const override;

private:
    Kind m_kind;
};
