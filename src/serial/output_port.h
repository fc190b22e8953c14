// The output port: a second serial port, the GPS port itself, or none.
#pragma once

#include <array>

#include "display/form1.h"

namespace koralin {

struct App;

// The output menu's port entries (mnuSameComOut stands for -1, off for 0)
// and rate entries, with what each selects.
struct PortEntry {
  MenuItem Form1::*item;
  int port;
};
struct RateEntry {
  MenuItem Form1::*item;
  long rate;
};
const std::array<PortEntry, 7>& OutputPortEntries();
const std::array<RateEntry, 6>& OutputRateEntries();

// Applies an output choice: port 1..5, -1 the GPS port, 0 off.
void ComOutSelect(App& app, int port, long baud);
// Opens or closes the port for the choice; the port now in effect.
int OpenComOut(App& app, int port, long baud);
void ComOutReset(App& app);
void ComOutMenusEnabled(App& app, bool flag);
// Asks before the output shares the GPS port.
void mnuSameComOut_Click(App& app);

}  // namespace koralin
