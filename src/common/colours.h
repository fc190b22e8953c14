// Colours as the program writes them: &HBBGGRR, blue in the high byte.
#pragma once

#include <cstdint>

namespace koralin {

using Colour = std::uint32_t;

namespace colour {
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kGreen = 0x00FF00;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kYellow = 0x00FFFF;
inline constexpr Colour kCyan = 0xFFFF00;
inline constexpr Colour kMagenta = 0xFF00FF;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kLightYellow = 0xC0FFFF;
inline constexpr Colour kPink = 0xC0C0FF;
inline constexpr Colour kGrey = 0xC0C0C0;
// The standard face colour of controls and windows.
inline constexpr Colour kButtonFace = 0xF0F0F0;
}  // namespace colour

inline constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
inline constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace koralin
