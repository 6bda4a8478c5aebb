#pragma once

#include <QValidator>

// Refuses, as they are typed or pasted, the characters a Windows-1252 file
// cannot hold and line breaks, which would split a one-line value in two.
class Cp1252Validator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};
