#pragma once

#include <QStringView>

#include <array>

// The French départements as a receptionist reads them from the list: the
// code, a blank and the name. Corsica is 2A and 2B, the overseas départements
// 971 to 976 (975, Saint-Pierre-et-Miquelon, is no longer a département but
// its addresses still carry the code); the list is in the order of the codes,
// 2A and 2B between 19 and 21.
struct Departement
{
    QStringView code;
    QStringView name;
};

inline constexpr int kDepartementCount = 102;
extern const std::array<Departement, kDepartementCount> kDepartements;
