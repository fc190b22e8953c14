// What cars of a team hunt say to each other: a line of bearing, or a car's
// estimate, each as one JSON object. Example of a line:
//   {"v":1,"car":"blue","seq":1765029787000,"time":"2026-12-06T14:03:07Z",
//    "lat":48.1173,"lon":11.5166667,"bearing":123.4,"quality":7,"source":"serial"}
// quality is 0-9, or null for a bearing without a digit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "df/estimate.h"
#include "df/line_of_bearing.h"

namespace koralin {

inline constexpr int kTeamFormat = 1;
// A line is about 200 bytes; anything this long is not one and is not parsed.
inline constexpr std::size_t kMaxTeamPayload = 4096;

struct TeamLine {
  std::string car;
  std::uint64_t seq = 0;  // unique per car, growing
  LineOfBearing line;     // its source as the sending car named it
};

// Why a message from the broker was dropped.
enum class TeamDrop {
  kTooLong,    // over kMaxTeamPayload
  kNotJson,    // no JSON object
  kVersion,    // another format version
  kWrongType,  // a field missing or of the wrong type
  kNotFinite,  // a number that is no number
  kOutOfRange, // latitude, longitude, quality or time out of range
  kBearing,    // bearing outside [0, 360)
  kWrongCar,   // the car is not the one of the topic, or no valid name
  kFlood,      // more than the program takes in a poll
  kTooManyCars,
};
inline constexpr int kTeamDropKinds = 10;
// "too long", "not JSON", ...: for the window and the bus.
std::string_view TeamDropText(TeamDrop drop);

// A hunt or car name fits in one topic level: 1-64 printable characters,
// none of / + #.
bool TeamNameValid(std::string_view name);

std::string EncodeTeamLine(const TeamLine& line);
// The line, or why not; strict: every field present with its type.
std::variant<TeamLine, TeamDrop> DecodeTeamLine(std::string_view payload);

// The car's estimate, for the retained topic: the place and ellipse are null
// without an estimate, the state in words.
std::string EncodeTeamEstimate(std::string_view car, const DfEstimate& estimate);

}  // namespace koralin
