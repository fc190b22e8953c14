#include "app/shutdown.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/startup.h"
#include "display/minimal.h"
#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

struct Running {
  Running() {
    rig.system.appPath = folder.path();
    Form1_Load(rig.app);
    rig.comm1.Open(3, "4800,N,8,1", 1024, 512);
    rig.comm2.Open(2, "4800,N,8,1", 1024, 512);
    rig.app.form1.tmrPolling.SetEnabled(true);
  }
  bool Saved() const { return test::Exists(folder / "Gps.cfg"); }
  test::TempFolder folder;
  test::TestRig rig;
};

TEST(ExitProgram, StopsSavesClosesThenEnds) {
  Running r;
  App& app = r.rig.app;
  std::vector<std::string> seen;
  app.form1.tmrPolling.changed.Subscribe([&] {
    if (!app.form1.tmrPolling.Enabled())
      seen.push_back(std::string("timer off, saved=") + (r.Saved() ? "yes" : "no"));
  });
  app.form1.lblVal1.captionChanged.Subscribe([&] {
    seen.push_back("val " + app.form1.lblVal1.Caption() + ", saved=" + (r.Saved() ? "yes" : "no") +
                   ", ports open=" + (r.rig.comm1.IsOpen() || r.rig.comm2.IsOpen() ? "yes" : "no") +
                   ", ended=" + (r.rig.system.ended ? "yes" : "no"));
  });
  ExitProgram(app);
  const std::vector<std::string> expected = {"timer off, saved=no", "val Off, saved=yes, ports open=no, ended=no"};
  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(app.StopPlay && r.rig.system.ended);
  EXPECT_FALSE(app.form1.tmrComInTimeOut.Enabled() || app.form1.form.Visible());
}

TEST(ExitProgram, AFailedSaveStillEndsTheProgram) {
  Running r;
  r.rig.app.settings.CfgFileName = r.folder / "gone/Gps.cfg";
  r.rig.app.form1.mnuExit.Click();
  ASSERT_EQ(r.rig.dialogs.boxes.size(), 1u);
  EXPECT_NE(r.rig.dialogs.boxes[0].prompt.find("Write error."), std::string::npos);
  EXPECT_FALSE(r.rig.comm1.IsOpen());
  EXPECT_TRUE(r.rig.system.ended);
}

TEST(ExitProgram, DuringPlaybackTheStoredInputStaysPlayback) {
  Running r;  // the next start turns it off
  r.rig.app.settings.ComPortIn = -2;
  ExitProgram(r.rig.app);
  EXPECT_NE(test::ReadFile(r.folder / "Gps.cfg").find("\r\n-2\r\n7\r\n"), std::string::npos);
  EXPECT_EQ(test::ReadFile(r.folder / "Options.cfg"), "AnyTalker=1\n");
}

// However the exit comes (a signal, a logout), the next start finds the
// minimal display where the user left it.
TEST(ExitProgram, TheNextStartShowsTheMinimalDisplayWhereItWasLeft) {
  Running r;
  App& app = r.rig.app;
  app.settings.ComPortIn = -1;
  mnuMinimalDisplay_Click(app);
  app.display.form5.form.Move(3000, 4500);  // dragged there
  ExitProgram(app);
  test::TestRig next;
  next.system.appPath = r.folder.path();
  Form1_Load(next.app);
  const Window& shown = next.app.display.form5.form;
  EXPECT_TRUE(shown.Visible());
  EXPECT_FALSE(next.app.form1.form.Visible());
  EXPECT_EQ(shown.Left(), 3000);
  EXPECT_EQ(shown.Top(), 4500);
}

}  // namespace
}  // namespace koralin
