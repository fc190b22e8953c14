// The error reports of the input and output ports.
#pragma once

#include <string>

namespace koralin {

struct App;

void ComPortInError(App& app, const std::string& procName, const std::string& errText, int port);
void ComOutOpenError(App& app, const std::string& procName, const std::string& errText, int port);
// Sends text to the output port.
void SendToComout(App& app, const std::string& text);

}  // namespace koralin
