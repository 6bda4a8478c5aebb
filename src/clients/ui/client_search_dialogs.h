#pragma once

#include "cards/ui/question_dialogs.h"
#include "clients/client_search.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class QWidget;

// The three client search dialogs: one field whose keys are filtered for
// the search; Enter is "OK".
class TRechCli : public LineQuestionDialog
{
    Q_OBJECT
public:
    TRechCli(ClientSearch kind, QWidget *parent = nullptr);
    static QString run(ClientSearch kind, QWidget *parent);
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
class TTri : public SortDialog
{
    Q_OBJECT
public:
    explicit TTri(QWidget *parent = nullptr);
    // The key chosen, nothing after "Annuler".
    std::optional<SortKey> Result() const;
    static std::optional<SortKey> run(QWidget *parent) { return runDialog<TTri>(parent); }
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
    static QString run(QWidget *parent, const QStringList &entries)
    {
        return runDialog<TListeCli>(parent, entries);
    }
};

// The selection commands: the input box of modes 2 to 4, then SetSel.
void runSetSel(QWidget *parent, ClientPage &page, int mode);
