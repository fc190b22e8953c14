#include "serial/input_port.h"

#include "app/app.h"

namespace koralin {

// The input port cannot be opened yet.
void BaudSelect(App& app, long baud) { app.settings.BaudIn = static_cast<std::int32_t>(baud); }
void ComPortInOpen(App&) {}

}  // namespace koralin
