#pragma once

#include <QString>
#include <QStringView>

// What the about box and the splash window say about the program.
namespace product {

inline constexpr QStringView kName = u"Carvelle";
// CARVELLE_VERSION comes from the build, where the package takes it too.
inline const QString kVersion = QStringLiteral("Version " CARVELLE_VERSION);
inline constexpr QStringView kDescription =
    u"Gestion d'un petit hôtel : clients, chambres, planning, factures et achats.";
inline constexpr QStringView kMaker = u"Carvelle — logiciel de gestion hôtelière";

} // namespace product
