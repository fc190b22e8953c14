#include "nmea/heading.h"

#include <cmath>
#include <optional>

#include "app/app.h"
#include "common/basic.h"
#include "common/error.h"
#include "display/compass.h"
#include "display/dialogs.h"
#include "log/logging.h"
#include "nmea/sentence.h"
#include "serial/modified_rmc.h"
#include "serial/relay.h"

namespace koralin {

namespace {

// $HCHDT,123.4,T*2D  (heading, "T" for true)
constexpr int kHdtHeading = 1;
constexpr int kHdtTrue = 2;

// Sentences in a row without "T" after which the flux-gate heading is dropped.
constexpr int kNoTrueLimit = 10;

// The flux-gate heading of a $HCHDT whose heading field is a readable
// number; nothing for a number beyond any range.
std::optional<std::string> FluxHeadingOf(const std::string& sentence) {
  try {
    return FormatHeading(GetNmeaField(kHdtHeading, 5, sentence)) + "F";
  } catch (const RunTimeError&) {
    return std::nullopt;
  }
}

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

// $HCHDT,123.4,T*2D (field numbers above)
void ExtractingHCHDT(App& app, std::string_view text, bool& found) {
  HeadingState& h = app.heading;
  Label& label = app.form1.lblFluxGateCompass;
  found = false;
  h.HCHDTSentence = GetSentence(app, "$HCHDT", text);
  const std::string& s = h.HCHDTSentence;
  if (s.empty()) {
    // Once a compass has spoken its heading stays until it says otherwise.
    if (!h.FluxSeen) {
      label.SetVisible(false);
      h.FluxHeadingText.clear();
    }
    return;
  }
  h.FluxSeen = true;
  label.SetVisible(true);
  label.SetCaption(s);
  found = true;
  if (UCase(GetNmeaField(kHdtTrue, 1, s)) != "T") {
    if (++h.FluxNoTrueCount > kNoTrueLimit) {
      h.FluxHeadingText.clear();
      h.FluxNoTrueCount = kNoTrueLimit + 1;
    }
    return;
  }
  h.FluxNoTrueCount = 0;
  if (std::optional<std::string> heading = FluxHeadingOf(s)) h.FluxHeadingText = std::move(*heading);
  LoggingSummer(app, s, true);
}

void lblFluxGateCompass_Change(App& app) {
  Label& label = app.form1.lblFluxGateCompass;
  label.SetToolTip("$HCHDG string - FluxCompassOffset = " + Str(app.settings.FluxCompassOffset) + kDegree);
  RelayHCHDT(app, label.Caption());
}

// Bearings are no comma sentences: "%123/4" (Agrelo), "DF101/9" and
// "$DFBRG200/4", three digits of bearing then "/" and a quality digit,
// sometimes followed by an amplitude such as "[12]".
void ExtractingDoppler(App& app, std::string_view text, std::string_view prefix, bool& found) {
  Form1& f = app.form1;
  found = false;
  f.lblDoppler.SetVisible(false);
  f.lblAmplitude.SetVisible(false);
  const std::size_t n = prefix.size();
  const std::size_t len = text.size();
  const std::size_t i = InStrRev(text, prefix);
  if (i == 0 || i - 1 + n + 3 > len) return;  // three digits must follow
  if (!IsAllDigits(Mid(text, i + n, 3))) return;
  // A quality digit is kept only when the bearing ends the text.
  const std::string bearing = Mid(text, i, i + n + 5 > len ? n + 5 : n + 3);

  HeadingState& h = app.heading;
  h.DopplerBearing = bearing;
  f.lblDoppler.SetVisible(true);
  f.lblDoppler.SetCaption(bearing);
  f.lblDoppler1.SetCaption(bearing);
  const std::string amplitude = ExtractAmplitude(text);
  if (amplitude.size() > 1) {
    f.lblAmplitude.SetVisible(true);
    f.lblAmplitude.SetCaption(amplitude);
  }
  found = true;
  app.fix.NoRxCount = 0;
  LoggingSummer(app, h.DopplerBearing, false);
}

std::string ExtractAmplitude(std::string_view s) {
  const std::size_t p = InStr(s, "[");
  if (p == 0) return {};
  const std::size_t q = InStr(p, s, "]");
  if (q == 0) return {};
  const std::string m = Mid(s, p, q - p + 1);
  if (m.size() > 2 && IsAllDigits(Mid(m, 2, m.size() - 2))) return m;
  return {};
}

bool IsAllDigits(std::string_view s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string FormatHeading(std::string_view h) {
  return Replace(Format(Val(h), "000.0"), ",", ".") + kDegree;
}

float NormaliseDegrees(float a) {
  const float n = RoundHalfEven(a);
  float r = std::fmod(n, 360.0f);
  if (r < 0) r += 360.0f;
  return r == 0 ? 0.0f : r;  // no "-0"
}

std::string GetHeadingText(App& app) {
  const FixState& fix = app.fix;
  if (fix.RmcStatus == "A" && Val(fix.SpeedKnotsText) >= app.settings.MinGpsSpeedOut) return fix.CourseText;
  const std::string& flux = app.heading.FluxHeadingText;
  if (!flux.empty()) {
    // Whole turns are taken off in double precision so that any heading a
    // compass may send stays within the range of the degrees.
    const double v = RoundHalfEven(Val(flux)) + app.settings.FluxCompassOffset;
    const float degrees = NormaliseDegrees(static_cast<float>(std::fmod(v, 360.0)));
    return NumText(static_cast<long long>(degrees)) + kDegree + "F";
  }
  return std::string("---") + kDegree;
}

void ClearFluxData(App& app) {
  app.poll.RxTextHCHDT.clear();
  app.heading.HCHDTSentence.clear();
  Label& label = app.form1.lblFluxGateCompass;
  label.SetVisible(false);
  label.SetCaption("");
}

void mnuHCHDTinp_Click(App& app) {
  Form1& f = app.form1;
  f.mnuHCHDTinp.SetChecked(!f.mnuHCHDTinp.Checked());
  ClearFluxData(app);
  if (f.mnuHCHDTinp.Checked()) f.tmrPolling.SetEnabled(true);
}

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
