#include "serial/modified_rmc.h"

#include <exception>
#include <vector>

#include "app/app.h"
#include "common/basic.h"
#include "display/dialogs.h"
#include "nmea/degrees.h"
#include "nmea/doppler_bearing.h"
#include "nmea/rmc.h"
#include "nmea/sentence.h"
#include "serial/port_errors.h"
#include "serial/relay.h"
#include "serial/send.h"

namespace koralin {

namespace {

std::vector<std::string> SplitFields(const std::string& s) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = s.find(',', start);
    fields.push_back(s.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

// The bearing B of "%bbb..." or -1 when the text is no usable bearing
// (empty, "%---" and "%999" among them).
int BearingOf(const std::string& bearingText) {
  if (Left(bearingText, 1) != "%" || InStr(bearingText, "*") != 0 || bearingText.size() < 4) return -1;
  const std::string digits = Mid(bearingText, 2, 3);
  if (!IsAllDigits(digits)) return -1;
  const int b = static_cast<int>(Val(digits));
  return b == 999 ? -1 : b;
}

// The modified sentence, or "" when the fix or the speed does not allow one.
std::string Modified(App& app, int bearing, const std::string& rmc) {
  if (CommaCount(rmc) < kRmcCommas) return {};
  // f[n] is comma field n, as GetNmeaField counts (f[0] is "$GPRMC").
  std::vector<std::string> f = SplitFields(InStr(rmc, "*") != 0 ? rmc : rmc + "*");
  if (f[kRmcStatus.number] != "A") return {};
  // Older mapping programs know only the GPS talker: any receiver's RMC
  // goes out under that name.
  if (f[0].size() == 6 && FindSentence("$GPRMC", f[0], 1, app.form1.mnuAnyTalker.Checked()) == 1) f[0] = "$GPRMC";
  if (Val(f[kRmcSpeed.number]) < app.settings.MinGpsSpeedOut) return {};  // course is noise when standing
  double c = Val(f[kRmcCourse.number]) + bearing;
  if (c >= 720)
    c -= 720;
  else if (c >= 360)
    c -= 360;
  f[kRmcCourse.number] = Trim(Replace(Format(c, "###.0"), ",", "."));
  std::string joined;
  for (const std::string& field : f) joined += field + ",";
  return AddCrc(joined);
}

}  // namespace

void SendGPRMCModified(App& app, const std::string& bearingText, const std::string& rmc) {
  try {
    if (rmc.empty()) return;
    const int bearing = BearingOf(bearingText);
    if (bearing < 0) return;
    const std::string out = Modified(app, bearing, rmc);
    if (!out.empty()) SendToComout(app, out);
  } catch (const std::exception& e) {
    MsgBox(app, std::string("Sub SendGPRMCModified:\r\n") + e.what(), kTitle, MsgIcon::kCritical);
  }
}

void SendTestBearing(App& app) {
  const double r = RoundHalfEven(app.platform.system.Rnd() * 360);
  app.platform.system.Beep();
  SendGPRMCModified(app, "%" + NumText(static_cast<long long>(r)) + "/7", app.form1.lblGPRMC.Caption());
}

void mnuMinGpsSpeedOut_Click(App& app) {
  Settings& s = app.settings;
  const std::string prompt = "Give the minimal GpsSpeed before ModifiedOut \r\n"
                             "and decision to use Fluxcompass\r\n"
                             "Range 0 to" + Str(10) + " knots\r\n"
                             "0 means let all go through.\r\n"
                             "Remember the Gps needs about 3  knots for good compass data.\r\n"
                             "Was:" + Str(s.MinGpsSpeedOut) + " knots";
  const std::string answer = app.platform.dialogs.InputBox(prompt, kTitleShort, NumText(s.MinGpsSpeedOut));
  if (answer.empty()) return;
  const double v = Val(answer);
  if (v < 0 || v > 10) return;
  s.MinGpsSpeedOut = CLng(v);
  app.form1.mnuMinGpsSpeedOut.SetCaption("GP&S Minimal Speed (" + NumText(s.MinGpsSpeedOut) + " knots)...");
}

void mnuModifiedInfo_Click(App& app) {
  const std::string prompt =
      "Modified ComOut Explained\r\n"
      "--------------------------------\r\n"
      "This sends through just $GPRMC, $GPGGA, $PGRMZ, $HCHDT and %bbb/q  or modifies\r\n"
      "the GpsCompass with the Quillwave or Agrelo bearing + GpsCompass field\r\n"
      "And calculates a new CRC in a $GPRMC string \r\n"
      "If you input the output to other program you see the heading to\r\n"
      "You can see the modified $GPRMC in the terminal out\r\n"
      "-------------------------------";
  MsgBox(app, prompt, kTitleShort, MsgIcon::kInformation);
}

}  // namespace koralin
