#include "reception_commands.h"

#include "arrive_dialog.h"
#include "cards/ui/field_validator.h"
#include "depart_dialog.h"
#include "fermer_dialog.h"
#include "reserv_dialog.h"
#include "rooms/reception.h"
#include "store/fiche.h"
#include "transfert_dialog.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
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

QLabel *problemLabel()
{
    auto *label = new QLabel;
    label->setObjectName(QStringLiteral("problem"));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b00020;"));
    label->hide();
    return label;
}

bool showProblem(QLabel *label, const QString &problem)
{
    label->setText(problem);
    label->setVisible(!problem.isEmpty());
    return !problem.isEmpty();
}

} // namespace receptionui

int execModal(QDialog &dialog)
{
    return dialog.exec();
}

namespace {

// The arrival and the reservation: the room list follows the dates shown,
// and "OK" on a room taken on one of those days is refused.
bool runStay(TArrive &dialog, Fiche &fiche, const ShowDialog &show, bool arrival)
{
    reception::commitCards(fiche);
    const QStringList rooms = reception::ChambresLibres(fiche);
    const QList<int> self = {fiche.set().position(Table::Clients)};
    dialog.Init(arrival ? reception::arrivalProposal(fiche, rooms) : reception::reservationProposal(fiche, rooms),
                rooms);
    dialog.setChecks([&fiche, self](QDate first, QDate last) {
        return reception::ChambresLibres(fiche.set(), first, last, self, fiche.today());
    },
                     [&fiche](const reception::StayChoice &c) { return reception::stayProblem(fiche, c); });
    if (show(dialog) != QDialog::Accepted)
        return false;
    return arrival ? reception::Arriv(fiche, dialog.Result()) : reception::Reservation(fiche, dialog.Result());
}

} // namespace

bool runArrival(QWidget *parent, Fiche &fiche, const ShowDialog &show)
{
    TArrive dialog(parent);
    return runStay(dialog, fiche, show, true);
}

bool runDeparture(QWidget *parent, Fiche &fiche, const ShowDialog &show)
{
    reception::commitCards(fiche);
    TDepart dialog(parent);
    dialog.Init(reception::departureProposal(fiche));
    return show(dialog) == QDialog::Accepted && reception::Part(fiche, dialog.Result().leaving);
}

bool runReservation(QWidget *parent, Fiche &fiche, const ShowDialog &show)
{
    TReserv dialog(parent);
    return runStay(dialog, fiche, show, false);
}

bool runClosing(QWidget *parent, Fiche &fiche, const ShowDialog &show)
{
    reception::commitCards(fiche);
    const QStringList rooms = reception::ChambresLibres(fiche);
    TFermer dialog(parent);
    dialog.Init(reception::closingProposal(fiche), rooms);
    if (show(dialog) != QDialog::Accepted)
        return false;
    // Closing over guests' days hides their stays: ask first.
    const QString question = reception::closingQuestion(fiche.set(), dialog.Result(), fiche.today());
    if (!question.isEmpty() && !fiche.ui().askOkCancel(question))
        return false;
    return reception::Fermeture(fiche, dialog.Result());
}

bool runTransfer(QWidget *parent, Fiche &fiche, const ShowDialog &show)
{
    reception::commitCards(fiche);
    TTransfert dialog(parent);
    const FileSet &set = fiche.set();
    const QDate today = fiche.today();
    dialog.Init(
        reception::transferProposal(fiche),
        [&set, today](QDate day) { return reception::occupiedRooms(set, day, today); },
        [&set, today](const QString &source, QDate day) {
            return reception::transferTargets(set, source, day, today);
        },
        [&set, today](const reception::TransferChoice &c) { return reception::transferProblem(set, c, today); });
    return show(dialog) == QDialog::Accepted && reception::Transferer(fiche, dialog.Result());
}
