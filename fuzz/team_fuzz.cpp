// A team message from the broker: any bytes either dropped for a reason or
// taken as a line that is written and read back the same, within range.
#include <cmath>
#include <string_view>

#include "team/team_message.h"

using namespace koralin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto decoded = DecodeTeamLine(std::string_view(reinterpret_cast<const char*>(data), size));
  const TeamLine* t = std::get_if<TeamLine>(&decoded);
  if (!t) return 0;
  const LineOfBearing& l = t->line;
  if (!(std::abs(l.latitude) <= 90 && std::abs(l.longitude) <= 180 && l.bearing >= 0 && l.bearing < 360))
    __builtin_trap();
  const std::string text = EncodeTeamLine(*t);
  const auto again = DecodeTeamLine(text);
  if (!std::holds_alternative<TeamLine>(again) || EncodeTeamLine(std::get<TeamLine>(again)) != text) __builtin_trap();
  return 0;
}
