#include "room_page_widget.h"

#include "clients/ui/field_validator.h"
#include "room_dialogs.h"
#include "room_list_dialog.h"
#include "store/codec.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>
#include <vector>

// The history grid of the room card, read-only: "Début", "Fin", "Description".
class RoomHistoryModel : public QAbstractTableModel
{
public:
    explicit RoomHistoryModel(const RoomCard &card, QObject *parent)
        : QAbstractTableModel(parent), m_card(card)
    {}
    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows);
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : 3;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_card.history.size())
            return {};
        const RoomHistoryRow &r = m_card.history[index.row()];
        return index.column() == 0 ? r.from : index.column() == 1 ? r.until : r.description;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char16_t *const titles[] = {u"Début", u"Fin", u"Description"};
        return section >= 0 && section < 3 ? QString::fromUtf16(titles[section]) : QVariant();
    }
    // The card's rows changed: the view reads them again.
    void reload()
    {
        beginResetModel();
        m_rows = m_card.history.size();
        endResetModel();
    }

private:
    const RoomCard &m_card;
    qsizetype m_rows = m_card.history.size();
};

namespace {

constexpr char16_t kMaskBlank = u'_';
const QStringList kComfortNames = {QStringLiteral("Douche"),     QStringLiteral("WC"),
                                   QStringLiteral("Bain"),       QStringLiteral("Téléphone"),
                                   QStringLiteral("Télévision"), QStringLiteral("Internet")};

// A field wide enough for that many characters and its frame.
void fitChars(QWidget *w, int chars)
{
    w->setFixedWidth(w->fontMetrics().horizontalAdvance(QString(chars, u'0')) + 16);
}

QLabel *label(const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
}

// A masked date as the card keeps it: ten characters, blanks where nothing
// is typed ("  /  /    " when empty).
QLineEdit *maskedDate(const QString &name)
{
    auto *edit = new QLineEdit;
    edit->setInputMask(QStringLiteral("00/00/0000;") + QChar(kMaskBlank));
    edit->setToolTip(name);
    edit->setAccessibleName(name);
    fitChars(edit, 10);
    return edit;
}

QString maskedText(const QLineEdit *edit)
{
    return edit->displayText().replace(kMaskBlank, u' ');
}

// The note as the card keeps it: the raw text keeps no-break spaces, and
// block and line separators end note lines.
QString noteText(const QPlainTextEdit *note)
{
    QString text = note->document()->toRawText();
    return text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
}

QSpinBox *spinField()
{
    auto *spin = new QSpinBox;
    spin->setRange(INT_MIN, INT_MAX);
    spin->setFixedWidth(spin->fontMetrics().horizontalAdvance(QString(6, u'0')) + 36);
    return spin;
}

QComboBox *comboField(const QStringList &items)
{
    auto *combo = new QComboBox;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setValidator(new FieldValidator(FieldValidator::Text, combo));
    return combo;
}

} // namespace

TRoomPage::TRoomPage(RoomPage &page, Fiche &fiche, Ui &, QWidget *parent)
    : QWidget(parent), m_page(page), m_fiche(fiche)
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

    for (qsizetype i = 1; i < m_tabOrder.size(); ++i)
        setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);

    connect(&m_fiche, &Fiche::cardChanged, this, [this](PageId id) {
        if (id == PageId::Rooms)
            refresh();
    });
    refresh();
}

QLineEdit *TRoomPage::textField(QString RoomCard::*field)
{
    auto *edit = new QLineEdit;
    edit->setValidator(new FieldValidator(FieldValidator::Text, edit));
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString &text) {
        m_page.card().*field = text;
        m_page.touch();
    });
    m_texts.append({edit, field});
    m_inputs << edit;
    m_tabOrder << edit;
    return edit;
}

QLineEdit *TRoomPage::dateField(QString RoomCard::*field)
{
    QLineEdit *edit =
        maskedDate(field == &RoomCard::closedFrom ? QStringLiteral("Du") : QStringLiteral("Au"));
    connect(edit, &QLineEdit::textChanged, this, [this, edit, field] {
        m_page.card().*field = maskedText(edit);
        m_page.touch();
    });
    m_dates.append({edit, field});
    m_inputs << edit;
    m_tabOrder << edit;
    return edit;
}

QWidget *TRoomPage::buildRoomGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Chambre"));
    auto *grid = new QGridLayout(group);
    grid->setColumnStretch(3, 1);

    m_number = textField(&RoomCard::number);
    m_number->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    fitChars(m_number, 6);
    m_number->installEventFilter(this);
    grid->addWidget(label(QStringLiteral("Numéro"), m_number), 0, 0);
    grid->addWidget(m_number, 0, 1, Qt::AlignLeft);

    m_category = comboField(m_fiche.lists().categories);
    connect(m_category, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        m_page.card().category = text;
        m_page.touch();
    });
    m_inputs << m_category;
    m_tabOrder << m_category;
    grid->addWidget(label(QStringLiteral("Catégorie"), m_category), 0, 2);
    grid->addWidget(m_category, 0, 3);

    QLineEdit *designation = textField(&RoomCard::designation);
    grid->addWidget(label(QStringLiteral("Désignation"), designation), 1, 0);
    grid->addWidget(designation, 1, 1, 1, 3);

    m_beds = spinField();
    connect(m_beds, &QSpinBox::valueChanged, this, [this](int value) {
        m_page.card().beds = value;
        m_page.touch();
        showIndicators();
    });
    m_inputs << m_beds;
    m_tabOrder << m_beds;
    grid->addWidget(label(QStringLiteral("Nombre lits"), m_beds), 2, 0);
    grid->addWidget(m_beds, 2, 1, Qt::AlignLeft);

    QLineEdit *price = textField(&RoomCard::price);
    grid->addWidget(label(QStringLiteral("Prix"), price), 2, 2);
    grid->addWidget(price, 2, 3);

    m_floor = spinField();
    connect(m_floor, &QSpinBox::valueChanged, this, [this](int value) {
        m_page.card().floor = value;
        m_page.touch();
    });
    m_inputs << m_floor;
    m_tabOrder << m_floor;
    grid->addWidget(label(QStringLiteral("Etage"), m_floor), 3, 0);
    grid->addWidget(m_floor, 3, 1, Qt::AlignLeft);

    m_orientation = comboField(RoomPage::kOrientations);
    connect(m_orientation, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        m_page.card().orientation = text;
        m_page.touch();
    });
    m_inputs << m_orientation;
    m_tabOrder << m_orientation;
    grid->addWidget(label(QStringLiteral("Orientation"), m_orientation), 3, 2);
    grid->addWidget(m_orientation, 3, 3);

    auto *comfortRow = new QHBoxLayout;
    comfortRow->addWidget(buildComfort());
    comfortRow->addWidget(buildIndicators(), 0, Qt::AlignBottom);
    comfortRow->addStretch();
    grid->addLayout(comfortRow, 4, 0, 1, 4);

    m_note = new QPlainTextEdit;
    m_note->setTabChangesFocus(true);
    m_note->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(m_note, &QPlainTextEdit::textChanged, this, &TRoomPage::noteChanged);
    m_inputs << m_note;
    m_tabOrder << m_note;
    grid->addWidget(label(QStringLiteral("Observations"), m_note), 5, 0, 1, 4);
    grid->addWidget(m_note, 6, 0, 1, 4);
    grid->setRowStretch(6, 1);
    return group;
}

QWidget *TRoomPage::buildComfort()
{
    auto *group = new QGroupBox(QStringLiteral("Confort"));
    auto *grid = new QGridLayout(group);
    for (int i = 0; i < RoomCard::kComforts; ++i) {
        auto *box = new QCheckBox(kComfortNames[i]);
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
            m_page.card().comfort[std::size_t(i)] = on;
            m_page.touch();
            showIndicators();
        });
        m_comfort[std::size_t(i)] = box;
        m_inputs << box;
        m_tabOrder << box;
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
    QLineEdit *occupant = textField(&RoomCard::occupant);
    occupant->setAccessibleName(QStringLiteral("Occupant"));
    row->addWidget(occupant);
    return group;
}

QWidget *TRoomPage::buildClosedGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Hors Service du au pour le motif"));
    auto *row = new QHBoxLayout(group);
    row->addWidget(dateField(&RoomCard::closedFrom));
    row->addWidget(dateField(&RoomCard::closedUntil));
    QLineEdit *reason = textField(&RoomCard::closedReason);
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
    m_tabOrder << free;
    row->addWidget(free);
    return group;
}

QWidget *TRoomPage::buildHistoryGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Historique"));
    auto *column = new QVBoxLayout(group);

    auto *entry = new QHBoxLayout;
    entry->setSpacing(2);
    m_entryFrom = maskedDate(QStringLiteral("Début"));
    m_entryFrom->setObjectName(QStringLiteral("entryFrom"));
    connect(m_entryFrom, &QLineEdit::textChanged, this,
            [this] { m_page.entryFrom = maskedText(m_entryFrom); });
    m_entryUntil = maskedDate(QStringLiteral("Fin"));
    m_entryUntil->setObjectName(QStringLiteral("entryUntil"));
    connect(m_entryUntil, &QLineEdit::textChanged, this,
            [this] { m_page.entryUntil = maskedText(m_entryUntil); });
    m_entryDescription = new QLineEdit;
    m_entryDescription->setObjectName(QStringLiteral("entryDescription"));
    m_entryDescription->setPlaceholderText(QStringLiteral("Description"));
    m_entryDescription->setValidator(new FieldValidator(FieldValidator::Text, m_entryDescription));
    connect(m_entryDescription, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_page.entryDescription = text; });
    connect(m_entryDescription, &QLineEdit::returnPressed, this, &TRoomPage::addHistory);
    auto *add = new QToolButton;
    add->setText(QStringLiteral("..."));
    add->setToolTip(QStringLiteral("Ajouter à l'historique"));
    connect(add, &QToolButton::clicked, this, &TRoomPage::addHistory);
    m_inputs << m_entryFrom << m_entryUntil << m_entryDescription;
    m_tabOrder << m_entryFrom << m_entryUntil << m_entryDescription << add;
    entry->addWidget(m_entryFrom);
    entry->addWidget(m_entryUntil);
    entry->addWidget(m_entryDescription, 1);
    entry->addWidget(add);
    column->addLayout(entry);

    m_history = new RoomHistoryModel(m_page.card(), this);
    auto *grid = new QTableView;
    grid->setModel(m_history);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    QHeaderView *header = grid->horizontalHeader();
    header->setHighlightSections(false);
    header->resizeSection(0, 79);
    header->resizeSection(1, 80);
    header->resizeSection(2, 165);
    header->setStretchLastSection(true);
    m_tabOrder << grid;
    column->addWidget(grid, 1);
    return group;
}

void TRoomPage::refresh()
{
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(std::size_t(m_inputs.size()));
    for (QObject *input : std::as_const(m_inputs))
        blockers.emplace_back(input);

    const RoomCard &card = m_page.card();
    for (const TextBinding &b : std::as_const(m_texts)) {
        if (b.widget->text() != card.*b.field)
            b.widget->setText(card.*b.field);
    }
    for (const TextBinding &b : std::as_const(m_dates))
        b.widget->setText(card.*b.field);

    // The category list may have been edited since the page was built.
    const QStringList &categories = m_fiche.lists().categories;
    QStringList shown;
    for (int i = 0; i < m_category->count(); ++i)
        shown << m_category->itemText(i);
    if (shown != categories) {
        m_category->clear();
        m_category->addItems(categories);
    }
    for (QComboBox *combo : {m_category, m_orientation}) {
        const QString &text = combo == m_category ? card.category : card.orientation;
        combo->setCurrentIndex(combo->findText(text));
        combo->setEditText(text);
    }

    m_beds->setValue(card.beds);
    m_floor->setValue(card.floor);
    for (int i = 0; i < RoomCard::kComforts; ++i)
        m_comfort[std::size_t(i)]->setChecked(card.comfort[std::size_t(i)]);
    const QString note = card.note.join(u'\n');
    if (noteText(m_note) != note)
        m_note->setPlainText(note);

    m_entryFrom->setText(m_page.entryFrom);
    m_entryUntil->setText(m_page.entryUntil);
    m_entryDescription->setText(m_page.entryDescription);
    m_history->reload();
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

bool TRoomPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_number && event->type() == QEvent::FocusOut)
        leaveNumber();
    return QWidget::eventFilter(watched, event);
}

void TRoomPage::leaveNumber()
{
    m_page.leaveNumber();
    const QSignalBlocker blocker(m_number);
    if (m_number->text() != m_page.card().number)
        m_number->setText(m_page.card().number);
}

// A character Windows-1252 cannot hold is taken out as it is typed; line
// separators end note lines.
void TRoomPage::noteChanged()
{
    if (m_filteringNote)
        return;
    const QString raw = m_note->document()->toRawText();
    if (!cp1252::canEncode(noteText(m_note))) {
        const QScopedValueRollback guard(m_filteringNote, true);
        QTextCursor cursor(m_note->document());
        for (qsizetype i = raw.size(); i-- > 0;) {
            const QChar c = raw[i];
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || cp1252::canEncode(c))
                continue;
            cursor.setPosition(int(i));
            cursor.setPosition(int(i) + 1, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
    }
    const QString text = noteText(m_note);
    m_page.card().note = text.isEmpty() ? QStringList() : text.split(u'\n');
    m_page.touch();
}

void TRoomPage::addHistory()
{
    if (m_page.addHistory())
        refresh();
}

void TRoomPage::SetChambre(int mode)
{
    std::optional<QString> answer;
    if (mode == 2) {
        answer = TChambre::run(this, m_fiche.lists().categories, m_page.card().category);
    } else if (mode == 3) {
        bool ok = false;
        const QString beds = QInputDialog::getText(
            this, QStringLiteral("Sélection par nombre de lits"), QStringLiteral("Nombre de lits"),
            QLineEdit::Normal, m_page.bedsProposal(), &ok);
        if (ok)
            answer = beds;
    }
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
        m_page.showRoom(block);
}
