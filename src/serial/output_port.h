// The output port.
#pragma once

namespace koralin {

struct App;

// Applies an output choice: port 1..5, -1 the GPS port, 0 off.
void ComOutSelect(App& app, int port, long baud);

}  // namespace koralin
