// The GPS input port: opening it, its baud rates and the automatic search.
#pragma once

namespace koralin {

struct App;

// Checks the rate entry of baud and stores it in BaudIn.
void BaudSelect(App& app, long baud);
// Closes the input and opens it again for ComPortIn and BaudIn.
void ComPortInOpen(App& app);

}  // namespace koralin
