#include "app/flux_align.h"

#include <cmath>

#include "app/app.h"
#include "common/basic.h"
#include "display/compass.h"
#include "display/dialogs.h"
#include "nmea/degrees.h"
#include "serial/modified_rmc.h"

namespace koralin {

namespace {

std::string AlignMessage(const Settings& s) {
  std::string m = "Try to synchronise FluxCompass with GpsCompass";
  m += std::string(kCrLf) + "FluxCompassOffset = " + Format(static_cast<double>(s.FluxCompassOffset), "000") + kDegree;
  m += std::string(kCrLf) + "No=Reset offset to 0" + kDegree;
  m += std::string(kCrLf) + "MinSpeed=" + Str(s.MinGpsSpeedOut) + " " + " knots";
  return m;
}

// Sets the offset that makes the flux-gate heading read the GPS course.
void AlignFluxWithGps(App& app) {
  const FixState& fix = app.fix;
  HeadingState& h = app.heading;
  if (RoundHalfEven(Val(fix.SpeedKnotsText)) < app.settings.MinGpsSpeedOut || fix.RmcStatus != "A" ||
      h.FluxHeadingText.empty()) {
    MsgBox(app, std::string("Not set Yet") + std::string(kCrLf) + "No FluxCompass or No GpsCompass data", kTitle, MsgIcon::kCritical);
    return;
  }
  const double difference = Val(fix.CourseText) - Val(h.FluxHeadingText);
  app.settings.FluxCompassOffset = CInt(NormaliseDegrees(static_cast<float>(std::fmod(difference, 360.0))));
  DrawCompass(app);
}

void ResetFluxOffset(App& app) {
  app.settings.FluxCompassOffset = 0;
  std::string& flux = app.heading.FluxHeadingText;
  if (!flux.empty()) flux = FormatHeading(Str(NormaliseDegrees(static_cast<float>(std::fmod(Val(flux), 360.0)))));
}

}  // namespace

void mnuGpsFlux_Click(App& app) {
  const std::string message = AlignMessage(app.settings);
  if (app.settings.MinGpsSpeedOut < 3) mnuMinGpsSpeedOut_Click(app);
  switch (MsgBox(app, message, kTitle, MsgIcon::kInformation, MsgButtons::kYesNoCancel, 3)) {
    case MsgResult::kYes:
      AlignFluxWithGps(app);
      break;
    case MsgResult::kNo:
      ResetFluxOffset(app);
      break;
    default:
      break;
  }
}

}  // namespace koralin
