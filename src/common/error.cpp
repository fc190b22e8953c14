#include "common/error.h"

#include <cerrno>
#include <cstring>
#include <map>

#include "common/basic.h"

namespace koralin {

namespace {

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


RunTimeError::RunTimeError(long number) : RunTimeError(number, ErrorDescription(number)) {}

RunTimeError::RunTimeError(long number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

std::string ErrorDescription(long number) {
  static const std::map<long, std::string> kTexts = {
      {5, "Invalid procedure call or argument"},
      {6, "Overflow"},
      {7, "Out of memory"},
      {9, "Subscript out of range"},
      {11, "Division by zero"},
      {13, "Type mismatch"},
      {52, "Bad file name or number"},
      {53, "File not found"},
      {54, "Bad file mode"},
      {55, "File already open"},
      {57, "Device I/O error"},
      {61, "Disk full"},
      {62, "Input past end of file"},
      {67, "Too many files"},
      {68, "Device unavailable"},
      {70, "Permission denied"},
      {71, "Disk not ready"},
      {75, "Path/File access error"},
      {76, "Path not found"},
      {8002, "Invalid port number"},
      {8005, "Port already open"},
      {8012, "The device is not open"},
      {8015, "Could not set comm state"},
      {8018, "Operation valid only when the port is open"},
  };
  const auto it = kTexts.find(number);
  return it != kTexts.end() ? it->second : "Application-defined or object-defined error";
}

RunTimeError FileError(int errnum, bool reading) {
  const long number = NumberOf(errnum, reading);
  std::string text = ErrorDescription(number);
  const std::string cause = std::strerror(errnum);
  if (LCase(cause) != LCase(text)) text += " (" + cause + ")";
  return RunTimeError(number, text);
}

}  // namespace koralin
