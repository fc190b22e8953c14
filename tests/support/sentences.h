// Sentences for tests, with their checksums.
#pragma once

#include <cstdio>
#include <string>

namespace koralin::test {

// "$" + body + "*" + checksum, without a line end.
inline std::string Nmea(const std::string& body) {
  unsigned x = 0;
  for (char c : body) x ^= static_cast<unsigned char>(c);
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", x & 0xFF);
  return "$" + body + "*" + hex;
}

// A valid $GPRMC; time, speed and course tell one apart from another.
inline std::string Rmc(const std::string& time = "123519", const std::string& speed = "022.4",
                       const std::string& course = "084.4") {
  return Nmea("GPRMC," + time + ",A,4807.038,N,01131.000,E," + speed + "," + course + ",230394,003.1,W");
}

}  // namespace koralin::test
