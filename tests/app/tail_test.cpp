// What a poll carries into the next one: a sentence still unfinished, or one
// its own poll could not decode. One with its line end is decoded and relayed
// in the poll that brings it.
#include <gtest/gtest.h>

#include <vector>

#include "app/intake.h"
#include "support/fakes.h"
#include "support/sentences.h"

namespace koralin {
namespace {

std::string Gga(const std::string& time) {
  return test::Nmea("GPGGA," + time + ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,") + "\r\n";
}
std::string Rmc(const std::string& time) { return test::Rmc(time) + "\r\n"; }

// A 1 Hz burst that ends with its $GPRMC, as many receivers send it.
std::string Burst(const std::string& time) {
  return Gga(time) + test::Nmea("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1") + "\r\n" + Rmc(time);
}

// Port 3 in, port 1 out with the plain $GPRMC relay; polled by its timer.
struct Relaying : test::TestRig {
  explicit Relaying(bool verify) {
    ReadyToDecode(3);
    comm1.Open(3, "4800,N,8,1", 1024, 512);
    comm2.Open(1, "4800,N,8,1", 1024, 512);
    app.settings.ComPortOut = 1;
    app.form1.mnuRMCPlainOut.SetChecked(true);
    app.form1.mnuCrcCheck.SetChecked(verify);
    app.form1.tmrPolling.SetInterval(50);
    app.form1.tmrPolling.SetEnabled(true);
  }
  // What the output got from this poll.
  std::string Poll(const std::string& text) {
    comm1.Feed(text);
    clock.Advance(50);
    return std::exchange(comm2.written, "");
  }
};

// The polls' texts, and what each poll relays.
TEST(Tail, AFixIsRelayedByThePollThatBringsItsLineEnd) {
  const std::string first = Burst("120000"), b = Rmc("120001"), c = Rmc("120002");
  const std::string a = Rmc("120000");
  const struct { const char* what; std::vector<std::string> polls, relayed; } cases[] = {
      {"a burst per poll", {first, Burst("120001")}, {a, b}},
      {"the fix split", {first.substr(0, first.size() - 20), first.substr(first.size() - 20)}, {"", a}},
      {"its LF in the next poll", {first.substr(0, first.size() - 1), "\n" + Burst("120001")}, {a, b}},
      // Two in one poll: the decoder takes the first, the second waits...
      {"two in one poll", {a + b, Gga("120002")}, {a, b}},
      // ...unless a newer one comes, which it would only hold up.
      {"two, then a newer", {a + b, c}, {a, c}},
  };
  for (const bool verify : {true, false})
    for (const auto& [what, polls, relayed] : cases) {
      Relaying rig(verify);
      for (std::size_t i = 0; i < polls.size(); ++i) EXPECT_EQ(rig.Poll(polls[i]), relayed[i]) << what << " " << i;
    }
}

// Split anywhere, every fix is relayed once and none is lost.
TEST(Tail, AnySplitRelaysEachFixOnce) {
  const std::string stream = Burst("120000") + Burst("120001");
  for (const bool verify : {true, false})
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
      Relaying rig(verify);
      std::string relayed;
      for (const std::string& text : {stream.substr(0, cut), stream.substr(cut), Gga("120002")})
        relayed += rig.Poll(text);
      EXPECT_EQ(relayed, Rmc("120000") + Rmc("120001")) << "cut at " << cut << (verify ? ", verified" : "");
    }
}

// Whole bursts in polls of their own: each sentence is decoded, and so
// logged, once.
TEST(Tail, ACompleteSentenceIsNotDecodedAgainInTheNextPoll) {
  Relaying rig(true);
  rig.app.form1.mnuLoggen.SetChecked(true);
  for (const char* time : {"120000", "120001"}) rig.Poll(Burst(time));
  EXPECT_EQ(rig.app.log.LogBuffer, Rmc("120000") + Gga("120000") + Rmc("120001") + Gga("120001"));
}

}  // namespace
}  // namespace koralin
