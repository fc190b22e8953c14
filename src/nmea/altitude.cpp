#include "nmea/altitude.h"

#include "app/app.h"

namespace koralin {

// The altitude and lock decoders are not wired to the display yet.
void ExtractingGPGGA(App&, std::string_view) {}
void ExtractingPGRMZ(App&, std::string_view) {}
void ExtractingGPGSA(App&, std::string_view) {}

void RestoreFrameCaption(App& app) { app.form1.Frame1.SetCaption(kFrameCaption); }

void ShowAltitude(App&, std::string_view) {}
void ToggleHeightUnit(App&, bool) {}

}  // namespace koralin
