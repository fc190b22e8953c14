// The GPS input port: opening it and its baud rates.
#pragma once

#include <array>

#include "display/form1.h"

namespace koralin {

struct App;

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

}  // namespace koralin
