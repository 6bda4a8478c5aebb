#pragma once

// Lines of a room block, counted from its start marker. The reception
// operations change lines 8, 15, 16 and 17 in place.
namespace roomline {
constexpr int Number = 1;
constexpr int Category = 2;
constexpr int Designation = 3;
constexpr int Beds = 4;
constexpr int Price = 5;
constexpr int Floor = 6;
constexpr int Orientation = 7;
constexpr int Occupant = 8;
constexpr int Shower = 9; // then WC, bath, telephone, television, internet
constexpr int ClosedFrom = 15;
constexpr int ClosedUntil = 16;
constexpr int ClosedReason = 17;
constexpr int FirstTagged = 18;
} // namespace roomline
