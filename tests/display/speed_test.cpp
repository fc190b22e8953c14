#include "display/speed.h"

#include <gtest/gtest.h>

#include "common/basic.h"
#include "support/fakes.h"

namespace koralin {
namespace {

struct Speedo : test::TestRig {
  explicit Speedo(int unit = 3) { SpeedSelect(app, unit); }
  const ProgressBar& Bar() const { return app.form1.ProgressBar1; }
  std::string Speed() const { return app.form1.lblSpeed.Caption(); }
  // Answers the max-range question.
  void MaxRange(const std::string& answer) {
    dialogs.inputAnswers.push_back(answer);
    app.form1.mnuMaxRange.Click();
  }
};

TEST(ShowSpeed, InEveryUnitWithAtLeastThreeDigitsAndTheBarClamped) {
  const struct { int unit; float knots; const char* speed; double value, barMax; } cases[] = {
      {1, 20, "020.0", 20, 86.3930},       {2, 20, "023.0", 23.0156, 99.4406},  {3, 20, "037.0", 37.04, 160},
      {4, 20, "010.3", 10.2889, 44.4444},  {3, 0, "000.0", 0, 160},             {3, 2.808f, "005.2", 5.2, 160},
      {3, 66.6576f, "123.4", 123.45, 160}, {3, 200, "370.4", 160, 160},         {3, 666.576f, "1234.5", 160, 160},
      {3, -3, "-005.6", 0, 160},
  };
  for (const auto& c : cases) {
    Speedo s(c.unit);
    ShowSpeed(s.app, c.knots);
    EXPECT_EQ(s.Speed(), c.speed) << c.unit << " " << c.knots;
    EXPECT_NEAR(s.Bar().Value(), c.value, 0.01) << c.unit << " " << c.knots;  // unrounded
    EXPECT_NEAR(s.Bar().Max(), c.barMax, 0.001) << c.unit;
  }
  Speedo s(3);  // an unknown unit shows zero, and cannot be chosen
  s.app.settings.SpeedUnit = 9;
  ShowSpeed(s.app, 20);
  EXPECT_EQ(s.Speed(), "000.0");
  SpeedSelect(s.app, 9);
  EXPECT_TRUE(s.app.form1.mnuKilometres.Checked());
}

TEST(SpeedUnits, MenusAndClicksRedrawTheLatestSpeedWithOneCheckAndTheMaxRangeIsAskedInTheUnitShown) {
  Speedo s(3);
  s.app.fix.SpeedKnotsText = "020.0";
  Form1& f = s.app.form1;
  const std::pair<MenuItem*, const char*> menus[] = {
      {&f.mnuMiles, "023.0"}, {&f.mnuMetresSec, "010.3"}, {&f.mnuKnots, "020.0"}, {&f.mnuKilometres, "037.0"}};
  for (const auto& [menu, speed] : menus) {
    menu->Click();
    EXPECT_EQ(s.Speed(), speed);
    EXPECT_TRUE(menu->Checked() &&
                f.mnuKnots.Checked() + f.mnuMiles.Checked() + f.mnuKilometres.Checked() + f.mnuMetresSec.Checked() == 1);
  }
  // Clicking the speed or the unit cycles through the units.
  std::string order;
  for (int i = 0; i < 4; ++i) { (i % 2 ? f.lblUnity : f.lblSpeed).Click(); order += f.lblUnity.Caption(); }
  EXPECT_EQ(order + std::to_string(s.app.settings.SpeedUnit), " ms knots mph kmh3");
  const struct { int unit; const char* answer; int maxRangeKmh; } cases[] = {  // 0: refused
      {3, "", 160},        {3, "abc", 0},       {3, "0", 0},         {3, "0.4", 0},      {3, "1", 1},
      {3, "-50", 50},      {3, "99999", 32767}, {3, "32767.6", 32767}, {3, "200 kmh", 200}, {3, "2.5", 2},
      {3, "9e999", 32767}, {1, "86", 159},      {1, "17693", 32767},  {2, "100", 161},   {4, "10", 36},
  };
  const char* const was[] = {"86", "99", "160", "44"};  // 160 km/h in each unit
  for (const auto& c : cases) {
    Speedo r(c.unit);
    r.MaxRange(c.answer);
    EXPECT_EQ(r.dialogs.inputs.at(0).defaultText, was[c.unit - 1]) << c.unit;
    EXPECT_EQ(r.app.settings.MaxRangeKmh, c.maxRangeKmh ? c.maxRangeKmh : 160) << c.unit << " " << c.answer;
    EXPECT_EQ(r.dialogs.boxes.size(), c.maxRangeKmh ? 0u : 1u) << c.answer;
  }
  Speedo r(3);
  r.app.fix.SpeedKnotsText = "100";  // 185.2 km/h
  r.MaxRange("250");
  EXPECT_NEAR(r.Bar().Value(), 185.2, 0.01);
  EXPECT_EQ(r.Bar().ToolTip(), "Speed = 185.2 kmh.>250 kmh");
}

}  // namespace
}  // namespace koralin
