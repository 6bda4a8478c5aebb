#pragma once

#include "pick_list_dialog.h"

#include "clients/client_search.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class QButtonGroup;
class QLineEdit;
class QListWidget;
class QWidget;

// The three client search dialogs: one field whose keys are filtered for
// the search; Enter is "OK".
class TRechCli : public QDialog
{
    Q_OBJECT
public:
    TRechCli(ClientSearch kind, QWidget *parent = nullptr);
    void Init(const QString &text = {});
    // The text typed, or empty after "Annuler".
    QString Result() const;
    static QString run(ClientSearch kind, QWidget *parent);

private:
    QLineEdit *m_text = nullptr;
};

// "Recherche par nom", "Recherche par code client", "Recherche par téléphone".
class TRechNom : public TRechCli
{
public:
    explicit TRechNom(QWidget *parent = nullptr) : TRechCli(ClientSearch::Name, parent) {}
};
class TRechNum : public TRechCli
{
public:
    explicit TRechNum(QWidget *parent = nullptr) : TRechCli(ClientSearch::Code, parent) {}
};
class TRechTel : public TRechCli
{
public:
    explicit TRechTel(QWidget *parent = nullptr) : TRechCli(ClientSearch::Phone, parent) {}
};

// TTri: the key of the client sort.
class TTri : public QDialog
{
    Q_OBJECT
public:
    explicit TTri(QWidget *parent = nullptr);
    void Init();
    // The key chosen, nothing after "Anuler".
    std::optional<SortKey> Result() const;
    static std::optional<SortKey> run(QWidget *parent);

private:
    QButtonGroup *m_key = nullptr;
};

// TListeCli: picks a present guest among the entries of presentGuests().
class TListeCli : public PickListDialog
{
    Q_OBJECT
public:
    explicit TListeCli(QWidget *parent = nullptr);
    void Init(const QStringList &entries);
    // The chosen guest's client code; empty after "Annuler" or with none chosen.
    QString Result() const;
    static QString run(QWidget *parent, const QStringList &entries);
};

// The selection commands: the input box of modes 2 to 4, then SetSel.
void runSetSel(QWidget *parent, ClientPage &page, int mode);
