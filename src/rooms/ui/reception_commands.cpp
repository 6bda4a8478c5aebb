#include "reception_commands.h"

#include "arrive_dialog.h"
#include "clients/ui/field_validator.h"
#include "depart_dialog.h"
#include "fermer_dialog.h"
#include "reserv_dialog.h"
#include "rooms/reception.h"
#include "transfert_dialog.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

RoomBox::RoomBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Inline completion would fill in a whole entry, which the cut below
    // turns into another room than the one being typed.
    setCompleter(nullptr);
    lineEdit()->setValidator(new FieldValidator(FieldValidator::Text, this));
    setMinimumContentsLength(16);
    connect(this, &QComboBox::editTextChanged, this, [this](const QString &text) {
        const QString room = reception::roomOf(text);
        if (room != text)
            setEditText(room);
    });
}

void RoomBox::setRooms(const QStringList &freeRooms, const QString &text)
{
    clear();
    for (const QString &entry : freeRooms)
        addItem(reception::shownEntry(entry));
    setCurrentIndex(-1);
    setEditText(text);
}

namespace receptionui {

QDateEdit *dateBox()
{
    auto *edit = new QDateEdit;
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setFixedWidth(edit->sizeHint().width() + 6);
    return edit;
}

QLineEdit *readOnlyText()
{
    auto *edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    edit->setMinimumWidth(220);
    return edit;
}

void addButtons(QDialog *dialog, QVBoxLayout *layout)
{
    auto *cancel = new QPushButton(QStringLiteral("Annuller"));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel);
    row->addWidget(ok);
    layout->addStretch();
    layout->addSpacing(6);
    layout->addLayout(row);
}

} // namespace receptionui

int execModal(QDialog &dialog)
{
    return dialog.exec();
}

bool runArrival(QWidget *parent, Fiche &fiche, const ShowDialog &show)
{
    reception::commitCards(fiche);
    const QStringList rooms = reception::ChambresLibres(fiche);
    TArrive dialog(parent);
    dialog.Init(reception::arrivalProposal(fiche, rooms), rooms);
    return show(dialog) == QDialog::Accepted && reception::Arriv(fiche, dialog.Result());
}

bool runDeparture(QWidget *parent, Fiche &fiche, const ShowDialog &show)
{
    reception::commitCards(fiche);
    TDepart dialog(parent);
    dialog.Init(reception::departureProposal(fiche));
    return show(dialog) == QDialog::Accepted && reception::Part(fiche);
}

bool runReservation(QWidget *parent, Fiche &fiche, const ShowDialog &show)
{
    reception::commitCards(fiche);
    const QStringList rooms = reception::ChambresLibres(fiche);
    TReserv dialog(parent);
    dialog.Init(reception::reservationProposal(fiche, rooms), rooms);
    return show(dialog) == QDialog::Accepted && reception::Reservation(fiche, dialog.Result());
}

bool runClosing(QWidget *parent, Fiche &fiche, const ShowDialog &show)
{
    reception::commitCards(fiche);
    const QStringList rooms = reception::ChambresLibres(fiche);
    TFermer dialog(parent);
    dialog.Init(reception::closingProposal(fiche), rooms);
    return show(dialog) == QDialog::Accepted && reception::Fermeture(fiche, dialog.Result());
}

bool runTransfer(QWidget *parent, Fiche &fiche, const ShowDialog &show)
{
    reception::commitCards(fiche);
    const QStringList rooms = reception::ChambresLibres(fiche);
    TTransfert dialog(parent);
    dialog.Init(reception::transferProposal(fiche), rooms);
    return show(dialog) == QDialog::Accepted && reception::Transferer(fiche, dialog.Result());
}
