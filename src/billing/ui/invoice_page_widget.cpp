#include "invoice_page_widget.h"

#include "cards/ui/card_fields.h"
#include "clients/client_search.h"
#include "clients/ui/client_search_dialogs.h"
#include "invoice_grid.h"
#include "stock/ui/article_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The grid's column widths in pixels; "Désignation" takes what is left.
constexpr int kColumnWidths[invoicecol::Count] = {84, 64, 0, 64, 90, 46, 90, 28};

QLabel *amountLabel()
{
    auto *label = new QLabel;
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000000,00")));
    return label;
}

} // namespace

TInvoicePage::TInvoicePage(InvoicePage &page, Fiche &fiche, QWidget *parent)
    : QWidget(parent), m_page(page), m_fiche(fiche),
      m_fields(new CardFields(this, [&page] { page.touch(); }))
{
    setLocale(QLocale(QLocale::French, QLocale::France));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildHeader(), 0, 0);
    layout->addWidget(buildAddress(), 0, 1);
    layout->addWidget(buildGrid(), 1, 0, 1, 2);
    layout->addWidget(buildFooter(), 2, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(1, 1);

    m_fields->chainTabOrder();

    connect(&m_fiche, &Fiche::cardChanged, this, [this](PageId id) {
        if (id == PageId::Invoices)
            refresh();
    });
    // "Supprimer ligne" works on the row under the grid's cursor, while the
    // grid (or a cell being edited) has the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        const bool inGrid = now && (now == m_view || m_view->isAncestorOf(now));
        if (inGrid != m_page.gridFocus) {
            m_page.gridFocus = inGrid;
            emit gridFocusChanged(inGrid);
        }
    });
    refresh();
}

QWidget *TInvoicePage::buildHeader()
{
    InvoiceCard &card = m_page.card();
    auto *group = new QGroupBox(QStringLiteral("Facture"));
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(6);

    // Nine digits at most; a stored number is shown as it is.
    QLineEdit *number = m_fields->text(card.number);
    number->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]{0,9}")), number));
    fitChars(number, 10);
    grid->addWidget(buddyLabel(QStringLiteral("N° de facture"), number), 0, 0);
    grid->addWidget(number, 0, 1);
    QDateEdit *date = m_fields->date(card.date);
    grid->addWidget(buddyLabel(QStringLiteral("Date"), date), 0, 2);
    grid->addWidget(date, 0, 3);

    auto *clientRow = new QHBoxLayout;
    clientRow->setSpacing(2);
    m_client = m_fields->text(card.client);
    m_client->setMaxLength(5);
    fitChars(m_client, 6);
    auto *clientButton = new QToolButton;
    clientButton->setText(QStringLiteral("..."));
    clientButton->setToolTip(QStringLiteral("Clients présents"));
    connect(clientButton, &QToolButton::clicked, this, &TInvoicePage::pickClient);
    m_fields->addToTabOrder(clientButton);
    clientRow->addWidget(m_client);
    clientRow->addWidget(clientButton);
    clientRow->addStretch();
    grid->addWidget(buddyLabel(QStringLiteral("Code client"), m_client), 1, 0);
    grid->addLayout(clientRow, 1, 1);
    QLineEdit *room = m_fields->text(card.room);
    fitChars(room, 6);
    grid->addWidget(buddyLabel(QStringLiteral("Chambre"), room), 1, 2);
    grid->addWidget(room, 1, 3);

    m_payment = m_fields->combo(card.payment, m_fiche.lists().paymentModes);
    grid->addWidget(buddyLabel(QStringLiteral("Règlement"), m_payment), 2, 0);
    grid->addWidget(m_payment, 2, 1);
    QLineEdit *occupant = m_fields->text(card.occupant);
    grid->addWidget(buddyLabel(QStringLiteral("Occupant"), occupant), 2, 2);
    grid->addWidget(occupant, 2, 3);

    QDateEdit *from = m_fields->date(card.stayFrom);
    grid->addWidget(buddyLabel(QStringLiteral("Séjour du"), from), 3, 0);
    grid->addWidget(from, 3, 1);
    QDateEdit *to = m_fields->date(card.stayTo);
    grid->addWidget(buddyLabel(QStringLiteral("Au"), to), 3, 2);
    grid->addWidget(to, 3, 3);

    m_vatSwitch = m_fields->check(QStringLiteral("Resortir la TVA"), card.vatShown);
    connect(m_vatSwitch, &QCheckBox::toggled, this, &TInvoicePage::showTotals);
    grid->addWidget(m_vatSwitch, 4, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget *TInvoicePage::buildAddress()
{
    auto *group = new QGroupBox(QStringLiteral("Coordonnées du client"));
    auto *column = new QVBoxLayout(group);
    for (std::size_t i = 0; i < m_page.card().address.size(); ++i) {
        QLineEdit *line = m_fields->text(m_page.card().address[i]);
        line->setAccessibleName(QStringLiteral("Adresse %1").arg(i + 1));
        column->addWidget(line);
    }
    column->addStretch();
    return group;
}

QWidget *TInvoicePage::buildGrid()
{
    m_grid = new InvoiceGridModel(m_page, this);
    m_view = gridView(m_grid);
    m_view->setObjectName(QStringLiteral("lines"));
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setTabKeyNavigation(true);
    m_view->setItemDelegate(new InvoiceCellDelegate(
        m_page, [this](QChar key) { return gridKey(key); },
        [this] {
            m_view->setFocus();
            afterEnter();
        },
        m_view));
    QHeaderView *header = m_view->horizontalHeader();
    for (int c = 0; c < invoicecol::Count; ++c)
        if (kColumnWidths[c] > 0)
            header->resizeSection(c, kColumnWidths[c]);
    header->setSectionResizeMode(invoicecol::Designation, QHeaderView::Stretch);
    m_view->installEventFilter(this);
    connect(m_view, &QTableView::clicked, this, &TInvoicePage::gridClicked);
    m_fields->addToTabOrder(m_view);
    return m_view;
}

QWidget *TInvoicePage::buildFooter()
{
    auto *panel = new QWidget;
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);

    QPlainTextEdit *memo = m_fields->note(m_page.card().memo);
    memo->setMaximumHeight(memo->fontMetrics().lineSpacing() * 4 + 10);
    auto *memoColumn = new QVBoxLayout;
    memoColumn->addWidget(buddyLabel(QStringLiteral("Observations"), memo));
    memoColumn->addWidget(memo);
    row->addLayout(memoColumn, 1);

    auto *totals = new QGridLayout;
    m_total = amountLabel();
    m_total->setObjectName(QStringLiteral("total"));
    m_currency = new QLabel;
    m_currency->setObjectName(QStringLiteral("currency"));
    totals->addWidget(new QLabel(QStringLiteral("TOTAL TTC")), 0, 0);
    totals->addWidget(m_total, 0, 1);
    totals->addWidget(m_currency, 0, 2);
    m_vat = amountLabel();
    m_vat->setObjectName(QStringLiteral("vat"));
    auto *vatCaption = new QLabel(QStringLiteral("TVA"));
    auto *vatCurrency = new QLabel(QStringLiteral("Euros"));
    totals->addWidget(vatCaption, 1, 0);
    totals->addWidget(m_vat, 1, 1);
    totals->addWidget(vatCurrency, 1, 2);
    m_vatWidgets = {vatCaption, m_vat, vatCurrency};
    totals->setRowStretch(2, 1);
    row->addLayout(totals);

    auto *actions = new QVBoxLayout;
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    QFont bold = m_status->font();
    bold.setBold(true);
    m_status->setFont(bold);
    actions->addWidget(m_status);
    auto *buttons = new QHBoxLayout;
    auto *create = new QPushButton(QStringLiteral("Créer"));
    connect(create, &QPushButton::clicked, this, &TInvoicePage::create);
    m_validate = new QPushButton(QStringLiteral("Valider"));
    connect(m_validate, &QPushButton::clicked, this, &TInvoicePage::validate);
    auto *print = new QPushButton(QStringLiteral("Imprimer"));
    connect(print, &QPushButton::clicked, this, &TInvoicePage::printRequested);
    for (QPushButton *b : {create, m_validate, print}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
        m_fields->addToTabOrder(b);
    }
    actions->addLayout(buttons);
    actions->addStretch();
    row->addLayout(actions);
    return panel;
}

void TInvoicePage::refresh()
{
    // The payment list may have been edited since the page was built.
    const QStringList &payments = m_fiche.lists().paymentModes;
    QStringList shown;
    for (int i = 0; i < m_payment->count(); ++i)
        shown << m_payment->itemText(i);
    if (shown != payments) {
        const QSignalBlocker blocker(m_payment);
        m_payment->clear();
        m_payment->addItems(payments);
    }
    m_fields->show();

    const bool validated = m_page.card().validated;
    m_grid->setReadOnly(validated);
    m_view->setEditTriggers(validated ? QAbstractItemView::NoEditTriggers
                                      : QAbstractItemView::AnyKeyPressed |
                                            QAbstractItemView::EditKeyPressed |
                                            QAbstractItemView::DoubleClicked);
    m_grid->reload();
    m_status->setText(m_page.statusText());
    m_validate->setEnabled(!validated);
    showTotals();
}

void TInvoicePage::showTotals()
{
    const InvoiceTotals &totals = m_page.totals();
    m_total->setText(totals.totalText);
    m_currency->setText(m_page.currencyLabel());
    m_vat->setText(totals.vatText);
    for (QWidget *w : m_vatWidgets)
        w->setVisible(m_page.card().vatShown);
}

void TInvoicePage::focusFirstField()
{
    m_client->setFocus(Qt::OtherFocusReason);
}

QChar TInvoicePage::gridKey(QChar key)
{
    const QModelIndex at = m_view->currentIndex();
    if (!at.isValid() || m_page.card().validated)
        return key;
    LineGrid &lines = m_page.card().lines;
    lines.cursorRow = at.row() + 1;
    lines.cursorColumn = at.column();
    return m_page.StringGrid5KeyPress(key);
}

void TInvoicePage::afterEnter()
{
    m_grid->reload();
    showTotals();
    followCursor();
}

void TInvoicePage::followCursor()
{
    const LineGrid &lines = m_page.card().lines;
    m_view->setCurrentIndex(m_grid->index(lines.cursorRow - 1, lines.cursorColumn));
}

bool TInvoicePage::eventFilter(QObject *watched, QEvent *event)
{
    // Enter, and TAB in "T", on the grid itself (no cell being edited).
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const QChar typed = InvoiceCellDelegate::keyChar(*static_cast<QKeyEvent *>(event));
        if (typed == LineGrid::kEnter || typed == LineGrid::kTab) {
            const QChar key = gridKey(typed);
            if (key == LineGrid::kEnter)
                afterEnter();
            if (key != LineGrid::kTab)
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TInvoicePage::gridClicked(const QModelIndex &index)
{
    if (!index.isValid() || m_page.card().validated)
        return;
    LineGrid &lines = m_page.card().lines;
    lines.cursorRow = index.row() + 1;
    lines.cursorColumn = index.column();
    QString picked;
    if (m_page.wantsArticlePicker()) {
        TListeArt1 dialog(this);
        dialog.Init(m_fiche.set().table(Table::Articles));
        m_show(dialog);
        picked = dialog.Result();
    }
    m_page.StringGrid5Click(picked);
    m_grid->reload();
    followCursor();
}

void TInvoicePage::pickClient()
{
    TListeCli dialog(this);
    dialog.Init(presentGuests(m_fiche.set().table(Table::Clients)));
    m_show(dialog);
    m_page.pickClient(dialog.Result());
    m_fields->show();
}

void TInvoicePage::create()
{
    m_page.Creer();
    refresh();
    focusFirstField();
}

void TInvoicePage::validate()
{
    m_page.Valider();
    refresh();
}
