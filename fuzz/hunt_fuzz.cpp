// The hunt file: any text, parsed, each line kept written again and parsed
// back to the same line; the kept lines then crossed without a crash or a
// place that is no number.
#include <cmath>
#include <string_view>
#include <vector>

#include "df/hunt.h"
#include "df/hunt_file.h"

using namespace koralin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const HuntFileContents c = ParseHuntFile(std::string_view(reinterpret_cast<const char*>(data), size));
  DfHunt hunt;
  for (const LineOfBearing& l : c.lines) {
    const std::string text = FormatHuntLine(l);
    const auto again = ParseHuntLine(text);
    if (!again || FormatHuntLine(*again) != text) __builtin_trap();
    hunt.Add(l);
  }
  hunt.Update(HuntRules{});
  const DfEstimate& e = hunt.Estimate();
  if (e.state == DfState::kEstimate &&
      !(std::isfinite(e.latitude) && std::isfinite(e.longitude) && std::isfinite(e.semiMajor)))
    __builtin_trap();
  return 0;
}
