#include "messages_window.h"

#include "cards/ui/field_validator.h"

#include <QCheckBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTime>
#include <QVBoxLayout>

namespace {

constexpr std::array<QStringView, kMessageFields> kLabels = {
    u"Pour", u"De", u"Société", u"N° tél.", u"Date", u"Heure", u"Objet"};
constexpr std::array<QStringView, kMessageFlags> kFlagLabels = {
    u"A téléphoné", u"Est venu", u"A rappeler", u"Rappellera", u"URGENT"};

} // namespace

TFicheMsg::TFicheMsg(MessagePad &pad, QWidget *parent) : QDialog(parent), m_pad(pad)
{
    setWindowTitle(QStringLiteral("Messages"));
    auto *layout = new QVBoxLayout(this);

    auto *nav = new QHBoxLayout;
    m_number = new QLabel(this);
    m_number->setMinimumWidth(40);
    m_number->setAlignment(Qt::AlignCenter);
    QFont big = m_number->font();
    big.setBold(true);
    m_number->setFont(big);
    auto navButton = [&](const QString &caption, const QString &tip, void (MessagePad::*op)()) {
        auto *b = new QPushButton(caption, this);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        b->setFixedWidth(36);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QPushButton::clicked, this, [this, op] { act(op); });
        nav->addWidget(b);
        return b;
    };
    nav->addWidget(new QLabel(QStringLiteral("Message n°"), this));
    nav->addWidget(m_number);
    navButton(QStringLiteral("<"), QStringLiteral("Message précédent"), &MessagePad::previous);
    navButton(QStringLiteral(">"), QStringLiteral("Message suivant"), &MessagePad::next);
    navButton(QStringLiteral("+"), QStringLiteral("Ajouter message"), &MessagePad::add);
    navButton(QStringLiteral("-"), QStringLiteral("Supprimer message"), &MessagePad::remove);
    nav->addStretch();
    layout->addLayout(nav);

    auto *form = new QFormLayout;
    for (int i = 0; i < kMessageFields; ++i) {
        auto *edit = new QLineEdit(this);
        edit->setMaxLength(kMessageFieldLengths[std::size_t(i)]);
        edit->setValidator(new FieldValidator(FieldValidator::Text, edit));
        // Wide enough for its longest text.
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth()
                              * std::min(kMessageFieldLengths[std::size_t(i)] + 4, 54));
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString &text) {
            if (!m_showing)
                m_pad.setField(i, text);
        });
        form->addRow(kLabels[std::size_t(i)].toString(), edit);
        m_fields[std::size_t(i)] = edit;
    }
    connect(m_fields[4], &QLineEdit::editingFinished, this, [this] {
        m_pad.leaveDate(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        m_fields[4]->setText(m_pad.shown().fields[4]);
    });
    connect(m_fields[5], &QLineEdit::editingFinished, this, [this] {
        m_pad.leaveTime(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
        m_fields[5]->setText(m_pad.shown().fields[5]);
    });
    layout->addLayout(form);

    auto *flags = new QHBoxLayout;
    for (int i = 0; i < kMessageFlags; ++i) {
        auto *box = new QCheckBox(kFlagLabels[std::size_t(i)].toString(), this);
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
            if (!m_showing)
                m_pad.setFlag(i, on);
        });
        flags->addWidget(box);
        m_flags[std::size_t(i)] = box;
    }
    QFont urgent = m_flags[4]->font();
    urgent.setBold(true);
    m_flags[4]->setFont(urgent);
    layout->addLayout(flags);

    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_note->hide();
    layout->addWidget(m_note);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close = buttons->addButton(QStringLiteral("Fermer"), QDialogButtonBox::AcceptRole);
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    connect(new QShortcut(QKeySequence(Qt::Key_PageUp), this), &QShortcut::activated, this,
            [this] { act(&MessagePad::previous); });
    connect(new QShortcut(QKeySequence(Qt::Key_PageDown), this), &QShortcut::activated, this,
            [this] { act(&MessagePad::next); });
    setFocusProxy(m_fields[0]);
    LitFiche();
}

QPushButton *TFicheMsg::button(const QString &caption) const
{
    for (QPushButton *b : findChildren<QPushButton *>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

void TFicheMsg::setNote(const QString &note)
{
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
}

void TFicheMsg::act(void (MessagePad::*op)())
{
    (m_pad.*op)();
    LitFiche();
    if (m_pad.editable())
        m_fields[0]->setFocus();
}

void TFicheMsg::LitFiche()
{
    m_showing = true;
    const Message &m = m_pad.shown();
    m_number->setText(m_pad.editable() ? QString::number(m_pad.index() + 1) : QString());
    for (int i = 0; i < kMessageFields; ++i) {
        m_fields[std::size_t(i)]->setText(m.fields[std::size_t(i)]);
        m_fields[std::size_t(i)]->setEnabled(m_pad.editable());
    }
    for (int i = 0; i < kMessageFlags; ++i) {
        m_flags[std::size_t(i)]->setChecked(m.flags[std::size_t(i)]);
        m_flags[std::size_t(i)]->setEnabled(m_pad.editable());
    }
    if (QPushButton *minus = button(QStringLiteral("-")))
        minus->setEnabled(m_pad.editable());
    m_showing = false;
}
