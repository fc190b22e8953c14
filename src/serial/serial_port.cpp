#include "serial/serial_port.h"

#include "common/basic.h"

namespace koralin {

std::string LineSettings(long baud) { return NumText(baud) + ",N,8,1"; }

}  // namespace koralin
