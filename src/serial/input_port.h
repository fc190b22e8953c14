// The GPS input port: opening it, its baud rates and the automatic search.
#pragma once

#include <array>

#include "display/form1.h"

namespace koralin {

struct App;

// The rates the search tries, in order.
inline constexpr std::array<long, 6> kSearchRates = {1200, 2400, 4800, 9600, 19200, 38400};

// The input rate entries with their rates; mnuAutoBaud stands for 0.
struct BaudEntry {
  MenuItem Form1::*item;
  long rate;
};
const std::array<BaudEntry, 7>& InputBaudEntries();

void BaudCheckOff(App& app);
void BaudEnabled(App& app, bool flag);
// Checks the rate entry of baud and stores it in BaudIn.
void BaudSelect(App& app, long baud);
// Closes the input and opens it again for ComPortIn and BaudIn.
void ComPortInOpen(App& app);
// Listens for NMEA at each rate in turn; found is the rate or 0.
void AutoBaud(App& app, int port, long& found);

}  // namespace koralin
