// The main window's layout: its fixed width, its two heights, the place of
// every control, and the mouse and key shortcuts of the window and its frame.
#pragma once

namespace koralin {

struct App;
struct Form1;

inline constexpr int kForm1Width = 10000;
inline constexpr int kCompactInnerHeight = 2675;
inline constexpr int kDdeInnerHeight = 3075;
// Borders, title bar and menu bar around the main window's inner area.
inline constexpr int kForm1FrameWidth = 120;
inline constexpr int kForm1FrameHeight = 785;

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

// Places every control of the main window as designed. Controls inside
// Frame1 are placed relative to the frame, the others to the window's inner
// area.
void LayOutForm1(Form1& f);

void Form_Resize(App& app);
void Form_KeyDown(App& app, int keyCode, int shift);
void Form_DblClick(App& app);
void Frame1_DblClick(App& app);
void Frame1_MouseDown(App& app, int button, int shift, float x, float y);

}  // namespace koralin
