// The part of Info > DDE Info that tells other programs where the items are
// on the bus, and why they are not there when publishing failed.
#pragma once

#include <string>

#include "dde/values_bus.h"

namespace koralin {

// Empty for a bus without addresses; otherwise starts with a blank line.
std::string BusInfoText(const ValuesBus::Address& where);

}  // namespace koralin
