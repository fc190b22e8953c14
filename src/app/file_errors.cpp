#include "app/file_errors.h"

#include "app/app.h"
#include "common/basic.h"
#include "common/error.h"

namespace koralin {

namespace {

// The file itself is closed by its owner before the report, so the file
// number only names it.
std::string NumberAndDescription(long number) {
  const std::string crlf2 = std::string(kCrLf) + std::string(kCrLf);
  return crlf2 + "Error =" + Str(number) + crlf2 + ErrorDescription(number);
}

}  // namespace

void FileReadError(App& app, long number, int, const std::string& path) {
  MessageBox box;
  box.prompt = "File Read Error " + path + NumberAndDescription(number);
  box.title = kTitle;
  box.icon = MsgIcon::kCritical;
  app.platform.dialogs.MsgBox(box);
}

void FileWriteError(App& app, long number, int, const std::string& path) {
  MessageBox box;
  box.prompt = "File " + path + " Write error." + NumberAndDescription(number);
  box.title = kTitle;
  box.icon = MsgIcon::kExclamation;
  app.platform.dialogs.MsgBox(box);
}

}  // namespace koralin
