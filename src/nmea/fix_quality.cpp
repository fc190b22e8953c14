#include "nmea/fix_quality.h"

#include <string>

#include "app/app.h"
#include "common/basic.h"
#include "log/logging.h"
#include "nmea/sentence.h"
#include "serial/resume.h"

namespace koralin {

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39
//        selection, mode, satellites..., dilutions
constexpr int kGsaMode = 2;  // 1 no fix, 2 2D, 3 3D

void ExtractingGPGSA(App& app, std::string_view text) {
  FixState& fix = app.fix;
  fix.GPGSASentence = GetDecodableSentence(app, "$GPGSA", text);
  if (fix.GPGSASentence.empty()) return;
  const double mode = Val(GetNmeaField(kGsaMode, 1, fix.GPGSASentence));
  const char* lock = mode == 1 ? "(Not locked)" : mode == 2 ? "(Locked 2D)" : mode == 3 ? "(Very good lock 3D)" : "";
  app.form1.Frame1.SetCaption(std::string(kFrameCaption) + " " + lock);
  LoggingSummer(app, fix.GPGSASentence, true);
}

void mnuLockCheck_Click(App& app) {
  MenuItem& m = app.form1.mnuLockCheck;
  m.SetChecked(!m.Checked());
  if (!m.Checked()) app.form1.Frame1.SetCaption(kFrameCaption);
}

void RestoreFrameCaption(App& app) {
  if (ShowLostCaption(app)) return;  // a lost port keeps saying so until it is back
  Frame& frame = app.form1.Frame1;
  frame.SetFontUnderline(true);
  frame.SetForeColor(colour::kBlack);
  frame.SetCaption(kFrameCaption);
}

}  // namespace koralin
