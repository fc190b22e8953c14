// Which other process has a serial device open, from /proc.
#pragma once

#include <string>

namespace koralin::qt {

// The command name of another process with the device open ("gpsd"), or ""
// when none is seen. A gpsd whose open files this user may not look into
// (the system's own, started at plug-in) is taken to hold it: that is what
// leaves a receiver silent on a desktop.
std::string ProcessHolding(const std::string& device);

}  // namespace koralin::qt
