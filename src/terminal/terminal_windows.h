// The Terminal In and Terminal Out windows: opening, placing, closing and
// laying them out, and the send box of Terminal In.
#pragma once

#include <string>

namespace koralin {

struct App;

// Both windows below the main window, Terminal Out below Terminal In.
void TerminalPlacement(App& app);

void mnuTerminalIn_Click(App& app);
void mnuTerminalOut_Click(App& app);
// "Koralin Terminal GPS Out Com2 Baud 4800,N,8,1", and the drops of a slow reader.
std::string TerminalOutCaption(const App& app);

// Terminal Out switched off from elsewhere (a new output choice): unchecks
// its freeze box and hides it; it stays loaded.
void HideTerminalOut(App& app);

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
