// A team hunt: this car's lines go to the team's broker, the other cars'
// lines come into the hunt. Topics, under koralin/<hunt>/:
//   lines/<car>     each line of bearing, QoS 1 (team_message.h)
//   estimate/<car>  the car's estimate, retained
//   cars/<car>      "online", or "offline" as the broker's last will; retained
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "df/hunt.h"
#include "team/team_link.h"
#include "team/team_message.h"

namespace koralin {

// Options.cfg; off while the broker is empty.
struct TeamOptions {
  std::string broker;  // mqtt://host[:port] or mqtts://host[:port]
  std::string caFile, user, passwordFile, hunt, car;
};

struct BrokerAddress {
  std::string host;
  int port = 1883;
  bool tls = false;
};
// None for anything but mqtt://host[:port] or mqtts://host[:port] (8883 by default).
std::optional<BrokerAddress> ParseBroker(std::string_view url);

struct TeamCar {
  bool online = false;
  std::optional<double> offlineSince;  // the hunt's newest line time when seen offline
  bool droppedOut = false;              // offline longer than the lines' maximum age
  long lines = 0;                       // lines taken into the hunt
  long duplicates = 0;
};

class Team {
 public:
  static constexpr std::size_t kMaxQueue = 1000;  // lines waiting for the broker
  static constexpr std::size_t kMaxInbox = 1000;  // messages waiting for a poll
  static constexpr std::size_t kPerPoll = 200;    // messages taken in one poll
  static constexpr std::size_t kMaxCars = 64;
  static constexpr std::size_t kMaxSeen = 2 * DfHunt::kMaxLines;  // (car, seq) remembered

  explicit Team(TeamLink& link) : link_(link) {}
  ~Team();
  Team(const Team&) = delete;
  Team& operator=(const Team&) = delete;

  // Connects when the options hold together; else the state says why. The
  // password is used for the connection and kept nowhere else.
  void Start(const TeamOptions& options, const std::string& password);
  // Off, with the reason in the state ("team: refused: <reason>").
  void Refuse(const std::string& reason);
  // Says "offline" and leaves the broker.
  void Stop();
  bool On() const { return started_; }

  // A line this car formed: published, or queued while not connected.
  void Share(const LineOfBearing& line);
  // Published, retained, when its text changed.
  void ShareEstimate(const DfEstimate& estimate);
  // Told when a message comes to wait for the next Poll.
  std::function<void()> onArrival;
  // Takes up to kPerPoll waiting messages: other cars' lines go into the
  // hunt; cars offline longer than the rules' maximum age are left out.
  // True when a car's state or count changed.
  bool Poll(DfHunt& hunt, const HuntRules& rules);

  // "team: connected", "team: reconnecting", "team: refused: <reason>";
  // "team: connecting" before the first answer; "" when off.
  const std::string& StateText() const { return state_; }
  const std::map<std::string, TeamCar>& Cars() const { return cars_; }
  long Dropped(TeamDrop drop) const { return drops_[static_cast<int>(drop)]; }
  long DroppedTotal() const;
  std::size_t Queued() const { return queue_.size(); }
  long QueueOverflow() const { return queueOverflow_; }
  std::size_t Waiting() const { return inbox_.size(); }
  std::string Topic(std::string_view kind, std::string_view car) const;

 private:
  void OnConnected();
  void SendEstimate();
  void OnMessage(const std::string& topic, std::string_view payload);
  void Drop(TeamDrop drop) { ++drops_[static_cast<int>(drop)]; }
  void TakeLine(std::string_view car, std::string_view payload, DfHunt& hunt);
  void TakePresence(std::string_view car, std::string_view payload);
  TeamCar* CarOf(std::string_view car);
  bool Remember(const std::string& car, std::uint64_t seq);
  void LeaveOut(DfHunt& hunt, const HuntRules& rules);

  TeamLink& link_;
  TeamOptions options_;
  bool started_ = false, connected_ = false;
  std::string state_, stateShown_;
  std::uint64_t nextSeq_ = 0;
  std::deque<std::string> queue_;  // payloads of lines for lines/<car>
  long queueOverflow_ = 0;
  std::string estimate_, estimateSent_;
  std::deque<std::pair<std::string, std::string>> inbox_;
  std::map<std::string, TeamCar> cars_;
  std::set<std::pair<std::string, std::uint64_t>> seen_;
  std::deque<std::pair<std::string, std::uint64_t>> seenOrder_;
  std::array<long, kTeamDropKinds> drops_{};
};

}  // namespace koralin
