#include "log/logging.h"

#include "app/app.h"
#include "app/file_errors.h"
#include "common/basic.h"
#include "common/error.h"
#include "log/log_file.h"
#include "nmea/sentence.h"

namespace koralin {

namespace {

constexpr std::size_t kBatchSize = 1024;

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
  if (buffer.size() > kBatchSize) GPSLoggen(app);
}

void GPSLoggen(App& app) {
  std::string& buffer = app.log.LogBuffer;
  if (buffer.empty()) return;
  try {
    AppendToFile(app.settings.LogFileName, buffer);
  } catch (const RunTimeError& e) {
    // The buffer stays, so the records reach the file once the fault clears.
    FileWriteError(app, e, app.settings.LogFileName);
    return;
  }
  buffer.clear();
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
  f.mnuLoggen.SetChecked(true);
  f.mnuLoggen.SetEnabled(true);
  f.mnuPlayLog.SetChecked(false);
  f.mnuPlayLog.SetEnabled(false);
}

}  // namespace koralin
