#include "dde/bus_info.h"

#include "common/basic.h"

namespace koralin {

std::string BusInfoText(const ValuesBus::Address& where) {
  if (where.busName.empty()) return {};
  const std::string crlf(kCrLf);
  std::string text = crlf + crlf + "D-Bus (session bus)" + crlf + "Bus name = \"" + where.busName + "\"" + crlf +
                     "Object path = \"" + where.objectPath + "\"" + crlf + "Interface = \"" + where.interface +
                     "\"" + crlf + "Items: the LinkItem names above, as string properties";
  if (!where.problem.empty()) text += crlf + crlf + "Not published: " + where.problem;
  return text;
}

}  // namespace koralin
