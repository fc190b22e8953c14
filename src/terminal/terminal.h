// The Terminal In and Terminal Out windows.
#pragma once

#include <string_view>

namespace koralin {

struct App;

void AddTerminalIn(App& app, std::string_view text, bool clear);
// Places the terminal windows below the main window.
void TerminalPlacement(App& app);

}  // namespace koralin
