// The output port: a second serial port, the GPS port itself, or none.
#pragma once

namespace koralin {

struct App;

// Applies an output choice: port 1..5, -1 the GPS port, 0 off.
void ComOutSelect(App& app, int port, long baud);
// Opens or closes the port for the choice; the port now in effect.
int OpenComOut(App& app, int port, long baud);
void ComOutReset(App& app);
void ComOutMenusEnabled(App& app, bool flag);
// Asks before the output shares the GPS port.
void mnuSameComOut_Click(App& app);

}  // namespace koralin
