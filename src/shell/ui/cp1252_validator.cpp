#include "cp1252_validator.h"

#include "store/codec.h"

QValidator::State Cp1252Validator::validate(QString &input, int &) const
{
    for (QChar c : input) {
        if (c == u'\n' || c == u'\r' || !cp1252::canEncode(c))
            return Invalid;
    }
    return Acceptable;
}
