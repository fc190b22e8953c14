#include "team/team_message.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "df/hunt_file.h"

namespace koralin {

namespace {

using Json = nlohmann::json;

// Texts the sender cannot spell right are written with U+FFFD, not refused.
std::string Dump(const Json& j) { return j.dump(-1, ' ', false, Json::error_handler_t::replace); }

// The field as a finite number; its drop otherwise.
std::variant<double, TeamDrop> Number(const Json& j, const char* key) {
  const auto it = j.find(key);
  if (it == j.end() || !it->is_number()) return TeamDrop::kWrongType;
  const double v = it->get<double>();
  if (!std::isfinite(v)) return TeamDrop::kNotFinite;
  return v;
}

std::variant<std::string, TeamDrop> Text(const Json& j, const char* key) {
  const auto it = j.find(key);
  if (it == j.end() || !it->is_string()) return TeamDrop::kWrongType;
  return it->get<std::string>();
}

// Takes the value or keeps the first drop.
template <class T> bool Take(std::variant<T, TeamDrop> v, T& into, std::optional<TeamDrop>& drop) {
  if (const TeamDrop* d = std::get_if<TeamDrop>(&v)) {
    if (!drop) drop = *d;
    return false;
  }
  into = std::get<T>(std::move(v));
  return true;
}

}  // namespace

std::string_view TeamDropText(TeamDrop drop) {
  static constexpr std::string_view kTexts[kTeamDropKinds] = {
      "too long", "not JSON", "version", "wrong type", "not a number",
      "out of range", "bearing", "wrong car", "flood", "too many cars"};
  return kTexts[static_cast<int>(drop)];
}

bool TeamNameValid(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  for (const char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == '/' || c == '+' || c == '#') return false;
  return true;
}

std::string EncodeTeamLine(const TeamLine& t) {
  const LineOfBearing& l = t.line;
  Json j = {{"v", kTeamFormat}, {"car", t.car}, {"seq", t.seq}, {"time", TimeText(l.time)},
            {"lat", l.latitude}, {"lon", l.longitude}, {"bearing", l.bearing},
            {"quality", l.quality == kNoQuality ? Json(nullptr) : Json(l.quality)}, {"source", l.source}};
  return Dump(j);
}

std::variant<TeamLine, TeamDrop> DecodeTeamLine(std::string_view payload) {
  if (payload.size() > kMaxTeamPayload) return TeamDrop::kTooLong;
  const Json j = Json::parse(payload, nullptr, /*allow_exceptions=*/false);
  if (j.is_discarded() || !j.is_object()) return TeamDrop::kNotJson;
  const auto v = j.find("v");
  if (v == j.end() || !v->is_number_integer()) return TeamDrop::kWrongType;
  if (v->get<long long>() != kTeamFormat) return TeamDrop::kVersion;
  const auto seq = j.find("seq");
  const auto quality = j.find("quality");
  if (seq == j.end() || !seq->is_number_unsigned() || quality == j.end() ||
      !(quality->is_null() || quality->is_number_integer()))
    return TeamDrop::kWrongType;

  TeamLine t;
  t.seq = seq->get<std::uint64_t>();
  LineOfBearing& l = t.line;
  std::string time;
  std::optional<TeamDrop> drop;
  Take(Text(j, "car"), t.car, drop);
  Take(Text(j, "time"), time, drop);
  Take(Text(j, "source"), l.source, drop);
  Take(Number(j, "lat"), l.latitude, drop);
  Take(Number(j, "lon"), l.longitude, drop);
  Take(Number(j, "bearing"), l.bearing, drop);
  if (drop) return *drop;
  if (!TeamNameValid(t.car)) return TeamDrop::kWrongCar;
  const auto seconds = TimeOf(time);
  if (!seconds) return TeamDrop::kOutOfRange;
  l.time = *seconds;
  if (std::abs(l.latitude) > 90 || std::abs(l.longitude) > 180 || l.source.size() > 64) return TeamDrop::kOutOfRange;
  if (!quality->is_null()) {
    const long long q = quality->get<long long>();
    if (q < 0 || q > 9) return TeamDrop::kOutOfRange;
    l.quality = static_cast<int>(q);
  }
  if (!(l.bearing >= 0 && l.bearing < 360)) return TeamDrop::kBearing;
  return t;
}

std::string EncodeTeamEstimate(std::string_view car, const DfEstimate& e) {
  const bool stands = e.state == DfState::kEstimate;
  const auto value = [stands](double v) { return stands ? Json(v) : Json(nullptr); };
  Json j = {{"v", kTeamFormat}, {"car", car}, {"state", DfStateText(e.state)},
            {"lat", value(e.latitude)}, {"lon", value(e.longitude)},
            {"semiMajor", value(e.semiMajor)}, {"semiMinor", value(e.semiMinor)},
            {"orientation", value(e.orientation)}, {"used", e.used}, {"rejected", e.rejected}};
  return Dump(j);
}

}  // namespace koralin
