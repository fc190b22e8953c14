#include "display/file_errors.h"

#include "app/app.h"
#include "common/basic.h"

namespace koralin {

namespace {

void Report(App& app, std::string prompt, MsgIcon icon, const RunTimeError& e) {
  prompt += std::string(kCrLf) + std::string(kCrLf) + "Error =" + Str(e.Number()) + std::string(kCrLf) +
            std::string(kCrLf) + e.Description();
  MsgBox(app, std::move(prompt), kTitle, icon);
}

}  // namespace

void FileReadError(App& app, const RunTimeError& e, const std::string& path) {
  Report(app, "File Read Error " + path, MsgIcon::kCritical, e);
}

void FileReadError(App& app, long number, const std::string& path) {
  FileReadError(app, RunTimeError(number), path);
}

void FileWriteError(App& app, const RunTimeError& e, const std::string& path) {
  Report(app, "File " + path + " Write error.", MsgIcon::kExclamation, e);
}

void LockError(App& app, const RunTimeError& e, const std::string& path) {
  Report(app, "Cannot start: the lock " + path + " cannot be used (remove it, then start again).", MsgIcon::kCritical,
         e);
}

void FileWriteError(App& app, long number, const std::string& path) {
  FileWriteError(app, RunTimeError(number), path);
}

}  // namespace koralin
