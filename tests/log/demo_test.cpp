#include "log/demo.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <vector>

#include "common/basic.h"
#include "nmea/sentence.h"
#include "support/fakes.h"

namespace koralin {
namespace {

const std::string kDeg(1, kDegree);

// Each line of text must end in CR LF and carry a good checksum.
void ExpectGoodLines(const std::string& text, int step) {
  std::size_t from = 0;
  for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
    if (at > from) { EXPECT_TRUE(CrcOk(text.substr(from, at - from))) << step << ": " << text; }
  EXPECT_EQ(from, text.size()) << "every line ends in CR LF: " << text;
}

TEST(DemoFeed, TextsOfEveryStep) {
  test::TestRig rig;
  const PollTexts& p = rig.app.poll;
  const std::map<int, std::string> bearings = {{1, "rommel%323/9Bla bla"}, {6, "$DFBRG200/4"}, {20, "DF101/9 [12]"}};
  for (int call = 1; call <= 2 * kDemoSteps; ++call) {
    const int step = (call - 1) % kDemoSteps + 1;
    FillDemoInput(rig.app);
    EXPECT_EQ(rig.app.log.DemoStep, step == kDemoSteps ? 0 : step);
    EXPECT_EQ(rig.app.fix.GPRMCFound, step != 11 && step != 15) << step;
    ExpectGoodLines(p.RxText, step);
    ExpectGoodLines(p.RxTextAltitude, step);
    EXPECT_EQ(p.RxText.find("$GPRMC") != std::string::npos, step != 4 && step != 18 && step != 23) << step;
    EXPECT_EQ(p.RxTextAltitude.empty(), !(step == 1 || step == 3 || step == 8 || step == 15 || step >= 18)) << step;
    if (bearings.contains(step)) { EXPECT_EQ(p.RxTextDoppler, bearings.at(step)); }
    if (step == 22) { EXPECT_TRUE(p.RxTextAltitude.starts_with("$GPGGA,121945,")); }
    if (step == 18) { EXPECT_TRUE(p.RxTextAltitude.starts_with("$PGRMZ,-001,f,2*")); }
    if (step == 4) { EXPECT_TRUE(p.RxText.starts_with(AddCrc("$HCHDT,170.8,T*") + "\r\n$GPGSA,A,3,,,,,*")) << p.RxText; }
  }
}

// What the window shows after a step of the demo: the bearing (nullptr:
// hidden), the lock and the height in both labels.
struct Shown {
  const char* bearing;
  const char* lock;
  const char* height1;
  const char* height;
};

const std::map<int, Shown> kShown = {
    {1, {"%323", "Rx ok", "166 ft", "166 ft"}},        {2, {nullptr, "Old data", "166 ft", "166 ft"}},
    {3, {"%332", "Rx ok", "006 ft", "6 ft"}},          {4, {nullptr, "Old data", "006 ft", "6 ft"}},
    {5, {"%032/0", "Rx ok", "006 ft", "6 ft"}},        {6, {"$DFBRG200/4", "Rx ok", "006 ft", "6 ft"}},
    {7, {nullptr, "Rx ok", "006 ft", "6 ft"}},         {8, {"DF032/1", "Rx ok", "002 ft", "2 ft"}},
    {9, {"DF270/0", "Rx ok", "002 ft", "2 ft"}},       {10, {"%188/7", "Rx ok", "002 ft", "2 ft"}},
    {11, {nullptr, "Rx not ok", "002 ft", "2 ft"}},    {12, {"%999", "Rx ok", "002 ft", "2 ft"}},
    {13, {nullptr, "Rx ok", "002 ft", "2 ft"}},        {14, {nullptr, "Rx ok", "002 ft", "2 ft"}},
    {15, {nullptr, "Rx ok", "011 ft", "11 ft"}},       {16, {nullptr, "Rx ok", "011 ft", "11 ft"}},
    {17, {nullptr, "Rx ok", "011 ft", "11 ft"}},       {18, {"%091/9", "Old data", "-001 ft", "-1 ft"}},
    {19, {nullptr, "Rx ok", "005 ft", "5 ft"}},        {20, {"DF101", "Rx ok", "004 ft", "4 ft"}},
    {21, {nullptr, "Rx ok", "004 ft", "4 ft"}},        {22, {nullptr, "Rx ok", "68 ft", "68 ft"}},
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
  std::string before = Snapshot();
  for (int call = 1; call <= 2 * kDemoSteps; ++call) {
    const int step = (call - 1) % kDemoSteps + 1;
    const bool second = call > kDemoSteps;
    rig.clock.Advance(1500);
    SCOPED_TRACE("step " + std::to_string(step) + (second ? " again" : ""));
    const Shown& want = kShown.at(step);
    EXPECT_EQ(f.lblDoppler.Visible(), want.bearing != nullptr);
    if (want.bearing) {
      EXPECT_EQ(f.lblDoppler.Caption() + "|" + app.heading.DopplerBearing, std::string(want.bearing) + "|" + want.bearing);
    }
    EXPECT_EQ(f.lblAmplitude.Visible() ? f.lblAmplitude.Caption() : "", step == 20 ? "[12]" : "");
    EXPECT_EQ(f.lblLock.Caption(), want.lock);
    EXPECT_EQ(f.lblHeight1.Caption(), want.height1);
    EXPECT_EQ(f.lblHeight.Caption(), want.height);
    EXPECT_TRUE(f.lblHeight.Visible());
    EXPECT_EQ(app.fix.GPRMCFound, step != 4 && step != 18 && step != 23);

    // The lock of step 4 stays until step 23 says there is none.
    std::string frame = "GPS-NMEA-0183";
    if (step >= 4 && step < 23) frame += " (Very good lock 3D)";
    if (step == 23 || (second && step < 4)) frame += " (Not locked)";
    EXPECT_EQ(f.Frame1.Caption(), frame);

    // The compass: 170.8 from step 2, 180.8 from step 12, kept by step 23's "F".
    const bool late = step >= 12 || (second && step == 1);
    EXPECT_EQ(app.heading.FluxHeadingText, late ? "180.8" + kDeg + "F" : step >= 2 ? "170.8" + kDeg + "F" : "");
    EXPECT_EQ(f.lblFluxGateCompass.Visible(), second || step >= 2);
    if (step == 2) { EXPECT_EQ(f.lblFluxGateCompass.Caption(), AddCrc("$HCHDT,170.8,T*").substr(0, 17)); }
    if (step == 23) { EXPECT_TRUE(f.lblFluxGateCompass.Caption().starts_with("$HCHDT,90,F*")); }
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
