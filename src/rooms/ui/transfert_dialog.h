#pragma once

#include "rooms/reception.h"

#include <QDialog>

#include <functional>

class QDateEdit;
class QLabel;
class RoomBox;

// TTransfert: moves the guests present in one room to a free one.
class TTransfert : public QDialog
{
    Q_OBJECT
public:
    using Sources = std::function<QStringList(QDate day)>;
    using Targets = std::function<QStringList(const QString &source, QDate day)>;
    using Check = std::function<QString(const reception::TransferChoice &)>;

    explicit TTransfert(QWidget *parent = nullptr);

    // The source proposed and the target empty; the sources offered are the
    // rooms occupied on the date, the targets the rooms free for the rest of
    // the stay, both asked again when the date or the source changes. "OK"
    // must pass the check, else the dialog says why and stays open.
    void Init(const reception::TransferChoice &shown, Sources sources, Targets targets, Check check);
    reception::TransferChoice Result() const;

    void accept() override;

private:
    void refresh();

    QDateEdit *m_date;
    RoomBox *m_source;
    RoomBox *m_target;
    QLabel *m_problem;
    Sources m_sources;
    Targets m_targets;
    Check m_check;
};
