#pragma once
// TColor: a 32-bit colour, 0x00BBGGRR (red in the low byte).
#include <cstdint>

namespace norv {

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clWhite = 0xFFFFFF;

constexpr std::uint8_t GetRValue(TColor Color) { return Color & 0xFF; }
constexpr std::uint8_t GetGValue(TColor Color) { return (Color >> 8) & 0xFF; }
constexpr std::uint8_t GetBValue(TColor Color) { return (Color >> 16) & 0xFF; }

}  // namespace norv
