#include "log/demo.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <vector>

#include "common/basic.h"
#include "nmea/checksum.h"
#include "support/fakes.h"

namespace koralin {
namespace {

const std::string kDeg(1, kDegree);

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
    if (at > from) lines.push_back(text.substr(from, at - from));
  EXPECT_EQ(from, text.size()) << "every line ends in CR LF: " << text;
  return lines;
}

TEST(DemoFeed, TextsOfEveryStep) {
  test::TestRig rig;
  App& app = rig.app;
  const std::map<int, std::string> bearings = {{1, "rommel%323/9Bla bla"}, {6, "$DFBRG200/4"}, {20, "DF101/9 [12]"}};
  for (int call = 1; call <= 2 * kDemoSteps; ++call) {
    const int step = (call - 1) % kDemoSteps + 1;
    FillDemoInput(app);
    const PollTexts& p = app.poll;
    EXPECT_EQ(app.log.DemoStep, step == kDemoSteps ? 0 : step);
    EXPECT_EQ(app.fix.GPRMCFound, step != 11 && step != 15) << step;

    const std::vector<std::string> rx = Lines(p.RxText);
    const std::vector<std::string> altitude = Lines(p.RxTextAltitude);
    for (const auto& line : rx) EXPECT_TRUE(CrcOk(line)) << step << ": " << line;
    for (const auto& line : altitude) EXPECT_TRUE(CrcOk(line)) << step << ": " << line;

    const bool rmc = p.RxText.find("$GPRMC") != std::string::npos;
    EXPECT_EQ(rmc, step != 4 && step != 18 && step != 23) << step;
    EXPECT_EQ(p.RxTextAltitude.empty(), !(step == 1 || step == 3 || step == 8 || step == 15 || step >= 18)) << step;
    if (bearings.contains(step)) {
      EXPECT_EQ(p.RxTextDoppler, bearings.at(step));
    }
    if (step == 22) {
      EXPECT_TRUE(p.RxTextAltitude.starts_with("$GPGGA,121945,"));
    }
    if (step == 18) {
      EXPECT_TRUE(p.RxTextAltitude.starts_with("$PGRMZ,-001,f,2*"));
    }
  }
}

TEST(DemoFeed, CompassLineComesFirst) {
  test::TestRig rig;
  for (int i = 0; i < 4; ++i) FillDemoInput(rig.app);
  const std::string& rx = rig.app.poll.RxText;
  const std::string compass = AddCrc("$HCHDT,170.8,T*");
  ASSERT_TRUE(rx.starts_with(compass + "\r\n$GPGSA,A,3,,,,,*")) << rx;
  EXPECT_TRUE(CrcOk(rx.substr(compass.size() + 2)));
  EXPECT_EQ(rig.app.poll.RxTextDoppler, "");
}

// What the window shows after a step of the demo.
struct Shown {
  const char* bearing;  // nullptr: hidden
  const char* lock;
  const char* height1;
  const char* height;
};

const std::map<int, Shown> kShown = {
    {1, {"%323", "Rx ok", "166 ft", "166 ft"}},
    {2, {nullptr, "Old data", "166 ft", "166 ft"}},  // a void fix without a date
    {3, {"%332", "Rx ok", "006 ft", "6 ft"}},
    {4, {nullptr, "Old data", "006 ft", "6 ft"}},
    {5, {"%032/0", "Rx ok", "006 ft", "6 ft"}},
    {6, {"$DFBRG200/4", "Rx ok", "006 ft", "6 ft"}},
    {7, {nullptr, "Rx ok", "006 ft", "6 ft"}},
    {8, {"DF032/1", "Rx ok", "002 ft", "2 ft"}},
    {9, {"DF270/0", "Rx ok", "002 ft", "2 ft"}},
    {10, {"%188/7", "Rx ok", "002 ft", "2 ft"}},
    {11, {nullptr, "Rx not ok", "002 ft", "2 ft"}},
    {12, {"%999", "Rx ok", "002 ft", "2 ft"}},
    {13, {nullptr, "Rx ok", "002 ft", "2 ft"}},
    {14, {nullptr, "Rx ok", "002 ft", "2 ft"}},
    {15, {nullptr, "Rx ok", "011 ft", "11 ft"}},
    {16, {nullptr, "Rx ok", "011 ft", "11 ft"}},
    {17, {nullptr, "Rx ok", "011 ft", "11 ft"}},
    {18, {"%091/9", "Old data", "-001 ft", "-1 ft"}},
    {19, {nullptr, "Rx ok", "005 ft", "5 ft"}},
    {20, {"DF101", "Rx ok", "004 ft", "4 ft"}},
    {21, {nullptr, "Rx ok", "004 ft", "4 ft"}},
    {22, {nullptr, "Rx ok", "68 ft", "68 ft"}},
    {23, {nullptr, "Old data", "005 ft", "5 ft"}},
};

class DemoRun : public ::testing::Test {
 protected:
  DemoRun() {
    f.mnuCrcCheck.SetChecked(true);
    f.mnuLockCheck.SetChecked(true);
    app.settings.ComPortIn = -1;
    f.tmrPolling.SetInterval(1500);
    f.tmrPolling.SetEnabled(true);
  }
  std::string Snapshot() const {
    std::ostringstream s;
    for (const Label* l : f.labels) s << l->Caption() << '|' << l->Visible() << '|' << l->BackColor() << '\n';
    return s.str();
  }
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = rig.app.form1;
};

TEST_F(DemoRun, EachTickShowsItsStep) {
  const std::string plain = "GPS-NMEA-0183";
  std::string before = Snapshot();
  for (int call = 1; call <= 2 * kDemoSteps; ++call) {
    const int step = (call - 1) % kDemoSteps + 1;
    const bool second = call > kDemoSteps;
    rig.clock.Advance(1500);
    SCOPED_TRACE("step " + std::to_string(step) + (second ? " again" : ""));
    const Shown& want = kShown.at(step);

    EXPECT_EQ(f.lblDoppler.Visible(), want.bearing != nullptr);
    if (want.bearing) {
      EXPECT_EQ(f.lblDoppler.Caption(), want.bearing);
    }
    if (want.bearing) {
      EXPECT_EQ(app.heading.DopplerBearing, want.bearing);
    }
    EXPECT_EQ(f.lblAmplitude.Visible(), step == 20);
    if (step == 20) {
      EXPECT_EQ(f.lblAmplitude.Caption(), "[12]");
    }
    EXPECT_EQ(f.lblLock.Caption(), want.lock);
    EXPECT_EQ(f.lblHeight1.Caption(), want.height1);
    EXPECT_EQ(f.lblHeight.Caption(), want.height);
    EXPECT_TRUE(f.lblHeight.Visible());
    EXPECT_EQ(app.fix.GPRMCFound, step != 4 && step != 18 && step != 23);

    // The lock of step 4 stays until step 23 says there is none.
    std::string frame = plain;
    if (step >= 4 && step < 23) frame += " (Very good lock 3D)";
    if (step == 23 || (second && step < 4)) frame += " (Not locked)";
    EXPECT_EQ(f.Frame1.Caption(), frame);

    // The compass: 170.8 from step 2, 180.8 from step 12, kept by step 23's "F".
    std::string flux;
    if (step >= 12 || (second && step == 1))
      flux = "180.8" + kDeg + "F";
    else if (step >= 2)
      flux = "170.8" + kDeg + "F";
    EXPECT_EQ(app.heading.FluxHeadingText, flux);
    EXPECT_EQ(f.lblFluxGateCompass.Visible(), second || step >= 2);
    if (step == 2) {
      EXPECT_EQ(f.lblFluxGateCompass.Caption(), AddCrc("$HCHDT,170.8,T*").substr(0, 17));
    }
    if (step == 23) {
      EXPECT_TRUE(f.lblFluxGateCompass.Caption().starts_with("$HCHDT,90,F*"));
    }
    EXPECT_EQ(app.heading.FluxNoTrueCount, step == 23 || (second && step == 1) ? 1 : 0);

    const std::string now = Snapshot();
    EXPECT_NE(now, before) << "nothing changed";
    before = now;
  }
  EXPECT_EQ(app.unexpectedCount, 0) << app.lastUnexpected;
  EXPECT_EQ(app.log.DemoStep, 0);
}

TEST_F(DemoRun, VoidFixOfStepEleven) {
  rig.clock.Advance(11 * 1500);
  EXPECT_EQ(app.fix.RmcStatus, "V");
  EXPECT_EQ(f.lblVal1.Caption(), "V");
  EXPECT_EQ(f.lblLock.Caption(), "Rx not ok");
  // No fix turns the rose red, but the demo's flux-gate heading then takes
  // the rose and colours its centre blue.
  EXPECT_EQ(app.fix.CourseColour, colour::kBlue);
}

TEST_F(DemoRun, StopsWhenTheInputIsSwitchedOff) {
  rig.clock.Advance(3 * 1500);
  app.settings.ComPortIn = 0;
  rig.clock.Advance(1500);
  EXPECT_FALSE(f.tmrPolling.Enabled());
  EXPECT_EQ(app.log.DemoStep, 3);
  // Chosen again, the cycle goes on where it stopped.
  app.settings.ComPortIn = -1;
  f.tmrPolling.SetEnabled(true);
  rig.clock.Advance(1500);
  EXPECT_EQ(app.log.DemoStep, 4);
}

}  // namespace
}  // namespace koralin
