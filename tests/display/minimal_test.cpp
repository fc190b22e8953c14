// The main window's layout, keys and mouse, and the minimal display.
#include "display/minimal.h"

#include <gtest/gtest.h>

#include "dde/links.h"
#include "display/keys_and_mouse.h"
#include "display/layout.h"
#include "support/fakes.h"

namespace koralin {
namespace {

constexpr int kCompact = kForm1FrameHeight + kCompactInnerHeight;

TEST(FormResize, SnapsBackToTheFixedWidthAndTheLayoutsHeightUnlessMinimised) {
  test::TestRig rig;
  Form1& f = rig.app.form1;
  const Rect frame = f.Frame1.Bounds(), rose = f.Picture1.Bounds();
  EXPECT_LE(rose.top + rose.height, frame.height);  // the fields sit in the frame
  f.form.SetBounds({300, 200, 14000, 6000});
  Form1_Resize(rig.app);
  EXPECT_EQ(f.form.Bounds(), (Rect{300, 200, 10000, kCompact}));
  EXPECT_EQ(f.Frame1.Bounds().width, 10000 - kForm1FrameWidth - 100);
  Form1_DblClick(rig.app);  // the published values show, and take room
  EXPECT_TRUE(f.lblLat1.Visible() && f.lblDoppler1.Visible());
  EXPECT_EQ(f.form.Height(), kForm1FrameHeight + kDdeInnerHeight);
  Frame1_DblClick(rig.app);
  EXPECT_FALSE(f.lblLat1.Visible() || f.lblDoppler1.Visible());
  EXPECT_EQ(f.form.Height(), kCompact);
  f.form.SetState(WindowState::kMinimized);
  f.form.SetBounds({0, 0, 2000, 500});
  Form1_Resize(rig.app);
  EXPECT_EQ(f.form.Bounds(), (Rect{0, 0, 2000, 500}));
}

TEST(FormKeyDown, ShortcutsOfTheMainWindow) {
  const struct { int key, shift; bool stopPlay, minimal, ended; } cases[] = {  // Alt+F4 exits, which stops playback
      {key::kF1, 0, true, false, false}, {key::kEscape, 0, true, false, false}, {key::kM, key::kShift, false, true, false},
      {key::kF4, key::kAlt, true, false, true}, {key::kF4, 0, false, false, false},
      {key::kF4, key::kAlt | key::kShift, false, false, false}};
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
      {3, button::kLeft, true, false}, {1, button::kRight, false, true}, {0, button::kRight, false, false},
      {-2, button::kRight, false, false}, {3, button::kMiddle, false, false}};
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
    EXPECT_EQ(m.app.settings.MinimalDisplay, shown) << c.input;
    EXPECT_EQ(m.W().form.Visible(), shown) << c.input;
    EXPECT_EQ(m.app.form1.form.Visible(), !shown) << c.input;
    if (!shown) continue;
    EXPECT_EQ(m.W().Label2.Caption(), c.values);
    for (Colour back : {m.W().BackColor(), m.W().Label1.BackColor(), m.W().Label2.BackColor()})
      EXPECT_EQ(back, c.back) << c.input;
    EXPECT_EQ(m.W().form.Left() * 10000 + m.W().form.Top(), 1234 * 10000 + 600);
  }
}

TEST(MinimalDisplay, ButtonAndKeyMGoBackTheCloseBoxEndsTheProgram) {
  Minimal never(3);  // a window never shown is not unloaded, nor does its close end anything
  UnloadForm5(never.app);
  EXPECT_FALSE(never.system.ended);
  for (int how : {0, 1, 2}) {  // button, key M, close box
    Minimal m(-1);
    mnuMinimalDisplay_Click(m.app);
    m.W().form.Move(3000, 4500);  // the user moved it
    if (how == 0) m.W().Command1.Click();
    if (how == 1) Form5_KeyDown(m.app, key::kM, 0);
    if (how == 2) UnloadForm5(m.app);
    EXPECT_EQ(m.system.ended, how == 2) << how;
    EXPECT_EQ(m.app.settings.MinimalLeft * 10000 + m.app.settings.MinimalTop, 3000 * 10000 + 4500) << how;
    if (how == 2) continue;
    EXPECT_FALSE(m.W().loaded || m.W().form.Visible() || m.app.settings.MinimalDisplay || !m.app.form1.form.Visible());
    m.app.settings.ComPortIn = 3;  // shown again, no red is left from the demo
    mnuMinimalDisplay_Click(m.app);
    EXPECT_EQ(m.W().BackColor(), colour::kButtonFace);
  }
}

TEST(MinimalDisplay, ShowsTheValuesOfTheMainWindowAndLoadsOnDemand) {
  Minimal m(3);
  m.app.settings.MinimalDisplay = true;  // as saved, before start-up shows it
  Form1& f = m.app.form1;
  const std::pair<Label*, const char*> values[] = {{&f.lblLock, "Rx ok"}, {&f.lblLatitude, "52N"},
                                                   {&f.lblLongitude, "004E"}, {&f.lblCompass, "084.4"},
                                                   {&f.lblHeight, "1789 ft"}, {&f.lblSpeed, "037.0"},
                                                   {&f.lblUnity, " kmh"}};
  for (const auto& [label, text] : values) label->SetCaption(text);
  m.app.heading.FluxHeadingText = "123F";
  DDElinks(m.app);
  EXPECT_TRUE(m.W().loaded);
  EXPECT_FALSE(m.W().form.Visible());
  EXPECT_EQ(m.W().Label2.Caption(), "Rx ok\r\n52N\r\n004E\r\n084.4\r\n1789 ft\r\n037.0 kmh\r\n123");
}

}  // namespace
}  // namespace koralin
