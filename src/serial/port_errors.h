// The error reports of the input and output ports.
#pragma once

#include <string>

namespace koralin {

struct App;

// Switches the input off after a port failure and reports it.
void ComPortInError(App& app, const std::string& procName, const std::string& errText, int port);
// Switches the output off after a port failure and reports it.
void ComOutOpenError(App& app, const std::string& procName, const std::string& errText, int port);

}  // namespace koralin
