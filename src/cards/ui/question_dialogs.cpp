#include "question_dialogs.h"

#include "field_validator.h"
#include "store/text.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

void addOkCancel(QDialog *dialog, QBoxLayout *layout, const QString &cancel)
{
    auto *box = new QDialogButtonBox;
    box->addButton(cancel, QDialogButtonBox::RejectRole);
    QPushButton *ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(box);
    // Only once it belongs to the dialog does a button become its default.
    ok->setDefault(true);
}

void layOutQuestion(QDialog *dialog, const QString &label, QWidget *field)
{
    auto *form = new QFormLayout;
    form->addRow(label, field);
    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    addOkCancel(dialog, layout);
}

LineQuestionDialog::LineQuestionDialog(const QString &title, const QString &label, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    m_text = new QLineEdit;
    layOutQuestion(this, label, m_text);
}

void LineQuestionDialog::Init(const QString &text)
{
    m_text->setText(text);
    m_text->setFocus();
}

QString LineQuestionDialog::Result() const
{
    return result() == Accepted ? m_text->text() : QString();
}

ComboQuestionDialog::ComboQuestionDialog(const QString &title, const QString &label,
                                         QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    m_combo = new QComboBox;
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setValidator(new FieldValidator(FieldValidator::Text, m_combo));
    m_combo->setMinimumWidth(200);
    layOutQuestion(this, label, m_combo);
}

void ComboQuestionDialog::Init(const QStringList &items, const QString &text)
{
    m_combo->clear();
    m_combo->addItems(items);
    m_combo->setCurrentIndex(m_combo->findText(text));
    m_combo->setEditText(text);
    m_combo->setFocus();
}

std::optional<QString> ComboQuestionDialog::Result() const
{
    if (result() != Accepted)
        return std::nullopt;
    return text::upperAZ(m_combo->currentText());
}

SortDialog::SortDialog(const QStringList &keys, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Trier"));
    auto *group = new QGroupBox(QStringLiteral("Trier par"));
    auto *column = new QVBoxLayout(group);
    m_key = new QButtonGroup(this);
    for (const QString &key : keys) {
        auto *radio = new QRadioButton(key);
        m_key->addButton(radio, int(m_key->buttons().size()));
        column->addWidget(radio);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    addOkCancel(this, layout, QStringLiteral("Annuler"));
    Init();
}

void SortDialog::Init()
{
    m_key->button(0)->setChecked(true);
}

int SortDialog::key() const
{
    return result() == Accepted ? m_key->checkedId() : -1;
}

PickListDialog::PickListDialog(const QString &title, int width, int height, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    m_list = new QListWidget;
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    addOkCancel(this, layout);
    resize(width, height);
}

const QListWidgetItem *PickListDialog::chosen() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return result() == Accepted && item && item->isSelected() ? item : nullptr;
}

std::optional<QString> askLine(QWidget *parent, const QString &title, const QString &label,
                               const QString &offered)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, offered, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}
