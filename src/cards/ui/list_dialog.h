#pragma once

#include "store/settings.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;

// TListe: edits one drop-down list (room categories, article or supplier
// families). Every action is ListEditor's; the window only forwards clicks
// and keys to it and shows its state. There is no cancel.
class TListe : public QDialog
{
    Q_OBJECT
public:
    explicit TListe(QWidget *parent = nullptr);

    void Init(const QStringList &entries, const ListEditorTexts &texts);
    QStringList Result() const;

    // Shows the dialog modally; however it is closed, the list takes the
    // edited entries.
    static void run(QWidget *parent, QStringList &list, const ListEditorTexts &texts);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void click(int row);
    void validate();
    void removeSelected();
    void refresh();

    ListEditor m_editor;
    QLabel *m_label = nullptr;
    QLineEdit *m_entry = nullptr;
    QToolButton *m_validate = nullptr;
    QListWidget *m_list = nullptr;
};
