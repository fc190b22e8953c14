#include "app/startup.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/settings_file.h"
#include "app/shutdown.h"
#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

// A program on fakes started in a folder holding a settings file written
// with the given changes.
struct Started {
  explicit Started(const std::function<void(App&)>& change = nullptr) {
    rig.system.appPath = folder.path();
    if (change) {
      test::TestRig writer;
      writer.system.appPath = folder.path();
      writer.app.settings.CfgFileName = folder / "Gps.cfg";
      DefaultSettings(writer.app);
      change(writer.app);
      SaveSettings(writer.app);
    }
    Form1_Load(rig.app);
  }
  test::TempFolder folder;
  test::TestRig rig;
};

TEST(Startup, BringsTheWindowUpFromTheDefaults) {
  Started s;
  const Form1& f = s.rig.app.form1;
  EXPECT_EQ(f.form.Caption(), "Koralin GPS Readout. Version 1.21");
  EXPECT_EQ(s.rig.app.settings.CfgFileName, s.folder / "Gps.cfg");
  EXPECT_EQ(s.rig.app.settings.LogFileName, s.folder / "GpsData.log");
  EXPECT_TRUE(s.rig.dialogs.boxes.empty());
  EXPECT_EQ(f.tmrPolling.Interval(), 1500);
  EXPECT_FALSE(f.tmrComInTimeOut.Enabled());  // the input starts off, so nothing to watch
  EXPECT_EQ(f.mnuTimeZone.Caption(), "O&ther TimeZone (-5)...");
  EXPECT_FALSE(s.rig.app.shell.ClockOffsetPending);
  EXPECT_EQ(s.rig.app.fix.MonthTable[2].days, "28");
  ASSERT_EQ(f.lstCustumComIn.Items().size(), 25u);
  EXPECT_EQ(f.lstCustumComIn.Items().back(), "31");
  EXPECT_EQ(f.Option1[6].Caption(), "Com7");
  EXPECT_TRUE(f.mnuAnyTalker.Checked());  // no Options.cfg yet
  EXPECT_TRUE(f.form.Visible());
}

TEST(Startup, RebuildsStateFromStoredSettings) {
  const struct {
    const char* what;
    std::function<void(App&)> change;
    std::function<void(const App&)> expect;
  } cases[] = {
      {"closed during playback", [](App& a) { a.settings.ComPortIn = -2; },
       [](const App& a) { EXPECT_EQ(a.settings.ComPortIn, 0); }},
      {"odd polling interval", [](App& a) { a.settings.PollingInterval = 100; },
       [](const App& a) {
         EXPECT_EQ(a.settings.PollingInterval, 50);
         EXPECT_EQ(a.form1.tmrPolling.Interval(), 50);
         EXPECT_TRUE(a.form1.mnuPollingSpeed.Checked());
       }},
      {"custom port", [](App& a) { a.settings.CustomComIn = 12; },
       [](const App& a) { EXPECT_EQ(a.form1.Option1[6].Caption(), "Com12"); }},
      {"minimal speed", [](App& a) { a.settings.MinGpsSpeedOut = 5; },
       [](const App& a) { EXPECT_EQ(a.form1.mnuMinGpsSpeedOut.Caption(), "GP&S Minimal Speed (5 knots)..."); }},
      {"smooth bar", [](App& a) { a.settings.SmoothSpeedBar = 1; },
       [](const App& a) { EXPECT_TRUE(a.form1.ProgressBar1.Smooth()); }},
      // Only one of the two windows ever shows.
      {"minimal display", [](App& a) { a.settings.MinimalDisplay = true, a.settings.ComPortIn = -1; },
       [](const App& a) { EXPECT_TRUE(!a.form1.form.Visible() && a.display.form5.form.Visible()); }},
      {"minimal display, input off", [](App& a) { a.settings.MinimalDisplay = true; },
       [](const App& a) { EXPECT_TRUE(a.form1.form.Visible() && !a.display.form5.form.Visible()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Started s(c.change);
    EXPECT_TRUE(s.rig.dialogs.boxes.empty());
    c.expect(s.rig.app);
  }
}

TEST(Startup, ASecondCopyRefusesAndTouchesNothing) {
  test::TempFolder folder;
  const std::string stored = "stored by the first copy\r\n";
  test::WriteFile(folder / "Gps.cfg", stored);
  test::TestRig rig;
  rig.system.appPath = folder.path();
  rig.system.prevInstance = true;
  rig.comm1.Open(1, "4800,N,8,1", 1024, 512);
  Form1_Load(rig.app);
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].prompt, "      I am already running !");
  EXPECT_TRUE(rig.system.ended);
  EXPECT_TRUE(rig.app.settings.CfgFileName.empty());
  EXPECT_FALSE(rig.app.form1.form.Visible()) << "nothing behind the box";

  // A signal reaching it now must not write settings either.
  ExitProgram(rig.app);
  EXPECT_EQ(test::ReadFile(folder / "Gps.cfg"), stored);
  EXPECT_TRUE(rig.comm1.IsOpen());
}

}  // namespace
}  // namespace koralin
