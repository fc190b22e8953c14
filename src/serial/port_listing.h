// The serial-port listing: every serial device present, the port numbers
// that open it, and assigning a device to a number in ComPorts.cfg.
#pragma once

#include <string>
#include <vector>

#include "serial/com_ports.h"
#include "terminal/terminal_state.h"

namespace koralin {

struct App;

// The numbers 1..31 that open path: its own lines, and the number whose
// default device it is when that number has no line.
std::vector<int> PortsFor(const ComPortMap& map, const std::string& path);

// One row of the listing, in fixed columns under PortListingHeader().
std::string PortListingRow(const SerialDevice& device, const std::vector<int>& ports);
std::string PortListingHeader();

// Fills the listing from the devices present and ComPorts.cfg; what only
// ComPorts.cfg names follows, marked "not present" when it is missing.
void FillPortListing(App& app, std::vector<SerialDevice> devices);

// Assigns the selected row's device to the number in txtPortNumber.
void cmdAssign_Click(App& app);

}  // namespace koralin
