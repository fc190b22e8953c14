#include "app/altitude_intake.h"

#include <cmath>
#include <optional>
#include <string>

#include "app/app.h"
#include "app/intake.h"
#include "common/basic.h"
#include "common/error.h"
#include "display/fix_view.h"
#include "log/logging.h"
#include "nmea/altitude.h"

namespace koralin {

namespace {

// The number of an altitude field; none when it lies beyond any range, so
// the last good altitude stays.
std::optional<double> Number(std::string_view s) {
  try {
    return Val(s);
  } catch (const RunTimeError&) {
    return std::nullopt;
  }
}

// The altitude in feet as text without blanks, `decimals` places when it
// was given in metres; none when it cannot be read.
std::optional<std::string> FeetOf(const std::string& altitude, bool metres, int decimals) {
  if (!metres) return Number(altitude) ? std::optional<std::string>(altitude) : std::nullopt;
  if (altitude.empty()) return std::nullopt;
  const std::optional<double> m = Number(altitude);
  if (!m || !std::isfinite(*m / kFoot)) return std::nullopt;
  return NumText(RoundHalfEven(*m / kFoot, decimals));
}

// Both sentences once cut out: the label, then the height when it can be read.
void ExtractAltitude(App& app, std::string& kept, std::string_view prefix, std::string_view text, bool decodable,
                     AltitudeSentence (*parse)(std::string), int decimals) {
  kept = TakeSentence(app, prefix, text, decodable);
  if (kept.empty()) return;
  const AltitudeSentence a = parse(kept);
  const std::optional<std::string> feet = FeetOf(a.altitude, a.metres, decimals);
  ShowAltitudeSentence(app, a.text, feet);
  if (feet) LoggingSummer(app, a.text, true);
}

}  // namespace

void ExtractingGPGGA(App& app, std::string_view text) {
  ExtractAltitude(app, app.fix.GPGGASentence, "$GPGGA", text, true, ParseGga, 0);
}

void ExtractingPGRMZ(App& app, std::string_view text) {
  ExtractAltitude(app, app.fix.PGRMZSentence, "$PGRMZ", text, false, ParsePgrmz, 1);
}

}  // namespace koralin
