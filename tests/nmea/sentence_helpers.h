// Building sentences with good checksums for the decoder tests.
#pragma once

#include <string>
#include <string_view>

#include "common/basic.h"
#include "nmea/sentence.h"

namespace koralin::test {

// "$" body "*" and its checksum, without the line end.
inline std::string Nmea(std::string_view withoutChecksum) {
  std::string s = AddCrc(std::string(withoutChecksum) + "*");
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
  return s;
}

}  // namespace koralin::test
