#include "tourist_tax_window.h"

#include "store/whole_file.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>

TTaxeSejour::TTaxeSejour(QWidget *parent) : TStats(parent)
{
    QToolBar *tools = toolBar();
    // No chart; the print button prints the period's heading too.
    if (auto *chart = tools->findChild<QAction *>(QStringLiteral("chart")))
        chart->setVisible(false);
    if (auto *print = tools->findChild<QAction *>(QStringLiteral("print"))) {
        print->disconnect(this);
        connect(print, &QAction::triggered, this, &TTaxeSejour::printReport);
    }
    QAction *close = tools->actions().value(tools->actions().size() - 1);
    if (auto *save = tools->findChild<QAction *>(QStringLiteral("export")))
        save->setText(QStringLiteral("Exporter pour la déclaration"));

    auto field = [&](const QString &name, const QString &caption) {
        auto *date = new QDateEdit;
        date->setObjectName(name);
        date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        date->setCalendarPopup(true);
        auto *label = new QLabel(caption);
        label->setBuddy(date);
        label->setContentsMargins(8, 0, 4, 0);
        tools->insertWidget(close, label);
        tools->insertWidget(close, date);
        return date;
    };
    m_from = field(QStringLiteral("du"), QStringLiteral("&Du"));
    m_to = field(QStringLiteral("au"), QStringLiteral("&Au"));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("ok"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TTaxeSejour::Remplit);
    tools->insertWidget(close, ok);
    tools->insertSeparator(close);
}

void TTaxeSejour::Init(Compute compute, int decimals, QDate from, QDate to, TStats::Actions actions,
                       std::function<void(const QString &)> inform)
{
    m_compute = std::move(compute);
    m_decimals = decimals;
    if (!actions.inform)
        actions.inform = std::move(inform);
    m_actions = actions;
    StatTable table;
    table.caption = kTouristTaxCaption.toString();
    table.printPrefix = QStringLiteral("Taxe de séjour au ");
    table.sheet = touristTaxSheet({}, decimals);
    TStats::Init(table, std::move(actions));
    m_from->setDate(from);
    m_to->setDate(to);
    Remplit();
}

void TTaxeSejour::Remplit()
{
    m_shownFrom = m_from->date();
    m_shownTo = m_to->date();
    m_report = m_compute ? m_compute(m_shownFrom, m_shownTo) : TouristTaxReport{};
    setRows(touristTaxSheet(m_report, m_decimals).rows);
}

void TTaxeSejour::printReport()
{
    if (!m_actions.print)
        return;
    const GridSheet &sheet = table().sheet;
    m_actions.print(gridPrintoutJob(sheet, table().printPrefix, touristTaxHeading(m_shownFrom, m_shownTo),
                                    int(sheet.rows.size()), m_actions.today));
}

void TTaxeSejour::SaveBtnClick()
{
    const auto [path, format] = chooseExport(QStringLiteral("taxe-sejour-%1-%2")
                                                 .arg(m_shownFrom.toString(QStringLiteral("yyyyMMdd")),
                                                      m_shownTo.toString(QStringLiteral("yyyyMMdd"))));
    if (!path.isEmpty())
        writeExport(touristTaxSpreadsheet(m_report, m_decimals), format, path);
}
