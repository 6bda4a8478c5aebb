#include "main_courante_page_widget.h"

#include "cards/ui/card_fields.h"
#include "cards/ui/grid_model.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The sheet's columns: room, name, nights, then the five amounts.
constexpr int kColumnCount = 3 + kPaymentCount;
constexpr std::array<int, kColumnCount> kWidths = {56, 180, 56, 100, 100, 100, 100, 100};

QList<GridModel::Column> sheetColumns()
{
    QList<GridModel::Column> columns = {{QStringLiteral("N° ch")},
                                        {QStringLiteral("Nom")},
                                        {QStringLiteral("Nuits"), Qt::AlignRight, true}};
    for (const QString &title : paymentTitles())
        columns.append({title, Qt::AlignRight, true});
    return columns;
}

QString cellOf(const DayRow &row, int column)
{
    switch (column) {
    case 0:
        return row.room;
    case 1:
        return row.name;
    case 2:
        return row.nights.trimmed();
    default:
        return row.amounts[std::size_t(column - 3)].trimmed();
    }
}

} // namespace

TMainCourantePage::TMainCourantePage(MainCourantePage &page, QWidget *parent)
    : QWidget(parent), m_page(page), m_fields(new CardFields(this, [&page] { page.touch(); }))
{
    setLocale(QLocale(QLocale::French, QLocale::France));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    m_caption = new QLabel;
    m_caption->setObjectName(QStringLiteral("caption"));
    QFont big = m_caption->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    m_caption->setFont(big);
    m_caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_caption);
    layout->addWidget(buildDayBar());
    layout->addWidget(buildEntryRow());
    buildSheet();
    layout->addWidget(m_sheet, 1);
    layout->addWidget(m_totalsView);

    m_fields->chainTabOrder();
    // The cursor goes to the day first, as on the other pages' first field.
    setFocusProxy(m_day);

    connect(&m_page.fiche(), &Fiche::cardChanged, this, [this](PageId id) {
        if (id == PageId::MainCourante)
            refresh();
    });
    refresh();
}

QWidget *TMainCourantePage::buildDayBar()
{
    auto *bar = new QWidget;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_day = datePicker();
    m_day->setObjectName(QStringLiteral("day"));
    m_fields->addInput(m_day);
    m_fields->addToTabOrder(m_day);
    connect(m_day, &QDateEdit::dateChanged, this, [this](QDate d) {
        m_page.showDay(d);
        refresh();
    });
    Fiche &fiche = m_page.fiche();
    const struct
    {
        const char16_t *text, *hint, *name;
        void (Fiche::*move)();
    } moves[] = {{u"<<", u"28 jours avant", u"back28", &Fiche::Premier},
                 {u"<", u"Jour précédent", u"back1", &Fiche::Precedent},
                 {u">", u"Jour suivant", u"forward1", &Fiche::Suivant},
                 {u">>", u"28 jours après", u"forward28", &Fiche::Dernier}};
    row->addWidget(buddyLabel(QStringLiteral("&Journée du"), m_day));
    row->addWidget(m_day);
    for (const auto &m : moves) {
        auto *button = new QToolButton;
        button->setText(QString::fromUtf16(m.text));
        button->setToolTip(QString::fromUtf16(m.hint));
        button->setObjectName(QString::fromUtf16(m.name));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [&fiche, move = m.move] { (fiche.*move)(); });
        row->addWidget(button);
    }
    row->addStretch(1);
    return bar;
}

QWidget *TMainCourantePage::buildEntryRow()
{
    auto *bar = new QWidget;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    DayRow &entry = m_page.entry;
    m_room = m_fields->text(entry.room);
    m_name = m_fields->text(entry.name);
    m_nights = m_fields->text(entry.nights);
    m_nights->setAlignment(Qt::AlignRight);
    for (int p = 0; p < kPaymentCount; ++p)
        m_amounts[std::size_t(p)] = m_fields->amount(entry.amounts[std::size_t(p)]);
    const QList<GridModel::Column> titles = sheetColumns();
    for (int c = 0; c < kColumnCount; ++c) {
        QLineEdit *field = fieldOfColumn(c);
        field->setObjectName(QStringLiteral("entry%1").arg(c));
        field->setPlaceholderText(titles[c].title);
        field->setFixedWidth(kWidths[std::size_t(c)]);
        row->addWidget(field);
        if (c > 0)
            field->installEventFilter(this);
    }
    m_fields->onLeave(m_room, [this] {
        m_page.Edit14Exit();
        m_fields->show();
    });
    connect(m_room, &QLineEdit::returnPressed, m_name, qOverload<>(&QWidget::setFocus));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("post"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TMainCourantePage::post);
    m_fields->addToTabOrder(ok);
    row->addSpacing(6);
    row->addWidget(ok);
    row->addStretch(1);
    return bar;
}

void TMainCourantePage::buildSheet()
{
    m_rows = new GridModel(sheetColumns(), this);
    // The rows may change under a hidden page (a set opened) until it shows.
    m_rows->setRows(0, [this](int row, int column) -> QVariant {
        return row < m_page.rows().size() ? cellOf(m_page.rows()[row], column) : QString();
    });
    m_sheet = gridView(m_rows);
    m_sheet->setObjectName(QStringLiteral("sheet"));
    m_sheet->setTabKeyNavigation(false);
    m_sheet->installEventFilter(this);
    m_fields->addToTabOrder(m_sheet);
    // A row clicked (or Enter on it) comes into the entry row.
    auto take = [this](const QModelIndex &index) {
        m_page.StringGrid3Click(index.row());
        m_fields->show();
    };
    connect(m_sheet, &QTableView::clicked, this, take);
    connect(m_sheet, &QTableView::activated, this, [this, take](const QModelIndex &index) {
        take(index);
        m_name->setFocus();
    });

    // The day's totals, in the sheet's columns.
    m_totals = new GridModel(sheetColumns(), this);
    m_totals->setRows(1, [this](int, int column) -> QVariant {
        if (column == 0)
            return QStringLiteral("Total");
        if (column == 1)
            return QString();
        return m_page.totalTexts().value(column - 2);
    });
    m_totalsView = gridView(m_totals);
    m_totalsView->setObjectName(QStringLiteral("totals"));
    m_totalsView->horizontalHeader()->hide();
    m_totalsView->setFocusPolicy(Qt::NoFocus);
    m_totalsView->setSelectionMode(QAbstractItemView::NoSelection);
    m_totalsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totalsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont bold = m_totalsView->font();
    bold.setBold(true);
    m_totalsView->setFont(bold);
    m_totalsView->setFixedHeight(m_totalsView->verticalHeader()->defaultSectionSize() +
                                 2 * m_totalsView->frameWidth());
    for (int c = 0; c < kColumnCount; ++c) {
        m_sheet->horizontalHeader()->resizeSection(c, kWidths[std::size_t(c)]);
        m_totalsView->horizontalHeader()->resizeSection(c, kWidths[std::size_t(c)]);
    }
    // The totals follow the sheet's columns and its sideways scrolling.
    connect(m_sheet->horizontalHeader(), &QHeaderView::sectionResized, m_totalsView,
            [this](int c, int, int size) { m_totalsView->horizontalHeader()->resizeSection(c, size); });
    connect(m_sheet->horizontalScrollBar(), &QScrollBar::valueChanged,
            m_totalsView->horizontalScrollBar(), &QScrollBar::setValue);
}

QLineEdit *TMainCourantePage::fieldOfColumn(int column) const
{
    switch (column) {
    case 0:
        return m_room;
    case 1:
        return m_name;
    case 2:
        return m_nights;
    default:
        return m_amounts[std::size_t(column - 3)];
    }
}

void TMainCourantePage::refresh()
{
    m_caption->setText(m_page.caption());
    {
        const QSignalBlocker blocker(m_day);
        m_day->setDate(m_page.day());
    }
    m_fields->show();
    m_rows->reload(int(m_page.rows().size()));
    m_totals->reload(1);
}

void TMainCourantePage::post()
{
    const std::optional<int> bad = m_page.SpeedButton2Click();
    refresh();
    if (bad) {
        QLineEdit *field = fieldOfColumn(*bad);
        field->setFocus();
        field->selectAll();
    } else {
        // Posted, or a room without a row, to be corrected.
        m_room->setFocus();
        m_room->selectAll();
    }
}

bool TMainCourantePage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_sheet) {
        // Delete clears the entry of the row under the cursor.
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            m_page.SupLigne2(m_sheet->currentIndex().row());
            refresh();
            return true;
        }
        return false;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    // Only what types a character (or Enter) asks for the room: Tab, the
    // arrows and the shortcuts pass.
    if (!enter && (key->text().isEmpty() || !key->text().front().isPrint()))
        return false;
    // The name, nights and amounts need their room first; Enter posts.
    if (m_page.Edit15KeyPress(enter)) {
        post();
        return true;
    }
    return false;
}
