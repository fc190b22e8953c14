#include "nmea/hdt.h"

#include "common/basic.h"
#include "common/error.h"
#include "nmea/degrees.h"

namespace koralin {

HdtSentence ParseHdt(std::string sentence) {
  HdtSentence h;
  h.isTrue = UCase(GetNmeaField(kHdtTrue, sentence)) == "T";
  try {
    h.heading = FormatHeading(GetNmeaField(kHdtHeading, sentence));
  } catch (const RunTimeError&) {
    h.heading.reset();
  }
  h.text = std::move(sentence);
  return h;
}

}  // namespace koralin
