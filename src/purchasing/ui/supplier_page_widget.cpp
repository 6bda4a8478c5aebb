#include "supplier_page_widget.h"

#include "cards/ui/card_fields.h"
#include "cards/ui/grid_model.h"
#include "clients/ui/client_search_dialogs.h"
#include "supplier_dialogs.h"

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

// The statement grid's columns, in pixels.
constexpr int kDateColumn = 94;
constexpr int kLabelColumn = 178;
constexpr int kAmountColumn = 97;

QFormLayout *formIn(QGroupBox *group)
{
    auto *form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setVerticalSpacing(4);
    return form;
}

// Two fields on one form row: the first beside the row's label, the
// second after its own label; `grows` says which takes the room left.
enum class Grows { First, Second, Neither };
QHBoxLayout *pair(QWidget *first, const QString &secondLabel, QWidget *second,
                  Grows grows = Grows::Second)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(first, grows == Grows::First ? 1 : 0);
    row->addSpacing(8);
    row->addWidget(buddyLabel(secondLabel, second));
    row->addWidget(second, grows == Grows::Second ? 1 : 0);
    if (grows == Grows::Neither)
        row->addStretch(1);
    return row;
}

} // namespace

TSupplierPage::TSupplierPage(SupplierPage &page, QWidget *parent)
    : QWidget(parent), m_page(page), m_fields(new CardFields(this, [&page] { page.touch(); }))
{
    setLocale(QLocale(QLocale::French, QLocale::France));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto *left = new QVBoxLayout;
    left->addWidget(buildSupplierGroup());
    left->addWidget(buildBankGroup());
    left->addWidget(buildOtherGroup());
    left->addStretch(1);
    layout->addLayout(left, 0, 0, 2, 1);

    QPlainTextEdit *note = m_fields->note(m_page.card().observations);
    auto *noteBox = new QVBoxLayout;
    noteBox->addWidget(buddyLabel(QStringLiteral("Observations"), note));
    noteBox->addWidget(note);
    layout->addLayout(noteBox, 0, 1);
    layout->addWidget(buildStatementGroup(), 1, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);
    layout->setRowStretch(1, 3);

    m_fields->chainTabOrder();

    connect(&m_page.fiche(), &Fiche::cardChanged, this, [this](PageId id) {
        if (id == PageId::Suppliers)
            refresh();
    });
    refresh();
}

QLineEdit *TSupplierPage::addText(QFormLayout *form, const QString &label, QString &value)
{
    QLineEdit *field = m_fields->text(value);
    form->addRow(buddyLabel(label, field), field);
    return field;
}

QWidget *TSupplierPage::buildSupplierGroup()
{
    SupplierCard &card = m_page.card();
    auto *group = new QGroupBox(QStringLiteral("Fournisseur"));
    QFormLayout *form = formIn(group);

    QLineEdit *code = m_fields->text(card.code);
    fitChars(code, 8);
    m_family = m_fields->combo(card.family, m_page.fiche().lists().supplierFamilies);
    form->addRow(buddyLabel(QStringLiteral("Code"), code),
                 pair(code, QStringLiteral("Famille"), m_family));

    // The cursor goes to the name when the page is shown.
    setFocusProxy(addText(form, QStringLiteral("Nom/Soc"), card.name));
    addText(form, QStringLiteral("Adresse"), card.address1);
    addText(form, QStringLiteral("Adresse"), card.address2);

    QLineEdit *postalCode = m_fields->text(card.postalCode);
    fitChars(postalCode, 6);
    QLineEdit *town = m_fields->text(card.town);
    form->addRow(buddyLabel(QStringLiteral("Code postal"), postalCode),
                 pair(postalCode, QStringLiteral("Ville"), town));
    addText(form, QStringLiteral("Pays"), card.country);

    QLineEdit *phone = m_fields->text(card.phone);
    QLineEdit *fax = m_fields->text(card.fax);
    fitChars(phone, 14);
    fitChars(fax, 14);
    form->addRow(buddyLabel(QStringLiteral("Téléphone"), phone),
                 pair(phone, QStringLiteral("Fax"), fax, Grows::Neither));
    addText(form, QStringLiteral("E.mail"), card.email);
    return group;
}

QWidget *TSupplierPage::buildBankGroup()
{
    SupplierCard &card = m_page.card();
    auto *group = new QGroupBox(QStringLiteral("Banque"));
    QFormLayout *form = formIn(group);
    // No list of banks is kept: the name is typed.
    QComboBox *bank = m_fields->combo(card.bank, {});
    form->addRow(buddyLabel(QStringLiteral("Nom"), bank), bank);

    QLineEdit *bankCode = m_fields->text(card.bankCode);
    fitChars(bankCode, 6);
    QLineEdit *branchCode = m_fields->text(card.branchCode);
    fitChars(branchCode, 6);
    form->addRow(buddyLabel(QStringLiteral("Code banque"), bankCode),
                 pair(bankCode, QStringLiteral("Code guichet"), branchCode, Grows::Neither));

    QLineEdit *accountNumber = m_fields->text(card.accountNumber);
    QLineEdit *key = m_fields->text(card.accountKey);
    fitChars(key, 3);
    form->addRow(buddyLabel(QStringLiteral("N° compte"), accountNumber),
                 pair(accountNumber, QStringLiteral("Rib"), key, Grows::First));
    return group;
}

QWidget *TSupplierPage::buildOtherGroup()
{
    SupplierCard &card = m_page.card();
    auto *group = new QGroupBox(QStringLiteral("Divers"));
    QFormLayout *form = formIn(group);
    addText(form, QStringLiteral("Site Web"), card.website);
    addText(form, QStringLiteral("Représentant"), card.representative);

    QLineEdit *credit = m_fields->text(card.creditLimit);
    QLineEdit *owed = m_fields->text(card.totalOwed);
    for (QLineEdit *amount : {credit, owed}) {
        amount->setAlignment(Qt::AlignRight);
        fitChars(amount, 10);
    }
    form->addRow(buddyLabel(QStringLiteral("Crédit maxi"), credit),
                 pair(credit, QStringLiteral("Total dû"), owed, Grows::Neither));

    QComboBox *risk = m_fields->combo(card.risk, SupplierPage::kRisks);
    QLineEdit *account = m_fields->text(card.account);
    fitChars(account, 10);
    form->addRow(buddyLabel(QStringLiteral("Risque"), risk),
                 pair(risk, QStringLiteral("Compte fourn."), account, Grows::First));
    return group;
}

QWidget *TSupplierPage::buildStatementGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Relevé de compte"));
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(4);

    // Date, label, amount and "OK" above the grid. The row is the page's,
    // not the card's: what is typed there marks nothing until "OK".
    const auto nothing = CardFields::MarksNothing;
    QWidget *entry[] = {m_fields->date(m_page.entryDate, nothing),
                        m_fields->text(m_page.entryLabel, nothing),
                        m_fields->amount(m_page.entryAmount, nothing),
                        new QPushButton(QStringLiteral("OK"))};
    const char16_t *names[] = {u"entryDate", u"entryLabel", u"entryAmount", u"entryOk"};
    for (int i = 0; i < 4; ++i) {
        entry[i]->setObjectName(QString::fromUtf16(names[i]));
        grid->addWidget(entry[i], 0, i);
        if (auto *field = qobject_cast<QLineEdit *>(entry[i])) {
            field->setPlaceholderText(i == 1 ? QStringLiteral("Libellé") : QStringLiteral("Montant"));
            connect(field, &QLineEdit::returnPressed, this, &TSupplierPage::addStatementRow);
        }
    }
    fitChars(entry[2], 9);
    auto *ok = static_cast<QPushButton *>(entry[3]);
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TSupplierPage::addStatementRow);
    m_fields->addToTabOrder(ok);
    grid->setColumnStretch(1, 1);

    m_statement = new GridModel({{QStringLiteral("Date")},
                                 {QStringLiteral("Libellé")},
                                 {QStringLiteral("Montant"), Qt::AlignRight, true}},
                                this);
    m_statement->setRows(SupplierCard::kStatementRows, [this](int row, int column) {
        const StatementRow &r = m_page.card().statement[row];
        const QString cells[] = {r.date, r.label, r.amount.trimmed()};
        return cells[column];
    });
    QTableView *rows = gridView(m_statement);
    rows->setObjectName(QStringLiteral("statement"));
    rows->setTabKeyNavigation(false);
    // The label gives way so the three columns always fit.
    const int widths[] = {kDateColumn, kLabelColumn, kAmountColumn};
    for (int c = 0; c < 3; ++c)
        rows->horizontalHeader()->resizeSection(c, widths[c]);
    rows->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    rows->setMinimumWidth(widths[0] + widths[1] / 2 + widths[2]);
    m_fields->addToTabOrder(rows);
    grid->addWidget(rows, 1, 0, 1, 4);
    grid->setRowStretch(1, 1);
    return group;
}

void TSupplierPage::refresh()
{
    // The family list may have been edited since the page was built.
    if (const QStringList &families = m_page.fiche().lists().supplierFamilies;
        families != m_families) {
        m_families = families;
        const QSignalBlocker quiet(m_family);
        m_family->clear();
        m_family->addItems(families);
    }
    m_fields->show();
    m_statement->reload(SupplierCard::kStatementRows);
}

void TSupplierPage::addStatementRow()
{
    m_page.addStatementRow();
    refresh();
}

void TSupplierPage::SetFour(int mode, const ShowDialog &show)
{
    std::optional<QString> family;
    if (mode == 2) {
        TFour dialog(this);
        dialog.Init(m_page.fiche().lists().supplierFamilies, m_page.card().family);
        show(dialog);
        family = dialog.Result();
    }
    m_page.SetFour(mode, family);
}

void TSupplierPage::RechNom(const ShowDialog &show)
{
    TRechNom dialog(this);
    dialog.Init();
    show(dialog);
    m_page.RechNom(dialog.Result());
}

void TSupplierPage::Liste(const ShowDialog &show)
{
    const auto rows = m_page.Liste();
    if (!rows)
        return;
    TFListe7 dialog(this);
    dialog.Init(*rows);
    dialog.setWindowState(Qt::WindowMaximized);
    show(dialog);
    if (dialog.Result() >= 0)
        m_page.showBlock(dialog.Result());
}
