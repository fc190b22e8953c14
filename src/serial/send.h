// The one writer to the output port.
#pragma once

#include <string>

namespace koralin {

struct App;

// Sends text to the output port and shows it in Terminal Out.
void SendToComout(App& app, const std::string& text);

}  // namespace koralin
