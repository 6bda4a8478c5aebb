#pragma once

#include "cards/ui/question_dialogs.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class QComboBox;

// TChambre: the category of browse mode 2.
class TChambre : public QDialog
{
    Q_OBJECT
public:
    explicit TChambre(QWidget *parent = nullptr);
    // The items and the text of the card's category drop-down.
    void Init(const QStringList &categories, const QString &text);
    // After "OK" the text upper-cased (a to z); nothing after "Annuler".
    std::optional<QString> Result() const;
    static std::optional<QString> run(QWidget *parent, const QStringList &categories,
                                      const QString &text)
    {
        return runDialog<TChambre>(parent, categories, text);
    }

private:
    QComboBox *m_category = nullptr;
};

// TRChb: the room number of the client search by room; Result() is the
// number typed, or empty after "Annuler".
class TRChb : public LineQuestionDialog
{
    Q_OBJECT
public:
    explicit TRChb(QWidget *parent = nullptr);
    static QString run(QWidget *parent) { return runDialog<TRChb>(parent); }
};

// TTri3: the key of the room sort.
class TTri3 : public SortDialog
{
    Q_OBJECT
public:
    explicit TTri3(QWidget *parent = nullptr);
    // 0 by number, 1 by occupant, -1 after "Annuler".
    int Result() const { return key(); }
    static int run(QWidget *parent) { return runDialog<TTri3>(parent); }
};

// TListeCh: picks a room among entries "number TAB designation" (the free
// rooms), each shown trimmed with its TAB as a blank.
class TListeCh : public PickListDialog
{
    Q_OBJECT
public:
    explicit TListeCh(QWidget *parent = nullptr);
    void Init(const QStringList &entries);
    // The chosen entry's room number, or empty after "Annuler" or with none chosen.
    QString Result() const;
    static QString run(QWidget *parent, const QStringList &entries)
    {
        return runDialog<TListeCh>(parent, entries);
    }
};
