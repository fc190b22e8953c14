// Key codes, shift states and mouse buttons as the handlers receive them.
#pragma once

namespace koralin {

// Key codes and shift states as the handlers receive them.
namespace key {
inline constexpr int kEscape = 27;
inline constexpr int kM = 77;
inline constexpr int kF1 = 112;
inline constexpr int kF4 = 115;
inline constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
}  // namespace key

// Mouse buttons as the handlers receive them.
namespace button {
inline constexpr int kLeft = 1, kRight = 2, kMiddle = 4;
}  // namespace button

}  // namespace koralin
