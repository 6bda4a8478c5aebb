#pragma once

#include "rooms/room_page.h"
#include "store/ui.h"

#include <QList>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableView;
class QToolButton;
class RoomHistoryModel;

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *textField(QString RoomCard::*field);
    QLineEdit *dateField(QString RoomCard::*field);
    QWidget *buildRoomGroup();
    QWidget *buildComfort();
    QWidget *buildIndicators();
    QWidget *buildOccupantGroup();
    QWidget *buildClosedGroup();
    QWidget *buildHistoryGroup();
    void showIndicators();
    void noteChanged();
    void leaveNumber();
    void addHistory();

    RoomPage &m_page;
    Fiche &m_fiche;

    struct TextBinding
    {
        QLineEdit *widget;
        QString RoomCard::*field;
    };
    QList<TextBinding> m_texts;
    QList<TextBinding> m_dates;

    QLineEdit *m_number = nullptr;
    QComboBox *m_category = nullptr;
    QComboBox *m_orientation = nullptr;
    QSpinBox *m_beds = nullptr;
    QSpinBox *m_floor = nullptr;
    std::array<QCheckBox *, RoomCard::kComforts> m_comfort{};
    std::array<QToolButton *, RoomCard::kIndicators> m_indicators{};
    QPlainTextEdit *m_note = nullptr;
    QLineEdit *m_entryFrom = nullptr;
    QLineEdit *m_entryUntil = nullptr;
    QLineEdit *m_entryDescription = nullptr;
    RoomHistoryModel *m_history = nullptr;
    // Every widget whose signals a refresh blocks.
    QList<QObject *> m_inputs;
    // Widgets in the order the Tab key visits them.
    QList<QWidget *> m_tabOrder;
    bool m_filteringNote = false;
};
