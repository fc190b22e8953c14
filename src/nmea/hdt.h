// $HCHDT, the flux-gate compass's true heading.
#pragma once

#include <optional>
#include <string>

#include "nmea/sentence.h"

namespace koralin {

// $HCHDT,123.4,T*2D  (heading, "T" for true)
inline constexpr Field kHdtHeading{1, 5};
inline constexpr Field kHdtTrue{2, 1};

struct HdtSentence {
  std::string text;
  bool isTrue = false;  // the "T" mark, in either case
  // The heading as "000.0" with the degree sign; none for a number beyond any range.
  std::optional<std::string> heading;
};

HdtSentence ParseHdt(std::string sentence);

}  // namespace koralin
