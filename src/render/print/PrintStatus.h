#pragma once

// Status codes of the print layout engine; 0 is success.
namespace PrintStatus {
inline constexpr int Ok = 0;
// A page size or zoom that would pass 32000 twips.
inline constexpr int OutOfRange = 1;
// The device has no resolution to measure or draw with.
inline constexpr int NoDevice = 2;
inline constexpr int FontFailed = 3;
inline constexpr int NoWindow = 4;
// The margins leave no room on the page for a line of text.
inline constexpr int NoRoom = 5;
} // namespace PrintStatus
