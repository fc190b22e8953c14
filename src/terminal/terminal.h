// The Terminal In and Terminal Out windows.
#pragma once

#include <string_view>

namespace koralin {

struct App;

// Append text to a terminal, or clear it; nothing while its menu entry is
// unchecked. The text "Show Again" only redraws.
void AddTerminalIn(App& app, std::string_view text, bool clear);
void AddTerminalOut(App& app, std::string_view text, bool clear);

// Both windows below the main window, Terminal Out below Terminal In.
void TerminalPlacement(App& app);

void mnuTerminalIn_Click(App& app);
void mnuTerminalOut_Click(App& app);

// Terminal Out switched off from elsewhere (a new output choice): unchecks
// its freeze box and hides it; it stays loaded.
void HideTerminalOut(App& app);

// Window events.
void Form2_chkFreeze_Click(App& app);
void Form3_chkFreeze_Click(App& app);
void Form2_Click(App& app);
void Form3_Click(App& app);
void Form2_QueryUnload(App& app);
void Form3_QueryUnload(App& app);
// A key in either terminal: F1 and Esc go back to the main window.
void Terminal_KeyDown(App& app, int keyCode);
// Inner size changed: keeps the controls in their corners.
void Form2_Resize(App& app);
void Form3_Resize(App& app);

// The send box of Terminal In.
void ChkSend2ComIn_Click(App& app);
void TxtSend_Enter(App& app);

}  // namespace koralin
