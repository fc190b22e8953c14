#include "serial/relay.h"

#include "app/app.h"

namespace koralin {

// Nothing is relayed yet.
void RelayGPRMC(App&, const std::string&) {}
void RelayHCHDT(App&, const std::string&) {}
void RelayAltitude(App&, const std::string&) {}
void SendGPRMCModified(App&, const std::string&, const std::string&) {}
void mnuMinGpsSpeedOut_Click(App&) {}

}  // namespace koralin
