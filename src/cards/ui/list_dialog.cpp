#include "list_dialog.h"

#include "cards/ui/field_validator.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

TListe::TListe(QWidget *parent) : QDialog(parent)
{
    m_label = new QLabel;
    m_entry = new QLineEdit;
    m_entry->setObjectName(QStringLiteral("entry"));
    m_entry->setValidator(new FieldValidator(FieldValidator::Text, this));
    m_label->setBuddy(m_entry);

    m_validate = new QToolButton;
    m_validate->setObjectName(QStringLiteral("validate"));
    m_validate->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    m_validate->setToolTip(QStringLiteral("Valider"));
    m_validate->setAccessibleName(QStringLiteral("Valider"));

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("entries"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->installEventFilter(this);

    auto *close = new QPushButton(QStringLiteral("Fermer"));
    close->setAutoDefault(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_label, 0, 0, 1, 2);
    layout->addWidget(m_entry, 1, 0);
    layout->addWidget(m_validate, 1, 1);
    layout->addWidget(m_list, 2, 0, 1, 2);
    layout->addWidget(close, 3, 0, 1, 2, Qt::AlignRight);
    layout->setColumnMinimumWidth(0, 240);

    connect(m_entry, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_editor.setText(text); });
    connect(m_entry, &QLineEdit::returnPressed, this, &TListe::validate);
    connect(m_validate, &QToolButton::clicked, this, &TListe::validate);
    connect(m_list, &QListWidget::currentRowChanged, this, &TListe::click);
    // A second click on the entry already current takes its text back.
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { click(m_list->row(item)); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TListe::Init(const QStringList &entries, const ListEditorTexts &texts)
{
    setWindowTitle(texts.caption.toString());
    m_label->setText(texts.label.toString());
    m_editor = ListEditor(entries);
    refresh();
    m_entry->setFocus();
}

QStringList TListe::Result() const
{
    return m_editor.entries();
}

void TListe::run(QWidget *parent, QStringList &list, const ListEditorTexts &texts)
{
    TListe dialog(parent);
    dialog.Init(list, texts);
    dialog.exec();
    list = dialog.Result();
}

bool TListe::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        removeSelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TListe::click(int row)
{
    m_editor.click(row);
    refresh();
}

void TListe::validate()
{
    m_editor.validate();
    refresh();
}

void TListe::removeSelected()
{
    m_editor.removeSelected();
    refresh();
}

void TListe::refresh()
{
    const QSignalBlocker blocker(m_list);
    // Rebuilt only when the entries changed, so that a click being handled
    // never loses the item under the mouse.
    const QStringList &entries = m_editor.entries();
    bool same = m_list->count() == entries.size();
    for (int i = 0; same && i < entries.size(); ++i)
        same = m_list->item(i)->text() == entries[i];
    if (!same) {
        m_list->clear();
        m_list->addItems(entries);
    }
    m_list->setCurrentRow(m_editor.selected());
    if (m_editor.selected() < 0)
        m_list->clearSelection();
    m_entry->setText(m_editor.text());
}
