#include "order_page_widget.h"

#include "billing/ui/invoice_grid.h"
#include "cards/ui/card_fields.h"
#include "supplier_picker.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Column widths in pixels; "Désignation" takes what is left.
constexpr int kColumnWidths[ordercol::Count] = {90, 0, 80, 96, 50, 100, 28};

} // namespace

TOrderPage::TOrderPage(OrderPage &page, Fiche &fiche, QWidget *parent)
    : QWidget(parent), m_page(page), m_fiche(fiche),
      m_fields(new CardFields(this, [&page] { page.touch(); }))
{
    setLocale(QLocale(QLocale::French, QLocale::France));

    const LineGridAccess access{[&page]() -> LineGrid & { return page.card().lines; },
                                [&page]() -> const QList<BadCell> & { return page.totals().bad; },
                                [&page] { page.touch(); }};
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildHeader(), 0, 0);
    layout->addWidget(buildAddress(), 0, 1);

    m_gridModel = new LineGridModel(access, orderHeadings(false),
                                    {ordercol::Quantity, ordercol::Price, ordercol::Amount}, this);
    m_gridView = new LineGridView(
        m_gridModel, access, -1, [this](QChar key) { return m_page.StringGrid8KeyPress(key); },
        this);
    QTableView *view = m_gridView->view();
    for (int c = 0; c < ordercol::Count; ++c)
        if (kColumnWidths[c] > 0)
            view->horizontalHeader()->resizeSection(c, kColumnWidths[c]);
    view->horizontalHeader()->setSectionResizeMode(ordercol::Designation, QHeaderView::Stretch);
    connect(m_gridView, &LineGridView::entered, this, &TOrderPage::showTotals);
    connect(m_gridView, &LineGridView::focusChanged, this, [this](bool focused) {
        m_page.gridFocus = focused;
        emit gridFocusChanged(focused);
    });
    m_fields->addToTabOrder(view);
    layout->addWidget(view, 1, 0, 1, 2);
    layout->addWidget(buildFooter(), 2, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(1, 1);
    m_fields->chainTabOrder();
    setFocusProxy(m_supplier);

    connect(&m_fiche, &Fiche::cardChanged, this, [this](PageId id) {
        if (id == PageId::Orders)
            refresh();
    });
    refresh();
}

QWidget *TOrderPage::buildHeader()
{
    OrderCard &card = m_page.card();
    auto *group = new QGroupBox(QStringLiteral("Commande"));
    auto *grid = new QGridLayout(group);

    // Nine places, each a digit, a sign or a blank.
    QLineEdit *number = m_fields->text(card.number);
    number->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9+\\- ]{0,9}")), number));
    fitChars(number, 10);
    grid->addWidget(buddyLabel(QStringLiteral("N° de commande"), number), 0, 0);
    grid->addWidget(number, 0, 1);
    QDateEdit *date = m_fields->date(card.date);
    grid->addWidget(buddyLabel(QStringLiteral("Date"), date), 0, 2);
    grid->addWidget(date, 0, 3);

    m_supplier = m_fields->text(card.supplier);
    m_supplier->setMaxLength(5);
    fitChars(m_supplier, 6);
    auto *pick = new QToolButton;
    pick->setText(QStringLiteral("..."));
    pick->setToolTip(QStringLiteral("Liste des fournisseurs"));
    connect(pick, &QToolButton::clicked, this, &TOrderPage::pickSupplier);
    m_fields->addToTabOrder(pick);
    auto *supplierRow = new QHBoxLayout;
    supplierRow->setSpacing(2);
    supplierRow->addWidget(m_supplier);
    supplierRow->addWidget(pick);
    supplierRow->addStretch();
    grid->addWidget(buddyLabel(QStringLiteral("Code fournisseur"), m_supplier), 1, 0);
    grid->addLayout(supplierRow, 1, 1);

    QComboBox *payment = m_fields->combo(card.payment, orderPaymentTerms());
    grid->addWidget(buddyLabel(QStringLiteral("Conditions de réglement"), payment), 2, 0);
    grid->addWidget(payment, 2, 1, 1, 3);

    m_withoutTax = new QRadioButton(QStringLiteral("Commande H.T."));
    m_withTax = new QRadioButton(QStringLiteral("Commande TTC"));
    auto *choice = new QButtonGroup(group);
    auto *taxRow = new QHBoxLayout;
    for (QRadioButton *b : {m_withoutTax, m_withTax}) {
        choice->addButton(b);
        m_fields->addInput(b);
        m_fields->addToTabOrder(b);
        taxRow->addWidget(b);
    }
    taxRow->addStretch();
    connect(m_withTax, &QRadioButton::toggled, this, [this](bool on) {
        m_page.setPricesWithTax(on);
        m_gridModel->reload();
        showTotals();
    });
    grid->addLayout(taxRow, 3, 1, 1, 3);
    for (int column : {1, 3})
        grid->setColumnStretch(column, 1);
    return group;
}

QWidget *TOrderPage::buildAddress()
{
    auto *group = new QGroupBox(QStringLiteral("Coordonnées du fournisseur"));
    auto *column = new QVBoxLayout(group);
    int n = 0;
    for (QString &line : m_page.card().address) {
        QLineEdit *edit = m_fields->text(line);
        edit->setAccessibleName(QStringLiteral("Adresse %1").arg(++n));
        column->addWidget(edit);
    }
    column->addStretch();
    return group;
}

QWidget *TOrderPage::buildFooter()
{
    m_exclusive = totalPanel(QStringLiteral("exclusive"));
    m_vat = totalPanel(QStringLiteral("vat"));
    m_total = totalPanel(QStringLiteral("total"));
    m_currency = new QLabel;
    m_currency->setObjectName(QStringLiteral("currency"));
    auto *totalRow = new QHBoxLayout;
    totalRow->addWidget(m_total);
    totalRow->addWidget(m_currency);
    auto *totals = new QFormLayout;
    totals->addRow(QStringLiteral("Total H.T."), m_exclusive);
    totals->addRow(QStringLiteral("Total TVA"), m_vat);
    totals->addRow(QStringLiteral("TOTAL TTC"), totalRow);

    m_foot = linePageFoot(*m_fields, m_page.card().memo, totals);
    connect(m_foot.create, &QPushButton::clicked, this, [this] {
        m_page.Creer();
        refresh();
        focusFirstField();
    });
    connect(m_foot.validate, &QPushButton::clicked, this, [this] {
        m_page.Valider();
        refresh();
    });
    connect(m_foot.print, &QPushButton::clicked, this, &TOrderPage::printRequested);
    return m_foot.panel;
}

void TOrderPage::refresh()
{
    m_fields->show();
    {
        const auto blocked = m_fields->block();
        (m_page.card().pricesWithTax ? m_withTax : m_withoutTax)->setChecked(true);
    }
    const bool validated = m_page.card().validated;
    m_gridView->setReadOnly(validated);
    m_gridModel->reload();
    m_foot.status->setText(m_page.statusText());
    m_foot.validate->setEnabled(!validated);
    showTotals();
}

void TOrderPage::showTotals()
{
    const LineTotals &t = m_page.totals();
    m_gridModel->setHeading(ordercol::Amount,
                            orderHeadings(m_page.card().pricesWithTax).at(ordercol::Amount));
    m_exclusive->setText(t.exclusiveText);
    m_vat->setText(t.vatText);
    m_total->setText(t.totalText);
    m_currency->setText(m_page.currencyLabel());
}

void TOrderPage::focusFirstField()
{
    m_supplier->setFocus(Qt::OtherFocusReason);
}

void TOrderPage::pickSupplier()
{
    TListeFour dialog(this);
    dialog.Init(m_fiche.set().table(Table::Suppliers));
    m_show(dialog);
    m_page.pickSupplier(dialog.Result());
    m_fields->show();
}
