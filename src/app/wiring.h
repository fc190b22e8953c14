// Which event of which window runs which routine: one table per window, read
// top to bottom like a connect block. App's constructor runs them in order.
#pragma once

namespace koralin {

struct App;

void WireForm1(App& app);           // the main window
void WireMinimalDisplay(App& app);  // Form5
void WireTerminals(App& app);       // Terminal In (Form2) and Terminal Out (Form3)
void WireCrcTool(App& app);         // the checksum tool (Form4)
void WirePortListing(App& app);     // the serial-port listing

}  // namespace koralin
