#include "journee_window.h"

#include "rooms/ui/reception_commands.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Lists { Arrivals, Departures, Present, Free, NoShows, kListCount };

const char *const kTitles[] = {"Arrivées", "Départs", "Présents", "Chambres libres ce soir", "Non arrivés"};
const QStringList kColumns[] = {
    {QStringLiteral("Nom"), QStringLiteral("Chambre"), QStringLiteral("Nuits"), QStringLiteral("Départ"),
     QStringLiteral("Situation")},
    {QStringLiteral("Nom"), QStringLiteral("Chambre"), QStringLiteral("Arrivée"), QStringLiteral("Nuits"),
     QStringLiteral("Situation")},
    {QStringLiteral("Nom"), QStringLiteral("Chambre"), QStringLiteral("Arrivée"), QStringLiteral("Départ"),
     QStringLiteral("Situation")},
    {QStringLiteral("Chambre"), QStringLiteral("Catégorie"), QStringLiteral("Lits"), QStringLiteral("Prix")},
    {QStringLiteral("Nom"), QStringLiteral("Chambre"), QStringLiteral("Arrivée"), QStringLiteral("Départ"),
     QStringLiteral("Situation")},
};

QString nights(const journee::Guest &g)
{
    return g.nights < 0 ? QString() : QString::number(g.nights);
}

void fill(QTableWidget *table, const QList<QStringList> &rows, const QList<int> &rightAligned)
{
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            auto *item = new QTableWidgetItem(rows[r][c]);
            if (rightAligned.contains(c))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
}

} // namespace

TJournee::TJournee(const FileSet &set, QWidget *parent) : QDialog(parent), m_set(set), m_date(receptionui::dateBox())
{
    setWindowTitle(QStringLiteral("Journée"));
    m_date->setObjectName(QStringLiteral("day"));
    auto *top = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("&Jour"));
    label->setBuddy(m_date);
    top->addWidget(label);
    top->addWidget(m_date);
    top->addWidget(new QLabel(QStringLiteral("(Pg préc. / Pg suiv. : jour précédent / suivant)")));
    top->addStretch();

    auto *grid = new QGridLayout;
    for (int i = 0; i < kListCount; ++i) {
        auto *box = new QGroupBox;
        auto *table = new QTableWidget(0, int(kColumns[i].size()));
        table->setObjectName(QString::fromUtf8(kTitles[i]));
        table->setHorizontalHeaderLabels(kColumns[i]);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->verticalHeader()->hide();
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
        table->setWordWrap(false);
        // The name (or the room's category) takes what the short columns leave.
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        table->horizontalHeader()->setSectionResizeMode(i == Free ? 1 : 0, QHeaderView::Stretch);
        table->setTabKeyNavigation(false);
        connect(table, &QTableWidget::cellDoubleClicked, this, [this, i](int row) { activate(i, row); });
        table->installEventFilter(this);
        (new QVBoxLayout(box))->addWidget(table);
        if (i == NoShows)
            grid->addWidget(box, 2, 0, 1, 2);
        else
            grid->addWidget(box, i / 2, i % 2);
        m_boxes[std::size_t(i)] = box;
        m_lists[std::size_t(i)] = table;
    }
    // The day's four lists take the room; the guests not arrived are few.
    grid->setRowStretch(0, 3);
    grid->setRowStretch(1, 3);
    grid->setRowStretch(2, 1);

    auto *print = new QPushButton(QStringLiteral("&Imprimer"));
    auto *close = new QPushButton(QStringLiteral("&Fermer"));
    print->setAutoDefault(false);
    close->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, [this] {
        if (m_print)
            m_print(m_day);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    resize(920, 640);
    connect(m_date, &QDateEdit::dateChanged, this, &TJournee::refresh);
    // Before the lists, which would scroll with these keys.
    auto *previous = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    connect(previous, &QShortcut::activated, this, [this] { m_date->setDate(m_date->date().addDays(-1)); });
    auto *next = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
    connect(next, &QShortcut::activated, this, [this] { m_date->setDate(m_date->date().addDays(1)); });
}

void TJournee::Init(QDate day, OpenGuest openGuest, std::function<void(const journee::Day &)> print)
{
    m_openGuest = std::move(openGuest);
    m_print = std::move(print);
    {
        const QSignalBlocker block(m_date);
        m_date->setDate(day);
    }
    refresh();
    m_lists[Arrivals]->setFocus();
}

QDate TJournee::day() const
{
    return m_date->date();
}

void TJournee::refresh()
{
    m_day = journee::Journee(m_set, m_date->date());
    QList<QStringList> rows;
    for (const journee::Guest &g : m_day.arrivals)
        rows << QStringList{g.name, g.room, nights(g), g.leaving, journee::situationText(g)};
    fill(m_lists[Arrivals], rows, {2});
    rows.clear();
    for (const journee::Guest &g : m_day.departures)
        rows << QStringList{g.name, g.room, g.since, nights(g), g.overdue ? journee::situationText(g) : QString()};
    fill(m_lists[Departures], rows, {3});
    rows.clear();
    for (const journee::Guest &g : m_day.present)
        rows << QStringList{g.name, g.room, g.since, g.leaving, journee::situationText(g)};
    fill(m_lists[Present], rows, {});
    rows.clear();
    for (const journee::FreeRoom &r : m_day.freeTonight)
        rows << QStringList{r.number, r.category, r.beds, r.price};
    fill(m_lists[Free], rows, {2, 3});
    rows.clear();
    for (const journee::Guest &g : m_day.noShows)
        rows << QStringList{g.name, g.room, g.since, g.leaving, journee::situationText(g)};
    fill(m_lists[NoShows], rows, {});
    const qsizetype counts[] = {m_day.arrivals.size(), m_day.departures.size(), m_day.present.size(),
                                m_day.freeTonight.size(), m_day.noShows.size()};
    for (int i = 0; i < kListCount; ++i)
        m_boxes[std::size_t(i)]->setTitle(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(kTitles[i])).arg(counts[i]));
}

void TJournee::activate(int list, int row)
{
    const QList<journee::Guest> *guests[] = {&m_day.arrivals, &m_day.departures, &m_day.present, nullptr,
                                             &m_day.noShows};
    if (list < 0 || list >= kListCount || !guests[list] || row < 0 || row >= guests[list]->size() ||
        !m_openGuest)
        return;
    const journee::Guest &g = (*guests[list])[row];
    // An expected guest is offered the arrival; a guest due to leave today
    // or overdue (both listed with the departures), the departure; any
    // other just their card.
    const Action action = list == Arrivals && g.situation != 0 ? Action::Arrival
                          : list == Departures                ? Action::Departure
                                                              : Action::ShowCard;
    m_openGuest(g.block, action);
    if (action == Action::ShowCard)
        accept();
    else
        refresh();
}

// Enter on a list opens its guest as a double click does.
bool TJournee::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        for (int i = 0; i < kListCount; ++i) {
            if (watched == m_lists[std::size_t(i)] && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                activate(i, m_lists[std::size_t(i)]->currentRow());
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
