// The team hunt's core on a fake broker: what a message must be to count,
// which lines go into the hunt, and what happens while the broker is away.
#include <gtest/gtest.h>

#include <string>

#include "app/options_file.h"
#include "app/team_intake.h"
#include "app/df_intake.h"
#include "df/hunt_file.h"
#include "support/fakes.h"
#include "support/files.h"
#include "team/team.h"

namespace koralin {
namespace {

using test::FakeTeamLink;

const std::string kLine =
    R"({"v":1,"car":"red","seq":7,"time":"2026-12-06T14:03:07Z","lat":48.1,"lon":11.5,"bearing":123.4,"quality":7,"source":"serial"})";

// kLine with one piece replaced.
std::string With(const std::string& from, const std::string& to) {
  std::string s = kLine;
  return s.replace(s.find(from), from.size(), to);
}

TEST(TeamMessage, EachBadMessageIsDroppedForItsReason) {
  const struct { std::string payload; TeamDrop drop; } cases[] = {
      {std::string(kMaxTeamPayload + 1, ' '), TeamDrop::kTooLong},
      {"{\"v\":1,", TeamDrop::kNotJson},
      {"[1,2]", TeamDrop::kNotJson},
      {With("\"v\":1", "\"v\":2"), TeamDrop::kVersion},
      {With("\"lat\":48.1", "\"lat\":\"48.1\""), TeamDrop::kWrongType},
      {With("\"seq\":7", "\"seq\":-7"), TeamDrop::kWrongType},
      {With(",\"source\":\"serial\"", ""), TeamDrop::kWrongType},
      {With("\"quality\":7", "\"quality\":7.5"), TeamDrop::kWrongType},
      {With("\"lat\":48.1", "\"lat\":NaN"), TeamDrop::kNotJson},
      {With("\"lat\":48.1", "\"lat\":1e999"), TeamDrop::kNotJson},
      {With("\"lat\":48.1", "\"lat\":90.5"), TeamDrop::kOutOfRange},
      {With("\"lon\":11.5", "\"lon\":-180.1"), TeamDrop::kOutOfRange},
      {With("\"quality\":7", "\"quality\":10"), TeamDrop::kOutOfRange},
      {With("14:03:07Z", "25:03:07Z"), TeamDrop::kOutOfRange},
      {With("\"bearing\":123.4", "\"bearing\":360"), TeamDrop::kBearing},
      {With("\"bearing\":123.4", "\"bearing\":-0.1"), TeamDrop::kBearing},
      {With("\"car\":\"red\"", "\"car\":\"a/b\""), TeamDrop::kWrongCar},
  };
  for (const auto& c : cases) {
    const auto decoded = DecodeTeamLine(c.payload);
    ASSERT_TRUE(std::holds_alternative<TeamDrop>(decoded)) << c.payload;
    EXPECT_EQ(TeamDropText(std::get<TeamDrop>(decoded)), TeamDropText(c.drop)) << c.payload;
  }
}

TEST(TeamMessage, ALineGoesAndComesBackTheSame) {
  const TeamLine sent{"blue", 42, {1765029787.5, -33.25, 151.125, 359.9, kNoQuality, "companion"}};
  const auto back = DecodeTeamLine(EncodeTeamLine(sent));
  ASSERT_TRUE(std::holds_alternative<TeamLine>(back));
  const TeamLine& t = std::get<TeamLine>(back);
  EXPECT_EQ(t.car + " " + std::to_string(t.seq) + " " + FormatHuntLine(t.line), "blue 42 " + FormatHuntLine(sent.line));
}

TEST(TeamMessage, BrokerAddresses) {
  for (const auto& [url, read] : {std::pair{"mqtt://pi.local/", "pi.local 1883 0"}, {"mqtts://b.example:8884", "b.example 8884 1"},
                                  {"mqtts://b.example", "b.example 8883 1"}, {"mqtt://[::1]:1884", "::1 1884 0"}}) {
    const auto a = ParseBroker(url);
    EXPECT_EQ(a ? a->host + " " + std::to_string(a->port) + " " + std::to_string(a->tls) : "none", read) << url;
  }
  for (const char* bad : {"http://pi.local", "mqtt://", "mqtt://pi:0", "mqtt://pi:99999", "mqtt://u@pi", "pi.local"})
    EXPECT_FALSE(ParseBroker(bad)) << bad;
}

// Car "blue" of hunt "fox", connected to the fake broker.
struct Blue {
  Blue() {
    team.Start({"mqtt://127.0.0.1:1883", "", "blue", "", "fox", "blue"}, "secret");
    link.Connected();
    link.published.clear();
  }
  // A line of the given car reaches us; the poll takes it.
  void From(const std::string& car, std::uint64_t seq, double time) {
    link.Message("koralin/fox/lines/" + car,
                 EncodeTeamLine({car, seq, {time, 48.0, 11.0, 90.0, 5, "serial"}}));
  }
  void Poll() { team.Poll(hunt, rules); }
  FakeTeamLink link;
  Team team{link};
  DfHunt hunt;
  HuntRules rules;
};

TEST(Team, ConnectingSaysOnlineSubscribesAndLeavesAWill) {
  FakeTeamLink link;
  Team team(link);
  team.Start({"mqtts://broker.example", "ca.pem", "blue", "pw", "fox", "blue"}, "secret");
  const TeamConnection& c = *link.connection;
  EXPECT_EQ(team.StateText() + "|" + c.willTopic + " " + c.willPayload + " " + c.password + " " + std::to_string(c.tls),
            "team: connecting|koralin/fox/cars/blue offline secret 1");
  link.Connected();
  ASSERT_EQ(link.published.size(), 1u);
  EXPECT_EQ(team.StateText() + "|" + link.published[0].payload + std::to_string(link.published[0].retain),
            "team: connected|online1");
  EXPECT_EQ(link.subscribed, (std::vector<std::string>{"koralin/fox/lines/+", "koralin/fox/cars/+"}));
  team.Stop();
  EXPECT_EQ(link.published.back().payload + std::to_string(link.disconnects), "offline1");
}

TEST(Team, StateTexts) {
  Blue b;
  b.link.Lost();
  EXPECT_EQ(b.team.StateText(), "team: reconnecting");
  b.link.Refused("not authorised");
  EXPECT_EQ(b.team.StateText(), "team: refused: not authorised");
  const std::string tooLong(65, 'f');
  for (const auto& [url, hunt, car] : {std::tuple{"http://x", "fox", "blue"}, {"mqtt://x", "fox/1", "blue"},
                                       {"mqtt://x", tooLong.c_str(), "blue"}, {"mqtt://x", "fox", ""}}) {
    b.team.Start({url, "", "", "", hunt, car}, "");
    EXPECT_TRUE(b.team.StateText().starts_with("team: refused: ")) << url << " " << hunt << " " << car;
  }
  b.team.Start({}, "");
  EXPECT_TRUE(b.team.StateText().empty() && !b.team.On());
}

TEST(Team, OtherCarsLinesCountOnceOwnEchoesNever) {
  Blue b;
  b.From("red", 1, 1000);
  b.From("red", 1, 1000);   // QoS 1 delivered it twice
  b.From("red", 3, 1010);
  b.From("red", 2, 900);    // late: still taken
  b.From("green", 1, 1000); // same number, other car
  b.From("blue", 9, 1000);  // our own, echoed
  b.link.Message("koralin/fox/lines/green", EncodeTeamLine({"red", 5, {1000, 48, 11, 90, 5, "x"}}));  // wrong car
  b.link.Message("koralin/other/lines/red", EncodeTeamLine({"red", 6, {1000, 48, 11, 90, 5, "x"}}));
  b.link.Message("koralin/fox/lines/red", "{\"lat\":NaN}");
  b.Poll();
  ASSERT_EQ(b.hunt.Lines().size(), 4u);
  const auto& cars = b.team.Cars();
  EXPECT_EQ(b.hunt.Lines()[0].source + " " + std::to_string(cars.at("red").lines) + std::to_string(cars.at("red").duplicates) +
                std::to_string(cars.at("green").lines) + std::to_string(cars.count("blue")),
            "red 3110");
  EXPECT_EQ(std::pair(b.team.Dropped(TeamDrop::kWrongCar), b.team.Dropped(TeamDrop::kNotJson)), std::pair(1L, 1L));
}

TEST(Team, ACarOfflineLongerThanTheMaximumAgeDropsOut) {
  Blue b;
  b.rules.maxAgeSeconds = 600;
  b.link.Message("koralin/fox/cars/red", "online");
  b.From("red", 1, 1000), b.From("green", 1, 1000), b.Poll();
  b.link.Message("koralin/fox/cars/red", "offline"), b.Poll();
  b.From("green", 2, 1500), b.Poll();
  EXPECT_FALSE(b.team.Cars().at("red").droppedOut);
  b.From("green", 3, 1601), b.Poll();
  EXPECT_TRUE(b.team.Cars().at("red").droppedOut);
  b.From("red", 2, 1600), b.Poll();  // late, while away: kept, left out
  EXPECT_EQ(b.hunt.Weights(b.rules).back(), 0.0);
  b.link.Message("koralin/fox/cars/red", "online"), b.Poll();
  EXPECT_FALSE(b.team.Cars().at("red").droppedOut);
  EXPECT_GT(b.hunt.Weights(b.rules).back(), 0.0);
}

TEST(Team, LinesFormedWhileAwayGoAfterReconnectingOldestFirstBounded) {
  Blue b;
  b.link.Lost();
  const std::size_t formed = Team::kMaxQueue + 5;
  for (std::size_t i = 0; i < formed; ++i) b.team.Share({1000.0 + static_cast<double>(i), 48, 11, 90, 5, "serial"});
  EXPECT_TRUE(b.link.published.empty() && b.team.QueueOverflow() == 5) << b.team.QueueOverflow();
  b.link.Connected();
  std::vector<std::uint64_t> seqs;
  for (const auto& p : b.link.published)
    if (p.topic == "koralin/fox/lines/blue") seqs.push_back(std::get<TeamLine>(DecodeTeamLine(p.payload)).seq);
  ASSERT_EQ(seqs.size(), Team::kMaxQueue);
  EXPECT_EQ(seqs.front(), 1005000u);  // the five oldest went
  EXPECT_TRUE(std::is_sorted(seqs.begin(), seqs.end()) && b.team.Queued() == 0);
}

TEST(Team, AFloodIsTakenAPollAtATimeAndTheRestDropped) {
  Blue b;
  for (int i = 0; i < 10000; ++i) b.From("red", static_cast<std::uint64_t>(i + 1), 1000);
  b.link.Message("koralin/fox/lines/red", std::string(10 * 1024 * 1024, '{'));
  EXPECT_EQ(std::tuple(b.team.Waiting(), b.team.Dropped(TeamDrop::kFlood), b.team.Dropped(TeamDrop::kTooLong)),
            std::tuple(Team::kMaxInbox, 10000 - static_cast<long>(Team::kMaxInbox), 1L));
  b.Poll();
  EXPECT_EQ(b.hunt.Lines().size(), Team::kPerPoll);
}

TEST(Team, TheEstimateGoesRetainedWhenItChangesAndAgainAfterReconnecting) {
  Blue b;
  DfEstimate e;
  e.state = DfState::kEstimate, e.latitude = 48.2, e.longitude = 11.6, e.used = 5;
  b.team.ShareEstimate(e), b.team.ShareEstimate(e);
  ASSERT_EQ(b.link.published.size(), 1u);
  EXPECT_EQ(b.link.published[0].topic + std::to_string(b.link.published[0].retain), "koralin/fox/estimate/blue1");
  b.link.Lost(), b.link.Connected();
  EXPECT_EQ(b.link.published.back().payload, b.link.published[0].payload);
}

// Another car's line counts within a moment, not at the next poll, and a
// burst of them counts in one update.
TEST(Team, LinesCountSoonAfterTheyComeNotAtTheNextPoll) {
  test::TestRig rig;
  rig.app.form1.tmrPolling.SetInterval(1500), rig.app.form1.tmrPolling.SetEnabled(true);
  rig.app.team.Start({"mqtt://127.0.0.1:1883", "", "", "", "fox", "blue"}, "");
  rig.team.Connected(), rig.clock.Advance(1500);
  const std::size_t published = rig.bus.estimates.size();
  for (std::uint64_t seq = 1; seq <= 3; ++seq)
    rig.team.Message("koralin/fox/lines/red", EncodeTeamLine({"red", seq, {1000.0 + seq, 48, 11.0 + 0.01 * seq, 90, 5, "serial"}}));
  rig.clock.Advance(kTeamSettleMs - 1);
  EXPECT_EQ(rig.app.hunt.hunt.Lines().size(), 0u);
  rig.clock.Advance(1);
  EXPECT_EQ(std::pair(rig.app.hunt.hunt.Lines().size(), rig.bus.estimates.size()), std::pair(std::size_t{3}, published + 1));
}

// The dialog's options start the team with the password from its file, and
// are kept in Options.cfg; the password is not.
TEST(Team, OptionsFromTheDialogStartTheTeamAndAreKept) {
  test::TestRig rig;
  test::TempFolder folder;
  rig.app.settings.CfgFileName = folder / "Gps.cfg", test::WriteFile(folder / "pw", "s3cret\n");
  ApplyTeamOptions(rig.app, {"mqtt://pi.local", "", "blue", "pw", "fox", "blue"});
  ASSERT_TRUE(rig.team.connection);
  EXPECT_EQ(rig.team.connection->password, "s3cret");
  const std::string text = OptionsFileText(rig.app);
  EXPECT_NE(text.find("TeamBroker=mqtt://pi.local\n"), std::string::npos) << text;
  EXPECT_NE(text.find("TeamPasswordFile=pw\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("s3cret"), std::string::npos);
  ApplyTeamOptions(rig.app, {"mqtt://pi.local", "", "blue", "missing", "fox", "blue"});
  EXPECT_EQ(rig.app.team.StateText().rfind("team: refused: password file: ", 0), 0u) << rig.app.team.StateText();
}

}  // namespace
}  // namespace koralin
