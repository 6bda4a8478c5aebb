#pragma once

// Lines of a client block that the reception and the planning read and change.
namespace clientline {
constexpr int Code = 1;
constexpr int Name = 4;
constexpr int PostalCode = 7;
constexpr int Town = 8;
constexpr int Country = 9;
constexpr int Since = 15;
constexpr int Room = 16;
constexpr int Leaving = 17;
constexpr int Stays = 18;
constexpr int Situation = 24;
constexpr int FirstTagged = 25;
} // namespace clientline
