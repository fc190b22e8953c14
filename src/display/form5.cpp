#include "display/form5.h"

namespace koralin {

namespace {
// Seven rows of values, twips.
constexpr int kRowsHeight = 7 * 300;
constexpr int kMargin = 60;
constexpr int kTitlesWidth = 1650, kValuesWidth = 2010, kButtonHeight = 420;
constexpr int kInnerWidth = kMargin + kTitlesWidth + kMargin + kValuesWidth + kMargin;
constexpr int kInnerHeight = kMargin + kRowsHeight + kButtonHeight + kMargin;
// Borders and title bar; this window has no menu bar.
constexpr int kFrameWidth = 120, kFrameHeight = 465;
}  // namespace

Form5::Form5() {
  form.SetFrameSize(kFrameWidth, kFrameHeight);
  form.SetBounds({0, 0, kInnerWidth + kFrameWidth, kInnerHeight + kFrameHeight});
  Label1.SetBounds({kMargin, kMargin, kTitlesWidth, kRowsHeight});
  Label2.SetBounds({2 * kMargin + kTitlesWidth, kMargin, kValuesWidth, 0});
  Command1.SetBounds({kMargin, 0, kInnerWidth - 2 * kMargin, kButtonHeight});
  Command1.SetCaption("&Main");
  Command1.SetToolTip("Go back to Main GPS screen.");
}

}  // namespace koralin
