#include "client_page_widget.h"

#include "cards/ui/card_fields.h"
#include "cards/ui/grid_model.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
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
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The history grid's columns and their widths, in pixels.
enum HistoryColumn { Date, Label, Amount };
constexpr int kDateColumn = 94;
constexpr int kLabelColumn = 180;
constexpr int kAmountColumn = 97;

} // namespace

TClientPage::TClientPage(ClientPage &page, Ui &ui, QWidget *parent)
    : QWidget(parent), m_page(page), m_ui(ui),
      m_fields(new CardFields(this, [&page] { page.touch(); }))
{
    setLocale(QLocale(QLocale::French, QLocale::France));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildClientGroup(), 0, 0);
    layout->addWidget(buildHistoryGroup(), 0, 1);

    auto *notePanel = new QVBoxLayout;
    QPlainTextEdit *note = m_fields->note(m_page.card().note);
    notePanel->addWidget(buddyLabel(QStringLiteral("Observations"), note));
    notePanel->addWidget(note, 1);
    layout->addLayout(notePanel, 1, 0);
    layout->addWidget(buildHistoryPanel(), 1, 1);

    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    m_fields->chainTabOrder();
    refresh();
}

QWidget *TClientPage::buildClientGroup()
{
    ClientCard &card = m_page.card();
    auto *group = new QGroupBox(QStringLiteral("Client"));
    auto *form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto *codeRow = new QHBoxLayout;
    m_code = m_fields->text(card.code);
    fitChars(m_code, 8);
    codeRow->addWidget(m_code);
    codeRow->addSpacing(12);
    codeRow->addWidget(m_fields->check(QStringLiteral("NPAI"), card.npai));
    codeRow->addSpacing(6);
    codeRow->addWidget(m_fields->check(QStringLiteral("Marquer"), card.marked));
    codeRow->addStretch();
    form->addRow(buddyLabel(QStringLiteral("Code client"), m_code), codeRow);

    m_name = m_fields->text(card.name);
    form->addRow(buddyLabel(QStringLiteral("Nom Prénom"), m_name), m_name);
    for (QString *line : {&card.address1, &card.address2}) {
        QLineEdit *address = m_fields->text(*line);
        form->addRow(buddyLabel(QStringLiteral("Adresse"), address), address);
    }

    auto *townRow = new QHBoxLayout;
    QLineEdit *postalCode = m_fields->text(card.postalCode);
    fitChars(postalCode, 7);
    QLineEdit *town = m_fields->text(card.town);
    townRow->addWidget(postalCode);
    townRow->addSpacing(6);
    townRow->addWidget(buddyLabel(QStringLiteral("Ville"), town));
    townRow->addWidget(town, 1);
    form->addRow(buddyLabel(QStringLiteral("Code postal"), postalCode), townRow);

    QLineEdit *country = m_fields->text(card.country);
    form->addRow(buddyLabel(QStringLiteral("Pays"), country), country);

    auto *phoneRow = new QHBoxLayout;
    QLineEdit *phone = m_fields->text(card.phone);
    QLineEdit *fax = m_fields->text(card.fax);
    phoneRow->addWidget(phone, 1);
    phoneRow->addSpacing(6);
    phoneRow->addWidget(buddyLabel(QStringLiteral("Fax"), fax));
    phoneRow->addWidget(fax, 1);
    form->addRow(buddyLabel(QStringLiteral("Téléphone"), phone), phoneRow);

    QLineEdit *email = m_fields->text(card.email);
    form->addRow(buddyLabel(QStringLiteral("E.mail"), email), email);
    return group;
}

QWidget *TClientPage::buildHistoryGroup()
{
    ClientCard &card = m_page.card();
    auto *group = new QGroupBox(QStringLiteral("Historique"));
    auto *grid = new QGridLayout(group);
    // The first column holds short values (dates, room, amount); the
    // second, the texts that use the room a wider window gives.
    grid->setColumnStretch(3, 1);
    auto addPair = [grid](int row, int column, const QString &text, QWidget *field, int span = 1) {
        grid->addWidget(buddyLabel(text, field), row, column);
        grid->addWidget(field, row, column + 1, 1, span,
                        span == 1 && field->maximumWidth() < QWIDGETSIZE_MAX ? Qt::AlignLeft
                                                                             : Qt::Alignment());
    };

    addPair(0, 0, QStringLiteral("Créé le"), m_fields->date(card.created));
    addPair(0, 2, QStringLiteral("Pièce d'identité"), m_fields->text(card.idDocument));
    addPair(1, 0, QStringLiteral("Depuis le"), m_fields->date(card.since));
    addPair(1, 2, QStringLiteral("Départ le"), m_fields->date(card.leaving));

    auto *roomBox = new QWidget;
    auto *roomRow = new QHBoxLayout(roomBox);
    roomRow->setContentsMargins(0, 0, 0, 0);
    roomRow->setSpacing(2);
    QLineEdit *room = m_fields->text(card.room);
    fitChars(room, 6);
    auto *roomButton = new QToolButton;
    roomButton->setText(QStringLiteral("..."));
    roomButton->setToolTip(QStringLiteral("Liste des chambres"));
    connect(roomButton, &QToolButton::clicked, this, &TClientPage::roomPickerRequested);
    m_fields->addToTabOrder(roomButton);
    roomRow->addWidget(room);
    roomRow->addWidget(roomButton);
    roomRow->addStretch();
    grid->addWidget(buddyLabel(QStringLiteral("Chambre"), room), 2, 0);
    grid->addWidget(roomBox, 2, 1);

    QSpinBox *stays = m_fields->number(card.stays);
    stays->setMaximumWidth(stays->fontMetrics().horizontalAdvance(QString(10, u'0')) + 30);
    addPair(2, 2, QStringLiteral("Nb. séjours"), stays);

    addPair(3, 0, QStringLiteral("Date naiss."),
            m_fields->maskedDate(card.birthDate, QStringLiteral("99/99/0000")));
    addPair(3, 2, QStringLiteral("Sit. familiale"),
            m_fields->combo(card.family, kFamilySituations));

    QLineEdit *due = m_fields->text(card.due);
    fitChars(due, 10);
    due->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_fields->onLeave(due, [this] { m_page.leaveDue(); });
    addPair(4, 0, QStringLiteral("Total dû"), due);
    addPair(4, 2, QStringLiteral("Nationalité"), m_fields->text(card.nationality));
    addPair(5, 0, QStringLiteral("Profession"), m_fields->text(card.profession), 3);
    // A business client: what its invoices (and electronic invoices) name it by.
    addPair(6, 0, QStringLiteral("Raison sociale"), m_fields->text(card.business.legalName), 3);
    addPair(7, 0, QStringLiteral("SIREN/SIRET"), m_fields->text(card.business.siret));
    addPair(7, 2, QStringLiteral("N° TVA"), m_fields->text(card.business.vatNumber));

    auto *situationBox = new QGroupBox(QStringLiteral("Situation"));
    auto *situationRow = new QHBoxLayout(situationBox);
    m_situation = new QButtonGroup(this);
    for (int i = 0; i < kSituationNames.size(); ++i) {
        auto *radio = new QRadioButton(kSituationNames[i]);
        m_situation->addButton(radio, i);
        situationRow->addWidget(radio);
        m_fields->addToTabOrder(radio);
    }
    situationRow->addStretch();
    connect(m_situation, &QButtonGroup::idClicked, this, [this](int index) {
        m_page.pickSituation(index);
        refresh();
    });
    m_fields->addInput(m_situation);
    grid->addWidget(situationBox, 8, 0, 1, 4);
    return group;
}

QWidget *TClientPage::buildHistoryPanel()
{
    auto *panel = new QWidget;
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    // The entry row is the page's: typing in it marks nothing.
    auto *entryRow = new QHBoxLayout;
    entryRow->setSpacing(2);
    QDateEdit *entryDate = m_fields->date(m_page.entryDate, CardFields::MarksNothing);
    entryDate->setObjectName(QStringLiteral("entryDate"));
    entryDate->setToolTip(QStringLiteral("Date"));

    QLineEdit *entryLabel = m_fields->text(m_page.entryLabel, CardFields::MarksNothing);
    entryLabel->setObjectName(QStringLiteral("entryLabel"));
    entryLabel->setPlaceholderText(QStringLiteral("Libellé"));

    m_entryAmount = m_fields->amount(m_page.entryAmount, CardFields::MarksNothing);
    m_entryAmount->setObjectName(QStringLiteral("entryAmount"));
    m_entryAmount->setPlaceholderText(QStringLiteral("Montant"));
    m_entryAmount->setFixedWidth(kAmountColumn);
    connect(m_entryAmount, &QLineEdit::returnPressed, this, &TClientPage::addHistory);

    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setAutoDefault(false);
    ok->setFixedWidth(ok->fontMetrics().horizontalAdvance(QStringLiteral("OK")) + 24);
    connect(ok, &QPushButton::clicked, this, &TClientPage::addHistory);
    m_fields->addToTabOrder(ok);

    entryRow->addWidget(entryDate);
    entryRow->addWidget(entryLabel, 1);
    entryRow->addWidget(m_entryAmount);
    entryRow->addWidget(ok);
    column->addLayout(entryRow);

    m_history = new GridModel({{QStringLiteral("Date"), Qt::AlignLeft, true},
                               {QStringLiteral("Libellé"), Qt::AlignLeft, true},
                               {QStringLiteral("Montant"), Qt::AlignRight, true}},
                              this);
    m_shownHistory = m_page.shownHistory();
    m_history->setRows(int(m_shownHistory.size()), [this](int row, int column) -> QVariant {
        if (row >= m_shownHistory.size())
            return {};
        const HistoryRow &r = m_shownHistory[row];
        // Stored with the blanks that align it in the file; on screen the
        // cell aligns it in whatever font is installed.
        return column == Date ? r.date : column == Label ? r.label : r.amount.trimmed();
    });
    QTableView *grid = gridView(m_history);
    grid->setTabKeyNavigation(false);
    QHeaderView *header = grid->horizontalHeader();
    header->resizeSection(Date, kDateColumn);
    header->resizeSection(Label, kLabelColumn);
    header->resizeSection(Amount, kAmountColumn);
    // The label takes what the window gives beyond the three widths.
    header->setSectionResizeMode(Label, QHeaderView::Stretch);
    m_fields->addToTabOrder(grid);
    column->addWidget(grid, 1);
    return panel;
}

void TClientPage::refresh()
{
    m_fields->show();

    const QSignalBlocker blocker(m_situation);
    if (QAbstractButton *chosen = m_situation->button(m_page.card().situation)) {
        chosen->setChecked(true);
    } else {
        // An exclusive group never lets its last button go by itself.
        m_situation->setExclusive(false);
        for (QAbstractButton *button : m_situation->buttons())
            button->setChecked(false);
        m_situation->setExclusive(true);
    }
    m_shownHistory = m_page.shownHistory();
    m_history->reload(int(m_shownHistory.size()));
}

void TClientPage::focusFirstField()
{
    m_code->setFocus(Qt::OtherFocusReason);
}

void TClientPage::focusName()
{
    m_name->setFocus(Qt::OtherFocusReason);
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
