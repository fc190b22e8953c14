// The serial ports: input choice, baud search, watchdog, output and relay.
#pragma once

namespace koralin {

struct SerialState {};

}  // namespace koralin
