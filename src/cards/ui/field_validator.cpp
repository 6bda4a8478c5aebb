#include "field_validator.h"

#include "store/codec.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolTip>

QValidator::State FieldValidator::validate(QString &input, int &pos) const
{
    if (m_kind == Amount)
        input.replace(u'.', u',');
    for (QChar c : input) {
        if (c == u'\t' || c == u'\n' || c == u'\r' || !cp1252::canEncode(c))
            return Invalid;
    }
    // A field that began "<BLOC" would be read as a block marker: it keeps
    // the text, one blank before it, and says so.
    if (cp1252::looksLikeMarker(input)) {
        input.prepend(u' ');
        ++pos;
        if (auto *w = qobject_cast<QWidget *>(parent()); w && w->isVisible())
            QToolTip::showText(w->mapToGlobal(QPoint(0, w->height())), cp1252::markerMessage(), w);
    }
    return Acceptable;
}
