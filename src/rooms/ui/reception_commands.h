#pragma once

#include <QComboBox>
#include <QStringList>

#include <functional>

class Fiche;
class QDateEdit;
class QDialog;
class QLabel;
class QLineEdit;
class QVBoxLayout;

// A room drop-down of the reception dialogs: the free rooms as "101 Double",
// and whatever is chosen or typed is cut at its first blank, so choosing
// that entry leaves 101.
class RoomBox : public QComboBox
{
    Q_OBJECT
public:
    explicit RoomBox(QWidget *parent = nullptr);
    void setRooms(const QStringList &freeRooms, const QString &text);
};

// Pieces every reception dialog is made of.
namespace receptionui {
QDateEdit *dateBox();
QLineEdit *readOnlyText();
// The "Annuller" and "OK" row under a dialog's fields.
void addButtons(QDialog *dialog, QVBoxLayout *layout);
// Where a dialog says, in red, why "OK" was refused; hidden until then.
QLabel *problemLabel();
// Shows the problem and returns whether there was one.
bool showProblem(QLabel *label, const QString &problem);
} // namespace receptionui

// How a command shows its dialog. The windows run it modally; tests pass
// their own, which fills the dialog and answers in place of the person.
using ShowDialog = std::function<int(QDialog &)>;
int execModal(QDialog &dialog);

// The reception commands: each writes back the cards shown, builds the free
// rooms, shows its dialog and, on "OK", applies it. True when the tables
// changed.
bool runArrival(QWidget *parent, Fiche &fiche, const ShowDialog &show = execModal);
bool runDeparture(QWidget *parent, Fiche &fiche, const ShowDialog &show = execModal);
bool runReservation(QWidget *parent, Fiche &fiche, const ShowDialog &show = execModal);
bool runClosing(QWidget *parent, Fiche &fiche, const ShowDialog &show = execModal);
bool runTransfer(QWidget *parent, Fiche &fiche, const ShowDialog &show = execModal);
