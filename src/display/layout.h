// The main window's layout: its fixed width, its two heights and the place of
// every control.
#pragma once

namespace koralin {

struct App;
struct Form1;

// Narrow enough that the window, borders included, fits a 1280-pixel screen
// at 200 %.
inline constexpr int kForm1Width = 9535;
inline constexpr int kCompactInnerHeight = 2675;
inline constexpr int kDdeInnerHeight = 3075;
// Borders, title bar and menu bar around the main window's inner area.
inline constexpr int kForm1FrameWidth = 120;
inline constexpr int kForm1FrameHeight = 785;

// Places every control of the main window as designed. Controls inside
// Frame1 are placed relative to the frame, the others to the window's inner
// area.
void LayOutForm1(Form1& f);

// The window was resized: it snaps back to its fixed width and the height
// of its layout, unless it is minimised.
void Form1_Resize(App& app);

}  // namespace koralin
