#pragma once

#include <QStringView>

// What the about box and the splash window say about the program.
namespace product {

inline constexpr QStringView kName = u"Carvelle";
inline constexpr QStringView kVersion = u"Version 1.0";
inline constexpr QStringView kDescription =
    u"Gestion d'un petit hôtel : clients, chambres, planning, factures et achats.";
inline constexpr QStringView kMaker = u"Carvelle — logiciel de gestion hôtelière";

} // namespace product
