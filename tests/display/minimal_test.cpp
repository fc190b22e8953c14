// The main window's layout and the minimal display.
#include "display/minimal.h"

#include <gtest/gtest.h>

#include "display/keys_and_mouse.h"
#include "display/layout.h"
#include "support/fakes.h"

namespace koralin {
namespace {

constexpr int kCompact = kForm1FrameHeight + kCompactInnerHeight;

TEST(FormResize, SnapsBackToTheFixedWidthAndTheLayoutsHeightUnlessMinimised) {
  test::TestRig rig;
  Form1& f = rig.app.form1;
  f.form.SetBounds({300, 200, 14000, 6000});
  Form1_Resize(rig.app);
  EXPECT_EQ(f.form.Bounds(), (Rect{300, 200, 10000, kCompact}));
  EXPECT_EQ(f.Frame1.Bounds().width, 10000 - kForm1FrameWidth - 100);
  Form1_DblClick(rig.app);  // the published values show, and take room
  EXPECT_TRUE(f.lblLat1.Visible() && f.lblDoppler1.Visible() && f.form.Height() == kForm1FrameHeight + kDdeInnerHeight);
  Frame1_DblClick(rig.app);
  EXPECT_FALSE(f.lblLat1.Visible() || f.lblDoppler1.Visible() || f.form.Height() != kCompact);
  f.form.SetState(WindowState::kMinimized);
  f.form.SetBounds({0, 0, 2000, 500});
  Form1_Resize(rig.app);
  EXPECT_EQ(f.form.Bounds(), (Rect{0, 0, 2000, 500}));
}

struct Minimal : test::TestRig {
  explicit Minimal(int input) {
    app.settings.ComPortIn = static_cast<std::int16_t>(input);
    app.settings.MinimalLeft = 1234.5f;
    app.settings.MinimalTop = 600;
    app.form1.form.SetVisible(true);
  }
  Form5& W() { return app.display.form5; }
};

TEST(MinimalDisplay, ReplacesTheMainWindowForEachSource) {
  const struct { int input; const char* values; Colour back; } cases[] = {  // values nullptr: refused
      {-1, "Demo", colour::kRed}, {3, "No Rx Yet", colour::kButtonFace}, {-2, "No Rx Yet", colour::kButtonFace},
      {0, nullptr, colour::kButtonFace}};
  for (const auto& c : cases) {
    Minimal m(c.input);
    m.app.form1.mnuMinimalDisplay.Click();
    const bool shown = c.values != nullptr;
    EXPECT_TRUE(m.app.settings.MinimalDisplay == shown && m.W().form.Visible() == shown && m.app.form1.form.Visible() != shown)
        << c.input;
    if (!shown) continue;
    EXPECT_EQ(m.W().Label2.Caption(), c.values);
    for (Colour back : {m.W().BackColor(), m.W().Label1.BackColor(), m.W().Label2.BackColor()})
      EXPECT_EQ(back, c.back) << c.input;
    EXPECT_EQ(m.W().form.Left() * 10000 + m.W().form.Top(), 1234 * 10000 + 600);
  }
}

TEST(MinimalDisplay, KeyMGoesBackAndALeftClickOnTheFrameSwitchesTheBar) {
  Minimal m(3);
  mnuMinimalDisplay_Click(m.app);
  Form5_KeyDown(m.app, key::kM, 0);
  Frame1_MouseDown(m.app, button::kLeft, 0, 100, 100);
  EXPECT_FALSE(m.W().form.Visible() || m.app.settings.MinimalDisplay || !m.app.form1.form.Visible());
  EXPECT_TRUE(m.app.form1.ProgressBar1.Smooth());
}

}  // namespace
}  // namespace koralin
