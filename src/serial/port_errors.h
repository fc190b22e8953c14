// The error reports of the input and output ports, and the one writer to
// the output.
#pragma once

#include <string>

namespace koralin {

struct App;

// Switches the input off after a port failure and reports it.
void ComPortInError(App& app, const std::string& procName, const std::string& errText, int port);
// Switches the output off after a port failure and reports it.
void ComOutOpenError(App& app, const std::string& procName, const std::string& errText, int port);
// Sends text to the output port and shows it in Terminal Out.
void SendToComout(App& app, const std::string& text);

}  // namespace koralin
