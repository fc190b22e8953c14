// The DF window's picture: the hunt seen from above, north up, as a display
// list the face paints.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "df/hunt.h"
#include "display/picture.h"

namespace koralin {

namespace df_colour {
inline constexpr Colour kBack = colour::kWhite;
inline constexpr Colour kTrack = 0x808080;
inline constexpr Colour kCar = 0x008000;       // green
inline constexpr Colour kLine = 0xC06000;      // blue; older lines fade towards kBack
inline constexpr Colour kRejected = 0x0080FF;  // orange, dashed
inline constexpr Colour kEllipse = colour::kMagenta;
inline constexpr Colour kMark = colour::kRed;
inline constexpr Colour kText = colour::kBlack;
}  // namespace df_colour

// The colour of a line by the car that took it: this car's own (serial,
// companion) in kLine, each team car in a colour of its own, the same one in
// every car's window since it comes from the name alone.
Colour CarColour(const std::string& source);

// Only the newest lines are drawn: older ones would have faded to nothing and
// would cost the face a repaint of thousands of lines.
inline constexpr std::size_t kDfLinesDrawn = 300;

// The picture for a box `width` by `height` twips: the car's track (the places
// of its lines), the lines, the estimate with its 95 % ellipse or the words
// saying why there is none, a scale bar, and the way from the car to the
// estimate. Projected gnomonically about the estimate (else the car), where
// the lines of bearing are straight.
std::vector<DrawItem> DfPicture(const DfHunt& hunt, const HuntRules& rules, float width, float height);

}  // namespace koralin
