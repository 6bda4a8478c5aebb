#include "article_page_widget.h"

#include "article_dialogs.h"
#include "cards/ui/card_fields.h"
#include "cards/ui/grid_model.h"

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
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The movement grid's columns and their widths, in pixels.
constexpr int kDateColumn = 94;
constexpr int kLabelColumn = 178;
constexpr int kQuantityColumn = 97;

} // namespace

TArticlePage::TArticlePage(ArticlePage &page, QWidget *parent)
    : QWidget(parent), m_page(page), m_fields(new CardFields(this, [&page] { page.touch(); }))
{
    setLocale(QLocale(QLocale::French, QLocale::France));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildArticleGroup(), 0, 0);
    layout->addWidget(buildNotes(), 1, 0);
    layout->addWidget(buildMovementGroup(), 0, 1, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    m_fields->chainTabOrder();

    connect(&m_page.fiche(), &Fiche::cardChanged, this, [this](PageId id) {
        if (id == PageId::Articles)
            refresh();
    });
    refresh();
}

QWidget *TArticlePage::buildArticleGroup()
{
    ArticleCard &card = m_page.card();
    auto *group = new QGroupBox(QStringLiteral("Article"));
    auto *form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    auto *codeRow = new QHBoxLayout;
    m_code = m_fields->text(card.code);
    fitChars(m_code, 8);
    m_family = m_fields->combo(card.family, m_page.fiche().lists().articleFamilies);
    codeRow->addWidget(m_code);
    codeRow->addSpacing(12);
    codeRow->addWidget(buddyLabel(QStringLiteral("Famille"), m_family));
    codeRow->addWidget(m_family, 1);
    form->addRow(buddyLabel(QStringLiteral("Code article"), m_code), codeRow);

    QLineEdit *designation = m_fields->text(card.designation);
    form->addRow(buddyLabel(QStringLiteral("Désignation"), designation), designation);

    QLineEdit *price = m_fields->amount(card.price);
    fitChars(price, 12);
    m_fields->onEnter(price, [this] { m_page.enterPrice(); });
    m_fields->onLeave(price, [this] { m_page.leavePrice(); });
    form->addRow(buddyLabel(QStringLiteral("Prix"), price), price);

    QLineEdit *rate = m_fields->amount(card.rate);
    fitChars(rate, 5);
    m_fields->onEnter(rate, [this] { m_page.enterRate(); });
    m_fields->onLeave(rate, [this] { m_page.leaveRate(); });
    form->addRow(buddyLabel(QStringLiteral("Taux TVA"), rate), rate);

    QLineEdit *account = m_fields->text(card.account);
    fitChars(account, 10);
    form->addRow(buddyLabel(QStringLiteral("Compte"), account), account);

    // The suppliers have no list of their own here: the name is typed.
    QComboBox *supplier = m_fields->combo(card.supplier, {});
    form->addRow(buddyLabel(QStringLiteral("Fournisseur"), supplier), supplier);
    return group;
}

QWidget *TArticlePage::buildNotes()
{
    ArticleCard &card = m_page.card();
    auto *panel = new QWidget;
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    QPlainTextEdit *description = m_fields->note(card.description);
    QPlainTextEdit *observations = m_fields->note(card.observations);
    grid->addWidget(buddyLabel(QStringLiteral("Description"), description), 0, 0);
    grid->addWidget(description, 1, 0);
    grid->addWidget(buddyLabel(QStringLiteral("Observations"), observations), 2, 0);
    grid->addWidget(observations, 3, 0);
    return panel;
}

QWidget *TArticlePage::buildMovementGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Mouvements de stock"));
    auto *column = new QVBoxLayout(group);

    // The entry row is the page's: typing in it marks nothing.
    auto *entry = new QHBoxLayout;
    entry->setSpacing(4);
    QDateEdit *date = m_fields->date(m_page.entryDate, CardFields::MarksNothing);
    date->setObjectName(QStringLiteral("entryDate"));
    QLineEdit *label = m_fields->text(m_page.entryLabel, CardFields::MarksNothing);
    label->setObjectName(QStringLiteral("entryLabel"));
    label->setPlaceholderText(QStringLiteral("Libellé"));
    QLineEdit *quantity = m_fields->amount(m_page.entryQuantity, CardFields::MarksNothing);
    quantity->setObjectName(QStringLiteral("entryQuantity"));
    quantity->setPlaceholderText(QStringLiteral("Quantité"));
    fitChars(quantity, 9);
    for (QLineEdit *field : {label, quantity})
        connect(field, &QLineEdit::returnPressed, this, &TArticlePage::addMovement);
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TArticlePage::addMovement);
    m_fields->addToTabOrder(ok);
    entry->addWidget(date);
    entry->addWidget(label, 1);
    entry->addWidget(quantity);
    entry->addWidget(ok);
    column->addLayout(entry);

    m_movements = new GridModel({{QStringLiteral("Date")},
                                 {QStringLiteral("Libellé")},
                                 {QStringLiteral("Quantité"), Qt::AlignRight, true}},
                                this);
    m_movements->setRows(ArticleCard::kMovementRows, [this](int row, int column) {
        const MovementRow &r = m_page.card().movements[row];
        return column == 0 ? r.date : column == 1 ? r.label : r.quantity.trimmed();
    });
    QTableView *grid = gridView(m_movements);
    grid->setObjectName(QStringLiteral("movements"));
    grid->setTabKeyNavigation(false);
    // The label takes what the date and the quantity leave, so the three
    // columns always fit.
    QHeaderView *header = grid->horizontalHeader();
    header->resizeSection(0, kDateColumn);
    header->resizeSection(1, kLabelColumn);
    header->resizeSection(2, kQuantityColumn);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    grid->setMinimumWidth(kDateColumn + kLabelColumn / 2 + kQuantityColumn);
    m_fields->addToTabOrder(grid);
    column->addWidget(grid, 1);
    return group;
}

void TArticlePage::refresh()
{
    // The family list may have been edited since the page was built.
    const QStringList &families = m_page.fiche().lists().articleFamilies;
    QStringList shown;
    for (int i = 0; i < m_family->count(); ++i)
        shown << m_family->itemText(i);
    if (shown != families) {
        const QSignalBlocker blocker(m_family);
        m_family->clear();
        m_family->addItems(families);
    }
    m_fields->show();
    m_movements->reload(ArticleCard::kMovementRows);
}

void TArticlePage::focusFirstField()
{
    m_code->setFocus(Qt::OtherFocusReason);
}

void TArticlePage::addMovement()
{
    m_page.addMovement();
    refresh();
}

int TArticlePage::execDialog(QDialog &dialog)
{
    return dialog.exec();
}

void TArticlePage::SetArt(int mode, const ShowDialog &show)
{
    std::optional<QString> family;
    if (mode == 2) {
        TArticle dialog(this);
        dialog.Init(m_page.fiche().lists().articleFamilies, m_page.card().family);
        show(dialog);
        family = dialog.Result();
    }
    m_page.SetArt(mode, family);
}

void TArticlePage::RechArt(const ShowDialog &show)
{
    TRArt dialog(this);
    dialog.Init();
    show(dialog);
    m_page.RechArt(dialog.Result());
}

void TArticlePage::Liste(const ShowDialog &show)
{
    const auto rows = m_page.Liste();
    if (!rows)
        return;
    TFListe6 dialog(this);
    dialog.Init(*rows);
    dialog.setWindowState(Qt::WindowMaximized);
    show(dialog);
    if (dialog.Result() >= 0)
        m_page.showBlock(dialog.Result());
}
