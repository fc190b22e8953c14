// The hunt file: one line of bearing per text line, so a restart (or a
// crash) keeps the hunt. Example:
//   2026-12-06T14:03:07Z,48.1173000,11.5166667,123.4,7,serial
//   time (UTC), latitude, longitude, absolute bearing, quality ("" for none), source
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "df/line_of_bearing.h"

namespace koralin {

// "2026-12-06T14:03:07Z", with hundredths when the time has them.
std::string TimeText(double seconds);
// The time of such a text; none for anything else.
std::optional<double> TimeOf(std::string_view text);
std::string FormatHuntLine(const LineOfBearing& line);
// None for a damaged line: wrong field count, a number that is none or out
// of range, a time that is no time.
std::optional<LineOfBearing> ParseHuntLine(std::string_view text);

struct HuntFileContents {
  std::vector<LineOfBearing> lines;  // the newest DfHunt::kMaxLines at most
  int damaged = 0;                   // lines skipped
};
HuntFileContents ParseHuntFile(std::string_view text);

}  // namespace koralin
