// Heading sources: the flux-gate compass ($HCHDT) and Doppler bearings, and
// the choice of the heading the rose shows.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

struct App;

void ExtractingHCHDT(App& app, std::string_view text, bool& found);
// The compass label's Change event: tooltip with the offset, then the relay.
void lblFluxGateCompass_Change(App& app);
// The last bearing with this prefix ("%", "$DFBRG" or "DF") in text.
void ExtractingDoppler(App& app, std::string_view text, std::string_view prefix, bool& found);
// The first bracketed amplitude such as "[12]"; "" when there is none.
std::string ExtractAmplitude(std::string_view s);
// True when every character is a digit (so also for "").
bool IsAllDigits(std::string_view s);

// The leading number of h with the pattern "000.0" and the degree sign.
std::string FormatHeading(std::string_view h);
// Whole degrees 0..359.
float NormaliseDegrees(float a);
// GPS course when moving fast enough, else the flux-gate heading, else "---".
std::string GetHeadingText(App& app);
// Forgets the gathered compass text and hides the compass label.
void ClearFluxData(App& app);
// Reads the compass from the output port, or from the GPS input again.
void mnuHCHDTinp_Click(App& app);
// Aligns the flux-gate compass with the GPS course, or resets the offset.
void mnuGpsFlux_Click(App& app);

}  // namespace koralin
