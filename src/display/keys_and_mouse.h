// The key and mouse shortcuts of the main window and its frame.
#pragma once

namespace koralin {

struct App;

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

void Form1_KeyDown(App& app, int keyCode, int shift);
void Form1_DblClick(App& app);
void Frame1_DblClick(App& app);
void Frame1_MouseDown(App& app, int button, int shift, float x, float y);

}  // namespace koralin
