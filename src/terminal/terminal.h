// The texts of the Terminal In and Terminal Out windows: appending, clearing
// and freezing them.
#pragma once

#include <string_view>

namespace koralin {

struct App;

// Append text to a terminal, or clear it; nothing while its menu entry is
// unchecked. The text "Show Again" only redraws.
void AddTerminalIn(App& app, std::string_view text, bool clear);
void AddTerminalOut(App& app, std::string_view text, bool clear);
// A warning said once in Terminal Out: at once when it is open, else when it
// opens next.
void NoticeTerminalOut(App& app, std::string_view text);
// Shows the warning still waiting, if any.
void ShowTerminalOutNotice(App& app);

// The freeze boxes, and a click on a terminal's surface, which clears it.
void Form2_chkFreeze_Click(App& app);
void Form3_chkFreeze_Click(App& app);
void Form2_Click(App& app);
void Form3_Click(App& app);

}  // namespace koralin
