// The one error type of the program: a run-time error with a number and a
// description. Routines that own an error trap catch it and show their report;
// nothing else lets it escape.
#pragma once

#include <stdexcept>
#include <string>

namespace koralin {

class RunTimeError : public std::runtime_error {
 public:
  explicit RunTimeError(long number);
  RunTimeError(long number, const std::string& description);
  long Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  long number_;
};

// The standard description of a run-time error number.
std::string ErrorDescription(long number);

// Frequently raised numbers.
namespace err {
inline constexpr long kInvalidCall = 5;
inline constexpr long kOverflow = 6;
inline constexpr long kSubscriptOutOfRange = 9;
inline constexpr long kTypeMismatch = 13;
inline constexpr long kFileNotFound = 53;
inline constexpr long kFileAlreadyOpen = 55;
inline constexpr long kDiskFull = 61;
inline constexpr long kInputPastEnd = 62;
inline constexpr long kPermissionDenied = 70;
inline constexpr long kPathFileAccess = 75;
inline constexpr long kPathNotFound = 76;
inline constexpr long kPortAlreadyOpen = 8005;
inline constexpr long kPortNotOpen = 8018;
inline constexpr long kInvalidPort = 8002;
// A device that went away while open (unplugged, server gone); it may come back.
inline constexpr long kDeviceLost = 8020;
}  // namespace err

// The run-time error for an errno of a file operation: a disk that is full
// is 61, a refused access 70, a missing folder 76; the description names
// the system's cause when it says more than the number's own text. A file
// missing when it is to be read is 53.
RunTimeError FileError(int errnum, bool reading = false);

}  // namespace koralin
