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
#include "nmea/gga.h"
#include "nmea/pgrmz.h"

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

void ApplyAltitude(App& app, const std::string& sentence, const std::optional<std::string>& feet) {
  ShowAltitudeSentence(app, sentence, feet ? &*feet : nullptr);
  if (feet) LoggingSummer(app, sentence, true);
}

}  // namespace

void ExtractingGPGGA(App& app, std::string_view text) {
  FixState& fix = app.fix;
  fix.GPGGASentence = TakeSentence(app, "$GPGGA", text, true);
  if (fix.GPGGASentence.empty()) return;
  const GgaSentence gga = ParseGga(fix.GPGGASentence);
  ApplyAltitude(app, gga.text, FeetOf(gga.altitude, gga.metres, 0));
}

void ExtractingPGRMZ(App& app, std::string_view text) {
  FixState& fix = app.fix;
  fix.PGRMZSentence = TakeSentence(app, "$PGRMZ", text, false);
  if (fix.PGRMZSentence.empty()) return;
  const PgrmzSentence rmz = ParsePgrmz(fix.PGRMZSentence);
  ApplyAltitude(app, rmz.text, FeetOf(rmz.altitude, rmz.metres, 1));
}

}  // namespace koralin
