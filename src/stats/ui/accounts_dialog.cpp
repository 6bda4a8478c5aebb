#include "accounts_dialog.h"

#include "cards/ui/field_validator.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TCompte::TCompte(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Comptes"));
    // The general accounts on the left, those of each VAT rate on the right.
    auto *general = new QFormLayout;
    auto *byRate = new QFormLayout;
    auto *validator = new FieldValidator(FieldValidator::Text, this);
    for (int i = 0; i < account::Count; ++i) {
        auto *field = new QLineEdit;
        field->setObjectName(QStringLiteral("account%1").arg(i));
        field->setValidator(validator);
        field->setFixedWidth(110);
        field->installEventFilter(this);
        auto *label = new QLabel(accountFieldLabel(i, {}));
        label->setBuddy(field);
        const bool perRate = i >= account::Revenus1 && i < account::Divers;
        (perRate ? byRate : general)->addRow(label, field);
        m_fields[std::size_t(i)] = field;
        m_labels[std::size_t(i)] = label;
    }
    for (QFormLayout *form : {general, byRate})
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *forms = new QHBoxLayout;
    forms->addLayout(general);
    forms->addSpacing(18);
    forms->addLayout(byRate);
    // Tab goes down the left column, then down the right one.
    for (int i = 1; i < account::Count; ++i) {
        static constexpr std::array order = {0,  1, 2,  3,  4,  5,  6,  7,  8,  18,
                                             19, 9, 10, 11, 12, 13, 14, 15, 16, 17};
        setTabOrder(m_fields[std::size_t(order[std::size_t(i - 1)])],
                    m_fields[std::size_t(order[std::size_t(i)])]);
    }

    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(forms);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TCompte::Init(const Accounts &accounts, const std::array<double, 3> &vatRates)
{
    const Fields fields = accountFields(accounts);
    for (int i = 0; i < account::Count; ++i) {
        m_fields[std::size_t(i)]->setText(fields[std::size_t(i)]);
        m_labels[std::size_t(i)]->setText(accountFieldLabel(i, vatRates));
        m_left[std::size_t(i)] = fields[std::size_t(i)];
    }
    m_fields[0]->setFocus();
}

void TCompte::Result(Accounts &accounts) const
{
    Fields fields;
    for (int i = 0; i < account::Count; ++i)
        fields[std::size_t(i)] = m_fields[std::size_t(i)]->text();
    storeAccountFields(accounts, fields);
}

void TCompte::EditExit(int index)
{
    QLineEdit *f = m_fields[std::size_t(index)];
    const QString before = m_left[std::size_t(index)];
    f->setText(formatAccount(f->text()));
    m_left[std::size_t(index)] = f->text();
    // The accounts still showing this one's number follow it.
    for (int i = 0; i < account::Count; ++i) {
        if (fallbackAccount(i) == index && m_fields[std::size_t(i)]->text() == before &&
            before != f->text()) {
            m_fields[std::size_t(i)]->setText(f->text());
            EditExit(i);
        }
    }
}

bool TCompte::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        for (int i = 0; i < account::Count; ++i) {
            if (watched == m_fields[std::size_t(i)])
                EditExit(i);
        }
    }
    return QDialog::eventFilter(watched, event);
}
