// What a first-time user meets on the input: the no-input warning giving way
// to a receiver that speaks again, Terminal In after a baud search, and the
// serial-port listing's rows for what only ComPorts.cfg names.
#include <gtest/gtest.h>

#include <string>

#include "app/keys_and_mouse.h"
#include "serial/com_ports.h"
#include "serial/input_port.h"
#include "serial/port_listing.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/sentences.h"

namespace koralin {
namespace {

struct InputRig : test::TestRig {
  explicit InputRig(int pollMs) {
    ReadyToDecode(0);
    app.form1.tmrPolling.SetInterval(pollMs);
    app.form1.tmrComInTimeOut.SetInterval(10000);
    app.settings.BaudIn = 4800;
  }
};

// A 1 Hz receiver stops for 40 s and starts again: its first fix takes the
// warning away, however fast the polling.
TEST(Newcomer, TheFirstFixAfterASilenceClearsTheWarning) {
  for (int pollMs : {50, 1500}) {
    InputRig rig(pollMs);
    const Frame& frame = rig.app.form1.Frame1;
    rig.app.form1.Option1[0].Click();
    rig.comm1.Feed(test::Rmc("120000") + "\r\n");
    rig.clock.Advance(1500);
    rig.clock.Advance(40000);
    ASSERT_TRUE(frame.Caption().starts_with("Warning no RS232")) << pollMs;
    std::string seen;
    for (int second = 1; second <= 3; ++second) {
      rig.comm1.Feed(test::Rmc("12004" + std::to_string(second)) + "\r\n");
      rig.clock.Advance(1000);
      seen += frame.Caption() + (frame.FontUnderline() ? "_" : "") + "|";
    }
    EXPECT_EQ(seen, "GPS-NMEA-0183_|GPS-NMEA-0183_|GPS-NMEA-0183_|") << pollMs;
  }
}

// The search keeps Terminal In shut while it reads the port; once a rate is
// found a right click on the frame opens it, as the guide says.
TEST(Newcomer, TerminalInOpensAfterASuccessfulSearch) {
  for (const bool answers : {true, false}) {
    InputRig rig(1500);
    Form1& f = rig.app.form1;
    bool shutWhileSearching = true;
    f.lblGPRMC.captionChanged.Subscribe([&] {
      if (!f.lblGPRMC.Caption().starts_with("Searching for '$GP' at 4800")) return;
      shutWhileSearching = shutWhileSearching && !f.mnuTerminalIn.Enabled();
      if (answers) rig.comm1.Feed(std::string(20, '\n') + std::string(1100, 'x') + test::Rmc() + "\r\n");
    });
    BaudSelect(rig.app, 0);
    f.Option1[0].Click();
    Frame1_MouseDown(rig.app, button::kRight, 0, 0, 0);
    EXPECT_EQ(std::to_string(shutWhileSearching) + std::to_string(f.mnuTerminalIn.Enabled()) +
                  std::to_string(f.mnuTerminalIn.Checked()), answers ? "111" : "100");
  }
}

// A device or a pty link is there when its path exists (a pty's link while a
// program holds it), a network port always; no name is cut.
TEST(Newcomer, TheListingShowsWhatComPortsCfgNamesWholeAndAsItIs) {
  test::TempFolder folder;
  test::TestRig rig;
  rig.system.appPath = folder.path();
  test::WriteFile(folder / "held-pty-link", "");
  const std::pair<std::string, std::string> named[] = {
      {"pty://" + folder / "held-pty-link", "virtual port (pty)"}, {"pty://" + folder / "closed", "(not present)"},
      {"/dev/serial/by-id/usb-Newcomer_GNSS_receiver-if00", "(not present)"}, {"tcp://localhost:2000", "network port"}};
  for (std::size_t i = 0; i < std::size(named); ++i) SaveComPort(folder.path(), static_cast<int>(i) + 1, named[i].first);
  FillPortListing(rig.app, {});
  const auto& rows = rig.app.terminal.listing.lstDevices.Items();
  ASSERT_EQ(rows.size(), std::size(named));
  for (std::size_t i = 0; i < std::size(named); ++i)
    EXPECT_TRUE(rows[i].find(" " + named[i].first + " ") != std::string::npos && rows[i].ends_with(named[i].second))
        << rows[i];
}

}  // namespace
}  // namespace koralin
