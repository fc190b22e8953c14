#include "app/playback.h"

#include <algorithm>

#include "app/app.h"
#include "display/file_errors.h"
#include "common/basic.h"
#include "common/error.h"
#include "log/log_file.h"
#include "app/fix_without_rmc.h"
#include "app/intake.h"
#include "display/frame_caption.h"
#include "nmea/sentence.h"
#include "serial/input_choice.h"
#include "terminal/terminal.h"
#include "terminal/terminal_windows.h"

namespace koralin {

namespace {

// The pause after a line is cut into slices so the window stays responsive.
constexpr int kPauseSlice = 10;

class PlayingScope {
 public:
  explicit PlayingScope(LogState& log) : log_(log) { log_.playing = true; }
  ~PlayingScope() { log_.playing = false; }
  PlayingScope(const PlayingScope&) = delete;
  PlayingScope& operator=(const PlayingScope&) = delete;

 private:
  LogState& log_;
};

bool StopRequested(const App& app) { return app.StopPlay || !app.form1.mnuPlayLog.Checked(); }

void Pause(App& app) {
  System& sys = app.platform.system;
  for (int left = app.settings.PollingInterval; left > 0 && !StopRequested(app); left -= kPauseSlice) {
    sys.Sleep(std::min(left, kPauseSlice));
    sys.DoEvents();
  }
}

void PlayLine(App& app, const std::string& line) {
  if (app.form1.mnuTerminalIn.Checked()) AddTerminalIn(app, line + std::string(kCrLf), false);
  PollTexts& p = app.poll;
  p.RxTextAltitude = line;
  p.RxTextDoppler = line;
  p.RxText = InStr(7, line, "*") > 0 ? line : AddCrc(line + "*");
  AgeRmc(app, app.settings.PollingInterval);
  DispatchSentences(app);
}

// One pass over the file; true when at least one line was played.
bool PlayPass(App& app, const std::string& path, bool& endless) {
  LineReader reader(path);
  std::string line;
  bool played = false;
  while (app.form1.mnuPlayLog.Checked()) {
    app.platform.system.DoEvents();
    if (app.StopPlay) {
      app.StopPlay = false;
      endless = false;
      break;
    }
    if (!reader.Next(line)) break;
    line.erase(line.find_last_not_of(' ') + 1);
    if (line.empty()) continue;
    PlayLine(app, line);
    played = true;
    Pause(app);
  }
  if (!app.form1.mnuPlayLog.Checked()) {
    // Stopped from the menu while pausing: the stop is taken here.
    app.StopPlay = false;
    endless = false;
  }
  return played;
}

void PlayPasses(App& app, const std::string& path, bool endless) {
  for (;;) {
    AddTerminalOut(app, "", true);
    const bool played = PlayPass(app, path, endless);
    // A file with nothing to play would make endless play spin.
    if (!endless || !played) return;
    app.platform.system.Beep();
  }
}

bool AskEndless(App& app, const std::string& path) {
  return MsgBox(app, "Endless play " + path + std::string(kCrLf) + std::string(kCrLf) + "Press F1 to stop", kTitle,
                MsgIcon::kInformation, MsgButtons::kYesNo) == MsgResult::kYes;
}

void ShowPlaying(App& app, const std::string& path, bool endless) {
  SetPlayingCaption(app, "Playing log file " + path + (endless ? " is endless playing." : "") +
                             " Press 'F1' or 'Esc' to stop Playing");
}

void CleanUp(App& app, bool loggenChecked) {
  Form1& f = app.form1;
  f.mnuPlayLog.SetChecked(false);
  f.mnuPlayLog.SetEnabled(true);
  f.mnuLoggen.SetChecked(loggenChecked);
  f.mnuLoggen.SetEnabled(true);
  RestoreFrameCaption(app);
  app.settings.ComPortIn = 0;
  ComPortInSelect(app);  // which closes Terminal In as well
  f.lblVal1.SetCaption("");
  app.platform.system.Beep();
}

}  // namespace

void mnuPlayLog_Click(App& app) {
  Form1& f = app.form1;
  if (f.mnuLoggen.Checked()) {
    f.mnuPlayLog.SetChecked(false);
    f.mnuPlayLog.SetEnabled(false);
    return;
  }
  if (!f.mnuPlayLog.Checked()) {
    // A stopped playback still winding up (a click during its last pause)
    // finishes before a new one can start.
    if (app.log.playing) return;
    app.StopPlay = false;
    f.mnuPlayLog.SetChecked(true);
    f.mnuPlayLog.SetEnabled(true);
    f.mnuLoggen.SetEnabled(false);  // logging is off: it refuses a playback
    PlayLog(app);
    return;
  }
  app.StopPlay = true;
  f.mnuPlayLog.SetChecked(false);
  f.mnuPlayLog.SetEnabled(true);
  f.mnuLoggen.SetEnabled(true);
}

void PlayLog(App& app) {
  PlayingScope scope(app.log);
  Form1& f = app.form1;
  const std::string crlf(kCrLf);
  std::string& logName = app.settings.LogFileName;
  const std::string answer = app.platform.dialogs.InputBox(
      "Give the path and file name to play." + crlf + "Was: " + logName, kTitle, logName);
  if (answer.empty()) return;
  logName = answer;
  const std::string path = answer;
  if (!FileExists(path)) {
    MsgBox(app, "No " + path + " found.", kTitle, MsgIcon::kExclamation);
    CleanUp(app, false);
    return;
  }
  const bool endless = AskEndless(app, path);

  const bool loggenChecked = f.mnuLoggen.Checked();
  f.mnuLoggen.SetChecked(false);
  f.mnuLoggen.SetEnabled(false);
  app.settings.ComPortIn = -2;
  ComPortInSelect(app);
  ShowPlaying(app, path, endless);
  if (!f.mnuTerminalIn.Checked()) mnuTerminalIn_Click(app);

  try {
    PlayPasses(app, path, endless);
  } catch (const RunTimeError& e) {
    // Like a cancelled question: the menu stays as it is until clicked.
    FileReadError(app, e, path);
    return;
  }
  CleanUp(app, loggenChecked);
}

}  // namespace koralin
