// Showing the fix: position, date, heading and altitude labels.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace koralin {

struct App;

// One foot in metres, as the single-precision constant the altitude has
// always been computed with; 0.4572 m thus reads 1 ft, not 2.
inline constexpr double kFoot = static_cast<double>(0.3048f);

// Writes both position labels from the fix's texts in the current format.
void ShowPosition(App& app, std::string_view latHemisphere, std::string_view longHemisphere);
// Shows a ddmmyy date field with the month's name; fills the fix's date text.
void ShowGPSDate(App& app, std::string_view date);
// GPS course when moving fast enough, else the flux-gate heading, else "---".
std::string GetHeadingText(App& app);
// The flux-gate compass's heading with its offset, whole degrees in
// [0, 360); none while no compass heading is held.
std::optional<int> FluxHeading(const App& app);
// The heading label and its direction name after a valid fix.
void ShowFixHeading(App& app);
// The direction name under the heading: pink while too slow or with the input off.
void ShowCompassText(App& app);
// No usable fix: the rose turns red; it is only redrawn with an input on.
void MarkNoFix(App& app, const char* lock);
// The altitude sentence label, then the height in feet as text, or nothing
// to keep the last height.
void ShowAltitudeSentence(App& app, const std::string& sentence, const std::optional<std::string>& feet);
// Shows an altitude given in feet in the unit chosen.
void ShowAltitude(App& app, std::string_view feet);
// Switches the altitude unit (init false) or applies it (init true).
void ToggleHeightUnit(App& app, bool init);
// The lock text of a $GPGSA mode for the frame caption.
const char* LockText(int mode);
void ShowBearing(App& app, const std::string& bearing, const std::string& amplitude);
void HideBearing(App& app);

}  // namespace koralin
