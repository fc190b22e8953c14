#include "terminal/terminal.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "serial/port_listing.h"
#include "support/fakes.h"
#include "support/files.h"
#include "terminal/crc_tool.h"
#include "terminal/terminal_text.h"
#include "terminal/terminal_windows.h"

namespace koralin {
namespace {

struct Terminals : ::testing::Test {
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = app.form1;
  TerminalState& t = app.terminal;

  void OpenIn() { app.settings.ComPortIn = 3, f.mnuTerminalIn.Click(); }
  void OpenOut() { app.settings.ComPortOut = 2, f.mnuTerminalOut.Click(); }
};

TEST_F(Terminals, AppendOnlyWhileTheMenuEntryIsCheckedNewestOnTopAndCapped) {
  AddTerminalIn(app, "A\r\n", false), AddTerminalOut(app, "A\r\n", false), OpenIn(), OpenOut();
  for (const char* line : {"A\r\n", "B\r\n", "C\r\n"}) AddTerminalIn(app, line, false);
  AddTerminalOut(app, "$GPRMC,1\r\n", false), NoticeTerminalOut(app, "N\r\n");  // a notice shows at once when open
  EXPECT_EQ(t.form2.screen.Text() + "|" + t.form3.screen.Text(), "C\r\nB\r\nA\r\n|N\r\n$GPRMC,1\r\n");
  AddTerminalIn(app, std::string(5000, 'x'), false), AddTerminalOut(app, std::string(5000, 'x') + "$C", false);
  EXPECT_EQ(std::to_string(t.TerminalText[1].size()) + t.TerminalText[0], "4500C");
}

TEST(TerminalText, KeepsTheLast4500CharactersOutFromTheFirstDollar) {
  const std::string full(4500, 'x'), over = std::string(500, 'a');
  const struct { TerminalKind kind; std::string text, expected; } cases[] = {
      {TerminalKind::kIn, over + full, full}, {TerminalKind::kOut, over + full, full},
      // The kept part starts at "GP...": its first "$" is the one before "C".
      {TerminalKind::kOut, over + "$GP" + std::string(4497, 'b') + "$C", "C"},
      {TerminalKind::kOut, over + "$" + std::string(4499, 'b'), std::string(4499, 'b')},
      {TerminalKind::kOut, "$" + std::string(4499, 'b'), "$" + std::string(4499, 'b')},  // up to the cap it keeps its dollars
  };
  for (const auto& c : cases) {
    std::string s = c.text;
    CapTerminalText(s, c.kind);
    EXPECT_EQ(s, c.expected) << c.text.substr(0, 20) << "... " << c.text.size();
  }
}

TEST_F(Terminals, FreezingInFreezesAnOpenOutUntilThatIsSwitchedOff) {
  OpenIn(), OpenOut(), t.form2.chkFreeze.Click();
  EXPECT_TRUE(t.FreezeOut && t.form3.chkFreeze.Value() == 1);
  AddTerminalOut(app, "$GPRMC\r\n", false), OpenOut();  // off: the text stays
  EXPECT_EQ(t.TerminalText[0] + std::to_string(t.form3.form.Visible() + t.FreezeOut + t.form3.chkFreeze.Value()), "$GPRMC\r\n0");
  OpenIn(), OpenIn(), AddTerminalIn(app, "B\r\n", false);  // closed and opened again: running
  EXPECT_EQ(t.form2.screen.Text() + std::to_string(t.form2.chkFreeze.Value()), "B\r\n0");
  t.form2.onQueryUnload.Notify();  // its close box
  EXPECT_FALSE(f.mnuTerminalIn.Checked() || t.form2.form.Visible());
}

// Below the main window, Terminal Out below Terminal In; a maximised one stays where it is.
TEST_F(Terminals, PlacesTheWindowsBelowTheMainWindow) {
  f.form.SetBounds({100, 200, 6000, 3000}), OpenIn(), OpenOut();
  EXPECT_EQ(t.form2.form.Bounds(), (Rect{100, 3200, 6000, 3000}));
  EXPECT_EQ(t.form3.form.Bounds(), (Rect{100, 6200, 6000, 3000}));
  t.form3.form.SetState(WindowState::kMaximized);
  f.form.SetBounds({0, 0, 5000, 2000}), TerminalPlacement(app);
  EXPECT_EQ(t.form3.form.Top(), 6200);
}

TEST_F(Terminals, SendBoxWarnsOnceThenWritesLinesToAnOpenPortOnly) {
  OpenIn();
  EXPECT_FALSE(t.form2.TxtSend.Visible());
  t.form2.ChkSend2ComIn.Click();
  EXPECT_TRUE(rig.dialogs.boxes.size() == 1 && t.form2.TxtSend.Visible());
  const auto type = [&](const std::string& text) {
    rig.comm1.written.clear(), t.form2.TxtSend.SetText(text), t.form2.onTxtSendEnter.Notify();
    return rig.comm1.written + t.form2.TxtSend.Text();
  };
  EXPECT_EQ(type("abc"), "abc");  // the port is closed: nothing sent, the text stays
  rig.comm1.Open(3, "4800,N,8,1", 1024, 512);
  for (const auto& [typed, written] : {std::pair{"abc", "abc\r\n"}, {"a\r\nb", "ab\r\n"}, {"", ""}})
    EXPECT_EQ(type(typed), written) << typed;
  t.form2.ChkSend2ComIn.Click();
  EXPECT_TRUE(!t.form2.TxtSend.Visible() && rig.dialogs.boxes.size() == 1u);
}

TEST(CrcTool, PutsTheChecksumAfterTheSentenceTyped) {
  const std::pair<const char*, const char*> cases[] = {
      {"$PSRF100,1,4800,8,1,0*", "$PSRF100,1,4800,8,1,0*0E"}, {"GPRMC,1,2", "$GPRMC,1,2*48"},
      // An old checksum goes, whatever it was, and so do blanks and text before the "$".
      {"$GPRMC,1,2*68", "$GPRMC,1,2*48"}, {"$GPRMC,1,2*", "$GPRMC,1,2*48"}, {"   $GPRMC,1,2*   ", "$GPRMC,1,2*48"},
      {"junk $GPRMC,1,2", "$GPRMC,1,2*48"}, {"$GPRMC,1,2*48*99", "$GPRMC,1,2*48"}, {"$ABCD*xxxx", "$ABCD*04"},
      // Fewer than 8 characters, blanks included, give nothing; eight are enough.
      {"$GP*", ""}, {"GPRMC,1", ""}, {"", ""}, {"       ", ""}, {"$GPGGA,1", "$GPGGA,1*4B"},
      // The "*" stands too close behind the "$": left as typed.
      {"$ABC*12345", "$ABC*12345"}, {"abc*def$GPRMC,1", "abc*def$GPRMC,1"},
  };
  for (auto [typed, result] : cases) EXPECT_EQ(AddCrcToText(typed), result) << '"' << typed << '"';
}

// Add sums and selects the whole sentence; the close box unchecks the menu entry.
TEST(CrcTool, SumsInItsWindowWhichItsCloseBoxCloses) {
  test::TestRig rig;
  MenuItem& menu = rig.app.form1.mnuCreateGPstrings;
  Form4& w = rig.app.terminal.form4;
  menu.Click();
  EXPECT_EQ(w.Text1.Text(), "$PSRF100,1,4800,8,1,0*0E");  // it opens on the switch to NMEA, summed
  w.Text1.SetText("GPRMC,1,2"), w.Command1.Click();
  EXPECT_EQ(w.Text1.Text() + std::to_string(w.Text1.SelLength()), "$GPRMC,1,2*4813");
  w.onQueryUnload.Notify();
  EXPECT_FALSE(menu.Checked() || w.form.Visible() || w.loaded);
}

constexpr const char* kUblox = "/dev/serial/by-id/usb-u-blox_GNSS-if00";

struct Listing : ::testing::Test {
  void SetUp() override { rig.system.appPath = folder.path(); }
  test::TempFolder folder;
  test::TestRig rig;
  App& app = rig.app;
  PortListing& l = app.terminal.listing;
  const std::vector<SerialDevice> present{{"/dev/ttyUSB0", "u-blox GNSS receiver", "u-blox AG", 0x1546, 0x01a8, true, kUblox},
                                          {"/dev/ttyS0", "", "", -1, -1}};
  void Assign(const std::string& typed) { l.txtPortNumber.SetText(typed), l.cmdAssign.Click(); }
};

// Missing devices come after the present ones; a pty's link is there while a program holds it, a network port
// always; no name is cut.
TEST_F(Listing, ShowsPresentDevicesThenMissingOnesOrSaysThereAreNone) {
  FillPortListing(app, {});
  EXPECT_EQ(l.lblStatus.Caption(), "No serial device found. Is the receiver plugged in?");
  test::WriteFile(folder / "held-pty-link", "");
  const std::pair<std::string, std::string> named[] = {
      {"pty://" + folder / "held-pty-link", "virtual port (pty)"}, {"pty://" + folder / "closed", "(not present)"},
      {"/dev/serial/by-id/usb-Newcomer_GNSS_receiver-if00", "(not present)"}, {"tcp://localhost:2000", "network port"}};
  for (int i = 0; i < 4; ++i) SaveComPort(folder.path(), 20 + i, named[i].first);
  SaveComPort(folder.path(), 4, "/dev/ttyUSB3"), SaveComPort(folder.path(), 6, "/dev/ttyUSB3"), FillPortListing(app, present);
  const auto& rows = l.lstDevices.Items();  // sorted by path, the missing ones after
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_TRUE(rows[0].starts_with("Com1 ") && rows[1].find(kUblox) != std::string::npos &&
              std::count(rows.begin(), rows.end(), PortListingRow({"/dev/ttyUSB3", "", "", -1, -1, false}, {4, 6})) == 1);
  for (const auto& [target, shown] : named)
    EXPECT_EQ(std::count_if(rows.begin() + 2, rows.end(), [&](const std::string& r) {
                return r.find(" " + target + " ") != std::string::npos && r.ends_with(shown);
              }), 1) << target;
}

// A number is given to a chosen row only, from 1 to 31; it is saved, shown and taken from its old row, or a failure said.
TEST_F(Listing, AnAssignedNumberNeedsARowAndIsSavedShownAndTakenFromItsOldRow) {
  FillPortListing(app, present), Assign("3");
  EXPECT_EQ(l.lblStatus.Caption(), "Choose a device in the list first.");
  l.lstDevices.SetListIndex(1);
  for (const char* typed : {"", "0", "32", "3.5", "-1", "abc", "999999999999"}) {
    l.lblStatus.SetCaption(""), Assign(typed);
    EXPECT_EQ(l.lblStatus.Caption(), "Give a port number from 1 to 31.") << typed;
  }
  EXPECT_TRUE(ReadComPorts(folder.path()).empty());
  Assign(" 3 ");
  EXPECT_EQ(DevicePath(folder.path(), 3), kUblox);  // the name that survives replugging
  EXPECT_TRUE(l.lstDevices.Items()[1].starts_with("Com3 ") && l.lstDevices.Items()[1].ends_with(kUblox));
  EXPECT_TRUE(l.devices.size() == 2 && l.lstDevices.ListIndex() == 1);  // the present device, not a missing one
  Assign("1");  // number 1 was /dev/ttyS0's by default; giving it away empties that row
  EXPECT_EQ(l.lstDevices.Items()[0].rfind("-  ", 0), 0u);
  l.lstDevices.SetListIndex(0), Assign("9");  // the selection stays on the same device, the first one too
  EXPECT_EQ(l.lstDevices.ListIndex(), 0);
  rig.system.appPath = folder / "missing", Assign("2");
  EXPECT_TRUE(l.lblStatus.Caption().starts_with("Not saved: "));
}

}  // namespace
}  // namespace koralin
