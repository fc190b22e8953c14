// The Terminal In and Terminal Out windows.
#pragma once

#include <string_view>

namespace koralin {

struct App;

void AddTerminalIn(App& app, std::string_view text, bool clear);
void AddTerminalOut(App& app, std::string_view text, bool clear);
// Opens or closes the Terminal In window.
void mnuTerminalIn_Click(App& app);
// Terminal Out switched off: unfrozen and hidden (it stays loaded).
void HideTerminalOut(App& app);

}  // namespace koralin
