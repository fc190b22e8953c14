#include "app/intake.h"

#include <exception>

#include "app/app.h"
#include "app/df_intake.h"
#include "common/basic.h"
#include "common/error.h"
#include "app/altitude_intake.h"
#include "app/fix_intake.h"
#include "app/fix_without_rmc.h"
#include "app/heading_intake.h"
#include "display/compass.h"
#include "display/frame_caption.h"
#include "log/demo.h"
#include "serial/port_errors.h"
#include "serial/resume.h"
#include "serial/send.h"
#include "serial/watchdog.h"
#include "terminal/terminal.h"

namespace koralin {

namespace {

constexpr const char* kCrcErrorNote = " CRC error !";
constexpr const char* kUndecodableNote = " Bad sentence !";
constexpr std::size_t kHistoryLimit = 500;
// An unfinished sentence is a few dozen characters; a "$" further back than
// this is followed by noise, and carrying it would let the text grow forever.
constexpr std::size_t kTailLimit = 1024;

// The name a decoder would look for this sentence by; with any talker "$GP"
// and its kind finds the kind under every talker.
std::string KindOf(std::string_view sentence, bool anyTalker) {
  const std::string_view name = sentence.substr(0, sentence.find_first_of(",*\r\n"));
  if (name.size() < 4) return {};
  return anyTalker && name.size() >= 6 ? "$GP" + std::string(name.substr(3)) : std::string(name);
}

// The last sentence of the earlier texts, when a decoder may still want it.
// An unfinished one is always carried. One with its line end was decoded in
// its own poll (lastText), unless another of its kind came first there, as
// each decoder takes the first; only then is it carried, and only when the
// new text brings none of its kind. Met again first, a decoded one would hide
// the next of its kind for a whole receiver period.
std::string CarriedTail(const std::string& history, std::string_view lastText, std::string_view newText,
                        bool anyTalker) {
  if (history.size() < 2) return {};
  const std::size_t i = InStrRev(history, "$");
  if (i == 0 || history.size() - (i - 1) > kTailLimit) return {};
  std::string tail = history.substr(i - 1);
  if (tail.find_first_of("\r\n") == std::string::npos) return tail;
  const std::string kind = KindOf(tail, anyTalker);
  if (kind.empty() || !lastText.ends_with(tail)) return {};
  const std::size_t first = FindSentence(kind, lastText, 1, anyTalker);
  const bool hidden = first != 0 && first - 1 < lastText.size() - tail.size();
  if (!hidden || FindSentence(kind, newText, 1, anyTalker) != 0) return {};
  return tail;
}

bool IsDecodingError(const RunTimeError& e) {
  const long n = e.Number();
  return n == err::kInvalidCall || n == err::kOverflow || n == err::kSubscriptOutOfRange || n == err::kTypeMismatch;
}

// A sentence that passed every check and still cannot be decoded is dropped
// as a checksum error is: only a fault of the port (or of the clock the
// sentence sets) goes on to the port's report.
template <class F> void Decode(App& app, F decoder) {
  try {
    decoder();
  } catch (const RunTimeError& e) {
    if (!IsDecodingError(e)) throw;
    SetCaptionNote(app, kUndecodableNote);
  }
}

}  // namespace

void tmrPolling_Timer(App& app) {
  const Settings& s = app.settings;
  if (s.ComPortIn < 0)
    getDemoInput(app);
  else if (s.ComPortIn > 0)
    getGPSinput(app);
  else
    app.form1.tmrPolling.SetEnabled(false);
  if (app.form1.mnuHCHDTinp.Checked() && s.ComPortOut > 0 && s.ComPortIn >= 0) getHCHDTinput(app);
}

// Twenty empty wake-ups a second cost more than the reading itself. A tick on
// an open, quiet serial input changes nothing once the lock shows red, so
// until a character arrives the ticks may come once a second.
bool tmrPolling_MayRest(App& app, const std::function<void()>& wake) {
  const Form1& f = app.form1;
  if (app.settings.ComPortIn <= 0 || app.serial.InLost || f.mnuHCHDTinp.Checked()) return false;
  if (f.tmrPolling.Interval() >= Timer::kRestInterval || f.lblLock.BackColor() != colour::kRed || app.fix.GPRMCFound)
    return false;
  SerialPort& port = app.platform.comm1;
  try {
    if (!port.IsOpen() || port.InBufferCount() != 0) return false;
  } catch (const std::exception&) {
    return false;  // the next tick reports it
  }
  return port.WakeOnInput(wake);
}

void getGPSinput(App& app) {
  app.fix.GPRMCFound = false;
  AgeRmc(app, app.form1.tmrPolling.Interval());
  if (app.serial.InLost) {  // as with no input, until the device is back
    app.form1.lblLock.SetBackColor(colour::kRed);
    return;
  }
  try {
    SerialPort& port = app.platform.comm1;
    if (port.InBufferCount() < 4) {
      app.form1.lblLock.SetBackColor(colour::kRed);
      return;
    }
    app.form1.lblLock.SetBackColor(colour::kWhite);
    std::string t = port.ReadAll();
    AddTerminalIn(app, t, false);
    PollTexts& p = app.poll;
    p.RxTextDoppler = t;
    t.insert(0, CarriedTail(p.RxHistory, p.RxText, t, app.form1.mnuAnyTalker.Checked()));
    p.RxText = t;
    p.RxTextAltitude = t;
    if (p.RxHistory.size() <= kHistoryLimit)
      p.RxHistory += std::string(kCrLf) + t;
    else
      p.RxHistory = std::move(t);
    DispatchSentences(app);
  } catch (const std::exception& e) {
    if (IsLost(e))
      InputLost(app);
    else
      ComPortInError(app, "getGPSinput", e.what(), app.settings.ComPortIn);
  }
}

void getDemoInput(App& app) {
  FillDemoInput(app);
  DispatchSentences(app);
}

void getHCHDTinput(App& app) {
  SerialPort& port = app.platform.comm2;
  if (app.serial.OutLost) return;
  if (!port.IsOpen()) app.form1.mnuHCHDTinp.SetChecked(false);
  try {
    if (port.InBufferCount() < 5) return;
    std::string& text = app.poll.RxTextHCHDT;
    text += port.ReadAll();
    if (text.size() <= 30) return;
    text = Right(text, 20);
    DispatchSentences(app);
  } catch (const std::exception& e) {
    if (IsLost(e))
      OutputLost(app);
    else
      ComOutOpenError(app, "getHCHDTinput", e.what(), app.settings.ComPortOut);
  }
}

void DispatchSentences(App& app) {
  Form1& f = app.form1;
  const PollTexts& p = app.poll;
  ShowTurnPrompt(app);

  bool heading = false;
  Decode(app, [&] {
    if (!f.mnuHCHDTinp.Checked())
      ExtractingHCHDT(app, p.RxText, heading);
    else if (app.settings.ComPortOut > 0)
      ExtractingHCHDT(app, p.RxTextHCHDT, heading);
  });
  Decode(app, [&] { ExtractingGPRMC(app, p.RxText); });
  Decode(app, [&] { ExtractingFixWithoutRmc(app, p.RxText); });
  Decode(app, [&] { ExtractingGPGGA(app, p.RxTextAltitude); });
  Decode(app, [&] { ExtractingPGRMZ(app, p.RxTextAltitude); });
  if (f.mnuLockCheck.Checked()) Decode(app, [&] { ExtractingGPGSA(app, p.RxText); });

  bool bearing = false;
  Decode(app, [&] { ExtractingDoppler(app, p.RxTextDoppler, bearing); });
  Decode(app, [&] { UpdateDfEstimate(app); });
  if (!bearing && !heading) return;
  if (f.mnuAgreloInOut.Checked() && app.settings.ComPortOut != 0) SendToComout(app, app.heading.DopplerBearing);
  if (app.settings.ComPortIn > 0) InputHeard(app);
}

void mnuPollingSpeed_Click(App& app) {
  MenuItem& m = app.form1.mnuPollingSpeed;
  m.SetChecked(!m.Checked());
  app.settings.PollingInterval = m.Checked() ? 50 : 1500;
  app.form1.tmrPolling.SetInterval(app.settings.PollingInterval);
}

SentenceRules IntakeRules(const App& app) {
  const Form1& f = app.form1;
  return {f.mnuCrcCheck.Checked(), f.mnuAnyTalker.Checked(), app.settings.CrcAnyCase};
}

std::string TakeSentence(App& app, std::string_view prefix, std::string_view text, bool decodable) {
  const SentenceRules rules = IntakeRules(app);
  FoundSentence found = decodable ? GetDecodableSentence(rules, prefix, text) : GetSentence(rules, prefix, text);
  if (found.refusal == Refusal::kCrcError) SetCaptionNote(app, kCrcErrorNote);
  if (found.refusal == Refusal::kUndecodable) SetCaptionNote(app, kUndecodableNote);
  return std::move(found.text);
}

void mnuCrcCheck_Click(App& app) { app.form1.mnuCrcCheck.SetChecked(!app.form1.mnuCrcCheck.Checked()); }

void mnuAnyTalker_Click(App& app) { app.form1.mnuAnyTalker.SetChecked(!app.form1.mnuAnyTalker.Checked()); }

}  // namespace koralin
