#pragma once

#include "hotel.h"

#include <QByteArray>
#include <QString>

#include <vector>

// One file of the set: its extension, its Windows-1252 bytes and its line count.
struct TableFile
{
    QString extension;
    QByteArray bytes;
    qint64 lines = 0;
};

// The seven files in the order the program writes them: .htl, .chb, .fct,
// .mnc, .stk, .frs, .cmd.
std::vector<TableFile> writeTables(const Hotel &h);
