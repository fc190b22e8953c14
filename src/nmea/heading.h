// Heading sources: the flux-gate compass ($HCHDT) and Doppler bearings, and
// the choice of the heading the rose shows.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

struct App;

void ExtractingHCHDT(App& app, std::string_view text, bool& found);
void ExtractingDoppler(App& app, std::string_view text, std::string_view prefix, bool& found);

// The leading number of h with the pattern "000.0" and the degree sign.
std::string FormatHeading(std::string_view h);
// Whole degrees 0..359.
float NormaliseDegrees(float a);
// GPS course when moving fast enough, else the flux-gate heading, else "---".
std::string GetHeadingText(App& app);
// Forgets the gathered compass text and hides the compass label.
void ClearFluxData(App& app);

}  // namespace koralin
