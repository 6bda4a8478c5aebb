#include "room_page_widget.h"

#include "cards/ui/grid_model.h"
#include "room_dialogs.h"
#include "room_list_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QStringList kComfortNames = {QStringLiteral("Douche"),     QStringLiteral("WC"),
                                   QStringLiteral("Bain"),       QStringLiteral("Téléphone"),
                                   QStringLiteral("Télévision"), QStringLiteral("Internet")};

// A count of beds or a floor, as wide as six digits and its arrows.
void fitSpin(QSpinBox *spin)
{
    spin->setFixedWidth(spin->fontMetrics().horizontalAdvance(QString(6, u'0')) + 36);
}

} // namespace

TRoomPage::TRoomPage(RoomPage &page, Fiche &fiche, Ui &, QWidget *parent)
    : QWidget(parent), m_page(page), m_fiche(fiche),
      m_fields(new CardFields(this, [&page] { page.touch(); }))
{
    setLocale(QLocale(QLocale::French, QLocale::France));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildRoomGroup(), 1);
    auto *right = new QVBoxLayout;
    right->addWidget(buildOccupantGroup());
    right->addWidget(buildClosedGroup());
    right->addWidget(buildHistoryGroup(), 1);
    layout->addLayout(right, 1);

    m_fields->chainTabOrder();

    connect(&m_fiche, &Fiche::cardChanged, this, [this](PageId id) {
        if (id == PageId::Rooms)
            refresh();
    });
    refresh();
}

// A masked date, named by its tool tip since no label stands beside it.
QLineEdit *TRoomPage::dateField(QString &value, const QString &name, CardFields::Marks marks)
{
    QLineEdit *edit = m_fields->maskedDate(value, QStringLiteral("00/00/0000"), marks);
    edit->setToolTip(name);
    edit->setAccessibleName(name);
    return edit;
}

QWidget *TRoomPage::buildRoomGroup()
{
    RoomCard &card = m_page.card();
    auto *group = new QGroupBox(QStringLiteral("Chambre"));
    auto *grid = new QGridLayout(group);
    grid->setColumnStretch(3, 1);

    m_number = m_fields->text(card.number);
    m_number->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    fitChars(m_number, 6);
    m_fields->onLeave(m_number, [this] { m_page.leaveNumber(); });
    grid->addWidget(buddyLabel(QStringLiteral("Numéro"), m_number), 0, 0);
    grid->addWidget(m_number, 0, 1, Qt::AlignLeft);

    m_category = m_fields->combo(card.category, m_fiche.lists().categories);
    grid->addWidget(buddyLabel(QStringLiteral("Catégorie"), m_category), 0, 2);
    grid->addWidget(m_category, 0, 3);

    QLineEdit *designation = m_fields->text(card.designation);
    grid->addWidget(buddyLabel(QStringLiteral("Désignation"), designation), 1, 0);
    grid->addWidget(designation, 1, 1, 1, 3);

    QSpinBox *beds = m_fields->number(card.beds);
    fitSpin(beds);
    connect(beds, &QSpinBox::valueChanged, this, &TRoomPage::showIndicators);
    grid->addWidget(buddyLabel(QStringLiteral("Nombre lits"), beds), 2, 0);
    grid->addWidget(beds, 2, 1, Qt::AlignLeft);

    QLineEdit *price = m_fields->text(card.price);
    grid->addWidget(buddyLabel(QStringLiteral("Prix"), price), 2, 2);
    grid->addWidget(price, 2, 3);

    QSpinBox *floor = m_fields->number(card.floor);
    fitSpin(floor);
    grid->addWidget(buddyLabel(QStringLiteral("Etage"), floor), 3, 0);
    grid->addWidget(floor, 3, 1, Qt::AlignLeft);

    QComboBox *orientation = m_fields->combo(card.orientation, RoomPage::kOrientations);
    grid->addWidget(buddyLabel(QStringLiteral("Orientation"), orientation), 3, 2);
    grid->addWidget(orientation, 3, 3);

    auto *comfortRow = new QHBoxLayout;
    comfortRow->addWidget(buildComfort());
    comfortRow->addWidget(buildIndicators(), 0, Qt::AlignBottom);
    comfortRow->addStretch();
    grid->addLayout(comfortRow, 4, 0, 1, 4);

    QPlainTextEdit *note = m_fields->note(card.note);
    grid->addWidget(buddyLabel(QStringLiteral("Observations"), note), 5, 0, 1, 4);
    grid->addWidget(note, 6, 0, 1, 4);
    grid->setRowStretch(6, 1);
    return group;
}

QWidget *TRoomPage::buildComfort()
{
    auto *group = new QGroupBox(QStringLiteral("Confort"));
    auto *grid = new QGridLayout(group);
    for (int i = 0; i < RoomCard::kComforts; ++i) {
        QCheckBox *box = m_fields->check(kComfortNames[i], m_page.card().comfort[std::size_t(i)]);
        connect(box, &QCheckBox::toggled, this, &TRoomPage::showIndicators);
        grid->addWidget(box, i % 3, i / 3);
    }
    return group;
}

// Nine buttons that only show the state of the card: lit when their comfort
// box is ticked or the room has that many beds, greyed otherwise.
QWidget *TRoomPage::buildIndicators()
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("indicators"));
    panel->setStyleSheet(QStringLiteral(
        "QToolButton { border: 1px solid #8a8a8a; border-radius: 3px; padding: 2px 4px; }"
        "QToolButton:enabled { background: #ffe680; color: #202020; font-weight: bold; }"
        "QToolButton:disabled { background: #ececec; color: #a8a8a8; border-color: #c8c8c8; }"));
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(3);
    for (int i = 0; i < RoomCard::kIndicators; ++i) {
        auto *b = new QToolButton;
        b->setText(i < RoomCard::kComforts ? kComfortNames[i] : QStringLiteral("Lit"));
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_indicators[std::size_t(i)] = b;
        grid->addWidget(b, i / 3, i % 3);
    }
    return panel;
}

QWidget *TRoomPage::buildOccupantGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Occupant"));
    auto *row = new QHBoxLayout(group);
    QLineEdit *occupant = m_fields->text(m_page.card().occupant);
    occupant->setAccessibleName(QStringLiteral("Occupant"));
    row->addWidget(occupant);
    return group;
}

QWidget *TRoomPage::buildClosedGroup()
{
    RoomCard &card = m_page.card();
    auto *group = new QGroupBox(QStringLiteral("Hors Service du au pour le motif"));
    auto *row = new QHBoxLayout(group);
    row->addWidget(dateField(card.closedFrom, QStringLiteral("Du"), CardFields::MarksCard));
    row->addWidget(dateField(card.closedUntil, QStringLiteral("Au"), CardFields::MarksCard));
    QLineEdit *reason = m_fields->text(card.closedReason);
    reason->setAccessibleName(QStringLiteral("Motif"));
    reason->setToolTip(QStringLiteral("Motif"));
    row->addWidget(reason, 1);

    auto *free = new QToolButton;
    free->setObjectName(QStringLiteral("freeRoom"));
    free->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    free->setToolTip(QStringLiteral("Libérer chambre"));
    free->setAccessibleName(QStringLiteral("Libérer chambre"));
    connect(free, &QToolButton::clicked, this, [this] {
        m_page.clearOutOfService();
        refresh();
    });
    m_fields->addToTabOrder(free);
    row->addWidget(free);
    return group;
}

QWidget *TRoomPage::buildHistoryGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Historique"));
    auto *column = new QVBoxLayout(group);

    // The entry row is the page's: typing in it marks nothing.
    auto *entry = new QHBoxLayout;
    entry->setSpacing(2);
    QLineEdit *from =
        dateField(m_page.entryFrom, QStringLiteral("Début"), CardFields::MarksNothing);
    from->setObjectName(QStringLiteral("entryFrom"));
    QLineEdit *until =
        dateField(m_page.entryUntil, QStringLiteral("Fin"), CardFields::MarksNothing);
    until->setObjectName(QStringLiteral("entryUntil"));
    QLineEdit *description = m_fields->text(m_page.entryDescription, CardFields::MarksNothing);
    description->setObjectName(QStringLiteral("entryDescription"));
    description->setPlaceholderText(QStringLiteral("Description"));
    connect(description, &QLineEdit::returnPressed, this, &TRoomPage::addHistory);
    auto *add = new QToolButton;
    add->setText(QStringLiteral("..."));
    add->setToolTip(QStringLiteral("Ajouter à l'historique"));
    connect(add, &QToolButton::clicked, this, &TRoomPage::addHistory);
    m_fields->addToTabOrder(add);
    entry->addWidget(from);
    entry->addWidget(until);
    entry->addWidget(description, 1);
    entry->addWidget(add);
    column->addLayout(entry);

    m_history = new GridModel(
        {{QStringLiteral("Début")}, {QStringLiteral("Fin")}, {QStringLiteral("Description")}},
        this);
    m_history->setRows(int(m_page.card().history.size()), [this](int row, int column) {
        const RoomCard &card = m_page.card();
        if (row >= card.history.size())
            return QString();
        const RoomHistoryRow &r = card.history[row];
        return column == 0 ? r.from : column == 1 ? r.until : r.description;
    });
    QTableView *grid = gridView(m_history);
    grid->setTabKeyNavigation(false);
    QHeaderView *header = grid->horizontalHeader();
    header->resizeSection(0, 79);
    header->resizeSection(1, 80);
    header->resizeSection(2, 165);
    header->setStretchLastSection(true);
    m_fields->addToTabOrder(grid);
    column->addWidget(grid, 1);
    return group;
}

void TRoomPage::refresh()
{
    // The category list may have been edited since the page was built.
    const QStringList &categories = m_fiche.lists().categories;
    QStringList shown;
    for (int i = 0; i < m_category->count(); ++i)
        shown << m_category->itemText(i);
    if (shown != categories) {
        const QSignalBlocker blocker(m_category);
        m_category->clear();
        m_category->addItems(categories);
    }
    m_fields->show();
    m_history->reload(int(m_page.card().history.size()));
    showIndicators();
}

void TRoomPage::showIndicators()
{
    for (int i = 0; i < RoomCard::kIndicators; ++i)
        m_indicators[std::size_t(i)]->setEnabled(m_page.card().indicator(i));
}

void TRoomPage::focusFirstField()
{
    m_number->setFocus(Qt::OtherFocusReason);
}

void TRoomPage::addHistory()
{
    if (m_page.addHistory())
        refresh();
}

void TRoomPage::SetChambre(int mode)
{
    std::optional<QString> answer;
    if (mode == 2)
        answer = TChambre::run(this, m_fiche.lists().categories, m_page.card().category);
    else if (mode == 3)
        answer = askLine(this, QStringLiteral("Sélection par nombre de lits"),
                         QStringLiteral("Nombre de lits"), m_page.bedsProposal());
    m_page.SetChambre(mode, answer);
}

void TRoomPage::Trier3()
{
    m_page.Trier3(TTri3::run(this));
}

void TRoomPage::Liste()
{
    const auto rows = m_page.Liste();
    if (!rows)
        return;
    const int block = TFListe3::run(this, *rows);
    if (block >= 0)
        m_page.showBlock(block);
}
