#include "team/team.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace koralin {

namespace {

constexpr int kQos = 1;

}  // namespace

std::optional<BrokerAddress> ParseBroker(std::string_view url) {
  BrokerAddress a;
  if (url.starts_with("mqtts://")) {
    a.tls = true, a.port = 8883;
    url.remove_prefix(8);
  } else if (url.starts_with("mqtt://")) {
    url.remove_prefix(7);
  } else {
    return std::nullopt;
  }
  if (!url.empty() && url.back() == '/') url.remove_suffix(1);
  const std::size_t colon = url.rfind(':');
  // An IPv6 address is written in brackets; its colons are not the port's.
  if (colon != std::string_view::npos && url.find(']', colon) == std::string_view::npos) {
    const std::string_view port = url.substr(colon + 1);
    const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), a.port);
    if (ec != std::errc() || end != port.data() + port.size() || a.port < 1 || a.port > 65535) return std::nullopt;
    url = url.substr(0, colon);
  }
  if (url.size() > 2 && url.front() == '[' && url.back() == ']') url = url.substr(1, url.size() - 2);
  if (url.empty() || url.find_first_of("/@ ") != std::string_view::npos) return std::nullopt;
  a.host = std::string(url);
  return a;
}

Team::~Team() = default;

std::string Team::Topic(std::string_view kind, std::string_view car) const {
  return "koralin/" + options_.hunt + "/" + std::string(kind) + "/" + std::string(car);
}

void Team::Start(const TeamOptions& o, const std::string& password) {
  Stop();
  state_.clear();
  options_ = o;
  if (o.broker.empty()) return;
  const auto address = ParseBroker(o.broker);
  if (!address) return void(state_ = "team: refused: the broker is not mqtt://host:port or mqtts://host:port");
  if (!TeamNameValid(o.hunt) || !TeamNameValid(o.car))
    return void(state_ = "team: refused: the hunt and car names must be 1-64 characters without / + #");
  if (address->tls && o.caFile.empty()) return void(state_ = "team: refused: mqtts:// needs a CA file");
  TeamConnection c{address->host, address->port, address->tls, o.caFile, o.user, password,
                   "koralin-" + o.hunt + "-" + o.car, Topic("cars", o.car), "offline"};
  started_ = true;
  state_ = "team: connecting";
  link_.Connect(c, {[this] { OnConnected(); },
                    [this](const std::string&) {
                      connected_ = false;
                      state_ = "team: reconnecting";
                    },
                    [this](const std::string& reason) {
                      connected_ = false;
                      state_ = "team: refused: " + reason;
                    },
                    [this](const std::string& topic, std::string_view payload) { OnMessage(topic, payload); }});
}

void Team::Refuse(const std::string& reason) {
  Stop();
  state_ = "team: refused: " + reason;
}

void Team::Stop() {
  if (!started_) return;
  if (connected_) link_.Publish(Topic("cars", options_.car), "offline", kQos, true);
  link_.Disconnect();
  started_ = connected_ = false;
  state_.clear();
}

void Team::OnConnected() {
  connected_ = true;
  state_ = "team: connected";
  link_.Publish(Topic("cars", options_.car), "online", kQos, true);
  link_.Subscribe(Topic("lines", "+"));
  link_.Subscribe(Topic("cars", "+"));
  for (; !queue_.empty(); queue_.pop_front()) link_.Publish(Topic("lines", options_.car), queue_.front(), kQos, false);
  estimateSent_.clear();  // a broker started afresh has lost it
  SendEstimate();
}

void Team::Share(const LineOfBearing& line) {
  if (!started_) return;
  // Grows with the fix time, so a restarted program never reuses a number.
  nextSeq_ = std::max(nextSeq_ + 1, static_cast<std::uint64_t>(std::max(0.0, line.time) * 1000));
  std::string payload = EncodeTeamLine({options_.car, nextSeq_, line});
  if (connected_) return link_.Publish(Topic("lines", options_.car), payload, kQos, false);
  if (queue_.size() == kMaxQueue) queue_.pop_front(), ++queueOverflow_;
  queue_.push_back(std::move(payload));
}

void Team::ShareEstimate(const DfEstimate& estimate) {
  if (!started_) return;
  estimate_ = EncodeTeamEstimate(options_.car, estimate);
  SendEstimate();
}

void Team::SendEstimate() {
  if (!connected_ || estimate_.empty() || estimate_ == estimateSent_) return;
  link_.Publish(Topic("estimate", options_.car), estimate_, kQos, true);
  estimateSent_ = estimate_;
}

void Team::OnMessage(const std::string& topic, std::string_view payload) {
  // Dropped before it is kept, so neither a huge message nor a flood grows memory.
  if (payload.size() > kMaxTeamPayload) return Drop(TeamDrop::kTooLong);
  if (inbox_.size() == kMaxInbox) return Drop(TeamDrop::kFlood);
  inbox_.emplace_back(topic, payload);
  if (onArrival) onArrival();
}

long Team::DroppedTotal() const {
  long n = 0;
  for (const long d : drops_) n += d;
  return n;
}

TeamCar* Team::CarOf(std::string_view car) {
  if (const auto it = cars_.find(std::string(car)); it != cars_.end()) return &it->second;
  if (cars_.size() == kMaxCars) return Drop(TeamDrop::kTooManyCars), nullptr;
  return &cars_[std::string(car)];
}

bool Team::Remember(const std::string& car, std::uint64_t seq) {
  if (!seen_.emplace(car, seq).second) return false;
  seenOrder_.emplace_back(car, seq);
  if (seenOrder_.size() > kMaxSeen) seen_.erase(seenOrder_.front()), seenOrder_.pop_front();
  return true;
}

void Team::TakeLine(std::string_view car, std::string_view payload, DfHunt& hunt) {
  auto decoded = DecodeTeamLine(payload);
  if (const TeamDrop* d = std::get_if<TeamDrop>(&decoded)) return Drop(*d);
  TeamLine& t = std::get<TeamLine>(decoded);
  if (t.car != car) return Drop(TeamDrop::kWrongCar);
  TeamCar* c = CarOf(car);
  if (!c) return;
  // QoS 1 delivers at least once: a repeat is the same car and number.
  if (!Remember(t.car, t.seq)) return void(++c->duplicates);
  ++c->lines;
  t.line.source = t.car;
  hunt.Add(t.line);
}

void Team::TakePresence(std::string_view car, std::string_view payload) {
  if (payload != "online" && payload != "offline") return Drop(TeamDrop::kWrongType);
  TeamCar* c = CarOf(car);
  if (!c) return;
  c->online = payload == "online";
  if (c->online) c->offlineSince.reset();
}

void Team::LeaveOut(DfHunt& hunt, const HuntRules& rules) {
  // The newest line is looked for only while a car is away.
  if (std::all_of(cars_.begin(), cars_.end(), [](const auto& c) { return c.second.online && !c.second.droppedOut; }))
    return;
  double newest = 0;
  for (const LineOfBearing& l : hunt.Lines()) newest = std::max(newest, l.time);
  for (auto& [name, c] : cars_) {
    if (!c.online && !c.offlineSince) c.offlineSince = newest;
    const bool out = !c.online && rules.maxAgeSeconds > 0 && newest - *c.offlineSince > rules.maxAgeSeconds;
    if (out == c.droppedOut) continue;
    c.droppedOut = out;
    hunt.LeaveOut(name, out);
  }
}

bool Team::Poll(DfHunt& hunt, const HuntRules& rules) {
  // The state changes between polls, as the broker answers.
  const bool stateChanged = state_ != stateShown_;
  stateShown_ = state_;
  if (!started_) return stateChanged;
  const std::string prefix = "koralin/" + options_.hunt + "/";
  bool changed = false;
  for (std::size_t n = 0; n < kPerPoll && !inbox_.empty(); ++n, inbox_.pop_front()) {
    std::string_view topic = inbox_.front().first;
    const std::string_view payload = inbox_.front().second;
    if (!topic.starts_with(prefix)) continue;
    topic.remove_prefix(prefix.size());
    const std::size_t slash = topic.find('/');
    if (slash == std::string_view::npos) continue;
    const std::string_view kind = topic.substr(0, slash), car = topic.substr(slash + 1);
    if (car == options_.car) continue;  // our own, echoed
    if (kind == "lines") TakeLine(car, payload, hunt);
    else if (kind == "cars") TakePresence(car, payload);
    changed = true;
  }
  LeaveOut(hunt, rules);
  return changed || stateChanged;
}

}  // namespace koralin
