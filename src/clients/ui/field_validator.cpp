#include "field_validator.h"

#include "store/codec.h"

QValidator::State FieldValidator::validate(QString &input, int &) const
{
    if (m_kind == Amount)
        input.replace(u'.', u',');
    for (QChar c : input) {
        if (c == u'\t' || c == u'\n' || c == u'\r' || !cp1252::canEncode(c))
            return Invalid;
    }
    return Acceptable;
}
