// The error reports of the input and output ports.
#pragma once

#include <string>

namespace koralin {

struct App;
class SerialPort;

// Switches the input off after a port failure and reports it.
void ComPortInError(App& app, const std::string& procName, const std::string& errText, int port);
// Switches the output off after a port failure and reports it.
void ComOutOpenError(App& app, const std::string& procName, const std::string& errText, int port);
// Says once in Terminal Out (now, or when it next opens) what the user should
// know about a port just chosen: a server open to the network.
void SayPortWarning(App& app, const SerialPort& comm);

}  // namespace koralin
