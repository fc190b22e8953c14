// Lines of bearing from the poll, the rules that leave lines out, and the
// hunt file that keeps them across a restart; the estimate published as it changes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/df_intake.h"
#include "dde/client_link.h"
#include "df/hunt_file.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::Nmea;

// The program reading port 3, its settings in a folder of its own.
struct Hunting : test::TestRig {
  Hunting() {
    ReadyToDecode(3);
    app.settings.CfgFileName = folder / "Gps.cfg";
    app.settings.MinGpsSpeedOut = 3;
    comm1.Open(3, "4800,N,8,1", 1024, 512);
    app.form1.tmrPolling.SetInterval(1500);
    app.form1.tmrPolling.SetEnabled(true);
    app.team.Start({"mqtt://127.0.0.1:1883", "", "", "", "fox", "blue"}, "");  // its lines wait for the broker
  }
  void Tick(const std::string& text) {
    comm1.Feed(text);
    clock.Advance(1500);
  }
  test::TempFolder folder;
};

std::string Rmc(const std::string& status, const std::string& speed, const std::string& course) {
  return Nmea("GPRMC,120000.00," + status + ",4807.0380,N,01131.0000,W," + speed + "," + course + ",061226,,") +
         "\r\n";
}

TEST(HuntLines, EachBearingWithAFixAndAHeadingBecomesALine) {
  const std::string moving = Rmc("A", "010.0", "090.0");
  const std::string compass = Nmea("HCHDT,200.0,T") + "\r\n";
  const struct { const char* name; std::string poll, line; } cases[] = {  // line: as the hunt file holds it; "" for none
      {"GPS course", moving + "%045/7\r\n", "2026-12-06T12:00:00Z,48.1173000,-11.5166667,135.0,7,serial"},
      {"course past north", moving + "%300/2\r\n", "2026-12-06T12:00:00Z,48.1173000,-11.5166667,30.0,2,serial"},
      {"no quality digit", moving + "DF045\r\n", "2026-12-06T12:00:00Z,48.1173000,-11.5166667,135.0,,serial"},
      {"compass while standing", Rmc("A", "000.0", "") + compass + "%045/7\r\n",
       "2026-12-06T12:00:00Z,48.1173000,-11.5166667,245.0,7,serial"},
      {"compass before course", moving + compass + "%045/7\r\n",
       "2026-12-06T12:00:00Z,48.1173000,-11.5166667,245.0,7,serial"},
      {"standing, no compass", Rmc("A", "002.9", "090.0") + "%045/7\r\n", ""},
      {"void fix", Rmc("V", "010.0", "090.0") + "%045/7\r\n", ""},
      {"fix without a date", Nmea("GPRMC,120000.00,A,4807.0380,N,01131.0000,W,010.0,090.0,,,") + "\r\n%045/7\r\n", ""},
      {"no bearing", moving + "%999/0\r\n", ""},
      {"bearing unknown", moving + "%---\r\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Hunting h;
    h.Tick(c.poll);
    const std::size_t formed = c.line.empty() ? 0 : 1;
    ASSERT_EQ(h.app.hunt.hunt.Lines().size(), formed);
    EXPECT_EQ(h.app.team.Queued(), formed) << "shared with the team";
    EXPECT_EQ(test::ReadFile(h.folder / "Hunt.csv"), c.line.empty() ? "" : c.line + "\n");
  }
}

TEST(HuntLines, TheCompanionsBearingTooAndTheEstimateFollowsOncePerPoll) {
  Hunting h;
  h.app.form1.mnuRMCModifiedOut.SetChecked(true);
  ASSERT_TRUE(AdjustLblDDESound(h.app, true));
  h.Tick(Rmc("A", "010.0", "000.0"));
  h.bus.CompanionSays("%090/5");
  EXPECT_EQ(test::ReadFile(h.folder / "Hunt.csv"), "2026-12-06T12:00:00Z,48.1173000,-11.5166667,90.0,5,companion\n");
  // Two more lines from the same spot; the estimate waits for the next poll.
  for (const char* b : {"%080/5", "%070/5"}) h.bus.CompanionSays(b);
  EXPECT_EQ(DfStateText(h.app.hunt.hunt.Estimate().state), "no estimate: fewer than 3 usable lines");
  h.Tick(Rmc("A", "010.0", "000.0"));
  EXPECT_EQ(DfStateText(h.app.hunt.hunt.Estimate().state), "no estimate: the lines barely cross");
}

TEST(HuntRules, OldAndPoorLinesAreLeftOutButKept) {
  DfHunt hunt;
  for (int i = 0; i < 6; ++i) {
    LineOfBearing l;
    l.time = 1000 + 60.0 * i;  // one a minute
    l.quality = i;             // 0..5
    hunt.Add(l);
  }
  const struct { HuntRules rules; std::vector<double> weights; } cases[] = {
      {{0, 0}, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6}},
      {{3, 0}, {0, 0, 0, 0.4, 0.5, 0.6}},
      {{0, 120}, {0, 0, 0, 0.4, 0.5, 0.6}},  // two minutes before the newest line
      {{5, 240}, {0, 0, 0, 0, 0, 0.6}},
  };
  for (const auto& c : cases)
    EXPECT_THAT(hunt.Weights(c.rules), testing::Pointwise(testing::DoubleNear(1e-12), c.weights));
  EXPECT_EQ(QualityWeight(kNoQuality), 0.5);
}

TEST(HuntLines, TheHuntKeepsTheNewestTwentyThousand) {
  DfHunt hunt;
  for (int i = 0; i <= 20000; ++i) hunt.Add({.time = static_cast<double>(i), .source = ""});
  EXPECT_EQ(hunt.Lines().size(), 20000u);
  EXPECT_EQ(hunt.Lines().front().time, 1);
}

TEST(HuntFile, ARestartKeepsTheHuntAndSkipsDamagedLines) {
  Hunting h;
  const std::string good = "2026-12-06T12:00:00.50Z,-33.8688000,151.2093000,359.9,,car 2";
  test::WriteFile(h.folder / "Hunt.csv", good + "\r\n" +
                                             "2026-12-06T12:00:01Z,nan,151.2,10,5,serial\n"
                                             "2026-12-06T12:00:01Z,91,151.2,10,5,serial\n"
                                             "2026-12-06T12:00:01Z,1,181,10,5,serial\n"
                                             "2026-12-06T12:00:01Z,1,2,360.5,5,serial\n"
                                             "2026-12-06T12:00:01Z,1,2,10,12,serial\n"
                                             "2026-02-30T12:00:01Z,1,2,10,5,serial\n"
                                             "2026-12-06T12:00:01Z,1e999,2,10,5,serial\n"
                                             "2026-12-06T12:00:01Z,1,2,10,5\n"
                                             "\x01\x02garbage\n\n" +
                                             "2026-12-06T12:00:02Z,1,2,360,9,serial");
  LoadHunt(h.app);
  EXPECT_EQ(h.app.hunt.damagedLines, 9);
  const auto& lines = h.app.hunt.hunt.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(FormatHuntLine(lines[0]), good);
  EXPECT_EQ(lines[1].bearing, 0);
  EXPECT_EQ(test::ReadFile(h.folder / "Hunt.csv"), good + "\n" + FormatHuntLine(lines[1]) + "\n") << "damage removed";
  NewHunt(h.app);
  EXPECT_TRUE(h.app.hunt.hunt.Lines().empty());
  EXPECT_EQ(test::ReadFile(h.folder / "Hunt.csv"), "");
}

// The core publishes the estimate each time it crosses the lines again, and
// when a new hunt throws them away; a poll without a new line publishes nothing.
TEST(EstimatePublished, OnceForEachRecomputeAndOnANewHunt) {
  Hunting h;
  for (const auto& [lon, bearing] : {std::pair{11.00, 45.0}, {11.02, 315.0}, {11.01, 0.0}})
    h.app.hunt.hunt.Add({.time = 1.8e9, .latitude = 48.0, .longitude = lon, .bearing = bearing, .quality = 5, .source = "serial"});
  const std::vector<DfEstimate>& published = h.bus.estimates;
  UpdateDfEstimate(h.app);
  UpdateDfEstimate(h.app);
  ASSERT_EQ(published.size(), 1u);
  EXPECT_EQ(published[0].state, DfState::kEstimate);
  EXPECT_EQ(published[0].used, 3);
  NewHunt(h.app);
  ASSERT_EQ(published.size(), 2u);
  EXPECT_EQ(published[1].state, DfState::kTooFewLines);
  EXPECT_EQ(published[1].used, 0);
}

}  // namespace
}  // namespace koralin
