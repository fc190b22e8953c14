#include "log/logging.h"

#include "app/app.h"
#include "display/file_errors.h"
#include "common/basic.h"
#include "common/error.h"
#include "log/log_file.h"
#include "display/frame_caption.h"
#include "nmea/sentence.h"
#include "terminal/terminal.h"

namespace koralin {

namespace {

constexpr std::size_t kBatchSize = 1024;
// Unwritten records kept while the log cannot be written; beyond this the
// oldest go, so a disk that stays full cannot fill the memory as well.
constexpr std::size_t kKeptLimit = 1024 * 1024;

// Drops the oldest whole records beyond the bound, 16 KB more at a time so
// that a lasting fault does not move the whole buffer for every record.
void KeepWithinBound(std::string& buffer) {
  constexpr std::size_t kSlack = 16 * 1024;
  if (buffer.size() <= kKeptLimit) return;
  const std::size_t end = buffer.find(kCrLf, buffer.size() - (kKeptLimit - kSlack));
  buffer.erase(0, end == std::string::npos ? buffer.size() - (kKeptLimit - kSlack) : end + kCrLf.size());
}

// One box per fault; while it lasts the frame caption and Terminal Out say
// that the log is not written, so the user can stop logging at any time.
void LogNotWritten(App& app, const RunTimeError& e) {
  LogState& log = app.log;
  log.sinceFailedWrite = 0;
  KeepWithinBound(log.LogBuffer);
  SetCaptionNote(app, " log not written");
  AddTerminalOut(app, "log not written" + std::string(kCrLf), false);
  if (log.writeFault == e.Description()) return;
  log.writeFault = e.Description();
  FileWriteError(app, e, app.settings.LogFileName);
}

// Asks for the log file; false when the user gives no name or the old file
// could not be cleared.
bool ChooseLogFile(App& app) {
  std::string& path = app.settings.LogFileName;
  const std::string crlf(kCrLf);
  const std::string answer = app.platform.dialogs.InputBox(
      "Give the path and file name to log." + crlf + "Was: " + path + crlf + "Beeps every time the file is appended.",
      kTitle, path);
  if (answer.empty()) return false;
  path = answer;
  if (!FileExists(path)) return true;

  if (MsgBox(app, "Append(Ok) or Overwrite(Cancel)" + crlf + path, kTitle, MsgIcon::kInformation,
             MsgButtons::kOkCancel) != MsgResult::kCancel)
    return true;
  try {
    DeleteFile(path);
  } catch (const RunTimeError& e) {
    // Appending to a file the user wanted replaced would mix two trips.
    FileWriteError(app, e, path);
    return false;
  }
  return true;
}

}  // namespace

void LoggingSummer(App& app, std::string_view sentence, bool addCrc) {
  if (!app.form1.mnuLoggen.Checked()) return;
  std::string record;
  if (addCrc) {
    record = AddCrc(std::string(sentence) + "*");
    if (record.empty()) return;
  } else {
    record = std::string(sentence) + std::string(kCrLf);
  }
  std::string& buffer = app.log.LogBuffer;
  buffer += record;
  if (!app.log.writeFault.empty()) KeepWithinBound(buffer);
  app.log.sinceFailedWrite += record.size();
  // After a failure the next try waits for another batch.
  const bool retry = app.log.writeFault.empty() || app.log.sinceFailedWrite > kBatchSize;
  if (buffer.size() > kBatchSize && retry) GPSLoggen(app);
}

void GPSLoggen(App& app) {
  std::string& buffer = app.log.LogBuffer;
  if (buffer.empty()) return;
  try {
    AppendToFile(app.settings.LogFileName, buffer);
  } catch (const RunTimeError& e) {
    // The buffer stays, so the records reach the file once the fault clears.
    LogNotWritten(app, e);
    return;
  }
  buffer.clear();
  if (!app.log.writeFault.empty()) {
    app.log.writeFault.clear();
    RestoreFrameCaption(app);
  }
  app.platform.system.Beep();
}

void mnuLoggen_Click(App& app) {
  Form1& f = app.form1;
  if (f.mnuPlayLog.Checked()) {
    f.mnuLoggen.SetChecked(false);
    f.mnuLoggen.SetEnabled(false);
    return;
  }
  if (f.mnuLoggen.Checked()) {
    GPSLoggen(app);
    f.mnuLoggen.SetChecked(false);
    f.mnuLoggen.SetEnabled(true);
    f.mnuPlayLog.SetChecked(false);
    f.mnuPlayLog.SetEnabled(true);
    return;
  }
  if (!ChooseLogFile(app)) return;
  app.log.writeFault.clear();  // a new file: a fault there is reported anew
  f.mnuLoggen.SetChecked(true);
  f.mnuLoggen.SetEnabled(true);
  f.mnuPlayLog.SetChecked(false);
  f.mnuPlayLog.SetEnabled(false);
}

}  // namespace koralin
