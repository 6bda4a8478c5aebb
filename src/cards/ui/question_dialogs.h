#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QBoxLayout;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// "Annuler" (or the given caption) and "OK" below a dialog's controls;
// Enter clicks OK.
void addOkCancel(QDialog *dialog, QBoxLayout *layout,
                 const QString &cancel = QStringLiteral("Annuler"));

// Lays a dialog out as one question: the field beside its label, over
// "Annuler" and "OK".
void layOutQuestion(QDialog *dialog, const QString &label, QWidget *field);

// How a command shows its dialog. The windows run it modally; tests pass
// their own, which fills the dialog and answers in place of the person.
using ShowDialog = std::function<int(QDialog &)>;

// A question of one line: the text typed after "OK", empty after "Annuler".
class LineQuestionDialog : public QDialog
{
    Q_OBJECT
public:
    void Init(const QString &text = {});
    QString Result() const;

protected:
    LineQuestionDialog(const QString &title, const QString &label, QWidget *parent);

    QLineEdit *m_text = nullptr;
};

// A choice in a drop-down whose text may also be typed (a category, a
// family): after "OK" the text upper-cased (a to z), nothing after "Annuler".
class ComboQuestionDialog : public QDialog
{
    Q_OBJECT
public:
    // The items of the drop-down and the text it starts with.
    void Init(const QStringList &items, const QString &text);
    std::optional<QString> Result() const;

protected:
    ComboQuestionDialog(const QString &title, const QString &label, QWidget *parent);

    QComboBox *m_combo = nullptr;
};

// The key of a sort, one radio button a key, the first chosen at the start.
class SortDialog : public QDialog
{
    Q_OBJECT
public:
    void Init();

protected:
    SortDialog(const QStringList &keys, QWidget *parent);
    // The key chosen, from 0; -1 after "Annuler".
    int key() const;

private:
    QButtonGroup *m_key = nullptr;
};

// A dialog that offers a list to pick one entry from (double-click or OK).
class PickListDialog : public QDialog
{
    Q_OBJECT
public:
    PickListDialog(const QString &title, int width, int height, QWidget *parent = nullptr);

protected:
    // The entry picked, or none after "Annuler" or with nothing selected.
    const QListWidgetItem *chosen() const;

    QListWidget *m_list = nullptr;
};

// Runs a dialog modally: Init with the arguments, then its Result.
template <typename Dialog, typename... Args> auto runDialog(QWidget *parent, const Args &...args)
{
    Dialog dialog(parent);
    dialog.Init(args...);
    dialog.exec();
    return dialog.Result();
}

// A one-line input box offering `offered`; nothing after "Annuler".
std::optional<QString> askLine(QWidget *parent, const QString &title, const QString &label,
                               const QString &offered);
