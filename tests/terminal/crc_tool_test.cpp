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

TEST(CrcTool, OpensWithTheSirfCommandSummedAndClosesWithItsMenuOrCloseBox) {
  test::TestRig rig;
  MenuItem& menu = rig.app.form1.mnuCreateGPstrings;
  Form4& w = rig.app.terminal.form4;
  menu.Click();
  EXPECT_TRUE(menu.Checked() && w.form.Visible());
  EXPECT_EQ(w.Text1.Text(), "$PSRF100,1,4800,8,1,0*0E");
  EXPECT_EQ(w.Text1.SelLength(), 24);
  w.Text1.SetText("GPRMC,1,2");
  w.Command1.Click();
  EXPECT_EQ(w.Text1.Text(), "$GPRMC,1,2*48");
  EXPECT_EQ(w.Text1.SelLength(), 13);
  w.onQueryUnload.Notify();
  EXPECT_FALSE(menu.Checked() || w.form.Visible() || w.loaded);
  menu.Click();
  menu.Click();
  EXPECT_FALSE(w.form.Visible());
  menu.Click();  // opened again, it starts afresh
  EXPECT_EQ(w.Text1.Text(), "$PSRF100,1,4800,8,1,0*0E");
}

}  // namespace
}  // namespace koralin
