// The client link to the companion direction finder, which feeds lblDDESound.
#pragma once

namespace koralin {

struct App;

// The companion's side of the link.
inline constexpr const char* kCompanionApplication = "Quillwave";
inline constexpr const char* kCompanionTopic = "Form1";
inline constexpr const char* kCompanionItem = "lblDDESound1";
inline constexpr int kLinkTimeoutTenths = 800;

// Opens (on) or closes the link that feeds lblDDESound; false on failure.
bool AdjustLblDDESound(App& app, bool on);
// The box naming the published items and the companion's item.
void mnuDDEInfo_Click(App& app);

}  // namespace koralin
