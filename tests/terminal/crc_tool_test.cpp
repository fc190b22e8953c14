#include "terminal/crc_tool.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace koralin {
namespace {

TEST(AddCrcToText, GivesTheSentenceItsChecksum) {
  const std::pair<const char*, const char*> cases[] = {
      {"$PSRF100,1,4800,8,1,0*", "$PSRF100,1,4800,8,1,0*0E"},
      {"GPRMC,1,2", "$GPRMC,1,2*48"},
      // An old checksum goes, whatever it was.
      {"$GPRMC,1,2*68", "$GPRMC,1,2*48"}, {"$GPRMC,1,2*48", "$GPRMC,1,2*48"}, {"$GPRMC,1,2*", "$GPRMC,1,2*48"},
      // Blanks around go, and so does text before the "$".
      {"   $GPRMC,1,2*   ", "$GPRMC,1,2*48"}, {"junk $GPRMC,1,2", "$GPRMC,1,2*48"},
      // Only what stands before the first "*" counts.
      {"$GPRMC,1,2*48*99", "$GPRMC,1,2*48"},
      // A checksum below 16 keeps its leading zero.
      {"$ABCD*xxxx", "$ABCD*04"},
      // Fewer than 8 characters, blanks included, give nothing.
      {"$GP*", ""}, {"GPRMC,1", ""}, {"", ""}, {"       ", ""},
      // Eight characters are enough.
      {"$GPGGA,1", "$GPGGA,1*4B"},
      // The "*" stands too close behind the "$": left as typed.
      {"$ABC*12345", "$ABC*12345"}, {"abc*def$GPRMC,1", "abc*def$GPRMC,1"},
  };
  for (auto [typed, result] : cases) EXPECT_EQ(AddCrcToText(typed), result) << '"' << typed << '"';
}

struct CrcTool : ::testing::Test {
  test::TestRig rig;
  App& app = rig.app;
  Form4& w = app.terminal.form4;
};

TEST_F(CrcTool, OpensWithTheSirfCommandSummedAndTheButtonReplacesTheText) {
  app.form1.mnuCreateGPstrings.Click();
  EXPECT_TRUE(app.form1.mnuCreateGPstrings.Checked());
  EXPECT_TRUE(w.form.Visible());
  EXPECT_EQ(w.form.Caption(), "Koralin GPS Readout. Version 1.21");
  EXPECT_EQ(w.Text1.Text(), "$PSRF100,1,4800,8,1,0*0E");
  EXPECT_EQ(w.Text1.SelStart(), 0);
  EXPECT_EQ(w.Text1.SelLength(), 24);
  for (auto [typed, result] : {std::pair{"GPRMC,1,2", "$GPRMC,1,2*48"}, {"$GP*", ""}}) {
    w.Text1.SetText(typed);
    w.Command1.Click();
    EXPECT_EQ(w.Text1.Text(), result);
    EXPECT_EQ(w.Text1.SelLength(), static_cast<int>(std::string(result).size()));
  }
}

TEST_F(CrcTool, MenuCheckFollowsTheWindow) {
  app.form1.mnuCreateGPstrings.Click();
  w.onQueryUnload.Notify();
  EXPECT_FALSE(app.form1.mnuCreateGPstrings.Checked() || w.form.Visible() || w.loaded);
  app.form1.mnuCreateGPstrings.Click();
  w.Text1.SetText("typed");
  app.form1.mnuCreateGPstrings.Click();
  EXPECT_FALSE(w.form.Visible());
  // Opened again, it starts afresh.
  app.form1.mnuCreateGPstrings.Click();
  EXPECT_EQ(w.Text1.Text(), "$PSRF100,1,4800,8,1,0*0E");
}

}  // namespace
}  // namespace koralin
