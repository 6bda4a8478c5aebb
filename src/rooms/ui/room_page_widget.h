#pragma once

#include "cards/ui/card_fields.h"
#include "rooms/room_page.h"
#include "store/ui.h"

#include <QWidget>

#include <array>

class CardFields;
class GridModel;
class QComboBox;
class QLineEdit;
class QToolButton;

// The room page of the record window: shows the card of its page model and
// reports every edit to it. The model does the work; this page only binds
// and asks the questions of the room commands.
class TRoomPage : public QWidget
{
    Q_OBJECT
public:
    // The model's messages go through the record window's Ui; `ui` is taken
    // for the same signature as the other pages.
    TRoomPage(RoomPage &page, Fiche &fiche, Ui &ui, QWidget *parent = nullptr);

    // The cursor in "Numéro".
    void focusFirstField();

    // The room commands that ask something first: the selections (mode 2
    // asks a category, mode 3 a number of beds), the sort and the list.
    void SetChambre(int mode);
    void Trier3();
    void Liste();

public slots:
    // Shows the card again, after the model changed it. Never marks it modified.
    void refresh();

private:
    QLineEdit *dateField(QString &value, const QString &name, CardFields::Marks marks);
    QWidget *buildRoomGroup();
    QWidget *buildComfort();
    QWidget *buildIndicators();
    QWidget *buildOccupantGroup();
    QWidget *buildClosedGroup();
    QWidget *buildHistoryGroup();
    void showIndicators();
    void addHistory();

    RoomPage &m_page;
    Fiche &m_fiche;
    CardFields *m_fields = nullptr;

    QLineEdit *m_number = nullptr;
    QComboBox *m_category = nullptr;
    std::array<QToolButton *, RoomCard::kIndicators> m_indicators{};
    GridModel *m_history = nullptr;
};
