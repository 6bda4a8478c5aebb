#include "client_page_widget.h"

#include "field_validator.h"
#include "history_grid_model.h"
#include "store/codec.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>
#include <vector>

namespace {

// Widths of the history grid's columns, in pixels.
constexpr int kDateColumn = 94;
constexpr int kLabelColumn = 180;
constexpr int kAmountColumn = 97;

// The masked date of birth as the card keeps it: ten characters, blanks for
// the places not typed ("  /  /    " when empty).
constexpr char16_t kMaskBlank = u'_';

// A field wide enough for that many digits and its frame.
void fitDigits(QWidget *w, int chars)
{
    w->setFixedWidth(w->fontMetrics().horizontalAdvance(QString(chars, u'0')) + 16);
}

// A date picker with its calendar, as wide as its date and a little air.
QDateEdit *dateEdit()
{
    auto *edit = new QDateEdit;
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setFixedWidth(edit->sizeHint().width() + 6);
    return edit;
}

QLabel *label(const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
}

} // namespace

TClientPage::TClientPage(ClientPage &page, Ui &ui, QWidget *parent)
    : QWidget(parent), m_page(page), m_ui(ui)
{
    setLocale(QLocale(QLocale::French, QLocale::France));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildClientGroup(), 0, 0);
    layout->addWidget(buildHistoryGroup(), 0, 1);

    auto *notePanel = new QVBoxLayout;
    m_note = new QPlainTextEdit;
    m_note->setTabChangesFocus(true);
    m_note->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(m_note, &QPlainTextEdit::textChanged, this, &TClientPage::noteChanged);
    m_inputs << m_note;
    m_tabOrder << m_note;
    notePanel->addWidget(label(QStringLiteral("Observations"), m_note));
    notePanel->addWidget(m_note, 1);
    layout->addLayout(notePanel, 1, 0);
    layout->addWidget(buildHistoryPanel(), 1, 1);

    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    buildTabOrder();
    refresh();
}

QLineEdit *TClientPage::textField(QString ClientCard::*field, int digits)
{
    auto *edit = new QLineEdit;
    edit->setValidator(new FieldValidator(FieldValidator::Text, edit));
    if (digits > 0)
        fitDigits(edit, digits);
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString &text) {
        m_page.card().*field = text;
        m_page.touch();
    });
    m_texts.append({edit, field});
    m_inputs << edit;
    m_tabOrder << edit;
    return edit;
}

QDateEdit *TClientPage::dateField(QDate ClientCard::*field)
{
    QDateEdit *edit = dateEdit();
    connect(edit, &QDateEdit::dateChanged, this, [this, field](QDate date) {
        m_page.card().*field = date;
        m_page.touch();
    });
    m_dates.append({edit, field});
    m_inputs << edit;
    m_tabOrder << edit;
    return edit;
}

QCheckBox *TClientPage::checkField(const QString &text, bool ClientCard::*field)
{
    auto *box = new QCheckBox(text);
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
        m_page.card().*field = on;
        m_page.touch();
    });
    m_checks.append({box, field});
    m_inputs << box;
    m_tabOrder << box;
    return box;
}

QWidget *TClientPage::buildClientGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Client"));
    auto *form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto *codeRow = new QHBoxLayout;
    m_code = textField(&ClientCard::code, 8);
    codeRow->addWidget(m_code);
    codeRow->addSpacing(12);
    codeRow->addWidget(checkField(QStringLiteral("NPAI"), &ClientCard::npai));
    codeRow->addSpacing(6);
    codeRow->addWidget(checkField(QStringLiteral("Marquer"), &ClientCard::marked));
    codeRow->addStretch();
    form->addRow(label(QStringLiteral("Code client"), m_code), codeRow);

    m_name = textField(&ClientCard::name);
    form->addRow(label(QStringLiteral("Nom Prénom"), m_name), m_name);
    for (auto field : {&ClientCard::address1, &ClientCard::address2}) {
        QLineEdit *address = textField(field);
        form->addRow(label(QStringLiteral("Adresse"), address), address);
    }

    auto *townRow = new QHBoxLayout;
    QLineEdit *postalCode = textField(&ClientCard::postalCode, 7);
    QLineEdit *town = textField(&ClientCard::town);
    townRow->addWidget(postalCode);
    townRow->addSpacing(6);
    townRow->addWidget(label(QStringLiteral("Ville"), town));
    townRow->addWidget(town, 1);
    form->addRow(label(QStringLiteral("Code postal"), postalCode), townRow);

    QLineEdit *country = textField(&ClientCard::country);
    form->addRow(label(QStringLiteral("Pays"), country), country);

    auto *phoneRow = new QHBoxLayout;
    QLineEdit *phone = textField(&ClientCard::phone);
    QLineEdit *fax = textField(&ClientCard::fax);
    phoneRow->addWidget(phone, 1);
    phoneRow->addSpacing(6);
    phoneRow->addWidget(label(QStringLiteral("Fax"), fax));
    phoneRow->addWidget(fax, 1);
    form->addRow(label(QStringLiteral("Téléphone"), phone), phoneRow);

    QLineEdit *email = textField(&ClientCard::email);
    form->addRow(label(QStringLiteral("E.mail"), email), email);
    return group;
}

QWidget *TClientPage::buildHistoryGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Historique"));
    auto *grid = new QGridLayout(group);
    // The first column holds short values (dates, room, amount); the
    // second, the texts that use the room a wider window gives.
    grid->setColumnStretch(3, 1);
    auto addPair = [grid](int row, int column, const QString &text, QWidget *field, int span = 1) {
        grid->addWidget(label(text, field), row, column);
        grid->addWidget(field, row, column + 1, 1, span,
                        span == 1 && field->maximumWidth() < QWIDGETSIZE_MAX ? Qt::AlignLeft
                                                                             : Qt::Alignment());
    };

    addPair(0, 0, QStringLiteral("Créé le"), dateField(&ClientCard::created));
    addPair(0, 2, QStringLiteral("Pièce d'indentité"), textField(&ClientCard::idDocument));
    addPair(1, 0, QStringLiteral("Depuis le"), dateField(&ClientCard::since));
    addPair(1, 2, QStringLiteral("Départ le"), dateField(&ClientCard::leaving));

    auto *roomBox = new QWidget;
    auto *roomRow = new QHBoxLayout(roomBox);
    roomRow->setContentsMargins(0, 0, 0, 0);
    roomRow->setSpacing(2);
    m_room = textField(&ClientCard::room, 6);
    m_roomButton = new QToolButton;
    m_roomButton->setText(QStringLiteral("..."));
    m_roomButton->setToolTip(QStringLiteral("Liste des chambres"));
    connect(m_roomButton, &QToolButton::clicked, this, &TClientPage::roomPickerRequested);
    m_tabOrder << m_roomButton;
    roomRow->addWidget(m_room);
    roomRow->addWidget(m_roomButton);
    roomRow->addStretch();
    grid->addWidget(label(QStringLiteral("Chambre"), m_room), 2, 0);
    grid->addWidget(roomBox, 2, 1);

    m_stays = new QSpinBox;
    m_stays->setRange(INT_MIN, INT_MAX);
    m_stays->setMaximumWidth(m_stays->fontMetrics().horizontalAdvance(QString(10, u'0')) + 30);
    connect(m_stays, &QSpinBox::valueChanged, this, [this](int value) {
        m_page.card().stays = value;
        m_page.touch();
    });
    m_inputs << m_stays;
    m_tabOrder << m_stays;
    addPair(2, 2, QStringLiteral("Nb. séjours"), m_stays);

    m_birthDate = new QLineEdit;
    m_birthDate->setInputMask(QStringLiteral("99/99/0000;") + QChar(kMaskBlank));
    fitDigits(m_birthDate, 10);
    connect(m_birthDate, &QLineEdit::textChanged, this, [this] {
        m_page.card().birthDate = m_birthDate->displayText().replace(kMaskBlank, u' ');
        m_page.touch();
    });
    m_inputs << m_birthDate;
    m_tabOrder << m_birthDate;
    addPair(3, 0, QStringLiteral("Date naiss."), m_birthDate);

    m_family = new QComboBox;
    m_family->setEditable(true);
    m_family->setInsertPolicy(QComboBox::NoInsert);
    m_family->addItems(kFamilySituations);
    m_family->setValidator(new FieldValidator(FieldValidator::Text, m_family));
    connect(m_family, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        m_page.card().family = text;
        m_page.touch();
    });
    m_inputs << m_family;
    m_tabOrder << m_family;
    addPair(3, 2, QStringLiteral("Sit. familiale"), m_family);

    m_due = textField(&ClientCard::due, 10);
    m_due->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_due->installEventFilter(this);
    addPair(4, 0, QStringLiteral("Total dû"), m_due);
    addPair(4, 2, QStringLiteral("Nationalité"), textField(&ClientCard::nationality));
    addPair(5, 0, QStringLiteral("Profession"), textField(&ClientCard::profession), 3);

    auto *situationBox = new QGroupBox(QStringLiteral("Situation"));
    auto *situationRow = new QHBoxLayout(situationBox);
    m_situation = new QButtonGroup(this);
    for (int i = 0; i < kSituationNames.size(); ++i) {
        auto *radio = new QRadioButton(kSituationNames[i]);
        m_situation->addButton(radio, i);
        situationRow->addWidget(radio);
        m_tabOrder << radio;
    }
    situationRow->addStretch();
    connect(m_situation, &QButtonGroup::idClicked, this, [this](int index) {
        m_page.chooseSituation(index);
        refresh();
    });
    m_inputs << m_situation;
    grid->addWidget(situationBox, 6, 0, 1, 4);
    return group;
}

QWidget *TClientPage::buildHistoryPanel()
{
    auto *panel = new QWidget;
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    auto *entryRow = new QHBoxLayout;
    entryRow->setSpacing(2);
    m_entryDate = dateEdit();
    m_entryDate->setObjectName(QStringLiteral("entryDate"));
    m_entryDate->setToolTip(QStringLiteral("Date"));
    connect(m_entryDate, &QDateEdit::dateChanged, this,
            [this](QDate date) { m_page.entryDate = date; });

    m_entryLabel = new QLineEdit;
    m_entryLabel->setObjectName(QStringLiteral("entryLabel"));
    m_entryLabel->setValidator(new FieldValidator(FieldValidator::Text, m_entryLabel));
    m_entryLabel->setPlaceholderText(QStringLiteral("Libellé"));
    connect(m_entryLabel, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_page.entryLabel = text; });

    m_entryAmount = new QLineEdit;
    m_entryAmount->setObjectName(QStringLiteral("entryAmount"));
    m_entryAmount->setValidator(new FieldValidator(FieldValidator::Amount, m_entryAmount));
    m_entryAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_entryAmount->setPlaceholderText(QStringLiteral("Montant"));
    m_entryAmount->setFixedWidth(kAmountColumn);
    connect(m_entryAmount, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_page.entryAmount = text; });
    connect(m_entryAmount, &QLineEdit::returnPressed, this, &TClientPage::addHistory);

    m_entryOk = new QPushButton(QStringLiteral("OK"));
    m_entryOk->setAutoDefault(false);
    m_entryOk->setFixedWidth(m_entryOk->fontMetrics().horizontalAdvance(QStringLiteral("OK")) + 24);
    connect(m_entryOk, &QPushButton::clicked, this, &TClientPage::addHistory);

    m_inputs << m_entryDate << m_entryLabel << m_entryAmount;
    m_tabOrder << m_entryDate << m_entryLabel << m_entryAmount << m_entryOk;
    entryRow->addWidget(m_entryDate);
    entryRow->addWidget(m_entryLabel, 1);
    entryRow->addWidget(m_entryAmount);
    entryRow->addWidget(m_entryOk);
    column->addLayout(entryRow);

    m_history = new HistoryGridModel(m_page.card(), this);
    m_grid = new QTableView;
    m_grid->setModel(m_history);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    QHeaderView *header = m_grid->horizontalHeader();
    header->setHighlightSections(false);
    header->resizeSection(HistoryGridModel::Date, kDateColumn);
    header->resizeSection(HistoryGridModel::Label, kLabelColumn);
    header->resizeSection(HistoryGridModel::Amount, kAmountColumn);
    // The label takes what the window gives beyond the three widths.
    header->setSectionResizeMode(HistoryGridModel::Label, QHeaderView::Stretch);
    m_tabOrder << m_grid;
    column->addWidget(m_grid, 1);
    return panel;
}

void TClientPage::buildTabOrder()
{
    for (qsizetype i = 1; i < m_tabOrder.size(); ++i)
        setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

void TClientPage::refresh()
{
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(m_inputs.size());
    for (QObject *input : std::as_const(m_inputs))
        blockers.emplace_back(input);

    const ClientCard &card = m_page.card();
    for (const auto &b : std::as_const(m_texts))
        if (b.widget->text() != card.*b.field)
            b.widget->setText(card.*b.field);
    for (const auto &b : std::as_const(m_checks))
        b.widget->setChecked(card.*b.field);
    for (const auto &b : std::as_const(m_dates))
        b.widget->setDate(card.*b.field);
    m_stays->setValue(card.stays);
    m_birthDate->setText(card.birthDate);
    m_family->setCurrentIndex(m_family->findText(card.family));
    m_family->setEditText(card.family);

    if (QAbstractButton *chosen = m_situation->button(card.situation)) {
        chosen->setChecked(true);
    } else {
        // An exclusive group never lets its last button go by itself.
        m_situation->setExclusive(false);
        for (QAbstractButton *button : m_situation->buttons())
            button->setChecked(false);
        m_situation->setExclusive(true);
    }

    const QString note = card.note.join(u'\n');
    if (noteText() != note)
        m_note->setPlainText(note);

    m_entryDate->setDate(m_page.entryDate);
    m_entryLabel->setText(m_page.entryLabel);
    m_entryAmount->setText(m_page.entryAmount);
    m_history->reload();
}

void TClientPage::focusFirstField()
{
    m_code->setFocus(Qt::OtherFocusReason);
}

void TClientPage::focusName()
{
    m_name->setFocus(Qt::OtherFocusReason);
}

bool TClientPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_due && event->type() == QEvent::FocusOut)
        leaveDue();
    return QWidget::eventFilter(watched, event);
}

// The note as the card keeps it: the raw text keeps no-break spaces, and
// block and line separators end note lines.
QString TClientPage::noteText() const
{
    QString text = m_note->document()->toRawText();
    return text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
}

void TClientPage::noteChanged()
{
    if (m_filteringNote)
        return;
    const QString raw = m_note->document()->toRawText();
    if (!cp1252::canEncode(noteText())) {
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
    const QString text = noteText();
    m_page.card().note = text.isEmpty() ? QStringList() : text.split(u'\n');
    m_page.touch();
}

void TClientPage::leaveDue()
{
    m_page.leaveDue();
    const QSignalBlocker blocker(m_due);
    m_due->setText(m_page.card().due);
}

void TClientPage::addHistory()
{
    QString error;
    if (!m_page.addHistory(&error)) {
        m_ui.inform(error);
        m_entryAmount->setFocus(Qt::OtherFocusReason);
        m_entryAmount->selectAll();
        return;
    }
    refresh();
}
