#include "display/layout.h"

#include <gtest/gtest.h>

#include "display/keys_and_mouse.h"
#include "support/fakes.h"

namespace koralin {
namespace {

constexpr int kCompact = kForm1FrameHeight + kCompactInnerHeight;

TEST(FormResize, SnapsBackToTheFixedWidthAndTheLayoutsHeightUnlessMinimised) {
  test::TestRig rig;
  Window& w = rig.app.form1.form;
  const Rect frame = rig.app.form1.Frame1.Bounds(), rose = rig.app.form1.Picture1.Bounds();
  EXPECT_LE(rose.top + rose.height, frame.height);  // the fields sit in the frame
  w.SetBounds({300, 200, 14000, 6000});
  Form1_Resize(rig.app);
  EXPECT_EQ(w.Bounds(), (Rect{300, 200, 10000, kCompact}));
  EXPECT_EQ(rig.app.form1.Frame1.Bounds().width, 10000 - kForm1FrameWidth - 100);
  rig.app.form1.mnuShowDDE.SetChecked(true);
  Form1_Resize(rig.app);
  EXPECT_EQ(w.Height(), kForm1FrameHeight + kDdeInnerHeight);
  w.SetState(WindowState::kMinimized);
  w.SetBounds({0, 0, 2000, 500});
  Form1_Resize(rig.app);
  EXPECT_EQ(w.Bounds(), (Rect{0, 0, 2000, 500}));
}

TEST(FormKeyDown, ShortcutsOfTheMainWindow) {
  const struct { int key, shift; bool stopPlay, minimal, ended; } cases[] = {
      {key::kF1, 0, true, false, false},         {key::kEscape, 0, true, false, false},
      {key::kM, key::kShift, false, true, false}, {key::kF4, key::kAlt, true, false, true},  // exit stops playback
      {key::kF4, 0, false, false, false},        {key::kF4, key::kAlt | key::kShift, false, false, false},
  };
  for (const auto& c : cases) {
    test::TestRig k;
    k.app.settings.ComPortIn = 3;
    Form1_KeyDown(k.app, c.key, c.shift);
    EXPECT_EQ(k.app.StopPlay, c.stopPlay) << c.key;
    EXPECT_EQ(k.app.settings.MinimalDisplay, c.minimal) << c.key;
    EXPECT_EQ(k.system.ended, c.ended) << c.key << " " << c.shift;
  }
}

TEST(Frame1MouseDown, LeftSwitchesTheBarRightOpensTheTerminalFromAPort) {
  const struct { int input, button; bool smooth, terminal; } cases[] = {
      {3, button::kLeft, true, false}, {1, button::kRight, false, true},     {0, button::kRight, false, false},
      {-2, button::kRight, false, false}, {3, button::kMiddle, false, false},
  };
  for (const auto& c : cases) {
    test::TestRig rig;
    int terminals = 0;
    rig.app.form1.mnuTerminalIn.onClick.Subscribe([&terminals] { ++terminals; });
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(c.input);
    Frame1_MouseDown(rig.app, c.button, 0, 100, 100);
    EXPECT_EQ(rig.app.form1.ProgressBar1.Smooth(), c.smooth) << c.input << "/" << c.button;
    EXPECT_EQ(terminals, c.terminal ? 1 : 0) << c.input << "/" << c.button;
  }
}

TEST(FormDblClick, TogglesThePublishedValuesAndTheHeight) {
  test::TestRig rig;
  Form1& f = rig.app.form1;
  Form1_DblClick(rig.app);
  for (bool on : {true, false}) {
    for (Label* l : {&f.lblLat1, &f.lblDoppler1}) EXPECT_EQ(l->Visible(), on) << l->Name();
    EXPECT_EQ(f.form.Height(), on ? kForm1FrameHeight + kDdeInnerHeight : kCompact);
    Frame1_DblClick(rig.app);
  }
}

}  // namespace
}  // namespace koralin
