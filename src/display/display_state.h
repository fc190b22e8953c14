// The display: compass rose geometry and drawing, speed units, minimal display.
#pragma once

namespace koralin {

struct DisplayState {
  // Rose geometry in twips, from the drawing area's inner size.
  int CompassCentreX = 0;
  int CompassCentreY = 0;
  int CompassRadius = 0;
  float NeedleLength = 0;
};

}  // namespace koralin
