// A port that goes away while open is waited for, not switched off.
#include "serial/resume.h"

#include <gtest/gtest.h>

#include "serial/output_port.h"
#include "serial/send.h"
#include "serial_rig.h"
#include "support/sentences.h"
#include "terminal/terminal_windows.h"

namespace koralin {
namespace {

using test::Rmc;

TEST(Resume, ALostPortIsReopenedWithItsSettingsAndNoBox) {
  const RunTimeError lost(err::kDeviceLost, "/dev/ttyS2: Device disappeared - was it unplugged?");
  const struct {
    const char* what;
    int in, out;     // input and output ports
    bool inputGoes;  // else the separate output goes
    int shown;       // port named in the caption
  } cases[] = {{"input", 1, 2, true, 1}, {"output", 1, 2, false, 2}, {"shared", 1, -1, true, 1},
               {"output on port 1", 2, 1, false, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::SerialRig rig;
    rig.ReadyToDecode(0);
    Form1& f = rig.app.form1;
    f.Option1[c.in - 1].Click();
    ComOutSelect(rig.app, c.out, 9600);
    mnuTerminalOut_Click(rig.app);
    f.mnuRMCPlainOut.SetChecked(true);
    test::FakeSerialPort& gone = c.inputGoes ? rig.comm1 : rig.comm2;
    (c.inputGoes && c.out != -1 ? gone.failRead : gone.failWrite) = lost;
    gone.failOpen = lost;
    const std::string next = "\r\n$GPGSV,1\r\n";  // so the fix is not the carried tail
    rig.comm1.Feed(Rmc("120000") + next);
    rig.clock.Advance(1500);
    const std::string caption = "Com" + std::to_string(c.shown) + " lost - waiting for /dev/ttyS" +
                                std::to_string(c.shown - 1) + " to return";
    EXPECT_EQ(f.Frame1.Caption(), caption);
    EXPECT_FALSE(gone.IsOpen() || f.Frame1.FontUnderline());
    EXPECT_EQ(f.lblLock.BackColor() == colour::kRed, c.inputGoes);
    rig.clock.Advance(10000);  // still away: the watchdog keeps the words
    if (c.inputGoes) { EXPECT_EQ(f.Frame1.Caption(), caption); }
    EXPECT_EQ(rig.app.settings.ComPortIn * 10 + rig.app.settings.ComPortOut, c.in * 10 + c.out);
    EXPECT_EQ(rig.app.terminal.TerminalText[0].find(caption) != std::string::npos, !c.inputGoes);

    gone.failRead = gone.failWrite = gone.failOpen = std::nullopt;
    gone.written.clear();
    rig.clock.Advance(2000);
    EXPECT_TRUE(gone.IsOpen());
    EXPECT_EQ(gone.Settings(), c.inputGoes ? "4800,N,8,1" : "9600,N,8,1");
    EXPECT_EQ(gone.inBufferSize + gone.outBufferSize, 8192);
    rig.comm1.ReadAll();  // what the unplugged device held is gone with it
    rig.comm1.Feed(Rmc("120005") + next);
    rig.clock.Advance(1500);
    EXPECT_EQ(rig.app.fix.UtcTimeText, "12:00:05");
    EXPECT_EQ((c.out == -1 ? rig.comm1 : rig.comm2).written, Rmc("120005") + "\r\n");
    EXPECT_EQ(f.Frame1.Caption().rfind(kFrameCaption, 0), 0u);
    EXPECT_TRUE(!f.tmrResume.Enabled() && rig.dialogs.boxes.empty());
  }
  test::SerialRig off;  // the input switched off while it is waited for: the wait ends
  off.app.form1.Option1[0].Click();
  off.comm1.failRead = off.comm1.failOpen = lost;
  off.comm1.Feed("abcd");
  off.clock.Advance(1500);
  ASSERT_TRUE(off.app.form1.tmrResume.Enabled());
  off.app.form1.Option1[7].Click();
  off.clock.Advance(2000);
  EXPECT_FALSE(off.app.form1.tmrResume.Enabled());
}

}  // namespace
}  // namespace koralin
