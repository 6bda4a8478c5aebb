#include "card_fields.h"

#include "field_validator.h"
#include "store/codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextDocument>

#include <climits>
#include <memory>

namespace {

// What an empty place of a mask shows; the card keeps a blank there.
constexpr char16_t kMaskBlank = u'_';

// The note as the card keeps it: the raw text keeps no-break spaces, and
// block and line separators end note lines.
QString noteText(const QPlainTextEdit *note)
{
    QString text = note->document()->toRawText();
    return text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
}

// Takes out of the note what Windows-1252 cannot hold, keeping its line ends.
void dropUnencodable(QPlainTextEdit *note)
{
    const QString raw = note->document()->toRawText();
    QTextCursor cursor(note->document());
    for (qsizetype i = raw.size(); i-- > 0;) {
        const QChar c = raw[i];
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || cp1252::canEncode(c))
            continue;
        cursor.setPosition(int(i));
        cursor.setPosition(int(i) + 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

} // namespace

CardFields::CardFields(QWidget *page, std::function<void()> touch)
    : QObject(page), m_touch(std::move(touch))
{}

template <typename W> W *CardFields::bind(W *widget, std::function<void()> show)
{
    m_showOf.insert(widget, show);
    m_shows << std::move(show);
    m_inputs << widget;
    m_tabOrder << widget;
    return widget;
}

void CardFields::edited(Marks marks) const
{
    if (marks == MarksCard)
        m_touch();
}

QLineEdit *CardFields::text(QString &value, Marks marks)
{
    return line(value, marks, new FieldValidator(FieldValidator::Text));
}

QLineEdit *CardFields::amount(QString &value, Marks marks)
{
    QLineEdit *edit = line(value, marks, new FieldValidator(FieldValidator::Amount));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

QLineEdit *CardFields::line(QString &value, Marks marks, QValidator *validator)
{
    auto *edit = new QLineEdit;
    validator->setParent(edit);
    edit->setValidator(validator);
    connect(edit, &QLineEdit::textChanged, this,
            [this, value = &value, marks](const QString &text) {
                *value = text;
                edited(marks);
            });
    // Set only when it differs, so the cursor of the field being typed in stays.
    return bind(edit, [edit, value = &value] {
        if (edit->text() != *value)
            edit->setText(*value);
    });
}

QLineEdit *CardFields::maskedDate(QString &value, const QString &mask, Marks marks)
{
    auto *edit = new QLineEdit;
    edit->setInputMask(mask + u';' + QChar(kMaskBlank));
    fitChars(edit, 10);
    connect(edit, &QLineEdit::textChanged, this, [this, edit, value = &value, marks] {
        *value = edit->displayText().replace(kMaskBlank, u' ');
        edited(marks);
    });
    return bind(edit, [edit, value = &value] { edit->setText(*value); });
}

QDateEdit *CardFields::date(QDate &value, Marks marks)
{
    QDateEdit *edit = datePicker();
    connect(edit, &QDateEdit::dateChanged, this, [this, value = &value, marks](QDate date) {
        *value = date;
        edited(marks);
    });
    return bind(edit, [edit, value = &value] { edit->setDate(*value); });
}

QCheckBox *CardFields::check(const QString &label, bool &value)
{
    auto *box = new QCheckBox(label);
    connect(box, &QCheckBox::toggled, this, [this, value = &value](bool on) {
        *value = on;
        m_touch();
    });
    return bind(box, [box, value = &value] { box->setChecked(*value); });
}

QSpinBox *CardFields::number(int &value)
{
    auto *spin = new QSpinBox;
    spin->setRange(INT_MIN, INT_MAX);
    connect(spin, &QSpinBox::valueChanged, this, [this, value = &value](int v) {
        *value = v;
        m_touch();
    });
    return bind(spin, [spin, value = &value] { spin->setValue(*value); });
}

QComboBox *CardFields::combo(QString &value, const QStringList &items)
{
    auto *combo = new QComboBox;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setValidator(new FieldValidator(FieldValidator::Text, combo));
    connect(combo, &QComboBox::currentTextChanged, this,
            [this, value = &value](const QString &text) {
                *value = text;
                m_touch();
            });
    return bind(combo, [combo, value = &value] {
        combo->setCurrentIndex(combo->findText(*value));
        combo->setEditText(*value);
    });
}

QPlainTextEdit *CardFields::note(QStringList &lines)
{
    auto *note = new QPlainTextEdit;
    note->setTabChangesFocus(true);
    note->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Taking a character out changes the text again: that change is not an edit.
    auto filtering = std::make_shared<bool>(false);
    connect(note, &QPlainTextEdit::textChanged, this, [this, note, lines = &lines, filtering] {
        if (*filtering)
            return;
        if (!cp1252::canEncode(noteText(note))) {
            const QScopedValueRollback guard(*filtering, true);
            dropUnencodable(note);
        }
        const QString text = noteText(note);
        *lines = text.isEmpty() ? QStringList() : text.split(u'\n');
        m_touch();
    });
    return bind(note, [note, lines = &lines] {
        const QString text = lines->join(u'\n');
        if (noteText(note) != text)
            note->setPlainText(text);
    });
}

void CardFields::onLeave(QWidget *field, std::function<void()> rule)
{
    m_leaveRules.insert(field, std::move(rule));
    field->installEventFilter(this);
}

void CardFields::onEnter(QWidget *field, std::function<void()> rule)
{
    m_enterRules.insert(field, std::move(rule));
    field->installEventFilter(this);
}

bool CardFields::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusOut || type == QEvent::FocusIn) {
        const auto &rules = type == QEvent::FocusOut ? m_leaveRules : m_enterRules;
        if (const auto rule = rules.constFind(watched); rule != rules.cend()) {
            (*rule)();
            const QSignalBlocker blocker(watched);
            if (const auto show = m_showOf.constFind(watched); show != m_showOf.cend())
                (*show)();
        }
    }
    return QObject::eventFilter(watched, event);
}

void CardFields::chainTabOrder() const
{
    for (qsizetype i = 1; i < m_tabOrder.size(); ++i)
        QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

std::vector<QSignalBlocker> CardFields::block() const
{
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(std::size_t(m_inputs.size()));
    for (QObject *input : m_inputs)
        blockers.emplace_back(input);
    return blockers;
}

void CardFields::show() const
{
    const auto blocked = block();
    for (const auto &showValue : m_shows)
        showValue();
}

QLabel *buddyLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

void fitChars(QWidget *widget, int chars)
{
    widget->setFixedWidth(widget->fontMetrics().horizontalAdvance(QString(chars, u'0')) + 16);
}

QDateEdit *datePicker()
{
    auto *edit = new QDateEdit;
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setFixedWidth(edit->sizeHint().width() + 6);
    return edit;
}
