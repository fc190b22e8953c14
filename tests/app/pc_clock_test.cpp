#include "app/pc_clock.h"

#include <gtest/gtest.h>

#include "nmea/gprmc.h"
#include "nmea/gps_time.h"
#include "nmea/polling.h"
#include "nmea/sentence.h"
#include "support/fakes.h"
#include "support/sentences.h"

namespace koralin {
namespace {

std::string Rmc(const std::string& time, const std::string& date) {
  return test::Nmea("GPRMC," + time + ",A,4807.038,N,01131.000,E,022.4,084.4," + date + ",003.1,W") + "\r\n";
}

struct ClockRig : test::TestRig {
  ClockRig() {
    FillMonthTable(app);
    app.settings.ComPortIn = 1;
    comm1.Open(1, "4800,N,8,1", 1024, 512);
  }
  // One poll of the serial input carrying this text. A poll carries the
  // last sentence of the one before, so each ends with one that is no $GPRMC.
  void Receive(const std::string& text) {
    comm1.Feed(text + "$GPGSV,1\r\n");
    getGPSinput(app);
  }
};

TEST(ShiftDate, MovesOneDayAcrossMonthsAndYears) {
  test::TestRig rig;
  FillMonthTable(rig.app);
  const struct { const char* date; int days; const char* expected; } cases[] = {
      {"31-12-2026", 1, "01-01-2027"}, {"01-01-2027", -1, "31-12-2026"}, {"28-02-2024", 1, "29-02-2024"},
      {"29-02-2024", 1, "01-03-2024"}, {"28-02-2025", 1, "01-03-2025"}, {"01-03-2024", -1, "29-02-2024"},
      {"01-03-2025", -1, "28-02-2025"}, {"01-05-2026", -1, "30-04-2026"}, {"30-04-2026", 1, "01-05-2026"},
      {"02-05-2026", -1, "01-05-2026"}, {"28-02-2100", 1, "29-02-2100"}, {"27-02-2026", 1, "28-02-2026"},
      {"01-08-2026", -1, "31-07-2026"}, {"15-06-2026", 2, "15-06-2026"}, {"15-06-2026", -3, "15-06-2026"}, {"", 1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ShiftDate(rig.app, c.date, c.days), c.expected) << c.date << " " << c.days;
}

TEST(SetPcClock, SetsLocalTimeFromUtcWithTheOffset) {
  const struct { int offset; const char* time; const char* date; DateTime expected; } cases[] = {
      // Across the year and back over a leap day; the days themselves are ShiftDate's.
      {2, "223015", "311226", {2027, 1, 1, 0, 30, 15}},     {-5, "021000", "010324", {2024, 2, 29, 21, 10, 0}},
      {12, "120000", "150626", {2026, 6, 16, 0, 0, 0}},     {-12, "115959", "150626", {2026, 6, 14, 23, 59, 59}},
      {0, "101010.6", "150626", {2026, 6, 15, 10, 10, 11}}, {7, "010000", "150626", {2026, 6, 15, 8, 0, 0}},
  };
  for (const auto& c : cases) {
    ClockRig rig;
    rig.app.shell.ClockOffsetPending = c.offset;
    rig.Receive(Rmc(c.time, c.date));
    ASSERT_EQ(rig.clockSetter.set.size(), 1u) << c.time << " " << c.date;
    EXPECT_EQ(rig.clockSetter.set[0], c.expected) << c.offset << " " << c.time << " " << c.date;
    EXPECT_FALSE(rig.app.shell.ClockOffsetPending);
  }
}

TEST(SetPcClock, OnlyFromARealSerialPortOnceForEachRequestAndNotOnABadDate) {
  for (int input : {0, -1, -2}) {
    ClockRig rig;
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(input);
    rig.app.shell.ClockOffsetPending = 1;
    ExtractingGPRMC(rig.app, Rmc("120000", "150626"));
    EXPECT_TRUE(rig.clockSetter.set.empty() && rig.app.shell.ClockOffsetPending == 1) << input;  // the request waits
  }
  ClockRig rig;
  rig.Receive(Rmc("120000", "150626"));
  EXPECT_TRUE(rig.clockSetter.set.empty()) << "no request yet";
  rig.app.shell.ClockOffsetPending = 0;
  rig.Receive(Rmc("120001", "150626"));
  rig.Receive(Rmc("120002", "150626"));
  ASSERT_EQ(rig.clockSetter.set.size(), 1u);
  EXPECT_EQ(rig.clockSetter.set[0].second, 1);
  ClockRig refused;  // a refusal goes to the port report and keeps the request
  refused.app.shell.ClockOffsetPending = 2;
  refused.clockSetter.fail = RunTimeError(70, "The PC clock was not set: no right");
  refused.Receive(Rmc("120000", "150626"));
  EXPECT_EQ(refused.app.lastInputError.description + std::to_string(*refused.app.shell.ClockOffsetPending),
            "The PC clock was not set: no right2");
  for (const char* date : {"3106", "310226", "310426", "310626", "310926", "311126", "150026", "290226", "1506a6"}) {
    ClockRig bad;
    bad.app.shell.ClockOffsetPending = 0;
    bad.Receive(Rmc("120000", date));  // dropped, the input stays on
    EXPECT_TRUE(bad.clockSetter.set.empty() && bad.app.lastInputError.count == 0) << date;
    EXPECT_EQ(bad.app.form1.Frame1.Caption(), "GPS-NMEA-0183 Bad sentence !") << date;
  }
}

TEST(TimeMenu, TheFixedOffsetsAnnounceThemselvesAndTheTimeZoneIsRoundedHalfToEven) {
  const std::pair<MenuItem Form1::*, int> fixed[] = {
      {&Form1::mnuUTC, 0}, {&Form1::mnuWinter, 1}, {&Form1::mnuSummer, 2}};
  for (const auto& [item, offset] : fixed) {
    test::TestRig rig;
    (rig.app.form1.*item).Click();
    EXPECT_TRUE(rig.dialogs.boxes.size() == 1 && rig.app.shell.ClockOffsetPending == offset) << offset;
  }
  const struct { const char* answer; std::optional<int> pending; int beeps; } cases[] = {  // pending empty: no change
      {"2.5", 2, 0}, {"3.5", 4, 0}, {"13", {}, 1}, {"-12", -12, 0}, {"12.5", {}, 1}, {"-12.5", {}, 1},
      {"abc", 0, 0}, {"", {}, 0},   {"9e999", {}, 1}, {" 7 hours", 7, 0},
  };
  for (const auto& c : cases) {
    test::TestRig rig;
    rig.app.settings.TimeZoneOffset = -5;
    rig.dialogs.inputAnswers.push_back(c.answer);
    rig.app.form1.mnuTimeZone.Click();
    EXPECT_EQ(rig.dialogs.inputs.at(0).defaultText, "-5");
    EXPECT_EQ(rig.app.shell.ClockOffsetPending, c.pending) << c.answer;
    EXPECT_EQ(rig.app.settings.TimeZoneOffset, c.pending.value_or(-5)) << c.answer;
    EXPECT_EQ(rig.system.beeps, c.beeps) << c.answer;
    if (c.pending == 7) { EXPECT_EQ(rig.app.form1.mnuTimeZone.Caption(), "O&ther TimeZone (+7)..."); }
  }
}

}  // namespace
}  // namespace koralin
