#include "app/file_errors.h"

#include <cerrno>
#include <cstring>

#include "app/app.h"
#include "common/basic.h"

namespace koralin {

namespace {

void Report(App& app, std::string prompt, MsgIcon icon, const RunTimeError& e) {
  prompt += std::string(kCrLf) + std::string(kCrLf) + "Error =" + Str(e.Number()) + std::string(kCrLf) +
            std::string(kCrLf) + e.Description();
  MsgBox(app, std::move(prompt), kTitle, icon);
}

long NumberOf(int errnum, bool reading) {
  if (errnum == ENOENT && reading) return err::kFileNotFound;
  switch (errnum) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return err::kDiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return err::kPermissionDenied;
    case ENOENT:
    case ENOTDIR: return err::kPathNotFound;
    case EMFILE:
    case ENFILE: return 67;
    case EIO: return 57;
    case ENXIO:
    case ENODEV: return 68;
    default: return err::kPathFileAccess;
  }
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

void FileWriteError(App& app, long number, const std::string& path) {
  FileWriteError(app, RunTimeError(number), path);
}

RunTimeError FileError(int errnum, bool reading) {
  const long number = NumberOf(errnum, reading);
  std::string text = ErrorDescription(number);
  const std::string cause = std::strerror(errnum);
  if (LCase(cause) != LCase(text)) text += " (" + cause + ")";
  return RunTimeError(number, text);
}

}  // namespace koralin
