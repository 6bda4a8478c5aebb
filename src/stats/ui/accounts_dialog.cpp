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
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *validator = new FieldValidator(FieldValidator::Text, this);
    for (int i = 0; i < account::Edited; ++i) {
        auto *field = new QLineEdit;
        field->setObjectName(QStringLiteral("account%1").arg(i));
        field->setValidator(validator);
        field->setFixedWidth(110);
        field->installEventFilter(this);
        auto *label = new QLabel(kAccountLabels[std::size_t(i)].toString());
        label->setBuddy(field);
        form->addRow(label, field);
        m_fields[std::size_t(i)] = field;
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
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TCompte::Init(const Accounts &accounts)
{
    const Fields fields = accountFields(accounts);
    for (int i = 0; i < account::Edited; ++i)
        m_fields[std::size_t(i)]->setText(fields[std::size_t(i)]);
    m_fields[0]->setFocus();
}

void TCompte::Result(Accounts &accounts) const
{
    Fields fields;
    for (int i = 0; i < account::Edited; ++i)
        fields[std::size_t(i)] = m_fields[std::size_t(i)]->text();
    storeAccountFields(accounts, fields);
}

void TCompte::EditExit(int index)
{
    QLineEdit *f = m_fields[std::size_t(index)];
    f->setText(formatAccount(f->text()));
}

bool TCompte::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        for (int i = 0; i < account::Edited; ++i) {
            if (watched == m_fields[std::size_t(i)])
                EditExit(i);
        }
    }
    return QDialog::eventFilter(watched, event);
}
