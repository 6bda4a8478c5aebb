#include "journal_window.h"

#include "cards/ui/file_dialogs.h"
#include "store/whole_file.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>

const QString TJournal::kTextFilter = QStringLiteral("Format texte + tabulations (*.txt)");
const QString TJournal::kFecFilter = QStringLiteral("Fichier des écritures comptables (FEC) (*.txt)");

namespace {

// A sheet leaving the page, for the export button.
QIcon exportIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(3, 2, 12, 18);
    p.drawLine(6, 7, 12, 7);
    p.drawLine(6, 11, 12, 11);
    p.drawLine(6, 15, 10, 15);
    p.setPen(QPen(QColor(0, 0, 160), 2));
    p.drawLine(12, 17, 21, 17);
    p.drawLine(17, 13, 21, 17);
    p.drawLine(17, 21, 21, 17);
    return QIcon(pm);
}

QDateEdit *dateField(const QString &name)
{
    auto *field = new QDateEdit;
    field->setObjectName(name);
    field->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    field->setCalendarPopup(true);
    return field;
}

} // namespace

TJournal::TJournal(QWidget *parent) : TStats(parent)
{
    QToolBar *tools = toolBar();
    QList<QAction *> actions = tools->actions();
    // The journal draws no chart; its own controls come before "Fermer".
    QAction *chart = tools->findChild<QAction *>(QStringLiteral("chart"));
    if (chart)
        chart->setVisible(false);
    QAction *close = actions.isEmpty() ? nullptr : actions.last();
    if (auto *exportAction = tools->findChild<QAction *>(QStringLiteral("export"))) {
        exportAction->setIcon(exportIcon());
        exportAction->setText(QStringLiteral("Exporter"));
    }

    m_from = dateField(QStringLiteral("du"));
    m_to = dateField(QStringLiteral("au"));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("ok"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TJournal::SpeedButton1Click);
    auto label = [](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text);
        l->setBuddy(buddy);
        l->setContentsMargins(8, 0, 4, 0);
        return l;
    };
    tools->insertWidget(close, label(QStringLiteral("&Du"), m_from));
    tools->insertWidget(close, m_from);
    tools->insertWidget(close, label(QStringLiteral("&Au"), m_to));
    tools->insertWidget(close, m_to);
    tools->insertWidget(close, ok);
    tools->insertSeparator(close);
}

void TJournal::Init(Journal journal, TStats::Actions actions, std::function<void(const QString &)> inform)
{
    m_journal = std::move(journal);
    if (!actions.inform)
        actions.inform = inform;
    m_actions = actions;
    m_inform = std::move(inform);
    StatTable table;
    table.caption = kJournalCaption.toString();
    table.printPrefix = kJournalPrintPrefix.toString();
    table.sheet = journalSheet({}, m_journal.decimals);
    if (m_journal.lines.isEmpty()) {
        // No headings, the narrower columns of an empty window.
        const int widths[] = {64, 24, 78, 59, 239, 98, 100};
        for (int c = 0; c < table.sheet.columns.size(); ++c)
            table.sheet.columns[c] = {QString(), widths[c], false};
    }
    TStats::Init(table, std::move(actions));
    // The style may widen a narrow column ("Jn") beyond its width: the grid
    // then grows with it rather than scroll sideways.
    const int wider = grid()->horizontalHeader()->length() - table.sheet.width();
    if (wider > 0)
        grid()->setFixedWidth(grid()->minimumWidth() + wider);
    if (const auto period = journalPeriod(m_journal.lines)) {
        m_from->setDate(period->first);
        m_to->setDate(period->second);
        Remplit();
    } else {
        m_from->setDate(m_actions.today);
        m_to->setDate(m_actions.today);
    }
}

void TJournal::Remplit()
{
    m_shown = linesInPeriod(m_journal.lines, m_from->date(), m_to->date());
    setRows(int(m_shown.size()), [this](int row, int column) -> QVariant {
        return journalCell(m_shown, row, column, m_journal.decimals);
    });
}

GridSheet TJournal::sheetToPrint() const
{
    GridSheet sheet = journalSheet(m_shown, m_journal.decimals);
    sheet.columns = table().sheet.columns;
    return sheet;
}

PrintJob TJournal::printJob() const
{
    const JournalPrint print = journalPrintSheet(m_shown, m_journal.decimals);
    GridPrintExtras extras;
    extras.title = journalPrintTitle(m_from->date(), m_to->date());
    extras.pageNumbers = true;
    extras.boldRows = print.totalRows;
    return gridPrintoutJob(print.sheet, table().printPrefix, m_journal.company.lines[0].trimmed(),
                           int(print.sheet.rows.size()), actions().today, extras);
}

void TJournal::SaveBtnClick()
{
    QFileDialog dialog(this, QStringLiteral("Exporter"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(QStringList{kTextFilter, kFecFilter} + exportFilterTexts(false));
    proposeIn(dialog, FileKind::Accounting, QStringLiteral("journal"));
    const QString fecName = fecFileName(m_journal.company, m_to->date());
    // The FEC's name is the one the administration expects.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, fecName](const QString &filter) {
        if (filter == kFecFilter)
            dialog.selectFile(fecName);
    });
    const int answer = actions().showDialog ? actions().showDialog(dialog) : dialog.exec();
    if (answer != QDialog::Accepted)
        return;
    QString path = acceptedFile(dialog, FileKind::Accounting);
    if (path.isEmpty())
        return;
    const QString filter = dialog.selectedNameFilter();
    if (filter == kFecFilter) {
        const QString error = fecBalanceError(m_shown, m_journal.decimals);
        if (!error.isEmpty()) {
            if (m_inform)
                m_inform(error + QStringLiteral(" Le fichier n'est pas écrit."));
            return;
        }
        write(withExportSuffix(path, ExportFormat::Txt), fecBytes(m_shown, m_journal.decimals));
    } else if (filter == kTextFilter) {
        write(withExportSuffix(path, ExportFormat::Txt), journalExport(m_shown, m_journal.decimals));
    } else {
        const ExportFormat format = exportFormatOf(path, chosenExportFormat(dialog));
        writeExport(gridSpreadsheet(journalSheet(m_shown, m_journal.decimals), QStringLiteral("Journal"),
                                    {CellType::Text, CellType::Date, CellType::Text, CellType::Text,
                                     CellType::Amount, CellType::Amount}),
                    format, withExportSuffix(path, format));
    }
}

void TJournal::write(const QString &path, const QByteArray &bytes)
{
    QString error;
    if (WholeFile::write(path, bytes, &error))
        return;
    if (m_inform)
        m_inform(error);
}
