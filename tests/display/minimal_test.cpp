#include "display/minimal.h"

#include <gtest/gtest.h>

#include "dde/links.h"
#include "display/keys_and_mouse.h"
#include "support/fakes.h"

namespace koralin {
namespace {

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
  const struct {
    int input;
    const char* title;
    const char* values;  // nullptr: refused, the main window stays
    Colour back;
  } cases[] = {
      {-1, "Demo", "Demo", colour::kRed},
      {3, "Koralin GPS Readout. ", "No Rx Yet", colour::kButtonFace},
      {-2, "Koralin GPS Readout. ", "No Rx Yet", colour::kButtonFace},
      {0, "", nullptr, colour::kButtonFace},
  };
  for (const auto& c : cases) {
    Minimal m(c.input);
    m.app.form1.mnuMinimalDisplay.Click();
    const bool shown = c.values != nullptr;
    EXPECT_EQ(m.app.settings.MinimalDisplay, shown) << c.input;
    EXPECT_EQ(m.W().form.Visible(), shown) << c.input;
    EXPECT_EQ(m.app.form1.form.Visible(), !shown) << c.input;
    if (!shown) continue;
    EXPECT_EQ(m.W().form.Caption(), c.title);
    EXPECT_EQ(m.W().Label2.Caption(), c.values);
    for (Colour back : {m.W().BackColor(), m.W().Label1.BackColor(), m.W().Label2.BackColor()})
      EXPECT_EQ(back, c.back) << c.input;
    EXPECT_EQ(m.W().form.Left(), 1234);
    EXPECT_EQ(m.W().form.Top(), 600);
    const Rect titles = m.W().Label1.Bounds();
    EXPECT_EQ(m.W().Label2.Bounds().height, titles.height);
    EXPECT_EQ(m.W().Command1.Bounds().top, titles.top + titles.height);
  }
}

TEST(MinimalDisplay, ButtonAndKeyMGoBackTheCloseBoxEndsTheProgram) {
  for (int how : {0, 1, 2}) {  // button, key M, close box
    Minimal m(-1);
    mnuMinimalDisplay_Click(m.app);
    m.W().form.Move(3000, 4500);  // the user moved it
    if (how == 0) m.W().Command1.Click();
    if (how == 1) Form5_KeyDown(m.app, key::kM, 0);
    if (how == 2) UnloadForm5(m.app);
    EXPECT_EQ(m.system.ended, how == 2) << how;
    EXPECT_EQ(m.app.settings.MinimalLeft, 3000) << how;
    EXPECT_EQ(m.app.settings.MinimalTop, 4500) << how;
    if (how == 2) continue;
    EXPECT_FALSE(m.W().loaded || m.W().form.Visible() || m.app.settings.MinimalDisplay);
    EXPECT_TRUE(m.app.form1.form.Visible());
    // Shown again, it is its design self: no red left from the demo.
    m.app.settings.ComPortIn = 3;
    mnuMinimalDisplay_Click(m.app);
    EXPECT_EQ(m.W().BackColor(), colour::kButtonFace);
  }
}

TEST(MinimalDisplay, ShowsTheValuesOfTheMainWindowAndLoadsOnDemand) {
  Minimal m(3);
  m.app.settings.MinimalDisplay = true;  // as saved, before start-up shows it
  Form1& f = m.app.form1;
  f.lblLock.SetCaption("Rx ok");
  f.lblLatitude.SetCaption("52N");
  f.lblLongitude.SetCaption("004E");
  f.lblCompass.SetCaption("084.4");
  f.lblHeight.SetCaption("1789 ft");
  f.lblSpeed.SetCaption("037.0");
  f.lblUnity.SetCaption(" kmh");
  m.app.heading.FluxHeadingText = "123F";
  DDElinks(m.app);
  EXPECT_TRUE(m.W().loaded);
  EXPECT_FALSE(m.W().form.Visible());
  EXPECT_EQ(m.W().Label2.Caption(), "Rx ok\r\n52N\r\n004E\r\n084.4\r\n1789 ft\r\n037.0 kmh\r\n123");
}

}  // namespace
}  // namespace koralin
