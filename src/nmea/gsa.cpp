#include "nmea/gsa.h"

#include "common/basic.h"

namespace koralin {

GsaSentence ParseGsa(std::string sentence) {
  GsaSentence g;
  g.mode = static_cast<int>(Val(GetNmeaField(kGsaMode, sentence)));
  g.text = std::move(sentence);
  return g;
}

}  // namespace koralin
