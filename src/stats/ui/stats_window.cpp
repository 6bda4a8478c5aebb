#include "stats_window.h"

#include "graph_window.h"

#include "cards/ui/file_dialogs.h"
#include "cards/ui/grid_model.h"
#include "print/print_job.h"

#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The glyphs of the two tool buttons, drawn so they look alike on any desktop.
QIcon printIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(7, 2, 10, 8);                  // the sheet going in
    p.setBrush(QColor(0x90, 0x90, 0x90));
    p.drawRect(2, 9, 20, 9);                  // the printer
    p.setBrush(Qt::white);
    p.drawRect(6, 15, 12, 7);                 // the sheet coming out
    p.drawLine(8, 18, 16, 18);
    return QIcon(pm);
}

QIcon chartIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawLine(2, 21, 22, 21);
    p.drawLine(2, 21, 2, 2);
    p.setBrush(QColor(0, 0, 255));
    p.drawRect(5, 12, 4, 9);
    p.drawRect(11, 6, 4, 15);
    p.drawRect(17, 9, 4, 12);
    return QIcon(pm);
}

} // namespace

TStats::TStats(QWidget *parent) : QDialog(parent)
{
    m_tools = new QToolBar;
    m_tools->setIconSize(QSize(24, 24));
    QAction *print = m_tools->addAction(printIcon(), QStringLiteral("Imprimer"));
    print->setObjectName(QStringLiteral("print"));
    connect(print, &QAction::triggered, this, &TStats::SpeedButton8Click);
    QAction *chart = m_tools->addAction(chartIcon(), QStringLiteral("Graphique"));
    chart->setObjectName(QStringLiteral("chart"));
    connect(chart, &QAction::triggered, this, &TStats::SpeedButton1Click);
    QAction *exportAction = m_tools->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                               QStringLiteral("Exporter pour un tableur"));
    exportAction->setObjectName(QStringLiteral("export"));
    connect(exportAction, &QAction::triggered, this, [this] { exportSheet(); });
    m_tools->addSeparator();
    auto *close = new QPushButton(QStringLiteral("Fermer"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &TStats::Button1Click);
    m_tools->addWidget(close);

    m_model = new GridModel({}, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tools);
    m_view = gridView(m_model);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
}

std::pair<QString, ExportFormat> TStats::chooseExport(const QString &name, const QStringList &moreFilters)
{
    QFileDialog dialog(this, QStringLiteral("Exporter"));
    proposeExport(dialog, name, false);
    if (!moreFilters.isEmpty())
        dialog.setNameFilters(moreFilters + exportFilterTexts(false));
    const int answer = m_actions.showDialog ? m_actions.showDialog(dialog) : dialog.exec();
    if (answer != QDialog::Accepted)
        return {};
    const QString path = acceptedFile(dialog, FileKind::Spreadsheet);
    if (path.isEmpty())
        return {};
    if (moreFilters.contains(dialog.selectedNameFilter()))
        return {path, ExportFormat::Txt};
    const ExportFormat format = exportFormatOf(path, chosenExportFormat(dialog));
    return {withExportSuffix(path, format), format};
}

void TStats::writeExport(const Spreadsheet &sheet, ExportFormat format, const QString &path)
{
    const QString error = writeSpreadsheet(sheet, format, path);
    if (error.isEmpty())
        return;
    if (m_actions.inform)
        m_actions.inform(error);
    else
        QMessageBox::information(this, windowTitle(), error);
}

void TStats::exportSheet()
{
    const auto [path, format] = chooseExport(m_table.caption);
    if (path.isEmpty())
        return;
    const GridSheet sheet = sheetToPrint();
    QList<CellType> types;
    for (qsizetype c = 1; c < sheet.columns.size(); ++c)
        types << (sheet.columns[c].right ? CellType::Amount : CellType::Text);
    writeExport(gridSpreadsheet(sheet, m_table.caption, types), format, path);
}

void TStats::Init(const StatTable &table, Actions actions)
{
    m_table = table;
    m_actions = std::move(actions);
    setWindowTitle(table.caption);
    QList<GridModel::Column> columns;
    for (const GridColumn &c : table.sheet.columns)
        columns << GridModel::Column{c.heading, c.right ? Qt::AlignRight : Qt::AlignLeft, c.right};
    delete m_model;
    m_model = new GridModel(columns, this);
    m_view->setModel(m_model);
    for (int c = 0; c < table.sheet.columns.size(); ++c)
        m_view->setColumnWidth(c, table.sheet.columns[c].width);
    m_view->horizontalHeader()->setStretchLastSection(false);
    setRows(table.sheet.rows);
    // A fixed size that shows every column and a screenful of rows.
    const int frame = 2 * m_view->frameWidth();
    const int scroll = m_view->verticalScrollBar()->sizeHint().width();
    m_view->setFixedSize(table.sheet.width() + frame + scroll,
                         m_view->verticalHeader()->defaultSectionSize() * 20 +
                             m_view->horizontalHeader()->sizeHint().height() + frame);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TStats::setRows(const QList<QStringList> &rows)
{
    m_table.sheet.rows = rows;
    m_model->setRows(int(rows.size()), [this](int row, int column) -> QVariant {
        return m_table.sheet.rows[row].value(column);
    });
}

void TStats::setRows(int count, std::function<QVariant(int row, int column)> cell)
{
    m_table.sheet.rows.clear();
    m_model->setRows(count, std::move(cell));
}

void TStats::SpeedButton8Click()
{
    if (!m_actions.print)
        return;
    m_actions.print(printJob());
}

PrintJob TStats::printJob() const
{
    const GridSheet sheet = sheetToPrint();
    return gridPrintoutJob(sheet, m_table.printPrefix, QString(), int(sheet.rows.size()),
                           m_actions.today);
}

void TStats::SpeedButton1Click()
{
    TGraph graph(this);
    const QStringList amounts =
        m_table.chartColumn >= 0 ? m_table.sheet.columnDown(m_table.chartColumn) : QStringList();
    QStringList labels;
    for (qsizetype r = 0; r < amounts.size(); ++r)
        labels << m_table.sheet.rows[r].value(m_table.labelColumn);
    graph.Init(amounts, labels);
    if (m_actions.showDialog)
        m_actions.showDialog(graph);
    else
        graph.exec();
}
