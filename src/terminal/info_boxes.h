// The fixed information boxes of the Info menu, and the two entries that
// open the serial-port listing.
#pragma once

#include <string>

namespace koralin {

struct App;

// The revision shown in the About box's title.
inline constexpr int kBuildRevision = 9;

// The texts of the boxes, lines joined by CR LF.
std::string ProtocolText();
std::string Rs232Text();
std::string ShortCutsText();
std::string AboutText();

void mnuProtocol_Click(App& app);
void mnuRs232Info_Click(App& app);
void mnuShortCuts_Click(App& app);
void mnuAbout_Click(App& app);

// Both open the serial-port listing; they differ only in how a failure reads.
void mnuDevice_Click(App& app);
void mnuDeviceManager_Click(App& app);

}  // namespace koralin
